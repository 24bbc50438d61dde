#pragma once

// Pixel arithmetic of the cut dialog's two range handles. The bar's usable
// length is the parent width minus one knob at each end; recordings shorter
// than the minimum segment count as that long. The widgets, their hit tests
// and their labels all use these.
namespace RangeHandleMath {

constexpr int KnobSize = 36;
constexpr int MinimumSeconds = 5;

double effectiveDuration(double duration);
// Whole pixels of the minimum segment on a bar of parent width w.
int minimumGap(double duration, int parentWidth);

// Largest width of the left handle before the right one is placed.
int leftInitialLimit(int parentWidth, int gap);
// Smallest x of the right handle before the left one is placed.
int rightInitialLimit(int gap);
// Limits after the other handle was released at x (right) or width w (left).
int leftLimitAfterRight(int rightX, int gap);
int rightLimitAfterLeft(int leftWidth, int gap);

int leftDragWidth(int widthAtRelease, int dx, int limit);
int rightDragX(int newX, int parentWidth, int limit);

// Start second of a left handle of this width (unrounded; 0 < s < 1 gives 1).
double leftStartSeconds(int width, int parentWidth, double duration);
// The second the left knob shows for start s.
int leftLabelSeconds(double start, double duration);
// End second of a right handle of this width.
int rightEndSeconds(int width, int parentWidth, double duration);
// Whether the right handle shows its label (it moved off the end).
bool rightShowsLabel(int width, int parentWidth, double duration);

} // namespace RangeHandleMath
