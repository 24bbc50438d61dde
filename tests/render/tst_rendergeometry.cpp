// Viewport, zoom and field-of-view formulas, the camera and the OBJ reader,
// checked without a screen.
#include "render/Camera.h"
#include "render/ObjMesh.h"
#include "render/RenderGeometry.h"
#include "tests/support/TestHome.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <tuple>

using namespace RenderGeometry;

class TestRenderGeometry : public QObject
{
    Q_OBJECT
private slots:
    void letterbox_data();
    void letterbox();
    void modeZeroHalves();
    void modeOneSideViews();
    void modeTwoQuarters();
    void fieldOfViewWheel_data();
    void fieldOfViewWheel();
    void fieldOfViewButtons();
    void zoomSteps();
    void panoramicTexture();
    void viewNumber_data();
    void viewNumber();

    void cameraPitchClamp_data();
    void cameraPitchClamp();
    void cameraForward_data();
    void cameraForward();

    void objQuad();
    void objFaceWithFourCorners();
    void objUnreadable();
    void objLongLineEndsParse();
    void objSphere();

private:
    QString writeFile(const QByteArray &text);
    QTemporaryDir m_dir;
    int m_files = 0;
};

void TestRenderGeometry::letterbox_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<double>("aspect");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<QRect>("device");
    QTest::newRow("1920x1080 in 1108x600")
        << QSize(1108, 600) << 1920.0 / 1080.0 << 1.0 << QRect(20, 0, 1066, 600);
    QTest::newRow("tall widget") << QSize(400, 600) << 2.0 << 1.0 << QRect(0, 200, 400, 200);
    QTest::newRow("exact fit") << QSize(640, 360) << 16.0 / 9.0 << 1.0 << QRect(0, 0, 640, 360);
    QTest::newRow("pixel ratio 2")
        << QSize(1108, 600) << 1920.0 / 1080.0 << 2.0 << QRect(41, 0, 2133, 1200);
    QTest::newRow("empty widget") << QSize(0, 0) << 1.7778 << 1.0 << QRect(0, 0, 0, 0);
}

void TestRenderGeometry::letterbox()
{
    QFETCH(QSize, widget);
    QFETCH(double, aspect);
    QFETCH(double, ratio);
    QFETCH(QRect, device);
    QCOMPARE(toDevice(RenderGeometry::letterbox(QSizeF(widget), aspect), ratio), device);
}

void TestRenderGeometry::modeZeroHalves()
{
    const ModeZeroViews views = modeZeroViews(QSize(640, 360), 2.0);
    QCOMPARE(views.lower, QRect(140, 0, 360, 180));
    QCOMPARE(views.upper, QRect(140, 180, 360, 180));
}

void TestRenderGeometry::modeOneSideViews()
{
    // Main view 1066.68 x 600: A = 18285, side views 180 x 101.
    const QSize widget(1108, 600);
    const SideColumn column = sideColumn(widget, kPanoramaAspect);
    QCOMPARE(column.width, 180);
    QCOMPARE(column.height, 101);
    QCOMPARE(column.x, 1108 - 20 - 180 - 15);
    QCOMPARE(column.l, (600 - 4 * 101 - 24) * 0.5);
    QCOMPARE(column.widget(0), QRect(893, 86, 180, 101));
    QCOMPARE(column.widget(3), QRect(893, 86 + 3 * 109, 180, 101));
    // gl index 0 is the bottom view: the mirror of widget index 3.
    QCOMPARE(column.gl(0).y() + column.gl(0).height() + column.widget(3).y(), 600.0);

    QCOMPARE(sideViewAt(widget, kPanoramaAspect, QPoint(900, 90)), 0);
    QCOMPARE(sideViewAt(widget, kPanoramaAspect, QPoint(1000, 86 + 109 + 50)), 1);
    QCOMPARE(sideViewAt(widget, kPanoramaAspect, QPoint(900, 86 + 101 + 4)), -1); // in a gap
    QCOMPARE(sideViewAt(widget, kPanoramaAspect, QPoint(500, 300)), -1);
    QCOMPARE(sideViewAt(QSize(0, 0), kPanoramaAspect, QPoint(0, 0)), -1);
}

