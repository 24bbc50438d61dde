// The map panel on real QtWebEngine with the real pages from "Html" beside the
// executable. The machine running the tests is offline: the Google and Baidu
// libraries fail to load and those pages draw on their canvas; the
// OpenStreetMap page takes its tiles from a local server the tests start and
// stop. What the pages drew is read back through runJavaScript.

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/MapKeys.h"
#include "app/Settings.h"
#include "library/VideoMessage.h"
#include "telemetry/LogoWidget.h"
#include "telemetry/MapShow.h"
#include "tests/support/PageScript.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestHome.h"
#include "tests/support/TileServer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {

struct Fix
{
    double lat;
    double lon;
    float angle;
    bool status = true;
};

// A record of one second per fix, as the telemetry reader stores it.
VideoMessage makeRecord(const QVector<Fix> &fixes,
                        const QString &path = QStringLiteral("/rec/A.mp4"))
{
    VideoMessage record;
    record.path = path;
    record.duration = QString::number(fixes.size());
    for (int i = 0; i < fixes.size(); ++i) {
        GpsItem item;
        item.status = fixes[i].status;
        item.latitude = QString::number(fixes[i].lat, 'f', 6);
        item.longitude = QString::number(fixes[i].lon, 'f', 6);
        item.angle = fixes[i].angle;
        record.gpsItems.insert(QString::number(i), item);
        if (item.isDrawable())
            ++record.gpsTotailNum;
    }
    if (!fixes.isEmpty())
        record.isChina = isInChina(fixes[0].lat, fixes[0].lon);
    return record;
}

// Twelve seconds of driving with a bend, starting at a place.
VideoMessage bendingRecord(double lat, double lon)
{
    QVector<Fix> fixes;
    for (int i = 0; i < 12; ++i)
        fixes.append(
            {lat + 0.0004 * i, lon + 0.0006 * i + (i > 6 ? 0.0002 * (i - 6) * (i - 6) : 0), 10.0f});
    return makeRecord(fixes);
}

// Through Tokyo, outside the conversion region.
VideoMessage tokyoRecord()
{
    return bendingRecord(35.681236, 139.767125);
}

QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    return evaluateInPage(page, script);
}

QVariantMap pageState(QWebEnginePage *page)
{
    return evaluate(page, QStringLiteral("KelmoraMap.snapshot()")).toMap();
}

// Pixels of the track's blue on the fallback canvas; -1 while it has no size.
int trackPixels(QWebEnginePage *page)
{
    return evaluate(page, QStringLiteral(R"((function () {
        var c = document.getElementById('track');
        if (!c.width || !c.height) return -1;
        var d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        var n = 0;
        for (var i = 0; i < d.length; i += 4)
            if (d[i] < 90 && d[i + 1] > 140 && d[i + 2] > 230) n++;
        return n;
    })())"))
        .toInt();
}

// Pixels of the track's blue in a picture of the panel, by the rule above.
int bluePixels(const QImage &shot)
{
    int blue = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            blue += c.red() < 90 && c.green() > 140 && c.blue() > 230;
        }
    }
    return blue;
}

bool waitForPage(QWebEngineView *view, const QString &fileName)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        if (view->url().fileName() == fileName
            && evaluate(view->page(),
                        QStringLiteral(
                            "document.readyState === 'complete' && typeof KelmoraMap === 'object'"))
                   .toBool())
            return true;
        QTest::qWait(50);
    }
    return false;
}

// The label as the installed catalogue (the system language's) shows it.
QString logoText(const char *source)
{
    return QCoreApplication::translate("LogoWidget", source);
}

QString pageFile(int mapType)
{
    return mapType == 1 ? QStringLiteral("baidu_map.html")
        : mapType == 2  ? QStringLiteral("osm_map.html")
                        : QStringLiteral("google_map.html");
}

// Chooses a map; Google and Baidu get a key, which is what makes them show.
void chooseMap(int mapType)
{
    Settings::mapKey(MapType::Google).set(mapType == 0 ? "test-key" : "");
    Settings::mapKey(MapType::Baidu).set(mapType == 1 ? "test-key" : "");
    AppManager::instance()->setMapType(MapType(mapType));
}

// Sends a mouse click to the web view's content at a page position.
void clickPage(QWebEngineView *view, const QPoint &at)
{
    QWidget *content = view->focusProxy();
    QTest::mouseMove(content, at);
    QTest::mousePress(content, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(content, Qt::LeftButton, Qt::NoModifier, at, 20);
}

} // namespace

class TestMap : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void logoStates_data();
    void logoStates();
    void compassRule_data();
    void compassRule();
    void trackScriptOfRecord();
    void shownMapFollowsKeys_data();
    void shownMapFollowsKeys();
    void pageLoadsWithoutNetwork();
    void recordWithoutGpsKeepsPlaceholder();
    void pageContract_data();
    void pageContract();
    void compassOnThePage();
    void singleSampleSendsMarker();
    void mapTypeChangeReloadsAndResends();
    void tilesComeFromTheServerWithAttribution();
    void offlineKeepsRouteAndTilesComeBack();
    void tilesSeenBeforeShowOffline();
    void playedPartFollowsTheSecond();
    void clickOnRouteSeeks();
    void tripRouteStaysFromFileToFile();
    void seekRequestsAreChecked_data();
    void seekRequestsAreChecked();
    void refusedKeyFallsBackToOpenStreetMap();
    void unreachableLibraryDrawsOnCanvasWithNotice();
    void pageFallsBackWhenLibraryFails_data();
    void pageFallsBackWhenLibraryFails();
    void pageSurvivesBadArguments_data();
    void pageSurvivesBadArguments();
    void screenshots();

