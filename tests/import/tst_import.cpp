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

#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

bool makeClip(const QString &path)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"),
                 {"-y", "-loglevel", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                  "-t", "1", "-pix_fmt", "yuv420p", path});
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0;
}

// Command lines of the running ffmpeg processes whose arguments hold text.
QStringList runningFfmpeg(const QString &text)
{
    QStringList found;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &pid : pids) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!pid.toInt() || !cmdline.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = cmdline.readAll();
        if (line.contains("ffmpeg") && line.contains(text.toUtf8()))
            found << QString::fromUtf8(line);
    }
    return found;
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
    void cancelKillsRunningFfmpegAndKeepsDoneFiles();
    void brokenFilesStoreNothing();
    void hostedPanelClosesItsLayer();
    void crashMidBatchStoresNoneOfIt();
    void threeDFlag_data();
    void threeDFlag();

private:
    QTemporaryDir m_dir;
};

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
    connect(panel.thread(), &MyThread::taskFinishedForThumbPictrue, &panel, [&] {
        // Queued after the panel's own slot, so the panel has updated.
        QMetaObject::invokeMethod(
            &panel,
            [&] {
                values << bar->value();
                texts << text->text();
            },
            Qt::QueuedConnection);
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

void TestImport::cancelKillsRunningFfmpegAndKeepsDoneFiles()
{
    // Ten files; the third is a pipe nobody writes, so its ffmpeg hangs in
    // open() until it is killed, the worst case of a slow file.
    QStringList files;
    for (int i = 1; i <= 10; ++i) {
        const QString path
            = m_dir.filePath(QStringLiteral("cancel_%1.mp4").arg(i, 2, 10, QLatin1Char('0')));
        if (i == 3)
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else if (i < 3)
            QVERIFY(makeClip(path));
        else
            QVERIFY(QFile::copy(files.first(), path));
        files << path;
    }
    AddLoadWidget panel(QStringLiteral("Video is loading"), files);
    // Counted on this thread: a QSignalSpy on the worker's signal would append
    // on the worker while the test reads it.
    int progress = 0;
    connect(panel.thread(), &MyThread::taskFinishedForThumbPictrue, &panel, [&] { ++progress; });
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    QTRY_COMPARE_WITH_TIMEOUT(progress, 2, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!runningFfmpeg(files.at(2)).isEmpty(), 10000);

    QElapsedTimer clock;
    clock.start();
    panel.findChild<QPushButton *>(QStringLiteral("cancelButton"))->click();
    const qint64 cancelMs = clock.elapsed();
    qInfo() << "cancel returned after" << cancelMs << "ms";
    QVERIFY2(cancelMs < 1000, qPrintable(QString::number(cancelMs)));
    QVERIFY(runningFfmpeg(files.at(2)).isEmpty());

    QVERIFY(completed.count() == 1 || completed.wait(5000));
    QCoreApplication::processEvents();
    QCOMPARE(progress, 2);
    QCOMPARE(storedPaths(), files.mid(0, 2));
    QVERIFY(QDir(thumbnailPath()).entryList({"cancel_03*"}).isEmpty());
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
