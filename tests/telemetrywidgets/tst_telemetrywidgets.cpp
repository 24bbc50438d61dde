#include "app/AppManager.h"
#include "controls/Palette.h"
#include "library/DbModel.h"
#include "library/GpsItem.h"
#include "library/RecordClock.h"
#include "library/VideoMessage.h"
#include "telemetry/DisplayMessageView.h"
#include "telemetry/GsensorView.h"
#include "telemetry/MessageInfoView.h"
#include "telemetry/SpeedDial.h"
#include "telemetry/TelemetryText.h"
#include "telemetry/TrackExporter.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QHelpEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>
#include <QtMath>
#include <cmath>
#include <limits>

namespace {

// A record of `seconds` samples: second s at 10 knots, position moving north,
// G-sensor x = s/100 g, y = -0.5 g, z = 1 g.
VideoMessage recordWithTrack(int seconds)
{
    VideoMessage record;
    record.name = QStringLiteral("2024_0101_120000_F.MP4");
    record.size = QStringLiteral("12.5");
    record.format = QStringLiteral("mov,mp4,m4a,3gp,3g2,mj2");
    record.demuxer = QStringLiteral("mov");
    record.duration = QString::number(seconds);
    record.pixelFormat = QStringLiteral("yuv420p");
    record.resolution = QStringLiteral("1920*1080");
    record.hwdec = QStringLiteral("no");
    record.videoAspect = QStringLiteral("1.78");
    record.aevSpeed = QStringLiteral("10.000");
    record.maxSpeed = QStringLiteral("20.000");
    record.totalSpeedNum = 3600;
    record.distance = QStringLiteral("10.000");
    for (int s = 0; s < seconds; ++s) {
        GpsItem item;
        item.status = true;
        item.speed = QString::number(10 + s);
        item.latitude = QString::number(22.535389 + s * 0.0001, 'f', 6);
        item.longitude = QStringLiteral("114.076126");
        record.gpsItems.insert(QString::number(s), item);
        record.gsensorItems.insert(QString::number(s), {QString::number(s / 100.0), "-0.5", "1.0"});
    }
    return record;
}

QString labelText(const QWidget *root, const char *name)
{
    const auto *label = root->findChild<QLabel *>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<missing %1>").arg(QLatin1String(name));
}

// Shows a widget on a dark backdrop, as in the player, and grabs it (kept in
// the build folder's screenshots); a null image when either fails.
QImage shoot(QWidget *widget, const QString &file)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(20, 24, 28));
    widget->setPalette(palette);
    widget->show();
    if (!QTest::qWaitForWindowExposed(widget))
        return QImage();
    QTest::qWait(50);
    const QImage image = widget->grab().toImage();
    return image.save(screenshotPath(file)) ? image : QImage();
}

// Thin antialiased lines come out darker than their pen: compare the channels.
bool isReddish(const QColor &c)
{
    return c.red() > 100 && c.red() > 2 * c.green() && c.red() > 2 * c.blue();
}

bool isGreenish(const QColor &c)
{
    return c.green() > 100 && c.green() > 2 * c.red() && c.green() > 2 * c.blue();
}

// Captions go through the catalogue the application manager installed.
QString caption(const char *text)
{
    return QCoreApplication::translate("MessageInfoView", text);
}

} // namespace

class TelemetryWidgetsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void speedConversion_data();
    void speedConversion();
    void decimalToDMS_data();
    void decimalToDMS();
    void distance();
    void dialGeometry();
    void dialValueArc();
    void chartScale_data();
    void chartScale();
    void chartPointsAndLegend();
    void chartPaintsOutsideTwoG();
    void chartOfHostileSamples();
    void chartMarksEventsWithTips();

    void gpsPageOfRecord();
    void reactsToManagerChanges();
    void recordWithoutGps();
    void playInformationPage();
    void languageChangeKeepsFigures();
    void stripFollowsPlayback();
    void screenshots();
    void trackExporter();
};

void TelemetryWidgetsTest::init()
{
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    AppManager::instance()->setLongOrLatType(CoordinateFormat::DecimalDegrees);
}

