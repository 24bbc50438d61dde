// Figures for the MP4 index reader against libavformat's probe (open and
// find_stream_info) on 3-minute 1920x1080 recordings: time and bytes read.
// Prints figures; never passes or fails.
#include "bench_common.h"
#include "telemetry/Mp4Probe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>

extern "C" {
#include <libavformat/avformat.h>
}

namespace {

QTextStream out(stdout);

bool libavProbe(const QString &path)
{
    AVFormatContext *ctx = nullptr;
    if (avformat_open_input(&ctx, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return false;
    const bool ok = avformat_find_stream_info(ctx, nullptr) >= 0;
    avformat_close_input(&ctx);
    return ok;
}

template<typename Probe> void measure(const QString &name, Probe probe)
{
    QVector<double> times;
    qint64 bytes = 0;
    for (int i = 0; i < 11; ++i) {
        const qint64 before = bytesRead();
        QElapsedTimer timer;
        timer.start();
        probe();
        times.append(timer.nsecsElapsed() / 1e6);
        bytes = bytesRead() - before;
    }
    std::sort(times.begin(), times.end());
    out << QString("  %1: %2 ms (median of 11), %3 KB read\n")
               .arg(name)
               .arg(times[times.size() / 2], 0, 'f', 3)
               .arg(bytes / 1024.0, 0, 'f', 1);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    av_log_set_level(AV_LOG_QUIET);
    const QStringList args = app.arguments();
    const QString folder = args.size() > 1 ? args[1] : QStringLiteral("bench-recordings");

    // The same recordings bench_telemetry makes, so one folder serves both.
    BenchRecordings made;
    const QString error = makeBenchRecordings(folder, &made);
    if (!error.isEmpty()) {
        out << "cannot make the recording: " << error << '\n';
        return 1;
    }
    for (const QString &file : {made.binary, made.gpsBox}) {
        out << "\n== " << QFileInfo(file).fileName()
            << QString(" (%1 MB)\n").arg(QFileInfo(file).size() / 1048576.0, 0, 'f', 1);
        libavProbe(file); // warm the page cache
        measure("libavformat open + find_stream_info", [&] { libavProbe(file); });
        measure("Mp4Probe::probe", [&] { Mp4Probe::probe(file); });
        const std::optional<MediaProbe> probe = Mp4Probe::probe(file);
        for (int i = 0; probe && i < probe->streams.size(); ++i) {
            if (probe->streams[i].kind == MediaStream::Kind::Data)
                measure(QString("Mp4Probe::samples of stream %1").arg(i),
                        [&] { Mp4Probe::samples(file, i, 200000); });
        }
        out.flush();
    }
    return 0;
}
