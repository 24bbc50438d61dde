// GPSTool and kelmora-telemetry on real generated recordings: every reader
// path, damaged and hostile files, and a cross-check with exiftool.
#include "library/DbModel.h"
#include "telemetry/GPSTool.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/fixtures/Mp4Box.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

DbModel modelFor(const QString &path)
{
    DbModel model;
    model.path = path;
    model.fileName = QFileInfo(path).fileName();
    return model;
}

VideoMessage parsed(const QString &path)
{
    GPSTool tool;
    tool.parse(modelFor(path));
    return tool.record;
}

// The samples of a record as one comparable text.
QString samplesText(const VideoMessage &record)
{
    QStringList lines;
    for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it)
        lines << it.key() + " " + it->latitude + " " + it->longitude + " " + it->speed;
    for (auto it = record.gsensorItems.cbegin(); it != record.gsensorItems.cend(); ++it)
        lines << it.key() + " g " + it->join(' ');
    return lines.join('\n');
}

// The box reader itself, whatever libavformat's probe makes of a damaged file.
VideoMessage readBoxesOf(const QString &file, bool blockTrack)
{
    GPSTool tool;
    if (blockTrack)
        tool.readBlockTrack(file);
    else
        tool.readGpsBox(file);
    return tool.record;
}

using Mutation = std::function<void(QByteArray &)>;
} // namespace
Q_DECLARE_METATYPE(Mutation)
namespace {

// Expected positions (from the camera's ddmm.mmmm values, single precision)
// and speeds of the stored seconds 0, 1, 4 and 5 of the standard drive;
// second 2 is an invalid fix and second 3 jumps a degree away.
const QStringList nmeaPositions = {"22.535389 114.076126", "22.536665 114.076660",
                                   "22.539169 114.079170", "22.539999 114.079994"};
const QStringList dmsPositions = {"22.535389 114.076134", "22.536667 114.076668",
                                  "22.539167 114.079170", "22.540001 114.080002"};

const char *const clockFront1 = "2023_0501_130000_F.MOV";
const char *const clockFront2 = "2023_0501_130100_F.MOV";
const char *const clockFront3 = "2023_0501_131200_F.MOV";
const char *const clockRear = "2023_0501_130000_R.MOV";
const char *const noFixes = "nofixes.mp4";

// Standard output of kelmora-telemetry with args; fails the test on a
// non-zero exit.
QByteArray telemetryOutput(const QStringList &args)
{
    QProcess process;
    process.start(KELMORA_TELEMETRY_PROGRAM, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        QTest::qFail(qPrintable("kelmora-telemetry " + args.join(' ')
                                + " failed: " + process.readAllStandardError()),
                     __FILE__, __LINE__);
    return process.readAllStandardOutput();
}

// "HH:mm:ss" on the recording day as UTC text.
QString utcOn(int second)
{
    return QTime(0, 0).addSecs(12 * 3600 + second).toString("'2023-05-01T'HH:mm:ss'Z'");
}

struct GpxTrack
{
    QString name;
    QVector<QStringList> segments; // per point: its <time>, empty when it has none
};

QVector<GpxTrack> gpxTracks(const QByteArray &text)
{
    QVector<GpxTrack> tracks;
    QXmlStreamReader xml(text);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("trk"))
            tracks.append(GpxTrack());
        else if (xml.name() == QLatin1String("name") && !tracks.isEmpty())
            tracks.last().name = xml.readElementText();
        else if (xml.name() == QLatin1String("trkseg"))
            tracks.last().segments.append(QStringList());
        else if (xml.name() == QLatin1String("trkpt"))
            tracks.last().segments.last().append(QString());
        else if (xml.name() == QLatin1String("time"))
            tracks.last().segments.last().last() = xml.readElementText();
    }
    if (xml.hasError())
        QTest::qFail(qPrintable(xml.errorString()), __FILE__, __LINE__);
    return tracks;
}

// Times the generated clips' points must carry: none for the first three,
// none stored for second 10 (invalid fix).
QStringList expectedTimes(int startSecond, int seconds)
{
    QStringList times;
    for (int i = 0; i < seconds; ++i) {
        if (i != 10)
            times << (i < 3 ? QString() : utcOn(startSecond + i));
    }
    return times;
}

// The points gpsbabel reads from a GPX file's tracks, each as its "date time"
// (empty without a time); a single "refused" when gpsbabel rejects the file.
QStringList gpsbabelPoints(const QString &gpx)
{
    QProcess process;
    process.start("gpsbabel", {"-t", "-i", "gpx", "-f", gpx, "-o", "unicsv", "-F", "-"});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {"refused"};
    QList<QByteArray> lines = process.readAllStandardOutput().trimmed().split('\n');
    const QList<QByteArray> header = lines.takeFirst().trimmed().split(',');
    const int date = header.indexOf("Date"), time = header.indexOf("Time");
    QStringList points;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.trimmed().split(',');
        points << (date < 0 ? QString()
                            : QString(fields.value(date) + " " + fields.value(time)).trimmed());
    }
    return points;
}

} // namespace

class TelemetryMediaTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recordings_data();
    void recordings();
    void hevcProbe();
    void severalRecordsASecondKeepTheLast();
    void oddNames_data();
    void oddNames();
    void unreadableFiles_data();
    void unreadableFiles();
    void transportStreamIsNotOpened_data();
    void transportStreamIsNotOpened();
    void hostileFiles_data();
    void hostileFiles();
    void recordPastTheEnd_data();
    void recordPastTheEnd();
    void truncatedAndFlippedFiles();
    void exiftoolAgrees_data();
    void exiftoolAgrees();
    void exporterJson();
    void exporterGpxAndCsv();
    void exporterErrors();
    void exporterBatch_data();
    void exporterBatch();
    void exporterTimes();
    void namesAndTimesWhateverTheLocale_data();
    void namesAndTimesWhateverTheLocale();
    void exporterTrips();

private:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QString mutated(const char *name, const Mutation &mutation);

    QTemporaryDir m_tmp {QDir::tempPath() + "/kelmora-telemetry-XXXXXX"};
    QDir m_dir;
};

void TelemetryMediaTest::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    // The block-track layout is recognised by the underscores of the whole path.
    QVERIFY2(!m_tmp.path().contains('_'), qPrintable(m_tmp.path()));
    m_dir.setPath(m_tmp.path());
    const QString error = makeAllRecordings(m_tmp.path());
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // Drives on a camera clock an hour ahead of UTC: the payload (layout-A
    // blocks, no day) says 12:00, the name 13:00. The first three fixes carry a receiver's year
    // 2000, second 10 is an invalid fix (G-sensor only). Two one-minute clips run on without a
    // break; the third starts ten minutes after; the rear camera records twenty seconds of the
    // first.
    RecordingFactory factory(m_tmp.path());
    const auto drive = [](int startSecond, int seconds) {
        QVector<FixtureSample> samples = longDrive(startSecond + seconds).mid(startSecond);
        for (int i = 0; i < samples.size(); ++i) {
            const int t = startSecond + i;
            samples[i].minute = t / 60;
            samples[i].second = t % 60;
            if (i < 3)
                samples[i].year = 2000;
            if (i == 10)
                samples[i].status = 'V';
        }
        return samples;
    };
    const QPair<const char *, QVector<FixtureSample>> clips[] = {{clockFront1, drive(0, 60)},
                                                                 {clockFront2, drive(60, 60)},
                                                                 {clockFront3, drive(720, 20)},
                                                                 {clockRear, drive(0, 20)}};
    for (const auto &clip : clips)
        QVERIFY2(factory.makeBlockTrack(clip.first, clip.second,
                                        RecordingFactory::BlockMode::SampleSize),
                 qPrintable(factory.error()));
    QVERIFY2(factory.makePlain(noFixes, 2, false), qPrintable(factory.error()));
}

void TelemetryMediaTest::recordings_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("positions");
    QTest::addColumn<QStringList>("speeds");
    QTest::addColumn<QStringList>("gsensor0");
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("maxSpeed");
    QTest::addColumn<QString>("average"); // of the three counted speeds, fractions kept
    QTest::addColumn<int>("filesType");
    QTest::addColumn<bool>("high");
    QTest::addColumn<bool>("audio");

    const QStringList a = {"35.200", "36.400", "0", "38.900"};
    const QStringList gA = {"0.117188", "-0.0585938", "0.976563"};
    const QStringList gMilli = {"0.12", "-0.06", "1"};
    QTest::newRow("gps box, layout A, 264")
        << FixtureNames::gpsBoxA264 << nmeaPositions << a << gA << 4 << "38.900"
        << "36.833" << 3 << false << false;
    QTest::newRow("gps box, layout A")
        << FixtureNames::gpsBoxA << nmeaPositions << a << gA << 4 << "38.900"
        << "36.833" << 5 << true << true;
    QTest::newRow("gps box, layout B") << FixtureNames::gpsBoxB << nmeaPositions << a
                                       << QStringList({"0.46875", "0", "3.90625"}) << 4 << "38.900"
                                       << "36.833" << 0 << true << true;
    QTest::newRow("block track, sample sizes")
        << FixtureNames::blockSampleSize << nmeaPositions << a << gA << 4 << "38.900"
        << "36.833" << 0 << true << false;
    QTest::newRow("block track, chunk offsets")
        << FixtureNames::blockChunkOffset << nmeaPositions << a << gA << 4 << "38.900"
        << "36.833" << 0 << true << false;
    QTest::newRow("text stream") << FixtureNames::textStream << nmeaPositions
                                 << QStringList({"35.2", "36.4", "0", "38.9"}) << gMilli << 4
                                 << "38.900"
                                 << "36.833" << 0 << true << true;
    QTest::newRow("binary stream, 10 a second")
        << FixtureNames::binaryStream << dmsPositions
        << QStringList({"35.097", "36.177", "0", "38.877"}) << gMilli << 40 << "38.877"
        << "36.717" << 0 << true << true;
}

void TelemetryMediaTest::severalRecordsASecondKeepTheLast()
{
    // 25 records over 3 seconds (9 a second): each second keeps the axes of
    // its last record, the one cut short by the end of the stream included.
    QVector<FixtureSample> records(25, standardDrive().first());
    for (int i = 0; i < records.size(); ++i)
        records[i].acc[0] = 100 * i;
    RecordingFactory factory(m_tmp.path());
    QVERIFY2(factory.makeBinaryStream("ninepersecond.mp4", records, 10),
             qPrintable(factory.error()));
    const VideoMessage r = parsed(m_dir.filePath("ninepersecond.mp4"));
    QCOMPARE(r.gsensorItems.keys(), QStringList({"0", "1", "2"}));
    for (const auto &[second, last] : {std::pair<const char *, int> {"0", 8}, {"1", 17}, {"2", 24}})
        QCOMPARE(r.gsensorItems.value(second).value(0),
                 QString::number(double(float(100 * last) / 1000.0f), 'g', 6));
}

