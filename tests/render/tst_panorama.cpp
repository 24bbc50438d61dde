// The panorama modes on real OpenGL: an equirectangular frame whose four
// quarters of longitude have four colours, seen through each mode's views.
#include "FrameFactory.h"
#include "render/RenderGeometry.h"
#include "render/VideoRender.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

using namespace FrameFactory;

namespace {

const int kFrameWidth = 1024;
const int kFrameHeight = 512;
const QSize kWidget(640, 360);

struct Panorama
{
    QWidget area;
    QWidget *holder;
    QWidget bar;
    VideoRender *render;
    bool markedLate;

    // markedLate: told it is panoramic only once its GL is up.
    explicit Panorama(int mode, bool markedLate = false)
        : holder(new QWidget(&area))
        , markedLate(markedLate)
    {
        area.resize(kWidget);
        holder->setGeometry(QRect(QPoint(0, 0), kWidget));
        render = new VideoRender(mode, holder);
        render->setGeometry(QRect(QPoint(0, 0), kWidget));
        if (!markedLate)
            render->setValueIS3DVideo(true);
        render->setControlBar(&bar);
    }
    bool start()
    {
        area.show();
        if (!QTest::qWaitForWindowExposed(&area))
            return false;
        if (markedLate)
            render->setValueIS3DVideo(true);
        render->initTexture(kFrameWidth, kFrameHeight, 1.0f);
        feed();
        return render->framesTaken() == 1;
    }
    void feed()
    {
        render->updateTexture2D(kFrameWidth, kFrameHeight, kFrameWidth * 4,
                                equirectangularFrame(kFrameWidth, kFrameHeight), QString());
    }
    QImage picture() { return render->grabFramebuffer(); }
};

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void sendWheel(QWidget *w, int delta)
{
    QWheelEvent event(QPointF(10, 10), QPointF(w->mapToGlobal(QPoint(10, 10))), QPoint(),
                      QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
}

QString describe(const QColor &got, const QColor &expected, const QPoint &p)
{
    return QString("at (%1,%2) got %3 expected %4")
        .arg(p.x())
        .arg(p.y())
        .arg(got.name(), expected.name());
}

} // namespace

#define VERIFY_COLOUR(image, point, yuv)                                                           \
    do {                                                                                           \
        const QColor got_ = (image).pixelColor(point);                                             \
        const QColor expected_ = expectedRgb(yuv);                                                 \
        QVERIFY2(near(got_, expected_), qPrintable(describe(got_, expected_, point)));             \
    } while (false)

class TestPanorama : public QObject
{
    Q_OBJECT
private slots:
    void modeFourLooksAtMinus90();
    void modeFourBordersAreBlack();
    void modeFourCopiesIntoPaddedBuffers();
    void modeTwoQuarters_data();
    void modeTwoQuarters();
    void modeTwoSingleQuarter();
    void modeOneSideViews();
    void modeOneChooseSideView();
    void modeZeroHalves();
    void dragPitchLimits_data();
    void dragPitchLimits();
    void dragYawTurnsThePicture();
    void fieldOfView();
    void setPanoramaMode();
};

void TestPanorama::modeFourLooksAtMinus90()
{
    Panorama p(4);
    QVERIFY(p.start());
    QCOMPARE(p.render->mainCamera().yaw(), 180.f);
    QCOMPARE(p.render->sphereRotation(0), -90.f);
    QCOMPARE(p.render->aspect(), RenderGeometry::kPanoramaAspect);
    VERIFY_COLOUR(p.picture(), QPoint(320, 180), kLongitudeMinus90);
}

void TestPanorama::modeFourBordersAreBlack()
{
    // Looking straight up shows the black border rows above the picture.
    Panorama p(4);
    QVERIFY(p.start());
    for (int i = 0; i < 5; ++i)
        sendMouse(p.render, QEvent::MouseMove, QPoint(0, 100 * (i + 1)), Qt::LeftButton);
    QCOMPARE(p.render->mainCamera().pitch(), 89.f);
    QCOMPARE(p.picture().pixelColor(320, 180), QColor(0, 0, 0));
}

void TestPanorama::modeFourCopiesIntoPaddedBuffers()
{
    Panorama p(4);
    QVERIFY(p.start());
    QCOMPARE(p.render->plane(0).size(), kFrameWidth * (kFrameHeight + 488));
    QCOMPARE(p.render->plane(1).size(), (kFrameWidth / 2) * ((kFrameHeight + 488) / 2));
    QCOMPARE(p.render->plane(0).at(243 * kFrameWidth), char(0));
    QCOMPARE(p.render->plane(0).at(244 * kFrameWidth), char(kLongitude180.y));
    QCOMPARE(p.render->plane(1).at(121 * kFrameWidth / 2), char(128));
    QCOMPARE(p.render->plane(1).at(122 * kFrameWidth / 2), char(kLongitude180.u));
    QCOMPARE(p.render->plane(0).at((244 + kFrameHeight) * kFrameWidth), char(0));
}

void TestPanorama::modeTwoQuarters_data()
{
    QTest::addColumn<bool>("markedLate");
    QTest::newRow("panoramic from the start") << false;
    QTest::newRow("marked panoramic after its GL is up") << true;
}

void TestPanorama::modeTwoQuarters()
{
    QFETCH(bool, markedLate);
    Panorama p(2, markedLate);
    QVERIFY(p.start());
    const QImage image = p.picture();
    VERIFY_COLOUR(image, QPoint(160, 90), kLongitudeMinus90); // upper left
    VERIFY_COLOUR(image, QPoint(480, 90), kLongitudePlus90); // upper right
    VERIFY_COLOUR(image, QPoint(160, 270), kLongitudeZero); // lower left
    VERIFY_COLOUR(image, QPoint(480, 270), kLongitude180); // lower right
}

void TestPanorama::modeTwoSingleQuarter()
{
    Panorama p(2);
    QVERIFY(p.start());
    sendMouse(p.render, QEvent::MouseButtonDblClick, QPoint(500, 300), Qt::LeftButton);
    QVERIFY(p.render->singleView());
    QCOMPARE(p.render->selectedView(), 3);
    VERIFY_COLOUR(p.picture(), QPoint(320, 180), kLongitude180);
    VERIFY_COLOUR(p.picture(), QPoint(260, 150), kLongitude180);

    // Any double click returns to the four quarters.
    sendMouse(p.render, QEvent::MouseButtonDblClick, QPoint(100, 100), Qt::LeftButton);
    QVERIFY(!p.render->singleView());
    QCOMPARE(p.render->selectedView(), -1);
    VERIFY_COLOUR(p.picture(), QPoint(480, 90), kLongitudePlus90);

    // In a letterbox bar a double click is consumed and changes nothing.
    p.render->resize(800, 360);
    sendMouse(p.render, QEvent::MouseButtonDblClick, QPoint(10, 180), Qt::LeftButton);
    QVERIFY(!p.render->singleView());
    QCOMPARE(p.render->selectedView(), -1);
}

void TestPanorama::modeOneSideViews()
{
    Panorama p(1);
    QVERIFY(p.start());
    QCOMPARE(p.render->selectedView(), 0);
    const QImage image = p.picture();
    VERIFY_COLOUR(image, QPoint(200, 180), kLongitudeMinus90); // main view
    const RenderGeometry::SideColumn column
        = RenderGeometry::sideColumn(kWidget, p.render->aspect());
    QCOMPARE(QSize(column.width, column.height), QSize(108, 60));
    const Yuv fromTop[4] = {kLongitudeMinus90, kLongitudePlus90, kLongitudeZero, kLongitude180};
    for (int k = 0; k < 4; ++k)
        VERIFY_COLOUR(image, column.widget(k).center(), fromTop[k]);
    // The green frame surrounds the side view that matches the main view.
    const QRect selected = column.widget(0);
    QCOMPARE(image.pixelColor(selected.center().x(), selected.top()), QColor(Qt::green));
    // Vertical edges of an aliased 1-pixel pen may land on either side of the line.
    auto greenNear = [&image](int x, int y) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (image.pixelColor(x + dx, y) == QColor(Qt::green))
                return true;
        }
        return false;
    };
    QVERIFY(greenNear(selected.left(), selected.center().y()));
    QVERIFY(greenNear(selected.left() + selected.width(), selected.center().y()));
    QVERIFY(!greenNear(column.widget(1).left(), column.widget(1).center().y()));
}

