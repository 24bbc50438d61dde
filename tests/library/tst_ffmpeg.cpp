#include "app/Helpers.h"
#include "app/Platform.h"
#include "app/SettingsKeys.h"
#include "library/CmdModel.h"
#include "library/FFmpegThread.h"
#include "library/ThreadPtr.h"
#include "tests/support/PathGuard.h"
#include "tests/support/TestHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include <optional>

namespace {

struct Probe
{
    bool ok = false;
    double duration = 0;
    int width = 0;
    int height = 0;
    bool hasVideo = false;
    bool hasAudio = false;
};

Probe probe(const QString &file)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe",
                  {"-v", "error", "-show_entries", "format=duration:stream=codec_type,width,height",
                   "-of", "json", file});
    Probe p;
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return p;
    const QJsonObject o = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    p.ok = true;
    p.duration = o.value("format").toObject().value("duration").toString().toDouble();
    for (const QJsonValue &s : o.value("streams").toArray()) {
        const QJsonObject stream = s.toObject();
        if (stream.value("codec_type") == "video") {
            p.hasVideo = true;
            p.width = stream.value("width").toInt();
            p.height = stream.value("height").toInt();
        } else if (stream.value("codec_type") == "audio") {
            p.hasAudio = true;
        }
    }
    return p;
}

// Runs one job on its thread and waits for its signal in the event loop.
std::optional<bool> runThread(CmdModel &model)
{
    std::optional<int> result;
    QObject context;
    FFmpegThread thread(&model);
    QObject::connect(&thread, &FFmpegThread::taskFinishedForCutVideo, &context,
                     [&](bool ok) { result = ok ? 1 : 0; });
    QObject::connect(&thread, &FFmpegThread::taskFinishedForThumbPictrue, &context,
                     [&](bool ok) { result = ok ? 3 : 2; });
    thread.start();
    QElapsedTimer clock;
    clock.start();
    while (!result && clock.elapsed() < 120000)
        QTest::qWait(20);
    thread.wait();
    if (!result)
        return std::nullopt;
    // Which signal came tells the kind: cut (0/1) or still (2/3).
    const bool cutSignal = *result < 2;
    if (cutSignal != (model.cmdType == CmdModel::Cut))
        return std::nullopt;
    return bool(*result % 2);
}

} // namespace

class FFmpegTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void commandTexts_data();
    void commandTexts();
    void savePaths();
    void argumentsKeepValuesWhole();
    void thumbnailOfOddNames_data();
    void thumbnailOfOddNames();
    void cutVariants_data();
    void cutVariants();
    void stillCapture();
    void failuresAreReported();
    void lettingGoOfAJobNeverBlocksLong();
    void outputSizeIs64Bit();

private:
    QTemporaryDir m_dir;
    QString m_source;
    QString m_saveDir;
};

void FFmpegTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("ffmpeg").isEmpty(), "ffmpeg is needed");
    // 12 s, 640 x 480 H.264 with a key frame every second, and AAC sound.
    m_source = m_dir.filePath("source.mp4");
    QProcess make;
    make.start(Platform::ffmpegProgram(),
               {"-hide_banner",
                "-loglevel",
                "error",
                "-f",
                "lavfi",
                "-i",
                "testsrc=size=640x480:rate=25",
                "-f",
                "lavfi",
                "-i",
                "sine=frequency=440:sample_rate=44100",
                "-t",
                "12",
                "-c:v",
                "libx264",
                "-preset",
                "ultrafast",
                "-g",
                "25",
                "-pix_fmt",
                "yuv420p",
                "-c:a",
                "aac",
                "-y",
                m_source});
    QVERIFY(make.waitForFinished(120000));
    QCOMPARE(make.exitCode(), 0);
    m_saveDir = m_dir.filePath("saved 'here' \"q\" $(x) 保存");
    QVERIFY(QDir().mkpath(m_saveDir));
    settingsValue(SettingsKeys::SaveFilePath, m_saveDir, true);
}