void TestRenderGeometry::modeTwoQuarters()
{
    const QSize widget(1108, 600);
    const double a = kPanoramaAspect;
    // Letterbox origin x0 = (1108 - 1066.68) / 2 = 20.66.
    const QRectF lowerLeft = quarterGl(widget, a, 0);
    QVERIFY(qFuzzyCompare(lowerLeft.x(), (1108 - 600 * a) / 2));
    QVERIFY(qFuzzyCompare(lowerLeft.width(), 600 * a / 2));
    QCOMPARE(quarterGl(widget, a, 3).y(), 300.0);
    QCOMPARE(quarterWidget(widget, a, 0), QRect(20, 0, 533, 300));
    QCOMPARE(quarterWidget(widget, a, 3), QRect(554, 300, 533, 300));
    QCOMPARE(quarterAt(widget, a, QPoint(100, 100)), 0);
    QCOMPARE(quarterAt(widget, a, QPoint(1000, 100)), 1);
    QCOMPARE(quarterAt(widget, a, QPoint(100, 500)), 2);
    QCOMPARE(quarterAt(widget, a, QPoint(1000, 500)), 3);
    QCOMPARE(quarterAt(widget, a, QPoint(5, 300)), -1); // left bar
    QCOMPARE(quarterAt(widget, a, QPoint(1100, 300)), -1); // right bar
}

void TestRenderGeometry::fieldOfViewWheel_data()
{
    QTest::addColumn<int>("fov");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("result");
    QTest::newRow("one notch away narrows 4") << 100 << 120 << 96;
    QTest::newRow("one notch back widens 4") << 100 << -120 << 104;
    QTest::newRow("small delta truncates") << 100 << 20 << 99;
    QTest::newRow("clamped at 45") << 47 << 120 << 45;
    QTest::newRow("clamped at 115") << 113 << -240 << 115;
    QTest::newRow("outside the range only clamps") << 30 << -120 << 45;
}

void TestRenderGeometry::fieldOfViewWheel()
{
    QFETCH(int, fov);
    QFETCH(int, delta);
    QFETCH(int, result);
    QCOMPARE(wheelFieldOfView(fov, delta), result);
}

void TestRenderGeometry::fieldOfViewButtons()
{
    int fov = kDefaultFieldOfView;
    for (int i = 0; i < 8; ++i)
        fov = stepFieldOfView(fov, true);
    QCOMPARE(fov, 45); // not 44
    fov = kDefaultFieldOfView;
    for (int i = 0; i < 12; ++i)
        fov = stepFieldOfView(fov, false);
    QCOMPARE(fov, 115);
}

void TestRenderGeometry::zoomSteps()
{
    const QSize area(1108, 600);
    QRect geometry(QPoint(0, 0), area);
    geometry = zoomStepGeometry(geometry.size(), area, true);
    QCOMPARE(geometry, QRect(-240, -135, 1588, 870));
    geometry = zoomStepGeometry(geometry.size(), area, false);
    QCOMPARE(geometry, QRect(0, 0, 1108, 600));
}

void TestRenderGeometry::panoramicTexture()
{
    QCOMPARE(panoramicTextureHeight(1440, 1.0f), 1928);
    QCOMPARE(panoramicTextureHeight(1080, 0.5f), 1324);
    QCOMPARE(displayAspect(true, 4, 2880, 1440), kPanoramaAspect);
    QCOMPARE(displayAspect(true, 0, 2880, 1440), 2.0f);
    QCOMPARE(displayAspect(false, 3, 1920, 1080), float(1920.0 / 1080.0));
    QCOMPARE(displayAspect(true, 3, 1440, 1440), 1.0f);
    QCOMPARE(displayAspect(false, 3, 0, 0), kPanoramaAspect); // no size yet: no division by zero
}

void TestRenderGeometry::viewNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("widget2") << "widget2" << 2;
    QTest::newRow("widget0") << "widget0" << 0;
    QTest::newRow("no number") << "widget" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestRenderGeometry::viewNumber()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(RenderGeometry::viewNumber(name), number);
}

