#include "library/RecordClock.h"

#include "app/Helpers.h"
#include "library/GreatCircle.h"
#include "library/VideoMessage.h"

#include <QVector>
#include <algorithm>
#include <cstdlib>

namespace RecordClock {

namespace {

// A day settled from the camera's clock must land this close to the
// payload's time of day; more is a camera clock that jumped.
constexpr qint64 maxDriftSeconds = 2 * 3600;

// Zone-less date and time as seconds since 1970 (a "naive" reading).
qint64 naive(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
}

QDateTime fromNaive(qint64 seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
}

enum class Kind { NoDate, DayMissing, Whole, Impossible };

struct PayloadTime
{
    Kind kind = Kind::NoDate;
    int year = 0, month = 0, day = 0;
    QTime time;
};

bool isZeroOrEmpty(const QString &text)
{
    return text.isEmpty() || text.toLongLong() == 0;
}

PayloadTime payloadTime(const GpsItem &item)
{
    PayloadTime p;
    // A payload without its date writes nothing or zeros there.
    if (isZeroOrEmpty(item.year) && isZeroOrEmpty(item.month) && isZeroOrEmpty(item.day))
        return p;
    p.kind = Kind::Impossible;
    bool ok[5];
    p.year = item.year.toInt(&ok[0]);
    p.month = item.month.toInt(&ok[1]);
    const int h = item.hour.toInt(&ok[2]);
    const int m = item.minute.toInt(&ok[3]);
    const int s = item.second.toInt(&ok[4]);
    if (!std::all_of(ok, ok + 5, [](bool b) { return b; }))
        return p;
    if (p.year < firstYear || p.year > lastYear || p.month < 1 || p.month > 12)
        return p;
    p.time = QTime(h, m, s);
    if (!p.time.isValid())
        return p;
    if (isZeroOrEmpty(item.day)) {
        p.kind = Kind::DayMissing;
        return p;
    }
    bool dayOk = false;
    p.day = item.day.toInt(&dayOk);
    if (dayOk && QDate(p.year, p.month, p.day).isValid())
        p.kind = Kind::Whole;
    return p;
}

// The payload's time of day on the day nearest to `around` (naive seconds)
// whose year and month are the payload's; -1 when no such day lies within
// maxDistance. Between two days in reach, the one whose distance is nearest
// `preferred` wins: zones beyond twelve hours reach both.
qint64 nearestDay(const PayloadTime &p, qint64 around, qint64 maxDistance, qint64 preferred = 0)
{
    const QDate middle = fromNaive(around).date();
    qint64 best = -1;
    for (int d = -1; d <= 1; ++d) {
        const QDate date = middle.addDays(d);
        if (date.year() != p.year || date.month() != p.month)
            continue;
        const qint64 candidate = naive(date, p.time);
        if (std::llabs(candidate - around) > maxDistance)
            continue;
        if (best < 0
            || std::llabs(around - candidate - preferred) < std::llabs(around - best - preferred))
            best = candidate;
    }
    return best;
}

QDateTime containerTime(const QString &text)
{
    if (text.isEmpty())
        return QDateTime();
    QDateTime t = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!t.isValid())
        t = QDateTime::fromString(text, Qt::ISODate);
    if (!t.isValid())
        return QDateTime();
    // Cameras write their own clock here whatever the zone mark says; read
    // the digits as written, like a file name's.
    const QDateTime asWritten(
        t.date(), QTime(t.time().hour(), t.time().minute(), t.time().second()), Qt::UTC);
    // Containers written without a clock say 1904 or 1970.
    if (asWritten.date().year() < firstYear)
        return QDateTime();
    return asWritten;
}

// The camera's start corrected by its offset; invalid without a start.
QDateTime cameraStartUtc(const VideoMessage &record)
{
    const QDateTime start = QDateTime::fromString(record.startTime, Qt::ISODate);
    if (!start.isValid())
        return QDateTime();
    return QDateTime(start.date(), start.time(), Qt::UTC).addSecs(-qint64(record.clockOffset) * 60);
}

int localZoneMinutes(qint64 cameraStart)
{
    const QDateTime start = fromNaive(cameraStart);
    return QDateTime(start.date(), start.time(), Qt::LocalTime).offsetFromUtc() / 60;
}

bool isDigitAt(const QString &text, int at)
{
    return at >= 0 && at < text.size() && text[at] >= QLatin1Char('0')
        && text[at] <= QLatin1Char('9');
}

// The value of the count ASCII digits at *at, moving past them; -1 when
// they are not there.
int digitsAt(const QString &text, int *at, int count)
{
    int value = 0;
    for (int i = 0; i < count; ++i, ++*at) {
        if (!isDigitAt(text, *at))
            return -1;
        value = value * 10 + (text[*at].unicode() - '0');
    }
    return value;
}

// Moves *at past one of separators, if it stands there.
void skipOne(const QString &text, int *at, QLatin1String separators)
{
    if (*at < text.size() && separators.contains(text[*at]))
        ++*at;
}

// The fields a file-name layout gives.
struct NameMatch
{
    int year = -1, month = -1, day = -1, hour = -1, minute = -1, second = -1;
};

// Each layout matches at start, not inside a longer run of digits, and sets
// *end to where the match ends.
// yyyy[-_]MM[-_]dd[-_T ]HH[-_.]mm[-_.]ss with yyyy from 2000.
bool matchLong(const QString &name, int start, NameMatch *m, int *end)
{
    int at = start;
    if (isDigitAt(name, start - 1) || !name.midRef(start).startsWith(QLatin1String("20")))
        return false;
    m->year = digitsAt(name, &at, 4);
    skipOne(name, &at, QLatin1String("-_"));
    m->month = digitsAt(name, &at, 2);
    skipOne(name, &at, QLatin1String("-_"));
    m->day = digitsAt(name, &at, 2);
    skipOne(name, &at, QLatin1String("-_T "));
    m->hour = digitsAt(name, &at, 2);
    skipOne(name, &at, QLatin1String("-_."));
    m->minute = digitsAt(name, &at, 2);
    skipOne(name, &at, QLatin1String("-_."));
    m->second = digitsAt(name, &at, 2);
    *end = at;
    return m->month >= 0 && m->day >= 0 && m->hour >= 0 && m->minute >= 0 && m->second >= 0
        && !isDigitAt(name, at);
}

// yyMMdd[-_]HHmmss.
bool matchShort(const QString &name, int start, NameMatch *m, int *end)
{
    int at = start;
    if (isDigitAt(name, start - 1))
        return false;
    m->year = digitsAt(name, &at, 2);
    m->month = digitsAt(name, &at, 2);
    m->day = digitsAt(name, &at, 2);
    if (m->day < 0 || at >= name.size()
        || (name[at] != QLatin1Char('-') && name[at] != QLatin1Char('_')))
        return false;
    ++at;
    m->hour = digitsAt(name, &at, 2);
    m->minute = digitsAt(name, &at, 2);
    m->second = digitsAt(name, &at, 2);
    *end = at;
    if (m->year >= 0)
        m->year += 2000;
    return m->year >= 0 && m->second >= 0 && !isDigitAt(name, at);
}

} // namespace

