// The clock of every sample and the trips built from generated recordings:
// the camera's file-name clock against the payload's GPS time, impossible
// dates, and drives split by a gap.
#include "library/ClipFacts.h"
#include "library/DbModel.h"
#include "library/GreatCircle.h"
#include "library/RecordClock.h"
#include "library/TripBuilder.h"
#include "telemetry/GPSTool.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/support/TestHome.h"

#include <QtTest>

namespace {

VideoMessage parsed(const QString &path)
{
    DbModel model;
    model.path = path;
    model.fileName = QFileInfo(path).fileName();
    GPSTool tool;
    tool.parse(model);
    return tool.record;
}

// A record of one stored fix per given payload date and time.
struct Payload
{
    QString year, month, day, hour, minute, second;
};

VideoMessage recordOf(const QString &fileName, const QVector<Payload> &payloads)
{
    VideoMessage record;
    record.fileName = fileName;
    record.path = QStringLiteral("/cam/") + fileName;
    for (int i = 0; i < payloads.size(); ++i) {
        GpsItem item;
        item.year = payloads[i].year;
        item.month = payloads[i].month;
        item.day = payloads[i].day;
        item.hour = payloads[i].hour;
        item.minute = payloads[i].minute;
        item.second = payloads[i].second;
        item.status = true;
        item.latitude = QString::number(22.5 + i * 0.0002, 'f', 6);
        item.longitude = QStringLiteral("114.07");
        item.speed = QStringLiteral("40");
        record.gpsItems.insert(QString::number(i), item);
    }
    return record;
}

QStringList utcTimes(const VideoMessage &record)
{
    QStringList times;
    for (int i = 0; i < record.gpsItems.size(); ++i)
        times.append(record.gpsItems.value(QString::number(i)).utcTime);
    return times;
}

QString localZoneUtc(const QString &cameraTime)
{
    const QDateTime local = QDateTime::fromString(cameraTime, Qt::ISODate);
    return RecordClock::utcText(QDateTime(local.date(), local.time(), Qt::LocalTime));
}

} // namespace

Q_DECLARE_METATYPE(QVector<Payload>)

class TripsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void nameTimes_data();
    void nameTimes();
    void channels_data();
    void channels();
    void clockRules_data();
    void clockRules();
    void zoneBeyondTwelveHours();
    void cachedRecordsGetTheClock();
    void tripOfGeneratedRecordings();

private:
    QTemporaryDir m_folder;
};

void TripsTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
}

void TripsTest::nameTimes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("time"); // empty: none

    QTest::newRow("underscored") << "2023_0501_120000_F.MOV"
                                 << "2023-05-01T12:00:00";
    QTest::newRow("compact") << "20230501_235959_R.mp4"
                             << "2023-05-01T23:59:59";
    QTest::newRow("prefix and counter") << "NO20230501-120000-000123F.MP4"
                                        << "2023-05-01T12:00:00";
    QTest::newRow("dashed") << "2023-05-01-12-00-00.mp4"
                            << "2023-05-01T12:00:00";
    QTest::newRow("two-digit year") << "FILE230501-120000F.MOV"
                                    << "2023-05-01T12:00:00";
    QTest::newRow("no time") << "gpsbox-a.mp4"
                             << "";
    QTest::newRow("impossible month") << "2023_1301_120000_F.MOV"
                                      << "";
    QTest::newRow("impossible hour") << "2023_0501_250000_F.MOV"
                                     << "";
    QTest::newRow("too many digits") << "120230501120000.mp4"
                                     << "";
    // How the layouts are searched: from the left, the long one first, a
    // match that is no date passed over whole; separators as each allows.
    const QVector<QPair<QString, QString>> searched = {
        {"x2023_1301_120000_2023_0502_130000.mp4", "2023-05-02T13:00:00"},
        {"2023_0501T120000.mp4", "2023-05-01T12:00:00"},
        {"2023-05-01 12.00.00.mp4", "2023-05-01T12:00:00"},
        {"2023-05-01 12:00:00.mp4", ""},
        {"20230501t120000.mp4", ""},
        {"2003_0501_120000.mp4", ""},
        {"030501_120000.mp4", ""},
        {"230501-120000_230502-130000", "2023-05-01T12:00:00"},
        {"991231_235959.mp4", "2099-12-31T23:59:59"},
        {"2023_0501_120000F2023_0502_130000", "2023-05-01T12:00:00"},
        {"2023__0501_120000.mp4", ""},
        {"A20230501120000B.mp4", "2023-05-01T12:00:00"},
        {"2023050112000.mp4", ""},
        {"2023_0230_120000_230501_120000.mp4", ""},
        {"x230501_1200001.mp4", ""},
        {"202305011200001_230501_120000", "2023-05-01T12:00:00"},
        {"路线 2023_0501_120000_F.MOV", "2023-05-01T12:00:00"},
        {"٢٠٢٣_0501_120000.mp4", ""},
        {"2023_0501_120000", "2023-05-01T12:00:00"},
        {"12023_0501_120000_2023_0601_120000", "2023-06-01T12:00:00"},
        {"2023-0501_12-00-00", "2023-05-01T12:00:00"},
        {"20230501_120060.mp4", ""},
        {"2023_0229_120000.mp4", ""},
        {"2024_0229_120000.mp4", "2024-02-29T12:00:00"},
        {"230501_120000230502_130000", ""},
    };
    for (const auto &[name, time] : searched)
        QTest::newRow(qPrintable(name)) << name << time;
}

