#pragma once

#include <QList>
#include <QRect>
#include <QSize>

// Where the channel views of a group go: the main view fills the render view,
// the others are thumbnails in a row along the top edge of the main picture's
// letterboxed area. Pure arithmetic, tested without a screen.
namespace RenderViewLayout {

struct Thumbnail
{
    QRect geometry;
    double showRate = 0.0; // aspect the thumbnail is drawn with
    bool wideHalves = false; // a very wide panorama shown as two halves
};

struct Layout
{
    double widgetRate = 0.0; // W / H
    double mainRate = 0.0; // d: the main picture's aspect, capped at 16:9 unless very wide
    double heightRatio = 0.0; // e: thumbnail height against the main picture's
    QList<Thumbnail> thumbnails; // views 1 .. n-1
};

// aspects: width / height of each view, view 0 first; panoramaMode is the
// chosen panorama mode (3 when none).
Layout compute(const QSize &widget, int panoramaMode, const QList<float> &aspects);

} // namespace RenderViewLayout
