#include "app/MainComposition.h"

#include "app/KelmoraWidget.h"
#include "app/LogHandler.h"
#include "app/MprisService.h"
#include "app/Platform.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObjectState.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "telemetry/ClipFactsFiller.h"
#include "telemetry/DisplayMessageView.h"
#include "telemetry/GsensorView.h"
#include "telemetry/MapShow.h"
#include "telemetry/MessageInfoView.h"
#include "telemetry/TrackExporter.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QShortcut>
#include <QVBoxLayout>

namespace {
// The menu entry's icon, embedded so a window from the build tree has it too.
QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/Resources/PlayTool/appicon/%1.png").arg(size));
    return icon;
}

void zeroSpacing(QBoxLayout *layout)
{
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
}

// Ctrl+Right and Ctrl+Left go to the next and previous driving event; the
// whole application hears them, so they work in full screen too.
void connectEventKeys(QWidget *window, PlayerTool *bar)
{
    auto *next = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_Right), window);
    next->setObjectName(QStringLiteral("nextEventKey"));
    next->setContext(Qt::ApplicationShortcut);
    QObject::connect(next, &QShortcut::activated, bar, &PlayerTool::seekToNextEvent);
    auto *previous = new QShortcut(QKeySequence(Qt::CTRL + Qt::Key_Left), window);
    previous->setObjectName(QStringLiteral("previousEventKey"));
    previous->setContext(Qt::ApplicationShortcut);
    QObject::connect(previous, &QShortcut::activated, bar, &PlayerTool::seekToPreviousEvent);
}

void connectPanels(KelmoraWidget *window, const MainPanels &p)
{
    FilesListView *list = p.fileList;
    VideoView *video = p.videoView;
    QObject::connect(list, &FilesListView::starAddFiles, video, &VideoView::addFilesStarted);
    QObject::connect(list, &FilesListView::playFinishAllFiles, video, &VideoView::allFilesFinished);
    QObject::connect(list, &FilesListView::currentWillPlayList, video, &VideoView::playList);
    QObject::connect(list, &FilesListView::currentWillPlayListForChangePlayer, video,
                     &VideoView::playListWithPlayerType);
    QObject::connect(video, &VideoView::willPlaySameVideo, list, &FilesListView::playSameAs);
    QObject::connect(video, &VideoView::willPlayNextVideo, list,
                     [list](const QString &url, bool) { list->playNextOf(url); });
    QObject::connect(video, &VideoView::willPlayPreviousVideo, list,
                     &FilesListView::playPreviousOf);
    QObject::connect(list, &FilesListView::userSelectDelete, video, &VideoView::recordsDeleted);
    QObject::connect(video, &VideoView::starPlayNotification, p.map, &MapShow::onNewRecording);
    QObject::connect(video, &VideoView::starPlayNotification, p.telemetryPanel,
                     &DisplayMessageView::starPlayNotification);
    QObject::connect(video, &VideoView::currentPlayTime, p.map, &MapShow::onPlaySecond);
    QObject::connect(p.map, &MapShow::seekRequested, video, &VideoView::seekToSecond);
    QObject::connect(video, &VideoView::currentPlayTime, p.telemetryPanel,
                     &DisplayMessageView::currentPlayTime);
    QObject::connect(video, &VideoView::videoViewWindowFrameChange,
                     p.telemetryPanel->messageInfoView(), &MessageInfoView::setVideoArea);
    QObject::connect(video, &VideoView::postPlayingState, list, &FilesListView::enableList);
    QObject::connect(window, &KelmoraWidget::closePlayer, video, &VideoView::closePlayer);
    QObject::connect(window, &KelmoraWidget::pathsDropped, list, &FilesListView::openPaths);
    auto *exporter = new TrackExporter(window, window);
    QObject::connect(list, &FilesListView::exportTrackRequested, exporter,
                     &TrackExporter::exportTrack);
    QObject::connect(list, &FilesListView::tripPlaying, p.map, &MapShow::setTrip);
    QObject::connect(list, &FilesListView::tripPlaying, p.telemetryPanel,
                     &DisplayMessageView::setTrip);
    QObject::connect(video, &VideoView::eventsFound, p.telemetryPanel->gsensorView(),
                     &GsensorView::setEvents);
    connectEventKeys(window, video->playerTool());
}

MprisService::Status mprisStatus(PlayObjectState state)
{
    switch (state) {
    case Playing:
        return MprisService::Status::Playing;
    case Paused:
        return MprisService::Status::Paused;
    default:
        return MprisService::Status::Stopped;
    }
}

// What the player does feeds the desktop's player controls.
void feedMediaControls(MprisService *mpris, const MainPanels &p)
{
    PlayerTool *bar = p.videoView->playerTool();
    OrbPlayer *player = bar->player();
    QObject::connect(player, &OrbPlayer::playbackStateChange, mpris,
                     [mpris](PlayObjectState state) { mpris->setStatus(mprisStatus(state)); });
    QObject::connect(player, &OrbPlayer::durationChanged, mpris, &MprisService::setLength);
    QObject::connect(player, &OrbPlayer::positionChanged, mpris, &MprisService::setPosition);
    QObject::connect(p.videoView, &VideoView::starPlayNotification, mpris,
                     [mpris](VideoMessage *record) { mpris->setTrack(record->path); });
    QObject::connect(p.fileList, &FilesListView::playFinishAllFiles, mpris,
                     [mpris] { mpris->setTrack(QString()); });
    QObject::connect(bar, &PlayerTool::setSpeedPlay, mpris,
                     [mpris, player] { mpris->setRate(player->rate()); });
}