void TripsTest::nameTimes()
{
    QFETCH(QString, name);
    QFETCH(QString, time);
    const QDateTime found = RecordClock::nameTime(name);
    QCOMPARE(found.isValid() ? found.toString(Qt::ISODate).left(19) : QString(), time);
}

void TripsTest::channels_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("channel");
    // Runs of two ASCII digits or more go from the name (not the folder), a
    // single digit stays, and the rest is lower case.
    QTest::newRow("front") << "/sd/DCIM/2023_0501_120000_F.MOV"
                           << "/sd/DCIM/___f.mov";
    QTest::newRow("rear") << "/sd/DCIM/2023_0501_120000_R.MOV"
                          << "/sd/DCIM/___r.mov";
    QTest::newRow("numbered channel") << "/sd/2023_0501_120000_2.MOV"
                                      << "/sd/___2.mov";
    QTest::newRow("digits in the folder") << "/card 12/FILE230501-120000F.MOV"
                                          << "/card 12/file-f.mov";
    QTest::newRow("runs of one, two, three") << "rel/a1b22c333d.mp4"
                                             << "rel/a1bcd.mp4";
    QTest::newRow("non-Latin letters") << "/x/路线 12 Б.mp4"
                                       << "/x/路线  б.mp4";
    QTest::newRow("non-ASCII digits stay") << "/x/٢٠٢٣_05.mp4"
                                           << "/x/٢٠٢٣_.mp4";
    QTest::newRow("counter") << "/x/NO20230501-120000-000123F.MP4"
                             << "/x/no--f.mp4";
    QTest::newRow("one digit alone") << "/x/1.mp4"
                                     << "/x/1.mp4";
    QTest::newRow("only a number") << "/x/12"
                                   << "/x/";
    QTest::newRow("no folder") << "noslash99X.MP4"
                               << "./noslashx.mp4";
}

void TripsTest::channels()
{
    QFETCH(QString, path);
    QFETCH(QString, channel);
    QCOMPARE(ClipFacts::channelOf(path), channel);
}

void TripsTest::clockRules_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("creationTime");
    QTest::addColumn<QVector<Payload>>("payloads");
    QTest::addColumn<QStringList>("expected"); // utcTime of each sample
    QTest::addColumn<QString>("offset");
    QTest::addColumn<bool>("measured");
    QTest::addColumn<int>("undated");

    const QString may = QStringLiteral("2023"), five = QStringLiteral("5");
    QTest::newRow("day from the name, camera an hour ahead")
        << "2023_0501_130000_F.MOV"
        << "" << QVector<Payload> {{may, five, "", "12", "0", "0"}, {may, five, "", "12", "0", "1"}}
        << QStringList {"2023-05-01T12:00:00Z", "2023-05-01T12:00:01Z"} << "+01:00" << true << 0;
    QTest::newRow("whole payload date wins over a wrong camera")
        << "2015_0101_000000_F.MOV"
        << "" << QVector<Payload> {{may, five, "3", "12", "0", "0"}}
        << QStringList {"2023-05-03T12:00:00Z"} << "" << false << 0;
    QTest::newRow("GPS midnight inside the recording")
        << "2023_0501_005959_F.MOV"
        << "" << QVector<Payload> {{may, "4", "", "23", "59", "59"}, {may, five, "", "0", "0", "0"}}
        << QStringList {"2023-04-30T23:59:59Z", "2023-05-01T00:00:00Z"} << "+01:00" << true << 0;
    QTest::newRow("impossible dates are counted, not guessed")
        << "2023_0501_130000_F.MOV"
        << ""
        << QVector<Payload> {{"2000", "1", "", "0", "0", "0"},
                             {may, "13", "", "12", "0", "1"},
                             {"4294967295", five, "", "12", "0", "2"},
                             {may, five, "", "12", "0", "3"}}
        << QStringList {"", "", "", "2023-05-01T12:00:03Z"} << "+01:00" << true << 3;
    QTest::newRow("a camera clock never set leaves the day unknown")
        << "2015_0101_000000_F.MOV"
        << "" << QVector<Payload> {{may, five, "", "12", "0", "0"}} << QStringList {""} << ""
        << false << 1;
    QTest::newRow("container time when the name has none")
        << "clip.mp4"
        << "2023-05-01T13:00:00.000000Z" << QVector<Payload> {{may, five, "", "12", "0", "0"}}
        << QStringList {"2023-05-01T12:00:00Z"} << "+01:00" << true << 0;
    QTest::newRow("no start time, no day")
        << "clip.mp4"
        << "" << QVector<Payload> {{may, five, "", "12", "0", "0"}} << QStringList {""} << "+00:00"
        << false << 1;
    // A payload without any date: the camera's clock, taken as this
    // computer's zone.
    QTest::newRow("payload without a date")
        << "2023_0501_130000_F.MOV"
        << "" << QVector<Payload> {{"", "", "", "", "", ""}, {"0", "0", "0", "0", "0", "0"}}
        << QStringList {localZoneUtc("2023-05-01T13:00:00"), localZoneUtc("2023-05-01T13:00:01")}
        << "" << false << 0;
}