void TelemetryWidgetsTest::speedConversion_data()
{
    QTest::addColumn<QString>("knots");
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("shown");
    QTest::newRow("10 kn in km/h") << "10.000" << 0 << 19;
    QTest::newRow("10 kn in mph rounds 11.5 up") << "10.000" << 1 << 12;
    QTest::newRow("zero") << "0" << 0 << 0;
    QTest::newRow("not a number") << "fast" << 0 << 0;
    QTest::newRow("negative rounds away from zero") << "-0.27" << 0 << -1;
    QTest::newRow("huge stays in range") << "1e300" << 0 << std::numeric_limits<int>::max();
    QTest::newRow("nan") << "nan" << 1 << 0;
}

void TelemetryWidgetsTest::speedConversion()
{
    QFETCH(QString, knots);
    QFETCH(int, unit);
    QFETCH(int, shown);
    QCOMPARE(TelemetryText::knotsTextToUnit(knots, unit), shown);

    SpeedDial dial;
    dial.setUnit(unit);
    dial.setSpeed(knots);
    QCOMPARE(dial.speed(), shown);
}

void TelemetryWidgetsTest::decimalToDMS_data()
{
    QTest::addColumn<double>("degrees");
    QTest::addColumn<QString>("text");
    QTest::newRow("latitude") << 22.535389 << QStringLiteral("22°32'7\"");
    QTest::newRow("longitude") << 114.076126 << QStringLiteral("114°4'34\"");
    QTest::newRow("negative: the sign once") << -33.5 << QStringLiteral("-33°30'0\"");
    QTest::newRow("negative below one degree") << -0.5 << QStringLiteral("-0°30'0\"");
    QTest::newRow("negative rounding to zero") << -0.0001 << QStringLiteral("0°0'0\"");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0°0'0\"");
    QTest::newRow("nan") << qQNaN() << QStringLiteral("0°0'0\"");
}

void TelemetryWidgetsTest::decimalToDMS()
{
    QFETCH(double, degrees);
    QFETCH(QString, text);
    QCOMPARE(TelemetryText::decimalToDMS(degrees), text);
    MessageInfoView view;
    QCOMPARE(view.decimalToDMS(degrees), text);
}

void TelemetryWidgetsTest::distance()
{
    QCOMPARE(TelemetryText::distanceText(TelemetryText::distance(3600, "10.000", 0), 2, 0),
             QStringLiteral("18.52 KM"));
    QCOMPARE(TelemetryText::distanceText(TelemetryText::distance(3600, "10.000", 1), 2, 1),
             QStringLiteral("11.50 Miles"));
    QCOMPARE(TelemetryText::distance(3600, "nan", 0), 0.0);
    QCOMPARE(TelemetryText::distance(3600, "inf", 0), 0.0);
    QCOMPARE(TelemetryText::distance(0, "10", 0), 0.0);
}

void TelemetryWidgetsTest::dialGeometry()
{
    const TelemetryText::DialGeometry g = TelemetryText::dialGeometry(478, 375);
    // side 375: cy = (375 + 187 × (1 − cos 50°)) / 2 = 220
    QCOMPARE(g.centre, QPoint(239, 220));
    QCOMPARE(g.arcRect, QRect(239 - 157, 220 - 157, 315, 315));
    QCOMPARE(g.valuePixelSize, 45);
    QCOMPARE(TelemetryText::dialGeometry(300, 150).valuePixelSize, 40);

    QCOMPARE(g.ticks.size(), 27);
    int longTicks = 0;
    for (const QLine &tick : g.ticks) {
        const double length = std::hypot(tick.dx(), tick.dy());
        QVERIFY2(qAbs(length - 7) < 1.5 || qAbs(length - 12) < 1.5,
                 qPrintable(QString::number(length)));
        longTicks += length > 10;
        // Nothing in the open bottom between 225° and 315°.
        QVERIFY(!(tick.p2().y() > g.centre.y() + 187 * 0.71 + 1));
    }
    QCOMPARE(longTicks, 3);
    QCOMPARE(g.ticks.first(), QLine(239 + 187 - 12, 220, 239 + 187, 220)); // 0°, long
    QCOMPARE(g.ticks.at(9), QLine(239, 220 - 175, 239, 220 - 187)); // 90°, long

    QCOMPARE(TelemetryText::dialValueSpan16(200), TelemetryText::dialTrackSpan16);
    QCOMPARE(TelemetryText::dialValueSpan16(0), 0);
    QCOMPARE(TelemetryText::dialValueSpan16(19), -395);
}

