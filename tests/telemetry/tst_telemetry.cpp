// Sample decoders and the validation and summary rules of GPSTool, on bytes
// built in the test (no files).
#include "telemetry/GPSTool.h"
#include "telemetry/TelemetryFormats.h"
#include "tests/support/TestHome.h"

#include <QtEndian>
#include <QtTest>
#include <cmath>
#include <limits>

using namespace TelemetryFormats;

namespace {

template<typename T> void put(QByteArray &bytes, int offset, T value)
{
    qToLittleEndian<T>(value, bytes.data() + offset);
}

GpsItem
fix(const QString &lat, const QString &lon, const QString &speed = "10.000", float angle = 90)
{
    GpsItem item;
    item.status = true;
    item.latitude = lat;
    item.longitude = lon;
    item.speed = speed;
    item.angle = angle;
    return item;
}

QByteArray textPacket(const QByteArray &text)
{
    return QByteArray("\x00\x40 ", 3) + text;
}

} // namespace

class TelemetryFormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void degrees_data();
    void degrees();
    void textSample();
    void textSampleWithoutHemispheres();
    void textSampleTabsOnlyEarly();
    void binarySample();
    void binarySampleShortPacket();
    void binaryStreamAsEachPacketAlone();
    void layoutA();
    void layoutB();
    void blockLayoutName_data();
    void blockLayoutName();
    void jumpIsComparedWithLastAccepted();
    void jump_data();
    void jump();
    void rangeRejection_data();
    void rangeRejection();
    void speedFigures();
    void outOfRangeSpeedAndAngle();
    void invalidSamplesKeepOnlyGsensor();
    void averageOverSeveralSamplesPerSecond();
};

void TelemetryFormatsTest::degrees_data()
{
    QTest::addColumn<bool>("nmea");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nmea north") << true << "2232.1234"
                                << "N"
                                << "22.535389";
    QTest::newRow("nmea east") << true << "11404.5678"
                               << "E"
                               << "114.076126";
    QTest::newRow("nmea south") << true << "2232.1234"
                                << "S"
                                << "-22.535389";
    QTest::newRow("nmea west") << true << "11404.5678"
                               << "W"
                               << "-114.076126";
    QTest::newRow("nmea no letter") << true << "2232.1234"
                                    << ""
                                    << "0";
    QTest::newRow("nmea zero") << true << "0.000000"
                               << "N"
                               << "0";
    QTest::newRow("signed south of negative") << false << "-5"
                                              << "S"
                                              << "-5.000000";
    QTest::newRow("signed north keeps sign") << false << "-5"
                                             << "N"
                                             << "-5.000000";
    QTest::newRow("signed west") << false << "7.25"
                                 << "W"
                                 << "-7.250000";
    QTest::newRow("signed other letter") << false << "7.25"
                                         << "X"
                                         << "0";
    QTest::newRow("signed unreadable") << false << "abc"
                                       << "N"
                                       << "0";
}

void TelemetryFormatsTest::degrees()
{
    QFETCH(bool, nmea);
    QFETCH(QString, value);
    QFETCH(QString, letter);
    QFETCH(QString, expected);
    QCOMPARE(nmea ? nmeaToDegrees(value, letter) : toSignedDegrees(value, letter), expected);
}

void TelemetryFormatsTest::textSample()
{
    const GpsItem item
        = decodeTextSample(textPacket("120\t-35\t980,0,0,A,2232.1234,N,11404.5678,E,35.2,270"));
    QCOMPARE(item.x, 0.12f);
    QCOMPARE(item.y, -0.035f);
    QCOMPARE(item.z, 0.98f);
    QVERIFY(item.status);
    QCOMPARE(item.nsind, QString("N"));
    QCOMPARE(item.ewind, QString("E"));
    QCOMPARE(item.latitude, QString("22.535389"));
    QCOMPARE(item.longitude, QString("114.076126"));
    QCOMPARE(item.speed, QString("35.2"));
    QCOMPARE(item.angle, 270.0f);
    QVERIFY(item.year.isEmpty() && item.hour.isEmpty());
    QCOMPARE(item.sourceType, 0);
}

