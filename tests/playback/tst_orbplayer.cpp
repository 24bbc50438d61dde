// The multi-channel player and the render views on real libVLC, real OpenGL
// and a real library file, playing small recordings made by ffmpeg.
#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/SettingsKeys.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "render/AVView.h"
#include "render/ControlBarInterface.h"
#include "render/RenderView.h"
#include "render/VideoRender.h"
#include "telemetry/RecordLookup.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/support/SanitizerSkips.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestHome.h"
#include "tests/support/TestRecords.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {
// Stands in for the control bar, which lives in another library: records what
// the render view asks of it.
class RecordingControlBar final : public ControlBarInterface
{
public:
    QList<bool> panoramaEnabled;
    QList<bool> zoomEnabled;
    int popupClears = 0;
    void setPanoramaButtonEnabled(bool enabled) override { panoramaEnabled << enabled; }
    void setZoomButtonsEnabled(bool enabled) override { zoomEnabled << enabled; }
    void clearPopupReferences() override { ++popupClears; }
};

QString makeClip(const QString &folder, const QString &name, const QString &colour, double seconds)
{
    return makeTestClip(QDir(folder).filePath(name),
                        QString("testsrc2=s=320x180:r=25:d=%1,drawbox=c=%2:t=fill:w=80:h=80")
                            .arg(seconds)
                            .arg(colour));
}

QList<PlayObjectState> statesOf(const QSignalSpy &spy)
{
    QList<PlayObjectState> states;
    for (const QList<QVariant> &args : spy)
        states << args.at(0).value<PlayObjectState>();
    return states;
}
} // namespace

class TestOrbPlayer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void missingFrameReportsAtMostEveryTenSeconds();
    void threeChannelsPlayInStep();
    void pauseSeekAndRate();
    void volumeIsPersisted();
    void thumbnailClickSwapsIntoTheMainPosition();
    void panoramicRecordingGetsAPanoramaView_data();
    void panoramicRecordingGetsAPanoramaView();
    void nativeWindowPathDrawsIntoTheView();
    void shortViewListIsRefusedWithAnError();
    void missingFileEndsInAReportedError();
    void telemetryIsReadWhileThePictureStarts();

private:
    QList<DbModel *> group(const QStringList &paths);
    void startGroup(const QStringList &paths);

    QTemporaryDir m_dir;
    QStringList m_clips;
    std::unique_ptr<QWidget> m_area;
    RenderView *m_renderView = nullptr;
    RecordingControlBar *m_bar = nullptr;
    std::unique_ptr<OrbPlayer> m_player;
    QList<DbModel *> m_models;
};

void TestOrbPlayer::initTestCase()
{
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    const QStringList names {"2023_0501_120000_F.mp4", "2023_0501_120000_R.mp4",
                             "2023_0501_120000_I.mp4"};
    const QStringList colours {"red", "green", "blue"};
    for (int i = 0; i < names.size(); ++i)
        m_clips << makeClip(m_dir.path(), names.at(i), colours.at(i), 3.0);
    QVERIFY(!m_clips.contains(QString()));
}

void TestOrbPlayer::init()
{
    m_area = std::make_unique<QWidget>();
    m_area->resize(1108, 660);
    m_renderView = new RenderView(m_area.get());
    m_renderView->setGeometry(0, 0, 1108, 600);
    m_bar = new RecordingControlBar;
    m_bar->setParent(m_area.get());
    m_bar->setGeometry(0, 600, 1108, 60);
    m_area->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
    m_player = std::make_unique<OrbPlayer>();
}

void TestOrbPlayer::cleanup()
{
    m_player.reset();
    m_area.reset();
    qDeleteAll(m_models);
    m_models.clear();
}

QList<DbModel *> TestOrbPlayer::group(const QStringList &paths)
{
    const QList<DbModel *> models = newModelsFor(paths);
    m_models << models;
    return models;
}

void TestOrbPlayer::startGroup(const QStringList &paths)
{
    const QList<DbModel *> models = group(paths);
    m_player->closeAll();
    const QList<QWidget *> views = m_renderView->initViews(models, m_bar, {}, {}, {});
    QCOMPARE(views.size(), models.size());
    m_player->playFiles(models, m_renderView->channelOutputs());
}

