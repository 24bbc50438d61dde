// Cost on the GUI thread of taking one frame (intake) and painting it (upload
// and draw, finished with glFinish), flat and panorama mode 4, at 1080p and
// 2160p. Prints medians in milliseconds. Run under X (xvfb-run) with Mesa.
//   bench_render [iterations]
#include "playback/VideoDataOrb.h"
#include "render/VideoRender.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

VideoDataOrb makeFrame(int width, int height, char luma)
{
    VideoDataOrb frame;
    frame.planes[0] = QByteArray(width * height, luma);
    frame.planes[1] = QByteArray((width / 2) * (height / 2), char(100));
    frame.planes[2] = QByteArray((width / 2) * (height / 2), char(150));
    return frame;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Result
{
    double intake; // updateTexture2D
    double draw; // paintGL: uploads and draw calls issued
    double paint; // until the window is composed and the GL work finished
    bool shared;
};

Result measure(int mode, int width, int height, int iterations)
{
    VideoRender render(mode, nullptr);
    render.setValueIS3DVideo(mode != 3);
    render.resize(1108, 600);
    render.show();
    QElapsedTimer wait;
    wait.start();
    while ((!render.windowHandle() || !render.windowHandle()->isExposed()) && wait.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    render.initTexture(width, height, 1.0f);
    // Two decoder frames, as a decoder alternates fresh copies.
    const VideoDataOrb frames[2]
        = {makeFrame(width, height, char(60)), makeFrame(width, height, char(200))};
    std::vector<double> intake, draw, paint;
    bool shared = true;
    for (int i = 0; i < iterations + 3; ++i) {
        const VideoDataOrb &frame = frames[i % 2];
        QElapsedTimer clock;
        clock.start();
        render.updateTexture2D(width, height, width * 4, frame, QString());
        const double taken = clock.nsecsElapsed() / 1e6;
        shared = shared && (render.plane(0).constData() == frame.planes[0].constData());
        clock.restart();
        // The intake scheduled a paint; let the event loop run it as it would.
        bool swapped = false;
        double drawn = 0.0;
        const auto connection = QObject::connect(&render, &QOpenGLWidget::frameSwapped,
                                                 [&swapped] { swapped = true; });
        const auto drawnConnection
            = QObject::connect(&render, &QOpenGLWidget::aboutToCompose,
                               [&drawn, &clock] { drawn = clock.nsecsElapsed() / 1e6; });
        render.repaint();
        while (!swapped && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        QObject::disconnect(connection);
        QObject::disconnect(drawnConnection);
        render.makeCurrent();
        QOpenGLContext::currentContext()->functions()->glFinish();
        render.doneCurrent();
        const double painted = clock.nsecsElapsed() / 1e6;
        if (i >= 3) { // the first paints build the programs and textures
            intake.push_back(taken);
            paint.push_back(painted);
            draw.push_back(drawn);
        }
    }
    if (render.framesTaken() != iterations + 3)
        std::fprintf(stderr, "warning: %d of %d frames taken\n", render.framesTaken(),
                     iterations + 3);
    return {median(intake), median(draw), median(paint), shared};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    const int iterations = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    std::printf("widget 1108 x 600, %d frames each, medians in ms\n", iterations);
    std::printf("%-10s %-6s %10s %10s %10s %10s  planes\n", "frame", "mode", "intake", "paintGL",
                "shown", "total");
    for (const QSize size : {QSize(1920, 1080), QSize(3840, 2160)}) {
        for (int mode : {3, 4}) {
            const Result r = measure(mode, size.width(), size.height(), iterations);
            std::printf("%4dx%-5d %-6s %10.3f %10.3f %10.3f %10.3f  %s\n", size.width(),
                        size.height(), mode == 3 ? "flat" : "mode 4", r.intake, r.draw, r.paint,
                        r.intake + r.paint, r.shared ? "shared" : "copied");
        }
    }
    return 0;
}
