#include "app/Helpers.h"
#include "library/DbModel.h"
#include "library/GpsItem.h"
#include "library/JsonWriter.h"
#include "library/VideoMessage.h"
#include "tests/support/TestHome.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <limits>

namespace {

GpsItem sample(const QString &lat, const QString &lon, bool status = true)
{
    GpsItem g;
    g.hour = "12";
    g.minute = "34";
    g.second = "56";
    g.year = "2024";
    g.month = "07";
    g.day = "15";
    g.status = status;
    g.nsind = "N";
    g.ewind = "E";
    g.reservd = "A";
    g.speed = "31.250";
    g.angle = 181.5f;
    g.latitude = lat;
    g.longitude = lon;
    g.jsonPosition = "[139.767125,35.681236]";
    g.x = 0.125f;
    g.y = -0.5f;
    g.z = 0.984375f;
    g.sourceType = 3;
    return g;
}

// A filled record with one sample and one G-sensor triple per second.
VideoMessage hourRecord(int seconds)
{
    VideoMessage m;
    m.path = "/videos/20240715_123456_F.mp4";
    m.time = "20240715123456789";
    m.fileSize = "1048576";
    m.fileName = "20240715_123456_F.mp4";
    m.size = "1.0";
    m.format = "mp4";
    m.demuxer = "lavf";
    m.duration = QString::number(seconds);
    m.durationM = qint64(seconds) * 1000 + 321;
    m.videoFormat = "h264";
    m.videoCodec = "H264";
    m.pixelFormat = "nv12";
    m.videoSize = "1920x1080";
    m.currentVideoSize = "1920x1080";
    m.displaySize = "1920x1080";
    m.hwdec = "NO";
    m.videoAspect = "16:9";
    m.audioCodec = "aac";
    m.videoBitRate = "8000000";
    m.audioBitRate = "128000";
    m.videoFrameRate = "29.97";
    m.resolution = "1920*1080";
    m.width = "1920";
    m.height = "1080";
    m.name = "20240715_123456_F";
    m.isProfileHigh = true;
    m.aevSpeed = "20.500";
    m.totalSpeedNum = 73800;
    m.maxSpeed = "55.125";
    m.distance = "20.500";
    m.gpsTotailNum = seconds;
    m.isChina = false;
    m.filesType = 2;
    m.jsonAllPosition = "[[1,2]]";
    for (int i = 0; i < seconds; ++i) {
        const QString key = QString::number(i);
        m.gpsItems.insert(key,
                          sample(QString::number(35.681236 + i * 1e-4, 'f', 6),
                                 QString::number(139.767125 + i * 1e-4, 'f', 6)));
        m.gsensorItems.insert(key, {QString::number(i * 0.001, 'g', 6), "-0.5", "0.984375"});
    }
    return m;
}

} // namespace

class RecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void dbModelRow();
    void dbModelJsonMessage_data();
    void dbModelJsonMessage();
    void dbModelNewKeysBesideTheOldOnes();
    void panoramaRule_data();
    void panoramaRule();
    void videoMessageDefaultsAndClear();
    void jsonRoundTripOfAnHourTrack();
    void jsonKeysAndForm();
    void jsonTextEqualsTheDocument_data();
    void jsonTextEqualsTheDocument();
    void durationMBeyond32Bits_data();
    void durationMBeyond32Bits();
    void fromJsonMergesAndIgnoresGarbage();
    void toDbMapMarksSaved();
    void positionNull_data();
    void positionNull();
    void markerScript();
    void polylineScriptBaidu();
    void polylineScriptGoogle();
    void polylineScriptNeedsDuration_data();
    void polylineScriptNeedsDuration();
};

