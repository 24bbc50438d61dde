// kelmora-telemetry: prints the telemetry the player reads from recordings.
#include "app/Helpers.h"
#include "app/Utf8LocaleCodec.h"
#include "library/DbModel.h"
#include "library/JsonWriter.h"
#include "library/TelemetryEvents.h"
#include "telemetry/GPSTool.h"
#include "telemetry/LibavProbe.h"
#include "telemetry/TelemetryExport.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QTextStream>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

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

// Parses paths on a few threads, one GPSTool per file; the records come back
// in the order of paths, so the output equals that of one file at a time.
// One file alone may take a second thread for its own reading instead.
QList<VideoMessage> parseAll(const QStringList &paths)
{
    QVector<VideoMessage> records(paths.size());
    std::atomic<int> next {0};
    const auto work = [&]() {
        for (int i = next++; i < paths.size(); i = next++) {
            GPSTool tool;
            tool.readAhead = paths.size() == 1;
            tool.parse(modelFor(paths[i]));
            records[i] = tool.record;
        }
    };
    const int workers = paths.size() < 2
        ? paths.size()
        : std::min<int>(paths.size(), std::max(1u, std::thread::hardware_concurrency()));
    std::vector<std::thread> threads;
    for (int i = 1; i < workers; ++i)
        threads.emplace_back(work);
    work();
    for (std::thread &thread : threads)
        thread.join();
    return QList<VideoMessage>(records.cbegin(), records.cend());
}