private:
    void showWithPage(MapShow &map, int mapType);
    TileServer m_tiles;
};

void TestMap::initTestCase()
{
    for (int type : {0, 1, 2})
        QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + "/Html/" + pageFile(type)),
                 "map pages are not copied beside the test");
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + "/Html/leaflet/leaflet.js"));
    QVERIFY(m_tiles.start());
}

void TestMap::init()
{
    if (!m_tiles.isListening())
        QVERIFY(m_tiles.restart());
    Settings::mapTileUrl().set(m_tiles.tileUrl());
    chooseMap(2);
}

void TestMap::showWithPage(MapShow &map, int mapType)
{
    chooseMap(mapType);
    map.resize(376, 376);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    QCOMPARE(map.shownMapType(), mapType);
    QVERIFY(waitForPage(map.view(), pageFile(mapType)));
    QTRY_VERIFY(map.isPageReady());
    // Let the load's deferred track send pass, so counts start from zero.
    QTest::qWait(700);
}

void TestMap::logoStates_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("source");
    QTest::newRow("no gps") << int(LogoWidget::NoGps) << "No GPS";
    QTest::newRow("no network") << int(LogoWidget::NoNetwork) << "no network";
    QTest::newRow("probing") << int(LogoWidget::NetWorking) << "check networking";
    // Other values are stored but keep whatever the label said.
    QTest::newRow("unknown") << 7 << "无GPS数据";
}

void TestMap::logoStates()
{
    QFETCH(int, state);
    QFETCH(QString, source);
    const QByteArray sourceText = source.toUtf8();

    LogoWidget logo;
    auto *label = logo.findChild<QLabel *>(QStringLiteral("label"));
    QVERIFY(label);
    QVERIFY(logo.findChild<QLabel *>(QStringLiteral("image")));
    QVERIFY(!logo.findChild<QLabel *>(QStringLiteral("image"))->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(logo.objectName(), QStringLiteral("LogoWidget"));
    QCOMPARE(label->text(), logoText("无GPS数据"));

    logo.setState(state);
    QCOMPARE(logo.state(), state);
    QCOMPARE(label->text(), logoText(sourceText.constData()));

    // Switching language re-applies the state's text in the new language.
    QTranslator french;
    QVERIFY(french.load(QStringLiteral(":/Resources/PlayTool/KelmoraPlay_French.qm")));
    const QString frenchText = french.translate("LogoWidget", sourceText.constData());
    QVERIFY(!frenchText.isEmpty());
    QVERIFY(frenchText != logoText(sourceText.constData()));
    QVERIFY(QCoreApplication::installTranslator(&french));
    QTRY_COMPARE(label->text(), frenchText); // delivered as a posted event
    QCoreApplication::removeTranslator(&french);
    QTRY_COMPARE(label->text(), logoText(sourceText.constData()));
}

void TestMap::compassRule_data()
{
    QTest::addColumn<QVector<float>>("headings");
    QTest::addColumn<QVector<int>>("sent");
    QTest::newRow("small change waits") << QVector<float> {10, 14, 20} << QVector<int> {350, 340};
    QTest::newRow("exactly 5 is no change")
        << QVector<float> {10, 15, 16} << QVector<int> {350, 344};
    QTest::newRow("north both ways")
        << QVector<float> {0, 90, 0, 360} << QVector<int> {270, 360, 0};
    QTest::newRow("first heading near 0 stays") << QVector<float> {3, 4} << QVector<int> {};
}

void TestMap::compassRule()
{
    QFETCH(QVector<float>, headings);
    QFETCH(QVector<int>, sent);
    float last = 0;
    QVector<int> angles;
    for (float heading : headings) {
        int angle = -1;
        if (MapShow::compassTurn(last, heading, &angle)) {
            angles.append(angle);
            last = heading;
        }
    }
    QCOMPARE(angles, sent);
}

void TestMap::trackScriptOfRecord()
{
    VideoMessage record = tokyoRecord();
    QCOMPARE(MapShow::trackScript(record, 1), record.polylineScript(1));

    VideoMessage one = makeRecord({{35.681236, 139.767125, 0}});
    QCOMPARE(
        MapShow::trackScript(one, 1),
        QStringLiteral(
            "\n                 updateMarkerPosition([139.767125,35.681236]);\n             "));
    QVERIFY(MapShow::trackScript(makeRecord({}), 0).isEmpty());

    const QString url = MapShow::pageUrl(1);
    QVERIFY(url.startsWith("file:///"));
    QVERIFY(url.endsWith("/Html/baidu_map.html"));
    QVERIFY(MapShow::pageUrl(0).endsWith("/Html/google_map.html"));
    QVERIFY(MapShow::pageUrl(2).endsWith("/Html/osm_map.html"));
    QVERIFY(MapShow::pageUrl(5).endsWith("/Html/google_map.html"));

    // OpenStreetMap takes the [longitude, latitude] forms, unconverted inside
    // China too; the seconds line up with the drawn points.
    VideoMessage shenzhen = makeRecord(
        {{22.535389, 113.947212, 0}, {22.5358, 113.9476, 0, false}, {22.5362, 113.9480, 0}});
    QVERIFY(shenzhen.isChina);
    QCOMPARE(MapShow::trackScript(shenzhen, 2),
             QStringLiteral("\n                   drawPolyLinePath([[\"113.947212\",\"22.535389\"],"
                            "[\"113.948000\",\"22.536200\"]]);\n                   "));
    QCOMPARE(shenzhen.trackSeconds(), (QVector<int> {0, 2}));
    QCOMPARE(shenzhen.gpsItems["0"].markerScript(2),
             QStringLiteral("\n                 updateMarkerPosition([113.947212,22.535389]);\n"
                            "             "));
}

void TestMap::shownMapFollowsKeys_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("googleKey");
    QTest::addColumn<QString>("baiduKey");
    QTest::addColumn<int>("shown");
    QTest::newRow("google without key") << 0 << ""
                                        << "" << 2;
    QTest::newRow("google with key") << 0 << "k"
                                     << "" << 0;
    QTest::newRow("google, only baidu keyed") << 0 << ""
                                              << "k" << 2;
    QTest::newRow("baidu with key") << 1 << ""
                                    << "k" << 1;
    QTest::newRow("baidu, blank key") << 1 << ""
                                      << "   " << 2;
    QTest::newRow("openstreetmap") << 2 << "k"
                                   << "k" << 2;
}