void RecordsTest::dbModelRow()
{
    DbModel d;
    QCOMPARE(d.is3DVideo, false);
    QCOMPARE(d.width, QString("0"));
    QCOMPARE(d.height, QString("0"));

    d.fileName = "it's \"odd\" 名前.mp4";
    d.path = "/v/it's \"odd\" 名前.mp4";
    d.time = "20240101120000123";
    d.size = "12.5";
    d.is3DVideo = true;
    d.width = "3840";
    d.height = "1920";
    const QMap<QString, QString> row = d.toDbMap();
    QCOMPARE(row.keys(), QStringList({"fileName", "jsonMessage", "path", "size", "time"}));
    QCOMPARE(row["fileName"], d.fileName);
    QCOMPARE(row["path"], d.path);
    QCOMPARE(row["time"], d.time);
    QCOMPARE(row["size"], d.size);
    // Indented form, as QJsonDocument writes it by default.
    QCOMPARE(row["jsonMessage"],
             QString("{\n    \"height\": \"1920\",\n    \"is3DVideo\": true,\n    \"width\": "
                     "\"3840\"\n}\n"));

    DbModel back;
    back.fromJsonMessage(row["jsonMessage"]);
    QCOMPARE(back.is3DVideo, true);
    QCOMPARE(back.width, QString("3840"));
    QCOMPARE(back.height, QString("1920"));

    const DbModel copy(d);
    QCOMPARE(copy.toDbMap(), row);
}

void RecordsTest::dbModelJsonMessage_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("is3D");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    // The record starts as is3DVideo true, 640 x 480.
    QTest::newRow("not json") << "not json" << true << "640"
                              << "480";
    QTest::newRow("truncated") << "{\"is3DVideo\": false, \"wid" << true << "640"
                               << "480";
    QTest::newRow("empty text") << "" << true << "640"
                                << "480";
    QTest::newRow("empty object") << "{}" << false << ""
                                  << "";
    QTest::newRow("partial") << "{\"width\": \"1280\"}" << false << "1280"
                             << "";
    QTest::newRow("full") << "{\"is3DVideo\": true, \"width\": \"1920\", \"height\": \"1080\"}"
                          << true << "1920"
                          << "1080";
}

void RecordsTest::dbModelJsonMessage()
{
    QFETCH(QString, text);
    DbModel d;
    d.is3DVideo = true;
    d.width = "640";
    d.height = "480";
    d.fromJsonMessage(text);
    QTEST(d.is3DVideo, "is3D");
    QTEST(d.width, "width");
    QTEST(d.height, "height");
}

void RecordsTest::dbModelNewKeysBesideTheOldOnes()
{
    // A row as earlier versions stored it: no thumbnail name, no view choice.
    const QString earlier
        = "{\n    \"height\": \"1920\",\n    \"is3DVideo\": true,\n    \"width\": \"3840\"\n}\n";
    DbModel old;
    old.path = "/card/DCIM/FILE0001.MP4";
    old.fromJsonMessage(earlier);
    QCOMPARE(old.viewChoice, DbModel::ViewChoice::Automatic);
    QCOMPARE(old.thumbnailFile(), thumbnailPath() + "/FILE0001_.png");
    QCOMPARE(old.toDbMap().value("jsonMessage"), earlier); // written back unchanged

    DbModel d = old;
    d.thumbnail = "FILE0001_0badf00d.png";
    d.viewChoice = DbModel::ViewChoice::Flat;
    const QJsonObject stored
        = QJsonDocument::fromJson(d.toDbMap().value("jsonMessage").toUtf8()).object();
    // Earlier versions read the same three keys as before.
    QCOMPARE(stored.value("is3DVideo"), QJsonValue(true));
    QCOMPARE(stored.value("width"), QJsonValue("3840"));
    QCOMPARE(stored.value("height"), QJsonValue("1920"));
    QCOMPARE(stored.value("show360"), QJsonValue(false));
    DbModel back;
    back.path = d.path;
    back.fromJsonMessage(d.toDbMap().value("jsonMessage"));
    QCOMPARE(back.viewChoice, DbModel::ViewChoice::Flat);
    QCOMPARE(back.thumbnailFile(), thumbnailPath() + "/FILE0001_0badf00d.png");
    back.fromJsonMessage("{\"show360\": true, \"thumbnail\": \"../../elsewhere.png\"}");
    QCOMPARE(back.viewChoice, DbModel::ViewChoice::Panorama);
    QCOMPARE(back.thumbnailFile(), thumbnailPath() + "/elsewhere.png"); // never another folder
}

