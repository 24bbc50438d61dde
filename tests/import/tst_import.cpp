#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestHome.h"

#include "app/Helpers.h"
#include "controls/HudDialog.h"
#include "controls/Palette.h"
#include "library/AddLoadWidget.h"
#include "library/CmdModel.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/MyThread.h"
#include "library/ThumbnailMaker.h"

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(ThumbnailResult)

// Named in failure messages.
char *toString(ThumbnailResult result)
{
    static const char *const names[]
        = {"Made", "Reused", "Unreadable", "NotRecording", "NoPicture", "NoTool", "Interrupted"};
    return qstrdup(names[int(result)]);
}

namespace {

bool makeClip(const QString &path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-y", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                  "-t", "1", "-pix_fmt", "yuv420p", path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

QStringList storedPaths()
{
    DbManager::instance()->helper().createTable(DbManager::tableDefinition(DbTableKind::LoadFiles));
    QSqlQuery query(QStringLiteral("SELECT path, time, jsonMessage FROM LoadFiles ORDER BY path"));
    QStringList paths;
    while (query.next())
        paths << query.value(0).toString();
    return paths;
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void threeFilesShowProgressAndStoreRows();
    void existingThumbnailIsReused();
    void cancelIsPromptAndKeepsDoneFiles();
    void brokenFilesStoreNothing();
    void pictureMatchesFfmpeg_data();
    void pictureMatchesFfmpeg();
    void damagedFiles_data();
    void damagedFiles();
    void cancelStopsTheDecode();
    void batchKeepsInputOrderAndSaysWhy_data();
    void batchKeepsInputOrderAndSaysWhy();
    void hostedPanelClosesItsLayer();
    void crashMidBatchStoresNoneOfIt();
    void threeDFlag_data();
    void threeDFlag();

private:
    // A 1-second H.264 clip made once and copied under the given name.
    QString copyOfClip(const QString &name);

    QTemporaryDir m_dir;
    QString m_clip;
};

QString TestImport::copyOfClip(const QString &name)
{
    if (m_clip.isEmpty()) {
        const QString clip = m_dir.filePath(QStringLiteral("source_clip.mp4"));
        if (!makeClip(clip))
            return QString();
        m_clip = clip;
    }
    const QString path = m_dir.filePath(name);
    return QFile::copy(m_clip, path) ? path : QString();
}

void TestImport::init()
{
    QVERIFY(m_dir.isValid());
    DbManager::instance()->helper().createTable(DbManager::tableDefinition(DbTableKind::LoadFiles));
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
}

void TestImport::threeFilesShowProgressAndStoreRows()
{
    QStringList files;
    for (const char *name : {"a b 'q'.mp4", "b_日本.mp4", "c.mp4"}) {
        files << m_dir.filePath(name);
        QVERIFY(makeClip(files.last()));
    }
    AddLoadWidget panel(QStringLiteral("Video is loading"), files);
    auto *bar = panel.findChild<QProgressBar *>(QStringLiteral("progressBar"));
    auto *text = panel.findChild<QLabel *>(QStringLiteral("connectLable"));
    QVERIFY(bar && text);
    QVERIFY(text->text().endsWith(QStringLiteral("0/3")));

    QList<int> values;
    QStringList texts;
    // The bar moves only in this thread's event loop, so nothing is missed
    // however fast the worker is; the line is set before the bar.
    connect(bar, &QProgressBar::valueChanged, &panel, [&](int value) {
        values << value;
        texts << text->text();
    });
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    QVERIFY(completed.wait(60000));
    QCoreApplication::processEvents();
    QCOMPARE(values, (QList<int> {33, 66, 100}));
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    // The bar is drawn full: the accent reaches its right end.
    const QImage shot = panel.grab().toImage();
    QVERIFY(shot.save(screenshotPath("importcut-addload.png")));
    const QPoint barEnd = bar->mapTo(&panel, QPoint(bar->width() - 6, bar->height() / 2));
    QCOMPARE(shot.pixelColor(barEnd), Palette::accent());
    QVERIFY(texts.last().endsWith(QStringLiteral("3/3")));

    QStringList sorted = files;
    sorted.sort();
    QCOMPARE(storedPaths(), sorted);
    for (const QString &file : files) {
        const QImage thumb(QDir(thumbnailPath())
                               .filePath(QFileInfo(file).completeBaseName() + "_"
                                         + QFileInfo(file).suffix() + ".png"));
        if (thumb.isNull()) {
            // The thumbnail name is CmdModel's business; find it by base name.
            const QStringList pngs
                = QDir(thumbnailPath()).entryList({QFileInfo(file).completeBaseName() + "*.png"});
            QCOMPARE(pngs.size(), 1);
            QCOMPARE(QImage(QDir(thumbnailPath()).filePath(pngs.first())).size(), QSize(58, 58));
        } else {
            QCOMPARE(thumb.size(), QSize(58, 58));
        }
    }
    QSqlQuery times(QStringLiteral("SELECT DISTINCT time FROM LoadFiles"));
    QVERIFY(times.next());
    QCOMPARE(times.value(0).toString(), panel.importTime());
    QVERIFY(!times.next());
    QCOMPARE(completed.count(), 1);
}

void TestImport::existingThumbnailIsReused()
{
    // Not a video at all: only an existing thumbnail can make it pass.
    const QString file = m_dir.filePath(QStringLiteral("reuse.mp4"));
    QFile junk(file);
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("not a video");
    junk.close();
    MyThread probe({file});
    probe.start();
    QVERIFY(probe.wait(60000));
    QVERIFY(probe.thumbnailOkFiles.isEmpty());
    const QStringList before = QDir(thumbnailPath()).entryList({"reuse*"});
    QVERIFY(before.isEmpty());

    QVERIFY(makeClip(m_dir.filePath(QStringLiteral("reuse_src.mp4"))));
    MyThread first({m_dir.filePath(QStringLiteral("reuse_src.mp4"))});
    first.start();
    QVERIFY(first.wait(60000));
    const QStringList made = QDir(thumbnailPath()).entryList({"reuse_src*.png"});
    QCOMPARE(made.size(), 1);
    QVERIFY(QFile::copy(QDir(thumbnailPath()).filePath(made.first()),
                        QDir(thumbnailPath()).filePath(CmdModel::thumbnailName(file))));

    AddLoadWidget panel(QStringLiteral("Video is loading"), {file});
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    QVERIFY(completed.wait(10000));
    QCOMPARE(panel.findChild<QProgressBar *>(QStringLiteral("progressBar"))->value(), 100);
    // The installed catalogue may replace the colon; the count is what matters.
    QVERIFY(panel.findChild<QLabel *>(QStringLiteral("connectLable"))->text().endsWith("1/1"));
    QCOMPARE(storedPaths(), QStringList {file});
}

void TestImport::cancelIsPromptAndKeepsDoneFiles()
{
    // Enough 720p files that the cancel lands mid-batch on both workers.
    RecordingFactory factory(m_dir.path());
    factory.setVideo(1280, 720);
    QVERIFY2(factory.makePlain(QStringLiteral("cancel_src.mp4"), 1, false),
             qPrintable(factory.error()));
    QStringList files;
    for (int i = 1; i <= 120; ++i) {
        files << m_dir.filePath(QStringLiteral("cancel_%1.mp4").arg(i, 3, 10, QLatin1Char('0')));
        QVERIFY(QFile::copy(factory.path(QStringLiteral("cancel_src.mp4")), files.last()));
    }
    AddLoadWidget panel(QStringLiteral("Video is loading"), files);
    // Counted on this thread: a QSignalSpy on the worker's signal would append
    // on the worker while the test reads it.
    QStringList reportedOk;
    connect(panel.thread(), &MyThread::taskFinishedForThumbPictrue, &panel,
            [&](bool isOk, const QString &url) {
                if (isOk)
                    reportedOk << url;
            });
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    QTRY_VERIFY_WITH_TIMEOUT(reportedOk.size() >= 3, 60000);

    QElapsedTimer clock;
    clock.start();
    panel.findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    const qint64 cancelMs = clock.elapsed();
    qInfo() << "cancel returned after" << cancelMs << "ms";
    QVERIFY2(cancelMs < 500, qPrintable(QString::number(cancelMs)));
    QVERIFY(panel.thread()->isFinished());

    QVERIFY(completed.count() == 1 || completed.wait(5000));
    QCoreApplication::processEvents();
    QVERIFY2(reportedOk.size() < files.size(), "the batch ended before the cancel");
    // Every file reported done is stored with its picture; nothing else left
    // a picture or a half-written one behind.
    std::sort(reportedOk.begin(), reportedOk.end());
    QCOMPARE(storedPaths(), reportedOk);
    QStringList pictures;
    for (const QString &file : qAsConst(reportedOk))
        pictures << CmdModel::thumbnailName(file);
    pictures.sort();
    QCOMPARE(QDir(thumbnailPath()).entryList({"cancel_*"}, QDir::Files, QDir::Name), pictures);
    QTest::qWait(100);
    QCOMPARE(completed.count(), 1);
}

void TestImport::brokenFilesStoreNothing()
{
    const QString missing = m_dir.filePath(QStringLiteral("gone.mp4"));
    const QString junk = m_dir.filePath(QStringLiteral("junk \"x\".mp4"));
    QFile file(junk);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    AddLoadWidget panel(QStringLiteral("Video is loading"), {missing, junk});
    QList<bool> results;
    connect(panel.thread(), &MyThread::taskFinishedForThumbPictrue, &panel,
            [&](bool isOk) { results << isOk; });
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    QVERIFY(completed.wait(60000));
    QCoreApplication::processEvents();
    QCOMPARE(results, (QList<bool> {false, false}));
    QVERIFY(storedPaths().isEmpty());
}

void TestImport::hostedPanelClosesItsLayer()
{
    QVERIFY(makeClip(m_dir.filePath(QStringLiteral("hosted.mp4"))));
    QWidget host;
    host.resize(800, 600);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    auto *panel = new AddLoadWidget(QStringLiteral("Video is loading"),
                                    {m_dir.filePath(QStringLiteral("hosted.mp4"))});
    QPointer<HudDialog> layer = new HudDialog(panel, &host);
    layer->show();
    QSignalSpy finished(layer.data(), &HudDialog::sendLoadingFinished);
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.count(), 1);
    QTRY_VERIFY(!layer || !layer->isVisible());
    QCOMPARE(storedPaths(), QStringList {m_dir.filePath(QStringLiteral("hosted.mp4"))});
}

void TestImport::crashMidBatchStoresNoneOfIt()
{
    QStringList files;
    for (const char *name : {"crash_1.mp4", "crash_2.mp4", "crash_3.mp4"}) {
        files << m_dir.filePath(name);
        QVERIFY(makeClip(files.last()));
    }
    QProcess importer;
    importer.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    importer.start(QCoreApplication::applicationDirPath() + "/tst_import_crasher", files);
    QVERIFY(importer.waitForFinished(120000));
    QCOMPARE(importer.exitStatus(), QProcess::CrashExit);

    QSqlQuery check(QStringLiteral("PRAGMA integrity_check"));
    QVERIFY(check.next());
    QCOMPARE(check.value(0).toString(), QStringLiteral("ok"));
    QVERIFY(storedPaths().isEmpty()); // two rows were written, none survive

    // The thumbnails made before the crash are reused by the next import.
    AddLoadWidget panel(QStringLiteral("Video is loading"), files);
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    QVERIFY(completed.wait(60000));
    QCOMPARE(storedPaths(), files);
}

void TestImport::pictureMatchesFfmpeg_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("encoder");
    QTest::addColumn<QSize>("size");
    QTest::newRow("H.264 mp4 1080p") << "same_264.mp4"
                                     << "libx264" << QSize(1920, 1080);
    QTest::newRow("H.264 mov odd size") << "same_264.mov"
                                        << "libx264" << QSize(350, 202);
    QTest::newRow("H.264 MPEG-TS") << "same_264.ts"
                                   << "libx264" << QSize(640, 360);
    QTest::newRow("HEVC mp4") << "same_265.mp4"
                              << "libx265" << QSize(320, 240);
    QTest::newRow("MPEG-4 part 2 mov") << "same_mp4v.mov"
                                       << "mpeg4" << QSize(176, 144);
}