void TelemetryFormatsTest::textSampleWithoutHemispheres()
{
    const GpsItem item = decodeTextSample(textPacket("120\t-35\t980,0,0,A,2232.1234,N,11404.5678"));
    QVERIFY(item.status);
    QCOMPARE(item.latitude, QString("0"));
    QCOMPARE(item.longitude, QString("0"));
    QVERIFY(item.speed.isEmpty());
}

void TelemetryFormatsTest::textSampleTabsOnlyEarly()
{
    // A TAB past the first 40 bytes is not a separator: the speed field then
    // holds "35.2\t9" and the heading is cut from the field list.
    QByteArray text = "1,2,3,0,0,A,2232.1234,N,11404.5678,E,35.2\t9,270";
    QVERIFY(text.indexOf('\t') >= 40);
    const GpsItem item = decodeTextSample(textPacket(text));
    QCOMPARE(item.speed, QString("35.2\t9"));
    QCOMPARE(item.angle, 270.0f);

    // Longer than the 160-byte buffer: read up to the buffer's end, no further.
    const GpsItem longItem = decodeTextSample(textPacket(QByteArray(400, '7')));
    QVERIFY(!longItem.status);
    QVERIFY(longItem.latitude.isEmpty());
    // Three bytes or fewer carry no text at all.
    QCOMPARE(decodeTextSample(QByteArray("ab")).latitude, QString());
}

void TelemetryFormatsTest::binarySample()
{
    QByteArray r(276, '\0');
    put<quint16>(r, 96, 2023);
    r[98] = 5;
    r[100] = 12;
    r[101] = 34;
    r[102] = 56;
    put<float>(r, 108, 0.5f);
    put<float>(r, 112, -5.5f);
    put<float>(r, 116, 5.0f);
    r[120] = 'A';
    r[121] = 'E';
    r[122] = 'N';
    r[123] = char(114);
    r[124] = 4;
    put<quint16>(r, 126, 3407);
    r[128] = 22;
    r[129] = 32;
    put<quint16>(r, 130, 740);
    put<quint16>(r, 132, 65);
    put<quint16>(r, 134, 181);
    const GpsItem item = decodeBinarySample(r);
    QCOMPARE(item.year, QString("2023"));
    QCOMPARE(item.month, QString("5"));
    QCOMPARE(item.hour + ":" + item.minute + ":" + item.second, QString("12:34:56"));
    QCOMPARE(item.x, 0.5f);
    QCOMPARE(item.y, 0.0f);
    QCOMPARE(item.z, 5.0f);
    QVERIFY(item.status);
    QCOMPARE(item.latitude, QString("22.535389"));
    QCOMPARE(item.longitude, QString("114.076134"));
    QCOMPARE(item.speed, QString("35.097"));
    QCOMPARE(item.angle, 181.0f);
    QVERIFY(item.day.isEmpty());

    r[121] = 'W';
    r[122] = 'S';
    const GpsItem south = decodeBinarySample(r);
    QCOMPARE(south.latitude, QString("-22.535389"));
    QCOMPARE(south.longitude, QString("-114.076134"));
}

void TelemetryFormatsTest::binarySampleShortPacket()
{
    QByteArray r(121, '\0');
    r[120] = 'A';
    const GpsItem item = decodeBinarySample(r);
    QVERIFY(item.status);
    QCOMPARE(item.latitude, QString("0"));
    QCOMPARE(item.speed, QString("0.000"));
    QVERIFY(item.nsind.isEmpty());
    QCOMPARE(decodeBinarySample(QByteArray()).status, false);
}

void TelemetryFormatsTest::binaryStreamAsEachPacketAlone()
{
    // One field at a time changes, or none: the texts a stream's decoder
    // takes over from the record before must be those the packet alone gives.
    QByteArray r(276, '\0');
    put<quint16>(r, 96, 2023);
    r[120] = 'A';
    r[121] = 'E';
    r[122] = 'N';
    BinarySampleDecoder decoder;
    GpsItem before;
    for (int step = 0; step < 400; ++step) {
        QByteArray packet;
        switch (step % 9) {
        case 1:
            r[100 + step % 3] = char(step % 60);
            break;
        case 2:
            r[121] = "EW\0X"[step % 4];
            break;
        case 3:
            r[122] = "NS\0"[step % 3];
            break;
        case 4:
            r[123 + step % 4] = char(step);
            break;
        case 5:
            r[128 + step % 4] = char(step * 3);
            break;
        case 6:
            put<quint16>(r, 132, quint16(step * 7));
            break;
        case 7:
            packet = r.left(step % 140);
            break;
        default:
            break;
        }
        if (step % 9 != 7)
            packet = r;
        const GpsItem alone = decodeBinarySample(packet);
        const GpsItem inStream = decoder.decode(packet);
        QCOMPARE(inStream.toJsonObject(), alone.toJsonObject());
        QCOMPARE(inStream.status, alone.status);
        if (step % 9 == 0 && step > 0 && before.latitude == alone.latitude)
            QVERIFY(inStream.latitude.isSharedWith(before.latitude));
        before = inStream;
    }
}

