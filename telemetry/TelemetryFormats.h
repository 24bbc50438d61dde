#pragma once

#include "library/GpsItem.h"

#include <QByteArray>
#include <QString>

// Decoders of the per-sample payloads cameras store: pure functions from
// bytes to one GpsItem, shared by the readers of GPSTool, the fuzz targets
// and the exporter's tests. Record fields are little-endian.
namespace TelemetryFormats {

constexpr int textBufferSize = 160;
constexpr int binaryRecordSize = 276;
constexpr int layoutASize = 232;
constexpr int gpsBoxRecordSize = 248;

// Signed decimal degrees with 6 decimals; "0" for a zero value or an unknown
// hemisphere letter.
QString toSignedDegrees(const QString &value, const QString &hemisphere);
// ddmm.mmmm / dddmm.mmmm to signed decimal degrees, computed in single
// precision as the cameras' own viewers do.
QString nmeaToDegrees(const QString &value, const QString &hemisphere);

// One packet of a subtitle stream in the comma-separated text format.
GpsItem decodeTextSample(const QByteArray &packet);
// One packet of a data stream in the 276-byte binary format (shorter packets
// read as zero-filled).
GpsItem decodeBinarySample(const QByteArray &packet);
// Record layout A (232 bytes). signedIntegers picks how the time and date
// integers are written; withTypeByte takes sourceType from offset 218.
GpsItem decodeLayoutA(const QByteArray &record, bool signedIntegers, bool withTypeByte);
// Record layout B (248 bytes).
GpsItem decodeLayoutB(const QByteArray &record);
// True when record (248 bytes) carries layout B's signature.
bool isLayoutB(const QByteArray &record);

} // namespace TelemetryFormats
