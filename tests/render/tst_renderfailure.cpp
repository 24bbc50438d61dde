// A renderer whose GL initialisation fails (this program embeds no shaders or
// meshes) logs it, stays black and keeps taking calls without crashing.
#include "FrameFactory.h"
#include "render/VideoRender.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QtTest>

class TestRenderFailure : public QObject
{
    Q_OBJECT
private slots:
    void missingShadersShowBlack();
};

void TestRenderFailure::missingShadersShowBlack()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QOpenGLShader: Unable to open file"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("QOpenGLShader: Unable to open file"));
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^CreateGPUProgram Failed:"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("OpenGL initialisation failed"));
    // The quad, and the sphere read once for all five spheres.
    for (int i = 0; i < 2; ++i)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Model: cannot read mesh"));

    VideoRender render(4, nullptr);
    render.setValueIS3DVideo(true);
    render.resize(160, 90);
    render.show();
    QVERIFY(QTest::qWaitForWindowExposed(&render));
    render.initTexture(64, 32, 1.0f);
    QVERIFY(!render.glReady());
    render.updateTexture2D(64, 32, 256, FrameFactory::solidFrame(64, 32, {235, 128, 128}),
                           QString());
    QCOMPARE(render.framesTaken(), 1);
    const QImage image = render.grabFramebuffer();
    QCOMPARE(image.pixelColor(80, 45), QColor(0, 0, 0));
    render.setPanoramaMode(1);
    render.closeSmpTex();
    QCOMPARE(render.grabFramebuffer().pixelColor(80, 45), QColor(0, 0, 0));
}

KELMORA_TEST_MAIN(QApplication, TestRenderFailure)

#include "tst_renderfailure.moc"