void TelemetryFormatsTest::layoutA()
{
    QByteArray r(232, '\0');
    put<qint32>(r, 0, -1);
    put<qint32>(r, 4, 7);
    put<qint32>(r, 8, 9);
    r[12] = 'A';
    put<double>(r, 16, 2232.1234);
    r[24] = 'S';
    put<double>(r, 32, 11404.5678);
    r[40] = 'E';
    put<double>(r, 48, 12.3456);
    put<double>(r, 56, 359.5);
    put<qint32>(r, 64, 2023);
    put<qint32>(r, 68, 5);
    put<qint32>(r, 76, 6144); // 6 g: out of range
    put<qint32>(r, 80, -1024); // -1 g
    put<qint32>(r, 84, 5120); // exactly 5 g stays
    r[218] = char(-2);

    const GpsItem block = decodeLayoutA(r, true, false);
    QCOMPARE(block.hour, QString("-1"));
    QCOMPARE(block.latitude, QString("-22.535389"));
    QCOMPARE(block.longitude, QString("114.076126"));
    QCOMPARE(block.speed, QString("12.346"));
    QCOMPARE(block.angle, 359.5f);
    QCOMPARE(block.year + "-" + block.month, QString("2023-5"));
    QCOMPARE(block.x, 0.0f);
    QCOMPARE(block.y, -1.0f);
    QCOMPARE(block.z, 5.0f);
    QCOMPARE(block.sourceType, 0);

    const GpsItem box = decodeLayoutA(r, false, true);
    QCOMPARE(box.hour, QString("4294967295"));
    QCOMPARE(box.sourceType, -2);
    QVERIFY(!isLayoutB(r + QByteArray(16, '\0')));
}

void TelemetryFormatsTest::layoutB()
{
    QByteArray r(248, '\0');
    memcpy(r.data() + 32, "veltrocamp", 10);
    r[48] = 'A';
    r[49] = 'N';
    r[50] = 'W';
    put<qint32>(r, 52, 2024);
    put<qint32>(r, 56, 12);
    put<qint32>(r, 64, 23);
    put<qint32>(r, 68, 59);
    put<qint32>(r, 72, 58);
    put<float>(r, 76, 11404.5678f);
    put<float>(r, 80, 2232.1234f);
    put<float>(r, 84, 35.2f);
    put<float>(r, 88, 12.5f);
    put<quint32>(r, 96, 512); // 2 g
    put<quint32>(r, 100, 0xFFFFFC00); // -1024 as signed: far above 5 g unsigned
    put<quint32>(r, 104, 1280); // exactly 5 g stays
    QVERIFY(isLayoutB(r));
    const GpsItem item = decodeLayoutB(r);
    QVERIFY(item.status);
    QCOMPARE(item.latitude, QString("22.535389"));
    QCOMPARE(item.longitude, QString("-114.076126"));
    QCOMPARE(item.speed, QString("35.200"));
    QCOMPARE(item.angle, 12.5f);
    QCOMPARE(item.year + "-" + item.month + " " + item.hour + ":" + item.minute + ":" + item.second,
             QString("2024-12 23:59:58"));
    QCOMPARE(item.x, 2.0f);
    QCOMPARE(item.y, 0.0f);
    QCOMPARE(item.z, 5.0f);

    r[42] = 'x'; // "veltrocampx": another signature
    QVERIFY(!isLayoutB(r));
}