void TestRenderGeometry::cameraPitchClamp_data()
{
    QTest::addColumn<double>("limit");
    QTest::addColumn<float>("asked");
    QTest::addColumn<float>("pitch");
    QTest::newRow("up to 10") << 10.0 << 30.f << 10.f;
    QTest::newRow("down to -10") << 10.0 << -30.f << -10.f;
    QTest::newRow("inside") << 89.0 << 20.f << 20.f;
    QTest::newRow("limits 0 force level") << 0.0 << 45.f << 0.f;
}

void TestRenderGeometry::cameraPitchClamp()
{
    QFETCH(double, limit);
    QFETCH(float, asked);
    QFETCH(float, pitch);
    Camera camera;
    camera.setPitchLimit(limit);
    camera.setRotation(asked, 0.f, 0.f);
    QCOMPARE(camera.pitch(), pitch);
    // Drags add up but never pass the limit.
    camera.rotate(asked, 0.f, 0.f);
    QCOMPARE(camera.pitch(), std::clamp(2 * asked, float(-limit), float(limit)));
}

void TestRenderGeometry::cameraForward_data()
{
    QTest::addColumn<float>("pitch");
    QTest::addColumn<float>("yaw");
    QTest::addColumn<QVector3D>("forward");
    QTest::newRow("yaw 0 looks along +Z") << 0.f << 0.f << QVector3D(0, 0, 1);
    QTest::newRow("yaw 180 looks along -Z") << 0.f << 180.f << QVector3D(0, 0, -1);
    QTest::newRow("yaw 90 looks along +X") << 0.f << 90.f << QVector3D(1, 0, 0);
    QTest::newRow("pitch 89 looks nearly up")
        << 89.f << 0.f
        << QVector3D(0, std::sin(qDegreesToRadians(89.f)), std::cos(qDegreesToRadians(89.f)));
}

void TestRenderGeometry::cameraForward()
{
    QFETCH(float, pitch);
    QFETCH(float, yaw);
    QFETCH(QVector3D, forward);
    Camera camera;
    camera.setPitchLimit(89);
    camera.setRotation(pitch, yaw, 0.f);
    QVERIFY2((camera.forward() - forward).length() < 1e-4f,
             qPrintable(QString("forward (%1, %2, %3)")
                            .arg(camera.forward().x())
                            .arg(camera.forward().y())
                            .arg(camera.forward().z())));
    // The view matrix maps the viewing direction onto -Z of eye space.
    const QVector3D eye = camera.viewMatrix().map(camera.forward());
    QVERIFY((eye - QVector3D(0, 0, -1)).length() < 1e-4f);
    camera.reset();
    QCOMPARE(camera.forward(), QVector3D(0, 0, 1));
}

QString TestRenderGeometry::writeFile(const QByteArray &text)
{
    const QString path = m_dir.filePath(QString("mesh%1.obj").arg(++m_files));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    file.write(text);
    return path;
}

void TestRenderGeometry::objQuad()
{
    auto mesh = loadObjModel(QStringLiteral(":/Resources/PlayTool/quad.obj"), true);
    QVERIFY(mesh);
    QCOMPARE(mesh->vertexCount, 4u);
    QCOMPARE(mesh->indexCount, 6u);
    QCOMPARE(mesh->faceCount, 2);
    QCOMPARE(mesh->indices, (std::vector<unsigned> {0, 1, 2, 3, 2, 1}));
    const ObjVertex &first = mesh->vertices[0];
    QCOMPARE(first.position[0], -1.f);
    QCOMPARE(first.position[1], 1.f);
    QCOMPARE(first.normal[2], 1.f);
    QCOMPARE(first.texcoord[1], 1.f);

    auto plain = loadObjModel(QStringLiteral(":/Resources/PlayTool/quad.obj"), false);
    QVERIFY(plain);
    QCOMPARE(plain->vertexCount, 6u);
}

