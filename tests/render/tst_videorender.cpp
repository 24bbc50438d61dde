// The flat renderer on real OpenGL (Mesa under Xvfb): frames in, pixels out,
// plus zoom, pan, clicks and keys of the view in the main position.
#include "FrameFactory.h"
#include "render/GPUProgram.h"
#include "render/Texture2D.h"
#include "render/VideoRender.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

using namespace FrameFactory;

namespace {

// The playback area as the later views build it: area > holder > renderer, and
// the control bar below the holder.
struct PlaybackArea
{
    std::unique_ptr<QWidget> area;
    QWidget *holder = nullptr;
    QWidget *bar = nullptr;
    VideoRender *render = nullptr;

    explicit PlaybackArea(bool mainView)
        : area(std::make_unique<QWidget>())
    {
        area->resize(1108, 683);
        holder = new QWidget(area.get());
        holder->setGeometry(0, 0, 1108, 600);
        bar = new QWidget(area.get());
        bar->setObjectName("PlayerTool");
        bar->setGeometry(0, 600, 1108, 83);
        render = new VideoRender(holder, 3);
        render->setGeometry(0, 0, 1108, 600);
        if (mainView)
            render->setControlBar(bar);
        else
            render->setObjectName("widget2");
    }
};

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

} // namespace

class TestVideoRender : public QObject
{
    Q_OBJECT
private slots:
    void programTextureUnits();
    void solidColours_data();
    void solidColours();
    void gradientAndOrientation_data();
    void gradientAndOrientation();
    void unusableVideoSize_data();
    void unusableVideoSize();
    void letterboxBars();
    void pausedWidgetIgnoresFrames();
    void droppedFrames_data();
    void droppedFrames();
    void oneFrameWaitsForPaint();
    void texturesBeforeTheWidgetIsShown();
    void survivesMoveToAnotherWindow();
    void closedTexturesPaintBlack();
    void zoomSteps();
    void panWhileZoomed();
    void smallViewClick();
    void keysOnTheMainView();
    void controlBarHidesInFullScreen();

private:
    std::unique_ptr<VideoRender> shownRender(int width, int height, const QSize &widget);
};

std::unique_ptr<VideoRender>
TestVideoRender::shownRender(int width, int height, const QSize &widget)
{
    auto render = std::make_unique<VideoRender>(nullptr, 3);
    render->resize(widget);
    render->show();
    if (!QTest::qWaitForWindowExposed(render.get()))
        return nullptr;
    render->initTexture(width, height, 1.0f);
    return render;
}

void TestVideoRender::programTextureUnits()
{
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    QVERIFY(context.create());
    QVERIFY(context.makeCurrent(&surface));
    QObject owner;

    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QOpenGLShader: Unable to open file"));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^CreateGPUProgram Failed:"));
    GPUProgram missing(&owner, ":/Resources/PlayTool/none.glsl",
                       ":/Resources/PlayTool/Video_fragment_YUV.glsl");
    QVERIFY(!missing.isValid());

    GPUProgram program(&owner, ":/Resources/PlayTool/Video_vertex.glsl",
                       ":/Resources/PlayTool/Video_fragment_YUV.glsl");
    QVERIFY(program.isValid());
    QVERIFY(program.posLocation >= 0);
    QVERIFY(program.colorLocation >= 0); // kept alive by the tiny colour term
    QVERIFY(program.texcoordLocation >= 0);
    QVERIFY(program.projMatLocation >= 0);
    Texture2D texture(4, 4, GL_LUMINANCE, GL_LUMINANCE, nullptr, "probe");
    program.bind(true);
    GLint active = 0;
    for (int i = 0; i < 9; ++i)
        QVERIFY(program.setTexture("smp1", &texture));
    context.functions()->glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    QCOMPARE(active, GLint(GL_TEXTURE0 + 8));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no sampler named"));
    QVERIFY(!program.setTexture("nothing", &texture));
    for (int i = 10; i < 32; ++i)
        QVERIFY(program.setTexture("smp2", &texture));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no free texture unit"));
    QVERIFY(!program.setTexture("smp3", &texture)); // the 33rd
    program.bind(true); // units are handed out afresh
    QVERIFY(program.setTexture("smp3", &texture));
    context.functions()->glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    QCOMPARE(active, GLint(GL_TEXTURE0));
    program.bind(false);
    context.doneCurrent();
}

void TestVideoRender::solidColours_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("u");
    QTest::addColumn<int>("v");
    QTest::newRow("black") << 16 << 128 << 128;
    QTest::newRow("white") << 235 << 128 << 128;
    QTest::newRow("mid grey") << 126 << 128 << 128;
    QTest::newRow("red") << 81 << 90 << 240;
    QTest::newRow("green") << 145 << 54 << 34;
    QTest::newRow("blue") << 41 << 240 << 110;
    QTest::newRow("skin tone") << 150 << 110 << 160;
}

