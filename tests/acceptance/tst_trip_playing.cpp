// Trips in the whole player, with real parts only: a library of recordings
// made by ffmpeg whose rows carry no clip facts (as earlier versions stored
// them) is read in the background and grouped into drives; a trip plays file
// by file on libVLC while the map page keeps the whole route and the info
// panel the trip's figures. Pictures go to the build tree.
#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/KelmoraWidget.h"
#include "app/MainComposition.h"
#include "app/Settings.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/TripHeaderRow.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObjectState.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "telemetry/DisplayMessageView.h"
#include "telemetry/MapShow.h"
#include "telemetry/MessageInfoView.h"
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/PageScript.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QWebEngineView>
#include <QtTest>

namespace {

// Five three-second files a channel, back to back from 12:00:00 UTC, then one
// front file ten minutes after the drive ended.
constexpr int kSeconds = 3;
constexpr int kDriveFiles = 5;
const QTime kStart(12, 0, 0);
const QTime kLater(12, 10, 15);

QString fileName(const QTime &start, char channel)
{
    return QStringLiteral("2023_0501_%1_%2.MOV").arg(start.toString("HHmmss")).arg(QChar(channel));
}

// A steady drive north whose payload clock runs with the file's name.
QVector<FixtureSample> driveFrom(const QTime &start, int firstFix)
{
    QVector<FixtureSample> samples;
    for (int i = 0; i < kSeconds; ++i) {
        const QTime at = start.addSecs(i);
        FixtureSample s;
        s.hour = at.hour();
        s.minute = at.minute();
        s.second = at.second();
        // Northwards with a bend to the east and back.
        const int step = firstFix + i;
        s.latNmea = 2232.1234 + 0.05 * step;
        s.lonNmea = 11404.5678 + 0.004 * step * (15 - step);
        s.speedKnots = 30 + firstFix + i;
        s.heading = 0;
        samples << s;
    }
    return samples;
}

QVariantMap pageState(MapShow *map)
{
    return evaluateInPage(map->view()->page(), QStringLiteral("KelmoraMap.snapshot()")).toMap();
}

int storedFacts()
{
    int rows = 0;
    DbManager::instance()->selectDbModels(DbTableKind::LoadFiles, 0, {}, {},
                                          [&rows](QList<DbModel *> models, bool) {
                                              for (const DbModel *model : models)
                                                  rows += model->hasClip;
                                          });
    return rows;
}

} // namespace

class TestTrips : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void libraryWithoutFactsIsGroupedIntoTrips();
    void tripPlaysFileByFileWithTheRouteKept();

private:
    FilesListView *list() const { return m_panels.fileList; }
    OrbPlayer *player() const { return m_panels.videoView->playerTool()->player(); }
    QString playing() const { return QFileInfo(player()->currentUrl()).fileName(); }
    void shoot(const QString &name);

    QTemporaryDir m_media;
    QString m_artifacts;
    KelmoraWidget *m_window = nullptr;
    MainPanels m_panels;
};

void TestTrips::initTestCase()
{
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<QList<DbModel *>>("QList<DbModel*>");
    m_artifacts = QStringLiteral(ACCEPTANCE_ARTIFACTS);
    QVERIFY(QDir().mkpath(m_artifacts));
    RecordingFactory factory(m_media.path());
    factory.setVideo(320, 180);
    factory.setPreset("ultrafast");
    QStringList names;
    for (int n = 0; n < kDriveFiles; ++n) {
        const QTime start = kStart.addSecs(n * kSeconds);
        for (char channel : {'F', 'R'}) {
            names << fileName(start, channel);
            // Names of four parts ending in .MOV hold the camera's block track.
            QVERIFY2(factory.makeBlockTrack(names.last(), driveFrom(start, n * kSeconds),
                                            RecordingFactory::BlockMode::SampleSize),
                     qPrintable(factory.error()));
        }
    }
    names << fileName(kLater, 'F');
    QVERIFY(factory.makeBlockTrack(names.last(), driveFrom(kLater, 40),
                                   RecordingFactory::BlockMode::SampleSize));
    // Rows as an earlier version stored them: no facts, no cached records.
    for (const QString &name : qAsConst(names)) {
        DbModel model;
        model.fileName = name;
        model.path = factory.path(name);
        model.time = "20240101120000000";
        model.size = "0.1";
        QVERIFY(model.insertToDb());
    }
    Settings::tripView().set(1);
    AppManager::instance()->setPlayModelType(PlayMode::TwoChannels);
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);

    m_window = new KelmoraWidget;
    AppManager::instance()->setMainWindow(m_window);
    m_window->setGeometry(mainWindowGeometry(1920, 1080));
    m_panels = composeMainWindow(m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    afterMainWindowShown(m_panels);
    // Offline the probe never succeeds; load the page as a success would.
    m_panels.map->onNetworkResult(true);
    QTRY_VERIFY_WITH_TIMEOUT(m_panels.map->isPageReady(), 30000);
}