void RecordsTest::panoramaRule_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filesType");
    QTest::addColumn<int>("choice"); // DbModel::ViewChoice
    QTest::addColumn<bool>("panorama");
    const int automatic = int(DbModel::ViewChoice::Automatic);
    QTest::newRow("panoramic channel") << "2023_0501_130000_A.mp4" << 3 << automatic << true;
    QTest::newRow("front camera") << "2023_0501_130000_F.MP4" << 3 << automatic << false;
    QTest::newRow("numbered") << "FILE0001.MP4" << 3 << automatic << false;
    QTest::newRow("A, other telemetry") << "2023_0501_130000_A.mp4" << 0 << automatic << false;
    QTest::newRow("lower-case a") << "2023_0501_130000_a.mp4" << 3 << automatic << false;
    QTest::newRow("chosen 360") << "2023_0501_130000_F.MP4" << 0
                                << int(DbModel::ViewChoice::Panorama) << true;
    QTest::newRow("chosen flat") << "2023_0501_130000_A.mp4" << 3 << int(DbModel::ViewChoice::Flat)
                                 << false;
}

void RecordsTest::panoramaRule()
{
    QFETCH(QString, name);
    QFETCH(int, filesType);
    QFETCH(int, choice);
    DbModel d;
    d.fileName = name;
    d.is3DVideo = true; // as earlier versions stored any name with an "F"
    d.viewChoice = DbModel::ViewChoice(choice);
    QTEST(d.showsPanorama(filesType), "panorama");
}

void RecordsTest::videoMessageDefaultsAndClear()
{
    VideoMessage m;
    QCOMPARE(m.aevSpeed, QString("0"));
    QCOMPARE(m.maxSpeed, QString("0"));
    QCOMPARE(m.distance, QString("0"));
    QCOMPARE(m.width, QString("0"));
    QCOMPARE(m.height, QString("0"));
    QCOMPARE(m.durationM, qint64(0));
    QVERIFY(m.path.isEmpty() && m.duration.isEmpty() && !m.isSave && m.gpsItems.isEmpty());

    VideoMessage full = hourRecord(5);
    full.isSave = true;
    full.isChina = true;
    full.clear();
    // After clear the summary figures are empty rather than "0"; width and height stay "0".
    QCOMPARE(full.aevSpeed, QString());
    QCOMPARE(full.maxSpeed, QString());
    QCOMPARE(full.distance, QString());
    QCOMPARE(full.width, QString("0"));
    QCOMPARE(full.height, QString("0"));
    VideoMessage cleared;
    cleared.aevSpeed.clear();
    cleared.maxSpeed.clear();
    cleared.distance.clear();
    QCOMPARE(full.toJson(), cleared.toJson());
    QVERIFY(full.gpsItems.isEmpty() && full.gsensorItems.isEmpty()
            && full.jsonAllPosition.isEmpty());

    DbModel entry;
    entry.path = "/v/a.mp4";
    entry.fileName = "a.mp4";
    entry.size = "3.5";
    entry.time = "20240101000000000";
    VideoMessage probe = hourRecord(3);
    probe.resetFromDbModel(entry);
    cleared.path = entry.path;
    cleared.fileName = entry.fileName;
    cleared.size = entry.size;
    cleared.time = entry.time;
    QCOMPARE(probe.toJson(), cleared.toJson());
}