void FFmpegTest::commandTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("is720P");
    QTest::addColumn<bool>("hasVideo");
    QTest::addColumn<bool>("hasAudio");
    QTest::addColumn<QString>("expected"); // %P program, %I input, %O output
    QTest::newRow("thumbnail") << 0 << false << true << true
                               << "\"%P\" -i \"%I\" -vframes 1 -s 58*58 -y \"%O\"";
    QTest::newRow("720p with sound")
        << 1 << true << true << true
        << "\"%P\" -ss 65 -i \"%I\" -t 10 -vf \"scale=-1:720\" -b:v 4000k -c:a copy -y \"%O\"";
    QTest::newRow("720p silent")
        << 1 << true << true << false
        << "\"%P\" -ss 65 -i \"%I\" -t 10 -vf \"scale=-1:720\" -b:v 4000k -an -y \"%O\"";
    QTest::newRow("original with sound")
        << 1 << false << true << true
        << "\"%P\" -ss 65 -i \"%I\" -t 10 -c:v copy -c:a copy -y \"%O\"";
    QTest::newRow("original silent")
        << 1 << false << true << false << "\"%P\" -ss 65 -i \"%I\" -t 10 -c:v copy -an -y \"%O\"";
    QTest::newRow("sound only") << 1 << false << false << false
                                << "\"%P\" -ss 65 -i \"%I\" -t 10 -vn -c:a copy -y \"%O\"";
    QTest::newRow("sound only, 720p")
        << 1 << true << false << true << "\"%P\" -ss 65 -i \"%I\" -t 10 -vn -c:a copy -y \"%O\"";
    QTest::newRow("still") << 2 << false << true << true
                           << "\"%P\" -ss 00:00 -i \"%I\" -vframes 1 -y \"%O\"";
    QTest::newRow("still, other type")
        << 7 << false << true << true << "\"%P\" -ss 00:00 -i \"%I\" -vframes 1 -y \"%O\"";
}

void FFmpegTest::commandTexts()
{
    QFETCH(int, type);
    QFETCH(QString, expected);
    CmdModel model(type);
    QFETCH(bool, is720P);
    QFETCH(bool, hasVideo);
    QFETCH(bool, hasAudio);
    model.is720P = is720P;
    model.hasVideo = hasVideo;
    model.hasAudio = hasAudio;
    model.inputPath = "/v/20240101_120000_F.MP4";
    model.startSecond = 65;
    model.endSecond = 75;
    model.bitRate = "4000k";
    const QString text = model.createCmdString();
    QVERIFY(!model.outputPath.isEmpty()); // set on the way
    auto filled = [&](QString t) {
        return t.replace("%P", Platform::ffmpegProgram())
            .replace("%I", model.inputPath)
            .replace("%O", model.outputPath);
    };
    QCOMPARE(text, filled(expected));
    // The copy a cut thread runs builds the very same command.
    const std::unique_ptr<CmdModel> copy(model.clone());
    QCOMPARE(copy->createCmdString(), text);

    // What runs is the same command, one argument per word of the template, quotes removed.
    QStringList words = expected.split(' ');
    for (QString &w : words)
        w = filled(w.remove('"'));
    QCOMPARE(model.program(), words.takeFirst());
    QCOMPARE(model.arguments(), words);
}

void FFmpegTest::savePaths()
{
    CmdModel thumb(0);
    thumb.inputPath = "/v/20240101_120000_F.MP4";
    // Base name, then the first 8 hex digits of the SHA-1 of the path.
    QCOMPARE(thumb.getSavePath(), thumbnailPath() + "/20240101_120000_F_b6886e9a.png");
    QCOMPARE(thumb.outputPath, thumbnailPath() + "/20240101_120000_F_b6886e9a.png");
    QCOMPARE(CmdModel::legacyThumbnailName(thumb.inputPath), QString("20240101_120000_F_.png"));
    // One name in two folders (a camera's card formatted in between) gets two
    // pictures, and so do names equal up to their first dot.
    CmdModel a(0), b(0), c(0);
    a.inputPath = "/v/a.b.mp4";
    b.inputPath = "/v/a.c.mp4";
    c.inputPath = "/w/a.b.mp4";
    QVERIFY(a.getSavePath() != b.getSavePath());
    QVERIFY(a.getSavePath() != c.getSavePath());

    CmdModel cut(1);
    QVERIFY(QRegularExpression("^\\d{9}$").match(cut.timeSuffix).hasMatch());
    cut.inputPath = "/v/trip.front.mp4";
    QCOMPARE(cut.getSavePath(), m_saveDir + "/trip_" + cut.timeSuffix + ".mp4");
    CmdModel still(2);
    still.inputPath = "/v/trip.mp4";
    QCOMPARE(still.getSavePath(), m_saveDir + "/trip_" + still.timeSuffix + ".png");
    QCOMPARE(still.capturePosition, QString("00:00"));
}