void TestTrips::cleanupTestCase()
{
    if (m_window) {
        m_window->close();
        delete m_window;
    }
    AppManager::instance()->setMainWindow(nullptr);
}

void TestTrips::shoot(const QString &name)
{
    QCoreApplication::processEvents();
    m_window->grab().save(QDir(m_artifacts).filePath(name + ".png"));
}

void TestTrips::libraryWithoutFactsIsGroupedIntoTrips()
{
    // Every file a trip of its own until the filler has read them all.
    QVERIFY(list()->isTripView());
    QTRY_COMPARE_WITH_TIMEOUT(storedFacts(), 2 * kDriveFiles + 1, 60000);
    QTRY_COMPARE_WITH_TIMEOUT(list()->tripCount(), 2, 5000);
    QCOMPARE(list()->trip(0).clips.size(), 2 * kDriveFiles);
    QCOMPARE(list()->trip(0).leadClips.size(), kDriveFiles);
    QCOMPARE(list()->trip(1).clips.size(), 1);
    TripHeaderRow *header = list()->tripHeader(0);
    QVERIFY(header);
    QVERIFY2(header->figuresText().endsWith("Files: 10"), qPrintable(header->figuresText()));
    QVERIFY2(header->titleText().contains("local time"), qPrintable(header->titleText()));
}

void TestTrips::tripPlaysFileByFileWithTheRouteKept()
{
    MapShow *map = m_panels.map;
    // The header's own menu: "Play trip".
    QListWidget *rows = list()->listWidget();
    const QPoint at = rows->visualItemRect(rows->item(list()->headerRow(0))).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, rows->viewport()->mapToGlobal(at));
    QApplication::sendEvent(rows->viewport(), &event);
    auto *menu = list()->findChild<QMenu *>("tripMenu");
    QVERIFY(menu);
    QAction *play = menu->findChild<QAction *>("playTripAction");
    QVERIFY(play);
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(play).center());

    QTRY_COMPARE_WITH_TIMEOUT(playing(), fileName(kStart, 'F'), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(player()->channels().size(), 2, 10000);
    QVERIFY(list()->tripPlay().isActive());
    QCOMPARE(list()->tripPlay().index, 0);
    // The whole drive's route at once, one point a second.
    QTRY_COMPARE_WITH_TIMEOUT(pageState(map).value("track").toList().size(), kDriveFiles * kSeconds,
                              10000);
    QCOMPARE(map->tripRoutePoints(), kDriveFiles * kSeconds);
    const int trackCalls = pageState(map).value("trackCalls").toInt();
    const QString tripText = m_panels.telemetryPanel->messageInfoView()->tripText();
    QVERIFY2(tripText.startsWith("Trip: 10 files, 0:1"), qPrintable(tripText));

    // File by file to the last: the route is never drawn again, the played
    // part runs on past each earlier file.
    for (int n = 1; n < kDriveFiles; ++n) {
        const QString front = fileName(kStart.addSecs(n * kSeconds), 'F');
        QTRY_COMPARE_WITH_TIMEOUT(playing(), front, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(player()->channels().size(), 2, 10000);
        QCOMPARE(list()->tripPlay().index, n);
        QTRY_VERIFY_WITH_TIMEOUT(pageState(map).value("played").toInt() >= n * kSeconds, 10000);
        const QVariantMap state = pageState(map);
        QCOMPARE(state.value("track").toList().size(), kDriveFiles * kSeconds);
        QCOMPARE(state.value("trackCalls").toInt(), trackCalls);
        QVERIFY(map->isMapShown());
        QCOMPARE(m_panels.telemetryPanel->messageInfoView()->tripText(), tripText);
        if (n == kDriveFiles - 1) {
            // The playing row, the end of its trip and the next trip's header.
            list()->listWidget()->scrollToBottom();
            QTest::qWait(1000);
            shoot("trips-playing");
        }
    }
    // After the drive the next trip plays, with its own route.
    QTRY_COMPARE_WITH_TIMEOUT(playing(), fileName(kLater, 'F'), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(pageState(map).value("track").toList().size(), kSeconds, 10000);
    QCOMPARE(list()->tripPlay().leadPaths.size(), 1);
}

int main(int argc, char *argv[])
{
    TestHome home;
    qputenv("QTEST_FUNCTION_TIMEOUT", "150000");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    prepareProcess();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    nameApplication();
    TestTrips tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_trip_playing.moc"
