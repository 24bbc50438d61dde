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

// Decodes the binary packets of one stream in order, each as
// decodeBinarySample. A stream of several records a second repeats the time
// of the record before, and between two fixes its position and speed: those
// texts are the earlier record's own (shared), so each is formatted once and
// whoever reads it can tell it unchanged.
class BinarySampleDecoder
{
public:
    GpsItem decode(const QByteArray &packet);

private:
    // A text and the raw field it was made from.
    struct Memo
    {
        bool set = false;
        quint64 raw = 0;
        QString text;
    };
    template<typename Make> static const QString &text(Memo &memo, quint64 raw, Make make);

    Memo m_year, m_month, m_hour, m_minute, m_second;
    Memo m_ewind, m_nsind, m_longitude, m_latitude, m_speed;
};
// Record layout A (232 bytes). signedIntegers picks how the time and date
// integers are written; withTypeByte takes sourceType from offset 218.
GpsItem decodeLayoutA(const QByteArray &record, bool signedIntegers, bool withTypeByte);
// Record layout B (248 bytes).
GpsItem decodeLayoutB(const QByteArray &record);
// True when record (248 bytes) carries layout B's signature.
bool isLayoutB(const QByteArray &record);

} // namespace TelemetryFormats