void TripsTest::clockRules()
{
    QFETCH(QString, fileName);
    QFETCH(QString, creationTime);
    QFETCH(QVector<Payload>, payloads);
    QFETCH(QStringList, expected);
    QFETCH(QString, offset);
    QFETCH(bool, measured);
    QFETCH(int, undated);

    VideoMessage record = recordOf(fileName, payloads);
    record.creationTime = creationTime;
    RecordClock::apply(record);
    QCOMPARE(utcTimes(record), expected);
    QCOMPARE(record.clockOffsetKnown, measured);
    if (!offset.isEmpty())
        QCOMPARE(RecordClock::offsetText(record.clockOffset), offset);
    QCOMPARE(record.undatedSamples, undated);
    QCOMPARE(record.clockVersion, 1);
    // Applying again changes nothing.
    const QString once = record.toJson();
    RecordClock::apply(record);
    QCOMPARE(record.toJson(), once);
}

void TripsTest::zoneBeyondTwelveHours()
{
    // New Zealand in summer is 13 hours ahead: noon there is 23:00 the day
    // before in UTC, and 11:00 on the camera's own day is within reach too.
    // The owner's zone settles it.
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Pacific/Auckland");
    VideoMessage record
        = recordOf(QStringLiteral("2023_0101_120000_F.MOV"), {{"2022", "12", "", "23", "0", "0"}});
    VideoMessage sameMonth
        = recordOf(QStringLiteral("2023_0115_120000_F.MOV"), {{"2023", "1", "", "23", "0", "0"}});
    RecordClock::apply(record);
    RecordClock::apply(sameMonth);
    if (zone.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", zone);
    QCOMPARE(record.gpsItems.value("0").utcTime, QStringLiteral("2022-12-31T23:00:00Z"));
    QCOMPARE(sameMonth.gpsItems.value("0").utcTime, QStringLiteral("2023-01-14T23:00:00Z"));
    QCOMPARE(RecordClock::offsetText(sameMonth.clockOffset), QStringLiteral("+13:00"));
}

void TripsTest::cachedRecordsGetTheClock()
{
    // A row cached before the clock existed has none of its fields; the
    // record read back from JSON gets the same clock a new probe gives.
    VideoMessage fresh
        = recordOf(QStringLiteral("2023_0501_130000_F.MOV"), {{"2023", "5", "", "12", "0", "0"}});
    VideoMessage old = fresh;
    RecordClock::apply(fresh);
    VideoMessage back;
    back.fromJson(old.toJson().replace(QLatin1String("\"clockVersion\": 0"),
                                       QLatin1String("\"unrelated\": 0")));
    QCOMPARE(back.clockVersion, 0);
    QVERIFY(back.gpsItems.value("0").utcTime.isEmpty());
    RecordClock::apply(back);
    QCOMPARE(back.gpsItems.value("0").utcTime, QStringLiteral("2023-05-01T12:00:00Z"));
    QCOMPARE(RecordClock::localText(back, RecordClock::timeAt(back, 0)),
             QStringLiteral("2023-05-01 13:00:00"));
}

void TripsTest::tripOfGeneratedRecordings()
{
    // Five one-minute files on two channels whose names are an hour ahead of
    // GPS time, the third starting with ten samples dated 2000; then a file
    // ten minutes after the fifth ended. ".MP4": these names ending in ".MOV"
    // are the block layout's.
    RecordingFactory factory(m_folder.path());
    QStringList paths;
    QVector<QPair<int, int>> files; // first second of the drive, minute of the name
    for (int clip = 0; clip < 5; ++clip)
        files.append({clip * 60, clip});
    files.append({15 * 60, 15});
    for (const auto &file : qAsConst(files)) {
        QVector<FixtureSample> samples = tripDrive(file.first, 60);
        if (file.second == 2) {
            for (int i = 0; i < 10; ++i)
                samples[i].year = 2000;
        }
        for (const char *channel : {"F", "R"}) {
            const QString name = QStringLiteral("2023_0501_13%1_%2.MP4")
                                     .arg(file.second * 100, 4, 10, QLatin1Char('0'))
                                     .arg(QLatin1String(channel));
            QVERIFY2(factory.makeGpsBox(name, samples, RecordingFactory::GpsBoxForm::LayoutA),
                     qPrintable(factory.error()));
            paths.append(factory.path(name));
        }
    }

    QVector<ClipFacts> facts;
    int undated = 0;
    for (const QString &path : qAsConst(paths)) {
        const VideoMessage record = parsed(path);
        QCOMPARE(record.gpsItems.size(), 60);
        QCOMPARE(RecordClock::offsetText(record.clockOffset), QStringLiteral("+01:00"));
        QVERIFY(record.clockOffsetKnown);
        undated += record.undatedSamples;
        // Every valid sample has its GPS time; the ones dated 2000 none.
        const bool badStart = path.contains(QLatin1String("130200"));
        for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it) {
            const int second = it.key().toInt();
            const QString drive = path.contains(QLatin1String("131500")) ? "12:15" : "12:0";
            if (badStart && second < 10) {
                QVERIFY2(it->utcTime.isEmpty(), qPrintable(path + " " + it.key()));
                continue;
            }
            QVERIFY2(it->utcTime.startsWith(QStringLiteral("2023-05-01T") + drive),
                     qPrintable(it->utcTime));
            QCOMPARE(RecordClock::parseUtc(it->utcTime),
                     RecordClock::startUtc(record).addSecs(second));
        }
        facts.append(ClipFacts::of(record));
    }
    QCOMPARE(undated, 20); // ten on each channel

    const QVector<Trip> trips = TripBuilder::group(facts);
    QCOMPARE(trips.size(), 2);
    QCOMPARE(trips[0].clips.size(), 10);
    QCOMPARE(trips[0].leadClips.size(), 5);
    QCOMPARE(trips[1].clips.size(), 2);
    QVERIFY(trips[0].leadChannel.endsWith(QLatin1String("___f.mp4")));
    QCOMPARE(QDateTime::fromMSecsSinceEpoch(trips[0].startMs, Qt::UTC),
             QDateTime(QDate(2023, 5, 1), QTime(12, 0), Qt::UTC));
    QCOMPARE(trips[0].durationMs(), 300000);

    // Distance: the generator's own great-circle sum over the first drive.
    double expected = 0;
    const QVector<FixtureSample> drive = tripDrive(0, 300);
    for (int i = 1; i < drive.size(); ++i)
        expected += GreatCircle::metres(
            nmeaDegrees(drive[i - 1].latNmea), nmeaDegrees(drive[i - 1].lonNmea),
            nmeaDegrees(drive[i].latNmea), nmeaDegrees(drive[i].lonNmea));
    QVERIFY2(qAbs(trips[0].metres - expected) < expected * 0.01,
             qPrintable(QStringLiteral("%1 against %2").arg(trips[0].metres).arg(expected)));
    QCOMPARE(trips[0].maxKnots, 49.0);
    QVERIFY(trips[0].averageMovingKnots > 40 && trips[0].averageMovingKnots < 49);

    // The facts survive the library row's JSON.
    DbModel row;
    row.path = paths.first();
    row.clip = facts.first();
    row.hasClip = true;
    DbModel back;
    back.path = row.path;
    back.fromJsonMessage(row.toDbMap().value(QStringLiteral("jsonMessage")));
    QVERIFY(back.hasClip);
    QCOMPARE(back.clip.startMs, facts.first().startMs);
    QCOMPARE(back.clip.channel, facts.first().channel);
    QCOMPARE(back.clip.metres, facts.first().metres);
}

KELMORA_TEST_MAIN(QCoreApplication, TripsTest)
#include "tst_trips.moc"