void RecordsTest::jsonRoundTripOfAnHourTrack()
{
    VideoMessage original = hourRecord(3600);
    const QString json = original.toJson();

    VideoMessage back;
    back.clear();
    back.fromJson(json);

    QCOMPARE(back.gpsItems.size(), 3600);
    QCOMPARE(back.gsensorItems.size(), 3600);
    QCOMPARE(back.durationM, original.durationM);
    QCOMPARE(back.duration, QString("3600"));
    QCOMPARE(back.videoFrameRate, original.videoFrameRate);
    QCOMPARE(back.isProfileHigh, true);
    QCOMPARE(back.filesType, 2);
    QCOMPARE(back.totalSpeedNum, 73800);
    QCOMPARE(back.jsonAllPosition, QString()); // written, never read
    const GpsItem &g = back.gpsItems.value("3599");
    const GpsItem &o = original.gpsItems.value("3599");
    QCOMPARE(g.month, QString("07"));
    QCOMPARE(g.jsonPosition, o.jsonPosition);
    QCOMPARE(g.z, o.z);
    QCOMPARE(g.angle, o.angle);
    QCOMPARE(g.latitude, o.latitude);
    QCOMPARE(g.status, true);
    QCOMPARE(g.sourceType, 0); // not part of the JSON form
    QCOMPARE(back.gsensorItems.value("1234"), original.gsensorItems.value("1234"));

    // Every other field survives: the texts match once jsonAllPosition is dropped.
    original.jsonAllPosition.clear();
    QCOMPARE(back.toJson(), original.toJson());
}

void RecordsTest::jsonKeysAndForm()
{
    VideoMessage m = hourRecord(2);
    const QString json = m.toJson();
    QVERIFY(json.startsWith("{\n    \"")); // indented form
    const QJsonObject o = QJsonDocument::fromJson(json.toUtf8()).object();
    const QStringList keys
        = {"path",           "time",           "fileSize",      "fileName",         "size",
           "format",         "demuxer",        "duration",      "durationM",        "videoFormat",
           "videoCodec",     "pixelFormat",    "videoSize",     "currentVideoSize", "displaySize",
           "hwdec",          "videoAspect",    "audioCodec",    "videoBitRate",     "audioBitRate",
           "videoFrameRate", "resolution",     "width",         "height",           "name",
           "isProfileHigh",  "aevSpeed",       "totalSpeedNum", "maxSpeed",         "distance",
           "gpsTotailNum",   "isChina",        "filesType",     "isSave",           "gpsItems",
           "gsensorItems",   "jsonAllPosition"};
    // The clock's fields come after the earlier ones, which stay as they were.
    const QStringList clockKeys
        = {"startTime",      "creationTime", "clockOffset", "clockOffsetKnown",
           "undatedSamples", "clockVersion", "trackMetres"};
    QStringList sortedKeys = keys + clockKeys;
    sortedKeys.sort();
    QCOMPARE(o.keys(), sortedKeys);
    QVERIFY(o.value("durationM").isDouble());
    QVERIFY(o.value("gpsTotailNum").isDouble());
    QVERIFY(o.value("isChina").isBool());
    QVERIFY(o.value("duration").isString());

    const QJsonObject g = o.value("gpsItems").toObject().value("1").toObject();
    QCOMPARE(g.keys(),
             QStringList({"angle", "day", "ewind", "hour", "jsonPosition", "latitude", "longitude",
                          "minute", "month", "nsind", "reservd", "second", "speed", "status", "x",
                          "y", "year", "z"}));
    QVERIFY(g.value("status").isBool());
    QVERIFY(g.value("angle").isDouble());
    QVERIFY(g.value("speed").isString());
    QCOMPARE(o.value("gsensorItems").toObject().value("1").toArray(),
             QJsonArray({"0.001", "-0.5", "0.984375"}));

    // GpsItem reads its own object back, and an unparsable text as an empty object.
    GpsItem item;
    item.fromJson(QString::fromUtf8(QJsonDocument(g).toJson(QJsonDocument::Compact)));
    QCOMPARE(item.month, QString("07"));
    QCOMPARE(item.z, 0.984375f);
    item.fromJson("garbage");
    QVERIFY(item.month.isEmpty() && !item.status && item.z == 0.0f);
}

