// Driving events: EventDetector on records read from real generated
// recordings of every payload family with G-sensor data, on hand-made records
// for the edge cases, and kelmora-telemetry --events.
#include "library/DbModel.h"
#include "library/TelemetryEvents.h"
#include "library/VideoMessage.h"
#include "telemetry/GPSTool.h"
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/TestHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>
#include <cmath>

Q_DECLARE_METATYPE(VideoMessage)
Q_DECLARE_METATYPE(EventThresholds)

namespace {

// The drive: ten minutes at 40 knots, three harsh brakings, one crash, twenty
// potholes, an ordinary bend and sensor noise.
constexpr int driveSeconds = 600;
const int brakings[] = {125, 275, 425};
constexpr int impactSecond = 515;
// Potholes at 10, 40, ... 580: never within a second of another event.
bool isPothole(int t)
{
    return t % 30 == 10;
}
constexpr double brakingG = -0.45;
// 0.45 g for one second, in knots.
constexpr double brakingKnots = 0.45 * 9.80665 / 0.514444;
constexpr double recoveryKnots = 0.25; // per second, about 0.013 g

enum class Maker { GpsBoxA, GpsBoxB, BlockTrack, TextStream, BinaryStream };

// How a camera of one family is mounted and what unit its payload counts in.
struct Family
{
    Maker maker;
    const char *file;
    double unit; // raw counts per g
    int gravity;
    double up; // sign of gravity on its axis
    int along;
    double forward; // sign of forward acceleration on its axis
    int side;
};

const Family families[] = {
    {Maker::GpsBoxA, "events-a.mp4", 1024, 0, 1, 1, 1, 2},
    // Unsigned axes: braking must read positive, so forward is negative.
    {Maker::GpsBoxB, "events-b.mp4", 256, 2, 1, 0, -1, 1},
    // The block layout is recognised by the name.
    {Maker::BlockTrack, "2023_0501_120000_F.MOV", 1024, 1, -1, 2, 1, 0},
    {Maker::TextStream, "events-text.mp4", 1000, 2, -1, 1, -1, 0},
    {Maker::BinaryStream, "events-binary.mp4", 1000, 1, 1, 0, 1, 2},
};

QVector<FixtureSample> eventDrive(const Family &family)
{
    QVector<FixtureSample> samples;
    double knots = 40;
    for (int t = 0; t < driveSeconds; ++t) {
        FixtureSample s;
        s.minute = t / 60;
        s.second = t % 60;
        s.latNmea = 2232.1234 + 0.005 * t;
        s.lonNmea = 11404.5678 + 0.005 * t;
        s.heading = 45;
        double along = 0, side = 0, vertical = 0;
        if (std::find(std::begin(brakings), std::end(brakings), t) != std::end(brakings)) {
            along = brakingG;
            knots -= brakingKnots;
        } else if (knots < 40) {
            along = recoveryKnots * 0.514444 / 9.80665;
            knots = std::min(40.0, knots + recoveryKnots);
        }
        if (t == impactSecond)
            along = -2.5;
        if (t >= 300 && t < 310)
            side = 0.2; // an ordinary bend
        if (isPothole(t))
            vertical = (t / 30) % 2 ? 0.6 : -0.6;
        s.speedKnots = knots;
        double g[3] = {};
        g[family.gravity] = family.up * (1 + vertical) + 0.02 * std::sin(t * 2.3);
        g[family.along] = family.forward * along + 0.03 * std::sin(t * 1.7);
        g[family.side] = side + 0.03 * std::sin(t * 2.9 + 1);
        for (int axis = 0; axis < 3; ++axis)
            s.acc[axis] = qint32(std::lround(g[axis] * family.unit));
        samples.append(s);
    }
    return samples;
}

bool make(RecordingFactory &factory, const Family &family)
{
    const QVector<FixtureSample> samples = eventDrive(family);
    switch (family.maker) {
    case Maker::GpsBoxA:
        return factory.makeGpsBox(family.file, samples, RecordingFactory::GpsBoxForm::LayoutA);
    case Maker::GpsBoxB:
        return factory.makeGpsBox(family.file, samples, RecordingFactory::GpsBoxForm::LayoutB);
    case Maker::BlockTrack:
        return factory.makeBlockTrack(family.file, samples,
                                      RecordingFactory::BlockMode::SampleSize);
    case Maker::TextStream:
        return factory.makeTextStream(family.file, samples);
    case Maker::BinaryStream:
        return factory.makeBinaryStream(family.file, samples, 1);
    }
    return false;
}

VideoMessage parsed(const QString &path)
{
    DbModel model;
    model.path = path;
    model.fileName = QFileInfo(path).fileName();
    GPSTool tool;
    tool.parse(model);
    return tool.record;
}

// "kind first-last peak" per event, peak to two decimals.
QString describe(const QVector<TelemetryEvent> &events)
{
    QStringList parts;
    for (const TelemetryEvent &e : events)
        parts << QString("%1 %2-%3 %4")
                     .arg(EventDetector::kindName(e.kind))
                     .arg(e.second)
                     .arg(e.endSecond)
                     .arg(e.peak, 0, 'f', 2);
    return parts.join("; ");
}

// A record of seconds at rest on gravity's axis (sign up), at 40 knots; a
// second listed in noGps has no fix.
VideoMessage steady(int seconds, int gravity = 2, double up = 1, bool withGps = true)
{
    VideoMessage m;
    for (int t = 0; t < seconds; ++t) {
        QStringList g = {"0.01", "-0.02", "0.015"};
        g[gravity] = QString::number(up);
        m.gsensorItems.insert(QString::number(t), g);
        if (withGps) {
            GpsItem item;
            item.status = true;
            item.speed = "40.000";
            m.gpsItems.insert(QString::number(t), item);
        }
    }
    return m;
}

void setG(VideoMessage &m, int second, double x, double y, double z)
{
    m.gsensorItems[QString::number(second)]
        = QStringList {QString::number(x), QString::number(y), QString::number(z)};
}

void setSpeed(VideoMessage &m, int second, double knots)
{
    m.gpsItems[QString::number(second)].speed = QString::number(knots, 'f', 3);
}

} // namespace

class EventsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void drivesOfEveryFamily_data();
    void drivesOfEveryFamily();
    void edgeCases_data();
    void edgeCases();
    void commandLine();

private:
    QTemporaryDir m_tmp {QDir::tempPath() + "/kelmora-events-XXXXXX"};
};

void EventsTest::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    // The block-track layout is recognised by the underscores of the whole path.
    QVERIFY2(!m_tmp.path().contains('_'), qPrintable(m_tmp.path()));
    RecordingFactory factory(m_tmp.path());
    for (const Family &family : families)
        QVERIFY2(make(factory, family), qPrintable(factory.error()));
}

void EventsTest::drivesOfEveryFamily_data()
{
    QTest::addColumn<QString>("file");
    for (const Family &family : families)
        QTest::newRow(family.file) << QString::fromLatin1(family.file);
}

void EventsTest::drivesOfEveryFamily()
{
    QFETCH(QString, file);
    const VideoMessage record = parsed(QDir(m_tmp.path()).filePath(file));
    QCOMPARE(record.gsensorItems.size(), driveSeconds);
    const QVector<TelemetryEvent> events = EventDetector::detect(record, EventThresholds());
    const QString found = describe(events);
    QCOMPARE(events.size(), 4);
    const int expected[] = {brakings[0], brakings[1], brakings[2], impactSecond};
    for (int i = 0; i < 4; ++i) {
        const TelemetryEvent &e = events[i];
        QVERIFY2(e.kind == (i < 3 ? TelemetryEvent::Kind::Braking : TelemetryEvent::Kind::Impact),
                 qPrintable(found));
        QVERIFY2(std::abs(e.second - expected[i]) <= 1 && std::abs(e.endSecond - expected[i]) <= 1,
                 qPrintable(found));
        const double peak = i < 3 ? 0.45 : 2.5;
        QVERIFY2(std::fabs(e.peak - peak) < 0.1, qPrintable(found));
    }
}

