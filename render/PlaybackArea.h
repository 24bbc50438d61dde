#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// The playback area around a channel view (the view's grandparent: render view,
// then playback view controller). Zoom steps and resets of both kinds of
// channel view are measured against it.
namespace PlaybackArea {

QWidget *of(const QWidget *view);
bool isFullScreen(const QWidget *view);
// The area's size, less the control bar under the picture when not full screen.
QSize size(const QWidget *view, const QWidget *controlBar);
// Geometry that undoes every zoom step: the whole area (the screen in full screen).
QRect resetGeometry(const QWidget *view, const QWidget *controlBar);

} // namespace PlaybackArea
