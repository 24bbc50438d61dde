#include "render/RenderView.h"

#include "app/AppManager.h"
#include "controls/Palette.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "render/AVView.h"
#include "render/ControlBarInterface.h"
#include "render/RenderViewLayout.h"
#include "render/VideoRender.h"
#include "telemetry/RecordLookup.h"

#include <QDebug>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

RenderView::RenderView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName("RenderView");
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        m_screenWidth = screen->geometry().width();
        m_screenHeight = screen->geometry().height();
    }
}

RenderView::~RenderView()
{
    qDebug() << "RenderView close";
}

void RenderView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Palette::videoBackground());
}

void RenderView::resizeEvent(QResizeEvent *event)
{
    layoutViews();
    QWidget::resizeEvent(event);
}

QList<QWidget *> RenderView::initViews(const QList<DbModel *> &models,
                                       ControlBarInterface *controlBar,
                                       const SwapCallback &swap,
                                       const FullScreenCallback &fullScreen,
                                       const ToggleCallback &toggle)
{
    if (controlBar && isFullScreen())
        controlBar->hide();
    clearViews();
    m_controlBar = controlBar;
    m_swapCallback = swap;
    m_fullScreenCallback = fullScreen;
    m_toggleCallback = toggle;

    for (DbModel *model : models) {
        // The media fields suffice here; the player reads what is not cached.
        bool complete = false;
        const VideoMessage record
            = RecordLookup::findOrProbe(*model, RecordLookup::Log::RenderView, &complete);
        // Decided afresh each time: the stored flag of earlier versions called
        // any name with an "F" panoramic, front cameras included.
        model->is3DVideo = model->showsPanorama(record.filesType);
        model->width = QString::number(record.width.toFloat() * 1.0, 'g', 6);
        model->height = QString::number(record.height.toFloat() * 1.0, 'g', 6);
    }

    for (int i = 0; i < models.size(); ++i)
        createView(models.at(i), i);
    layoutViews();
    for (int i = 0; i < m_views.size(); ++i)
        connectView(m_views.at(i), i);
    return m_views;
}

void RenderView::createView(DbModel *model, int index)
{
    const float height = model->height.toFloat();
    const float aspect = height != 0.0f ? model->width.toFloat() / height : 0.0f;
    const bool native = AppManager::instance()->playerType() == PlayerType::NativeWindow;
    QWidget *view = nullptr;
    if (model->is3DVideo) {
        if (index == 0 && m_controlBar)
            m_controlBar->setPanoramaButtonEnabled(true);
        if (native) {
            auto *av = new AVView(this);
            av->setIs360Video(true);
            view = av;
        } else {
            auto *render
                = new VideoRender(choiceNumber(AppManager::instance()->panoramaModelType()), this);
            render->setPadScale(m_scale);
            render->setValueIS3DVideo(true);
            view = render;
        }
    } else if (native) {
        if (index == 0 && m_controlBar) {
            m_controlBar->setZoomButtonsEnabled(false);
            m_controlBar->setPanoramaButtonEnabled(false);
        }
        view = new AVView(this);
    } else {
        if (index == 0 && m_controlBar)
            m_controlBar->setPanoramaButtonEnabled(false);
        auto *render = new VideoRender(this, 3);
        render->setPadScale(m_scale);
        view = render;
    }
    m_views.append(view);
    m_aspects.append(aspect);
}

void RenderView::connectView(QWidget *view, int index)
{
    view->setObjectName(QString("widget%1").arg(index));
    if (auto *av = qobject_cast<AVView *>(view)) {
        if (index == 0)
            av->setControlBar(m_controlBar);
        if (m_controlBar)
            connect(m_controlBar, &ControlBarInterface::scaleChange, av, &AVView::scaleChange);
        connect(av, &AVView::playViewShowChange, this, [this, av] { swapToMain(av); });
        connect(av, &AVView::postFullSignals, this, [this](bool full) {
            if (m_fullScreenCallback)
                m_fullScreenCallback(full);
        });
        connect(av, &AVView::keyControlVideoPauseOrPlay, this, [this] {
            if (m_toggleCallback)
                m_toggleCallback();
        });
    } else if (auto *render = qobject_cast<VideoRender *>(view)) {
        m_glViewCount += 1;
        if (index == 0)
            render->setControlBar(m_controlBar);
        if (m_controlBar)
            connect(m_controlBar, &ControlBarInterface::scaleChange, render,
                    &VideoRender::scaleChange);
        connect(render, &VideoRender::tapViewCloseControlView, this, &RenderView::closePopupViews);
        connect(render, &VideoRender::playViewShowChange, this,
                [this, render] { swapToMain(render); });
        connect(render, &VideoRender::postFullSignals, this, [this](bool full) {
            if (m_fullScreenCallback)
                m_fullScreenCallback(full);
        });
        connect(render, &VideoRender::keyControlVideoPauseOrPlay, this, [this] {
            if (m_toggleCallback)
                m_toggleCallback();
        });
    }
    view->show();
}

