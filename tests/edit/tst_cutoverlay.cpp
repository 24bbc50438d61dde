// The telemetry a cut carries, on a real generated drive: the overlay script,
// real ffmpeg cuts and stills with it, and the track written beside a cut.
#include "tests/fixtures/FixtureTracks.h"
#include "tests/support/TestHome.h"

#include "app/Settings.h"
#include "edit/CutOverlay.h"
#include "library/CmdModel.h"
#include "library/DbModel.h"
#include "library/FFmpegThread.h"
#include "library/VideoMessage.h"
#include "telemetry/GPSTool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int Width = 640;
constexpr int Height = 360;
constexpr int DriveSeconds = 12;
// The camera's clock runs an hour ahead of the fixes' 12:00 UTC.
const char *const RecordingName = "20230501-130000.mp4";

QJsonObject probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  {"-v", "error", "-show_streams", "-show_format", "-of", "json", path});
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

// One decoded frame, `at` seconds into a video.
QImage frameAt(const QString &video, double at, const QString &png)
{
    QProcess ffmpeg;
    ffmpeg.start(
        QStringLiteral("ffmpeg"),
        {"-v", "error", "-y", "-ss", QString::number(at), "-i", video, "-frames:v", "1", png});
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
        return {};
    return QImage(png).convertToFormat(QImage::Format_RGB888);
}

// Mean absolute channel difference of two pictures inside rect.
double meanDifference(const QImage &a, const QImage &b, const QRect &rect)
{
    qint64 sum = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const uchar *pa = a.constScanLine(y) + rect.left() * 3;
        const uchar *pb = b.constScanLine(y) + rect.left() * 3;
        for (int i = 0; i < rect.width() * 3; ++i)
            sum += qAbs(int(pa[i]) - int(pb[i]));
    }
    return double(sum) / (rect.width() * rect.height() * 3);
}

// Runs a job the way the player does and returns whether it succeeded.
bool run(CmdModel &job)
{
    FFmpegThread thread(&job);
    QSignalSpy cut(&thread, &FFmpegThread::taskFinishedForCutVideo);
    QSignalSpy still(&thread, &FFmpegThread::taskFinishedForThumbPictrue);
    thread.start();
    thread.wait();
    const QList<QVariant> result = cut.isEmpty() ? still.value(0) : cut.value(0);
    return !result.isEmpty() && result.first().toBool();
}

QStringList dialogueLines(const QString &script)
{
    QStringList lines;
    for (const QString &line : script.split('\n'))
        if (line.startsWith("Dialogue:"))
            lines << line;
    return lines;
}

} // namespace

class TestCutOverlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void scriptFollowsTheRecord_data();
    void scriptFollowsTheRecord();
    void assTextStaysLiteral();
    void overlayCutChangesOnlyItsCorner();
    void otherChoicesStay_data();
    void otherChoicesStay();
    void trackBesideTheCut();
    void oddFolders_data();
    void oddFolders();

private:
    QTemporaryDir m_dir;
    VideoMessage m_record;
};

void TestCutOverlay::initTestCase()
{
    QVERIFY(m_dir.isValid());
    RecordingFactory factory(m_dir.path());
    factory.setVideo(Width, Height, "2000k");
    QVERIFY2(factory.makeGpsBox(RecordingName, longDrive(DriveSeconds),
                                RecordingFactory::GpsBoxForm::LayoutA, true),
             qPrintable(factory.error()));
    DbModel model;
    model.path = factory.path(RecordingName);
    model.fileName = RecordingName;
    GPSTool tool;
    tool.parse(model);
    m_record = tool.record;
    QCOMPARE(m_record.gpsItems.size(), DriveSeconds);
    QCOMPARE(m_record.height, QString::number(Height));
    QVERIFY(m_record.clockOffsetKnown);
}

void TestCutOverlay::scriptFollowsTheRecord_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("speedSuffix");
    QTest::addColumn<double>("speedFactor");
    QTest::newRow("km/h, decimal") << 0 << 1 << " km/h" << 1.852;
    QTest::newRow("mph, degrees minutes seconds") << 1 << 0 << " mph" << 1.150779;
}