QDateTime nameTime(const QString &fileName)
{
    // Each layout in turn, searched from the left: a match that is no real
    // date and time is passed over as a whole. (Written out rather than as
    // regular expressions: compiling those took a quarter of a millisecond
    // for each file read.)
    for (const auto match : {matchLong, matchShort}) {
        for (int start = 0; start < fileName.size();) {
            NameMatch m;
            int end = start;
            if (!match(fileName, start, &m, &end)) {
                ++start;
                continue;
            }
            const QDate date(m.year, m.month, m.day);
            const QTime time(m.hour, m.minute, m.second);
            if (date.isValid() && time.isValid() && m.year >= firstYear)
                return QDateTime(date, time, Qt::UTC);
            start = end;
        }
    }
    return QDateTime();
}

void apply(VideoMessage &record)
{
    QDateTime start = nameTime(record.fileName);
    if (!start.isValid())
        start = containerTime(record.creationTime);
    record.startTime = isoDateTimeText(start);
    const bool hasStart = start.isValid();
    const qint64 startSeconds = hasStart ? start.toSecsSinceEpoch() : 0;

    struct Entry
    {
        GpsItem *item;
        int second;
        PayloadTime payload;
    };
    QVector<Entry> entries;
    entries.reserve(record.gpsItems.size());
    for (auto it = record.gpsItems.begin(); it != record.gpsItems.end(); ++it)
        entries.append({&it.value(), it.key().toInt(), payloadTime(it.value())});

    // Camera clock minus GPS time, from every sample that has both.
    QVector<qint64> differences;
    // A camera is most likely set to its owner's zone.
    const qint64 likelyOffset = hasStart ? qint64(localZoneMinutes(startSeconds)) * 60 : 0;
    if (hasStart) {
        for (const Entry &e : entries) {
            const qint64 camera = startSeconds + e.second;
            const qint64 limit = maxOffsetMinutes * 60 + maxDriftSeconds;
            qint64 gps = -1;
            if (e.payload.kind == Kind::Whole)
                gps = naive(QDate(e.payload.year, e.payload.month, e.payload.day), e.payload.time);
            else if (e.payload.kind == Kind::DayMissing)
                gps = nearestDay(e.payload, camera, limit, likelyOffset);
            if (gps >= 0 && std::llabs(camera - gps) <= limit)
                differences.append(camera - gps);
        }
    }
    const bool measured = !differences.isEmpty();
    int offsetMinutes = 0;
    if (measured) {
        std::nth_element(differences.begin(), differences.begin() + differences.size() / 2,
                         differences.end());
        const qint64 median = differences[differences.size() / 2];
        const qint64 quarters = qint64(std::llround(double(median) / 900.0));
        offsetMinutes = int(quarters * 15);
        if (std::abs(offsetMinutes) > maxOffsetMinutes)
            offsetMinutes = offsetMinutes > 0 ? maxOffsetMinutes : -maxOffsetMinutes;
    } else if (hasStart) {
        // Nothing to measure against: a camera is set to the owner's zone.
        offsetMinutes = localZoneMinutes(startSeconds);
    }

    int undated = 0;
    for (const Entry &e : entries) {
        qint64 utc = -1;
        switch (e.payload.kind) {
        case Kind::Whole:
            utc = naive(QDate(e.payload.year, e.payload.month, e.payload.day), e.payload.time);
            break;
        case Kind::DayMissing:
            if (measured)
                utc = nearestDay(e.payload, startSeconds + e.second - qint64(offsetMinutes) * 60,
                                 maxDriftSeconds);
            break;
        case Kind::NoDate:
            if (hasStart)
                utc = startSeconds + e.second - qint64(offsetMinutes) * 60;
            break;
        case Kind::Impossible:
            break;
        }
        e.item->utcTime = utc >= 0 ? utcText(fromNaive(utc)) : QString();
        if (utc < 0)
            ++undated;
    }

    record.clockOffset = offsetMinutes;
    record.clockOffsetKnown = measured;
    record.undatedSamples = undated;
    record.clockVersion = 1;

    // Stored fixes in time order (the map's keys sort as text).
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.second < b.second; });
    double metres = 0;
    const GpsItem *previous = nullptr;
    for (const Entry &e : entries) {
        if (!e.item->isDrawable())
            continue;
        if (previous)
            metres += GreatCircle::metres(
                previous->latitude.toDouble(), previous->longitude.toDouble(),
                e.item->latitude.toDouble(), e.item->longitude.toDouble());
        previous = e.item;
    }
    record.trackMetres = metres;
}

