// The main window as the program composes it, on a real library file and
// real recordings: its layout, and each connection between its panels shown
// by what it changes at the receiving panel.
#include "app/AppManager.h"
#include "app/KelmoraWidget.h"
#include "app/MainComposition.h"
#include "app/MprisService.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/GpsItem.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "telemetry/DisplayMessageView.h"
#include "telemetry/GsensorView.h"
#include "telemetry/MapShow.h"
#include "telemetry/MessageInfoView.h"
#include "telemetry/SpeedDial.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestHome.h"
#include "tests/support/TestRecords.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusVariant>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTextEdit>
#include <QtTest>
#include <functional>
#include <memory>

namespace {

// Five seconds of driving north at a steady heading of 90°, with G-sensor samples.
VideoMessage telemetryRecord()
{
    VideoMessage record;
    record.path = QStringLiteral("/rec/2024_0101_120000_F.MP4");
    record.name = QStringLiteral("2024_0101_120000_F.MP4");
    record.duration = QStringLiteral("5");
    record.aevSpeed = QStringLiteral("30.000");
    record.maxSpeed = QStringLiteral("40.000");
    for (int s = 0; s < 5; ++s) {
        GpsItem item;
        item.status = true;
        item.speed = QString::number(30 + s);
        item.angle = 90.0f;
        item.latitude = QString::number(35.681236 + s * 0.0004, 'f', 6);
        item.longitude = QStringLiteral("139.767125");
        record.gpsItems.insert(QString::number(s), item);
        record.gsensorItems.insert(QString::number(s), {QString::number(s / 10.0), "-0.5", "1.0"});
        ++record.gpsTotailNum;
    }
    return record;
}

// One composed main window over the test's library, and what the rows hand its panels.
struct Rig
{
    // Declared before the window: the panels point at them until the window goes.
    VideoMessage record = telemetryRecord();
    QList<DbModel *> models;
    std::unique_ptr<KelmoraWidget> window;
    MainPanels panels;

    ~Rig()
    {
        window.reset();
        AppManager::instance()->setMainWindow(nullptr);
        qDeleteAll(models);
    }

    bool compose()
    {
        window = std::make_unique<KelmoraWidget>();
        AppManager::instance()->setMainWindow(window.get());
        panels = composeMainWindow(window.get());
        window->resize(1108, 693);
        window->show();
        return QTest::qWaitForWindowExposed(window.get());
    }

    QList<DbModel *> group(const QString &path)
    {
        const QList<DbModel *> made = newModelsFor({path});
        models << made;
        return made;
    }

    PlayerTool *bar() const { return panels.videoView->playerTool(); }
    OrbPlayer *player() const { return bar()->player(); }
    bool playing(const QString &path) const
    {
        return bar()->isPlaying() && player()->currentUrl() == path;
    }
    // Started here rather than through the list, so no other wiring is involved.
    bool playDirectly(const QString &path)
    {
        panels.videoView->playList(group(path));
        return QTest::qWaitFor([&] { return playing(path); }, 20000);
    }
    // The playback area at rest: the cover shown, no channel, the bar's buttons off.
    bool idle() const
    {
        return !panels.videoView->logo()->isHidden() && !player()->masterChannel()
            && !bar()->findChild<QPushButton *>("playButton")->isEnabled();
    }
    QString listedPath() const
    {
        const DbModel *current = panels.fileList->currentModel();
        return current ? current->path : QString();
    }
    QString playInformation() const
    {
        return panels.telemetryPanel->messageInfoView()
            ->findChild<QTextEdit *>("textEdit")
            ->toPlainText();
    }
};

// One connection of the composition: the receiver is first put in the state
// opposite to the effect, the sender's signal is emitted, and the effect that
// only the connection can bring is awaited at the receiver.
struct Wiring
{
    std::function<bool(Rig &)> arrange;
    std::function<void(Rig &)> fire;
    std::function<bool(Rig &)> effect;
};

bool nothingToArrange(Rig &)
{
    return true;
}

TelemetryEvent makeEvent(TelemetryEvent::Kind kind, int second, int endSecond, double peak)
{
    TelemetryEvent made;
    made.kind = kind;
    made.second = second;
    made.endSecond = endSecond;
    made.peak = peak;
    return made;
}

// Playing, paused, with hand-made events at 10 s and 16 s and the window
// active for its keys. The record's own events (none in a clip without
// telemetry) came before.
bool pausedWithEvents(Rig &r, const QString &path, int atSecond)
{
    if (!r.playDirectly(path))
        return false;
    QTest::qWait(1000);
    r.bar()->pause();
    r.bar()->showEvents({makeEvent(TelemetryEvent::Kind::Turn, 10, 11, 0.5),
                         makeEvent(TelemetryEvent::Kind::Impact, 16, 16, 1.9)});
    r.bar()->seekToSecond(atSecond);
    r.window->activateWindow();
    return QTest::qWaitForWindowActive(r.window.get());
}

int sliderValue(Rig &r)
{
    return r.bar()->findChild<QSlider *>()->value();
}

} // namespace