void TestCutOverlay::scriptFollowsTheRecord()
{
    QFETCH(int, unit);
    QFETCH(int, format);
    QFETCH(QString, speedSuffix);
    QFETCH(double, speedFactor);
    const int start = 3;
    const int end = 9;
    const QString script = CutOverlay::assScript(m_record, start, end, unit, format);
    QVERIFY(script.contains(QString("PlayResX: %1\nPlayResY: %2\n").arg(Width).arg(Height)));
    const QStringList lines = dialogueLines(script);
    QCOMPARE(lines.size(), end - start);
    for (int i = 0; i < lines.size(); ++i) {
        const int second = start + i;
        const FixtureSample s = longDrive(DriveSeconds).at(second);
        const QStringList fields = lines[i].split(',');
        QCOMPARE(fields[1], QString("0:00:%1.00").arg(i, 2, 10, QChar('0')));
        QCOMPARE(fields[2], QString("0:00:%1.00").arg(i + 1, 2, 10, QChar('0')));
        const QStringList text = lines[i].section(',', 9).split("\\N");
        QCOMPARE(text.size(), 3);
        QCOMPARE(text[0], QString::number(qRound(s.speedKnots * speedFactor)) + speedSuffix);
        QCOMPARE(text[1],
                 QString("2023-05-01 13:00:%1 UTC+01:00").arg(s.second, 2, 10, QChar('0')));
        if (format == 1) {
            // Layout A stores the position as single-precision minutes.
            const QStringList position = text[2].split(", ");
            QCOMPARE(position.size(), 2);
            QVERIFY2(qAbs(position[0].toDouble() - nmeaDegrees(s.latNmea)) < 5e-5
                         && qAbs(position[1].toDouble() - nmeaDegrees(s.lonNmea)) < 5e-5,
                     qPrintable(text[2]
                                + QString(" %1 %2")
                                      .arg(nmeaDegrees(s.latNmea), 0, 'f', 7)
                                      .arg(nmeaDegrees(s.lonNmea), 0, 'f', 7)));
        } else {
            QVERIFY2(text[2].startsWith("22°") && text[2].contains(", 114°"), qPrintable(text[2]));
        }
    }
    // Seconds without a sample get no event; a range past the end gives none.
    QCOMPARE(
        dialogueLines(CutOverlay::assScript(m_record, DriveSeconds, DriveSeconds + 5, 0, 1)).size(),
        0);
}

void TestCutOverlay::assTextStaysLiteral()
{
    // An override block or a line break escape in a text must show as typed.
    QCOMPARE(CutOverlay::assText("a{\\b1}c"), QString("a\\{\\\u2060b1\\}c"));
    QCOMPARE(CutOverlay::assText("x\\Ny\nz"), QString("x\\\u2060Ny z"));
    QCOMPARE(CutOverlay::assTime(366100), QString("1:01:01.00"));
}

