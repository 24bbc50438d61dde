#include "telemetry/TelemetryFormats.h"

#include <QStringList>
#include <QtEndian>
#include <cmath>
#include <cstring>

namespace {

// Reads a little-endian value at offset; bytes beyond the record read as 0.
template<typename T> T le(const QByteArray &bytes, int offset)
{
    unsigned char raw[sizeof(T)] = {};
    const int available = qBound(0, bytes.size() - offset, int(sizeof(T)));
    if (available > 0)
        std::memcpy(raw, bytes.constData() + offset, size_t(available));
    return qFromLittleEndian<T>(raw);
}

char charAt(const QByteArray &bytes, int offset)
{
    return offset < bytes.size() ? bytes.at(offset) : '\0';
}

// A one-character field; a NUL byte means no letter.
QString letterAt(const QByteArray &bytes, int offset)
{
    const char c = charAt(bytes, offset);
    return c == '\0' ? QString() : QString(QChar::fromLatin1(c));
}

QString signedDegrees(double v, const QString &hemisphere)
{
    if (!(std::fabs(v) > 0))
        return QStringLiteral("0");
    if (hemisphere == QLatin1String("N") || hemisphere == QLatin1String("E"))
        return QString::number(v, 'f', 6);
    if (hemisphere == QLatin1String("S") || hemisphere == QLatin1String("W"))
        return QString::number(-std::fabs(v), 'f', 6);
    return QStringLiteral("0");
}

float limitedAcceleration(double value)
{
    return std::fabs(value) > 5.0 ? 0.0f : float(value);
}

} // namespace