void TelemetryMediaTest::recordings()
{
    QFETCH(QString, name);
    QFETCH(QStringList, positions);
    QFETCH(QStringList, speeds);
    QFETCH(QStringList, gsensor0);
    QFETCH(int, stored);
    QFETCH(QString, maxSpeed);
    QFETCH(QString, average);
    QFETCH(int, filesType);
    QFETCH(bool, high);
    QFETCH(bool, audio);

    const VideoMessage r = parsed(m_dir.filePath(name));
    QCOMPARE(r.duration, QString("6"));
    QCOMPARE(r.durationM, qint64(6000));
    QCOMPARE(r.videoFrameRate, QString("30"));
    QCOMPARE(r.width + "x" + r.height, QString("160x90"));
    QCOMPARE(r.videoAspect, QString("16:9"));
    QCOMPARE(r.resolution, QString("160*90"));
    QCOMPARE(r.videoCodec, QString("H264"));
    QCOMPARE(r.hwdec, QString("NO"));
    QCOMPARE(r.pixelFormat, QString("nv12"));
    QCOMPARE(r.demuxer, QString("lavf"));
    QCOMPARE(r.format, QFileInfo(name).completeSuffix());
    QCOMPARE(r.name, QFileInfo(name).baseName());
    QVERIFY(r.videoBitRate.toLongLong() > 0);
    QCOMPARE(r.audioBitRate.isEmpty(), !audio);
    QCOMPARE(r.isProfileHigh, high);

    QCOMPARE(r.gpsItems.keys(), QStringList({"0", "1", "4", "5"}));
    const QStringList keys = r.gpsItems.keys();
    for (int i = 0; i < keys.size(); ++i) {
        const GpsItem &item = r.gpsItems[keys[i]];
        QCOMPARE(item.latitude + " " + item.longitude, positions[i]);
        QCOMPARE(item.speed, speeds[i]);
        QVERIFY(item.status);
    }
    QCOMPARE(r.gpsItems["0"].angle, 270.0f);
    QCOMPARE(r.gpsItems["5"].angle, 275.0f);
    QCOMPARE(r.gsensorItems.size(), 6);
    QCOMPARE(r.gsensorItems["0"], gsensor0);
    QCOMPARE(r.aevSpeed, average);
    QCOMPARE(r.distance, r.aevSpeed);
    QCOMPARE(r.maxSpeed, maxSpeed);
    QCOMPARE(r.totalSpeedNum, 3);
    QCOMPARE(r.gpsTotailNum, stored);
    QVERIFY(r.isChina);
    QCOMPARE(r.filesType, filesType);
}

void TelemetryMediaTest::hevcProbe()
{
    RecordingFactory factory(m_tmp.path());
    factory.setEncoder("libx265");
    factory.setVideo(320, 240);
    QVERIFY2(factory.makePlain("hevc.mp4", 2, false), qPrintable(factory.error()));
    const VideoMessage r = parsed(factory.path("hevc.mp4"));
    QCOMPARE(r.videoCodec, QString("HEVC(H265)"));
    QCOMPARE(r.hwdec, QString("Yes"));
    QCOMPARE(r.videoAspect, QString("4:3"));
    QCOMPARE(r.resolution, QString("320*240"));
    QVERIFY(!r.isProfileHigh); // Main profile
    QVERIFY(r.audioBitRate.isEmpty());
    QVERIFY(r.gpsItems.isEmpty());
}

void TelemetryMediaTest::oddNames_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::newRow("spaces, quotes, CJK")
        << FixtureNames::textStream << "行车 记录 \"it's\" $(x).mp4";
    QTest::newRow("block layout, CJK")
        << FixtureNames::blockChunkOffset << "2023_0501_120000_后.MOV";
    QTest::newRow("gps box, CJK") << FixtureNames::gpsBoxB << "路线 B.mp4";
}

void TelemetryMediaTest::oddNames()
{
    QFETCH(QString, source);
    QFETCH(QString, name);
    const QString target = m_dir.filePath(name);
    QFile::remove(target);
    QVERIFY(QFile::copy(m_dir.filePath(source), target));
    const VideoMessage original = parsed(m_dir.filePath(source));
    const VideoMessage copy = parsed(target);
    QCOMPARE(copy.name, QFileInfo(name).baseName());
    QCOMPARE(copy.duration, QString("6"));
    QCOMPARE(samplesText(copy), samplesText(original));

    QProcess process;
    process.start(KELMORA_TELEMETRY_PROGRAM, {"--format", "csv", target});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 0);
    QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains("22.535389"));
}

void TelemetryMediaTest::unreadableFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("transport stream") << path(FixtureNames::transportStream) << QString();
    QTest::newRow("not a recording") << path(FixtureNames::garbage) << "无法打开视频文件";
    QTest::newRow("missing") << m_dir.filePath("missing.mp4") << "无法打开视频文件";
    QTest::newRow("folder") << m_dir.path() << "无法打开视频文件";
}

void TelemetryMediaTest::unreadableFiles()
{
    QFETCH(QString, file);
    QFETCH(QString, firstLine);
    if (!firstLine.isEmpty())
        QTest::ignoreMessage(QtDebugMsg, qPrintable(firstLine));
    QTest::ignoreMessage(QtDebugMsg, qPrintable("FFMpeg没有打开文件: " + file));
    const VideoMessage r = parsed(file);
    QCOMPARE(r.path, file);
    QVERIFY(r.duration.isEmpty() && r.width == "0" && r.demuxer.isEmpty());
    QCOMPARE(r.aevSpeed, QString("0"));
    QVERIFY(r.gpsItems.isEmpty() && r.gsensorItems.isEmpty());
}