void EventsTest::edgeCases_data()
{
    QTest::addColumn<VideoMessage>("record");
    QTest::addColumn<EventThresholds>("thresholds");
    QTest::addColumn<QString>("expected");

    const EventThresholds defaults;

    // Missing data is stored as 0,0,0: a full 1 g away from rest.
    VideoMessage zeros = steady(60);
    for (int t = 20; t < 30; t += 2)
        setG(zeros, t, 0, 0, 0);
    EventThresholds sensitive;
    sensitive.impactG = 0.8;
    QTest::newRow("zero samples are no data") << zeros << sensitive << "";

    // Across "9" and "10", which text order puts apart.
    VideoMessage merged = steady(60);
    setG(merged, 9, -0.4, 0, 1);
    setG(merged, 10, -0.6, 0, 1);
    setG(merged, 11, -0.5, 0, 1);
    setG(merged, 40, 0.01, 0.5, 1);
    setG(merged, 41, 0.01, -0.7, 1);
    QTest::newRow("consecutive seconds merge")
        << merged << defaults << "braking 9-11 0.61; turn 40-41 0.68";

    // Without GPS the first horizontal axis is forward.
    VideoMessage noGps = steady(60, 0, -1, false);
    setG(noGps, 15, -1, 0.5, 0);
    setG(noGps, 30, -1, -0.5, 0.02);
    QTest::newRow("no GPS: fixed axes")
        << noGps << defaults << "acceleration 15-15 0.52; braking 30-30 0.48";

    // The speed says y is the longitudinal axis and forward is negative.
    VideoMessage learned = steady(120);
    double knots = 40;
    for (int t = 0; t < 120; ++t) {
        if (t % 20 == 5) {
            knots -= 8;
            setG(learned, t, 0.05, 0.42, 1);
        } else if (knots < 40) {
            knots += 1;
            setG(learned, t, 0.01, -0.05, 1);
        }
        setSpeed(learned, t, knots);
    }
    QTest::newRow("axis and sign from the speed")
        << learned << defaults
        << "braking 5-5 0.44; braking 25-25 0.44; braking 45-45 0.44; braking 65-65 0.44; "
           "braking 85-85 0.44; braking 105-105 0.44";

    VideoMessage potholes = steady(60);
    setG(potholes, 10, 0.01, -0.02, 1.6);
    setG(potholes, 20, 0.01, -0.02, 0.4);
    setG(potholes, 30, 0.01, -0.02, 3.2);
    QTest::newRow("vertical spikes: only a large one is an impact")
        << potholes << defaults << "impact 30-30 2.20";

    // Gravity removed by the camera: no direction to judge, but a crash is a crash.
    VideoMessage noGravity = steady(60, 2, 0);
    setG(noGravity, 12, -0.8, 0, 0);
    setG(noGravity, 33, 2, 0.5, 0);
    QTest::newRow("no gravity axis: impacts only") << noGravity << defaults << "impact 33-33 2.06";

    VideoMessage longJolt = steady(60);
    for (int t = 10; t < 15; ++t)
        setG(longJolt, t, -2, 0, 1);
    setG(longJolt, 40, -2, 0, 1);
    setG(longJolt, 41, -1.8, 0, 1);
    QTest::newRow("a jolt of 1-2 seconds is an impact, a longer one nothing")
        << longJolt << defaults << "impact 40-41 2.01";

    VideoMessage fast = steady(60);
    for (int t = 20; t < 30; ++t)
        setSpeed(fast, t, 60 + t % 3);
    setSpeed(fast, 45, 70);
    setSpeed(fast, 46, 70);
    fast.gpsItems["25"].status = false;
    QTest::newRow("speeding off by default") << fast << defaults << "";
    EventThresholds limit;
    limit.speedLimitKnots = 50;
    QTest::newRow("speeding: three seconds or more, fixes only")
        << fast << limit << "speeding 20-24 62.00; speeding 26-29 62.00";
}

void EventsTest::edgeCases()
{
    QFETCH(VideoMessage, record);
    QFETCH(EventThresholds, thresholds);
    QFETCH(QString, expected);
    QCOMPARE(describe(EventDetector::detect(record, thresholds)), expected);
}

void EventsTest::commandLine()
{
    const QString file = QDir(m_tmp.path()).filePath(families[0].file);
    const auto run = [](const QStringList &args, int *exitCode) {
        QProcess process;
        process.start(KELMORA_TELEMETRY_PROGRAM, args);
        process.waitForFinished(60000);
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return process.readAllStandardOutput();
    };
    const QVector<TelemetryEvent> events = EventDetector::detect(parsed(file), EventThresholds());
    QCOMPARE(events.size(), 4);

    int code = 0;
    const QJsonArray json = QJsonDocument::fromJson(run({"--events", file}, &code)).array();
    QCOMPARE(code, 0);
    QCOMPARE(json.size(), 1);
    QCOMPARE(json[0]["file"].toString(), file);
    const QJsonArray printed = json[0]["events"].toArray();
    QCOMPARE(printed.size(), events.size());
    for (int i = 0; i < events.size(); ++i) {
        QCOMPARE(printed[i]["kind"].toString(), EventDetector::kindName(events[i].kind));
        QCOMPARE(printed[i]["second"].toInt(), events[i].second);
        QCOMPARE(printed[i]["endSecond"].toInt(), events[i].endSecond);
        QVERIFY(std::fabs(printed[i]["peak"].toDouble() - events[i].peak) < 0.001);
    }

    // A braking limit above the drive's 0.45 g leaves the impact.
    const QStringList csv
        = QString::fromUtf8(
              run({"--events", "--format", "csv", "--brake-g", "0.5", file, file}, &code))
              .split('\n', Qt::SkipEmptyParts);
    QCOMPARE(code, 0);
    const QString row = QString("%1,impact,%2,%3,%4")
                            .arg(file)
                            .arg(events[3].second)
                            .arg(events[3].endSecond)
                            .arg(events[3].peak, 0, 'f', 3);
    QCOMPARE(csv, QStringList({"file,kind,second,endSecond,peak", row, row}));

    for (const QStringList &wrong : {QStringList {"--events", "--format", "gpx", file},
                                     QStringList {"--events", "--trip", file},
                                     QStringList {"--events", "--turn-g", "much", file}}) {
        run(wrong, &code);
        QVERIFY2(code == 2, qPrintable(wrong.join(' ')));
    }
}

KELMORA_TEST_MAIN(QCoreApplication, EventsTest)
#include "tst_events.moc"
