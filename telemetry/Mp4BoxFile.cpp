#include "telemetry/Mp4BoxFile.h"

#include "app/Platform.h"

#include <QtEndian>
#include <cstring>
#include <limits>

namespace {

// Reads up to this size go through the window; it is one page, so the walk
// of a whole index stays within a few percent of the file.
constexpr int kWindowBytes = 4096;
// Reads handed to the system at once by readMany.
constexpr int kBatchDepth = 16;

} // namespace

Mp4BoxFile::Mp4BoxFile(const QString &path)
    : m_file(path)
{
}

bool Mp4BoxFile::open()
{
    // Unbuffered: every read is a positioned one of the bytes asked for.
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    m_size = m_file.size();
    return true;
}

qint64 Mp4BoxFile::read(qint64 pos, char *data, int count)
{
    if (pos < 0 || count < 0 || pos >= m_size)
        return pos == m_size ? 0 : -1;
    if (count > kWindowBytes / 2)
        return Platform::readAt(m_file, pos, data, count);
    if (m_windowPos < 0 || pos < m_windowPos || pos + count > m_windowPos + m_window.size()) {
        m_window.resize(kWindowBytes);
        const qint64 got = Platform::readAt(m_file, pos, m_window.data(), kWindowBytes);
        if (got < 0) {
            m_windowPos = -1;
            return -1;
        }
        m_window.resize(int(got));
        m_windowPos = pos;
    }
    const qint64 available = qMin<qint64>(count, m_windowPos + m_window.size() - pos);
    std::memcpy(data, m_window.constData() + (pos - m_windowPos), size_t(available));
    return available;
}

void Mp4BoxFile::readMany(Read *reads, int count)
{
    if (!m_batch)
        m_batch = std::make_unique<BatchReader>(m_file, kBatchDepth);
    m_batch->read(reads, count);
}

Mp4BoxFile::Header Mp4BoxFile::readHeader(qint64 pos, qint64 limit, Box *box)
{
    limit = qMin(limit, m_size);
    if (pos < 0 || pos > limit - 8)
        return Header::End;
    uchar head[16];
    if (read(pos, reinterpret_cast<char *>(head), 8) != 8)
        return Header::End;
    const quint32 size32 = qFromBigEndian<quint32>(head);
    qint64 size = size32;
    qint64 headerSize = 8;
    if (size32 == 1) {
        if (pos > limit - 16 || read(pos + 8, reinterpret_cast<char *>(head + 8), 8) != 8)
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
    if (pos < 0 || pos >= m_size)
        return false;
    return read(pos, out->data(), int(qMin<qint64>(count, m_size - pos))) > 0;
}

bool Mp4BoxFile::readBe32(qint64 pos, qint64 limit, quint32 *value)
{
    uchar raw[4];
    if (pos < 0 || pos > qMin(limit, m_size) - 4
        || read(pos, reinterpret_cast<char *>(raw), 4) != 4)
        return false;
    *value = qFromBigEndian<quint32>(raw);
    return true;
}

bool Mp4BoxFile::readLe32(qint64 pos, quint32 *value)
{
    uchar raw[4];
    if (pos < 0 || pos > m_size - 4 || read(pos, reinterpret_cast<char *>(raw), 4) != 4)
        return false;
    *value = qFromLittleEndian<quint32>(raw);
    return true;
}