void TestOrbPlayer::missingFrameReportsAtMostEveryTenSeconds()
{
    const char *late = "picture is too late to be displayed (missing 62 ms)";
    const qint64 t0 = 4'000'000'000'000;
    QVERIFY(OrbPlayer::takeMissingFrameReport(3, late, t0));
    QVERIFY(!OrbPlayer::takeMissingFrameReport(3, late, t0 + 5000));
    QVERIFY(!OrbPlayer::takeMissingFrameReport(3, late, t0 + 10000));
    QVERIFY(OrbPlayer::takeMissingFrameReport(3, late, t0 + 10001));
    QVERIFY(!OrbPlayer::takeMissingFrameReport(2, late, t0 + 30000)); // not a warning
    QVERIFY(!OrbPlayer::takeMissingFrameReport(3, "buffer deadlock prevented", t0 + 30000));

    // Many libVLC threads at once: still a single report.
    std::atomic_int reports {0};
    std::vector<std::unique_ptr<QThread>> threads;
    for (int i = 0; i < 4; ++i) {
        threads.emplace_back(QThread::create([&reports, late, t0] {
            for (int k = 0; k < 1000; ++k)
                reports += OrbPlayer::takeMissingFrameReport(3, late, t0 + 60000 + k) ? 1 : 0;
        }));
        threads.back()->start();
    }
    for (auto &thread : threads)
        QVERIFY(thread->wait(10000));
    QCOMPARE(reports.load(), 1);
}

void TestOrbPlayer::threeChannelsPlayInStep()
{
    QSignalSpy states(m_player.get(), &OrbPlayer::playbackStateChange);
    QSignalSpy durations(m_player.get(), &OrbPlayer::durationChanged);
    QSignalSpy positions(m_player.get(), &OrbPlayer::positionChanged);
    QSignalSpy metaData(m_player.get(), &OrbPlayer::metaDataChanged);
    startGroup(m_clips);

    QCOMPARE(m_player->channels().size(), 3);
    QCOMPARE(m_player->instanceCount(), 2);
    QList<int> instances;
    for (PlayObject *channel : m_player->channels())
        instances << m_player->instanceIndexOf(channel);
    QCOMPARE(instances, (QList<int> {0, 1, 1}));
    QCOMPARE(m_player->masterChannel(), m_player->channels().first());
    QCOMPARE(m_player->currentUrl(), m_clips.first());
    QCOMPARE(m_renderView->glViewCount(), 3);

    QTRY_VERIFY_WITH_TIMEOUT(m_renderView->allViewsReady(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(Ended), 30000);
    QCOMPARE(statesOf(states).first(), Playing);
    QVERIFY(!durations.isEmpty());
    QVERIFY(qAbs(durations.first().at(0).toLongLong() - 3000) <= 100);
    // With each duration, and once more if the telemetry arrives after it.
    QVERIFY(metaData.size() == durations.size() || metaData.size() == durations.size() + 1);
    auto *record = metaData.first().at(0).value<VideoMessage *>();
    QVERIFY(record);
    QCOMPARE(record->width, QString("320"));
    QVERIFY(positions.size() > 3);
    for (QWidget *view : m_renderView->views())
        QVERIFY(qobject_cast<VideoRender *>(view)->framesTaken() > 0);
    // The parsed records were cached: the next look-up comes from the database.
    QTest::ignoreMessage(QtDebugMsg, "db retuen data succeed");
    m_renderView->initViews(group({m_clips.first()}), m_bar, {}, {}, {});
}

void TestOrbPlayer::pauseSeekAndRate()
{
    m_player->setRate(2.0); // before the group: new channels start at 2x
    QSignalSpy states(m_player.get(), &OrbPlayer::playbackStateChange);
    QSignalSpy positions(m_player.get(), &OrbPlayer::positionChanged);
    startGroup({m_clips.at(0), m_clips.at(1)});
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(Playing), 20000);
    for (PlayObject *channel : m_player->channels())
        QCOMPARE(channel->rate(), 2.0);
    m_player->setRate(1.0);

    QTRY_VERIFY_WITH_TIMEOUT(m_renderView->allViewsReady(), 20000);
    m_player->pause();
    QTRY_COMPARE_WITH_TIMEOUT(statesOf(states).last(), Paused, 10000);
    for (QWidget *view : m_renderView->views())
        QVERIFY(!qobject_cast<VideoRender *>(view)->acceptFrames());
    positions.clear();
    QTest::qWait(500);
    QCOMPARE(positions.size(), 0); // no position while paused

    m_player->setTime(2000);
    m_player->play();
    QTRY_VERIFY_WITH_TIMEOUT(!positions.isEmpty(), 10000);
    QVERIFY(positions.last().at(0).toLongLong() >= 1900);
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(Ended), 20000);
}