void TestMap::shownMapFollowsKeys()
{
    QFETCH(int, chosen);
    QFETCH(QString, googleKey);
    QFETCH(QString, baiduKey);
    QFETCH(int, shown);
    Settings::mapKey(MapType::Google).set(googleKey);
    Settings::mapKey(MapType::Baidu).set(baiduKey);
    QCOMPARE(choiceNumber(MapKeys::shownMap(MapType(chosen))), shown);

    MapShow map;
    AppManager::instance()->setMapType(MapType(chosen));
    QCOMPARE(map.shownMapType(), shown);
    QVERIFY(waitForPage(map.view(), pageFile(shown)));
    if (shown != 2) {
        // The key the settings hold is the one the page gets.
        QCOMPARE(evaluate(map.view()->page(),
                          QStringLiteral("KELMORA_MAP_CONFIG.keys.%1")
                              .arg(MapKeys::serviceName(MapType(shown))))
                     .toString(),
                 QStringLiteral("k"));
    }
}

void TestMap::pageLoadsWithoutNetwork()
{
    m_tiles.stop();
    MapShow map;
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    QCOMPARE(map.objectName(), QStringLiteral("MapShow"));
    QCOMPARE(map.minimumWidth(), 376);
    // The page is local: it loads before and whatever any probe says.
    QVERIFY(waitForPage(map.view(), pageFile(2)));
    QVERIFY(!map.isMapShown()); // nothing plays yet

    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    map.onNetworkResult(false);
    QVERIFY(map.isMapShown());
    QCOMPARE(map.placeholder()->state(), int(LogoWidget::NoGps));
    QTRY_VERIFY(map.isPageReady());
    QTRY_COMPARE(pageState(map.view()->page()).value("track").toList().size(), 12);
    // "No network" is a notice on the map, not the whole panel.
    QVERIFY(!map.noticeText().isEmpty());
    QTRY_COMPARE(pageState(map.view()->page()).value("notice").toString(), map.noticeText());
    QVERIFY(evaluate(map.view()->page(),
                     "getComputedStyle(document.getElementById('notice')).display !== 'none'")
                .toBool());
    map.onNetworkResult(true);
    QVERIFY(map.noticeText().isEmpty());
    QTRY_COMPARE(pageState(map.view()->page()).value("notice").toString(), QString());
}

void TestMap::recordWithoutGpsKeepsPlaceholder()
{
    MapShow map;
    map.onNetworkResult(true);
    VideoMessage none = makeRecord({{35.6, 139.7, 0, false}, {0, 0, 0}});
    QCOMPARE(none.gpsTotailNum, 0);
    map.onNewRecording(&none);
    QVERIFY(!map.isMapShown());
    QCOMPARE(map.placeholder()->stateText(), logoText("No GPS"));

    VideoMessage some = tokyoRecord();
    map.onNewRecording(&some);
    QVERIFY(map.isMapShown());
    map.onNewRecording(&none);
    QVERIFY(!map.isMapShown());
}

void TestMap::pageContract_data()
{
    QTest::addColumn<int>("mapType");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::newRow("google, Tokyo") << 0 << 35.681236 << 139.767125;
    QTest::newRow("baidu, Tokyo") << 1 << 35.681236 << 139.767125;
    QTest::newRow("openstreetmap, Tokyo") << 2 << 35.681236 << 139.767125;
    QTest::newRow("google, Shenzhen") << 0 << 22.535389 << 113.947212;
    QTest::newRow("baidu, Shenzhen") << 1 << 22.535389 << 113.947212;
    QTest::newRow("openstreetmap, Shenzhen") << 2 << 22.535389 << 113.947212;
}

