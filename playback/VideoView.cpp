#include "playback/VideoView.h"

#include "app/AppManager.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayerTool.h"
#include "render/RenderView.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QVBoxLayout>

VideoView::VideoView(QWidget *parent,
                     QWidget *mainWindow,
                     DisplayMessageView *telemetryPanel,
                     QVBoxLayout *leftLayout)
    : QWidget(parent)
    , m_savedWindowFlags(windowFlags())
    , m_leftLayout(leftLayout)
    , m_telemetryPanel(telemetryPanel)
    , m_mainWindow(mainWindow)
    , m_parent(parent)
{
    if (objectName().isEmpty())
        setObjectName("VideoView");
    resize(732, 495);
    setMinimumSize(732, 495);
    setWindowTitle(tr("Form"));
    m_layout = new QVBoxLayout;
    m_layout->setSpacing(0);
    m_layout->setContentsMargins(0, 0, 0, 0);

    // Both start without a parent; the layout below adopts them.
    m_playerTool = new PlayerTool(nullptr);
    m_playerTool->setMinimumWidth(732);
    m_playerTool->setMinimumHeight(83);
    // The picture takes the height; the bar keeps its own.
    m_playerTool->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_renderView = new RenderView(nullptr);
    AppManager::instance()->setRenderView(m_renderView);
    AppManager::instance()->setPlayerTool(m_playerTool);
    m_playerTool->setRenderView(m_renderView);
    m_layout->addWidget(m_renderView, 0);
    m_layout->addWidget(m_playerTool, 0);
    setLayout(m_layout);

    setupLogo();
    m_playerTool->setHostWidget(m_mainWindow);
    connectControlBar();
}

VideoView::~VideoView()
{
    auto *manager = AppManager::instance();
    if (manager->renderView() == m_renderView) {
        manager->setRenderView(nullptr);
    }
    if (manager->playerTool() == m_playerTool)
        manager->setPlayerTool(nullptr);
}

void VideoView::setupLogo()
{
    auto *logoLayout = new QHBoxLayout(m_renderView);
    m_logo = new QLabel(m_renderView);
    m_logo->setObjectName("logo");
    m_logo->setScaledContents(true);
    m_logo->setPixmap(QPixmap(":/Resources/PlayTool/logoBig.png"));
    m_logo->setAlignment(Qt::AlignCenter);
    m_logo->setFixedSize(m_logoWidth, m_logoHeight);
    logoLayout->addWidget(m_logo, 0, Qt::AlignCenter);
}

void VideoView::connectControlBar()
{
    PlayerTool *bar = m_playerTool;
    connect(bar, &PlayerTool::postFullSignals, this, &VideoView::setFullScreen);
    connect(bar, &PlayerTool::postFullSignalsForNoFiles, this, [this] { playList({}); });
    connect(bar, &PlayerTool::set3DPlayType, m_renderView, &RenderView::set360Mode);
    connect(bar, &PlayerTool::sameButton, this, &VideoView::willPlaySameVideo);
    connect(bar, &PlayerTool::nextButton, this, &VideoView::willPlayNextVideo);
    connect(bar, &PlayerTool::previousButton, this, &VideoView::willPlayPreviousVideo);
    connect(bar, &PlayerTool::starPlayNotification, this, &VideoView::starPlayNotification);
    connect(bar, &PlayerTool::starEndNotification, this, &VideoView::starEndNotification);
    connect(bar, &PlayerTool::eventsFound, this, &VideoView::eventsFound);
    connect(bar, &PlayerTool::currentPlayTime, this, [this](int second) {
        emit currentPlayTime(second);
        if (m_renderView->allViewsReady())
            emit postPlayingState();
    });
    connect(bar, &PlayerTool::postPlayErrorMessage, this, &VideoView::postPlayingState);
    connect(bar, &PlayerTool::postPlayErrorMessage, this, &VideoView::showPlayError);
}

void VideoView::playList(const QList<DbModel *> &models)
{
    qDebug() << "即将结束上一个播放，开始准备下一个播放";
    for (int i = 0; i < models.size(); ++i)
        qDebug() << "选中文件的路径是:" << i << "::::" << models.at(i)->path;
    if (models.isEmpty()) {
        emit postPlayingState();
        qDebug() << "list为空，没有文件";
        m_logo->show();
        if (isFullScreen())
            setFullScreen(false);
        //: 选择文件不存在
        auto *hud = new HudView(1, tr("select_files_No_Has"), false, 0, m_renderView);
        hud->show();
        m_playerTool->handleRecordsDeleted(false, true, nullptr, nullptr);
        return;
    }
    m_playerTool->resetProgress();
    m_errorShown = false;
    m_logo->hide();
    m_playerTool->setGroupList(models);
    startGroup(models, true);
}

