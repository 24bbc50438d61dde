#include "telemetry/Mp4BoxFile.h"

#include <QtEndian>
#include <limits>

Mp4BoxFile::Mp4BoxFile(const QString &path)
    : m_file(path)
{
}

bool Mp4BoxFile::open(bool unbuffered)
{
    if (!m_file.open(unbuffered ? QIODevice::ReadOnly | QIODevice::Unbuffered
                                : QIODevice::ReadOnly))
        return false;
    m_size = m_file.size();
    return true;
}

Mp4BoxFile::Header Mp4BoxFile::readHeader(qint64 pos, qint64 limit, Box *box)
{
    limit = qMin(limit, m_size);
    if (pos < 0 || pos > limit - 8 || !m_file.seek(pos))
        return Header::End;
    uchar head[16];
    if (m_file.read(reinterpret_cast<char *>(head), 8) != 8)
        return Header::End;
    const quint32 size32 = qFromBigEndian<quint32>(head);
    qint64 size = size32;
    qint64 headerSize = 8;
    if (size32 == 1) {
        if (pos > limit - 16 || m_file.read(reinterpret_cast<char *>(head + 8), 8) != 8)
            return Header::End;
        const quint64 large = qFromBigEndian<quint64>(head + 8);
        if (large > quint64(std::numeric_limits<qint64>::max() / 2))
            return Header::Bad;
        size = qint64(large);
        headerSize = 16;
    } else if (size32 == 0) {
        size = limit - pos;
    }
    if (size < headerSize)
        return Header::Bad;
    box->type = QByteArray(reinterpret_cast<const char *>(head + 4), 4);
    box->start = pos;
    box->content = pos + headerSize;
    box->declaredSize = size;
    box->end = qMin(pos + size, limit);
    return Header::Ok;
}

bool Mp4BoxFile::findChild(const Box &parent, const QByteArray &type, Box *found)
{
    qint64 pos = parent.content;
    Box child;
    while (readHeader(pos, parent.end, &child) == Header::Ok) {
        if (child.type == type) {
            *found = child;
            return true;
        }
        pos = child.end;
    }
    return false;
}

bool Mp4BoxFile::readZeroFilled(qint64 pos, int count, QByteArray *out)
{
    *out = QByteArray(count, '\0');
    if (pos < 0 || pos >= m_size || !m_file.seek(pos))
        return false;
    const qint64 got = m_file.read(out->data(), qMin<qint64>(count, m_size - pos));
    return got > 0;
}

bool Mp4BoxFile::readBe32(qint64 pos, qint64 limit, quint32 *value)
{
    uchar raw[4];
    if (pos < 0 || pos > qMin(limit, m_size) - 4 || !m_file.seek(pos)
        || m_file.read(reinterpret_cast<char *>(raw), 4) != 4)
        return false;
    *value = qFromBigEndian<quint32>(raw);
    return true;
}

bool Mp4BoxFile::readLe32(qint64 pos, quint32 *value)
{
    uchar raw[4];
    if (pos < 0 || pos > m_size - 4 || !m_file.seek(pos)
        || m_file.read(reinterpret_cast<char *>(raw), 4) != 4)
        return false;
    *value = qFromLittleEndian<quint32>(raw);
    return true;
}