// The value arc is painted over the track: at the track's clockwise end (−40°)
// speed 200 shows the red of the gradient, speed 0 the track colour.
void TelemetryWidgetsTest::dialValueArc()
{
    SpeedDial dial;
    dial.resize(478, 375);
    const TelemetryText::DialGeometry g = TelemetryText::dialGeometry(478, 375);
    const double r = g.arcRect.width() / 2.0;
    const QPoint end(qRound(g.centre.x() + std::cos(qDegreesToRadians(-35.0)) * r),
                     qRound(g.centre.y() - std::sin(qDegreesToRadians(-35.0)) * r));
    const QPoint start(qRound(g.centre.x() + std::cos(qDegreesToRadians(220.0)) * r),
                       qRound(g.centre.y() - std::sin(qDegreesToRadians(220.0)) * r));

    dial.setSpeed(QString::number(200 / 1.852));
    QCOMPARE(dial.speed(), 200);
    QImage full = shoot(&dial, "speeddial-200.png");
    QVERIFY(!full.isNull());
    QVERIFY2(isReddish(full.pixelColor(end)), qPrintable(full.pixelColor(end).name()));

    dial.setSpeed("0");
    const QImage empty = shoot(&dial, "speeddial-0.png");
    const QColor track = empty.pixelColor(end);
    QVERIFY2(qAbs(track.red() - 0x3C) < 12 && qAbs(track.blue() - 0x65) < 12,
             qPrintable(track.name()));
    QVERIFY2(!isReddish(empty.pixelColor(start)), qPrintable(empty.pixelColor(start).name()));
}

void TelemetryWidgetsTest::chartScale_data()
{
    QTest::addColumn<int>("samples");
    QTest::addColumn<int>("maxX");
    QTest::newRow("empty") << 0 << 60;
    QTest::newRow("20 samples: the point at 30 wins") << 20 << 30;
    QTest::newRow("90 samples") << 90 << 90;
}

void TelemetryWidgetsTest::chartScale()
{
    QFETCH(int, samples);
    QFETCH(int, maxX);
    const TelemetryText::ChartScale scale = TelemetryText::chartScale(samples);
    QCOMPARE(scale.minX, 0);
    QCOMPARE(scale.maxX, maxX);
    QCOMPARE(scale.minY, -2000);
    QCOMPARE(scale.maxY, 2000);
    // The corners of the plot on a 300 × 300 chart.
    QCOMPARE(TelemetryText::chartPosition(QPoint(0, -2000), scale, 300, 300), QPoint(40, 260));
    QCOMPARE(TelemetryText::chartPosition(QPoint(maxX, 2000), scale, 300, 300), QPoint(300, 40));
    QCOMPARE(TelemetryText::chartPosition(QPoint(0, 0), scale, 300, 300), QPoint(40, 150));
}

void TelemetryWidgetsTest::chartPointsAndLegend()
{
    // Map order is text order: "10" comes before "2".
    QMap<QString, QStringList> items;
    for (int s = 0; s < 12; ++s)
        items.insert(QString::number(s), {QString::number(s / 10.0), "-0.25", "0.987"});
    items.insert("12", {"2.5"}); // a sample with x only

    GsensorView view;
    view.setData(items);
    QCOMPARE(view.xPoints().size(), 13);
    QCOMPARE(view.yPoints().size(), 12);
    for (int i = 0; i < view.xPoints().size(); ++i)
        QCOMPARE(view.xPoints().at(i).x(), i);
    QCOMPARE(view.xPoints().at(10).y(), 1000);
    QCOMPARE(view.xPoints().at(12).y(), 2500);
    QCOMPARE(view.zPoints().at(3).y(), 987);

    auto *legendX = view.findChild<QPushButton *>("pushButtonX");
    auto *legendY = view.findChild<QPushButton *>("pushButtonY");
    auto *legendZ = view.findChild<QPushButton *>("pushButtonZ");
    QVERIFY(legendX && legendY && legendZ);
    QCOMPARE(legendX->text(), QStringLiteral(" X:0.0"));

    view.setCurrent(10);
    QCOMPARE(view.current(), 10);
    QCOMPARE(legendX->text(), QStringLiteral(" X:1.00"));
    QCOMPARE(legendY->text(), QStringLiteral(" Y:-0.25"));
    QCOMPARE(legendZ->text(), QStringLiteral(" Z:0.99"));

    // Second 0 and the sample count are ignored; the legend stays.
    view.setCurrent(0);
    view.setCurrent(13);
    view.setCurrent(-4);
    QCOMPARE(view.current(), 10);
    QCOMPARE(legendX->text(), QStringLiteral(" X:1.00"));

    // Past the end of the shorter y and z lists: no crash, zeros there.
    view.setCurrent(12);
    QCOMPARE(legendX->text(), QStringLiteral(" X:2.50"));
    QCOMPARE(legendY->text(), QStringLiteral(" Y:0.00"));

    view.setData({});
    QCOMPARE(view.current(), 0);
    QCOMPARE(legendY->text(), QStringLiteral(" Y:0.0"));
    QVERIFY(view.comparePoints(QPoint(1, 5), QPoint(2, 0)));
    QVERIFY(!view.comparePoints(QPoint(2, 5), QPoint(2, 0)));
}