QDateTime startUtc(const VideoMessage &record)
{
    for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it) {
        const QDateTime t = parseUtc(it.value().utcTime);
        if (t.isValid())
            return t.addSecs(-it.key().toInt());
    }
    return cameraStartUtc(record);
}

QDateTime timeAt(const VideoMessage &record, int second)
{
    const auto it = record.gpsItems.constFind(QString::number(second));
    if (it != record.gpsItems.cend()) {
        const QDateTime t = parseUtc(it.value().utcTime);
        if (t.isValid())
            return t;
    }
    const QDateTime start = cameraStartUtc(record);
    return start.isValid() ? start.addSecs(second) : QDateTime();
}

QString offsetText(int minutes)
{
    const int magnitude = std::abs(minutes);
    return QStringLiteral("%1%2:%3")
        .arg(minutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

QString localText(const VideoMessage &record, const QDateTime &utc)
{
    if (!utc.isValid())
        return QString();
    return utc.toUTC()
        .addSecs(qint64(record.clockOffset) * 60)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString utcText(const QDateTime &utc)
{
    return utc.isValid() ? isoDateTimeText(utc.toUTC()) + QLatin1Char('Z') : QString();
}

QDateTime parseUtc(const QString &text)
{
    if (text.isEmpty())
        return QDateTime();
    QDateTime t = QDateTime::fromString(text, Qt::ISODate);
    if (t.isValid())
        t = t.toUTC();
    return t;
}

} // namespace RecordClock
