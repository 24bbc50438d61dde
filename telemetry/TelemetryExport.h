#pragma once

#include "library/TripBuilder.h"
#include "library/VideoMessage.h"

#include <QList>
#include <QString>
#include <QVector>

class JsonWriter;

// Text forms of parsed recordings, for the command-line exporter and the
// player's "Export track".
namespace TelemetryExport {

enum class Format { Json, Gpx, Csv, GeoJson };

// "json", "gpx", "csv", "geojson"; false for any other name.
bool formatFromName(const QString &name, Format *format);

// One record: exactly VideoMessage::toJson(); several: one JSON array of them.
QString toJson(const QList<VideoMessage> &records, bool asArray);
// The same, as UTF-8 into writer.
void writeJson(const QList<VideoMessage> &records, bool asArray, JsonWriter &writer);
// A GPX 1.1 document, one track segment per record, one point per stored
// second in time order, with the sample's UTC time where it is known; speed
// (m/s) and course go into the Garmin track point extension, the one GPX 1.1
// readers know.
QString toGpx(const QList<VideoMessage> &records);
// One header, then one row per second of every record; the last column is
// the second's UTC time.
QString toCsv(const QList<VideoMessage> &records);
// A GeoJSON FeatureCollection, one LineString per record with fixes (a Point
// for a single fix), its times in the "coordTimes" property.
QString toGeoJson(const QList<VideoMessage> &records);
// The form `format` of records; json as an array when there are several.
QString write(const QList<VideoMessage> &records, Format format);

// The records grouped into drives (TripBuilder over ClipFacts::of of each).
QVector<Trip> tripsOf(const QList<VideoMessage> &records);
// The same forms per trip. Only the lead channel's records are written:
// the other channels repeat its track. Trips index into records.
QString tripsToJson(const QList<VideoMessage> &records, const QVector<Trip> &trips);
QString tripsToGpx(const QList<VideoMessage> &records, const QVector<Trip> &trips);
QString tripsToCsv(const QList<VideoMessage> &records, const QVector<Trip> &trips);
QString tripsToGeoJson(const QList<VideoMessage> &records, const QVector<Trip> &trips);
QString writeTrips(const QList<VideoMessage> &records, Format format);

// Seconds of a per-second map in time order (its keys sort as text).
QList<int> secondsInOrder(const VideoMessage &record);

} // namespace TelemetryExport
