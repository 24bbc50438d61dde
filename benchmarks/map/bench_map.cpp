// How fast the map follows a long recording: the route of a one-hour record
// (3,600 samples) from the call to the painted frame, and the GUI-thread cost
// of one marker update. Runs the real OpenStreetMap page on tiles from a local
// server, in a fresh home folder.

#include "app/AppManager.h"
#include "app/Settings.h"
#include "library/VideoMessage.h"
#include "telemetry/MapShow.h"
#include "tests/support/PageScript.h"
#include "tests/support/TestHome.h"
#include "tests/support/TileServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWebEngineView>
#include <QtMath>
#include <algorithm>
#include <cstdio>

namespace {

// An hour of driving: a wobbly loop through a city, one fix a second.
VideoMessage hourRecord()
{
    VideoMessage record;
    record.path = QStringLiteral("/bench/2024_0101_120000_F.MP4");
    record.duration = QStringLiteral("3600");
    for (int s = 0; s < 3600; ++s) {
        const double a = 2 * M_PI * s / 3600.0;
        GpsItem item;
        item.status = true;
        item.latitude = QString::number(52.52 + 0.05 * qSin(a) + 0.002 * qSin(17 * a), 'f', 6);
        item.longitude = QString::number(13.40 + 0.08 * qCos(a) + 0.002 * qCos(13 * a), 'f', 6);
        item.angle = float(std::fmod(360.0 - qRadiansToDegrees(a), 360.0));
        item.speed = QStringLiteral("27.0");
        record.gpsItems.insert(QString::number(s), item);
        ++record.gpsTotailNum;
    }
    return record;
}

struct Figures
{
    double median;
    double p99;
    double max;
};

Figures figures(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return {values[n / 2], values[qMin(n - 1, int(n * 0.99))], values.last()};
}

// Waits until the page has painted twice after everything sent so far.
void waitForPaint(QWebEnginePage *page)
{
    evaluateInPage(page,
                   QStringLiteral("window.painted = false; requestAnimationFrame(function () "
                                  "{ requestAnimationFrame(function () { window.painted = "
                                  "true; }); }); true"));
    QElapsedTimer clock;
    clock.start();
    while (!evaluateInPage(page, QStringLiteral("window.painted")).toBool()
           && clock.elapsed() < 10000)
        QTest::qWait(1);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    TestHome home;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    TileServer tiles;
    if (!tiles.start())
        return 1;
    Settings::mapTileUrl().set(tiles.tileUrl());
    AppManager::instance()->setMapType(MapType::OpenStreetMap);

    VideoMessage record = hourRecord();
    MapShow map;
    map.resize(376, 376);
    map.show();
    if (!QTest::qWaitForWindowExposed(&map) || !QTest::qWaitFor([&] { return map.isPageReady(); }))
        return 2;
    QWebEnginePage *page = map.view()->page();
    // The view shows (and paints) once a record with GPS plays.
    map.onNewRecording(&record);
    QTest::qWait(1000);

    // The route: script building and sending on the GUI thread, and the whole
    // way to a painted frame.
    QVector<double> build, drawn;
    for (int run = 0; run < 15; ++run) {
        evaluateInPage(page, QStringLiteral("drawPolyLinePath([]); true"));
        waitForPaint(page);
        QElapsedTimer clock;
        clock.start();
        map.onNewRecording(&record);
        build.append(clock.nsecsElapsed() / 1e6);
        waitForPaint(page);
        drawn.append(clock.nsecsElapsed() / 1e6);
    }
    const int points = evaluateInPage(page, "KelmoraMap.state.track.length").toInt();

    // The marker at 1 Hz: the GUI-thread time of each playing second.
    QVector<double> marker;
    for (int s = 0; s < 3600; ++s) {
        QElapsedTimer clock;
        clock.start();
        map.onPlaySecond(s);
        marker.append(clock.nsecsElapsed() / 1e6);
        QCoreApplication::processEvents();
    }
    waitForPaint(page);
    // And what one update costs inside the page (its own process).
    const double pageMs = evaluateInPage(page, QStringLiteral(R"((function () {
            var t = performance.now();
            for (var s = 0; s < 200; s++) {
                updateMarkerPosition([13.4 + s * 1e-4, 52.52]);
                KelmoraMap.setPlayedSecond(1800 + s);
            }
            return (performance.now() - t) / 200;
        })())"))
                              .toDouble();

    const Figures b = figures(build), d = figures(drawn), m = figures(marker);
    std::printf("route of %d points, 15 runs (ms): GUI thread median %.2f max %.2f; "
                "call to painted frame median %.1f max %.1f\n",
                points, b.median, b.max, d.median, d.max);
    std::printf("marker update, 3600 seconds (ms of GUI thread): median %.3f p99 %.3f max %.3f\n",
                m.median, m.p99, m.max);
    std::printf("marker update inside the page (ms): %.3f\n", pageMs);
    return 0;
}