namespace TelemetryFormats {

QString toSignedDegrees(const QString &value, const QString &hemisphere)
{
    return signedDegrees(value.toDouble(), hemisphere);
}

QString nmeaToDegrees(const QString &value, const QString &hemisphere)
{
    if (!(std::fabs(value.toDouble()) > 0))
        return QStringLiteral("0");
    const float a = value.toFloat() / 100.0f;
    const float b = std::floor(a);
    const float d = (a - b) * 100.0f / 60.0f + b;
    return signedDegrees(double(d), hemisphere);
}

GpsItem decodeTextSample(const QByteArray &packet)
{
    char buffer[textBufferSize] = {};
    if (packet.size() > 3)
        std::memcpy(buffer, packet.constData() + 3,
                    size_t(qMin(packet.size() - 3, textBufferSize)));
    for (int i = 0; i < textBufferSize / 4; ++i) {
        if (buffer[i] == '\t')
            buffer[i] = ',';
    }
    const QString text = QString::fromLatin1(buffer, int(strnlen(buffer, textBufferSize)));
    const QStringList fields = text.split(QLatin1Char(','));

    GpsItem item;
    if (fields.size() > 9) {
        item.nsind = fields.at(7);
        item.ewind = fields.at(9);
    }
    for (int i = 0; i < fields.size() && i <= 11; ++i) {
        const QString &field = fields.at(i);
        switch (i) {
        case 0:
            item.x = field.toFloat() / 1000.0f;
            break;
        case 1:
            item.y = field.toFloat() / 1000.0f;
            break;
        case 2:
            item.z = field.toFloat() / 1000.0f;
            break;
        case 5:
            item.status = field == QLatin1String("A");
            break;
        case 6:
            item.latitude = nmeaToDegrees(QString::number(field.toDouble(), 'f', 6), item.nsind);
            break;
        case 8:
            item.longitude = nmeaToDegrees(QString::number(field.toDouble(), 'f', 6), item.ewind);
            break;
        case 10:
            item.speed = field;
            break;
        case 11:
            item.angle = float(field.toInt());
            break;
        default:
            break;
        }
    }
    return item;
}

GpsItem decodeBinarySample(const QByteArray &packet)
{
    return BinarySampleDecoder().decode(packet);
}

template<typename Make> const QString &BinarySampleDecoder::text(Memo &memo, quint64 raw, Make make)
{
    if (!memo.set || memo.raw != raw) {
        memo.text = make();
        memo.raw = raw;
        memo.set = true;
    }
    return memo.text;
}

GpsItem BinarySampleDecoder::decode(const QByteArray &packet)
{
    const QByteArray r = packet.left(binaryRecordSize);
    GpsItem item;
    const auto field = [](Memo &memo, quint64 value) -> const QString & {
        return text(memo, value, [value] { return QString::number(value); });
    };
    item.year = field(m_year, le<quint16>(r, 96));
    item.month = field(m_month, le<quint8>(r, 98));
    item.hour = field(m_hour, le<quint8>(r, 100));
    item.minute = field(m_minute, le<quint8>(r, 101));
    item.second = field(m_second, le<quint8>(r, 102));
    item.x = limitedAcceleration(double(le<float>(r, 108)));
    item.y = limitedAcceleration(double(le<float>(r, 112)));
    item.z = limitedAcceleration(double(le<float>(r, 116)));
    item.status = charAt(r, 120) == 'A';
    const auto letter = [&r](Memo &memo, int at) -> const QString & {
        return text(memo, quint8(charAt(r, at)), [&] { return letterAt(r, at); });
    };
    item.ewind = letter(m_ewind, 121);
    item.nsind = letter(m_nsind, 122);

    // Unsigned parts, so never negative: the text of the six-decimal value
    // is the magnitude toSignedDegrees would print again.
    const auto degrees = [&r](Memo &memo, int degreesAt, int minutesAt, int secondsAt,
                              const QString &hemisphere) -> const QString & {
        const quint8 whole = le<quint8>(r, degreesAt);
        const quint8 minutes = le<quint8>(r, minutesAt);
        const quint16 seconds = le<quint16>(r, secondsAt);
        const quint64 raw = whole | quint64(minutes) << 8 | quint64(seconds) << 16
            | quint64(hemisphere.isEmpty() ? 0 : hemisphere.at(0).unicode()) << 32;
        return text(memo, raw, [&]() -> QString {
            const double value = whole + minutes / 60.0 + (seconds / 3600.0) / 100.0;
            const QString digits = QString::number(double(float(value)), 'f', 6);
            if (digits == QLatin1String("0.000000"))
                return QStringLiteral("0");
            if (hemisphere == QLatin1String("N") || hemisphere == QLatin1String("E"))
                return digits;
            if (hemisphere == QLatin1String("S") || hemisphere == QLatin1String("W"))
                return QLatin1Char('-') + digits;
            return QStringLiteral("0");
        });
    };
    item.longitude = degrees(m_longitude, 123, 124, 126, item.ewind);
    item.latitude = degrees(m_latitude, 128, 129, 130, item.nsind);

    // A whole number of km/h.
    const quint16 kmh = le<quint16>(r, 132);
    item.speed = text(m_speed, kmh, [kmh] { return QString::number(kmh / 1.852, 'f', 3); });
    item.angle = float(le<quint16>(r, 134));
    return item;
}

GpsItem decodeLayoutA(const QByteArray &record, bool signedIntegers, bool withTypeByte)
{
    const auto integer = [&](int at) {
        return signedIntegers ? QString::number(le<qint32>(record, at))
                              : QString::number(le<quint32>(record, at));
    };
    GpsItem item;
    item.hour = integer(0);
    item.minute = integer(4);
    item.second = integer(8);
    item.status = charAt(record, 12) == 'A';
    item.nsind = letterAt(record, 24);
    item.ewind = letterAt(record, 40);
    item.latitude = nmeaToDegrees(QString::number(le<double>(record, 16), 'f', 6), item.nsind);
    item.longitude = nmeaToDegrees(QString::number(le<double>(record, 32), 'f', 6), item.ewind);
    item.speed = QString::number(le<double>(record, 48), 'f', 3);
    item.angle = float(le<double>(record, 56));
    item.year = integer(64);
    item.month = integer(68);
    item.x = limitedAcceleration(le<qint32>(record, 76) * 0.0009765625);
    item.y = limitedAcceleration(le<qint32>(record, 80) * 0.0009765625);
    item.z = limitedAcceleration(le<qint32>(record, 84) * 0.0009765625);
    item.sourceType = withTypeByte ? int(le<qint8>(record, 218)) : 0;
    return item;
}

bool isLayoutB(const QByteArray &record)
{
    if (record.size() < 48)
        return false;
    const char *text = record.constData() + 32;
    return QByteArray(text, int(strnlen(text, 16))) == "veltrocamp";
}

GpsItem decodeLayoutB(const QByteArray &record)
{
    GpsItem item;
    item.status = charAt(record, 48) == 'A';
    item.nsind = letterAt(record, 49);
    item.ewind = letterAt(record, 50);
    item.year = QString::number(le<qint32>(record, 52));
    item.month = QString::number(le<qint32>(record, 56));
    item.hour = QString::number(le<qint32>(record, 64));
    item.minute = QString::number(le<qint32>(record, 68));
    item.second = QString::number(le<qint32>(record, 72));
    item.longitude
        = nmeaToDegrees(QString::number(double(le<float>(record, 76)), 'f', 6), item.ewind);
    item.latitude
        = nmeaToDegrees(QString::number(double(le<float>(record, 80)), 'f', 6), item.nsind);
    item.speed = QString::number(double(le<float>(record, 84)), 'f', 3);
    item.angle = le<float>(record, 88);
    const auto axis = [&record](int at) {
        const double value = le<quint32>(record, at) * 0.00390625;
        return value > 5 ? 0.0f : float(value);
    };
    item.x = axis(96);
    item.y = axis(100);
    item.z = axis(104);
    return item;
}

} // namespace TelemetryFormats