QList<ChannelOutput> RenderView::channelOutputs() const
{
    QList<ChannelOutput> outputs;
    for (QWidget *view : m_views) {
        ChannelOutput output;
        if (auto *render = qobject_cast<VideoRender *>(view))
            output.sink = render;
        else if (qobject_cast<AVView *>(view))
            output.nativeWindow = quintptr(view->winId());
        outputs << output;
    }
    return outputs;
}

void RenderView::clearViews()
{
    for (QWidget *view : qAsConst(m_views)) {
        view->close();
        // Deleted later: a view may be clearing the group from its own event handler.
        view->hide();
        view->deleteLater();
    }
    qDebug() << "播放下一个视频前，销毁上一个渲染层";
    m_glViewCount = 0;
    m_views.clear();
    m_aspects.clear();
}

void RenderView::layoutViews()
{
    if (m_views.isEmpty())
        return;
    const RenderViewLayout::Layout layout = RenderViewLayout::compute(
        size(), choiceNumber(AppManager::instance()->panoramaModelType()), m_aspects);
    QWidget *main = m_views.first();
    main->setGeometry(rect());
    if (auto *render = qobject_cast<VideoRender *>(main))
        render->setScaleFactorZero();
    else if (auto *av = qobject_cast<AVView *>(main))
        av->setScaleFactorZero();
    main->setFocus();
    main->lower();
    for (int i = 1; i < m_views.size() && i - 1 < layout.thumbnails.size(); ++i) {
        const RenderViewLayout::Thumbnail &thumb = layout.thumbnails.at(i - 1);
        qDebug() << "originalRate:::::::::" << layout.widgetRate
                 << ":::::::currentRate::::::::::::" << layout.mainRate
                 << ":::::::showRate::" << thumb.showRate;
        if (thumb.wideHalves || thumb.geometry.y() > 0)
            qDebug() << "111111111111111111111111111111222222222222222:" << thumb.geometry.width()
                     << "  " << thumb.geometry.height();
        else
            qDebug() << "111111111111111111111111111111:" << thumb.geometry.width() << "  "
                     << thumb.geometry.height();
        m_views.at(i)->setGeometry(thumb.geometry);
        m_views.at(i)->raise();
    }
}

void RenderView::setMainControlBar(QWidget *view, QWidget *bar)
{
    if (auto *render = qobject_cast<VideoRender *>(view))
        render->setControlBar(bar);
    else if (auto *av = qobject_cast<AVView *>(view))
        av->setControlBar(bar);
}

void RenderView::swapToMain(QWidget *clicked)
{
    const int k = m_views.indexOf(clicked);
    if (k <= 0)
        return;
    setMainControlBar(m_views.first(), nullptr);
    setMainControlBar(clicked, m_controlBar);
    if (m_controlBar) {
        bool panoramic = false;
        if (auto *render = qobject_cast<VideoRender *>(clicked))
            panoramic = render->is360Video();
        else if (auto *av = qobject_cast<AVView *>(clicked))
            panoramic = av->is360Video();
        m_controlBar->setPanoramaButtonEnabled(panoramic);
    }
    m_aspects.swapItemsAt(0, k);
    m_views.swapItemsAt(0, k);
    layoutViews();
}

void RenderView::set360Mode(double mode)
{
    for (QWidget *view : qAsConst(m_views)) {
        auto *render = qobject_cast<VideoRender *>(view);
        if (!render || !render->is360Video())
            continue;
        layoutViews();
        render->setPanoramaMode(int(mode));
        return;
    }
}

bool RenderView::allViewsReady() const
{
    if (AppManager::instance()->playerType() == PlayerType::NativeWindow)
        return true;
    int ready = 0;
    for (QWidget *view : m_views) {
        auto *render = qobject_cast<VideoRender *>(view);
        if (render && render->framesTaken() > 0)
            ++ready;
    }
    return ready == m_glViewCount;
}

void RenderView::closePopupViews()
{
    for (QWidget *popup : findChildren<QWidget *>("closeView")) {
        popup->close();
        popup->deleteLater();
    }
    if (m_controlBar)
        m_controlBar->clearPopupReferences();
}

void RenderView::enterFullScreenGeometry()
{
    m_savedGeometry = rect();
    setGeometry(0, 0, m_screenWidth, m_screenHeight);
}

void RenderView::restoreGeometry()
{
    if (m_savedGeometry.width() != 0)
        setGeometry(m_savedGeometry);
    m_savedGeometry = QRect(0, 0, 0, 0);
}
