#pragma once

#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>

// Every viewport and hit-test formula of the video renderer in one place, so
// drawing and mouse handling cannot drift apart. Sizes are logical pixels;
// "gl" rectangles count y from the bottom (glViewport), "widget" rectangles
// from the top. No GL, no widgets: tested without a screen.
namespace RenderGeometry {

constexpr int kBorderRows = 244; // black rows above and below a panoramic frame
constexpr float kPanoramaAspect = 1.7778f;
constexpr int kMinFieldOfView = 45;
constexpr int kMaxFieldOfView = 115;
constexpr int kDefaultFieldOfView = 100;
constexpr int kZoomStepWidth = 480;
constexpr int kZoomStepHeight = 270;
constexpr int kMaxZoomLevel = 10;
constexpr int kSideViewGap = 8;
constexpr int kSideViewMargin = 15;

// The largest rectangle of the given aspect centred in the widget (floating point).
QRectF letterbox(const QSizeF &widget, double aspect);
// Scales a logical rectangle to device pixels and truncates each value.
QRect toDevice(const QRectF &rect, double pixelRatio);

// Mode 0: two views of half height stacked; lower is at y 0 (gl).
struct ModeZeroViews
{
    QRect lower; // gl
    QRect upper; // gl
};
ModeZeroViews modeZeroViews(const QSize &widget, double aspect);

// Mode 1: the column of four side views beside the letterboxed main view.
struct SideColumn
{
    int x = 0; // left edge
    double l = 0.0; // bottom (gl) / top (widget) of the column
    int width = 0; // g
    int height = 0; // e
    QRectF gl(int index) const; // index 0 is the bottom view
    QRect widget(int index) const; // index 0 is the top view
};
SideColumn sideColumn(const QSize &widget, double aspect);
// Index (0 = top) of the side view under a widget point, or -1.
int sideViewAt(const QSize &widget, double aspect, const QPoint &point);

// Mode 2: quarters of the letterboxed area.
QRectF quarterGl(const QSize &widget,
                 double aspect,
                 int index); // 0 lower left, 1 lower right, 2 upper left, 3 upper right
QRect quarterWidget(const QSize &widget,
                    double aspect,
                    int index); // 0 upper left, 1 upper right, 2 lower left, 3 lower right
int quarterAt(const QSize &widget, double aspect, const QPoint &point);

// Field of view after a wheel turn (angle delta in eighths of a degree).
int wheelFieldOfView(int fieldOfView, int angleDeltaY);
// Field of view after a zoom button: narrower (zoom in) or wider.
int stepFieldOfView(int fieldOfView, bool isBig);

// One zoom step: the new geometry, grown (or shrunk) by 480 x 270 and centred
// in the playback area.
QRect zoomStepGeometry(const QSize &current, const QSize &area, bool grow);

// Texture rows of a panoramic frame: the video plus the black border rows.
int panoramicTextureHeight(int videoHeight, float padScale);
// Aspect used for letterboxing and projection.
float displayAspect(bool is360Video, int renderType, int videoWidth, int videoHeight);

// The number a small view carries in its object name ("widget2" gives 2).
int viewNumber(const QString &objectName);

} // namespace RenderGeometry