void TestMap::pageContract()
{
    QFETCH(int, mapType);
    QFETCH(double, lat);
    QFETCH(double, lon);

    MapShow map;
    showWithPage(map, mapType);
    QWebEnginePage *page = map.view()->page();
    QVERIFY(
        map.view()->settings()->testAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls));
    QCOMPARE(
        evaluate(
            page,
            "[typeof updateMarkerPosition, typeof drawPolyLinePath, typeof setCompassAngle].join()")
            .toString(),
        QStringLiteral("function,function,function"));
    QTRY_VERIFY_WITH_TIMEOUT(pageState(page).value("bridge").toBool(), 5000);
    const QString library = pageState(page).value("library").toString();
    if (mapType == 2)
        QCOMPARE(library, QStringLiteral("ready")); // Leaflet ships with the program
    else if (library == "ready")
        QSKIP("the map library loaded: this machine is online");

    QVector<Fix> fixes;
    for (int i = 0; i < 8; ++i)
        fixes.append({lat + 0.0005 * i, lon + 0.0003 * i, 90.0f});
    fixes[3].status = false; // a second without a fix is left out of the track
    VideoMessage record = makeRecord(fixes);
    map.onNewRecording(&record);
    QVERIFY(map.isMapShown());

    QVariantMap state = pageState(page);
    QCOMPARE(state.value("trackCalls").toInt(), 1);
    QCOMPARE(state.value("track").toList().size(), 7);
    // Google and OpenStreetMap put the marker on the new route's start.
    QCOMPARE(state.value("markerCalls").toInt(), mapType == 1 ? 0 : 1);
    QCOMPARE(state.value("rejected").toInt(), 0);
    QCOMPARE(state.value("seconds").toList().size(), 7);
    QTRY_VERIFY(bluePixels(map.grab().toImage()) > 100);

    // The track is in time order, converted for the service.
    const QVariantList track = state.value("track").toList();
    for (int i : {0, 6}) {
        const int second = i < 3 ? i : i + 1;
        const Coordinate expected
            = convertCoordinate(mapType, record.gpsItems[QString::number(second)].latitude,
                                record.gpsItems[QString::number(second)].longitude, record.isChina);
        QVERIFY(qAbs(track[i].toMap().value("lat").toDouble() - expected.first) < 1e-6);
        QVERIFY(qAbs(track[i].toMap().value("lng").toDouble() - expected.second) < 1e-6);
    }

    const int markersBefore = state.value("markerCalls").toInt();
    map.onPlaySecond(5);
    map.onPlaySecond(5); // reported twice, sent once
    map.onPlaySecond(3); // no fix: the marker stays
    map.onPlaySecond(99); // beyond the recording
    state = pageState(page);
    QCOMPARE(state.value("markerCalls").toInt(), markersBefore + 1);
    const GpsItem &five = record.gpsItems["5"];
    const Coordinate expected
        = convertCoordinate(mapType, five.latitude, five.longitude,
                            isInChina(five.latitude.toDouble(), five.longitude.toDouble()));
    const QVariantMap marker = state.value("marker").toMap();
    QVERIFY(qAbs(marker.value("lat").toDouble() - expected.first) < 1e-6);
    QVERIFY(qAbs(marker.value("lng").toDouble() - expected.second) < 1e-6);
    if (isInChina(lat, lon) && mapType != 2)
        QVERIFY(qAbs(expected.first - five.latitude.toDouble()) > 1e-4); // really converted
    if (mapType == 2) // WGS-84 as recorded, everywhere
        QCOMPARE(marker.value("lat").toDouble(), five.latitude.toDouble());
    QCOMPARE(state.value("compass").toInt(), 270);
}

void TestMap::compassOnThePage()
{
    MapShow map;
    showWithPage(map, 2);
    VideoMessage record = makeRecord({{35.68, 139.76, 10},
                                      {35.681, 139.761, 14},
                                      {35.682, 139.762, 20},
                                      {35.683, 139.763, 360},
                                      {35.684, 139.764, 0}});
    map.onNewRecording(&record); // turns the compass to 0 first
    QVariantMap state = pageState(map.view()->page());
    QCOMPARE(state.value("compassCalls").toInt(), 1);
    QCOMPARE(state.value("compass").toInt(), 0);

    map.onPlaySecond(0);
    map.onPlaySecond(1);
    state = pageState(map.view()->page());
    QCOMPARE(state.value("compassCalls").toInt(), 2);
    QCOMPARE(state.value("compass").toInt(), 350);
    map.onPlaySecond(2);
    QCOMPARE(pageState(map.view()->page()).value("compass").toInt(), 340);
    map.onPlaySecond(3);
    QCOMPARE(pageState(map.view()->page()).value("compass").toInt(), 0);
    map.onPlaySecond(4);
    state = pageState(map.view()->page());
    QCOMPARE(state.value("compass").toInt(), 360);
    QCOMPARE(state.value("compassCalls").toInt(), 5);

    // A new recording resets the compass to 0; a first heading close to the
    // previous recording's last one must still turn it.
    VideoMessage next = makeRecord({{35.68, 139.76, 2}, {35.681, 139.761, 90}});
    map.onNewRecording(&next);
    QCOMPARE(map.lastCompassHeading(), 0.0f);
    map.onPlaySecond(1);
    QCOMPARE(pageState(map.view()->page()).value("compass").toInt(), 270);
}