void FFmpegTest::argumentsKeepValuesWhole()
{
    CmdModel model(1);
    model.inputPath = "/v/a \"b\" %3 -y $(rm x) 'c'.mp4";
    model.startSecond = 3;
    model.endSecond = 8;
    const QString text = model.createCmdString();
    // A value holding "%3" is not filled again.
    QVERIFY(text.contains("-i \"/v/a \"b\" %3 -y $(rm x) 'c'.mp4\" -t 5 "));
    const QStringList args = model.arguments();
    QCOMPARE(args.at(args.indexOf("-i") + 1), model.inputPath);
    QCOMPARE(args.last(), model.outputPath);
    QCOMPARE(args.size(), 12);
}

void FFmpegTest::thumbnailOfOddNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("spaces") << "front camera 01.mp4";
    QTest::newRow("double quotes") << "say \"cheese\".mp4";
    QTest::newRow("apostrophe") << "it's.mp4";
    QTest::newRow("command substitution") << "$(touch PWNED) `touch PWNED2`.mp4";
    QTest::newRow("cjk") << "行车记录 前.mp4";
    QTest::newRow("leading dash") << "-y.mp4";
}

void FFmpegTest::thumbnailOfOddNames()
{
    QFETCH(QString, name);
    const QString input = m_dir.filePath(name);
    QFile::remove(input);
    QVERIFY(QFile::copy(m_source, input));
    CmdModel model(0);
    model.inputPath = input;
    // The import worker runs thumbnails itself, with the same program and arguments.
    QProcess ffmpeg;
    ffmpeg.setWorkingDirectory(m_dir.path());
    ffmpeg.start(model.program(), model.arguments());
    QVERIFY(ffmpeg.waitForFinished(60000));
    QCOMPARE(ffmpeg.exitCode(), 0);
    QVERIFY(model.outputPath.startsWith(thumbnailPath() + "/"));
    const Probe p = probe(model.outputPath);
    QVERIFY(p.ok);
    QCOMPARE(p.width, 58);
    QCOMPARE(p.height, 58);
    QVERIFY(!QFile::exists(m_dir.filePath("PWNED")));
    QVERIFY(!QFile::exists(m_dir.filePath("PWNED2")));
}

void FFmpegTest::cutVariants_data()
{
    QTest::addColumn<bool>("is720P");
    QTest::addColumn<bool>("hasVideo");
    QTest::addColumn<bool>("hasAudio");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("height"); // 0: no video stream
    QTest::addColumn<bool>("audio");
    QTest::newRow("original with sound") << false << true << true << "a b.mp4" << 480 << true;
    QTest::newRow("original silent") << false << true << false << "q\"uote.mp4" << 480 << false;
    QTest::newRow("720p with sound") << true << true << true << "$(x).mp4" << 720 << true;
    QTest::newRow("720p silent") << true << true << false << "行车.mp4" << 720 << false;
    QTest::newRow("sound only") << false << false << false << "it's 'x'.mp4" << 0 << true;
}

void FFmpegTest::cutVariants()
{
    QFETCH(bool, is720P);
    QFETCH(bool, hasVideo);
    QFETCH(bool, hasAudio);
    QFETCH(QString, name);
    const QString input = m_dir.filePath(name);
    QFile::remove(input);
    QVERIFY(QFile::copy(m_source, input));

    CmdModel model(1);
    model.inputPath = input;
    model.startSecond = 2;
    model.endSecond = 7;
    model.is720P = is720P;
    model.hasVideo = hasVideo;
    model.hasAudio = hasAudio;
    model.bitRate = "500k";
    const std::optional<bool> ok = runThread(model);
    QVERIFY(ok.has_value());
    QVERIFY(*ok);
    QVERIFY(model.outputPath.startsWith(m_saveDir + "/"));
    QVERIFY(model.outputPath.endsWith(".mp4"));

    const Probe p = probe(model.outputPath);
    QVERIFY(p.ok);
    QVERIFY2(qAbs(p.duration - 5.0) < 0.6, qPrintable(QString::number(p.duration)));
    QTEST(p.hasVideo ? p.height : 0, "height");
    QTEST(p.hasAudio, "audio");
    if (is720P && hasVideo)
        QCOMPARE(p.width, 960);
}