Q_DECLARE_METATYPE(Wiring)

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void splitsFollowTheStretchFactors_data();
    void splitsFollowTheStretchFactors();
    void panelsAreWired_data();
    void panelsAreWired();
    void eventMarksPicture();
    void mediaControlsDriveThePlayer();
    void droppedFolderIsImportedAndPlays();

private:
    // The desktop's view of the player, on the test's own bus.
    QVariant mprisProperty(const QString &name);
    QDBusMessage mprisCall(const QString &method);

    QTemporaryDir m_media;
    PrivateBus m_bus;
    // Listed in this order: alpha is row 0, bravo row 1.
    QString m_alpha;
    QString m_bravo;
};

void TestMainWindow::initTestCase()
{
    // Before any window: the session bus connection is made once, on first use.
    QVERIFY2(!m_bus.address().isEmpty(), "dbus-daemon did not start");
    m_bus.becomeSessionBus();
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    const auto make = [this](const QString &name) {
        const QString path = makeTestClip(QDir(m_media.path()).filePath(name),
                                          "testsrc2=s=320x180:r=25:d=20", "sine=d=20");
        // The list finds a recording by its canonical path.
        return path.isEmpty() ? path : QFileInfo(path).canonicalFilePath();
    };
    m_alpha = make("drive_alpha.mp4");
    m_bravo = make("drive_bravo.mp4");
    QVERIFY(!m_alpha.isEmpty() && !m_bravo.isEmpty());
    int stamp = 0;
    for (const QString &path : {m_alpha, m_bravo}) {
        DbModel entry;
        entry.path = path;
        entry.fileName = QFileInfo(path).fileName();
        entry.time = QStringLiteral("2024010112000000%1").arg(stamp++);
        entry.size = QStringLiteral("1.0");
        QVERIFY(entry.insertToDb());
    }
}

void TestMainWindow::cleanup()
{
    AppManager::instance()->switchPlayerType(PlayerType::OpenGL);
}

void TestMainWindow::splitsFollowTheStretchFactors_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("small screen size") << QSize(1108, 693);
    QTest::newRow("large screen size") << QSize(1715, 1010);
}