// 2.5 g is drawn above the top grid line (no clipping), and the marker stands at
// the current second.
void TelemetryWidgetsTest::chartPaintsOutsideTwoG()
{
    QMap<QString, QStringList> items;
    for (int s = 0; s < 30; ++s)
        items.insert(QString::number(s), {s < 10 ? "0" : "2.5", "-2.3", "0"});
    GsensorView view;
    view.resize(300, 300);
    view.setData(items);
    view.setCurrent(5);
    const QImage image = shoot(&view, "gsensor-outside.png");
    QVERIFY(!image.isNull());

    const TelemetryText::ChartScale scale = TelemetryText::chartScale(30);
    const QPoint high = TelemetryText::chartPosition(QPoint(20, 2500), scale, 300, 300);
    QVERIFY(high.y() < 40);
    QVERIFY2(isReddish(image.pixelColor(high)), qPrintable(image.pixelColor(high).name()));
    const QPoint low = TelemetryText::chartPosition(QPoint(20, -2300), scale, 300, 300);
    QVERIFY(low.y() > 260);
    QVERIFY2(isGreenish(image.pixelColor(low)), qPrintable(image.pixelColor(low).name()));
    const int markerX = TelemetryText::chartPosition(QPoint(5, 0), scale, 300, 300).x();
    QVERIFY(isReddish(image.pixelColor(markerX, 100)));
}

// Numbers from a damaged file: no overflow while scaling, painting ends.
void TelemetryWidgetsTest::chartOfHostileSamples()
{
    const QMap<QString, QStringList> items = {
        {"0", {"0", "0", "0"}},
        {"2147483647", {"1e30", "nan", "-inf"}},
        {"junk", {"abc"}},
    };
    GsensorView view;
    view.resize(300, 300);
    view.setData(items);
    QCOMPARE(view.xPoints().size(), 3);
    QCOMPARE(view.xPoints().last(), QPoint(2147483647, std::numeric_limits<int>::max()));
    QCOMPARE(view.yPoints().last().y(), 0);
    QCOMPARE(view.zPoints().last().y(), 0);
    const TelemetryText::ChartScale scale = TelemetryText::chartScale(3);
    const QPoint far = TelemetryText::chartPosition(view.xPoints().last(), scale, 300, 300);
    QCOMPARE(far.x(), std::numeric_limits<int>::max());
    QVERIFY(far.y() < -1000000);
    view.setCurrent(2);
    QVERIFY(!shoot(&view, "gsensor-hostile.png").isNull());
}