void TestRenderGeometry::objFaceWithFourCorners()
{
    const QString path = writeFile("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                                   "f 1/1/1 2/1/1 3/1/1 4/1/1\n");
    auto mesh = loadObjModel(path, true);
    QVERIFY(mesh);
    QCOMPARE(mesh->faceCount, 1);
    QCOMPARE(mesh->indexCount, 3u);
    // A corner pointing past the lists reads zeros instead of running off the end.
    auto broken = loadObjModel(writeFile("v 1 2 3\nf 1/9/9 7 1//\n"), true);
    QVERIFY(broken);
    QCOMPARE(broken->indexCount, 3u);
    QCOMPARE(broken->vertices[1].position[0], 0.f);
    QCOMPARE(broken->vertices[2].position[2], 3.f);
}

void TestRenderGeometry::objUnreadable()
{
    QVERIFY(!loadObjModel(m_dir.filePath("missing.obj"), true));
    QVERIFY(!loadObjModel(writeFile(""), true));
}

void TestRenderGeometry::objLongLineEndsParse()
{
    const QByteArray longComment = "# " + QByteArray(300, 'x') + "\n";
    auto mesh = loadObjModel(
        writeFile("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n" + longComment + "f 3 2 1\n"), true);
    QVERIFY(mesh);
    QCOMPARE(mesh->faceCount, 1);
}

void TestRenderGeometry::objSphere()
{
    QFile file(QStringLiteral(":/Resources/PlayTool/sphere.obj"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    int positions = 0, normals = 0, texcoords = 0, faces = 0;
    QSet<QByteArray> corners;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith("vt "))
            ++texcoords;
        else if (line.startsWith("vn "))
            ++normals;
        else if (line.startsWith("v "))
            ++positions;
        else if (line.startsWith("f ")) {
            ++faces;
            for (const QByteArray &token : line.mid(2).split(' '))
                corners.insert(token);
        }
    }
    QCOMPARE(positions, 1986);
    QCOMPARE(normals, 1986);
    QCOMPARE(texcoords, 2143);
    QCOMPARE(faces, 3968);

    auto mesh = loadObjModel(file.fileName(), true);
    QVERIFY(mesh);
    QCOMPARE(mesh->faceCount, 3968);
    QCOMPARE(int(mesh->vertexCount), corners.size());

    for (const ObjVertex &v : mesh->vertices) {
        const QVector3D p(v.position[0], v.position[1], v.position[2]);
        const QVector3D n(v.normal[0], v.normal[1], v.normal[2]);
        QVERIFY(std::abs(p.length() - 1.f) < 2e-4f);
        QVERIFY((p + n).length() < 1e-6f); // inward normals
        const double lat = qRadiansToDegrees(std::asin(std::clamp(double(p.y()), -1.0, 1.0)));
        QVERIFY(std::abs(v.texcoord[1] - (0.5 + lat / 180.0)) < 2e-3);
        if (std::abs(p.y()) < 0.999f && std::abs(v.texcoord[0]) > 1e-6f
            && std::abs(v.texcoord[0] - 1.f) > 1e-6f) {
            const double lon = qRadiansToDegrees(std::atan2(double(p.x()), double(p.z())));
            QVERIFY2(std::abs(v.texcoord[0] - (0.5 - lon / 360.0)) < 2e-3,
                     qPrintable(QString("u %1 at longitude %2").arg(v.texcoord[0]).arg(lon)));
        }
    }
    // Clockwise seen from outside: every face normal by winding points inwards.
    for (int f = 0; f < mesh->faceCount; ++f) {
        QVector3D c[3];
        for (int k = 0; k < 3; ++k) {
            const ObjVertex &v = mesh->vertices[mesh->indices[size_t(3 * f + k)]];
            c[k] = QVector3D(v.position[0], v.position[1], v.position[2]);
        }
        const QVector3D normal = QVector3D::crossProduct(c[1] - c[0], c[2] - c[0]);
        QVERIFY(QVector3D::dotProduct(normal, c[0] + c[1] + c[2]) < 0.f);
    }
}

KELMORA_TEST_MAIN(QCoreApplication, TestRenderGeometry)

#include "tst_rendergeometry.moc"
