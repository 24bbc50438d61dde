#include "tests/support/TestHome.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QMovie>
#include <QtTest>

// The pictures the widgets load by name from ":/Resources/PlayTool/": each must
// resolve, have the size its widget draws it at, and stay visible on the
// surface it sits on (a glyph on the dark bars must not come out dark, and a
// transparent glyph must not have been flattened onto a white box).
class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void picture_data();
    void picture();
    void loadingAnimationLoops();
};

namespace {

const QString prefix = QStringLiteral(":/Resources/PlayTool/");

// Surfaces behind the pictures: the control bar and video area, the file list,
// map and telemetry panels, the light popups and the white prompt cards.
const QColor black(0, 0, 0);
const QColor darkPanel(0x16, 0x1d, 0x25);
const QColor lightPanel(231, 231, 231);
const QColor white(255, 255, 255);
const QColor none; // a full-bleed background or a faint separator: no contrast to check

double luma(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Strongest luminance difference between a clearly drawn pixel, blended onto
// the surface, and the surface itself.
double strongestContrast(const QImage &image, const QColor &surface)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const double bg = luma(surface.rgb());
    double best = 0;
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            const int a = qAlpha(line[x]);
            if (a < 128)
                continue;
            const double blended = (luma(line[x]) * a + bg * (255 - a)) / 255.0;
            best = qMax(best, qAbs(blended - bg));
        }
    }
    return best;
}

} // namespace

void TestResources::picture_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("transparentCorner");
    QTest::addColumn<QColor>("surface");

    auto row = [](const char *name, int w, int h, bool transparentCorner, const QColor &surface) {
        QTest::newRow(name) << QString::fromUtf8(name) << QSize(w, h) << transparentCorner
                            << surface;
    };

    // Control bar: icon size 35 x 35, the panorama button 25 x 25 (40 x 30 for the sphere view).
    for (const char *name :
         {"zoomsmall.png", "zoombigwhite.png", "image.png", "cut.png", "changeColoe.png",
          "Repeat.png", "Repeat1.png", "previous.png", "play.png", "pause.png", "next.png",
          "volume.png", "1X.png", "0.5X.png", "0.25X.png", "2X.png", "4X.png", "fullclose.png",
          "outFull.png"})
        row(name, 35, 35, true, black);
    for (const char *name : {"model02.png", "model12.png", "model22.png", "model32.png"})
        row(name, 25, 25, true, black);
    row("model42.png", 40, 30, true, black);

    // Panorama chooser: unchecked 70 x 31 (the last 70 x 42), checked 80 x 40.
    for (const char *name : {"model0.png", "model1.png", "model2.png", "model3.png"})
        row(name, 70, 31, true, lightPanel);
    row("model4.png", 70, 42, true, lightPanel);
    for (const char *name :
         {"mode01.png", "model11.png", "model21.png", "model31.png", "model41.png"})
        row(name, 80, 40, true, lightPanel);

    // Speed, volume and colour panels.
    row("beishu.png", 90, 260, true, none);
    row("selectItem.jpg", 66, 34, false, none);
    for (const char *name : {"speaker+.png", "speaker-.png"})
        row(name, 24, 24, true, lightPanel);
    for (const char *name : {"changeColoe1.png", "changeColoe2.png", "changeColoe3.png"})
        row(name, 24, 24, true, white);

    // File list tool bar (icon size 40 x 30) and the per-row delete button.
    for (const char *name : {"set.png", "addFiles.png", "delete.png", "sortUp.png", "sortDown.png"})
        row(name, 40, 30, true, darkPanel);
    row("close.png", 16, 16, true, darkPanel);

    // Telemetry panel, chart legend, map placeholder and idle logo.
    row("messageInage.png", 845, 364, false, none);
    row("about.png", 30, 30, true, darkPanel);
    row("about1.png", 30, 30, true, darkPanel);
    row("line1.jpg", 250, 1, false, none);
    for (const char *name : {"redImage.png", "greenImage.png", "blueImage.png"})
        row(name, 16, 16, true, darkPanel);
    row("logo.png", 180, 35, true, darkPanel);
    row("logoBig.png", 250, 50, true, black);

    // Prompts.
    row("imageline.png", 360, 10, true, none);
    row("sure.png", 40, 40, true, white);
    row("cancel.png", 40, 40, true, white);
    row("selectbutton.png", 20, 20, true, white);
    row("selectbutton1.png", 20, 20, true, white);

    // Cut dialog and settings page.
    row("cutImage.png", 595, 372, true, none);
    row("line.png", 560, 1, false, none);
    row("line3.png", 2, 30, false, none);
    row("selecting.png", 16, 16, true, lightPanel);
    row("selected.png", 16, 16, true, lightPanel);
    row("buttonImage.png", 244, 50, true, none);
    row("buttonImahe1.png", 244, 50, true, none);
    row("link.png", 380, 32, true, none);
    row("show link.png", 32, 32, true, lightPanel);
    row("xiangxia.png", 12, 12, true, lightPanel);
}

void TestResources::picture()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(bool, transparentCorner);
    QFETCH(QColor, surface);

    const QImage image(prefix + name);
    QVERIFY2(!image.isNull(), qPrintable("cannot load " + prefix + name));
    QCOMPARE(image.size(), size);

    const int cornerAlpha = qAlpha(image.pixel(0, 0));
    if (transparentCorner) {
        QVERIFY2(image.hasAlphaChannel(), "drawn on a solid background");
        QCOMPARE(cornerAlpha, 0);
    } else {
        QCOMPARE(cornerAlpha, 255);
    }

    if (surface.isValid()) {
        const double contrast = strongestContrast(image, surface);
        QVERIFY2(
            contrast >= 60,
            qPrintable(
                QString("hardly visible on %1: contrast %2").arg(surface.name()).arg(contrast)));
    }
}

void TestResources::loadingAnimationLoops()
{
    QMovie movie(prefix + "Loading.gif");
    QVERIFY(movie.isValid());
    QVERIFY2(movie.frameCount() >= 8, qPrintable(QString::number(movie.frameCount())));
    QCOMPARE(movie.loopCount(), -1); // forever: the wait layer has no end of its own

    QVector<QImage> frames;
    for (int i = 0; i < movie.frameCount(); ++i) {
        QVERIFY(movie.jumpToFrame(i));
        frames << movie.currentImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(frames.last().size(), QSize(100, 100));
        QCOMPARE(qAlpha(frames.last().pixel(0, 0)), 0);
        QVERIFY(movie.nextFrameDelay() > 0);
    }
    for (int i = 1; i < frames.size(); ++i)
        QVERIFY2(frames[i] != frames[i - 1],
                 qPrintable(QString("frame %1 repeats the one before").arg(i)));
}

KELMORA_TEST_MAIN(QGuiApplication, TestResources)

#include "tst_resources.moc"
