// Figures for a drive's worth of files: kelmora-telemetry --trip --format gpx
// against exiftool reading the GPS times of the same 100 recordings, one call
// each. Prints figures; never passes or fails.
#include "tests/fixtures/FixtureTracks.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <algorithm>

namespace {

QTextStream out(stdout);

constexpr int files = 100;
constexpr int secondsPerFile = 10;

// File names of a camera clock an hour ahead of the payload's UTC; one
// ten-minute stop after the 50th file, so the drive splits in two trips.
QString nameOf(int index, int *payloadStart)
{
    const int stop = index >= files / 2 ? 600 : 0;
    *payloadStart = index * secondsPerFile + stop;
    const QDateTime camera
        = QDateTime(QDate(2023, 5, 1), QTime(13, 0), Qt::UTC).addSecs(*payloadStart);
    return camera.toString("yyyy_MMdd_HHmmss") + "_F.MOV";
}

struct Run
{
    double ms = -1;
    QByteArray output;
};

// Median wall time of three runs; the output of the last.
Run timed(const QString &program, const QStringList &args)
{
    QVector<double> times;
    Run run;
    for (int i = 0; i < 3; ++i) {
        QProcess process;
        process.setStandardErrorFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(program, args);
        if (!process.waitForFinished(600000))
            return Run();
        times.append(timer.nsecsElapsed() / 1e6);
        run.output = process.readAllStandardOutput();
    }
    std::sort(times.begin(), times.end());
    run.ms = times[1];
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString folder = app.arguments().value(1, QDir::tempPath() + "/kelmora-bench-trip");
    if (folder.contains('_')) {
        QTextStream(stderr) << "the folder must not contain underscores\n";
        return 2;
    }
    QDir().mkpath(folder);
    RecordingFactory factory(folder);
    QStringList paths;
    QElapsedTimer making;
    making.start();
    for (int i = 0; i < files; ++i) {
        int payloadStart = 0;
        const QString name = nameOf(i, &payloadStart);
        paths << factory.path(name);
        if (QFileInfo::exists(paths.last()))
            continue;
        QVector<FixtureSample> samples = longDrive(payloadStart + secondsPerFile);
        samples = samples.mid(payloadStart);
        for (int s = 0; s < samples.size(); ++s) {
            const int t = payloadStart + s;
            samples[s].hour = 12 + t / 3600;
            samples[s].minute = t / 60 % 60;
            samples[s].second = t % 60;
        }
        if (!factory.makeBlockTrack(name, samples, RecordingFactory::BlockMode::SampleSize)) {
            QTextStream(stderr) << factory.error() << '\n';
            return 1;
        }
    }
    out << QString("%1 recordings of %2 s in %3 (made in %4 s)\n")
               .arg(files)
               .arg(secondsPerFile)
               .arg(folder)
               .arg(making.elapsed() / 1000.0, 0, 'f', 1);

    const Run ours
        = timed(KELMORA_TELEMETRY_PROGRAM, QStringList {"--trip", "--format", "gpx"} + paths);
    out << QString("kelmora-telemetry --trip --format gpx: %1 ms, %2 tracks, %3 points\n")
               .arg(ours.ms, 0, 'f', 0)
               .arg(ours.output.count("<trk>"))
               .arg(ours.output.count("<trkpt"));
    const QString exiftool = QStandardPaths::findExecutable("exiftool");
    if (exiftool.isEmpty()) {
        out << "exiftool is not installed\n";
        return 0;
    }
    const Run theirs = timed(exiftool, QStringList {"-ee", "-n", "-GPSDateTime"} + paths);
    out << QString("exiftool -ee -n -GPSDateTime: %1 ms, %2 times\n")
               .arg(theirs.ms, 0, 'f', 0)
               .arg(theirs.output.count("GPS Date/Time"));
    if (ours.ms > 0)
        out << QString("speed-up %1x\n").arg(theirs.ms / ours.ms, 0, 'f', 1);
    return 0;
}