void TelemetryMediaTest::transportStreamIsNotOpened_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("probed");
    QTest::newRow("lower-case suffix") << "clip.ts" << false;
    QTest::newRow("upper-case suffix") << "clip.TS" << false;
    // The same bytes under another name are read: the empty fields of the
    // rows above come from the name, not from a file libavformat refuses.
    QTest::newRow("same stream named .mp4") << "clip-ts.mp4" << true;
}

void TelemetryMediaTest::transportStreamIsNotOpened()
{
    QFETCH(QString, name);
    QFETCH(bool, probed);
    const QString file = m_dir.filePath(name);
    if (name != FixtureNames::transportStream) {
        QFile::remove(file);
        QVERIFY(QFile::copy(path(FixtureNames::transportStream), file));
    }
    if (!probed)
        QTest::ignoreMessage(QtDebugMsg, qPrintable("FFMpeg没有打开文件: " + file));
    const VideoMessage r = parsed(file);
    QCOMPARE(r.duration, probed ? QString("2") : QString());
    QCOMPARE(r.resolution, probed ? QString("160*90") : QString());
    QCOMPARE(r.demuxer, probed ? QString("lavf") : QString());
    QVERIFY(r.gpsItems.isEmpty() && r.gsensorItems.isEmpty());
}

QString TelemetryMediaTest::mutated(const char *name, const Mutation &mutation)
{
    QByteArray bytes = readAll(path(name));
    mutation(bytes);
    const QString target
        = m_dir.filePath(QString("mutant-%1").arg(QString::fromLatin1(name).replace('_', '-')));
    if (!writeAll(target, bytes))
        QTest::qFail(qPrintable("cannot write " + target), __FILE__, __LINE__);
    return target;
}

void TelemetryMediaTest::hostileFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Mutation>("mutation");
    QTest::addColumn<bool>("sameSamples"); // else: only no crash, hang or runaway memory

    const auto gpsBox = [](QByteArray &b) { return b.lastIndexOf("gps ") - 4; };
    const auto moov = [](QByteArray &b) { return topLevelBox(b, "moov"); };
    const auto table = [](QByteArray &b, const char *type) { return b.lastIndexOf(type) - 4; };

    QTest::newRow("gps count 2^31")
        << FixtureNames::gpsBoxA264
        << Mutation([=](QByteArray &b) { setBe32(&b, gpsBox(b) + 12, 0x80000000u); }) << true;
    QTest::newRow("moov size 4 GB")
        << FixtureNames::gpsBoxB
        << Mutation([=](QByteArray &b) { setBe32(&b, moov(b), 0xFFFFFFFFu); }) << true;
    QTest::newRow("moov size 0 (to the end)")
        << FixtureNames::gpsBoxA << Mutation([=](QByteArray &b) { setBe32(&b, moov(b), 0); })
        << true;
    QTest::newRow("moov size 1, huge 64-bit size")
        << FixtureNames::gpsBoxA << Mutation([=](QByteArray &b) {
               setBe32(&b, moov(b), 1); // the 64-bit size overlays the first child's header
           })
        << false;
    QTest::newRow("top-level size 3")
        << FixtureNames::gpsBoxA
        << Mutation([=](QByteArray &b) { setBe32(&b, topLevelBox(b, "mdat"), 3); }) << false;
    QTest::newRow("gps entries beyond the file and backwards")
        << FixtureNames::gpsBoxA << Mutation([=](QByteArray &b) {
               setBe32(&b, gpsBox(b) + 16 + 8 * 2, 0xFFFFFFF0u);
               setBe32(&b, gpsBox(b) + 16 + 8 * 3, 0);
           })
        << false;
    QTest::newRow("gps box size beyond moov")
        << FixtureNames::gpsBoxB
        << Mutation([=](QByteArray &b) { setBe32(&b, gpsBox(b), 0x7FFFFFF0u); }) << true;
    QTest::newRow("stsz count beyond the box")
        << FixtureNames::blockSampleSize
        << Mutation([=](QByteArray &b) { setBe32(&b, table(b, "stsz") + 16, 0x7FFFFFFFu); })
        << false;
    QTest::newRow("stco count beyond the box")
        << FixtureNames::blockChunkOffset
        << Mutation([=](QByteArray &b) { setBe32(&b, table(b, "stco") + 12, 0xFFFFFFFFu); })
        << true;
    QTest::newRow("chunk offsets beyond the file")
        << FixtureNames::blockChunkOffset << Mutation([=](QByteArray &b) {
               const int stco = table(b, "stco");
               for (int i = 0; i < 6; ++i)
                   setBe32(&b, stco + 16 + 4 * i, 0xFFFF0000u - quint32(i));
           })
        << false;
    QTest::newRow("mdhd duration 0")
        << FixtureNames::blockSampleSize
        << Mutation([=](QByteArray &b) { setBe32(&b, table(b, "mdhd") + 8 + 16, 0); }) << false;
}

void TelemetryMediaTest::hostileFiles()
{
    QFETCH(QString, name);
    QFETCH(Mutation, mutation);
    QFETCH(bool, sameSamples);
    const auto readDirectly
        = [&name](const QString &file) { return readBoxesOf(file, name.endsWith(".MOV")); };
    const QString damagedFile = mutated(qPrintable(name), mutation);
    parsed(damagedFile);
    const VideoMessage pristine = readDirectly(m_dir.filePath(name));
    const VideoMessage damaged = readDirectly(damagedFile);
    QVERIFY(!pristine.gpsItems.isEmpty());
    if (sameSamples) {
        QCOMPARE(samplesText(damaged), samplesText(pristine));
    } else {
        for (auto it = damaged.gpsItems.cbegin(); it != damaged.gpsItems.cend(); ++it)
            QVERIFY(nmeaPositions.contains(it->latitude + " " + it->longitude));
    }
}