void RecordsTest::jsonTextEqualsTheDocument_data()
{
    // The text is written straight from the fields; the stored rows must stay
    // exactly what the JSON document made of the same record.
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    const QString lone = QString(QChar(0xD800)) + "a" + QString(QChar(0xDC00));
    const QString pairThenLone = QString::fromUtf8("\xF0\x9F\x98\x80") + QChar(0xDBFF);
    QTest::newRow("plain") << "clip.mp4" << 4954.329658369177;
    QTest::newRow("escapes") << "q\"b\\s/\b\f\n\r\t\x01\x1f\x7f" << -0.0;
    QTest::newRow("nul") << QString(QChar(0)) + "x" << 1e21;
    QTest::newRow("non-latin") << QString::fromUtf8("Запись é ÿ 行车") << 9007199254740993.0;
    QTest::newRow("surrogates") << lone << -9223372036854775808.0;
    QTest::newRow("pair, then a lone one") << pairThenLone << 9223372036854775807.0;
    QTest::newRow("empty") << QString() << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("infinite") << " " << -std::numeric_limits<double>::infinity();
    QTest::newRow("tiny") << "0" << 5e-324;
    QTest::newRow("fraction") << "1" << 123456789012.5;
    QTest::newRow("whole beyond 2^53") << "2" << 4611686018427387904.0;
    QTest::newRow("whole beyond 2^63") << "3" << 1.8e19;
    QTest::newRow("whole beyond 2^64") << "4" << 2e19;
}

void RecordsTest::jsonTextEqualsTheDocument()
{
    QFETCH(QString, text);
    QFETCH(double, number);
    VideoMessage m = hourRecord(3);
    m.fileName = text;
    m.path = "/card/" + text;
    m.trackMetres = number;
    m.durationM = std::numeric_limits<qint64>::min();
    m.clockOffset = -1;
    GpsItem odd = sample(text, "-0.5");
    odd.angle = float(number);
    odd.x = -0.0f;
    odd.y = std::numeric_limits<float>::max();
    odd.utcTime = text;
    m.gpsItems.insert(text, odd);
    m.gpsItems.insert(QString::fromUtf8("é"), sample("1", "2"));
    m.gsensorItems.insert(text, {text, "", "x"});
    m.gsensorItems.insert("Z", {});
    const QByteArray document = QJsonDocument(m.toJsonObject()).toJson();
    QCOMPARE(m.toJsonBytes(), document);
    QCOMPARE(m.toJson(), QString::fromUtf8(document));
    // Handed on in pieces as it is written, the text is the same.
    for (const int chunk : {1, 100}) {
        QByteArray pieces;
        JsonWriter writer;
        writer.spillTo([&pieces](const QByteArray &piece) { pieces += piece; }, chunk);
        m.writeJson(writer);
        pieces += writer.take();
        QCOMPARE(pieces, document);
    }

    VideoMessage empty;
    QCOMPARE(empty.toJsonBytes(), QJsonDocument(empty.toJsonObject()).toJson());
}

void RecordsTest::durationMBeyond32Bits_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("32-bit row") << "{\"durationM\": 61234}" << qint64(61234);
    QTest::newRow("2^31") << "{\"durationM\": 2147483648}" << qint64(2147483648LL);
    QTest::newRow("about 300 years") << "{\"durationM\": 9876543210123}" << qint64(9876543210123LL);
    QTest::newRow("absent") << "{}" << qint64(0);
    QTest::newRow("text value") << "{\"durationM\": \"x\"}" << qint64(0);
}

void RecordsTest::durationMBeyond32Bits()
{
    QFETCH(QString, json);
    QFETCH(qint64, expected);
    VideoMessage m;
    m.durationM = 77;
    m.fromJson(json);
    QCOMPARE(m.durationM, expected);

    // And through a full write and read.
    VideoMessage written;
    written.durationM = expected;
    VideoMessage back;
    back.fromJson(written.toJson());
    QCOMPARE(back.durationM, expected);
}

