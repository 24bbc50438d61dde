// The map panel on real QtWebEngine with the real pages from "Html" beside the
// executable. The machine running the tests is offline: the map libraries fail
// to load and the pages draw on their canvas, which is what these tests read
// back through runJavaScript.

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "library/VideoMessage.h"
#include "telemetry/LogoWidget.h"
#include "telemetry/MapShow.h"
#include "tests/support/PageScript.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestHome.h"

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

// Twelve seconds of driving through Tokyo (outside the conversion region).
VideoMessage tokyoRecord()
{
    QVector<Fix> fixes;
    for (int i = 0; i < 12; ++i)
        fixes.append({35.681236 + 0.0004 * i,
                      139.767125 + 0.0006 * i + (i > 6 ? 0.0002 * (i - 6) * (i - 6) : 0), 10.0f});
    return makeRecord(fixes);
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
    return mapType == 1 ? QStringLiteral("baidu_map.html") : QStringLiteral("google_map.html");
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
    void offlineShowsProbingPlaceholder();
    void unreachableLoadsPageBehindPlaceholder();
    void recordWithoutGpsKeepsPlaceholder();
    void pageContract_data();
    void pageContract();
    void compassOnThePage();
    void singleSampleSendsMarker();
    void mapTypeChangeReloadsAndResends();
    void pageFallsBackWhenLibraryFails_data();
    void pageFallsBackWhenLibraryFails();
    void pageSurvivesBadArguments_data();
    void pageSurvivesBadArguments();
    void screenshots();

private:
    void showWithPage(MapShow &map, int mapType);
};

void TestMap::initTestCase()
{
    for (int type : {0, 1})
        QVERIFY2(QFile::exists(QCoreApplication::applicationDirPath() + "/Html/" + pageFile(type)),
                 "map pages are not copied beside the test");
}

void TestMap::init()
{
    AppManager::instance()->setMapType(MapType::Google);
}

void TestMap::showWithPage(MapShow &map, int mapType)
{
    AppManager::instance()->setMapType(MapType(mapType));
    map.resize(376, 376);
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    // What a successful probe does; offline it never comes by itself.
    map.onNetworkResult(true);
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
    QVERIFY(MapShow::pageUrl(5).endsWith("/Html/google_map.html"));
}

void TestMap::offlineShowsProbingPlaceholder()
{
    MapShow map;
    map.show();
    QVERIFY(QTest::qWaitForWindowExposed(&map));
    QCOMPARE(map.objectName(), QStringLiteral("MapShow"));
    QCOMPARE(map.minimumWidth(), 376);
    // The probe fails offline and is retried; the callback never says no.
    QTest::qWait(1500);
    if (map.networkOk())
        QSKIP("the map service is reachable from this machine");
    QVERIFY(!map.isMapShown());
    QCOMPARE(map.placeholder()->state(), int(LogoWidget::NetWorking));
    QCOMPARE(map.placeholder()->stateText(), logoText("check networking"));
    QVERIFY(map.view()->url().isEmpty());

    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    QVERIFY(!map.isMapShown());
}

void TestMap::unreachableLoadsPageBehindPlaceholder()
{
    MapShow map;
    VideoMessage record = tokyoRecord();
    map.onNewRecording(&record);
    map.onNetworkResult(false);
    QCOMPARE(map.placeholder()->state(), int(LogoWidget::NoNetwork));
    QCOMPARE(map.placeholder()->stateText(), logoText("no network"));
    QVERIFY(!map.isMapShown());
    QVERIFY(waitForPage(map.view(), pageFile(0)));
    // The record came before the page: its track is sent once the page is there.
    QTRY_VERIFY(map.isPageReady());
    QTRY_VERIFY(pageState(map.view()->page()).value("trackCalls").toInt() >= 1);
    QCOMPARE(pageState(map.view()->page()).value("track").toList().size(), 12);

    map.onNetworkResult(true);
    QVERIFY(map.isMapShown());
    QCOMPARE(map.placeholder()->state(), int(LogoWidget::NoGps));
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
    QTest::newRow("google, Shenzhen") << 0 << 22.535389 << 113.947212;
    QTest::newRow("baidu, Shenzhen") << 1 << 22.535389 << 113.947212;
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
    QCOMPARE(pageState(page).value("library").toString(), QStringLiteral("nokey"));

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
    QCOMPARE(state.value("markerCalls").toInt(), mapType == 0 ? 1 : 0);
    QCOMPARE(state.value("rejected").toInt(), 0);
    QVERIFY(trackPixels(page) > 100);

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
    if (isInChina(lat, lon))
        QVERIFY(qAbs(expected.first - five.latitude.toDouble()) > 1e-4); // really converted
    QCOMPARE(state.value("compass").toInt(), 270);
}

void TestMap::compassOnThePage()
{
    MapShow map;
    showWithPage(map, 0);
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
    showWithPage(map, 0);
    VideoMessage record = tokyoRecord();
    for (auto &item : record.gpsItems)
        item.angle = 90;
    map.onNewRecording(&record);
    map.onPlaySecond(0);
    QCOMPARE(pageState(map.view()->page()).value("compass").toInt(), 270);

    AppManager::instance()->setMapType(MapType::Baidu);
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
    {
        MapShow map;
        showWithPage(map, 1);
        VideoMessage record = tokyoRecord();
        map.onNewRecording(&record);
        map.onPlaySecond(7);
        map.view()->page()->runJavaScript("setCompassAngle(315);");
        QTest::qWait(800);
        const QImage shot = map.grab().toImage();
        QVERIFY(shot.save(screenshotPath("map_canvas_track.png")));
        // The track's blue, by the same rule trackPixels reads the canvas with.
        int blue = 0;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                blue += c.red() < 90 && c.green() > 140 && c.blue() > 230;
            }
        }
        QVERIFY2(blue > 50, qPrintable(QString::number(blue)));
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
