// kelmora-telemetry: prints the telemetry the player reads from recordings.
#include "app/Helpers.h"
#include "library/DbModel.h"
#include "telemetry/GPSTool.h"
#include "tools/TelemetryExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

extern "C" {
#include <libavutil/log.h>
}

namespace {

void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The parser's debug lines are for the player's log; only real trouble
    // reaches the terminal.
    if (type == QtCriticalMsg || type == QtFatalMsg)
        QTextStream(stderr) << message << '\n';
}

// The library entry the import would make for path (no batch stamp).
DbModel modelFor(const QString &path)
{
    const QFileInfo info(path);
    DbModel model;
    model.fileName = info.fileName();
    model.path = info.absoluteFilePath();
    model.size = fileSizeText(model.path, 2);
    model.is3DVideo = model.fileName.contains(QLatin1Char('F'));
    return model;
}

QString unreadableReason(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("no such file");
    if (!info.isFile())
        return QStringLiteral("not a regular file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return QString();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelmora-telemetry"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELMORA_VERSION));
    qInstallMessageHandler(quietMessages);
    av_log_set_level(AV_LOG_QUIET);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints the GPS and G-sensor telemetry stored in dashcam recordings, read exactly as the "
        "player reads it.\n"
        "\n"
        "Formats:\n"
        "  json  the record the player caches for each file (several files: one JSON array)\n"
        "  gpx   a GPX 1.1 track, one segment per file, one point per stored second;\n"
        "        speed (m/s) and course in the Garmin TrackPointExtension\n"
        "  csv   one header, then per second: second,status (true for a stored valid fix),\n"
        "        latitude,longitude,speed (knots),heading,x,y,z (g),file\n"
        "        (position, speed and heading are empty for seconds without a valid fix)\n"
        "\n"
        "GPX points carry a time only when a sample holds a whole date and time.\n"
        "\n"
        "Exit status: 1 when a file is missing or unreadable (reported on stderr; the other\n"
        "files are still printed), 2 on a usage error, 0 otherwise."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption format(QStringLiteral("format"),
                                    QStringLiteral("Output format: json (default), gpx or csv."),
                                    QStringLiteral("json|gpx|csv"), QStringLiteral("json"));
    parser.addOption(format);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Recordings to read."),
                                 QStringLiteral("FILE..."));
    parser.process(app);

    QTextStream err(stderr);
    const QString kind = parser.value(format);
    if (kind != QLatin1String("json") && kind != QLatin1String("gpx")
        && kind != QLatin1String("csv")) {
        err << "kelmora-telemetry: unknown format '" << kind << "' (use json, gpx or csv)\n";
        return 2;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        err << "kelmora-telemetry: no FILE given (see --help)\n";
        return 2;
    }

    int status = 0;
    QList<VideoMessage> records;
    for (const QString &path : files) {
        const QString reason = unreadableReason(path);
        if (!reason.isEmpty()) {
            err << "kelmora-telemetry: cannot read " << path << ": " << reason << '\n';
            err.flush();
            status = 1;
            continue;
        }
        GPSTool tool;
        tool.parse(modelFor(path));
        records.append(tool.record);
    }
    if (records.isEmpty())
        return status;

    QTextStream out(stdout);
    out.setCodec("UTF-8");
    if (kind == QLatin1String("gpx"))
        out << TelemetryExport::toGpx(records);
    else if (kind == QLatin1String("csv"))
        out << TelemetryExport::toCsv(records);
    else
        out << TelemetryExport::toJson(records, files.size() > 1);
    return status;
}
