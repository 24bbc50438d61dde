// Time of a whole 60-second 1080p cut with the telemetry overlay against the
// same cut without it (stream copy), both run as the cut dialog runs them.
#include "app/Settings.h"
#include "edit/CutOverlay.h"
#include "library/CmdModel.h"
#include "library/DbModel.h"
#include "library/FFmpegThread.h"
#include "telemetry/GPSTool.h"
#include "tests/fixtures/FixtureTracks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr int Seconds = 60;
const char *const Name = "20230501-130000.mp4";

// Milliseconds of one job, -1 when it failed.
qint64 timed(CmdModel &job)
{
    FFmpegThread thread(&job);
    bool ok = false;
    QObject::connect(&thread, &FFmpegThread::taskFinishedForCutVideo,
                     [&ok](bool isOk) { ok = isOk; });
    QElapsedTimer clock;
    clock.start();
    thread.start();
    thread.wait();
    return ok ? clock.elapsed() : -1;
}

} // namespace

int main(int argc, char *argv[])
{
    // The save folder is a setting: keep the user's own store out of it.
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath("config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(scratch.filePath("data")));
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QString folder = app.arguments().value(1, scratch.path());
    QDir().mkpath(folder);
    RecordingFactory factory(folder);
    if (!QFileInfo::exists(factory.path(Name))) {
        factory.setVideo(1920, 1080, "8000k");
        if (!factory.makeGpsBox(Name, longDrive(Seconds), RecordingFactory::GpsBoxForm::LayoutA,
                                true)) {
            out << "cannot make the recording: " << factory.error() << '\n';
            return 1;
        }
    }
    DbModel model;
    model.path = factory.path(Name);
    model.fileName = Name;
    GPSTool tool;
    tool.parse(model);
    const VideoMessage &record = tool.record;

    const QString saveDir = QDir(scratch.path()).filePath("cuts");
    QDir().mkpath(saveDir);
    Settings::saveFolder().set(saveDir);
    const auto job = [&](const QString &suffix) {
        auto cut = std::make_unique<CmdModel>(CmdModel::Cut);
        cut->inputPath = record.path;
        cut->endSecond = Seconds;
        cut->bitRate = record.videoBitRate;
        cut->timeSuffix = suffix;
        return cut;
    };
    auto plain = job("plain");
    auto overlaid = job("overlay");
    if (!CutOverlay::attachScript(overlaid.get(),
                                  CutOverlay::assScript(record, 0, Seconds, 0, 1))) {
        out << "cannot write the overlay script\n";
        return 1;
    }
    out << "recording: " << record.width << 'x' << record.height << ", " << record.duration
        << " s, " << record.gpsItems.size() << " samples, video " << record.videoBitRate
        << " bit/s\n";
    const qint64 plainMs = timed(*plain);
    out << "cut without overlay (stream copy): " << plainMs << " ms\n";
    out.flush();
    const qint64 overlayMs = timed(*overlaid);
    out << "cut with overlay (re-encoded):     " << overlayMs << " ms\n";
    QFile::remove(plain->outputPath);
    QFile::remove(overlaid->outputPath);
    return plainMs < 0 || overlayMs < 0 ? 1 : 0;
}