void TestMap::singleSampleSendsMarker()
{
    MapShow map;
    showWithPage(map, 0);
    VideoMessage one = makeRecord({{0, 0, 0}, {35.681236, 139.767125, 0}, {0, 0, 0}});
    QCOMPARE(one.gpsTotailNum, 1);
    // The only stored sample, as the reader keeps it.
    one.gpsItems.remove("0");
    one.gpsItems.remove("2");
    map.onNewRecording(&one);
    const QVariantMap state = pageState(map.view()->page());
    QCOMPARE(state.value("trackCalls").toInt(), 0);
    QCOMPARE(state.value("markerCalls").toInt(), 2);
    QCOMPARE(state.value("marker").toMap().value("lng").toDouble(), 139.767125);
}

void TestMap::mapTypeChangeReloadsAndResends()
{
    MapShow map;
    showWithPage(map, 2);
    VideoMessage record = tokyoRecord();
    for (auto &item : record.gpsItems)
        item.angle = 90;
    map.onNewRecording(&record);
    map.onPlaySecond(0);
    QCOMPARE(pageState(map.view()->page()).value("compass").toInt(), 270);

    chooseMap(1);
    QVERIFY(waitForPage(map.view(), pageFile(1)));
    QTRY_VERIFY(map.isPageReady());
    // The track comes again once the new page has loaded.
    QTRY_VERIFY_WITH_TIMEOUT(pageState(map.view()->page()).value("trackCalls").toInt() >= 1, 5000);
    QCOMPARE(pageState(map.view()->page()).value("track").toList().size(), 12);
    QCOMPARE(pageState(map.view()->page()).value("service").toString(), QStringLiteral("baidu"));
    // The new page's compass starts at 0 and is turned again.
    map.onPlaySecond(1);
    QCOMPARE(pageState(map.view()->page()).value("compass").toInt(), 270);
}

void TestMap::tilesComeFromTheServerWithAttribution()
{
    MapShow map;
    showWithPage(map, 2);
    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    QWebEnginePage *page = map.view()->page();
    QTRY_VERIFY_WITH_TIMEOUT(pageState(page).value("tilesLoaded").toInt() >= 4, 10000);
    QVERIFY(m_tiles.tilesServed() >= 4);
    QCOMPARE(pageState(page).value("tileErrors").toInt(), 0);
    // The servers' usage policy: the program names itself, the data is credited.
    QVERIFY2(m_tiles.lastUserAgent().startsWith("KelmoraPlayer/"), m_tiles.lastUserAgent());
    QVERIFY(evaluate(page, "document.querySelector('.leaflet-control-attribution').textContent")
                .toString()
                .contains("OpenStreetMap contributors"));
    QCOMPARE(map.profile()->httpCacheType(), QWebEngineProfile::DiskHttpCache);
    QCOMPARE(map.profile()->httpCacheMaximumSize(), MapShow::TileCacheBytes);
    QVERIFY(map.profile()->cachePath().startsWith(appDataPath()));
    // The route lies over the tiles: the tile ground and the track's blue both
    // show, once painted (a loaded tile reaches the screen a frame later).
    QTRY_VERIFY_WITH_TIMEOUT(bluePixels(map.grab().toImage()) > 100, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(
        map.grab().toImage().pixelColor(map.width() / 2, 5) != QColor(22, 29, 37), 5000);
}

void TestMap::offlineKeepsRouteAndTilesComeBack()
{
    m_tiles.stop();
    MapShow map;
    showWithPage(map, 2);
    QWebEnginePage *page = map.view()->page();
    // Reykjavik: no other test fetched its tiles into the cache.
    QVector<Fix> fixes;
    for (int i = 0; i < 12; ++i)
        fixes.append({64.1466 + 0.0004 * i, -21.9426 + 0.0007 * i, 30.0f});
    VideoMessage record = makeRecord(fixes);
    map.onNewRecording(&record);
    map.onNetworkResult(false);
    map.onPlaySecond(4);
    map.onPlaySecond(6);
    QTRY_VERIFY(pageState(page).value("tileErrors").toInt() > 0);
    QVariantMap state = pageState(page);
    QCOMPARE(state.value("track").toList().size(), 12);
    QCOMPARE(state.value("marker").toMap().value("lng").toDouble(),
             record.gpsItems["6"].longitude.toDouble());
    QCOMPARE(state.value("notice").toString(), map.noticeText());
    QTRY_VERIFY(bluePixels(map.grab().toImage()) > 100); // the route, without its tiles

    // Back online: the same page fetches the tiles it missed.
    const int loaded = pageState(page).value("tilesLoaded").toInt();
    evaluate(page, "window.samePage = true");
    QVERIFY(m_tiles.restart());
    map.onNetworkResult(true);
    QTRY_VERIFY_WITH_TIMEOUT(pageState(page).value("tilesLoaded").toInt() > loaded, 10000);
    QVERIFY(evaluate(page, "window.samePage === true").toBool());
    QTRY_COMPARE(pageState(page).value("notice").toString(), QString());
}

void TestMap::tilesSeenBeforeShowOffline()
{
    VideoMessage record = tokyoRecord();
    int seen = 0;
    {
        MapShow map;
        showWithPage(map, 2);
        map.onNewRecording(&record);
        QTRY_VERIFY_WITH_TIMEOUT(
            (seen = pageState(map.view()->page()).value("tilesLoaded").toInt()) >= 4, 10000);
        QTest::qWait(500); // let the cache write its entries
    }
    const int served = m_tiles.tilesServed();
    m_tiles.stop();
    MapShow map;
    showWithPage(map, 2);
    map.onNewRecording(&record);
    map.onNetworkResult(false);
    QTRY_VERIFY_WITH_TIMEOUT(pageState(map.view()->page()).value("tilesLoaded").toInt() >= seen,
                             10000);
    QCOMPARE(pageState(map.view()->page()).value("tileErrors").toInt(), 0);
    QCOMPARE(m_tiles.tilesServed(), served);
}

void TestMap::playedPartFollowsTheSecond()
{
    MapShow map;
    showWithPage(map, 2);
    QWebEnginePage *page = map.view()->page();
    QVector<Fix> fixes;
    for (int i = 0; i < 10; ++i)
        fixes.append({35.68 + 0.001 * i, 139.76 + 0.001 * i, 45.0f});
    fixes[3].status = false;
    VideoMessage record = makeRecord(fixes);
    map.onNewRecording(&record);
    QCOMPARE(pageState(page).value("played").toInt(), -1);
    // Seconds 0-6 played: six drawn points, second 3 had no fix.
    map.onPlaySecond(6);
    QCOMPARE(pageState(page).value("played").toInt(), 5);
    // Back, as dragging the slider does: the marker and the played part follow.
    map.onPlaySecond(3);
    QVariantMap state = pageState(page);
    QCOMPARE(state.value("played").toInt(), 2);
    QCOMPARE(state.value("marker").toMap().value("lat").toDouble(), 35.686);
    map.onPlaySecond(1);
    state = pageState(page);
    QCOMPARE(state.value("played").toInt(), 1);
    QCOMPARE(state.value("marker").toMap().value("lat").toDouble(), 35.681);
    // Both colours are drawn.
    map.onPlaySecond(5);
    QTest::qWait(200);
    const QImage shot = map.grab().toImage();
    int orange = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            orange += c.red() > 230 && c.green() > 140 && c.green() < 180 && c.blue() < 60;
        }
    }
    QVERIFY(orange > 50);
    QVERIFY(bluePixels(shot) > 50);
}

