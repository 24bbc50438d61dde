// Mouse, wheel and key handling of VideoRender: the playback area's clicks,
// keys, zoom and pan, and the panorama's look-around and view choices.
#include "render/VideoRender.h"

#include "render/RenderGeometry.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

bool VideoRender::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this)
        return QOpenGLWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return handleMousePress(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonRelease:
        return handleMouseRelease(static_cast<QMouseEvent *>(event));
    case QEvent::MouseButtonDblClick:
        return handleDoubleClick(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove:
        return handleMouseMove(static_cast<QMouseEvent *>(event));
    case QEvent::KeyRelease:
        return handleKeyRelease(static_cast<QKeyEvent *>(event));
    case QEvent::Wheel:
        return handleWheel(static_cast<QWheelEvent *>(event));
    default:
        return QOpenGLWidget::eventFilter(watched, event);
    }
}

bool VideoRender::handleMousePress(QMouseEvent *event)
{
    if (isMainView()) {
        m_lastPos = event->pos();
        if (m_is360Video && panoramaMode() == PanoramaMode::MainAndSides
            && selectSideView(event->pos()))
            return true;
    }
    emit tapViewCloseControlView();
    return true;
}

bool VideoRender::handleMouseRelease(QMouseEvent *)
{
    m_lastPos = QPoint(0, 0);
    if (isMainView()) {
        qDebug() << "点击了鼠标主窗口";
        starTimeHide();
    } else {
        qDebug() << "点击了鼠标相应前后路切换";
        emit playViewShowChange(this, RenderGeometry::viewNumber(objectName()));
    }
    return true;
}

bool VideoRender::handleDoubleClick(QMouseEvent *event)
{
    if (m_is360Video && panoramaMode() == PanoramaMode::Quarters)
        return selectQuarter(event->pos());
    if (m_zoomLevel > 0) {
        resetZoom();
        return true;
    }
    return false; // the playback area toggles full screen
}

bool VideoRender::handleMouseMove(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return false;
    if (isPanoramaMode()) {
        const QPoint delta = event->pos() - m_lastPos;
        m_lastPos = event->pos();
        m_mainCamera.rotate(delta.y() * m_dragSensitivity, delta.x() * m_dragSensitivity, 0.f);
        update();
    } else if (m_zoomLevel >= 1) {
        // The widget follows the cursor, so the grabbed point stays under it.
        const QPoint delta = event->pos() - m_lastPos;
        qDebug() << "Mouse position: " << delta.x();
        move(pos() + delta);
    }
    return true;
}

bool VideoRender::controlBarInputBlocked() const
{
    // Small views are not given the bar; they find it in the playback area.
    const QWidget *bar = m_controlBar;
    if (!bar && playbackArea())
        bar = playbackArea()->findChild<QWidget *>(QStringLiteral("PlayerTool"));
    return bar && bar->testAttribute(Qt::WA_TransparentForMouseEvents);
}

bool VideoRender::handleKeyRelease(QKeyEvent *event)
{
    if (controlBarInputBlocked())
        return true;
    if (!isMainView()) {
        qDebug() << "3333333333333333333333::Event type:" << event->type();
        return false;
    }
    qDebug() << "11111111111111111::Event type:" << event->key();
    const bool full = playbackAreaFullScreen();
    if (event->key() == Qt::Key_Escape) {
        if (full) {
            qDebug() << "1";
            emit postFullSignals(false);
        } else {
            qDebug() << "2";
        }
    } else {
        if (event->key() == Qt::Key_Space) {
            qDebug() << "3";
            emit keyControlVideoPauseOrPlay();
        } else {
            qDebug() << "4";
        }
        if (full)
            starTimeHide();
    }
    qDebug() << "5";
    return true;
}

bool VideoRender::handleWheel(QWheelEvent *event)
{
    if (!isMainView())
        return false;
    if (isPanoramaMode()) {
        m_fieldOfView = RenderGeometry::wheelFieldOfView(m_fieldOfView, event->angleDelta().y());
        update();
    } else {
        scaleChange(event->angleDelta().y() > 0);
    }
    return true;
}