void TelemetryMediaTest::recordPastTheEnd_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Mutation>("mutation");
    // Each moves the record of second 1 past the end of the file.
    const quint32 pastTheEnd = 0xFFFF0000u;
    const auto table = [](QByteArray &b, const char *type) { return b.lastIndexOf(type) - 4; };
    QTest::newRow("gps box entry")
        << FixtureNames::gpsBoxA264
        << Mutation([=](QByteArray &b) { setBe32(&b, table(b, "gps ") + 16 + 8 * 1, pastTheEnd); });
    // Or to the very end: only the record's first bytes are in the file, or
    // not even the whole marker before it.
    for (const int back : {20, 14, 12}) {
        QTest::newRow(qPrintable(QString("gps box entry %1 bytes before the end").arg(back)))
            << FixtureNames::gpsBoxA264 << Mutation([=](QByteArray &b) {
                   setBe32(&b, table(b, "gps ") + 16 + 8 * 1, quint32(b.size() - back));
               });
    }
    QTest::newRow("block track, chunk offset")
        << FixtureNames::blockChunkOffset
        << Mutation([=](QByteArray &b) { setBe32(&b, table(b, "stco") + 16 + 4 * 1, pastTheEnd); });
    QTest::newRow("block track, last frame of the second")
        << FixtureNames::blockSampleSize << Mutation([=](QByteArray &b) {
               setBe32(&b, table(b, "stco") + 16 + 4 * (30 * 2 - 1), pastTheEnd);
           });
}

void TelemetryMediaTest::recordPastTheEnd()
{
    QFETCH(QString, name);
    QFETCH(Mutation, mutation);
    const bool blockTrack = name.endsWith(".MOV");
    const VideoMessage damaged = readBoxesOf(mutated(qPrintable(name), mutation), blockTrack);
    // That second reads as zeros; every later sample stays on its own second.
    VideoMessage expected = readBoxesOf(m_dir.filePath(name), blockTrack);
    QVERIFY(expected.gpsItems.remove("1") == 1);
    expected.gsensorItems["1"] = QStringList({"0", "0", "0"});
    QCOMPARE(samplesText(damaged), samplesText(expected));
}

void TelemetryMediaTest::truncatedAndFlippedFiles()
{
    // Whatever is cut or flipped, parsing ends; samples stored before stay.
    const char *names[]
        = {FixtureNames::gpsBoxA264,       FixtureNames::gpsBoxB,    FixtureNames::blockSampleSize,
           FixtureNames::blockChunkOffset, FixtureNames::textStream, FixtureNames::binaryStream};
    QRandomGenerator random(20230501);
    for (const char *name : names) {
        const QByteArray pristine = readAll(path(name));
        const int moov = topLevelBox(pristine, "moov");
        QVERIFY(moov > 0);
        for (int cut : {pristine.size() / 3, moov + 8, moov + (pristine.size() - moov) / 2,
                        pristine.size() - 9})
            parsed(mutated(name, [cut](QByteArray &b) { b.truncate(cut); }));
        for (int round = 0; round < 25; ++round) {
            parsed(mutated(name, [&](QByteArray &b) {
                for (int i = 0; i < 8; ++i)
                    b[moov + random.bounded(b.size() - moov)] = char(random.bounded(256));
            }));
        }
    }
}

void TelemetryMediaTest::exiftoolAgrees_data()
{
    QTest::addColumn<QString>("name");
    // The layouts exiftool decodes; it knows neither data-stream format.
    QTest::newRow("gps box, layout A, 264") << FixtureNames::gpsBoxA264;
    QTest::newRow("gps box, layout A") << FixtureNames::gpsBoxA;
    QTest::newRow("gps box, layout B") << FixtureNames::gpsBoxB;
    QTest::newRow("block track, sample sizes") << FixtureNames::blockSampleSize;
    QTest::newRow("block track, chunk offsets") << FixtureNames::blockChunkOffset;
}

void TelemetryMediaTest::exiftoolAgrees()
{
    QFETCH(QString, name);
    const QString exiftool = QStandardPaths::findExecutable("exiftool");
    if (exiftool.isEmpty())
        QSKIP("exiftool is not installed");
    QProcess process;
    process.start(exiftool,
                  {"-ee", "-n", "-p", "$GPSLatitude $GPSLongitude", m_dir.filePath(name)});
    QVERIFY(process.waitForFinished(60000));
    QList<QPair<double, double>> theirs;
    for (const QByteArray &line : process.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.trimmed().split(' ');
        if (parts.size() == 2)
            theirs.append({parts[0].toDouble(), parts[1].toDouble()});
    }
    // exiftool lists every "A" fix; ours additionally drops the jump.
    QCOMPARE(theirs.size(), 5);
    const VideoMessage ours = parsed(m_dir.filePath(name));
    int next = 0;
    for (const GpsItem &item : ours.gpsItems) {
        const double lat = item.latitude.toDouble();
        const double lon = item.longitude.toDouble();
        while (next < theirs.size()
               && (qAbs(theirs[next].first - lat) > 1e-5 || qAbs(theirs[next].second - lon) > 1e-5))
            ++next;
        QVERIFY2(next < theirs.size(),
                 qPrintable(item.latitude + " " + item.longitude + " not in exiftool's track"));
        ++next;
    }
    QCOMPARE(ours.gpsItems.size(), 4);
}

