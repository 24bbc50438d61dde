#include "render/PlaybackArea.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace PlaybackArea {

QWidget *of(const QWidget *view)
{
    QWidget *parent = view->parentWidget();
    return parent ? parent->parentWidget() : nullptr;
}

bool isFullScreen(const QWidget *view)
{
    const QWidget *area = of(view);
    return area && area->isFullScreen();
}

QSize size(const QWidget *view, const QWidget *controlBar)
{
    const QWidget *area = of(view);
    if (!area)
        return view->parentWidget() ? view->parentWidget()->size() : view->size();
    int height = area->height();
    if (!area->isFullScreen() && controlBar)
        height -= controlBar->height();
    return QSize(area->width(), height);
}

QRect resetGeometry(const QWidget *view, const QWidget *controlBar)
{
    QSize area = size(view, controlBar);
    if (isFullScreen(view) && QGuiApplication::primaryScreen())
        area = QGuiApplication::primaryScreen()->size();
    return QRect(0, 0, area.width(), area.height());
}

} // namespace PlaybackArea
