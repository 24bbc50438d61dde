// Figures for the library store and the record JSON form.
#include "app/Helpers.h"
#include "app/LogToFile.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/RecordClock.h"
#include "library/TelemetryEvents.h"
#include "library/TripBuilder.h"
#include "library/VideoMessage.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

// Set by main: the real log file instead of the silent handler.
bool g_realLog = false;

void fillLoadFiles(int rows)
{
    DbManager *db = DbManager::instance();
    db->deleteAllData(DbTableKind::LoadFiles);
    // One transaction for the set-up only; the store itself commits row by row.
    QSqlDatabase::database().transaction();
    for (int i = 0; i < rows; ++i) {
        DbModel d;
        d.fileName = QStringLiteral("2024%1_120000_F.MP4").arg(i, 6, 10, QLatin1Char('0'));
        d.path = QStringLiteral("/media/dashcam/DCIM/Movie/") + d.fileName;
        d.time = QStringLiteral("20240101120000%1").arg(i % 1000, 3, 10, QLatin1Char('0'));
        d.size = QStringLiteral("187.5");
        d.width = QStringLiteral("1920");
        d.height = QStringLiteral("1080");
        d.insertToDb();
    }
    QSqlDatabase::database().commit();
}

void BM_SelectDbModels(benchmark::State &state)
{
    const int rows = int(state.range(0));
    fillLoadFiles(rows);
    int got = 0;
    for (auto _ : state) {
        DbManager::instance()->selectDbModels(
            DbTableKind::LoadFiles, 0, {}, {},
            [&](QList<DbModel *> models, bool) { got = models.size(); });
    }
    if (got != rows)
        state.SkipWithError("wrong row count");
}
BENCHMARK(BM_SelectDbModels)->Arg(10000)->Unit(benchmark::kMillisecond);

VideoMessage hourRecord()
{
    VideoMessage m;
    m.path = QStringLiteral("/media/dashcam/20240101_120000_F.MP4");
    m.fileName = QStringLiteral("20240101_120000_F.MP4");
    m.duration = QStringLiteral("3600");
    m.durationM = 3600000;
    m.gpsTotailNum = 3600;
    for (int i = 0; i < 3600; ++i) {
        GpsItem g;
        g.hour = QString::number(12 + i / 3600);
        g.minute = QString::number(i / 60 % 60);
        g.second = QString::number(i % 60);
        g.year = QStringLiteral("2024");
        g.month = QStringLiteral("01");
        g.day = QStringLiteral("01");
        g.status = true;
        g.nsind = QStringLiteral("N");
        g.ewind = QStringLiteral("E");
        g.reservd = QStringLiteral("A");
        g.speed = QString::number(30.0 + (i % 17) * 0.5, 'f', 3);
        g.angle = float(i % 360);
        g.latitude = QString::number(35.681236 + i * 1e-4, 'f', 6);
        g.longitude = QString::number(139.767125 + i * 1e-4, 'f', 6);
        g.x = 0.01f * float(i % 7);
        g.y = -0.02f;
        g.z = 0.98f;
        const QString key = QString::number(i);
        m.gpsItems.insert(key, g);
        m.gsensorItems.insert(
            key, {QString::number(g.x, 'g', 6), QStringLiteral("-0.02"), QStringLiteral("0.98")});
    }
    return m;
}

void BM_VideoMessageFromJson(benchmark::State &state)
{
    const QString json = hourRecord().toJson();
    state.counters["bytes"] = json.toUtf8().size();
    for (auto _ : state) {
        VideoMessage m;
        m.fromJson(json);
        benchmark::DoNotOptimize(m.gpsItems.size());
    }
}
BENCHMARK(BM_VideoMessageFromJson)->Unit(benchmark::kMillisecond);

void BM_VideoMessageToJson(benchmark::State &state)
{
    const VideoMessage m = hourRecord();
    for (auto _ : state) {
        const QString json = m.toJson();
        benchmark::DoNotOptimize(json.size());
    }
}
BENCHMARK(BM_VideoMessageToJson)->Unit(benchmark::kMillisecond);

