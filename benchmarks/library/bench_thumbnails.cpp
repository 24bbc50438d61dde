// Import thumbnails: 300 sequential runs of the ffmpeg command the import used
// to run, against MyThread over the same files with one worker and with one
// per core, and against the whole import (thumbnails and library rows in a
// real SQLite file), in the same run. Figures only, never pass/fail.
// Usage: bench_thumbnails [CACHE_FOLDER [FILES]]
// The 1080p recordings are made once in CACHE_FOLDER (a few distinct ones,
// hard-linked under distinct names: thumbnails go by file name) and reused.
#include "app/Helpers.h"
#include "library/AddLoadWidget.h"
#include "library/DbManager.h"
#include "library/MyThread.h"
#include "tests/fixtures/RecordingFactory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <unistd.h>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

constexpr int Sources = 6;

QStringList recordings(const QString &cache, int count)
{
    RecordingFactory factory(cache);
    factory.setVideo(1920, 1080);
    QStringList sources;
    for (int i = 0; i < Sources; ++i) {
        const QString name = QStringLiteral("source_%1.mp4").arg(i);
        if (!QFile::exists(factory.path(name))) {
            std::printf("making %s\n", qPrintable(factory.path(name)));
            std::fflush(stdout);
            if (!factory.makePlain(name, 2, false)) {
                std::fprintf(stderr, "%s\n", qPrintable(factory.error()));
                return {};
            }
        }
        sources << factory.path(name);
    }
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString file
            = QDir(cache).filePath(QStringLiteral("rec_%1.mp4").arg(i, 4, 10, QLatin1Char('0')));
        const QString &source = sources.at(i % Sources);
        if (!QFile::exists(file)
            && ::link(QFile::encodeName(source).constData(), QFile::encodeName(file).constData())
                != 0
            && !QFile::copy(source, file))
            return {};
        files << file;
    }
    return files;
}

double bareFfmpeg(const QStringList &files, const QString &out)
{
    QElapsedTimer clock;
    clock.start();
    for (const QString &file : files) {
        QProcess ffmpeg;
        ffmpeg.setProcessChannelMode(QProcess::MergedChannels);
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-i", file, "-vframes", "1", "-s", "58*58", "-y", out});
        ffmpeg.waitForFinished(60000);
    }
    return clock.nsecsElapsed() / 1e9;
}

double batch(const QStringList &files, int workers, int &made)
{
    QDir(thumbnailPath()).removeRecursively();
    QElapsedTimer clock;
    clock.start();
    MyThread thread(files, nullptr, workers);
    thread.start();
    thread.wait();
    const double seconds = clock.nsecsElapsed() / 1e9;
    made = thread.thumbnailOkFiles.size();
    return seconds;
}

// The import panel as the file list starts it, until its rows are stored.
double import(const QStringList &files, int &stored)
{
    QDir(thumbnailPath()).removeRecursively();
    DbManager::instance();
    QElapsedTimer clock;
    clock.start();
    AddLoadWidget panel(QStringLiteral("Video is loading"), files);
    QEventLoop loop;
    QObject::connect(&panel, &AddLoadWidget::sendLoadingCompleted, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = clock.nsecsElapsed() / 1e9;
    stored = panel.storedCount();
    return seconds;
}

} // namespace

int main(int argc, char *argv[])
{
    // A throw-away app-data folder: the user's thumbnails are never touched.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("data")));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString cache = args.value(1, QDir::temp().filePath("kelmora-thumbnail-bench"));
    const int count = args.value(2, "300").toInt();
    QDir().mkpath(cache);
    const QStringList files = recordings(cache, count);
    if (files.isEmpty())
        return 1;
    qInstallMessageHandler(quiet);
    for (const QString &file : files) { // every run starts with the files cached
        QFile in(file);
        if (in.open(QIODevice::ReadOnly))
            in.readAll();
    }

    const int cores = qMax(1, QThread::idealThreadCount());
    std::printf("%d recordings 1920x1080, 2 s, H.264; %d cores\n", count, cores);
    const double bare = bareFfmpeg(files, home.filePath("out.png"));
    std::printf("sequential ffmpeg runs: %7.2f s\n", bare);
    QList<int> counts {1};
    if (cores > 1)
        counts << cores;
    double one = 0;
    for (int workers : qAsConst(counts)) {
        int made = 0;
        const double seconds = batch(files, workers, made);
        if (workers == 1)
            one = seconds;
        std::printf("MyThread, %d worker(s):  %7.2f s  (%d thumbnails)  ratio to ffmpeg %.3f"
                    "  speed-up over 1 worker %.2f\n",
                    workers, seconds, made, seconds / bare, one / seconds);
    }
    int stored = 0;
    const double whole = import(files, stored);
    std::printf("whole import, %d worker(s): %7.2f s  (%d rows)  ratio to ffmpeg %.3f\n", cores,
                whole, stored, whole / bare);
    return 0;
}