void TestCutOverlay::overlayCutChangesOnlyItsCorner()
{
    const QString saveDir = m_dir.filePath("plain");
    QVERIFY(QDir().mkpath(saveDir));
    Settings::saveFolder().set(saveDir);
    const int start = 2;
    const int end = 8;
    const auto makeJob = [&](bool overlay, const QString &suffix) {
        auto job = std::make_unique<CmdModel>(CmdModel::Cut);
        job->inputPath = m_record.path;
        job->startSecond = start;
        job->endSecond = end;
        job->bitRate = "4000000";
        job->timeSuffix = suffix;
        if (overlay
            && !CutOverlay::attachScript(job.get(),
                                         CutOverlay::assScript(m_record, start, end, 0, 1)))
            return std::unique_ptr<CmdModel>();
        return job;
    };
    auto plain = makeJob(false, "plain");
    auto overlaid = makeJob(true, "overlay");
    QVERIFY(plain && overlaid);
    QVERIFY(overlaid->arguments().join(' ').contains("-vf subtitles=filename="));
    QVERIFY(run(*plain));
    QVERIFY(run(*overlaid));

    const QJsonObject info = probe(overlaid->outputPath);
    const QJsonArray streams = info.value("streams").toArray();
    QCOMPARE(streams.size(), 2); // the sound is copied as without the overlay
    const QJsonObject video = streams.at(0).toObject();
    QCOMPARE(video.value("codec_type").toString(), QString("video"));
    const double length = video.value("duration").toString().toDouble();
    QVERIFY2(qAbs(length - (end - start)) <= 1.0 / 30 + 1e-6, qPrintable(QString::number(length)));

    // Mid-second 3 of the cut: the same source frame in both.
    const QImage a = frameAt(plain->outputPath, 3.5, m_dir.filePath("a.png"));
    const QImage b = frameAt(overlaid->outputPath, 3.5, m_dir.filePath("b.png"));
    QCOMPARE(a.size(), QSize(Width, Height));
    QCOMPARE(b.size(), a.size());
    // The caption sits bottom-left: three lines of a 20-pixel font.
    const QRect caption(0, Height - 90, 340, 90);
    const QRect firstLine(8, Height - 80, 120, 22);
    QVERIFY2(meanDifference(a, b, firstLine) > 20,
             qPrintable(QString::number(meanDifference(a, b, firstLine))));
    // Elsewhere only the encoder's rounding differs, tile by tile.
    for (int y = 0; y + 40 <= Height; y += 40) {
        for (int x = 0; x + 40 <= Width; x += 40) {
            const QRect tile(x, y, 40, 40);
            if (tile.intersects(caption))
                continue;
            const double difference = meanDifference(a, b, tile);
            QVERIFY2(difference < 6,
                     qPrintable(QString("tile %1,%2: %3").arg(x).arg(y).arg(difference)));
        }
    }
    b.save(m_dir.filePath("overlay-frame.png"));
    const QString keep = qEnvironmentVariable("KELMORA_OVERLAY_STILL");
    if (!keep.isEmpty())
        QVERIFY(b.save(keep));
}

void TestCutOverlay::otherChoicesStay_data()
{
    QTest::addColumn<bool>("video");
    QTest::addColumn<bool>("audio");
    QTest::addColumn<bool>("hd720");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<int>("height");
    QTest::newRow("720p with sound")
        << true << true << true << QStringList {"video", "audio"} << 720;
    QTest::newRow("video only") << true << false << false << QStringList {"video"} << Height;
    QTest::newRow("audio only: no picture to caption")
        << false << true << false << QStringList {"audio"} << 0;
}

void TestCutOverlay::otherChoicesStay()
{
    QFETCH(bool, video);
    QFETCH(bool, audio);
    QFETCH(bool, hd720);
    QFETCH(QStringList, kinds);
    QFETCH(int, height);
    const QString saveDir = m_dir.filePath("choices");
    QVERIFY(QDir().mkpath(saveDir));
    Settings::saveFolder().set(saveDir);
    CmdModel cut(CmdModel::Cut);
    cut.inputPath = m_record.path;
    cut.startSecond = 1;
    cut.endSecond = 4;
    cut.bitRate = "1500000";
    cut.hasVideo = video;
    cut.hasAudio = audio;
    cut.is720P = hd720;
    cut.timeSuffix = QTest::currentDataTag();
    QVERIFY(CutOverlay::attachScript(&cut, CutOverlay::assScript(m_record, 1, 4, 0, 1)));
    QVERIFY(run(cut));
    const QJsonArray streams = probe(cut.outputPath).value("streams").toArray();
    QStringList found;
    for (const QJsonValue &stream : streams)
        found << stream.toObject().value("codec_type").toString();
    QCOMPARE(found, kinds);
    if (video)
        QCOMPARE(streams.at(0).toObject().value("height").toInt(), height);
}