void TestOrbPlayer::volumeIsPersisted()
{
    settingsValue(SettingsKeys::VideoSound, 0, true);
    QCOMPARE(OrbPlayer().volume(), 0.7);
    m_player->setVolume(0.35);
    QCOMPARE(settingsValue(SettingsKeys::VideoSound), QString("0.35"));
    QCOMPARE(OrbPlayer().volume(), 0.35);
}

void TestOrbPlayer::thumbnailClickSwapsIntoTheMainPosition()
{
    startGroup(m_clips);
    const QList<QWidget *> before = m_renderView->views();
    QCOMPARE(before.at(1)->geometry().height(), int(600 * (1.7777778 / 1.777778 * 0.31553398)));
    m_bar->panoramaEnabled.clear();

    QTest::mouseClick(before.at(0), Qt::LeftButton);
    QCOMPARE(m_renderView->views(), before); // the main view never swaps

    QTest::mouseClick(before.at(2), Qt::LeftButton);
    QTRY_COMPARE(m_renderView->views().first(), before.at(2));
    QCOMPARE(m_renderView->views().at(2), before.at(0));
    QCOMPARE(before.at(2)->geometry(), m_renderView->rect());
    QCOMPARE(qobject_cast<VideoRender *>(before.at(2))->controlBar(), m_bar);
    QCOMPARE(qobject_cast<VideoRender *>(before.at(0))->controlBar(), nullptr);
    QCOMPARE(m_bar->panoramaEnabled, QList<bool> {false});
    // Sound and events stay with channel 0 whatever is in front.
    QCOMPARE(m_player->masterChannel()->url(), m_clips.first());
}

void TestOrbPlayer::panoramicRecordingGetsAPanoramaView_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filesType"); // of the cached record
    QTest::addColumn<bool>("storedFlag"); // is3DVideo as the library row holds it
    QTest::addColumn<int>("choice"); // DbModel::ViewChoice
    QTest::addColumn<bool>("panorama");
    const int automatic = int(DbModel::ViewChoice::Automatic);
    QTest::newRow("panoramic channel")
        << "2023_0501_130000_A.mp4" << 3 << false << automatic << true;
    // Earlier versions stored the flag for any "F": a front camera plays flat.
    QTest::newRow("front camera, old row")
        << "2023_0501_130000_F.mp4" << 0 << true << automatic << false;
    QTest::newRow("front camera chosen 360")
        << "2023_0501_130000_F.mp4" << 0 << false << int(DbModel::ViewChoice::Panorama) << true;
    QTest::newRow("panoramic channel chosen flat")
        << "2023_0501_130000_A.mp4" << 3 << true << int(DbModel::ViewChoice::Flat) << false;
}

void TestOrbPlayer::panoramicRecordingGetsAPanoramaView()
{
    QFETCH(QString, name);
    QFETCH(int, filesType);
    QFETCH(bool, storedFlag);
    QFETCH(int, choice);
    QFETCH(bool, panorama);
    const QString path = QDir(m_dir.path()).filePath(name);
    QFile::remove(path);
    QVERIFY(QFile::copy(m_clips.first(), path));
    DbManager::instance()->deleteData(DbTableKind::VideoMessage, {{"path", path}});
    VideoMessage stored;
    stored.fileName = QFileInfo(path).fileName();
    stored.path = path;
    stored.width = "320";
    stored.height = "180";
    stored.filesType = filesType;
    stored.saveToDb();
    QVERIFY(stored.isSave);

    AppManager::instance()->setPanoramaModelType(PanoramaMode::Sphere);
    const QList<DbModel *> models = group({path, m_clips.at(1)});
    models.first()->is3DVideo = storedFlag;
    models.first()->viewChoice = DbModel::ViewChoice(choice);
    m_player->closeAll();
    QCOMPARE(m_renderView->initViews(models, m_bar, {}, {}, {}).size(), 2);
    m_player->playFiles(models, m_renderView->channelOutputs());
    auto *main = qobject_cast<VideoRender *>(m_renderView->views().first());
    QVERIFY(main);
    QCOMPARE(main->is360Video(), panorama);
    QCOMPARE(models.first()->is3DVideo, panorama);
    QCOMPARE(m_bar->panoramaEnabled.last(), panorama);
    QVERIFY(!qobject_cast<VideoRender *>(m_renderView->views().at(1))->is360Video());
    if (panorama) {
        QCOMPARE(main->renderType(), 4);
        m_renderView->set360Mode(2.0);
        QCOMPARE(main->renderType(), 2);
    }
    AppManager::instance()->setPanoramaModelType(PanoramaMode::Flat);
}