void TestPanorama::modeOneChooseSideView()
{
    Panorama p(1);
    QVERIFY(p.start());
    const RenderGeometry::SideColumn column
        = RenderGeometry::sideColumn(kWidget, p.render->aspect());
    QSignalSpy tapped(p.render, &VideoRender::tapViewCloseControlView);
    sendMouse(p.render, QEvent::MouseButtonPress, column.widget(2).center(), Qt::LeftButton);
    QCOMPARE(tapped.count(), 0); // consumed by the choice
    QCOMPARE(p.render->selectedView(), 2);
    QCOMPARE(p.render->mainCamera().yaw(), -90.f);
    const QImage image = p.picture();
    VERIFY_COLOUR(image, QPoint(200, 180), kLongitudeZero);
    QCOMPARE(image.pixelColor(column.widget(2).center().x(), column.widget(2).top()),
             QColor(Qt::green));
    // A press on the main view is an ordinary tap.
    sendMouse(p.render, QEvent::MouseButtonPress, QPoint(200, 180), Qt::LeftButton);
    QCOMPARE(tapped.count(), 1);
}

void TestPanorama::modeZeroHalves()
{
    Panorama p(0);
    QVERIFY(p.start());
    QCOMPARE(p.render->aspect(), 2.0f); // the video's own aspect in mode 0
    const QImage image = p.picture();
    VERIFY_COLOUR(image, QPoint(320, 270), kLongitudeMinus90); // lower view
    VERIFY_COLOUR(image, QPoint(320, 90), kLongitudePlus90); // upper view
    QCOMPARE(image.pixelColor(100, 90), QColor(0, 0, 0)); // beside the views
    QCOMPARE(p.render->viewportOrigin(), QPoint(140, 0));
}