void TestVideoRender::solidColours()
{
    QFETCH(int, y);
    QFETCH(int, u);
    QFETCH(int, v);
    auto render = shownRender(320, 180, QSize(320, 180));
    QVERIFY(render);
    QVERIFY(render->glReady());
    render->updateTexture2D(320, 180, 1280, solidFrame(320, 180, {y, u, v}), "a.mp4");
    QCOMPARE(render->framesTaken(), 1);
    const QImage image = render->grabFramebuffer();
    const QColor expected = expectedRgb({y, u, v});
    for (const QPoint p : {QPoint(160, 90), QPoint(2, 2), QPoint(317, 177)}) {
        const QColor got = image.pixelColor(p);
        QVERIFY2(near(got, expected),
                 qPrintable(QString("at (%1,%2) got %3 expected %4")
                                .arg(p.x())
                                .arg(p.y())
                                .arg(got.name(), expected.name())));
    }
}

void TestVideoRender::gradientAndOrientation_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("256 x 144") << 256 << 144;
    QTest::newRow("odd 321 x 181: rows not padded") << 321 << 181;
}

void TestVideoRender::gradientAndOrientation()
{
    // Luma rises from left to right; the top half is tinted red, the bottom blue.
    QFETCH(int, w);
    QFETCH(int, h);
    auto render = shownRender(w, h, QSize(w, h));
    QVERIFY(render);
    auto colour = [w, h](int x, int row) {
        const int y = 16 + x * 219 / (w - 1);
        return row < h / 2 ? Yuv {y, 128, 200} : Yuv {y, 200, 128};
    };
    render->updateTexture2D(w, h, w * 4, makeFrame(w, h, colour), QString());
    const QImage image = render->grabFramebuffer();
    for (int x = 0; x < w; x += 15) {
        for (int row : {20, h / 2 - 10, h / 2 + 10, h - 20}) {
            const QColor got = image.pixelColor(x, row);
            const QColor expected = expectedRgb(colour(x, row));
            QVERIFY2(near(got, expected),
                     qPrintable(QString("at (%1,%2) got %3 expected %4")
                                    .arg(x)
                                    .arg(row)
                                    .arg(got.name(), expected.name())));
        }
    }
}

void TestVideoRender::unusableVideoSize_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::newRow("no stored size") << 0 << 0;
    QTest::newRow("negative") << -64 << 36;
    QTest::newRow("absurd") << 100000 << 100000;
}

void TestVideoRender::unusableVideoSize()
{
    QFETCH(int, w);
    QFETCH(int, h);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unusable frame size"));
    auto render = shownRender(w, h, QSize(64, 36));
    QVERIFY(render);
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, {235, 128, 128}), QString());
    render->updateTexture2D(0, 0, 0, VideoDataOrb(), QString());
    QCOMPARE(render->framesTaken(), 0);
    QCOMPARE(render->grabFramebuffer().pixelColor(32, 18), QColor(0, 0, 0));
}

void TestVideoRender::letterboxBars()
{
    auto render = shownRender(1920, 1080, QSize(1108, 600));
    QVERIFY(render);
    const Yuv grey {180, 128, 128};
    render->updateTexture2D(1920, 1080, 7680, solidFrame(1920, 1080, grey), QString());
    const QImage image = render->grabFramebuffer();
    QCOMPARE(render->viewportOrigin(), QPoint(20, 0));
    const QColor black(0, 0, 0);
    for (int row : {0, 300, 599}) {
        QCOMPARE(image.pixelColor(0, row), black);
        QCOMPARE(image.pixelColor(19, row), black);
        QVERIFY(near(image.pixelColor(20, row), expectedRgb(grey)));
        QVERIFY(near(image.pixelColor(1085, row), expectedRgb(grey)));
        QCOMPARE(image.pixelColor(1086, row), black);
        QCOMPARE(image.pixelColor(1107, row), black);
    }
}

void TestVideoRender::pausedWidgetIgnoresFrames()
{
    auto render = shownRender(64, 36, QSize(64, 36));
    QVERIFY(render);
    const Yuv first {81, 90, 240};
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, first), QString());
    render->grabFramebuffer();
    render->setAcceptFrames(false);
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, {145, 54, 34}), QString());
    QCOMPARE(render->framesTaken(), 1);
    QVERIFY(near(render->grabFramebuffer().pixelColor(32, 18), expectedRgb(first)));

    render->setAcceptFrames(true);
    const Yuv next {41, 240, 110};
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, next), QString());
    QCOMPARE(render->framesTaken(), 2);
    QVERIFY(near(render->grabFramebuffer().pixelColor(32, 18), expectedRgb(next)));
}