// A card's worth of facts: two channels of one-minute files in drives of 50
// minutes with an hour's break between them.
QVector<ClipFacts> libraryFacts(int recordings)
{
    QVector<ClipFacts> facts;
    const qint64 base = QDateTime(QDate(2024, 1, 1), QTime(8, 0), Qt::UTC).toMSecsSinceEpoch();
    for (int i = 0; i < recordings; ++i) {
        const int moment = i / 2;
        ClipFacts f;
        const qint64 start = base + qint64(moment / 50) * 110 * 60000 + qint64(moment % 50) * 60000;
        f.path = QStringLiteral("/media/dashcam/DCIM/Movie/%1_%2.MP4")
                     .arg(start / 1000)
                     .arg(i % 2 ? 'R' : 'F');
        f.channel = ClipFacts::channelOf(f.path);
        f.startMs = start;
        f.durationMs = 60000;
        f.metres = 1000;
        f.maxKnots = 40;
        f.movingKnots = 60 * 35;
        f.movingSamples = 60;
        f.fixes = 60;
        facts.append(f);
    }
    return facts;
}

void BM_GroupTrips(benchmark::State &state)
{
    const QVector<ClipFacts> facts = libraryFacts(int(state.range(0)));
    int trips = 0;
    for (auto _ : state)
        trips = TripBuilder::group(facts).size();
    state.counters["trips"] = trips;
}
BENCHMARK(BM_GroupTrips)->Arg(10000)->Unit(benchmark::kMillisecond);

// From the library file to trips: the rows with their facts read from
// SQLite, then grouped.
void BM_LoadAndGroupTrips(benchmark::State &state)
{
    const int rows = int(state.range(0));
    DbManager *db = DbManager::instance();
    db->deleteAllData(DbTableKind::LoadFiles);
    QSqlDatabase::database().transaction();
    for (const ClipFacts &f : libraryFacts(rows)) {
        DbModel d;
        d.path = f.path;
        d.fileName = QFileInfo(f.path).fileName();
        d.size = QStringLiteral("187.5");
        d.clip = f;
        d.hasClip = true;
        d.insertToDb();
    }
    QSqlDatabase::database().commit();
    int trips = 0;
    for (auto _ : state) {
        db->selectDbModels(DbTableKind::LoadFiles, 0, {}, {}, [&](QList<DbModel *> models, bool) {
            QVector<ClipFacts> facts;
            facts.reserve(models.size());
            for (const DbModel *m : models)
                facts.append(m->clip);
            trips = TripBuilder::group(facts).size();
        });
    }
    state.counters["trips"] = trips;
}
BENCHMARK(BM_LoadAndGroupTrips)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_RecordClockOfAnHour(benchmark::State &state)
{
    VideoMessage m = hourRecord();
    for (auto _ : state) {
        RecordClock::apply(m);
        benchmark::DoNotOptimize(m.trackMetres);
    }
}
BENCHMARK(BM_RecordClockOfAnHour)->Unit(benchmark::kMillisecond);

// Events of an hour's drive with a hard braking every five minutes and the
// speed drop that goes with it, so the axis search has something to find.
void BM_EventsOfAnHour(benchmark::State &state)
{
    VideoMessage m = hourRecord();
    for (int i = 150; i < 3600; i += 300) {
        const QString key = QString::number(i);
        m.gsensorItems[key][0] = QStringLiteral("-0.5");
        m.gpsItems[key].speed = QStringLiteral("20.000");
    }
    int events = 0;
    for (auto _ : state) {
        events = EventDetector::detect(m, EventThresholds()).size();
        benchmark::DoNotOptimize(events);
    }
    state.counters["events"] = events;
}
BENCHMARK(BM_EventsOfAnHour)->Unit(benchmark::kMillisecond);

} // namespace

// --real-log sends every debug line to a log file, as the player does;
// otherwise they are dropped and only the library's own work is timed.
int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    QCoreApplication app(argc, argv);
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        if (qstrcmp(argv[i], "--real-log") == 0)
            g_realLog = true;
        else
            args.push_back(argv[i]);
    }
    int count = int(args.size());
    std::unique_ptr<LogToFile> log;
    if (g_realLog)
        log = std::make_unique<LogToFile>(QDir(appDataPath()).filePath(QStringLiteral("log.txt")));
    else
        qInstallMessageHandler(quiet);
    benchmark::Initialize(&count, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
