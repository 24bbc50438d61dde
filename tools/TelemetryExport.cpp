#include "tools/TelemetryExport.h"

#include <QDate>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTime>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double metresPerSecondPerKnot = 1852.0 / 3600.0;

// UTC time of a sample, invalid unless it carries a whole date and time.
QDateTime sampleTime(const GpsItem &item)
{
    bool ok[6];
    const int values[6]
        = {item.year.toInt(&ok[0]), item.month.toInt(&ok[1]),  item.day.toInt(&ok[2]),
           item.hour.toInt(&ok[3]), item.minute.toInt(&ok[4]), item.second.toInt(&ok[5])};
    if (!std::all_of(ok, ok + 6, [](bool b) { return b; }))
        return QDateTime();
    const QDate date(values[0], values[1], values[2]);
    const QTime time(values[3], values[4], values[5]);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

namespace TelemetryExport {

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
    if (!asArray)
        return records.isEmpty() ? QString() : records.first().toJson();
    QJsonArray array;
    for (const VideoMessage &record : records)
        array.append(QJsonDocument::fromJson(record.toJson().toUtf8()).object());
    return QString::fromUtf8(QJsonDocument(array).toJson());
}

QString toGpx(const QList<VideoMessage> &records)
{
    QString text;
    QXmlStreamWriter xml(&text);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeNamespace(QStringLiteral("http://www.garmin.com/xmlschemas/TrackPointExtension/v2"),
                       QStringLiteral("gpxtpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("kelmora-telemetry"));
    xml.writeStartElement(QStringLiteral("trk"));
    xml.writeTextElement(QStringLiteral("name"),
                         records.size() == 1 ? records.first().fileName
                                             : QStringLiteral("kelmora-telemetry"));
    for (const VideoMessage &record : records) {
        xml.writeStartElement(QStringLiteral("trkseg"));
        for (int second : secondsInOrder(record)) {
            const auto it = record.gpsItems.constFind(QString::number(second));
            if (it == record.gpsItems.cend())
                continue;
            const GpsItem &item = it.value();
            xml.writeStartElement(QStringLiteral("trkpt"));
            xml.writeAttribute(QStringLiteral("lat"), item.latitude);
            xml.writeAttribute(QStringLiteral("lon"), item.longitude);
            const QDateTime when = sampleTime(item);
            if (when.isValid())
                xml.writeTextElement(QStringLiteral("time"), when.toString(Qt::ISODate));
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
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return text;
}

QString toCsv(const QList<VideoMessage> &records)
{
    QString text = QStringLiteral("second,status,latitude,longitude,speed,heading,x,y,z,file\n");
    for (const VideoMessage &record : records) {
        for (int second : secondsInOrder(record)) {
            const QString key = QString::number(second);
            const GpsItem item = record.gpsItems.value(key);
            const bool stored = record.gpsItems.contains(key);
            const QStringList g = record.gsensorItems.value(key);
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
                   csvField(record.path)};
            text += row.join(QLatin1Char(',')) + QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace TelemetryExport