void TestVideoRender::droppedFrames_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("chromaBytes");
    QTest::newRow("other resolution") << 80 << 36 << 40 * 18;
    QTest::newRow("empty frame") << 0 << 0 << 0;
    QTest::newRow("short chroma planes") << 64 << 36 << 10;
}

void TestVideoRender::droppedFrames()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, chromaBytes);
    auto render = shownRender(64, 36, QSize(64, 36));
    QVERIFY(render);
    const Yuv good {81, 90, 240};
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, good), QString());
    render->grabFramebuffer();

    VideoDataOrb bad = solidFrame(width, height, {145, 54, 34});
    bad.planes[1].resize(chromaBytes);
    bad.planes[2].resize(chromaBytes);
    render->updateTexture2D(width, height, width * 4, bad, QString());
    QCOMPARE(render->framesTaken(), 1);
    QVERIFY(near(render->grabFramebuffer().pixelColor(32, 18), expectedRgb(good)));
}

void TestVideoRender::oneFrameWaitsForPaint()
{
    auto render = shownRender(64, 36, QSize(64, 36));
    QVERIFY(render);
    const Yuv first {81, 90, 240};
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, first), QString());
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, {145, 54, 34}), QString());
    QCOMPARE(render->framesTaken(), 1);
    // The flat picture shares the decoder's arrays instead of copying them.
    VideoDataOrb frame = solidFrame(64, 36, first);
    render->grabFramebuffer();
    render->updateTexture2D(64, 36, 256, frame, QString());
    QCOMPARE(render->plane(0).constData(), frame.planes[0].constData());
    QCOMPARE(render->framesTaken(), 2);
}

void TestVideoRender::texturesBeforeTheWidgetIsShown()
{
    // The decoder may size the textures before the render view shows the widget.
    VideoRender render(nullptr, 3);
    render.resize(64, 36);
    render.updateTexture2D(64, 36, 256, solidFrame(64, 36, {81, 90, 240}), QString());
    QCOMPARE(render.framesTaken(), 0); // before initTexture: dropped
    render.initTexture(64, 36, 1.0f);
    render.show();
    QVERIFY(QTest::qWaitForWindowExposed(&render));
    const Yuv c {145, 54, 34};
    render.updateTexture2D(64, 36, 256, solidFrame(64, 36, c), QString());
    QVERIFY(near(render.grabFramebuffer().pixelColor(32, 18), expectedRgb(c)));
}

void TestVideoRender::survivesMoveToAnotherWindow()
{
    // Full screen turns the playback area into a window of its own, which gives
    // the widget a new context.
    auto first = std::make_unique<QWidget>();
    first->resize(64, 36);
    auto *render = new VideoRender(first.get(), 3);
    render->resize(64, 36);
    first->show();
    QVERIFY(QTest::qWaitForWindowExposed(first.get()));
    render->initTexture(64, 36, 1.0f);
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, {81, 90, 240}), QString());
    QVERIFY(near(render->grabFramebuffer().pixelColor(32, 18), expectedRgb({81, 90, 240})));

    QWidget second;
    second.resize(64, 36);
    render->setParent(&second);
    render->show();
    second.show();
    QVERIFY(QTest::qWaitForWindowExposed(&second));
    first.reset();
    const Yuv c {41, 240, 110};
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, c), QString());
    QVERIFY(render->glReady());
    QVERIFY(near(render->grabFramebuffer().pixelColor(32, 18), expectedRgb(c)));
}

void TestVideoRender::closedTexturesPaintBlack()
{
    auto render = shownRender(64, 36, QSize(64, 36));
    QVERIFY(render);
    render->updateTexture2D(64, 36, 256, solidFrame(64, 36, {235, 128, 128}), QString());
    render->grabFramebuffer();
    render->closeSmpTex();
    QCOMPARE(render->grabFramebuffer().pixelColor(32, 18), QColor(0, 0, 0));
}