void TelemetryWidgetsTest::gpsPageOfRecord()
{
    VideoMessage record = recordWithTrack(5);
    MessageInfoView view;
    QCOMPARE(labelText(&view, "distanceText"), QStringLiteral("0 KM"));
    view.setVideo(&record);
    QCOMPARE(labelText(&view, "aveSpeedText"), QStringLiteral("19"));
    QCOMPARE(labelText(&view, "maxSpeedText"), QStringLiteral("37"));
    QCOMPARE(labelText(&view, "distanceText"), QStringLiteral("18.52 KM"));
    QCOMPARE(labelText(&view, "latText"), QStringLiteral("0"));

    view.updatePosition(record.gpsItems.value("0"));
    QCOMPARE(labelText(&view, "latText"), QStringLiteral("22.535389"));
    QCOMPARE(labelText(&view, "longText"), QStringLiteral("114.076126"));
    view.setCoordinateFormat(0);
    QCOMPARE(labelText(&view, "latText"), QStringLiteral("22°32'7\""));
    QCOMPARE(labelText(&view, "longText"), QStringLiteral("114°4'34\""));

    // A sample at 0/0 or without text is no position.
    GpsItem nowhere;
    nowhere.latitude = "0.000000";
    nowhere.longitude = "0.000000";
    view.updatePosition(nowhere);
    QCOMPARE(labelText(&view, "latText"), QStringLiteral("0°0'0\""));
    view.setCoordinateFormat(1);
    QCOMPARE(labelText(&view, "latText"), QStringLiteral("0"));
    QCOMPARE(labelText(&view, "longText"), QStringLiteral("0"));

    // The buttons switch both stacks; the GPS page comes first.
    auto *buttons = view.findChild<QStackedWidget *>("stackedWidgetButton");
    auto *pages = view.findChild<QStackedWidget *>("stackedWidgetLable");
    QVERIFY(buttons && pages);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pageOne"));
    QTest::mouseClick(view.findChild<QPushButton *>("messageButton"), Qt::LeftButton);
    QCOMPARE(buttons->currentWidget()->objectName(), QStringLiteral("pageRight"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pageTwo"));
    QTest::mouseClick(view.findChild<QPushButton *>("gpsButton"), Qt::LeftButton);
    QCOMPARE(buttons->currentWidget()->objectName(), QStringLiteral("pageLeft"));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("pageOne"));
}

// The strip listens to the application manager itself.
void TelemetryWidgetsTest::reactsToManagerChanges()
{
    VideoMessage record = recordWithTrack(5);
    DisplayMessageView strip;
    MessageInfoView *info = strip.messageInfoView();
    strip.starPlayNotification(&record);
    strip.currentPlayTime(0);
    QCOMPARE(strip.speedDial()->speed(), 19);

    AppManager::instance()->setSpeedUnitType(SpeedUnit::MilesPerHour);
    QCOMPARE(strip.speedDial()->speedUnit(), 1);
    QCOMPARE(strip.speedDial()->speed(), 19); // kept until the next second
    QCOMPARE(labelText(info, "aveSpeedText"), QStringLiteral("12"));
    QCOMPARE(labelText(info, "maxSpeedText"), QStringLiteral("23"));
    QCOMPARE(labelText(info, "distanceText"), QStringLiteral("11.5 Miles"));
    strip.currentPlayTime(0);
    QCOMPARE(strip.speedDial()->speed(), 12);

    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    QCOMPARE(labelText(info, "distanceText"), QStringLiteral("18.5 KM"));
    QCOMPARE(labelText(info, "aveSpeedText"), QStringLiteral("19"));

    QTest::ignoreMessage(QtDebugMsg, "经纬度显示方式改变为：度分秒");
    AppManager::instance()->setLongOrLatType(CoordinateFormat::DegreesMinutesSeconds);
    QCOMPARE(info->coordinateFormat(), 0);
    QCOMPARE(labelText(info, "latText"), QStringLiteral("22°32'7\""));
    QTest::ignoreMessage(QtDebugMsg, "经纬度显示方式改变为：小数点显示");
    AppManager::instance()->setLongOrLatType(CoordinateFormat::DecimalDegrees);
    QCOMPARE(labelText(info, "latText"), QStringLiteral("22.535389"));

    // A new panel starts in the manager's current choices.
    AppManager::instance()->setSpeedUnitType(SpeedUnit::MilesPerHour);
    QTest::ignoreMessage(QtDebugMsg, "经纬度显示方式改变为：度分秒");
    AppManager::instance()->setLongOrLatType(CoordinateFormat::DegreesMinutesSeconds);
    MessageInfoView fresh;
    QCOMPARE(fresh.speedUnit(), 1);
    QCOMPARE(labelText(&fresh, "distanceText"), QStringLiteral("0 Miles"));
    QCOMPARE(labelText(&fresh, "latText"), QStringLiteral("0°0'0\""));
}

void TelemetryWidgetsTest::recordWithoutGps()
{
    VideoMessage record;
    record.name = QStringLiteral("no_gps.mp4");
    record.aevSpeed = QString();
    record.maxSpeed = QString();
    record.distance = QString();
    DisplayMessageView strip;
    strip.speedDial()->setSpeed("10");
    strip.starPlayNotification(&record);
    MessageInfoView *info = strip.messageInfoView();
    QCOMPARE(labelText(info, "aveSpeedText"), QStringLiteral("0"));
    QCOMPARE(labelText(info, "maxSpeedText"), QStringLiteral("0"));
    QCOMPARE(labelText(info, "distanceText"), QStringLiteral("0.00 KM"));
    QCOMPARE(strip.speedDial()->speed(), 0);

    strip.speedDial()->setSpeed("10");
    strip.currentPlayTime(3); // no sample: the dial keeps its value, the position is 0
    QCOMPARE(strip.speedDial()->speed(), 19);
    QCOMPARE(labelText(info, "latText"), QStringLiteral("0"));
    QCOMPARE(strip.gsensorView()->current(), 0);

    // Nothing happens before the first recording or after a null one.
    DisplayMessageView idle;
    idle.currentPlayTime(1);
    idle.starPlayNotification(nullptr);
    idle.currentPlayTime(1);
    QCOMPARE(labelText(idle.messageInfoView(), "distanceText"), QStringLiteral("0 KM"));
}

void TelemetryWidgetsTest::playInformationPage()
{
    VideoMessage record = recordWithTrack(75);
    record.name = QStringLiteral("%1 名字 \"x\".mp4");
    MessageInfoView view;
    view.setVideo(&record);
    view.setVideoArea(QSize(1280, 803));
    const QString text = view.findChild<QTextEdit *>("textEdit")->toPlainText();
    const QStringList expected = {
        caption("File Name") + ": %1 名字 \"x\".mp4",
        caption("Size") + ": 12.5MB",
        caption("Format") + ": mov,mp4,m4a,3gp,3g2,mj2",
        caption("Demuxer") + ": mov",
        caption("Duration") + ": 1:15",
        caption("Pixel format") + ": yuv420p",
        caption("Video size") + ": 1920*1080",
        caption("Display size") + ": 1280*720",
        caption("Hwdec") + ": no",
        caption("Video aspect") + ": 1.78",
    };
    QCOMPARE(text.split('\n'), expected);
}

// A language switch (a real catalogue) re-translates the form, but the playing
// record's figures stay (the form's "0 Miles" would be wrong in km mode).
void TelemetryWidgetsTest::languageChangeKeepsFigures()
{
    VideoMessage record = recordWithTrack(5);
    MessageInfoView view;
    view.setVideo(&record);
    view.setVideoArea(QSize(800, 600));
    view.updatePosition(record.gpsItems.value("1"));
    MessageInfoView empty;
    GsensorView chart;

    AppManager::instance()->setLanguage(3); // French
    QTRY_COMPARE(labelText(&view, "maxSpeed"), QStringLiteral("Vitesse max."));
    QVERIFY(view.findChild<QTextEdit *>("textEdit")
                ->toPlainText()
                .contains("Taille d'affichage: 800*517"));
    QCOMPARE(labelText(&view, "aveSpeedText"), QStringLiteral("19"));
    QCOMPARE(labelText(&view, "distanceText"), QStringLiteral("18.52 KM"));
    QCOMPARE(labelText(&view, "latText"), QStringLiteral("22.535489"));
    QCOMPARE(labelText(&empty, "distanceText"), QStringLiteral("0 KM"));
    QCOMPARE(chart.findChild<QPushButton *>("pushButtonX")->text(),
             QCoreApplication::translate("GsensorView", " X:0.0"));

    AppManager::instance()->setLanguage(2);
    QTRY_COMPARE(labelText(&view, "maxSpeed"), caption("Max-Speed"));
    QVERIFY(view.findChild<QTextEdit *>("textEdit")
                ->toPlainText()
                .contains(caption("Display size") + ": 800*517"));
}

void TelemetryWidgetsTest::stripFollowsPlayback()
{
    VideoMessage record = recordWithTrack(40);
    record.gpsItems.remove("7");
    // GPS time of day without the day, the file named by a camera an hour ahead.
    record.fileName = QStringLiteral("2024_0101_130000_F.MP4");
    for (auto it = record.gpsItems.begin(); it != record.gpsItems.end(); ++it) {
        it->year = "2024";
        it->month = "1";
        it->hour = "12";
        it->minute = "0";
        it->second = it.key();
    }
    RecordClock::apply(record);
    DisplayMessageView strip;
    strip.starPlayNotification(&record);
    QCOMPARE(strip.gsensorView()->xPoints().size(), 40);

    strip.currentPlayTime(20);
    QCOMPARE(strip.speedDial()->speed(), TelemetryText::knotsToUnit(30, 0));
    QCOMPARE(strip.gsensorView()->current(), 20);
    QCOMPARE(strip.gsensorView()->findChild<QPushButton *>("pushButtonX")->text(),
             QStringLiteral(" X:0.20"));
    QCOMPARE(labelText(strip.messageInfoView(), "latText"), QStringLiteral("22.537389"));
    QCOMPARE(labelText(strip.messageInfoView(), "timeText"),
             QStringLiteral("2024-01-01 13:00:20 UTC+01:00"));

    strip.currentPlayTime(7);
    QCOMPARE(strip.speedDial()->speed(), TelemetryText::knotsToUnit(30, 0));
    QCOMPARE(labelText(strip.messageInfoView(), "latText"), QStringLiteral("0"));
    QCOMPARE(strip.gsensorView()->current(), 7);
    // A second without a fix still has the camera's time.
    QCOMPARE(labelText(strip.messageInfoView(), "timeText"),
             QStringLiteral("2024-01-01 13:00:07 UTC+01:00"));

    // A new recording resets chart and dial.
    VideoMessage next = recordWithTrack(3);
    strip.starPlayNotification(&next);
    QCOMPARE(strip.gsensorView()->current(), 0);
    QCOMPARE(strip.speedDial()->speed(), 0);
    QCOMPARE(labelText(strip.messageInfoView(), "latText"), QStringLiteral("0"));
    QCOMPARE(labelText(strip.messageInfoView(), "timeText"), QString()); // no clock
}

// The whole strip in both pages, for a look.
void TelemetryWidgetsTest::chartMarksEventsWithTips()
{
    QMap<QString, QStringList> items;
    for (int s = 0; s < 60; ++s)
        items.insert(QString::number(s), {"0.0", "0.0", "1.0"});
    GsensorView view;
    view.resize(420, 300);
    view.setData(items);
    TelemetryEvent braking;
    braking.kind = TelemetryEvent::Kind::Braking;
    braking.second = 10;
    braking.endSecond = 12;
    braking.peak = 0.456;
    TelemetryEvent speeding;
    speeding.kind = TelemetryEvent::Kind::Speeding;
    speeding.second = 40;
    speeding.endSecond = 45;
    speeding.peak = 60;
    view.setEvents({braking, speeding});
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QImage shot = view.grab().toImage();
    const TelemetryText::ChartScale scale = TelemetryText::chartScale(60);
    const struct
    {
        int index;
        int second;
        int kind;
        QString tip;
    } expected[] = {{0, 10, 0, "Braking at 0:10, peak 0.46 g"},
                    {1, 40, 4, "Speeding at 0:40, peak 111 km/h"}};
    for (const auto &mark : expected) {
        const int x = TelemetryText::chartPosition(QPoint(mark.second, 0), scale, 420, 300).x();
        QCOMPARE(view.eventX(mark.index), x);
        // The tab under the axis in the kind's colour.
        QCOMPARE(shot.pixelColor(x, 300 - 37), Palette::eventMark(mark.kind));
        const QPoint at(x + 2, 150);
        QHelpEvent help(QEvent::ToolTip, at, view.mapToGlobal(at));
        QCoreApplication::sendEvent(&view, &help);
        QTRY_COMPARE(QToolTip::text(), mark.tip);
    }
    // The band covers the seconds the braking lasts, and no more.
    const int inside = TelemetryText::chartPosition(QPoint(11, 0), scale, 420, 300).x();
    const int after = TelemetryText::chartPosition(QPoint(20, 0), scale, 420, 300).x();
    QCOMPARE(view.eventAt(inside), 0);
    QCOMPARE(view.eventAt(after), -1);
    QVERIFY(shot.pixelColor(inside, 100) != shot.pixelColor(after, 100));

    view.setEvents({});
    QCOMPARE(view.eventAt(inside), -1);
}

void TelemetryWidgetsTest::screenshots()
{
    VideoMessage record = recordWithTrack(90);
    record.fileName = QStringLiteral("2024_0101_130000_F.MP4");
    RecordClock::apply(record); // a payload without a date: the camera's clock
    DisplayMessageView strip;
    strip.resize(845, 364);
    strip.starPlayNotification(&record);
    strip.messageInfoView()->setVideoArea(QSize(1280, 803));
    strip.currentPlayTime(45);
    const QImage gpsPage = shoot(&strip, "telemetry-strip-gps.png");
    QVERIFY(!gpsPage.isNull());
    QCOMPARE(gpsPage.size(), QSize(845, 364));

    QTest::mouseClick(strip.messageInfoView()->findChild<QPushButton *>("messageButton"),
                      Qt::LeftButton);
    const QImage infoPage = shoot(&strip, "telemetry-strip-info.png");
    QVERIFY(infoPage != gpsPage);

    DisplayMessageView empty;
    empty.resize(845, 364);
    const QImage emptyStrip = shoot(&empty, "telemetry-strip-empty.png");
    QVERIFY(!emptyStrip.isNull());
    // Below its legend the chart shows the X curve and the marker in red, and
    // nothing red without a record.
    const auto redInChart = [](const DisplayMessageView &shown, const QImage &image) {
        const GsensorView *chart = shown.gsensorView();
        const int legendBottom
            = chart->findChild<QPushButton *>("pushButtonX")->geometry().bottom() + 1;
        const QRect plot(chart->mapTo(&shown, QPoint(0, legendBottom)),
                         QSize(chart->width(), chart->height() - legendBottom));
        int red = 0;
        for (int y = plot.top(); y <= plot.bottom(); ++y) {
            for (int x = plot.left(); x <= plot.right(); ++x)
                red += isReddish(image.pixelColor(x, y));
        }
        return red;
    };
    QVERIFY(redInChart(strip, gpsPage) > 100);
    QCOMPARE(redInChart(empty, emptyStrip), 0);
}

void TelemetryWidgetsTest::trackExporter()
{
    // Two recordings of one drive, as a trip hands them over: one file, one
    // segment or feature each, in the order given. Layout A lacks the day: it
    // comes from the names.
    QTemporaryDir dir(QDir::tempPath() + "/kelmora-export-XXXXXX");
    RecordingFactory factory(dir.path());
    QList<DbModel> models;
    for (const char *name : {"20230501-120004.mp4", "20230501-120000.mp4"}) {
        QVERIFY2(factory.makeGpsBox(name, longDrive(4), RecordingFactory::GpsBoxForm::LayoutA),
                 qPrintable(factory.error()));
        DbModel model;
        model.path = factory.path(name);
        model.fileName = name;
        models << model;
    }
    const QStringList filters = TrackExporter::filters();
    QCOMPARE(filters.size(), 3);
    const auto written = [&](int filter) {
        const TelemetryExport::Format format = TrackExporter::formatOfFilter(filters[filter]);
        const QString path = QDir(dir.path()).filePath("track." + TrackExporter::suffixOf(format));
        const QString error = TrackExporter::write(models, path, format);
        if (!error.isEmpty())
            QTest::qFail(qPrintable(error), __FILE__, __LINE__);
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    };
    const QString gpx = written(0);
    QCOMPARE(gpx.count("<trkseg>"), 2);
    QCOMPARE(gpx.count("<time>2023-05-01T12:00:0"), 8);
    const QStringList csv = written(1).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(csv.size(), 9);
    QVERIFY(csv[1].contains("20230501-120004.mp4,2023-05-01T12:00:00Z"));
    QVERIFY(csv[8].contains("20230501-120000.mp4,2023-05-01T12:00:03Z"));
    const QJsonArray features
        = QJsonDocument::fromJson(written(2).toUtf8()).object().value("features").toArray();
    QCOMPARE(features.size(), 2);
    QCOMPARE(features[0].toObject().value("properties").toObject().value("file").toString(),
             QString("20230501-120004.mp4"));

    // A folder that cannot hold the file: the error names the file.
    const QString blocked = factory.path("20230501-120000.mp4") + "/track.gpx";
    const QString error = TrackExporter::write(models, blocked, TelemetryExport::Format::Gpx);
    QVERIFY2(error.contains(blocked), qPrintable(error));
}

KELMORA_TEST_MAIN(QApplication, TelemetryWidgetsTest)
#include "tst_telemetrywidgets.moc"