// Our picture against the one the ffmpeg command makes from the same file.
void TestImport::pictureMatchesFfmpeg()
{
    QFETCH(QString, name);
    QFETCH(QString, encoder);
    QFETCH(QSize, size);
    RecordingFactory factory(m_dir.path());
    factory.setEncoder(encoder);
    factory.setVideo(size.width(), size.height());
    QVERIFY2(factory.makePlain(name, 1, false), qPrintable(factory.error()));
    const QString file = factory.path(name);
    const QString ours = m_dir.filePath(name + ".ours.png");
    const QString theirs = m_dir.filePath(name + ".ffmpeg.png");
    QCOMPARE(ThumbnailMaker::makeAt(file, ours), ThumbnailResult::Made);
    QProcess ffmpeg;
    ffmpeg.start(RecordingFactory::ffmpegProgram(),
                 {"-v", "error", "-i", file, "-vframes", "1", "-s", "58*58", "-y", theirs});
    QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);

    const QImage a = QImage(ours).convertToFormat(QImage::Format_RGB888);
    const QImage b = QImage(theirs).convertToFormat(QImage::Format_RGB888);
    QCOMPARE(a.size(), QSize(58, 58));
    QCOMPARE(b.size(), QSize(58, 58));
    double sum[3] = {0, 0, 0};
    int largest = 0;
    for (int y = 0; y < 58; ++y) {
        const uchar *p = a.constScanLine(y);
        const uchar *q = b.constScanLine(y);
        for (int x = 0; x < 58 * 3; ++x) {
            const int d = qAbs(int(p[x]) - int(q[x]));
            sum[x % 3] += d;
            largest = qMax(largest, d);
        }
    }
    const double mean = qMax(sum[0], qMax(sum[1], sum[2])) / (58 * 58);
    qInfo("%s: mean difference %.3f (worst channel), largest %d", qPrintable(name), mean, largest);
    QVERIFY2(mean <= 1.0, qPrintable(QString::number(mean)));
    QVERIFY2(largest <= 16, qPrintable(QString::number(largest)));
}

