// Figures for the telemetry readers on a 3-minute 1920x1080 recording:
// kelmora-telemetry against exiftool, where the time goes, and the bytes the
// data-stream reader reads. Prints figures; never passes or fails.
#include "bench_common.h"
#include "library/DbModel.h"
#include "telemetry/GPSTool.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>

extern "C" {
#include <libavutil/log.h>
}

namespace {

QTextStream out(stdout);

double medianMs(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// Median wall time of a program run, output discarded.
double runMs(const QString &program, const QStringList &args, int runs)
{
    QVector<double> times;
    for (int i = 0; i < runs; ++i) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(program, args);
        if (!process.waitForFinished(600000))
            return -1;
        times.append(timer.nsecsElapsed() / 1e6);
    }
    return medianMs(times);
}

DbModel modelFor(const QString &path)
{
    DbModel model;
    model.path = QFileInfo(path).absoluteFilePath();
    model.fileName = QFileInfo(path).fileName();
    return model;
}

void compare(const QString &file)
{
    const QString exporter = QStringLiteral(KELMORA_TELEMETRY_PROGRAM);
    const double size = QFileInfo(file).size();
    out << "\n== " << QFileInfo(file).fileName()
        << QString(" (%1 MB)\n").arg(size / 1048576.0, 0, 'f', 1);

    // Warm the page cache so both programs read from memory.
    runMs(exporter, {file}, 1);
    const double start = runMs(exporter, {"--format", "json", "/nonexistent"}, 5);
    const double ours = runMs(exporter, {"--format", "json", file}, 5);
    out << QString("kelmora-telemetry --format json: %1 ms (process start and Qt alone: %2 ms)\n")
               .arg(ours, 0, 'f', 1)
               .arg(start, 0, 'f', 1);

    QVector<double> probe, whole;
    qint64 readerBytes = 0;
    qint64 probeBytes = 0;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        GPSTool tool;
        timer.start();
        tool.probeMedia(file);
        probe.append(timer.nsecsElapsed() / 1e6);
        timer.restart();
        GPSTool full;
        full.parse(modelFor(file));
        whole.append(timer.nsecsElapsed() / 1e6);
    }
    {
        // The counter sees no reads made in batches: the same reads again,
        // one at a time.
        qputenv("KELMORA_BATCHED_READS", "0");
        GPSTool tool;
        const qint64 before = bytesRead();
        tool.probeMedia(file);
        probeBytes = bytesRead() - before;
        GPSTool full;
        const qint64 beforeParse = bytesRead();
        full.parse(modelFor(file));
        readerBytes = bytesRead() - beforeParse - probeBytes;
        qunsetenv("KELMORA_BATCHED_READS");
    }
    out << QString("  in process: probe %1 ms, whole parse %2 ms (reading about %3 ms)\n")
               .arg(medianMs(probe), 0, 'f', 1)
               .arg(medianMs(whole), 0, 'f', 1)
               .arg(medianMs(whole) - medianMs(probe), 0, 'f', 1);
    out << QString("  bytes read: probe %1 KB, reader %2 KB = %3 % of the file\n")
               .arg(probeBytes / 1024)
               .arg(readerBytes / 1024)
               .arg(100.0 * readerBytes / size, 0, 'f', 2);

    const QString exiftool = QStandardPaths::findExecutable("exiftool");
    if (exiftool.isEmpty()) {
        out << "exiftool not installed: no comparison\n";
        return;
    }
    const double theirs = runMs(exiftool, {"-ee", "-n", file}, 3);
    out << QString("exiftool -ee -n: %1 ms\n").arg(theirs, 0, 'f', 1);
    out << QString("speed-up: %1x\n").arg(theirs / ours, 0, 'f', 1);

    // Ten files in one call: the start-up of either program counts once.
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << file;
    const double oursTen = runMs(exporter, QStringList({"--format", "json"}) + ten, 3);
    const double theirsTen = runMs(exiftool, QStringList({"-ee", "-n"}) + ten, 3);
    out << QString("ten files in one call: kelmora-telemetry %1 ms, exiftool %2 ms, speed-up %3x\n")
               .arg(oursTen, 0, 'f', 1)
               .arg(theirsTen, 0, 'f', 1)
               .arg(theirsTen / oursTen, 0, 'f', 1);
    out.flush();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    av_log_set_level(AV_LOG_QUIET);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    const QStringList args = app.arguments();
    const QString folder = args.size() > 1 ? args[1] : QStringLiteral("bench-recordings");
    // tool_vs_exiftool.sh only needs the recordings.
    const bool makeOnly = args.size() > 2 && args[2] == QLatin1String("--make-only");

    QElapsedTimer timer;
    timer.start();
    BenchRecordings made;
    const QString error = makeBenchRecordings(folder, &made);
    if (!error.isEmpty()) {
        out << "cannot make the recording: " << error << '\n';
        return 1;
    }
    out << QString("recordings ready in %1 s\n").arg(timer.elapsed() / 1000.0, 0, 'f', 1);
    if (makeOnly)
        return 0;
    compare(made.binary);
    compare(made.gpsBox);
    compare(made.blocks);
    return 0;
}
