#pragma once

#include "app/BatchReader.h"

#include <QByteArray>
#include <QFile>
#include <memory>

// Bounded reading of MP4 boxes straight from a file. Every size, count and
// offset comes from the file and is checked against the enclosing box and
// the file's length before it is used, so hostile or truncated recordings
// end a walk instead of reading out of bounds or looping.
class Mp4BoxFile
{
public:
    struct Box
    {
        QByteArray type;
        qint64 start = 0; // position of the size field
        qint64 content = 0; // first byte after the header
        qint64 end = 0; // one past the last byte, clipped to the parent
        qint64 declaredSize = 0;
    };
    enum class Header { Ok, End, Bad };
    using Read = BatchReader::Read;

    explicit Mp4BoxFile(const QString &path);
    bool open();
    qint64 size() const { return m_size; }

    // Reads the box header at pos inside [pos, limit). End: no room for a
    // header; Bad: a size below the header (it would not move a walk on).
    // Size 0 means "to the end of the parent", size 1 a 64-bit size.
    Header readHeader(qint64 pos, qint64 limit, Box *box);
    // Finds the first child of type inside parent (false when absent).
    bool findChild(const Box &parent, const QByteArray &type, Box *found);

    // count bytes at pos; bytes past the end of the file read as zero.
    // False when pos itself is not inside the file (out is then all zeros).
    bool readZeroFilled(qint64 pos, int count, QByteArray *out);
    // A big-endian 32-bit value at pos, which must lie inside limit.
    bool readBe32(qint64 pos, qint64 limit, quint32 *value);
    bool readLe32(qint64 pos, quint32 *value);
    // Many small reads at once, several to a system call where the system
    // takes them so (BatchReader); each got as Platform::readAt gives it.
    void readMany(Read *reads, int count);

private:
    // count bytes at pos into data (fewer at the end of the file); small
    // reads are served from one window of the file, so a box header and the
    // fields after it cost one system call.
    qint64 read(qint64 pos, char *data, int count);

    QFile m_file;
    qint64 m_size = 0;
    QByteArray m_window;
    qint64 m_windowPos = -1;
    // Made on the first readMany.
    std::unique_ptr<BatchReader> m_batch;
};