void TelemetryMediaTest::exporterJson()
{
    const QStringList files = {path(FixtureNames::gpsBoxA264), path(FixtureNames::blockSampleSize),
                               path(FixtureNames::textStream), path(FixtureNames::binaryStream),
                               path(FixtureNames::gpsBoxB),    path(FixtureNames::blockChunkOffset),
                               path(FixtureNames::gpsBoxA)};
    for (const QString &file : files) {
        QProcess process;
        process.start(KELMORA_TELEMETRY_PROGRAM, {"--format", "json", file});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(process.readAllStandardError().isEmpty());
        // Exactly the text the player caches: the record of the same parse.
        GPSTool tool;
        DbModel model = modelFor(file);
        model.size = QString::number(QFileInfo(file).size() / 1048576.0, 'f', 1);
        model.is3DVideo = model.fileName.contains('F');
        tool.parse(model);
        tool.record.size = model.size;
        const QByteArray out = process.readAllStandardOutput();
        QJsonObject printed = QJsonDocument::fromJson(out).object();
        const bool binary = file.endsWith("binarystream.mp4");
        QCOMPARE(printed.value("gpsTotailNum").toInt(), binary ? 40 : 4);
        QCOMPARE(printed.value("aevSpeed").toString(), QString(binary ? "36.717" : "36.833"));
        QCOMPARE(printed.value("gpsItems").toObject().keys(), QStringList({"0", "1", "4", "5"}));
        tool.record.size = printed.value("size").toString();
        QCOMPARE(QString::fromUtf8(out), tool.record.toJson());
    }

    QProcess several;
    several.start(KELMORA_TELEMETRY_PROGRAM, {files[0], files[3]});
    QVERIFY(several.waitForFinished(60000));
    QCOMPARE(several.exitCode(), 0);
    const QJsonArray array = QJsonDocument::fromJson(several.readAllStandardOutput()).array();
    QCOMPARE(array.size(), 2);
    QCOMPARE(array[1].toObject().value("path").toString(), files[3]);
    QCOMPARE(array[1].toObject().value("maxSpeed").toString(), QString("38.877"));
}

void TelemetryMediaTest::exporterGpxAndCsv()
{
    QProcess gpx;
    gpx.start(KELMORA_TELEMETRY_PROGRAM,
              {"--format", "gpx", path(FixtureNames::gpsBoxB), path(FixtureNames::textStream)});
    QVERIFY(gpx.waitForFinished(60000));
    QCOMPARE(gpx.exitCode(), 0);
    QXmlStreamReader xml(gpx.readAllStandardOutput());
    int segments = 0;
    QStringList points;
    QStringList speeds;
    QString version;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("gpx")) {
            version = xml.attributes().value("version").toString();
            QCOMPARE(xml.namespaceUri().toString(), QString("http://www.topografix.com/GPX/1/1"));
        } else if (xml.name() == QLatin1String("trkseg")) {
            ++segments;
        } else if (xml.name() == QLatin1String("trkpt")) {
            points << xml.attributes().value("lat").toString() + " "
                    + xml.attributes().value("lon").toString();
        } else if (xml.name() == QLatin1String("speed")) {
            speeds << xml.readElementText();
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(version, QString("1.1"));
    QCOMPARE(segments, 2);
    QCOMPARE(points, nmeaPositions + nmeaPositions);
    QCOMPARE(speeds.first(), QString("18.108")); // 35.2 knots in m/s

    QProcess csv;
    csv.start(KELMORA_TELEMETRY_PROGRAM, {"--format", "csv", path(FixtureNames::binaryStream)});
    QVERIFY(csv.waitForFinished(60000));
    const QStringList lines
        = QString::fromUtf8(csv.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 7);
    QCOMPARE(lines[0], QString("second,status,latitude,longitude,speed,heading,x,y,z,file,utc"));
    QCOMPARE(lines[1],
             "0,true,22.535389,114.076134,35.097,270,0.12,-0.06,1,"
                 + path(FixtureNames::binaryStream) + ",");
    QVERIFY(lines[3].startsWith("2,false,,,,,0.98,-0.49,1,"));
}

void TelemetryMediaTest::exporterErrors()
{
    QProcess process;
    process.start(
        KELMORA_TELEMETRY_PROGRAM,
        {"--format", "csv", m_dir.filePath("missing.mp4"), path(FixtureNames::textStream)});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    const QByteArray err = process.readAllStandardError();
    QCOMPARE(err.count('\n'), 1);
    QVERIFY(err.contains("missing.mp4"));
    QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()).count('\n'),
             7); // the other file still printed

    QProcess folder;
    folder.start(KELMORA_TELEMETRY_PROGRAM, {m_dir.path()});
    QVERIFY(folder.waitForFinished(60000));
    QCOMPARE(folder.exitCode(), 1);
    QVERIFY(folder.readAllStandardOutput().isEmpty());

    // Without read permission (not testable as root, who reads anyway).
    const QString locked = m_dir.filePath("locked.mp4");
    QFile::remove(locked);
    QVERIFY(QFile::copy(path(FixtureNames::textStream), locked));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    QFile probe(locked);
    if (!probe.open(QIODevice::ReadOnly)) {
        QProcess denied;
        denied.start(KELMORA_TELEMETRY_PROGRAM, {locked});
        QVERIFY(denied.waitForFinished(60000));
        QCOMPARE(denied.exitCode(), 1);
        QCOMPARE(denied.readAllStandardError().count('\n'), 1);
    }

    QProcess help;
    help.start(KELMORA_TELEMETRY_PROGRAM, {"--help"});
    QVERIFY(help.waitForFinished(60000));
    QCOMPARE(help.exitCode(), 0);
    const QByteArray text = help.readAllStandardOutput();
    QVERIFY(text.contains("--format") && text.contains("gpx") && text.contains("csv"));

    // Usage errors, and output that cannot be written, are never a success.
    const struct
    {
        QStringList arguments;
        QString output;
        int status;
    } failures[] = {
        {{"--format", "kml", path(FixtureNames::textStream)}, QString(), 2},
        {{"--bogus", path(FixtureNames::textStream)}, QString(), 2},
        {{"--format"}, QString(), 2},
        {{path(FixtureNames::textStream)}, "/dev/full", 1},
    };
    for (const auto &failure : failures) {
        QProcess process;
        if (!failure.output.isEmpty())
            process.setStandardOutputFile(failure.output);
        process.start(KELMORA_TELEMETRY_PROGRAM, failure.arguments);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), failure.status);
        QCOMPARE(process.readAllStandardError().count('\n'), 1);
    }
}