void TelemetryFormatsTest::blockLayoutName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("expected");
    QTest::newRow("four parts") << "C:/rec/2023_0501_120000_F.MOV" << true;
    QTest::newRow("lower case") << "/rec/2023_0501_120000_r.mov" << true;
    QTest::newRow("folder with underscore") << "/media/me/SD_CARD/2023_0501_120000_F.MOV" << true;
    QTest::newRow("folder with four parts") << "/a_b_c_d/clip.mov" << false;
    QTest::newRow("mp4") << "/rec/2023_0501_120000_F.MP4" << false;
    QTest::newRow("three parts") << "/rec/0501_120000_F.MOV" << false;
    QTest::newRow("empty parts count") << "/rec/a__b.mov" << false;
    QTest::newRow("empty parts make four") << "/rec/a___.mov" << true;
}

void TelemetryFormatsTest::blockLayoutName()
{
    QFETCH(QString, path);
    QFETCH(bool, expected);
    QCOMPARE(GPSTool::isBlockLayoutName(path), expected);
}

void TelemetryFormatsTest::jumpIsComparedWithLastAccepted()
{
    GPSTool tool;
    tool.acceptSample(fix("22.500000", "114.000000"));
    tool.secondIndex = 1;
    QTest::ignoreMessage(QtDebugMsg, "无效经纬度：前后经纬度相距太远::23.100000 114.000000");
    tool.acceptSample(fix("23.100000", "114.000000"));
    tool.secondIndex = 2;
    // 22.9 is within half a degree of the first sample, not of the rejected one.
    tool.acceptSample(fix("22.900000", "114.000000"));
    QCOMPARE(tool.record.gpsItems.keys(), QStringList({"0", "2"}));
    QCOMPARE(tool.record.gsensorItems.size(), 3);
    QCOMPARE(tool.lastAccepted.latitude, QString("22.900000"));
}

void TelemetryFormatsTest::jump_data()
{
    QTest::addColumn<QString>("lastLat");
    QTest::addColumn<QString>("lastLon");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("mirrored across the equator") << "30.000000"
                                                 << "100.000000"
                                                 << "-30.000000"
                                                 << "100.000000" << false;
    QTest::newRow("mirrored across the prime meridian") << "48.000000"
                                                        << "5.000000"
                                                        << "48.000000"
                                                        << "-5.000000" << false;
    QTest::newRow("mirrored across both") << "30.000000"
                                          << "100.000000"
                                          << "-30.000000"
                                          << "-100.000000" << false;
    QTest::newRow("small step across the equator") << "0.200000"
                                                   << "100.000000"
                                                   << "-0.200000"
                                                   << "100.000000" << true;
    QTest::newRow("small step across the 180th meridian") << "10.000000"
                                                          << "179.900000"
                                                          << "10.000000"
                                                          << "-179.900000" << true;
    QTest::newRow("jump across the 180th meridian") << "10.000000"
                                                    << "179.800000"
                                                    << "10.000000"
                                                    << "-179.600000" << false;
}

void TelemetryFormatsTest::jump()
{
    QFETCH(QString, lastLat);
    QFETCH(QString, lastLon);
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    QFETCH(bool, accepted);
    GPSTool tool;
    tool.acceptSample(fix(lastLat, lastLon));
    tool.secondIndex = 1;
    if (!accepted)
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable("无效经纬度：前后经纬度相距太远::" + lat + " " + lon));
    tool.acceptSample(fix(lat, lon));
    QCOMPARE(tool.record.gpsItems.contains("1"), accepted);
    QCOMPARE(tool.lastAccepted.latitude + " " + tool.lastAccepted.longitude,
             accepted ? lat + " " + lon : lastLat + " " + lastLon);
}

void TelemetryFormatsTest::rangeRejection_data()
{
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::newRow("zero latitude") << "0"
                                   << "114.000000";
    QTest::newRow("zero longitude") << "22.000000"
                                    << "0";
    QTest::newRow("latitude above 90") << "90.500000"
                                       << "114.000000";
    QTest::newRow("longitude below -180") << "22.000000"
                                          << "-180.100000";
    QTest::newRow("not a number") << "nan"
                                  << "114.000000";
}

void TelemetryFormatsTest::rangeRejection()
{
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    GPSTool tool;
    QTest::ignoreMessage(
        QtDebugMsg,
        "Invalid Latitude and longitude: precision and dimension are 0, or exceed the "
        "latitude and longitude regular expression");
    tool.acceptSample(fix(lat, lon));
    QVERIFY(tool.record.gpsItems.isEmpty());
    QVERIFY(tool.lastAccepted.isPositionNull());
    QCOMPARE(tool.record.gsensorItems.size(), 1);
}