void TestOrbPlayer::nativeWindowPathDrawsIntoTheView()
{
    KELMORA_SKIP_NATIVE_WINDOW_UNDER_TSAN();
    AppManager::instance()->switchPlayerType(PlayerType::NativeWindow);
    QSignalSpy states(m_player.get(), &OrbPlayer::playbackStateChange);
    startGroup({m_clips.at(0), m_clips.at(1)});
    AppManager::instance()->switchPlayerType(PlayerType::OpenGL);
    auto *main = qobject_cast<AVView *>(m_renderView->views().first());
    QVERIFY(main);
    QVERIFY(qobject_cast<AVView *>(m_renderView->views().at(1)));
    QCOMPARE(main->controlBar(), m_bar);
    QCOMPARE(m_bar->zoomEnabled, QList<bool> {false});
    QVERIFY(m_renderView->allViewsReady());

    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(Playing), 20000);
    // libVLC draws into the view's own window: its pixels are not black.
    const auto drawn = [main] {
        const QImage shot = QGuiApplication::primaryScreen()->grabWindow(main->winId()).toImage();
        int lit = 0;
        for (int y = 0; y < shot.height(); y += 16)
            for (int x = 0; x < shot.width(); x += 16)
                lit += qGray(shot.pixel(x, y)) > 40 ? 1 : 0;
        return lit;
    };
    QTRY_VERIFY_WITH_TIMEOUT(drawn() > 100, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(statesOf(states).contains(Ended), 30000);
}

void TestOrbPlayer::shortViewListIsRefusedWithAnError()
{
    QSignalSpy states(m_player.get(), &OrbPlayer::playbackStateChange);
    const QList<DbModel *> models = group({m_clips.at(0), m_clips.at(1)});
    m_player->playFiles(models, {ChannelOutput {}});
    QCOMPARE(statesOf(states), QList<PlayObjectState> {Error});
    QVERIFY(m_player->channels().isEmpty());
    QCOMPARE(m_player->masterChannel(), nullptr);
    m_player->pause(); // nothing to do, nothing breaks
}

void TestOrbPlayer::missingFileEndsInAReportedError()
{
    QSignalSpy errors(m_player.get(), &OrbPlayer::displayErrorMessage);
    startGroup({QDir(m_dir.path()).filePath("moved away \"it's\".mp4")});
    QTRY_VERIFY_WITH_TIMEOUT(errors.size() >= 1, 20000);
}

// A recording not yet cached: the picture starts at once and the telemetry
// comes from a worker. Parsed on the GUI thread, as it once was, the record
// would be cached before playing even began.
void TestOrbPlayer::telemetryIsReadWhileThePictureStarts()
{
    RecordingFactory factory(m_dir.path());
    const QVector<FixtureSample> drive = longDrive(20);
    QVERIFY2(
        factory.makeGpsBox("2023_0501_130000_F.MP4", drive, RecordingFactory::GpsBoxForm::LayoutA),
        qPrintable(factory.error()));
    const QString path = factory.path("2023_0501_130000_F.MP4");
    QSignalSpy metaData(m_player.get(), &OrbPlayer::metaDataChanged);
    startGroup({path});
    bool cached = true;
    const VideoMessage probed
        = RecordLookup::findOrProbe(*m_models.last(), RecordLookup::Log::Player, &cached);
    QVERIFY(!cached);
    QVERIFY(probed.gpsItems.isEmpty());
    QCOMPARE(probed.width, QString("160"));

    const auto lastRecordSamples = [&metaData] {
        auto *record = metaData.isEmpty() ? nullptr : metaData.last().at(0).value<VideoMessage *>();
        return record ? record->gpsItems.size() : -1;
    };
    QTRY_COMPARE_WITH_TIMEOUT(lastRecordSamples(), drive.size(), 20000);
    const VideoMessage stored
        = RecordLookup::findOrProbe(*m_models.last(), RecordLookup::Log::Player, &cached);
    QVERIFY(cached);
    QCOMPARE(stored.gpsItems.size(), drive.size());
}

KELMORA_TEST_MAIN(QApplication, TestOrbPlayer)
#include "tst_orbplayer.moc"