void TestMap::clickOnRouteSeeks()
{
    MapShow map;
    showWithPage(map, 2);
    QWebEnginePage *page = map.view()->page();
    QVector<Fix> fixes;
    for (int i = 0; i < 12; ++i)
        fixes.append({35.68 + 0.002 * i, 139.76 + 0.003 * i, 45.0f});
    fixes[3].status = false;
    VideoMessage record = makeRecord(fixes);
    map.onNewRecording(&record);
    QTRY_VERIFY(pageState(page).value("bridge").toBool());
    QSignalSpy seeks(&map, &MapShow::seekRequested);

    // Point 5 of the drawn route is second 6 (second 3 is not drawn).
    const QVariantMap at = evaluate(page, "KelmoraMap.screenPoint(5)").toMap();
    QVERIFY(!at.isEmpty());
    const QPoint point(qRound(at.value("x").toDouble()), qRound(at.value("y").toDouble()));
    clickPage(map.view(), point + QPoint(3, -2));
    QTRY_COMPARE(seeks.size(), 1);
    QCOMPARE(seeks.first().first().toInt(), 6);

    // A click away from the route seeks nothing.
    clickPage(map.view(), QPoint(5, map.view()->height() - 40));
    QTest::qWait(300);
    QCOMPARE(seeks.size(), 1);
}

void TestMap::tripRouteStaysFromFileToFile()
{
    MapShow map;
    showWithPage(map, 2);
    QWebEnginePage *page = map.view()->page();
    QTRY_VERIFY(pageState(page).value("bridge").toBool());
    // Three ten-second files of one drive northwards; the first two cached as
    // the player caches them, the third read only when it plays.
    QVector<VideoMessage> files;
    TripPlay play;
    for (int f = 0; f < 3; ++f) {
        QVector<Fix> fixes;
        for (int i = 0; i < 10; ++i)
            fixes.append({35.68 + 0.001 * (10 * f + i), 139.76, 0.0f});
        files << makeRecord(fixes, QString("/rec/2023_0501_1200%1_F.MOV").arg(10 * f));
        if (f < 2) {
            VideoMessage stored = files.last();
            stored.saveToDb();
            QVERIFY(stored.isSave);
        }
        play.leadPaths << files.last().path;
    }
    play.index = 0;
    map.setTrip(play);
    QVERIFY(map.isTripShown());
    QCOMPARE(pageState(page).value("track").toList().size(), 20);

    // The player keeps one record and fills it anew for every file.
    VideoMessage playing = files[0];
    map.onNewRecording(&playing);
    map.onPlaySecond(4);
    QVariantMap state = pageState(page);
    const int trackCalls = state.value("trackCalls").toInt();
    QCOMPARE(state.value("played").toInt(), 4);
    QCOMPARE(state.value("marker").toMap().value("lat").toDouble(), 35.684);

    // The next file: route and marker stay, the played part runs on.
    play.index = 1;
    map.setTrip(play);
    playing = files[1];
    map.onNewRecording(&playing);
    state = pageState(page);
    QCOMPARE(state.value("trackCalls").toInt(), trackCalls);
    QCOMPARE(state.value("track").toList().size(), 20);
    QCOMPARE(state.value("marker").toMap().value("lat").toDouble(), 35.684);
    QVERIFY(map.isMapShown());
    map.onPlaySecond(2);
    QCOMPARE(pageState(page).value("played").toInt(), 12);

    // The uncached file: probed first (no samples), its route joins once read.
    play.index = 2;
    map.setTrip(play);
    playing = VideoMessage();
    playing.path = files[2].path;
    playing.duration = "10";
    map.onNewRecording(&playing);
    QCOMPARE(pageState(page).value("track").toList().size(), 20);
    QVERIFY(map.isMapShown());
    playing = files[2];
    map.onNewRecording(&playing);
    QCOMPARE(pageState(page).value("track").toList().size(), 30);
    map.onPlaySecond(1);
    QCOMPARE(pageState(page).value("played").toInt(), 21);

    // A click on the playing file's part seeks in it; an earlier file's part does not.
    QSignalSpy seeks(&map, &MapShow::seekRequested);
    evaluate(page, "KelmoraMap.requestSeek(25)");
    QTRY_COMPARE(seeks.size(), 1);
    QCOMPARE(seeks.first().first().toInt(), 5);
    evaluate(page, "KelmoraMap.requestSeek(5)");
    QTest::qWait(200);
    QCOMPARE(seeks.size(), 1);

    // Single recordings again: the route is the recording's own.
    map.setTrip(TripPlay());
    QVERIFY(!map.isTripShown());
    VideoMessage single = tokyoRecord();
    map.onNewRecording(&single);
    QCOMPARE(pageState(page).value("track").toList().size(), 12);
}