// The text --help prints above the options.
QString helpDescription(const EventThresholds &defaults)
{
    return QString(
               R"(Prints the GPS and G-sensor telemetry stored in dashcam recordings, read exactly as the player reads it.

Formats:
  json     the record the player caches for each file (several files: one JSON array)
  gpx      a GPX 1.1 track, one segment per file, one point per stored second;
           speed (m/s) and course in the Garmin TrackPointExtension
  csv      one header, then per second: second,status (true for a stored valid fix),
           latitude,longitude,speed (knots),heading,x,y,z (g),file,utc
           (position, speed and heading are empty for seconds without a valid fix)
  geojson  a GeoJSON FeatureCollection, one LineString per file ([lon, lat]) with
           file, start, end and metres, and the UTC time of each position in
           "coordTimes" (null where unknown)

Times are UTC (yyyy-MM-ddTHH:mm:ssZ): the GPS time of a sample, with the day or the
date the payload lacks taken from the camera's start time. A GPS point whose time
cannot be known (a receiver's date before its first fix) carries none: no GPX
<time>, an empty csv utc field, null in coordTimes. Seconds with G-sensor data only
get the camera's start time plus the second, corrected by the measured clock offset.

--trip merges the files into drives (files that follow each other within 5 seconds,
per camera channel; channels recording at the same time join one trip). Only the
lead channel (the one with the most fixes) is written, in playing order. A file
without a known time is a trip of its own, after the others.
  json     an array of trips: start, end, durationSeconds, metres, maxKnots,
           averageMovingKnots, files (every file), lead (the lead channel's files)
  gpx      one track per trip, named by its UTC start, one segment per file
  csv      the rows above plus a last column trip (the trip's number from 1)
  geojson  one feature per trip with the trip's figures as properties

--events prints the driving events found in each file instead of its samples:
braking, acceleration, turn, impact (G-sensor, peak in g) and speeding (GPS, peak
in knots; off unless --speed-limit is given). The gravity axis is found from the
data and the direction of travel from the GPS speed changes.
  json     an array of {file, events: [{kind, second, endSecond, peak}]}
  csv      one header, then per event: file,kind,second,endSecond,peak
Limits (g): --brake-g %1, --accel-g %2, --turn-g %3, --impact-g %4.

Exit status: 1 when a file is missing or unreadable (reported on stderr; the other
files are still printed), 2 on a usage error, 0 otherwise.)")
        .arg(defaults.brakingG, 0, 'f', 2)
        .arg(defaults.accelerationG, 0, 'f', 2)
        .arg(defaults.turnG, 0, 'f', 2)
        .arg(defaults.impactG, 0, 'f', 2);
}

} // namespace

int main(int argc, char *argv[])
{
    // No application object: it would cost a millisecond of a call that
    // takes a dozen, and nothing here needs its event loop. The locale's
    // character set still decides how arguments and file names are decoded,
    // as it would with one; nothing else here reads the C locale.
    Utf8LocaleCodec::install();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QCoreApplication::setApplicationName(QStringLiteral("kelmora-telemetry"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KELMORA_VERSION));
    qInstallMessageHandler(quietMessages);
    // The per-sample lines of the parser are then not even written.
    QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, false);
    LibavProbe::setQuiet();

    const EventThresholds defaults;
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption format(
        QStringLiteral("format"),
        QStringLiteral("Output format: json (default), gpx, csv or geojson."),
        QStringLiteral("json|gpx|csv|geojson"), QStringLiteral("json"));
    parser.addOption(format);
    const QCommandLineOption trip(QStringLiteral("trip"),
                                  QStringLiteral("Merge the files into trips (see above)."));
    parser.addOption(trip);
    const QCommandLineOption events(QStringLiteral("events"),
                                    QStringLiteral("Print the driving events (see above)."));
    parser.addOption(events);
    const struct
    {
        QCommandLineOption option;
        double EventThresholds::*field;
    } limits[] = {
        {{QStringLiteral("brake-g"), QStringLiteral("Harsh braking limit in g."),
          QStringLiteral("g")},
         &EventThresholds::brakingG},
        {{QStringLiteral("accel-g"), QStringLiteral("Harsh acceleration limit in g."),
          QStringLiteral("g")},
         &EventThresholds::accelerationG},
        {{QStringLiteral("turn-g"), QStringLiteral("Sharp turn limit in g."), QStringLiteral("g")},
         &EventThresholds::turnG},
        {{QStringLiteral("impact-g"), QStringLiteral("Impact limit in g."), QStringLiteral("g")},
         &EventThresholds::impactG},
        {{QStringLiteral("speed-limit"),
          QStringLiteral("Speeding above this many knots (default: off)."),
          QStringLiteral("knots")},
         &EventThresholds::speedLimitKnots},
    };
    for (const auto &limit : limits)
        parser.addOption(limit.option);
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Recordings to read."),
                                 QStringLiteral("FILE..."));
    // Made when first needed: a call that goes well writes nothing to it.
    std::optional<QTextStream> errors;
    const auto err = [&errors]() -> QTextStream & {
        if (!errors)
            errors.emplace(stderr);
        return *errors;
    };
    if (!parser.parse(arguments)) {
        err() << "kelmora-telemetry: " << parser.errorText() << " (see --help)\n";
        return 2;
    }
    if (parser.isSet(help)) {
        // The help text names the program from the application's arguments.
        QCoreApplication app(argc, argv);
        parser.setApplicationDescription(helpDescription(defaults));
        parser.showHelp(0);
    }
    if (parser.isSet(version))
        parser.showVersion();
    const QString kind = parser.value(format);
    TelemetryExport::Format chosen = TelemetryExport::Format::Json;
    if (!TelemetryExport::formatFromName(kind, &chosen)) {
        err() << "kelmora-telemetry: unknown format '" << kind
              << "' (use json, gpx, csv or geojson)\n";
        return 2;
    }
    EventThresholds thresholds = defaults;
    for (const auto &limit : limits) {
        if (!parser.isSet(limit.option))
            continue;
        bool ok = false;
        const double value = parser.value(limit.option).toDouble(&ok);
        if (!ok || !(value >= 0)) {
            err() << "kelmora-telemetry: --" << limit.option.names().first()
                  << " needs a number of 0 or more\n";
            return 2;
        }
        thresholds.*limit.field = value;
    }
    if (parser.isSet(events)
        && (parser.isSet(trip)
            || (chosen != TelemetryExport::Format::Json
                && chosen != TelemetryExport::Format::Csv))) {
        err() << "kelmora-telemetry: --events prints json or csv, without --trip\n";
        return 2;
    }
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty()) {
        err() << "kelmora-telemetry: no FILE given (see --help)\n";
        return 2;
    }

    int status = 0;
    QStringList readable;
    for (const QString &path : files) {
        const QString reason = unreadableReason(path);
        if (!reason.isEmpty()) {
            err() << "kelmora-telemetry: cannot read " << path << ": " << reason << '\n';
            err().flush();
            status = 1;
            continue;
        }
        readable.append(path);
    }
    const QList<VideoMessage> records = parseAll(readable);
    if (records.isEmpty())
        return status;

    // Written as it is made: a long JSON text never sits whole in memory.
    bool written = true;
    const auto out = [&written](const QByteArray &text) {
        written = written
            && std::fwrite(text.constData(), 1, size_t(text.size()), stdout) == size_t(text.size());
    };
    if (parser.isSet(events)) {
        QVector<FileEvents> found;
        for (const VideoMessage &record : records)
            found.append({record.path, EventDetector::detect(record, thresholds)});
        out((chosen == TelemetryExport::Format::Csv ? EventDetector::toCsv(found)
                                                    : EventDetector::toJson(found))
                .toUtf8());
    } else if (parser.isSet(trip)) {
        out(TelemetryExport::writeTrips(records, chosen).toUtf8());
    } else if (chosen == TelemetryExport::Format::Json) {
        JsonWriter writer;
        writer.spillTo(out);
        TelemetryExport::writeJson(records, files.size() > 1, writer);
        out(writer.take());
    } else {
        out(TelemetryExport::write(records, chosen).toUtf8());
    }
    if (!written || std::fflush(stdout) != 0) {
        err() << "kelmora-telemetry: cannot write the output\n";
        return 1;
    }
    // The records and Qt's own data are not taken apart one by one: the
    // process ends here, and the system frees it all at once.
    if (errors)
        errors->flush();
    std::_Exit(status);
}
