#include "render/AVView.h"

#include "app/AppManager.h"
#include "controls/OrbTimer.h"
#include "render/PlaybackArea.h"
#include "render/RenderGeometry.h"

#include <QDebug>
#include <QKeyEvent>
#include <QMouseEvent>

AVView::AVView(QWidget *parent)
    : QWidget(parent)
    , m_hideTimer(new OrbTimer(this))
{
    // libVLC needs a window of its own to draw into.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setMouseTracking(true);
    installEventFilter(this);
    connect(m_hideTimer, &OrbTimer::timeout, this, &AVView::hideControlBar);
}

AVView::~AVView()
{
    qDebug() << "AVView close";
    removeEventFilter(this);
}

void AVView::paintEvent(QPaintEvent *)
{
    // Nothing: painting would cover libVLC's picture in the native window.
}

QWidget *AVView::playbackArea() const
{
    return PlaybackArea::of(this);
}

bool AVView::playbackAreaFullScreen() const
{
    return PlaybackArea::isFullScreen(this);
}

QSize AVView::playbackAreaSize() const
{
    return PlaybackArea::size(this, m_controlBar);
}

bool AVView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != this)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!isMainView())
            return false;
        m_lastPos = static_cast<QMouseEvent *>(event)->pos();
        return true;
    case QEvent::MouseButtonRelease:
        if (isMainView()) {
            m_lastPos = QPoint(0, 0);
            starTimeHide();
        } else {
            emit playViewShowChange(this, RenderGeometry::viewNumber(objectName()));
        }
        return true;
    case QEvent::MouseButtonDblClick:
        if (m_zoomLevel < 1)
            return false;
        qDebug() << "6555555556667777";
        closeZoomAction();
        return true;
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (m_zoomLevel > 0 && (mouse->buttons() & Qt::LeftButton)) {
            const QPoint delta = mouse->pos() - m_lastPos;
            qDebug() << "Mouse position: " << delta.x();
            move(pos() + delta);
        }
        return false;
    }
    case QEvent::KeyRelease: {
        if (m_controlBar && m_controlBar->testAttribute(Qt::WA_TransparentForMouseEvents))
            return true;
        if (!isMainView())
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape)
            emit postFullSignals(false);
        else if (key->key() == Qt::Key_Space)
            emit keyControlVideoPauseOrPlay();
        if (key->key() != Qt::Key_Escape && playbackAreaFullScreen())
            starTimeHide();
        return true;
    }
    case QEvent::Wheel:
        if (!isMainView())
            return false;
        // Zooming by wheel belongs to the OpenGL path only.
        if (AppManager::instance()->playerType() != PlayerType::NativeWindow)
            scaleChange(static_cast<QWheelEvent *>(event)->angleDelta().y() > 0);
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void AVView::starTimeHide()
{
    if (m_controlBar && m_controlBar->isHidden())
        m_controlBar->show();
    m_hideTimer->start(3000);
}

void AVView::hideControlBar()
{
    if (m_controlBar && playbackAreaFullScreen()) {
        emit hideShowHud();
        m_controlBar->hide();
    }
}

void AVView::closeZoomAction()
{
    m_zoomLevel = 0;
    if (!isMainView())
        return;
    setGeometry(PlaybackArea::resetGeometry(this, m_controlBar));
}

void AVView::scaleChange(bool isBig)
{
    if (!isMainView())
        return;
    if (isBig)
        zoombigViewAction();
    else
        zoomViewAction();
}

void AVView::setScaleFactorZero()
{
    m_zoomLevel = 0;
}

void AVView::zoombigViewAction()
{
    if (m_zoomLevel >= RenderGeometry::kMaxZoomLevel)
        return;
    m_zoomLevel += 1;
    setGeometry(RenderGeometry::zoomStepGeometry(size(), playbackAreaSize(), true));
}

void AVView::zoomViewAction()
{
    if (m_zoomLevel <= 0)
        return;
    m_zoomLevel -= 1;
    setGeometry(RenderGeometry::zoomStepGeometry(size(), playbackAreaSize(), false));
}