// Media keys and the desktop's player controls act as the control bar's buttons.
void connectMediaControls(KelmoraWidget *window, const MainPanels &p)
{
    auto *mpris = new MprisService(window);
    mpris->setObjectName(QStringLiteral("mprisService"));
    feedMediaControls(mpris, p);
    PlayerTool *bar = p.videoView->playerTool();
    QObject::connect(mpris, &MprisService::playPauseRequested, bar, &PlayerTool::togglePlayPause);
    QObject::connect(mpris, &MprisService::playRequested, bar, [bar] {
        if (!bar->isPlaying())
            bar->togglePlayPause();
    });
    QObject::connect(mpris, &MprisService::pauseRequested, bar, &PlayerTool::pause);
    // Stopped here is paused at the start, so Play starts the recording over.
    QObject::connect(mpris, &MprisService::stopRequested, bar, [bar] {
        bar->pause();
        bar->seekToSecond(0);
    });
    QObject::connect(mpris, &MprisService::nextRequested, bar, &PlayerTool::on_nextButton_clicked);
    QObject::connect(mpris, &MprisService::previousRequested, bar,
                     &PlayerTool::on_previousButton_clicked);
    const auto seek = [bar](qint64 milliseconds) { bar->seekToSecond(int(milliseconds / 1000)); };
    QObject::connect(mpris, &MprisService::seekRequested, bar, seek);
    QObject::connect(mpris, &MprisService::positionRequested, bar, seek);
    QObject::connect(mpris, &MprisService::rateRequested, bar, &PlayerTool::speedChosen);
    QObject::connect(mpris, &MprisService::raiseRequested, window, [window] {
        window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
        window->show();
        window->raise();
        window->activateWindow();
    });
    QObject::connect(mpris, &MprisService::quitRequested, window, &QWidget::close);
}

// Rows stored before clip facts existed, or never played, are read in the
// background so the list can group them into trips.
void fillClipFacts(FilesListView *list)
{
    auto *filler = new ClipFactsFiller(list);
    QObject::connect(list, &FilesListView::clipFactsMissing, filler, &ClipFactsFiller::add);
    QObject::connect(filler, &ClipFactsFiller::factsStored, list, &FilesListView::clipFactsStored);
    // The list loaded its rows before anything could listen.
    filler->add(list->rowsWithoutClipFacts());
}
} // namespace

void prepareProcess()
{
    Platform::tuneAllocator();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    LogHandler::instance();
    HudView::installAsLogPrompt();
}

void nameApplication()
{
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    QCoreApplication::setOrganizationName("Brisdale");
    QCoreApplication::setApplicationName("KelmoraPlayer");
    // Wayland compositors find the window's menu entry, and so its icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.kelmora.Player"));
    QGuiApplication::setWindowIcon(applicationIcon());
}

MainPanels composeMainWindow(KelmoraWidget *window)
{
    MainPanels panels;
    auto *leftMain = new QWidget(window);
    leftMain->setObjectName("leftMain");
    auto *leftLayout = new QVBoxLayout(leftMain);
    zeroSpacing(leftLayout);
    panels.telemetryPanel = new DisplayMessageView(leftMain);

    auto *leftTop = new QWidget;
    leftTop->setObjectName("left_topMain");
    QPalette background = leftTop->palette();
    background.setColor(QPalette::Window, Palette::videoBackground());
    leftTop->setPalette(background);
    leftTop->setAutoFillBackground(true);
    auto *topLayout = new QHBoxLayout(leftTop);
    zeroSpacing(topLayout);
    panels.videoView = new VideoView(leftMain, window, panels.telemetryPanel, leftLayout);
    topLayout->addWidget(panels.videoView, 0);
    leftLayout->addWidget(leftTop, 5);
    leftLayout->addWidget(panels.telemetryPanel, 2);

    auto *right = new QWidget;
    right->setObjectName("rightView11");
    auto *rightLayout = new QVBoxLayout(right);
    zeroSpacing(rightLayout);
    panels.map = new MapShow;
    panels.fileList = new FilesListView(window);
    panels.fileList->setVideoView(panels.videoView);

    connectPanels(window, panels);
    connectMediaControls(window, panels);
    fillClipFacts(panels.fileList);

    rightLayout->addWidget(panels.map, 1);
    rightLayout->addWidget(panels.fileList, 1);
    auto *mainLayout = new QHBoxLayout;
    zeroSpacing(mainLayout);
    mainLayout->addWidget(leftMain, 183);
    mainLayout->addWidget(right, 94);
    window->setLayout(mainLayout);
    return panels;
}

QString libraryNotice(const DbManager &store)
{
    switch (store.openState()) {
    case DbManager::OpenState::MovedAside:
        return QCoreApplication::translate("MainComposition",
                                           "The video library was damaged. It was kept as %1 and a "
                                           "new library was started.")
            .arg(QFileInfo(store.movedAsidePath()).fileName());
    case DbManager::OpenState::CannotSave:
        return QCoreApplication::translate(
            "MainComposition",
            "The video library cannot be saved: the app-data folder cannot be written.");
    case DbManager::OpenState::Ready:
        break;
    }
    return QString();
}

void openFromOutside(KelmoraWidget *window, const MainPanels &panels, const QStringList &paths)
{
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
    if (!paths.isEmpty())
        panels.fileList->openPaths(paths);
}

void afterMainWindowShown(const MainPanels &panels)
{
    panels.telemetryPanel->messageInfoView()->setVideoArea(panels.videoView->geometry().size());
    const QString notice = libraryNotice(*DbManager::instance());
    if (notice.isEmpty())
        return;
    qWarning().noquote() << "library notice shown:" << notice;
    auto *hud = new HudView(0, notice, false, 0);
    hud->setObjectName(QStringLiteral("libraryNotice"));
    hud->show();
}