void RecordsTest::fromJsonMergesAndIgnoresGarbage()
{
    VideoMessage m = hourRecord(3);
    const QString before = m.toJson();
    m.fromJson("{\"path\": ");
    m.fromJson("");
    QCOMPARE(m.toJson(), before);

    // Not cleared first: samples under other keys stay, the same key is replaced,
    // scalar fields absent from the text become empty.
    m.fromJson("{\"gpsItems\": {\"1\": {\"month\": \"12\"}, \"99\": {\"speed\": \"1.000\"}},"
               " \"gsensorItems\": {\"0\": [\"1\", 2.5, \"3\"]}}");
    QCOMPARE(m.gpsItems.size(), 4);
    QCOMPARE(m.gpsItems.value("0").month, QString("07"));
    QCOMPARE(m.gpsItems.value("1").month, QString("12"));
    QCOMPARE(m.gpsItems.value("1").latitude, QString());
    QCOMPARE(m.gpsItems.value("99").speed, QString("1.000"));
    QCOMPARE(m.gsensorItems.value("0"), QStringList({"1", "2.5", "3"}));
    QCOMPARE(m.gsensorItems.size(), 3);
    QCOMPARE(m.path, QString());
    QCOMPARE(m.width, QString());
    QCOMPARE(m.durationM, qint64(0));
}

void RecordsTest::toDbMapMarksSaved()
{
    VideoMessage m = hourRecord(2);
    QVERIFY(!m.isSave);
    const QMap<QString, QString> row = m.toDbMap();
    QVERIFY(m.isSave);
    QCOMPARE(row.keys(), QStringList({"fileName", "jsonMessage", "path", "time"}));
    QCOMPARE(row["fileName"], m.fileName);
    QCOMPARE(row["path"], m.path);
    QCOMPARE(row["time"], m.time);
    QVERIFY(QJsonDocument::fromJson(row["jsonMessage"].toUtf8()).object().value("isSave").toBool());
}

void RecordsTest::positionNull_data()
{
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<bool>("isNull");
    QTest::newRow("both empty") << ""
                                << "" << true;
    QTest::newRow("zeros") << "0"
                           << "0" << true;
    QTest::newRow("zero decimals") << "0.000000"
                                   << "-0.000000" << true;
    QTest::newRow("not numbers") << "abc"
                                 << "def" << true;
    QTest::newRow("one empty") << ""
                               << "139.767125" << false;
    QTest::newRow("negative") << "-33.868820"
                              << "-151.209296" << false;
    QTest::newRow("equator") << "0"
                             << "10.5" << false;
    QTest::newRow("opposite signs cancel not") << "-10"
                                               << "10" << false;
}

void RecordsTest::positionNull()
{
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    GpsItem g;
    g.latitude = lat;
    g.longitude = lon;
    QTEST(g.isPositionNull(), "isNull");
}

void RecordsTest::markerScript()
{
    const GpsItem tokyo = sample("35.681236", "139.767125");
    QCOMPARE(
        tokyo.markerScript(1),
        QString("\n                 updateMarkerPosition([139.767125,35.681236]);\n             "));
    QCOMPARE(tokyo.markerScript(0),
             QString("\n                 var position = { lat: 35.681236, lng: 139.767125 };\n"
                     "                 updateMarkerPosition(position);\n             "));

    QCOMPARE(sample("35.681236", "139.767125", false).markerScript(0), QString());
    QCOMPARE(sample("0", "0").markerScript(1), QString());
    QCOMPARE(sample("", "").markerScript(0), QString());

    // A point in China is shifted for the map, each map its own way.
    const GpsItem beijing = sample("39.908823", "116.397470");
    const Coordinate gcj = convertCoordinate(0, beijing.latitude, beijing.longitude, true);
    const Coordinate bd = convertCoordinate(1, beijing.latitude, beijing.longitude, true);
    QVERIFY(gcj != Coordinate(39.908823, 116.397470));
    QVERIFY(beijing.markerScript(0).contains(
        QString("lat: %1, lng: %2 }").arg(gcj.first, 0, 'f', 6).arg(gcj.second, 0, 'f', 6)));
    QVERIFY(beijing.markerScript(1).contains(QString("[%1,%2]").arg(
        QString::number(bd.second, 'f', 6), QString::number(bd.first, 'f', 6))));
}

