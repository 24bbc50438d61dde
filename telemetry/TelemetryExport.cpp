#include "telemetry/TelemetryExport.h"

#include "library/ClipFacts.h"
#include "library/JsonWriter.h"
#include "library/RecordClock.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double metresPerSecondPerKnot = 1852.0 / 3600.0;

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QJsonValue utcValue(const QDateTime &utc)
{
    return utc.isValid() ? QJsonValue(RecordClock::utcText(utc)) : QJsonValue(QJsonValue::Null);
}

QJsonValue utcValue(qint64 ms)
{
    return ms >= 0 ? utcValue(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC))
                   : QJsonValue(QJsonValue::Null);
}

double rounded(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) / scale;
}

void startGpx(QXmlStreamWriter &xml)
{
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeNamespace(QStringLiteral("http://www.garmin.com/xmlschemas/TrackPointExtension/v2"),
                       QStringLiteral("gpxtpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("kelmora-telemetry"));
}

void writeSegment(QXmlStreamWriter &xml, const VideoMessage &record)
{
    xml.writeStartElement(QStringLiteral("trkseg"));
    for (int second : TelemetryExport::secondsInOrder(record)) {
        const auto it = record.gpsItems.constFind(QString::number(second));
        if (it == record.gpsItems.cend())
            continue;
        const GpsItem &item = it.value();
        xml.writeStartElement(QStringLiteral("trkpt"));
        xml.writeAttribute(QStringLiteral("lat"), item.latitude);
        xml.writeAttribute(QStringLiteral("lon"), item.longitude);
        if (!item.utcTime.isEmpty())
            xml.writeTextElement(QStringLiteral("time"), item.utcTime);
        xml.writeStartElement(QStringLiteral("extensions"));
        xml.writeStartElement(QStringLiteral("gpxtpx:TrackPointExtension"));
        xml.writeTextElement(
            QStringLiteral("gpxtpx:speed"),
            QString::number(item.speed.toDouble() * metresPerSecondPerKnot, 'f', 3));
        xml.writeTextElement(QStringLiteral("gpxtpx:course"),
                             QString::number(double(item.angle), 'f', 1));
        xml.writeEndElement();
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

QString endGpx(QXmlStreamWriter &xml, QString &text)
{
    xml.writeEndElement();
    xml.writeEndDocument();
    return text;
}

// Rows of one record; `tail` (with its comma) ends every row.
void appendCsvRows(QString &text, const VideoMessage &record, const QString &tail)
{
    for (int second : TelemetryExport::secondsInOrder(record)) {
        const QString key = QString::number(second);
        const GpsItem item = record.gpsItems.value(key);
        const bool stored = record.gpsItems.contains(key);
        const QStringList g = record.gsensorItems.value(key);
        // A stored sample keeps its own verdict: an impossible date stays
        // unknown rather than taking the camera's guess.
        QString utc = item.utcTime;
        if (!stored) {
            const QDateTime when = RecordClock::timeAt(record, second);
            utc = when.isValid() ? RecordClock::utcText(when) : QString();
        }
        const QStringList row
            = {key,
               stored && item.status ? QStringLiteral("true") : QStringLiteral("false"),
               stored ? item.latitude : QString(),
               stored ? item.longitude : QString(),
               stored ? item.speed : QString(),
               stored ? QString::number(double(item.angle), 'g', 6) : QString(),
               g.value(0),
               g.value(1),
               g.value(2),
               csvField(record.path),
               utc};
        text += row.join(QLatin1Char(',')) + tail + QLatin1Char('\n');
    }
}

const QString csvHeader
    = QStringLiteral("second,status,latitude,longitude,speed,heading,x,y,z,file,utc");

// The drawable fixes of records in order, as GeoJSON positions and times.
struct Line
{
    QJsonArray coordinates;
    QJsonArray times;
};

void appendFixes(Line &line, const VideoMessage &record)
{
    for (int second : TelemetryExport::secondsInOrder(record)) {
        const auto it = record.gpsItems.constFind(QString::number(second));
        if (it == record.gpsItems.cend() || !it->isDrawable())
            continue;
        line.coordinates.append(QJsonArray {it->longitude.toDouble(), it->latitude.toDouble()});
        line.times.append(it->utcTime.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                : QJsonValue(it->utcTime));
    }
}

// A feature of the line; none for a line without fixes. RFC 7946 wants two
// positions for a LineString, so a single fix becomes a Point.
bool appendFeature(QJsonArray &features, const Line &line, QJsonObject properties)
{
    if (line.coordinates.isEmpty())
        return false;
    const bool single = line.coordinates.size() == 1;
    const QJsonObject geometry {
        {QStringLiteral("type"), single ? QStringLiteral("Point") : QStringLiteral("LineString")},
        {QStringLiteral("coordinates"),
         single ? line.coordinates.first() : QJsonValue(line.coordinates)}};
    properties.insert(QStringLiteral("coordTimes"), line.times);
    features.append(QJsonObject {{QStringLiteral("type"), QStringLiteral("Feature")},
                                 {QStringLiteral("geometry"), geometry},
                                 {QStringLiteral("properties"), properties}});
    return true;
}

QString featureCollection(const QJsonArray &features)
{
    const QJsonObject collection {{QStringLiteral("type"), QStringLiteral("FeatureCollection")},
                                  {QStringLiteral("features"), features}};
    return QString::fromUtf8(QJsonDocument(collection).toJson());
}

QJsonObject tripObject(const QList<VideoMessage> &records, const Trip &trip)
{
    QJsonArray files;
    for (int index : trip.clips)
        files.append(records[index].path);
    QJsonArray lead;
    for (int index : trip.leadClips)
        lead.append(records[index].path);
    return {{QStringLiteral("start"), utcValue(trip.startMs)},
            {QStringLiteral("end"), utcValue(trip.endMs)},
            {QStringLiteral("durationSeconds"), double(trip.durationMs() / 1000)},
            {QStringLiteral("metres"), rounded(trip.metres, 1)},
            {QStringLiteral("maxKnots"), rounded(trip.maxKnots, 3)},
            {QStringLiteral("averageMovingKnots"), rounded(trip.averageMovingKnots, 3)},
            {QStringLiteral("files"), files},
            {QStringLiteral("lead"), lead}};
}

} // namespace

namespace TelemetryExport {

bool formatFromName(const QString &name, Format *format)
{
    static const QPair<const char *, Format> names[] = {{"json", Format::Json},
                                                        {"gpx", Format::Gpx},
                                                        {"csv", Format::Csv},
                                                        {"geojson", Format::GeoJson}};
    for (const auto &entry : names) {
        if (name == QLatin1String(entry.first)) {
            *format = entry.second;
            return true;
        }
    }
    return false;
}

QList<int> secondsInOrder(const VideoMessage &record)
{
    QSet<int> seconds;
    for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it)
        seconds.insert(it.key().toInt());
    for (auto it = record.gsensorItems.cbegin(); it != record.gsensorItems.cend(); ++it)
        seconds.insert(it.key().toInt());
    QList<int> ordered = seconds.values();
    std::sort(ordered.begin(), ordered.end());
    return ordered;
}

QString toJson(const QList<VideoMessage> &records, bool asArray)
{
    JsonWriter writer;
    writeJson(records, asArray, writer);
    return QString::fromUtf8(writer.take());
}

void writeJson(const QList<VideoMessage> &records, bool asArray, JsonWriter &writer)
{
    if (!asArray) {
        if (!records.isEmpty())
            records.first().writeJson(writer);
        return;
    }
    writer.beginArray();
    for (const VideoMessage &record : records)
        record.writeJson(writer);
    writer.endArray();
}

QString toGpx(const QList<VideoMessage> &records)
{
    QString text;
    QXmlStreamWriter xml(&text);
    startGpx(xml);
    xml.writeStartElement(QStringLiteral("trk"));
    xml.writeTextElement(QStringLiteral("name"),
                         records.size() == 1 ? records.first().fileName
                                             : QStringLiteral("kelmora-telemetry"));
    for (const VideoMessage &record : records)
        writeSegment(xml, record);
    xml.writeEndElement();
    return endGpx(xml, text);
}

QString toCsv(const QList<VideoMessage> &records)
{
    QString text = csvHeader + QLatin1Char('\n');
    for (const VideoMessage &record : records)
        appendCsvRows(text, record, QString());
    return text;
}

QString toGeoJson(const QList<VideoMessage> &records)
{
    QJsonArray features;
    for (const VideoMessage &record : records) {
        Line line;
        appendFixes(line, record);
        const QDateTime start = RecordClock::startUtc(record);
        appendFeature(features, line,
                      {{QStringLiteral("file"), record.fileName},
                       {QStringLiteral("start"), utcValue(start)},
                       {QStringLiteral("end"),
                        utcValue(start.isValid() ? start.addMSecs(record.durationM) : start)},
                       {QStringLiteral("metres"), rounded(record.trackMetres, 1)}});
    }
    return featureCollection(features);
}

QString write(const QList<VideoMessage> &records, Format format)
{
    switch (format) {
    case Format::Gpx:
        return toGpx(records);
    case Format::Csv:
        return toCsv(records);
    case Format::GeoJson:
        return toGeoJson(records);
    case Format::Json:
        break;
    }
    return toJson(records, records.size() > 1);
}

QVector<Trip> tripsOf(const QList<VideoMessage> &records)
{
    QVector<ClipFacts> facts;
    facts.reserve(records.size());
    for (const VideoMessage &record : records)
        facts.append(ClipFacts::of(record));
    return TripBuilder::group(facts);
}

QString tripsToJson(const QList<VideoMessage> &records, const QVector<Trip> &trips)
{
    QJsonArray array;
    for (const Trip &trip : trips)
        array.append(tripObject(records, trip));
    return QString::fromUtf8(QJsonDocument(array).toJson());
}

QString tripsToGpx(const QList<VideoMessage> &records, const QVector<Trip> &trips)
{
    QString text;
    QXmlStreamWriter xml(&text);
    startGpx(xml);
    for (const Trip &trip : trips) {
        xml.writeStartElement(QStringLiteral("trk"));
        // An undated trip is a single recording: its name tells it apart.
        xml.writeTextElement(QStringLiteral("name"),
                             trip.dated() ? utcValue(trip.startMs).toString()
                                          : records[trip.leadClips.value(0)].fileName);
        for (int index : trip.leadClips)
            writeSegment(xml, records[index]);
        xml.writeEndElement();
    }
    return endGpx(xml, text);
}

QString tripsToCsv(const QList<VideoMessage> &records, const QVector<Trip> &trips)
{
    QString text = csvHeader + QStringLiteral(",trip\n");
    for (int number = 0; number < trips.size(); ++number) {
        const QString tail = QLatin1Char(',') + QString::number(number + 1);
        for (int index : trips[number].leadClips)
            appendCsvRows(text, records[index], tail);
    }
    return text;
}

QString tripsToGeoJson(const QList<VideoMessage> &records, const QVector<Trip> &trips)
{
    QJsonArray features;
    for (const Trip &trip : trips) {
        Line line;
        for (int index : trip.leadClips)
            appendFixes(line, records[index]);
        appendFeature(features, line, tripObject(records, trip));
    }
    return featureCollection(features);
}

QString writeTrips(const QList<VideoMessage> &records, Format format)
{
    const QVector<Trip> trips = tripsOf(records);
    switch (format) {
    case Format::Gpx:
        return tripsToGpx(records, trips);
    case Format::Csv:
        return tripsToCsv(records, trips);
    case Format::GeoJson:
        return tripsToGeoJson(records, trips);
    case Format::Json:
        break;
    }
    return tripsToJson(records, trips);
}

} // namespace TelemetryExport