void TelemetryMediaTest::exporterBatch_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("json") << "json";
    QTest::newRow("csv") << "csv";
}

void TelemetryMediaTest::exporterBatch()
{
    // Many files are parsed on several threads at once: the output must keep
    // the order given and equal the files printed one at a time, a damaged
    // file and the same file twice included.
    QFETCH(QString, format);
    QStringList files;
    for (const char *name :
         {FixtureNames::binaryStream, FixtureNames::garbage, FixtureNames::gpsBoxA,
          FixtureNames::blockSampleSize, FixtureNames::textStream, FixtureNames::gpsBoxB,
          FixtureNames::blockChunkOffset, FixtureNames::gpsBoxA264})
        files << path(name);
    files += files;

    QJsonArray oneByOne;
    QByteArray csv;
    for (const QString &file : files) {
        const QByteArray out = telemetryOutput({"--format", format, file});
        if (format == "json") {
            oneByOne.append(QJsonDocument::fromJson(out).object());
        } else {
            // One header, then the rows of each file.
            const int header = out.indexOf('\n') + 1;
            csv += csv.isEmpty() ? out : out.mid(header);
        }
    }
    const QByteArray batch = telemetryOutput(QStringList({"--format", format}) + files);
    if (format == "json") {
        const QJsonArray printed = QJsonDocument::fromJson(batch).array();
        QCOMPARE(printed.size(), files.size());
        for (int i = 0; i < files.size(); ++i)
            QCOMPARE(printed[i].toObject(), oneByOne[i].toObject());
    } else {
        QCOMPARE(QString::fromUtf8(batch), QString::fromUtf8(csv));
    }
}

void TelemetryMediaTest::exporterTimes()
{
    const QString file = path(clockFront1);
    const VideoMessage record = parsed(file);
    QVERIFY(record.clockOffsetKnown);
    QCOMPARE(record.clockOffset, 60);

    const QVector<GpxTrack> gpx = gpxTracks(telemetryOutput({"--format", "gpx", file}));
    QCOMPARE(gpx.size(), 1);
    QCOMPARE(gpx[0].segments, QVector<QStringList>({expectedTimes(0, 60)}));

    const QStringList csv = QString::fromUtf8(telemetryOutput({"--format", "csv", file}))
                                .split('\n', Qt::SkipEmptyParts);
    QCOMPARE(csv.size(), 61);
    QVERIFY(csv[0].endsWith(",z,file,utc"));
    // A stored fix with an impossible date keeps an empty time, never the
    // camera's guess; a G-sensor-only second takes the corrected camera time.
    QCOMPARE(csv[1].section(',', -2), file + ",");
    QCOMPARE(csv[4].section(',', -2), file + "," + utcOn(3));
    QCOMPARE(csv[11].section(',', 0, 1), QString("10,false"));
    QCOMPARE(csv[11].section(',', -1), utcOn(10));
    QCOMPARE(csv[60].section(',', -1), utcOn(59));

    const QByteArray geoText = telemetryOutput({"--format", "geojson", file, path(noFixes)});
    QJsonParseError error;
    const QJsonObject geo = QJsonDocument::fromJson(geoText, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(geo.value("type").toString(), QString("FeatureCollection"));
    const QJsonArray features = geo.value("features").toArray();
    QCOMPARE(features.size(), 1); // the recording without fixes has none
    const QJsonObject feature = features[0].toObject();
    const QJsonObject geometry = feature.value("geometry").toObject();
    QCOMPARE(geometry.value("type").toString(), QString("LineString"));
    const QJsonArray coordinates = geometry.value("coordinates").toArray();
    QCOMPARE(coordinates.size(), 59);
    const QStringList first = csv[1].split(',');
    QCOMPARE(coordinates[0].toArray()[0].toDouble(), first[3].toDouble()); // longitude first
    QCOMPARE(coordinates[0].toArray()[1].toDouble(), first[2].toDouble());
    const QJsonObject properties = feature.value("properties").toObject();
    QStringList coordTimes;
    for (const QJsonValue &time : properties.value("coordTimes").toArray()) {
        QVERIFY(time.isString() || time.isNull());
        coordTimes << time.toString();
    }
    QCOMPARE(coordTimes, expectedTimes(0, 60));
    QCOMPARE(properties.value("file").toString(), QString(clockFront1));
    QCOMPARE(properties.value("start").toString(), utcOn(0));
    QCOMPARE(properties.value("end").toString(), utcOn(60));
    QVERIFY(properties.value("metres").toDouble() > 1000);
}

void TelemetryMediaTest::namesAndTimesWhateverTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("name");
    // Qt 5 formats dates with the digits of the user's locale; times that
    // are stored and exported must keep ASCII digits. A UTF-8 locale that is
    // not installed still decodes file names as UTF-8.
    QTest::newRow("C.utf8") << "C.utf8"
                            << "路线 2023_0501_120000_F.MOV";
    QTest::newRow("Arabic-Indic digits") << "ar_EG.UTF-8"
                                         << "路线 2023_0501_120000_F.MOV";
    QTest::newRow("Persian digits") << "fa_IR.UTF-8"
                                    << "路线 2023_0501_120000_F.MOV";
    QTest::newRow("UTF-8 locale not installed") << "xx_YY.UTF-8"
                                                << "路线 2023_0501_120000_F.MOV";
    QTest::newRow("no character set") << "C"
                                      << "route 2023_0501_120000_F.MOV";
}