void RecordsTest::polylineScriptBaidu()
{
    VideoMessage m;
    m.duration = "12";
    // Keys sort as text ("10" before "2"); the track must still run in time order.
    for (int i : {10, 2, 0, 1})
        m.gpsItems.insert(QString::number(i), sample(QString::number(35 + i, 'f', 1), "139.5"));
    m.gpsItems.insert("1", sample("36.0", "139.5", false)); // no fix: skipped
    m.gpsItems.insert("11", sample("0", "0")); // null: skipped
    m.gpsItems.insert("12", sample("47.0", "139.5")); // beyond the duration
    m.gpsItems.insert("x", sample("48.0", "139.5")); // not a second
    m.gpsItems.insert("03", sample("49.0", "139.5")); // not how second 3 is written

    const QString script = m.polylineScript(1);
    QCOMPARE(script,
             QString("\n                   drawPolyLinePath("
                     "[[\"139.500000\",\"35.000000\"],[\"139.500000\",\"37.000000\"],"
                     "[\"139.500000\",\"45.000000\"]]);\n                   "));

    // A damaged duration draws the same track, without walking two billion seconds.
    m.duration = "2000000000";
    m.gpsItems.remove("12");
    QCOMPARE(m.polylineScript(1), script);
}

void RecordsTest::polylineScriptGoogle()
{
    VideoMessage m;
    m.duration = "3";
    m.gpsItems.insert("0", sample("35.681236", "139.767125"));
    m.gpsItems.insert("2", sample("35.6812364", "139.7671249"));
    const QString script = m.polylineScript(0);
    QVERIFY(script.startsWith("\n                    drawPolyLinePath("));
    QVERIFY(script.endsWith(");\n                 "));
    const int open = script.indexOf('(') + 1;
    const QString json = script.mid(open, script.lastIndexOf(')') - open);
    const QJsonArray points = QJsonDocument::fromJson(json.toUtf8()).array();
    QCOMPARE(points.size(), 2);
    for (const QJsonValue &p : points) {
        QVERIFY(p.toObject().value("lat").isDouble());
        QCOMPARE(p.toObject().value("lat").toDouble(), 35.681236);
        QCOMPARE(p.toObject().value("lng").toDouble(), 139.767125); // rounded to 6 decimals
    }

    // A record in China shifts every point by the record's flag.
    m.isChina = true;
    const Coordinate gcj = convertCoordinate(0, "35.681236", "139.767125", true);
    const QJsonArray shifted
        = QJsonDocument::fromJson(m.polylineScript(0).section('(', 1).section(')', 0, 0).toUtf8())
              .array();
    QCOMPARE(shifted.at(0).toObject().value("lat").toDouble(),
             QString::number(gcj.first, 'f', 6).toDouble());
}

void RecordsTest::polylineScriptNeedsDuration_data()
{
    QTest::addColumn<QString>("duration");
    QTest::newRow("zero") << "0";
    QTest::newRow("not a number") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("negative") << "-5";
}

void RecordsTest::polylineScriptNeedsDuration()
{
    QFETCH(QString, duration);
    VideoMessage m = hourRecord(5);
    m.duration = duration;
    QCOMPARE(m.polylineScript(0), QString());
    QCOMPARE(m.polylineScript(1), QString());
}

KELMORA_TEST_MAIN(QCoreApplication, RecordsTest)
#include "tst_records.moc"