void TestMap::seekRequestsAreChecked_data()
{
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("seeked");
    QTest::newRow("inside") << "4" << 4;
    QTest::newRow("first second") << "0" << 0;
    QTest::newRow("last second") << "11" << 11;
    QTest::newRow("the end") << "12" << -1;
    QTest::newRow("far beyond") << "1e12" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("not a number") << "NaN" << -1;
    QTest::newRow("text") << "'abc'" << -1;
}

// The page is not trusted: only a second inside the recording reaches the player.
void TestMap::seekRequestsAreChecked()
{
    QFETCH(QString, second);
    QFETCH(int, seeked);
    MapShow map;
    showWithPage(map, 2);
    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    QTRY_VERIFY(pageState(map.view()->page()).value("bridge").toBool());
    QSignalSpy seeks(&map, &MapShow::seekRequested);
    evaluate(map.view()->page(), "KelmoraMap.requestSeek(" + second + ")");
    if (seeked < 0) {
        QTest::qWait(300);
        QCOMPARE(seeks.size(), 0);
    } else {
        QTRY_COMPARE(seeks.size(), 1);
        QCOMPARE(seeks.first().first().toInt(), seeked);
    }
}

void TestMap::refusedKeyFallsBackToOpenStreetMap()
{
    MapShow map;
    showWithPage(map, 0);
    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    QTRY_VERIFY(pageState(map.view()->page()).value("bridge").toBool());
    QElapsedTimer clock;
    clock.start();
    // What Google's library calls when it turns the key down.
    evaluate(map.view()->page(), "gm_authFailure()");
    QTRY_VERIFY_WITH_TIMEOUT(map.view()->url().fileName() == pageFile(2) && map.isPageReady(),
                             5000);
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(map.shownMapType(), 2);
    QTRY_COMPARE(pageState(map.view()->page()).value("track").toList().size(), 12);
    QTRY_COMPARE(pageState(map.view()->page()).value("notice").toString(), map.noticeText());
    QVERIFY(map.noticeText().contains("OpenStreetMap"));
    // A new key is tried again.
    AppManager::instance()->setMapKey(MapType::Google, "another-key");
    QTRY_COMPARE(map.view()->url().fileName(), pageFile(0));
    QCOMPARE(map.shownMapType(), 0);
}

void TestMap::unreachableLibraryDrawsOnCanvasWithNotice()
{
    MapShow map;
    QElapsedTimer clock;
    clock.start();
    showWithPage(map, 1);
    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    QTRY_VERIFY_WITH_TIMEOUT(pageState(map.view()->page()).value("library").toString() != "loading",
                             5000);
    if (pageState(map.view()->page()).value("library").toString() == "ready")
        QSKIP("the map library loaded: this machine is online");
    QVERIFY(clock.elapsed() < 5000 + 2000); // the page's own load included
    QCOMPARE(map.shownMapType(), 1);
    QCOMPARE(pageState(map.view()->page()).value("mode").toString(), QStringLiteral("canvas"));
    QTRY_VERIFY(!pageState(map.view()->page()).value("notice").toString().isEmpty());
    QVERIFY(trackPixels(map.view()->page()) > 100);
}

void TestMap::pageFallsBackWhenLibraryFails_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("track");
    QTest::newRow("google")
        << "google_map.html"
        << R"([{"lat":35.68,"lng":139.76},{"lat":35.69,"lng":139.77},{"lat":35.69,"lng":139.79}])";
    QTest::newRow("baidu") << "baidu_map.html"
                           << R"([["139.76","35.68"],["139.77","35.69"],["139.79","35.69"]])";
}