void TestVideoRender::zoomSteps()
{
    PlaybackArea play(true);
    play.area->show();
    QVERIFY(QTest::qWaitForWindowExposed(play.area.get()));
    const QSize start = play.render->size();
    for (int i = 0; i < 11; ++i)
        play.render->scaleChange(true);
    QCOMPARE(play.render->zoomLevel(), 10);
    QCOMPARE(play.render->size(), start + QSize(4800, 2700));
    // Centred in the playback area (1108 x 600 above the bar).
    QCOMPARE(play.render->pos(), QPoint((1108 - 5908) / 2, (600 - 3300) / 2));
    play.render->scaleChange(false);
    QCOMPARE(play.render->zoomLevel(), 9);
    QCOMPARE(play.render->size(), start + QSize(4320, 2430));

    QSignalSpy passedOn(play.render, &VideoRender::postFullSignals);
    sendMouse(play.render, QEvent::MouseButtonDblClick, QPoint(10, 10), Qt::LeftButton);
    QCOMPARE(play.render->zoomLevel(), 0);
    QCOMPARE(play.render->geometry(), QRect(0, 0, 1108, 600));

    // The wheel on a flat picture zooms it too.
    QWheelEvent wheel(QPointF(10, 10), QPointF(play.render->mapToGlobal(QPoint(10, 10))), QPoint(),
                      QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(play.render, &wheel);
    QCOMPARE(play.render->zoomLevel(), 1);
    play.render->closeZoomAction();
    QCOMPARE(play.render->zoomLevel(), 0);
    QCOMPARE(play.render->geometry(), QRect(0, 0, 1108, 600));

    // Zoom out at level 0 and zoom on a small view do nothing.
    play.render->scaleChange(false);
    QCOMPARE(play.render->geometry(), QRect(0, 0, 1108, 600));
    PlaybackArea small(false);
    small.render->scaleChange(true);
    QCOMPARE(small.render->zoomLevel(), 0);
}

void TestVideoRender::panWhileZoomed()
{
    PlaybackArea play(true);
    play.area->show();
    QVERIFY(QTest::qWaitForWindowExposed(play.area.get()));
    play.render->scaleChange(true);
    const QPoint before = play.render->pos();
    sendMouse(play.render, QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton);
    sendMouse(play.render, QEvent::MouseMove, QPoint(340, 290), Qt::LeftButton);
    QCOMPARE(play.render->pos(), before + QPoint(40, -10));
    // Without the button the move is only passed on.
    sendMouse(play.render, QEvent::MouseMove, QPoint(400, 400), Qt::NoButton);
    QCOMPARE(play.render->pos(), before + QPoint(40, -10));
}

void TestVideoRender::smallViewClick()
{
    PlaybackArea play(false);
    QSignalSpy chosen(play.render, &VideoRender::playViewShowChange);
    QSignalSpy tapped(play.render, &VideoRender::tapViewCloseControlView);
    QTest::mouseClick(play.render, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QCOMPARE(tapped.count(), 1);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(chosen.at(0).at(0).value<QWidget *>(), static_cast<QWidget *>(play.render));
    QCOMPARE(chosen.at(0).at(1).toInt(), 2);
    // Keys on a small view are passed on.
    QSignalSpy pause(play.render, &VideoRender::keyControlVideoPauseOrPlay);
    QTest::keyRelease(play.render, Qt::Key_Space);
    QCOMPARE(pause.count(), 0);
}

void TestVideoRender::keysOnTheMainView()
{
    PlaybackArea play(true);
    QSignalSpy pause(play.render, &VideoRender::keyControlVideoPauseOrPlay);
    QSignalSpy full(play.render, &VideoRender::postFullSignals);
    QTest::keyRelease(play.render, Qt::Key_Space);
    QCOMPARE(pause.count(), 1);
    QTest::keyRelease(play.render, Qt::Key_Escape);
    QCOMPARE(full.count(), 0); // not in full screen: only the debug lines

    play.area->showFullScreen();
    QVERIFY(QTest::qWaitForWindowExposed(play.area.get()));
    QTest::keyRelease(play.render, Qt::Key_Escape);
    QCOMPARE(full.count(), 1);
    QCOMPARE(full.at(0).at(0).toBool(), false);

    // While prompts block the control bar, keys do nothing.
    play.bar->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    QTest::keyRelease(play.render, Qt::Key_Space);
    QTest::keyRelease(play.render, Qt::Key_Escape);
    QCOMPARE(pause.count(), 1);
    QCOMPARE(full.count(), 1);
}

void TestVideoRender::controlBarHidesInFullScreen()
{
    PlaybackArea play(true);
    play.area->showFullScreen();
    QVERIFY(QTest::qWaitForWindowExposed(play.area.get()));
    play.bar->hide();
    QSignalSpy hud(play.render, &VideoRender::hideShowHud);
    QTest::mouseClick(play.render, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QVERIFY(play.bar->isVisible());
    QTest::qWait(1500);
    QTest::keyRelease(play.render, Qt::Key_A); // restarts the 3 s
    QTest::qWait(1600);
    QVERIFY(play.bar->isVisible()); // more than 3 s after the click
    QTRY_VERIFY_WITH_TIMEOUT(play.bar->isHidden(), 3000);
    QCOMPARE(hud.count(), 1);

    // Outside full screen the timer expires without effect.
    play.area->showNormal();
    QTest::mouseClick(play.render, Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QVERIFY(play.bar->isVisible());
    QTest::qWait(3300);
    QVERIFY(play.bar->isVisible());
    QCOMPARE(hud.count(), 1);
}

KELMORA_TEST_MAIN(QApplication, TestVideoRender)

#include "tst_videorender.moc"