void TestImport::damagedFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<ThumbnailResult>("expected");
    QTest::newRow("missing") << "missing" << ThumbnailResult::Unreadable;
    QTest::newRow("zero bytes") << "empty" << ThumbnailResult::Unreadable;
    QTest::newRow("folder named x.mp4") << "folder" << ThumbnailResult::Unreadable;
    QTest::newRow("pipe") << "pipe" << ThumbnailResult::Unreadable;
    QTest::newRow("random bytes") << "random" << ThumbnailResult::NotRecording;
    QTest::newRow("audio only") << "audio" << ThumbnailResult::NotRecording;
    QTest::newRow("cut before its index") << "cut early" << ThumbnailResult::NotRecording;
    QTest::newRow("cut after its index") << "cut after index" << ThumbnailResult::NoPicture;
    QTest::newRow("picture data scrambled") << "scrambled" << ThumbnailResult::NoPicture;
    QTest::newRow("MPEG-TS cut after its tables") << "ts cut 4" << ThumbnailResult::NoPicture;
    // The first picture half there: ffmpeg shows what decodes of it, and so do we.
    QTest::newRow("MPEG-TS cut in its first picture") << "ts cut 8" << ThumbnailResult::Made;
}

// Each damage gives its own result, no picture and no left-over file.
void TestImport::damagedFiles()
{
    QFETCH(QString, kind);
    QFETCH(ThumbnailResult, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath("x.mp4");
    const QString target = dir.filePath("thumbnail/x.png");
    QVERIFY(QDir().mkpath(dir.filePath("thumbnail")));
    RecordingFactory factory(dir.path());
    const auto makeFastStart = [&]() -> QByteArray {
        // Index first, as cameras that record for streaming write it.
        QProcess ffmpeg;
        ffmpeg.start(RecordingFactory::ffmpegProgram(),
                     {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=320x240:rate=30:duration=1",
                      "-c:v", "libx264", "-pix_fmt", "yuv420p", "-movflags", "+faststart", "-y",
                      dir.filePath("fast.mp4")});
        if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0)
            return {};
        QFile made(dir.filePath("fast.mp4"));
        return made.open(QIODevice::ReadOnly) ? made.readAll() : QByteArray();
    };
    const auto write = [&](const QByteArray &bytes) {
        QFile out(file);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    };
    if (kind == "empty") {
        QVERIFY(write({}));
    } else if (kind == "folder") {
        QVERIFY(QDir().mkpath(file));
    } else if (kind == "pipe") {
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (kind == "random") {
        QByteArray bytes(256 * 1024, Qt::Uninitialized);
        QRandomGenerator generator(7);
        generator.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        QVERIFY(write(bytes));
    } else if (kind == "audio") {
        QProcess ffmpeg;
        ffmpeg.start(RecordingFactory::ffmpegProgram(),
                     {"-v", "error", "-f", "lavfi", "-i", "sine=duration=1", "-y", file});
        QVERIFY(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0);
    } else if (kind == "cut early") {
        // ffmpeg writes the index last: a recording cut short by a power loss.
        QVERIFY(makeClip(dir.filePath("whole.mp4")));
        QFile whole(dir.filePath("whole.mp4"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QVERIFY(write(whole.readAll().left(int(whole.size() / 2))));
    } else if (kind == "cut after index" || kind == "scrambled") {
        QByteArray bytes = makeFastStart();
        const int data = bytes.indexOf("mdat");
        QVERIFY(data > 0 && bytes.indexOf("moov") < data);
        if (kind == "cut after index") {
            bytes.truncate(data + 12);
        } else {
            QRandomGenerator generator(11);
            for (int i = data + 4; i < bytes.size(); ++i)
                bytes[i] = char(generator.bounded(256));
        }
        QVERIFY(write(bytes));
    } else if (kind.startsWith("ts cut")) {
        factory.setVideo(640, 360);
        QVERIFY(factory.makeTransportStream("whole.ts", 1));
        QFile whole(factory.path("whole.ts"));
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QVERIFY(write(whole.read(188 * kind.section(' ', 2).toInt())));
    }

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ThumbnailMaker::makeAt(file, target), expected);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    const QStringList left
        = QDir(dir.filePath("thumbnail")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (expected == ThumbnailResult::Made) {
        QCOMPARE(left, QStringList {"x.png"});
        QCOMPARE(QImage(target).size(), QSize(58, 58));
    } else {
        QCOMPARE(left, QStringList());
        QVERIFY(!ThumbnailMaker::reasonText(expected).isEmpty());
    }
}

void TestImport::cancelStopsTheDecode()
{
    const QString file = copyOfClip(QStringLiteral("cancelled.mp4"));
    QVERIFY(!file.isEmpty());
    const QString target = m_dir.filePath(QStringLiteral("cancelled.png"));
    int calls = 0;
    QCOMPARE(ThumbnailMaker::makeAt(file, m_dir.filePath("counted.png"), [&] { return !++calls; }),
             ThumbnailResult::Made);
    // Cancelled inside the open, the reads, and right before the picture is written.
    for (int allowed : {0, 1, calls / 2, calls - 1}) {
        int asked = 0;
        const ThumbnailResult result
            = ThumbnailMaker::makeAt(file, target, [&] { return ++asked > allowed; });
        QCOMPARE(result, ThumbnailResult::Interrupted);
        QVERIFY(!QFile::exists(target));
    }
    QCOMPARE(ThumbnailMaker::makeAt(file, target, [] { return false; }), ThumbnailResult::Made);
    QCOMPARE(ThumbnailMaker::makeAt(file, target), ThumbnailResult::Reused);
}

void TestImport::batchKeepsInputOrderAndSaysWhy_data()
{
    QTest::addColumn<int>("workers");
    QTest::newRow("one worker") << 1;
    QTest::newRow("three workers") << 3;
}

void TestImport::batchKeepsInputOrderAndSaysWhy()
{
    QFETCH(int, workers);
    const QString tag = QString::number(workers);
    QStringList files;
    QStringList good;
    for (int i = 0; i < 8; ++i) {
        good << copyOfClip(QStringLiteral("order%1_%2.mp4").arg(tag).arg(i));
        QVERIFY(!good.last().isEmpty());
    }
    const QString junk = m_dir.filePath("order" + tag + "_junk.mp4");
    QFile out(junk);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(QByteArray(8192, 'j')) == 8192);
    out.close();
    const QString folder = m_dir.filePath("order" + tag + "_folder.mp4");
    QVERIFY(QDir().mkpath(folder));
    const QString missing = m_dir.filePath("order" + tag + "_missing.mp4");
    files << good.mid(0, 3) << junk << good.mid(3, 2) << folder << missing << good.mid(5);

    MyThread batch(files, nullptr, workers);
    QList<int> sorts;
    connect(&batch, &MyThread::taskFinishedForThumbPictrue, this,
            [&](bool, const QString &, int sort) { sorts << sort; });
    QSignalSpy finished(&batch, &QThread::finished);
    batch.start();
    QVERIFY(finished.wait(60000));
    QCoreApplication::processEvents();

    QCOMPARE(batch.thumbnailOkFiles, good);
    const QList<QPair<QString, ThumbnailResult>> failed {{junk, ThumbnailResult::NotRecording},
                                                         {folder, ThumbnailResult::Unreadable},
                                                         {missing, ThumbnailResult::Unreadable}};
    QCOMPARE(batch.failedFiles, failed);
    QVERIFY(batch.noToolFiles.isEmpty());
    QList<int> counted;
    for (int i = 1; i <= files.size(); ++i)
        counted << i;
    QCOMPARE(sorts, counted);
    for (const QString &file : qAsConst(good))
        QVERIFY(QFile::exists(QDir(thumbnailPath()).filePath(CmdModel::thumbnailName(file))));
}

void TestImport::threeDFlag_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("is3D");
    // A front camera's "F" says nothing: the telemetry decides on first play.
    QTest::newRow("front") << "20240101_120000_F.MP4" << false;
    QTest::newRow("rear") << "20240101_120000_R.MP4" << false;
    QTest::newRow("lower f") << "20240101_120000_f.mp4" << false;
    QTest::newRow("numbered") << "FILE0001.MP4" << false;
}

void TestImport::threeDFlag()
{
    QFETCH(QString, name);
    QFETCH(bool, is3D);
    DbModel model;
    model.fromJsonMessage(AddLoadWidget::rowFor(m_dir.filePath(name), "20240101120000000")
                              .value(QStringLiteral("jsonMessage")));
    QCOMPARE(model.is3DVideo, is3D);
}

KELMORA_TEST_MAIN(QApplication, TestImport)
#include "tst_import.moc"