void TestMainWindow::splitsFollowTheStretchFactors()
{
    QFETCH(QSize, size);
    KelmoraWidget window;
    AppManager::instance()->setMainWindow(&window);
    const MainPanels panels = composeMainWindow(&window);
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    afterMainWindowShown(panels);
    QCoreApplication::processEvents();

    auto *left = window.findChild<QWidget *>("leftMain");
    auto *right = window.findChild<QWidget *>("rightView11");
    auto *top = window.findChild<QWidget *>("left_topMain");
    QVERIFY(left && right && top);
    QVERIFY(qAbs(left->width() - size.width() * 183.0 / 277.0) <= 2.0);
    QVERIFY(qAbs(right->width() - size.width() * 94.0 / 277.0) <= 2.0);
    const double leftHeight = left->height();
    QVERIFY2(qAbs(top->height() - leftHeight * 5.0 / 7.0) <= 2.0,
             qPrintable(QString::number(top->height())));
    QVERIFY(qAbs(panels.map->height() - panels.fileList->height()) <= 1);
    QCOMPARE(top->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(top->isAncestorOf(panels.videoView));
    QVERIFY(right->isAncestorOf(panels.map));
    AppManager::instance()->setMainWindow(nullptr);
}

void TestMainWindow::panelsAreWired_data()
{
    QTest::addColumn<Wiring>("wiring");
    const QString alpha = m_alpha;
    const QString bravo = m_bravo;

    QTest::newRow("1 starAddFiles pauses playback")
        << Wiring {[alpha](Rig &r) { return r.playDirectly(alpha); },
                   [](Rig &r) { emit r.panels.fileList->starAddFiles(); },
                   [](Rig &r) { return r.player()->state() == Paused; }};
    QTest::newRow("2 playFinishAllFiles returns the area to rest")
        << Wiring {[alpha](Rig &r) { return r.playDirectly(alpha); },
                   [](Rig &r) { emit r.panels.fileList->playFinishAllFiles(); },
                   [](Rig &r) { return r.idle(); }};
    QTest::newRow("3 currentWillPlayList plays the group")
        << Wiring {nothingToArrange,
                   [alpha](Rig &r) { emit r.panels.fileList->currentWillPlayList(r.group(alpha)); },
                   [alpha](Rig &r) { return r.playing(alpha); }};
    QTest::newRow("4 currentWillPlayListForChangePlayer switches the type and plays") << Wiring {
        [](Rig &) {
            AppManager::instance()->switchPlayerType(PlayerType::NativeWindow);
            return true;
        },
        [alpha](Rig &r) {
            emit r.panels.fileList->currentWillPlayListForChangePlayer(
                choiceNumber(PlayerType::OpenGL), r.group(alpha));
        },
        [alpha](Rig &r) {
            return AppManager::instance()->playerType() == PlayerType::OpenGL && r.playing(alpha);
        }};
    QTest::newRow("5 willPlaySameVideo chooses that row again") << Wiring {
        nothingToArrange, [alpha](Rig &r) { emit r.panels.videoView->willPlaySameVideo(alpha); },
        [alpha](Rig &r) { return r.listedPath() == alpha; }};
    QTest::newRow("6 willPlayNextVideo chooses the next row")
        << Wiring {nothingToArrange,
                   [alpha](Rig &r) { emit r.panels.videoView->willPlayNextVideo(alpha, true); },
                   [bravo](Rig &r) { return r.listedPath() == bravo; }};
    QTest::newRow("7 willPlayPreviousVideo chooses the previous row")
        << Wiring {nothingToArrange,
                   [bravo](Rig &r) { emit r.panels.videoView->willPlayPreviousVideo(bravo); },
                   [alpha](Rig &r) { return r.listedPath() == alpha; }};
    // The list hands its own row, which the bar matches to the playing group by path.
    QTest::newRow("8 userSelectDelete of the playing row stops it") << Wiring {
        [alpha](Rig &r) { return r.playDirectly(alpha); },
        [](Rig &r) {
            emit r.panels.fileList->userSelectDelete(true, false, r.panels.fileList->modelAt(0));
        },
        [](Rig &r) { return r.idle(); }};
    // Offline the probe never answers: say the network is there, as a good probe would.
    QTest::newRow("9 starPlayNotification shows the map of a track")
        << Wiring {[](Rig &r) {
                       r.panels.map->onNetworkResult(true);
                       return true;
                   },
                   [](Rig &r) { emit r.panels.videoView->starPlayNotification(&r.record); },
                   [](Rig &r) { return r.panels.map->isMapShown(); }};
    QTest::newRow("10 starPlayNotification fills the telemetry panel") << Wiring {
        nothingToArrange, [](Rig &r) { emit r.panels.videoView->starPlayNotification(&r.record); },
        [](Rig &r) {
            return r.playInformation().contains(r.record.name)
                && !r.panels.telemetryPanel->gsensorView()->xPoints().isEmpty();
        }};
    QTest::newRow("11 currentPlayTime turns the map's compass")
        << Wiring {[](Rig &r) {
                       r.panels.map->onNetworkResult(true);
                       if (!QTest::qWaitFor([&] { return r.panels.map->isPageReady(); }, 20000))
                           return false;
                       r.panels.map->onNewRecording(&r.record);
                       return true;
                   },
                   [](Rig &r) { emit r.panels.videoView->currentPlayTime(2); },
                   [](Rig &r) { return r.panels.map->lastCompassHeading() == 90.0f; }};
    QTest::newRow("12 currentPlayTime moves the telemetry panel")
        << Wiring {[](Rig &r) {
                       r.panels.telemetryPanel->starPlayNotification(&r.record);
                       return true;
                   },
                   [](Rig &r) { emit r.panels.videoView->currentPlayTime(2); },
                   [](Rig &r) {
                       return r.panels.telemetryPanel->gsensorView()->current() == 2
                           && r.panels.telemetryPanel->speedDial()->speed() > 0;
                   }};
    // Emitted here: the area's own resizes give other sizes (it is at least 732 × 495).
    QTest::newRow("13 videoViewWindowFrameChange sets the shown display size") << Wiring {
        [](Rig &r) {
            r.panels.telemetryPanel->messageInfoView()->setVideo(&r.record);
            return true;
        },
        [](Rig &r) { emit r.panels.videoView->videoViewWindowFrameChange(QSize(640, 400)); },
        [](Rig &r) { return r.playInformation().contains("640*317"); }};
    QTest::newRow("14 postPlayingState enables the list again")
        << Wiring {[](Rig &r) {
                       r.panels.fileList->listWidget()->setEnabled(false);
                       return true;
                   },
                   [](Rig &r) { emit r.panels.videoView->postPlayingState(); },
                   [](Rig &r) { return r.panels.fileList->listWidget()->isEnabled(); }};
    QTest::newRow("15 closing the window stops the player") << Wiring {
        [alpha](Rig &r) { return r.playDirectly(alpha); }, [](Rig &r) { r.window->close(); },
        [](Rig &r) {
            const PlayObject *master = r.player()->masterChannel();
            return master && master->isClosed();
        }};
    // The seek sets the slider to 12 s at once; only playback going on from
    // there takes it beyond.
    QTest::newRow("16 a click on the map's route seeks the player")
        << Wiring {[alpha](Rig &r) { return r.playDirectly(alpha); },
                   [](Rig &r) { emit r.panels.map->seekRequested(12); },
                   [](Rig &r) {
                       const int position = r.bar()->findChild<QSlider *>()->value();
                       return position > 12500 && position < 19000;
                   }};
    QTest::newRow("17 eventsFound marks the G-sensor chart") << Wiring {
        nothingToArrange,
        [](Rig &r) {
            emit r.panels.videoView->eventsFound(
                {makeEvent(TelemetryEvent::Kind::Braking, 3, 4, 0.4)});
        },
        [](Rig &r) { return r.panels.telemetryPanel->gsensorView()->events().size() == 1; }};
    QTest::newRow("18 Ctrl+Right seeks to 2 s before the next event") << Wiring {
        [alpha](Rig &r) { return pausedWithEvents(r, alpha, 1); },
        [](Rig &r) { QTest::keyClick(r.window.get(), Qt::Key_Right, Qt::ControlModifier); },
        [](Rig &r) { return sliderValue(r) == 8000; }};
    QTest::newRow("19 Ctrl+Left seeks to 2 s before the event begun before") << Wiring {
        [alpha](Rig &r) { return pausedWithEvents(r, alpha, 13); },
        [](Rig &r) { QTest::keyClick(r.window.get(), Qt::Key_Left, Qt::ControlModifier); },
        [](Rig &r) { return sliderValue(r) == 8000; }};
}

// The picture of the README: a recording with telemetry, marks on the bar's
// slider and on the chart (events made by hand, as the detector's tuning is
// not this picture's subject).
void TestMainWindow::eventMarksPicture()
{
    RecordingFactory factory(m_media.path());
    factory.setVideo(320, 180);
    factory.setPreset("ultrafast");
    QVector<FixtureSample> samples = longDrive(40);
    samples[12].acc[0] = -650;
    samples[13].acc[0] = -450;
    samples[25].acc[1] = 560;
    samples[26].acc[1] = 480;
    samples[33].acc[0] = 1700;
    const QString name = QStringLiteral("2023_0501_120000_F.MOV");
    QVERIFY2(factory.makeBlockTrack(name, samples, RecordingFactory::BlockMode::SampleSize),
             qPrintable(factory.error()));
    Rig rig;
    QVERIFY(rig.compose());
    rig.window->resize(1280, 800);
    QVERIFY(rig.playDirectly(factory.path(name)));
    GsensorView *chart = rig.panels.telemetryPanel->gsensorView();
    QTRY_VERIFY_WITH_TIMEOUT(chart->xPoints().size() >= 30, 20000);
    QTest::qWait(500);
    rig.bar()->pause();
    rig.bar()->showEvents({makeEvent(TelemetryEvent::Kind::Speeding, 4, 7, 62),
                           makeEvent(TelemetryEvent::Kind::Braking, 12, 13, 0.65),
                           makeEvent(TelemetryEvent::Kind::Turn, 25, 26, 0.56),
                           makeEvent(TelemetryEvent::Kind::Impact, 33, 33, 1.7)});
    QCOMPARE(chart->events().size(), 4);
    rig.bar()->seekToSecond(18);
    QTest::qWait(1000);
    const QImage shot = rig.window->grab().toImage();
    QVERIFY(shot.save(screenshotPath("events-marks.png")));
}

QDBusMessage TestMainWindow::mprisCall(const QString &method)
{
    const QDBusConnection desktop
        = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("desktop"));
    return PrivateBus::call(
        desktop,
        QDBusMessage::createMethodCall(QStringLiteral("org.mpris.MediaPlayer2.kelmora"),
                                       QStringLiteral("/org/mpris/MediaPlayer2"),
                                       QStringLiteral("org.mpris.MediaPlayer2.Player"), method));
}