void VideoView::showPlayError()
{
    // A failing file can report itself twice (libVLC's error, then its end).
    if (m_errorShown)
        return;
    m_errorShown = true;
    //: the chosen recording is damaged or not a video
    auto *hud = new HudView(1, tr("video_cannot_play"), false, 0, m_renderView);
    hud->show();
}

void VideoView::startGroup(const QList<DbModel *> &models, bool logSwaps)
{
    OrbPlayer *player = m_playerTool->player();
    // The old channels must stop before their views go and the new ones start.
    player->closeAll();
    RenderView::SwapCallback swap = [](QWidget *, int) {};
    if (logSwaps)
        swap = [](QWidget *, int) { qDebug() << "11111111111111111111"; };
    m_renderView->initViews(
        models, m_playerTool, swap, [this](bool on) { setFullScreen(on); },
        [this] { m_playerTool->togglePlayPause(); });
    player->playFiles(models, m_renderView->channelOutputs());
}

void VideoView::playListWithPlayerType(int type, const QList<DbModel *> &models)
{
    m_playerTool->stop();
    AppManager::instance()->switchPlayerType(static_cast<PlayerType>(type));
    m_playerTool->setZoomButtonsHidden(static_cast<PlayerType>(type) != PlayerType::OpenGL);
    for (const DbModel *model : models)
        qDebug() << "lllllllllll:::" << model->fileName;
    if (models.isEmpty())
        return;
    m_playerTool->resetProgress();
    m_playerTool->setGroupList(models);
    startGroup(models, false);
}

void VideoView::setFullScreen(bool on)
{
    m_renderView->closePopupViews();
    if (on) {
        qDebug() << "开始全屏";
        isFull = true;
        m_playerTool->setEmbedded(true);
        m_playerTool->setHostWidget(this);
        m_layout->setEnabled(false);
        setWindowFlags(Qt::Window);
        showFullScreen();
        // Without a window manager that honours the full-screen state (a bare
        // X server, some kiosks) the window would keep its old size.
        if (QScreen *screen = this->screen())
            setGeometry(screen->geometry());
        m_renderView->enterFullScreenGeometry();
        const int barHeight = m_playerTool->height();
        m_playerTool->setGeometry(10, m_renderView->height() - barHeight - 15,
                                  m_renderView->width() - 20, barHeight);
        m_playerTool->hide();
        if (m_mainWindow)
            m_mainWindow->hide();
        return;
    }
    isFull = false;
    m_playerTool->setEmbedded(false);
    m_playerTool->uncheckFullButton();
    m_playerTool->setHostWidget(m_mainWindow);
    setWindowFlags(m_savedWindowFlags);
    showNormal();
    m_renderView->restoreGeometry();
    const int barHeight = m_playerTool->height();
    m_playerTool->setGeometry(0, height() - barHeight, width(), barHeight);
    m_playerTool->show();
    m_layout->setEnabled(true);
    if (m_mainWindow)
        m_mainWindow->show();
}

void VideoView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The info page's "Display size" follows the area, full screen included.
    emit videoViewWindowFrameChange(size());
}

void VideoView::addFilesStarted()
{
    if (m_playerTool->isPlaying())
        m_playerTool->pause();
}

void VideoView::allFilesFinished()
{
    m_logo->show();
    if (isFullScreen())
        setFullScreen(false);
    m_playerTool->handleRecordsDeleted(false, true, nullptr, nullptr);
}

void VideoView::recordsDeleted(bool isDel, bool isAll, DbModel *model)
{
    m_playerTool->handleRecordsDeleted(isDel, isAll, model, m_logo);
}

void VideoView::closePlayer()
{
    m_playerTool->stop();
}

void VideoView::seekToSecond(int second)
{
    m_playerTool->seekToSecond(second);
}

void VideoView::paintEvent(QPaintEvent *)
{
    QPainter(this).fillRect(rect(), Palette::videoBackground());
}