void TestPanorama::dragPitchLimits_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<float>("pitch");
    QTest::newRow("mode 0 stops at 10") << 0 << 10.f;
    QTest::newRow("mode 4 follows the drag") << 4 << 20.f;
}

void TestPanorama::dragPitchLimits()
{
    QFETCH(int, mode);
    QFETCH(float, pitch);
    Panorama p(mode);
    QVERIFY(p.start());
    sendMouse(p.render, QEvent::MouseButtonPress, QPoint(300, 100), Qt::LeftButton);
    sendMouse(p.render, QEvent::MouseMove, QPoint(300, 200), Qt::LeftButton);
    QCOMPARE(p.render->mainCamera().pitch(), pitch);
    QCOMPARE(p.render->mainCamera().yaw(), 180.f);
}

void TestPanorama::dragYawTurnsThePicture()
{
    // 450 pixels to the right turn the camera by 90 degrees: longitude 0 comes
    // into the centre.
    Panorama p(4);
    QVERIFY(p.start());
    sendMouse(p.render, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton);
    sendMouse(p.render, QEvent::MouseMove, QPoint(550, 100), Qt::LeftButton);
    QCOMPARE(p.render->mainCamera().yaw(), 270.f);
    VERIFY_COLOUR(p.picture(), QPoint(320, 180), kLongitudeZero);
}

void TestPanorama::fieldOfView()
{
    Panorama p(4);
    QVERIFY(p.start());
    sendWheel(p.render, 120);
    QCOMPARE(p.render->fieldOfView(), 96);
    for (int i = 0; i < 8; ++i)
        p.render->scaleChange(true);
    QCOMPARE(p.render->fieldOfView(), 45);
    QCOMPARE(p.render->zoomLevel(), 0); // the picture is not zoomed
    for (int i = 0; i < 12; ++i)
        p.render->scaleChange(false);
    QCOMPARE(p.render->fieldOfView(), 115);
    sendWheel(p.render, -1200);
    QCOMPARE(p.render->fieldOfView(), 115);
}

void TestPanorama::setPanoramaMode()
{
    Panorama p(4);
    QVERIFY(p.start());
    sendMouse(p.render, QEvent::MouseButtonPress, QPoint(300, 100), Qt::LeftButton);
    sendMouse(p.render, QEvent::MouseMove, QPoint(350, 100), Qt::LeftButton);
    const float yaw = p.render->mainCamera().yaw();
    p.render->setPanoramaMode(4); // the active mode: nothing changes
    QCOMPARE(p.render->mainCamera().yaw(), yaw);

    p.render->setPanoramaMode(2);
    QCOMPARE(p.render->renderType(), 2);
    QCOMPARE(p.render->mainCamera().yaw(), 180.f);
    QCOMPARE(p.picture().pixelColor(160, 90), QColor(0, 0, 0)); // black until the next frame
    p.feed();
    VERIFY_COLOUR(p.picture(), QPoint(480, 270), kLongitude180);

    p.render->setPanoramaMode(0);
    QCOMPARE(p.render->aspect(), 2.0f);
    p.feed();
    VERIFY_COLOUR(p.picture(), QPoint(320, 90), kLongitudePlus90);

    // A flat channel ignores panorama modes.
    VideoRender flat(nullptr, 3);
    flat.setPanoramaMode(4);
    QCOMPARE(flat.renderType(), 3);
}

KELMORA_TEST_MAIN(QApplication, TestPanorama)

#include "tst_panorama.moc"