QVariant TestMainWindow::mprisProperty(const QString &name)
{
    const QDBusConnection desktop
        = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("desktop"));
    QDBusMessage get = QDBusMessage::createMethodCall(
        QStringLiteral("org.mpris.MediaPlayer2.kelmora"), QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.mpris.MediaPlayer2.Player") << name;
    const QDBusMessage reply = PrivateBus::call(desktop, get);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().first().value<QDBusVariant>().variant();
}

// The desktop's play/pause and next, through D-Bus, act on the real player
// and the desktop reads the state back.
void TestMainWindow::mediaControlsDriveThePlayer()
{
    Rig rig;
    QVERIFY(rig.compose());
    const auto *mpris = rig.window->findChild<MprisService *>("mprisService");
    QVERIFY(mpris && mpris->isRegistered());
    const auto status = [this] { return mprisProperty("PlaybackStatus").toString(); };
    const auto title = [this] {
        return qdbus_cast<QVariantMap>(mprisProperty("Metadata")).value("xesam:title").toString();
    };
    QCOMPARE(status(), QString("Stopped"));
    QVERIFY(rig.playDirectly(m_alpha));
    QTRY_COMPARE(status(), QString("Playing"));
    QTRY_COMPARE(title(), QString("drive_alpha.mp4"));
    QCOMPARE(qdbus_cast<QVariantMap>(mprisProperty("Metadata")).value("mpris:length").toLongLong()
                 / 1000000,
             20LL);

    QCOMPARE(mprisCall("PlayPause").type(), QDBusMessage::ReplyMessage);
    QTRY_COMPARE(rig.player()->state(), Paused);
    QTRY_COMPARE(status(), QString("Paused"));
    QCOMPARE(mprisCall("PlayPause").type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY(rig.playing(m_alpha));
    QTRY_COMPARE(status(), QString("Playing"));

    // Next, as the bar's button, once the recording has shown some progress.
    QTRY_VERIFY(sliderValue(rig) > 0);
    QCOMPARE(mprisCall("Next").type(), QDBusMessage::ReplyMessage);
    QTRY_VERIFY_WITH_TIMEOUT(rig.playing(m_bravo), 20000);
    QTRY_COMPARE(title(), QString("drive_bravo.mp4"));
    QCOMPARE(rig.listedPath(), m_bravo);
}

void TestMainWindow::droppedFolderIsImportedAndPlays()
{
    Rig rig;
    QVERIFY(rig.compose());
    // The drop goes to the nearest widget under the pointer that takes drops:
    // a panel that took them would swallow the files (the map would even
    // show the recording as its page).
    for (const QWidget *child : rig.window->findChildren<QWidget *>())
        QVERIFY2(!child->acceptDrops(), child->metaObject()->className());

    const QString folder = QDir(m_media.path()).filePath("card/Movie");
    QVERIFY(QDir().mkpath(folder));
    const QString clip = makeTestClip(QDir(folder).filePath("dropped 'ü'.mp4"),
                                      "testsrc2=s=320x180:r=25:d=5", "sine=d=5");
    QVERIFY(!clip.isEmpty());
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QDir(m_media.path()).filePath("card"))});
    const QPoint at = rig.panels.fileList->mapTo(rig.window.get(), QPoint(50, 200));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rig.window.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(rig.window.get(), &drop);
    QVERIFY(drop.isAccepted());

    const QString played = QFileInfo(clip).canonicalFilePath();
    QTRY_VERIFY_WITH_TIMEOUT(rig.playing(played), 30000);
    QCOMPARE(rig.panels.fileList->rowCount(), 3);
    QCOMPARE(rig.listedPath(), played);
}

void TestMainWindow::panelsAreWired()
{
    QFETCH(Wiring, wiring);
    Rig rig;
    QVERIFY(rig.compose());
    QCOMPARE(rig.panels.fileList->rowCount(), 2);
    QVERIFY(wiring.arrange(rig));
    QVERIFY2(!wiring.effect(rig), "the effect is there before the signal");
    wiring.fire(rig);
    QTRY_VERIFY_WITH_TIMEOUT(wiring.effect(rig), 20000);
}

KELMORA_TEST_MAIN(QApplication, TestMainWindow)
#include "tst_mainwindow.moc"