void TelemetryFormatsTest::speedFigures()
{
    GPSTool tool;
    tool.record.maxSpeed.clear(); // as after the reset a parse starts with
    QTest::ignoreMessage(QtDebugMsg, "解析出来的数据：22.500000::114.000000 秒 0");
    tool.acceptSample(fix("22.500000", "114.000000", "10.6"));
    QCOMPARE(tool.speedSum, 10.6);
    tool.secondIndex = 1;
    tool.acceptSample(fix("22.500100", "114.000000", "10.6"));
    QCOMPARE(tool.speedSum, 21.2);
    tool.deriveFigures();
    QCOMPARE(tool.record.aevSpeed, QString("10.600"));
    QCOMPARE(tool.record.distance, QString("10.600"));
    QCOMPARE(tool.record.maxSpeed, QString("10.600"));
    QCOMPARE(tool.record.totalSpeedNum, 2);
    QCOMPARE(tool.record.gpsTotailNum, 2);
    QVERIFY(tool.record.isChina);

    // A crawl that sums to less than one knot still has its average.
    GPSTool crawl;
    crawl.acceptSample(fix("22.500000", "114.000000", "0.4"));
    crawl.deriveFigures();
    QCOMPARE(crawl.record.aevSpeed, QString("0.400"));
}

void TelemetryFormatsTest::outOfRangeSpeedAndAngle()
{
    GPSTool tool;
    tool.acceptSample(fix("48.100000", "11.500000", "20", 45));
    tool.secondIndex = 1;
    tool.acceptSample(fix("48.100100", "11.500000", "450", 400));
    tool.secondIndex = 2;
    tool.acceptSample(
        fix("48.100200", "11.500000", "fast", std::numeric_limits<float>::quiet_NaN()));
    const GpsItem rejectedSpeed = tool.record.gpsItems.value("1");
    QCOMPARE(rejectedSpeed.speed, QString("0"));
    // A heading outside 0..360 is replaced by the previous accepted heading.
    QCOMPARE(rejectedSpeed.angle, 45.0f);
    QCOMPARE(tool.record.gpsItems.value("2").speed, QString("0"));
    QCOMPARE(tool.record.gpsItems.value("2").angle, 45.0f);
    tool.deriveFigures();
    QCOMPARE(tool.record.aevSpeed, QString("20.000"));
    QCOMPARE(tool.record.maxSpeed, QString("20.000"));
    QCOMPARE(tool.record.totalSpeedNum, 1);
    QCOMPARE(tool.record.gpsTotailNum, 3);
    QVERIFY(!tool.record.isChina);
}

void TelemetryFormatsTest::invalidSamplesKeepOnlyGsensor()
{
    GPSTool tool;
    GpsItem invalid = fix("22.500000", "114.000000");
    invalid.status = false;
    invalid.x = 0.25f;
    invalid.sourceType = 7;
    tool.acceptSample(invalid);
    QVERIFY(tool.record.gpsItems.isEmpty());
    QCOMPARE(tool.record.gsensorItems.value("0"), QStringList({"0.25", "0", "0"}));
    QCOMPARE(tool.record.filesType, 7);
    tool.deriveFigures();
    QCOMPARE(tool.record.aevSpeed, QString("0"));
    QCOMPARE(tool.record.gpsTotailNum, 0);
}

void TelemetryFormatsTest::averageOverSeveralSamplesPerSecond()
{
    // Ten samples a second at 36.5 knots: the average is 36.5, not divided
    // by the ten samples a second once more.
    GPSTool tool;
    tool.recordsPerSecond = 10;
    for (int i = 0; i < 30; ++i) {
        tool.acceptSample(fix("22.500000", "114.000000", "36.5"));
        tool.secondIndex = ++tool.recordsRead / tool.recordsPerSecond;
    }
    tool.deriveFigures();
    QCOMPARE(tool.record.aevSpeed, QString("36.500"));
    QCOMPARE(tool.record.totalSpeedNum, 3);
    QCOMPARE(tool.record.gpsItems.size(), 3);
}

KELMORA_TEST_MAIN(QCoreApplication, TelemetryFormatsTest)
#include "tst_telemetry.moc"