void TelemetryMediaTest::namesAndTimesWhateverTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, name);
    const QString target = m_dir.filePath(name);
    QFile::remove(target);
    QVERIFY(QFile::copy(path(clockFront1), target));
    const auto output = [&target](const QString &localeName, const QStringList &args) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *variable : {"LC_CTYPE", "LANG", "LANGUAGE"})
            environment.remove(variable);
        environment.insert("LC_ALL", localeName);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(KELMORA_TELEMETRY_PROGRAM, args + QStringList {target});
        process.waitForFinished(60000);
        return process.exitCode() == 0 ? process.readAllStandardOutput()
                                       : "failed: " + process.readAllStandardError();
    };
    for (const QStringList &args : {QStringList {"--format", "csv"}, QStringList {}}) {
        const QByteArray reference = output("C.UTF-8", args);
        QVERIFY(reference.contains(utcOn(3).toUtf8()));
        QCOMPARE(output(locale, args), reference);
    }
    const QJsonObject record = QJsonDocument::fromJson(output(locale, {})).object();
    QCOMPARE(record.value("startTime").toString(), QString("2023-05-01T12:00:00"));
}

void TelemetryMediaTest::exporterTrips()
{
    const QString front1 = path(clockFront1), front2 = path(clockFront2),
                  front3 = path(clockFront3), rear = path(clockRear);
    // Out of order, with the rear camera's copy of the first minute: the
    // trips and their playing order come from the clock, not the arguments.
    const QStringList files = {front3, rear, front2, front1};

    const QJsonArray trips
        = QJsonDocument::fromJson(telemetryOutput(QStringList {"--trip"} + files)).array();
    QCOMPARE(trips.size(), 2);
    const QJsonObject drive = trips[0].toObject();
    QCOMPARE(drive.value("start").toString(), utcOn(0));
    QCOMPARE(drive.value("end").toString(), utcOn(120));
    QCOMPARE(drive.value("durationSeconds").toInt(), 120);
    QCOMPARE(drive.value("lead").toVariant().toStringList(), QStringList({front1, front2}));
    QCOMPARE(drive.value("files").toVariant().toStringList(), QStringList({front1, rear, front2}));
    QVERIFY(drive.value("maxKnots").toDouble() >= 39.5);
    QVERIFY(drive.value("metres").toDouble() > 2000);
    QCOMPARE(trips[1].toObject().value("start").toString(), utcOn(720));
    QCOMPARE(trips[1].toObject().value("lead").toVariant().toStringList(), QStringList({front3}));

    const QByteArray gpxText = telemetryOutput(QStringList {"--trip", "--format", "gpx"} + files);
    const QVector<GpxTrack> gpx = gpxTracks(gpxText);
    QCOMPARE(gpx.size(), 2);
    QCOMPARE(gpx[0].name, utcOn(0));
    QCOMPARE(gpx[0].segments, QVector<QStringList>({expectedTimes(0, 60), expectedTimes(60, 60)}));
    QCOMPARE(gpx[1].name, utcOn(720));
    QCOMPARE(gpx[1].segments, QVector<QStringList>({expectedTimes(720, 20)}));
    if (QStandardPaths::findExecutable("gpsbabel").isEmpty())
        QSKIP("gpsbabel is not installed");
    const QString saved = m_dir.filePath("trips.gpx");
    QVERIFY(writeAll(saved, gpxText));
    const QStringList read = gpsbabelPoints(saved);
    QCOMPARE(read.size(), 59 + 59 + 19);
    QCOMPARE(read.count(QString()), 3 + 3 + 3);
    QCOMPARE(read[3], QString("2023/05/01 12:00:03"));

    const QStringList csv
        = QString::fromUtf8(telemetryOutput(QStringList {"--trip", "--format", "csv"} + files))
              .split('\n', Qt::SkipEmptyParts);
    QVERIFY(csv[0].endsWith(",file,utc,trip"));
    QCOMPARE(csv.size(), 1 + 60 + 60 + 20);
    QCOMPARE(csv[1].section(',', -3), front1 + ",,1");
    QCOMPARE(csv[120].section(',', -3), front2 + "," + utcOn(119) + ",1");
    QCOMPARE(csv[121].section(',', -3), front3 + ",,2");
    QVERIFY(!QString(csv.join('\n')).contains(rear));

    const QJsonArray features
        = QJsonDocument::fromJson(
              telemetryOutput(QStringList {"--trip", "--format", "geojson"} + files))
              .object()
              .value("features")
              .toArray();
    QCOMPARE(features.size(), 2);
    const QJsonObject first = features[0].toObject();
    QCOMPARE(first.value("geometry").toObject().value("coordinates").toArray().size(), 118);
    QCOMPARE(first.value("properties").toObject().value("start").toString(), utcOn(0));
    QCOMPARE(first.value("properties").toObject().value("coordTimes").toArray().size(), 118);
}

KELMORA_TEST_MAIN(QCoreApplication, TelemetryMediaTest)
#include "tst_telemetry_media.moc"