void FFmpegTest::stillCapture()
{
    const QString input = m_dir.filePath("still \"shot\" 写真.mp4");
    QFile::remove(input);
    QVERIFY(QFile::copy(m_source, input));
    CmdModel model(2);
    model.inputPath = input;
    model.capturePosition = "00:04";
    const std::optional<bool> ok = runThread(model);
    QVERIFY(ok.has_value());
    QVERIFY(*ok);
    QVERIFY(model.outputPath.endsWith(".png"));
    const Probe p = probe(model.outputPath);
    QCOMPARE(p.width, 640);
    QCOMPARE(p.height, 480);
}

// Its owner lets go of a job (window closed, program ending): a running
// ffmpeg is killed at once and its half-written cut removed; a thread that
// does not stop keeps its owner waiting a few seconds at most, then deletes
// itself once it ends, never while it runs.
void FFmpegTest::lettingGoOfAJobNeverBlocksLong()
{
    QTemporaryDir bin;
    const QString standIn = bin.filePath("ffmpeg");
    QFile script(standIn);
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\nfor a; do last=$a; done\necho partial > \"$last\"\nexec /bin/sleep 60\n");
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    {
        PathGuard path(QFile::encodeName(bin.path()));
        auto *model = new CmdModel(CmdModel::Cut);
        model->inputPath = m_source;
        model->endSecond = 5;
        ThreadPtr<FFmpegThread> job(new FFmpegThread(model));
        model->setParent(job.get());
        job->start();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(model->outputPath), 10000);
        const QString output = model->outputPath;
        QElapsedTimer clock;
        clock.start();
        job.reset();
        QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!QFile::exists(output));
    }

    ThreadPtr<QThread> stubborn(QThread::create([] { QThread::msleep(4500); }));
    stubborn->start();
    const QPointer<QThread> watched = stubborn.get();
    QElapsedTimer clock;
    clock.start();
    stubborn.reset();
    QVERIFY2(clock.elapsed() >= ThreadDeleter::StopWaitMs - 100 && clock.elapsed() < 4400,
             qPrintable(QString::number(clock.elapsed())));
    QVERIFY(watched);
    QTRY_VERIFY_WITH_TIMEOUT(watched.isNull(), 10000);
}

void FFmpegTest::failuresAreReported()
{
    // A source that does not exist: ffmpeg fails and writes nothing.
    CmdModel missing(1);
    missing.inputPath = m_dir.filePath("absent.mp4");
    missing.endSecond = 5;
    std::optional<bool> ok = runThread(missing);
    QVERIFY(ok.has_value());
    QVERIFY(!*ok);
    QVERIFY(!QFile::exists(missing.outputPath));

    // A file that is not a video: ffmpeg ends with an error code.
    const QString junk = m_dir.filePath("junk.mp4");
    QFile f(junk);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    CmdModel bad(2);
    bad.inputPath = junk;
    ok = runThread(bad);
    QVERIFY(ok.has_value());
    QVERIFY(!*ok);

    // No save folder: nothing runs, nothing lands in the root folder.
    settingsValue(SettingsKeys::SaveFilePath, QString(), true);
    CmdModel unset(2);
    unset.inputPath = m_source;
    ok = runThread(unset);
    settingsValue(SettingsKeys::SaveFilePath, m_saveDir, true);
    QVERIFY(ok.has_value());
    QVERIFY(!*ok);
    QCOMPARE(unset.outputPath, "/source_" + unset.timeSuffix + ".png");
    QVERIFY(!QFile::exists(unset.outputPath));
}

void FFmpegTest::outputSizeIs64Bit()
{
    const QString big = m_dir.filePath("big.mp4");
    QFile f(big);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(qint64(1) << 31)); // sparse: 2 GiB without the disk space
    f.close();
    QVERIFY(FFmpegThread::isOutputWritten(big));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    QVERIFY(!FFmpegThread::isOutputWritten(big));
    QVERIFY(!FFmpegThread::isOutputWritten(m_dir.filePath("nothing.mp4")));
    QFile::remove(big);
}

KELMORA_TEST_MAIN(QCoreApplication, FFmpegTest)
#include "tst_ffmpeg.moc"
