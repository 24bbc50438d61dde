#include "render/RenderGeometry.h"

#include <algorithm>
#include <cmath>

namespace RenderGeometry {

QRectF letterbox(const QSizeF &widget, double aspect)
{
    const double w = widget.width();
    const double h = widget.height();
    if (h <= 0.0 || w <= 0.0 || aspect <= 0.0)
        return QRectF(0.0, 0.0, std::max(w, 0.0), std::max(h, 0.0));
    if (w / h >= aspect)
        return QRectF((w - h * aspect) / 2.0, 0.0, h * aspect, h);
    return QRectF(0.0, (h - w / aspect) / 2.0, w, w / aspect);
}

QRect toDevice(const QRectF &rect, double pixelRatio)
{
    return QRect(int(rect.x() * pixelRatio), int(rect.y() * pixelRatio),
                 int(rect.width() * pixelRatio), int(rect.height() * pixelRatio));
}

ModeZeroViews modeZeroViews(const QSize &widget, double aspect)
{
    const int h = widget.height() / 2;
    const int w = int(h * aspect);
    const int x = int((widget.width() - h * aspect) * 0.5);
    return {QRect(x, 0, w, h), QRect(x, h, w, h)};
}

QRectF SideColumn::gl(int index) const
{
    return QRectF(x, (height + kSideViewGap) * index + l, width, height);
}

QRect SideColumn::widget(int index) const
{
    return QRect(x, int((height + kSideViewGap) * index + l), width, height);
}

SideColumn sideColumn(const QSize &widget, double aspect)
{
    SideColumn column;
    const QRectF main = letterbox(QSizeF(widget), aspect);
    const int area = int(main.width() * main.height() / 35.0);
    const int g = int(std::sqrt(double(area) * aspect));
    if (area <= 0 || g <= 0)
        return column;
    const int e = area / g;
    // The stored viewport origin is in whole logical pixels.
    const int x0 = int(main.x());
    column.x = widget.width() - x0 - g - kSideViewMargin;
    column.l = (widget.height() - 4 * e - 3 * kSideViewGap) * 0.5;
    column.width = g;
    column.height = e;
    return column;
}

int sideViewAt(const QSize &widget, double aspect, const QPoint &point)
{
    const SideColumn column = sideColumn(widget, aspect);
    if (column.width <= 0)
        return -1;
    for (int k = 0; k < 4; ++k) {
        if (column.widget(k).contains(point))
            return k;
    }
    return -1;
}

QRectF quarterGl(const QSize &widget, double aspect, int index)
{
    const QRectF box = letterbox(QSizeF(widget), aspect);
    const double x0 = box.x();
    const double y0 = box.y();
    const double c = (widget.width() - 2 * x0) * 0.5;
    const double d = (widget.height() - 2 * y0) * 0.5;
    return QRectF((index % 2) * c + x0, (index / 2) * d + y0, c, d);
}

QRect quarterWidget(const QSize &widget, double aspect, int index)
{
    // Widget quarters count from the top: they are the gl quarters upside down.
    const QRectF box = letterbox(QSizeF(widget), aspect);
    const double c = (widget.width() - 2 * box.x()) * 0.5;
    const double d = (widget.height() - 2 * box.y()) * 0.5;
    return QRect(int(box.x() + (index % 2) * c), int(box.y() + (index / 2) * d), int(c), int(d));
}

int quarterAt(const QSize &widget, double aspect, const QPoint &point)
{
    for (int k = 0; k < 4; ++k) {
        if (quarterWidget(widget, aspect, k).contains(point))
            return k;
    }
    return -1;
}

int wheelFieldOfView(int fieldOfView, int angleDeltaY)
{
    if (fieldOfView >= kMinFieldOfView && fieldOfView <= kMaxFieldOfView)
        fieldOfView = int(float(fieldOfView) - float(angleDeltaY / 30.0));
    return std::clamp(fieldOfView, kMinFieldOfView, kMaxFieldOfView);
}

int stepFieldOfView(int fieldOfView, bool isBig)
{
    return std::clamp(fieldOfView + (isBig ? -7 : 7), kMinFieldOfView, kMaxFieldOfView);
}

QRect zoomStepGeometry(const QSize &current, const QSize &area, bool grow)
{
    const int sign = grow ? 1 : -1;
    const QSize size(current.width() + sign * kZoomStepWidth,
                     current.height() + sign * kZoomStepHeight);
    return QRect((area.width() - size.width()) / 2, (area.height() - size.height()) / 2,
                 size.width(), size.height());
}

int panoramicTextureHeight(int videoHeight, float padScale)
{
    return int(float(kBorderRows) * padScale + float(videoHeight) + float(kBorderRows) * padScale);
}

float displayAspect(bool is360Video, int renderType, int videoWidth, int videoHeight)
{
    if (is360Video && renderType != 3 && renderType != 0)
        return kPanoramaAspect;
    if (videoHeight <= 0)
        return kPanoramaAspect;
    return float(double(videoWidth) / double(videoHeight));
}

int viewNumber(const QString &objectName)
{
    QString rest = objectName;
    rest.remove(QStringLiteral("widget"));
    return rest.toInt();
}

} // namespace RenderGeometry
