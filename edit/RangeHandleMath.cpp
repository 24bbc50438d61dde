#include "edit/RangeHandleMath.h"

#include <algorithm>

namespace RangeHandleMath {

namespace {
double travel(int parentWidth)
{
    return parentWidth - 2 * KnobSize;
}
} // namespace

double effectiveDuration(double duration)
{
    return std::max(duration, double(MinimumSeconds));
}

int minimumGap(double duration, int parentWidth)
{
    return int(MinimumSeconds / effectiveDuration(duration) * std::max(0.0, travel(parentWidth)));
}

int leftInitialLimit(int parentWidth, int gap)
{
    return parentWidth - gap - KnobSize;
}

int rightInitialLimit(int gap)
{
    return gap + KnobSize;
}

int leftLimitAfterRight(int rightX, int gap)
{
    return std::max(rightX - gap, KnobSize);
}

int rightLimitAfterLeft(int leftWidth, int gap)
{
    return std::max(leftWidth + gap, KnobSize);
}

int leftDragWidth(int widthAtRelease, int dx, int limit)
{
    return std::max(std::min(widthAtRelease + dx, limit), KnobSize);
}

int rightDragX(int newX, int parentWidth, int limit)
{
    return std::max(std::min(newX, parentWidth - KnobSize), limit);
}

double leftStartSeconds(int width, int parentWidth, double duration)
{
    if (travel(parentWidth) <= 0)
        return 0;
    double s = (width - KnobSize) / travel(parentWidth) * effectiveDuration(duration);
    if (s > 0 && s < 1)
        s = 1;
    return s;
}

int leftLabelSeconds(double start, double duration)
{
    return int(std::max(std::min(start, effectiveDuration(duration) - MinimumSeconds), 1.0));
}

static double endOffset(int width, int parentWidth, double duration)
{
    if (travel(parentWidth) <= 0)
        return 0;
    return (width - KnobSize) / travel(parentWidth) * effectiveDuration(duration);
}

int rightEndSeconds(int width, int parentWidth, double duration)
{
    const double d = effectiveDuration(duration);
    const double e = endOffset(width, parentWidth, duration);
    const int atEnd = int(d - (width > KnobSize ? 1 : 0));
    return std::max(std::min(atEnd, int(d - e)), MinimumSeconds);
}

bool rightShowsLabel(int width, int parentWidth, double duration)
{
    return endOffset(width, parentWidth, duration) > 0;
}

} // namespace RangeHandleMath
