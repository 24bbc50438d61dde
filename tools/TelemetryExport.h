#pragma once

#include "library/VideoMessage.h"

#include <QList>
#include <QString>

// Text forms of parsed recordings for the command-line exporter.
namespace TelemetryExport {

// One record: exactly VideoMessage::toJson(); several: one JSON array of them.
QString toJson(const QList<VideoMessage> &records, bool asArray);
// A GPX 1.1 document, one track segment per record, one point per stored
// second in time order; speed (m/s) and course go into the Garmin track
// point extension, the one GPX 1.1 readers know.
QString toGpx(const QList<VideoMessage> &records);
// One header, then one row per second of every record.
QString toCsv(const QList<VideoMessage> &records);

// Seconds of a per-second map in time order (its keys sort as text).
QList<int> secondsInOrder(const VideoMessage &record);

} // namespace TelemetryExport
