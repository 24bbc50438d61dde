#include "library/ClipFacts.h"

#include "library/RecordClock.h"
#include "library/VideoMessage.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QVector>
#include <algorithm>

ClipFacts ClipFacts::of(const VideoMessage &record)
{
    ClipFacts facts;
    facts.path = record.path;
    facts.channel = channelOf(record.path);
    const QDateTime start = RecordClock::startUtc(record);
    facts.startMs = start.isValid() ? start.toMSecsSinceEpoch() : -1;
    facts.durationMs = std::max<qint64>(0, record.durationM);
    facts.metres = record.trackMetres;

    QVector<QPair<int, const GpsItem *>> fixes;
    for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it) {
        if (it->isDrawable())
            fixes.append({it.key().toInt(), &it.value()});
    }
    std::sort(fixes.begin(), fixes.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    facts.fixes = fixes.size();
    for (const auto &fix : qAsConst(fixes)) {
        const double knots = fix.second->speed.toDouble();
        facts.maxKnots = std::max(facts.maxKnots, knots);
        if (knots >= movingThresholdKnots) {
            facts.movingKnots += knots;
            ++facts.movingSamples;
        }
    }
    if (!fixes.isEmpty()) {
        facts.firstLat = fixes.first().second->latitude.toDouble();
        facts.firstLon = fixes.first().second->longitude.toDouble();
        facts.lastLat = fixes.last().second->latitude.toDouble();
        facts.lastLon = fixes.last().second->longitude.toDouble();
    }
    return facts;
}

QJsonObject ClipFacts::toJson() const
{
    QJsonObject o;
    if (isDated())
        o.insert(QLatin1String("start"),
                 RecordClock::utcText(QDateTime::fromMSecsSinceEpoch(startMs, Qt::UTC)));
    o.insert(QLatin1String("ms"), durationMs);
    o.insert(QLatin1String("metres"), metres);
    o.insert(QLatin1String("maxKnots"), maxKnots);
    o.insert(QLatin1String("movingKnots"), movingKnots);
    o.insert(QLatin1String("movingSamples"), movingSamples);
    o.insert(QLatin1String("fixes"), fixes);
    if (fixes > 0) {
        o.insert(QLatin1String("first"), QJsonArray {firstLat, firstLon});
        o.insert(QLatin1String("last"), QJsonArray {lastLat, lastLon});
    }
    return o;
}

ClipFacts ClipFacts::fromJson(const QString &path, const QJsonObject &o)
{
    ClipFacts facts;
    facts.path = path;
    facts.channel = channelOf(path);
    const QDateTime start = RecordClock::parseUtc(o.value(QLatin1String("start")).toString());
    facts.startMs = start.isValid() ? start.toMSecsSinceEpoch() : -1;
    facts.durationMs = std::max<qint64>(0, o.value(QLatin1String("ms")).toVariant().toLongLong());
    facts.metres = o.value(QLatin1String("metres")).toDouble();
    facts.maxKnots = o.value(QLatin1String("maxKnots")).toDouble();
    facts.movingKnots = o.value(QLatin1String("movingKnots")).toDouble();
    facts.movingSamples = o.value(QLatin1String("movingSamples")).toInt();
    const QJsonArray first = o.value(QLatin1String("first")).toArray();
    const QJsonArray last = o.value(QLatin1String("last")).toArray();
    facts.fixes
        = first.size() == 2 && last.size() == 2 ? o.value(QLatin1String("fixes")).toInt() : 0;
    if (facts.fixes > 0) {
        facts.firstLat = first.at(0).toDouble();
        facts.firstLon = first.at(1).toDouble();
        facts.lastLat = last.at(0).toDouble();
        facts.lastLon = last.at(1).toDouble();
    }
    return facts;
}

QString ClipFacts::channelOf(const QString &path)
{
    const QFileInfo info(path);
    // By hand rather than with a pattern: compiling one for every file of a
    // long list cost more than the rest of the work.
    const QString name = info.fileName();
    QString kept;
    kept.reserve(name.size());
    for (int i = 0; i < name.size();) {
        int end = i;
        while (end < name.size() && name[end] >= QLatin1Char('0') && name[end] <= QLatin1Char('9'))
            ++end;
        if (end - i >= 2)
            i = end; // a number goes; a single digit ("_2") stays
        else
            kept += name[i++];
    }
    return info.path() + QLatin1Char('/') + kept.toLower();
}