// With a key set the pages try the real library; offline it fails and the
// canvas keeps drawing.
void TestMap::pageFallsBackWhenLibraryFails()
{
    QFETCH(QString, page);
    QFETCH(QString, track);

    QTemporaryDir dir;
    const QDir html(QCoreApplication::applicationDirPath() + "/Html");
    for (const QString &name : html.entryList(QDir::Files))
        QVERIFY(QFile::copy(html.filePath(name), dir.filePath(name)));
    QFile keys(dir.filePath("map_keys.js"));
    QVERIFY(keys.open(QIODevice::WriteOnly | QIODevice::Truncate));
    keys.write("window.KELMORA_MAP_KEYS = { google: \"not-a-key\", baidu: \"not-a-key\" };\n");
    keys.close();

    QWebEngineView view;
    view.settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    view.resize(376, 376);
    view.show();
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    QElapsedTimer clock;
    clock.start();
    view.load(QUrl::fromLocalFile(dir.filePath(page)));
    QVERIFY(finished.wait(10000));
    QVERIFY(finished.first().first().toBool());
    const qint64 loadedMs = clock.elapsed();
    QCOMPARE(trackPixels(view.page()), 0);

    // The player's calls work while the library is still on its way.
    QCOMPARE(evaluate(view.page(), "drawPolyLinePath(" + track + ")").toInt(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(pageState(view.page()).value("library").toString() != "loading",
                             15000);
    if (pageState(view.page()).value("library").toString() == "ready")
        QSKIP("the map library loaded: this machine is online");
    QCOMPARE(pageState(view.page()).value("library").toString(), QStringLiteral("failed"));
    qInfo("page loaded after %lld ms, library given up after %lld ms", loadedMs, clock.elapsed());
    QCOMPARE(pageState(view.page()).value("mode").toString(), QStringLiteral("canvas"));
    QVERIFY(trackPixels(view.page()) > 100);
    QCOMPARE(evaluate(view.page(), "setCompassAngle(45)").toBool(), true);
}

void TestMap::pageSurvivesBadArguments_data()
{
    QTest::addColumn<int>("mapType");
    QTest::newRow("google") << 0;
    QTest::newRow("baidu") << 1;
    QTest::newRow("openstreetmap") << 2;
}

void TestMap::pageSurvivesBadArguments()
{
    QFETCH(int, mapType);
    MapShow map;
    showWithPage(map, mapType);
    QWebEnginePage *page = map.view()->page();
    evaluate(page,
             mapType == 0 ? "updateMarkerPosition({lat: 1, lng: 2})"
                          : "updateMarkerPosition([2, 1])");
    const QString result = evaluate(page, QStringLiteral(R"((function () {
        try {
            drawPolyLinePath(42);
            drawPolyLinePath([["x", "y"], null, [1], {lat: "a"}, [200, 95], {lat: 95, lng: 200}]);
            updateMarkerPosition(null);
            updateMarkerPosition("x");
            updateMarkerPosition({lat: NaN, lng: 1});
            updateMarkerPosition([Infinity, 1]);
            setCompassAngle("abc");
            setCompassAngle(undefined);
            return 'ok';
        } catch (e) {
            return 'threw ' + e;
        }
    })())"))
                               .toString();
    QCOMPARE(result, QStringLiteral("ok"));
    const QVariantMap state = pageState(page);
    QCOMPARE(state.value("track").toList().size(), 0);
    QCOMPARE(state.value("marker").toMap().value("lat").toDouble(),
             1.0); // stays at the last good one
    QCOMPARE(state.value("compass").toInt(), 0);
}

void TestMap::screenshots()
{
    // The Baidu page without its library, the OpenStreetMap page on the local
    // tiles, and the same page with the tile server gone.
    const QList<QPair<int, QString>> pages {
        {1, "map_canvas_track.png"}, {2, "map_osm_tiles.png"}, {2, "map_osm_offline.png"}};
    for (const auto &shown : pages) {
        const bool offline = shown.second.contains("offline");
        if (offline)
            m_tiles.stop();
        MapShow map;
        showWithPage(map, shown.first);
        // Offline in Cape Town, where no tile was ever fetched.
        VideoMessage record = offline ? bendingRecord(-33.9249, 18.4241) : tokyoRecord();
        map.onNewRecording(&record);
        map.onNetworkResult(!offline);
        map.onPlaySecond(7);
        map.view()->page()->runJavaScript("setCompassAngle(315);");
        if (shown.first == 2 && !offline)
            QTRY_VERIFY_WITH_TIMEOUT(
                pageState(map.view()->page()).value("tilesLoaded").toInt() >= 4, 10000);
        QTest::qWait(800);
        const QImage shot = map.grab().toImage();
        QVERIFY(shot.save(screenshotPath(shown.second)));
        QVERIFY2(bluePixels(shot) > 50, qPrintable(shown.second));
    }
    const QList<QPair<int, QString>> states {{LogoWidget::NetWorking, "probing"},
                                             {LogoWidget::NoNetwork, "no_network"},
                                             {LogoWidget::NoGps, "no_gps"}};
    for (const auto &state : states) {
        MapShow map;
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        map.placeholder()->setState(state.first);
        QTest::qWait(50);
        const QImage shot = map.grab().toImage();
        QVERIFY(shot.save(screenshotPath("map_placeholder_" + state.second + ".png")));
        // The logo and the state's text are drawn, not left as the flat backdrop.
        for (const char *name : {"image", "label"}) {
            const QLabel *part = map.placeholder()->findChild<QLabel *>(QLatin1String(name));
            QVERIFY2(colourCount(shot, QRect(part->mapTo(&map, QPoint(0, 0)), part->size())) > 1,
                     name);
        }
    }
}

int main(int argc, char *argv[])
{
    // QtWebEngine refuses to start its sandbox as root.
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    TestHome home;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestMap tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_map.moc"