void TestCutOverlay::trackBesideTheCut()
{
    const QString video = m_dir.filePath("track/cut_1.mp4");
    QVERIFY(QDir().mkpath(m_dir.filePath("track")));
    const int start = 4;
    const int end = 10;
    QVERIFY(CutOverlay::writeTrack(m_record, start, end, video).isEmpty());
    QFile gpxFile(m_dir.filePath("track/cut_1.gpx"));
    QVERIFY(gpxFile.open(QIODevice::ReadOnly));
    const QString gpx = QString::fromUtf8(gpxFile.readAll());
    const QRegularExpression time("<time>([^<]+)</time>");
    QStringList times;
    for (auto it = time.globalMatch(gpx); it.hasNext();)
        times << it.next().captured(1);
    QCOMPARE(gpx.count("<trkpt "), end - start);
    QCOMPARE(times.size(), end - start);
    QCOMPARE(times.first(), QString("2023-05-01T12:00:04Z"));
    QCOMPARE(times.last(), QString("2023-05-01T12:00:09Z"));

    QFile csvFile(m_dir.filePath("track/cut_1.csv"));
    QVERIFY(csvFile.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(csvFile.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), 1 + end - start);
    // Seconds count from the cut's start; the time stays the real one.
    QVERIFY2(rows[1].startsWith("0,true,")
                 && rows[1].endsWith("/track/cut_1.mp4,2023-05-01T12:00:04Z"),
             qPrintable(rows[1]));
    QVERIFY2(rows.last().startsWith("5,true,") && rows.last().endsWith("12:00:09Z"),
             qPrintable(rows.last()));
}

void TestCutOverlay::oddFolders_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("space and quotes") << "saved 'one' \"two\"";
    QTest::newRow("non-Latin") << "записи 日本";
    QTest::newRow("filter-graph characters") << "a:b,c;d[e]f\\g";
}

void TestCutOverlay::oddFolders()
{
    // Both the output and the script itself sit in the odd folder: the
    // script's path must reach the filter graph intact.
    QFETCH(QString, folder);
    const QString saveDir = m_dir.filePath(folder);
    QVERIFY(QDir().mkpath(saveDir));
    Settings::saveFolder().set(saveDir);
    const QString scriptPath = QDir(saveDir).filePath("over 'lay'.ass");
    QFile script(scriptPath);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(CutOverlay::assScript(m_record, 5, 6, 0, 1).toUtf8());
    script.close();

    CmdModel still(CmdModel::Still);
    still.inputPath = m_record.path;
    still.capturePosition = "5";
    still.subtitlePath = scriptPath;
    QVERIFY(run(still));
    CmdModel plainStill(CmdModel::Still);
    plainStill.inputPath = m_record.path;
    plainStill.capturePosition = "5";
    plainStill.timeSuffix = "plain";
    QVERIFY(run(plainStill));
    const QImage a = QImage(plainStill.outputPath).convertToFormat(QImage::Format_RGB888);
    const QImage b = QImage(still.outputPath).convertToFormat(QImage::Format_RGB888);
    QCOMPARE(b.size(), QSize(Width, Height));
    QVERIFY(meanDifference(a, b, QRect(8, Height - 80, 120, 22)) > 20);
    QVERIFY(meanDifference(a, b, QRect(0, 0, Width, Height / 2)) < 1);

    CmdModel cut(CmdModel::Cut);
    cut.inputPath = m_record.path;
    cut.startSecond = 1;
    cut.endSecond = 3;
    cut.bitRate = "1000000";
    cut.is720P = false;
    cut.hasAudio = false;
    QVERIFY(CutOverlay::attachScript(&cut, CutOverlay::assScript(m_record, 1, 3, 0, 1)));
    QVERIFY(run(cut));
    QVERIFY(CutOverlay::writeTrack(m_record, 1, 3, cut.outputPath).isEmpty());
    const QString base = cut.outputPath.left(cut.outputPath.size() - 4);
    QVERIFY(QFile::exists(base + ".gpx") && QFile::exists(base + ".csv"));
    QCOMPARE(probe(cut.outputPath).value("streams").toArray().size(), 1);
}

KELMORA_TEST_MAIN(QCoreApplication, TestCutOverlay)
#include "tst_cutoverlay.moc"
