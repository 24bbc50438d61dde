#include "telemetry/Mp4Probe.h"

#include "app/Helpers.h"
#include "telemetry/LibavProbe.h"
#include "telemetry/Mp4BoxFile.h"

#include <QDateTime>
#include <QHash>
#include <QtEndian>
#include <limits>
#include <numeric>

namespace {

// The index of a camera recording is well below these; anything larger goes
// to libavformat, which copes with it.
constexpr qint64 kMaxMoovBytes = 64 * 1024 * 1024;
constexpr int kMaxTopLevelBoxes = 100000;
constexpr int kMaxChildren = 4096;
// A day of 30 fps video; allocations stay below 50 MB.
constexpr qint64 kMaxSamples = 4 * 1024 * 1024;
// Seconds from 1904-01-01 (MP4 epoch) to 1970-01-01.
constexpr qint64 kMp4Epoch = 2082844800;

using Box = Mp4BoxFile::Box;

// Big-endian reads inside one payload; out-of-range reads fail the payload.
class Payload
{
public:
    explicit Payload(QByteArray bytes)
        : m_bytes(std::move(bytes))
    {
    }
    int size() const { return m_bytes.size(); }
    bool has(qint64 pos, qint64 count) const
    {
        return pos >= 0 && count >= 0 && pos + count <= m_bytes.size();
    }
    quint8 u8(qint64 pos) { return has(pos, 1) ? quint8(m_bytes.at(int(pos))) : fail<quint8>(); }
    quint16 u16(qint64 pos)
    {
        return has(pos, 2) ? qFromBigEndian<quint16>(m_bytes.constData() + pos) : fail<quint16>();
    }
    quint32 u32(qint64 pos)
    {
        return has(pos, 4) ? qFromBigEndian<quint32>(m_bytes.constData() + pos) : fail<quint32>();
    }
    quint64 u64(qint64 pos)
    {
        return has(pos, 8) ? qFromBigEndian<quint64>(m_bytes.constData() + pos) : fail<quint64>();
    }
    QByteArray mid(qint64 pos, int count) const { return m_bytes.mid(int(pos), count); }
    bool ok() const { return m_ok; }

private:
    template<typename T> T fail()
    {
        m_ok = false;
        return 0;
    }
    QByteArray m_bytes;
    bool m_ok = true;
};

// What one trak says, as far as routing and the packet list need it.
struct Track
{
    MediaStream stream;
    QByteArray handler;
    QByteArray format;
    quint32 timescale = 0;
    quint64 sttsDuration = 0;
    qint64 sttsCount = 0;
    // The sample and chunk tables are kept for the tracks telemetry is read
    // from (or all, on request); the others keep only their sums.
    bool tablesKept = false;
    qint64 sampleCount = 0;
    quint64 sampleBytes = 0;
    QVector<quint32> sizes;
    QVector<qint64> chunkOffsets;
    struct Run
    {
        quint32 firstChunk, perChunk;
    };
    QVector<Run> runs;
    bool plainEditList = true; // none, or one edit showing the whole media from its start
    quint64 editDuration = 0; // in the movie's timescale; 0: no edit list
    qint64 declaredBitRate = 0;
};

struct Movie
{
    quint32 timescale = 0;
    quint64 duration = 0;
    QString creationTime;
    QVector<Track> tracks;
};

// (a * b + c / 2) / c as av_rescale rounds, for non-negative values.
bool rescale(quint64 a, quint64 b, quint64 c, qint64 *out)
{
    if (c == 0)
        return false;
    const unsigned __int128 r = (static_cast<unsigned __int128>(a) * b + c / 2) / c;
    using Wide = unsigned __int128;
    if (r > Wide(std::numeric_limits<qint64>::max()))
        return false;
    *out = qint64(r);
    return true;
}

class Reader
{
public:
    explicit Reader(const QString &path, bool keepAllTables = false)
        : m_file(path)
        , m_keepAllTables(keepAllTables)
    {
    }
    // nullopt: beyond this reader.
    std::optional<Movie> read();
    // A whole, undamaged MP4 file without an index, which libavformat refuses.
    bool lacksIndex() const { return m_lacksIndex; }
    qint64 fileSize() const { return m_file.size(); }

private:
    // The children of box; false on a damaged size or too many of them.
    bool children(const Box &box, QVector<Box> *out);
    // The one child of a type (null when absent, false when repeated).
    bool single(const QVector<Box> &boxes, const char *type, const Box **found);
    Payload payload(const Box &box);
    bool readMvhd(const Box &box, Movie *movie);
    bool readTrak(const Box &box, Track *track);
    bool readEdts(const Box &box, Track *track);
    bool readStbl(const Box &box, Track *track);
    bool readStsd(const Box &box, Track *track);
    bool readVideoEntry(Payload &entry, Track *track);
    bool readAudioEntry(Payload &entry, Track *track);
    bool readDref(const Box &box);

    Mp4BoxFile m_file;
    bool m_keepAllTables = false;
    bool m_lacksIndex = false;
};

bool Reader::children(const Box &box, QVector<Box> *out)
{
    out->clear();
    qint64 pos = box.content;
    Box child;
    for (;;) {
        const Mp4BoxFile::Header header = m_file.readHeader(pos, box.end, &child);
        if (header == Mp4BoxFile::Header::Bad)
            return false;
        if (header == Mp4BoxFile::Header::End)
            break;
        // A child running past its parent is a damaged index.
        if (child.start + child.declaredSize > box.end || out->size() >= kMaxChildren)
            return false;
        out->append(child);
        pos = child.end;
    }
    // A few trailing bytes (a zero terminator) are tolerated by every reader.
    return box.end - pos < 8;
}

bool Reader::single(const QVector<Box> &boxes, const char *type, const Box **found)
{
    *found = nullptr;
    for (const Box &box : boxes) {
        if (box.type == type) {
            if (*found)
                return false;
            *found = &box;
        }
    }
    return true;
}

Payload Reader::payload(const Box &box)
{
    QByteArray bytes;
    const qint64 length = box.end - box.content;
    if (length <= 0 || length > kMaxMoovBytes)
        return Payload(QByteArray());
    m_file.readZeroFilled(box.content, int(length), &bytes);
    return Payload(bytes);
}

std::optional<Movie> Reader::read()
{
    if (!m_file.open())
        return std::nullopt;
    Box box;
    Box moov;
    bool haveMoov = false;
    qint64 pos = 0;
    for (int count = 0;; ++count) {
        const Mp4BoxFile::Header header = m_file.readHeader(pos, m_file.size(), &box);
        if (header == Mp4BoxFile::Header::End)
            break;
        if (header == Mp4BoxFile::Header::Bad || count >= kMaxTopLevelBoxes)
            return std::nullopt;
        // Without ftyp first, libavformat's format guess is not certain to be MOV.
        if (count == 0 && box.type != "ftyp")
            return std::nullopt;
        if (box.type == "moof" || box.type == "mfra" || box.type == "sidx"
            || (box.type == "moov" && haveMoov))
            return std::nullopt;
        if (box.type == "moov") {
            if (box.start + box.declaredSize > m_file.size() || box.end - box.start > kMaxMoovBytes)
                return std::nullopt;
            moov = box;
            haveMoov = true;
        }
        pos = box.end;
    }
    if (!haveMoov) {
        m_lacksIndex = true;
        return std::nullopt;
    }
    QVector<Box> top;
    if (!children(moov, &top))
        return std::nullopt;
    Movie movie;
    const Box *mvhd = nullptr;
    if (!single(top, "mvhd", &mvhd) || !mvhd || !readMvhd(*mvhd, &movie))
        return std::nullopt;
    for (const Box &child : top) {
        if (child.type != "trak")
            continue;
        // More tracks than LibavProbe opens: its refusal stands.
        if (unsigned(movie.tracks.size()) >= LibavProbe::maxStreams)
            return std::nullopt;
        Track track;
        if (!readTrak(child, &track))
            return std::nullopt;
        // Repeated track ids are renumbered by some readers; leave them.
        for (const Track &other : qAsConst(movie.tracks)) {
            if (other.stream.id == track.stream.id)
                return std::nullopt;
        }
        movie.tracks.append(track);
    }
    // Fragments and compressed headers change what libavformat makes of the tracks.
    for (const Box &child : top) {
        if (child.type == "mvex" || child.type == "cmov")
            return std::nullopt;
    }
    return movie;
}

bool Reader::readMvhd(const Box &box, Movie *movie)
{
    Payload p = payload(box);
    const quint8 version = p.u8(0);
    qint64 created = 0;
    if (version == 1) {
        created = qint64(p.u64(4));
        movie->timescale = p.u32(20);
        movie->duration = p.u64(24);
    } else if (version == 0) {
        created = p.u32(4);
        // Cameras writing Unix time: libavformat reads it as such.
        if (created > 0 && created < kMp4Epoch)
            created += kMp4Epoch;
        movie->timescale = p.u32(12);
        movie->duration = p.u32(16);
    } else {
        return false;
    }
    if (!p.ok() || movie->timescale == 0 || movie->duration == 0
        || movie->duration > quint64(std::numeric_limits<qint64>::max() / 1000000))
        return false;
    if (created != 0) {
        const qint64 sinceEpoch = created - kMp4Epoch;
        // Years outside 1970..9999 are formatted differently by gmtime; leave them.
        if (sinceEpoch < 0 || sinceEpoch >= 253402300800LL)
            return false;
        movie->creationTime = isoDateTimeText(QDateTime::fromSecsSinceEpoch(sinceEpoch, Qt::UTC))
            + QStringLiteral(".000000Z");
    }
    return true;
}

bool Reader::readTrak(const Box &box, Track *track)
{
    QVector<Box> kids;
    const Box *tkhd = nullptr, *mdia = nullptr, *edts = nullptr, *tref = nullptr;
    if (!children(box, &kids) || !single(kids, "tkhd", &tkhd) || !single(kids, "mdia", &mdia)
        || !single(kids, "edts", &edts) || !single(kids, "tref", &tref) || !tkhd || !mdia || tref)
        return false;
    Payload head = payload(*tkhd);
    const quint8 version = head.u8(0);
    if (version > 1)
        return false;
    const int idAt = version == 1 ? 20 : 12;
    const int sizeAt = version == 1 ? 88 : 76;
    const quint32 id = head.u32(idAt);
    if (id > quint32(INT_MAX))
        return false;
    track->stream.id = int(id);
    const quint32 width = head.u32(sizeAt);
    const quint32 height = head.u32(sizeAt + 4);
    if (!head.ok())
        return false;
    track->stream.width = int(width >> 16);
    track->stream.height = int(height >> 16);
    if (edts && !readEdts(*edts, track))
        return false;

    QVector<Box> media;
    const Box *mdhd = nullptr, *hdlr = nullptr, *minf = nullptr;
    if (!children(*mdia, &media) || !single(media, "mdhd", &mdhd) || !single(media, "hdlr", &hdlr)
        || !single(media, "minf", &minf) || !mdhd || !hdlr || !minf)
        return false;
    Payload mh = payload(*mdhd);
    track->timescale = mh.u8(0) == 1 ? mh.u32(20) : mh.u32(12);
    if (!mh.ok() || mh.u8(0) > 1 || track->timescale == 0 || track->timescale > quint32(INT_MAX))
        return false;
    Payload hd = payload(*hdlr);
    track->handler = hd.mid(8, 4);
    if (!hd.ok() || track->handler.size() != 4)
        return false;

    QVector<Box> info;
    const Box *stbl = nullptr, *dinf = nullptr;
    if (!children(*minf, &info) || !single(info, "stbl", &stbl) || !single(info, "dinf", &dinf)
        || !stbl)
        return false;
    if (dinf) {
        QVector<Box> refs;
        const Box *dref = nullptr;
        if (!children(*dinf, &refs) || !single(refs, "dref", &dref) || (dref && !readDref(*dref)))
            return false;
    }
    return readStbl(*stbl, track);
}

bool Reader::readDref(const Box &box)
{
    // Media in another file is opened by libavformat: leave such tracks to it.
    Payload p = payload(box);
    const quint32 entries = p.u32(4);
    qint64 pos = 8;
    for (quint32 i = 0; i < entries && i < 16; ++i) {
        const quint32 size = p.u32(pos);
        const quint32 flags = p.u32(pos + 8) & 0xFFFFFF;
        if (!p.ok() || size < 12 || !(flags & 1))
            return false;
        pos += size;
    }
    return p.ok() && entries >= 1 && entries <= 16;
}

bool Reader::readEdts(const Box &box, Track *track)
{
    QVector<Box> kids;
    const Box *elst = nullptr;
    if (!children(box, &kids) || !single(kids, "elst", &elst))
        return false;
    if (!elst)
        return true;
    Payload p = payload(*elst);
    const quint8 version = p.u8(0);
    const quint32 entries = p.u32(4);
    if (!p.ok() || version > 1)
        return false;
    if (entries != 1) {
        track->plainEditList = false;
        return true;
    }
    qint64 mediaTime;
    quint32 rate;
    if (version == 1) {
        track->editDuration = p.u64(8);
        mediaTime = qint64(p.u64(16));
        rate = p.u32(24);
    } else {
        track->editDuration = p.u32(8);
        mediaTime = qint32(p.u32(12));
        rate = p.u32(16);
    }
    track->plainEditList = p.ok() && mediaTime == 0 && rate == 0x10000;
    return p.ok();
}

bool Reader::readStbl(const Box &box, Track *track)
{
    QVector<Box> kids;
    const Box *stsd = nullptr, *stts = nullptr, *stsz = nullptr, *stz2 = nullptr, *stsc = nullptr,
              *stco = nullptr, *co64 = nullptr;
    if (!children(box, &kids) || !single(kids, "stsd", &stsd) || !single(kids, "stts", &stts)
        || !single(kids, "stsz", &stsz) || !single(kids, "stz2", &stz2)
        || !single(kids, "stsc", &stsc) || !single(kids, "stco", &stco)
        || !single(kids, "co64", &co64) || !stsd || !stts || !stsc || (!stsz == !stz2)
        || (!stco == !co64))
        return false;
    if (!readStsd(*stsd, track))
        return false;

    Payload tt = payload(*stts);
    const quint32 ttEntries = tt.u32(4);
    if (!tt.ok() || qint64(ttEntries) * 8 > tt.size() - 8)
        return false;
    for (quint32 i = 0; i < ttEntries; ++i) {
        const quint32 count = tt.u32(8 + qint64(i) * 8);
        const quint32 delta = tt.u32(12 + qint64(i) * 8);
        // Negative deltas are rewritten by libavformat.
        if (delta > quint32(INT_MAX))
            return false;
        track->sttsCount += count;
        track->sttsDuration += quint64(delta) * count;
        if (track->sttsCount > kMaxSamples)
            return false;
    }

    const MediaStream::Kind kind = track->stream.kind;
    track->tablesKept
        = m_keepAllTables || (kind != MediaStream::Kind::Video && kind != MediaStream::Kind::Audio);
    const auto keepSize = [track](quint32 i, quint32 size) {
        track->sampleBytes += size;
        if (track->tablesKept)
            track->sizes[int(i)] = size;
    };
    if (stsz) {
        Payload sz = payload(*stsz);
        const quint32 uniform = sz.u32(4);
        const quint32 count = sz.u32(8);
        if (!sz.ok() || count > kMaxSamples || uniform != 0 || qint64(count) * 4 > sz.size() - 12)
            return false;
        track->sampleCount = count;
        if (track->tablesKept)
            track->sizes.resize(int(count));
        for (quint32 i = 0; i < count; ++i) {
            const quint32 size = sz.u32(12 + qint64(i) * 4);
            // libavformat refuses such samples and leaves its figures at zero.
            if (size > 0x3FFFFFFF)
                return false;
            keepSize(i, size);
        }
    } else {
        Payload sz = payload(*stz2);
        const quint8 field = sz.u8(7);
        const quint32 count = sz.u32(8);
        if (!sz.ok() || count > kMaxSamples || (field != 8 && field != 16)
            || qint64(count) * (field / 8) > sz.size() - 12)
            return false;
        track->sampleCount = count;
        if (track->tablesKept)
            track->sizes.resize(int(count));
        for (quint32 i = 0; i < count; ++i)
            keepSize(i, field == 8 ? sz.u8(12 + i) : sz.u16(12 + qint64(i) * 2));
    }

    Payload sc = payload(*stsc);
    const quint32 runs = sc.u32(4);
    if (!sc.ok() || runs == 0 || qint64(runs) * 12 > sc.size() - 8)
        return false;
    for (quint32 i = 0; i < runs; ++i) {
        const quint32 first = sc.u32(8 + qint64(i) * 12);
        const quint32 perChunk = sc.u32(12 + qint64(i) * 12);
        const quint32 description = sc.u32(16 + qint64(i) * 12);
        // Runs must start at chunk 1 and rise; samples of another description
        // are left out of the index.
        if (first == 0 || perChunk == 0 || description != 1 || (i == 0 && first != 1)
            || (i > 0 && first <= track->runs.last().firstChunk))
            return false;
        track->runs.append({first, perChunk});
    }

    const bool wide = co64 != nullptr;
    Payload co = payload(wide ? *co64 : *stco);
    const quint32 chunks = co.u32(4);
    if (!co.ok() || chunks == 0 || qint64(chunks) * (wide ? 8 : 4) > co.size() - 8
        || chunks > kMaxSamples || track->runs.last().firstChunk > chunks)
        return false;
    if (track->tablesKept)
        track->chunkOffsets.resize(int(chunks));
    for (quint32 i = 0; i < chunks; ++i) {
        const quint64 offset = wide ? co.u64(8 + qint64(i) * 8) : co.u32(8 + qint64(i) * 4);
        if (offset > quint64(std::numeric_limits<qint64>::max() / 2))
            return false;
        if (track->tablesKept)
            track->chunkOffsets[int(i)] = qint64(offset);
    }
    // Every table must describe the same samples, and there must be some.
    return tt.ok() && track->sttsCount == track->sampleCount && track->sampleCount > 0
        && track->sttsDuration > 0;
}

bool Reader::readStsd(const Box &box, Track *track)
{
    Payload p = payload(box);
    const quint32 entries = p.u32(4);
    const quint32 size = p.u32(8);
    if (!p.ok() || entries != 1 || size < 16 || qint64(size) > p.size() - 8)
        return false;
    Payload entry(p.mid(8, int(size)));
    track->format = entry.mid(4, 4);
    const QByteArray &h = track->handler;
    const QByteArray &f = track->format;
    MediaStream &s = track->stream;
    if (f == "avc1" || f == "avc3" || f == "hvc1" || f == "hev1") {
        if (h != "vide")
            return false;
        s.kind = MediaStream::Kind::Video;
        s.codecName = f.startsWith("avc") ? QStringLiteral("h264") : QStringLiteral("hevc");
        return readVideoEntry(entry, track);
    }
    if (f == "mp4a") {
        if (h != "soun")
            return false;
        s.kind = MediaStream::Kind::Audio;
        s.codecName = QStringLiteral("aac");
        return readAudioEntry(entry, track);
    }
    // Text and binary samples: only handlers libavformat leaves as data first.
    if (h == "vide" || h == "soun" || h == "m1a " || h == "subp" || h == "clcp")
        return false;
    if (f == "tx3g" || f == "text") {
        s.kind = MediaStream::Kind::Subtitle;
        s.codecName = QStringLiteral("mov_text");
        return true;
    }
    if (f == "gpmd") {
        s.kind = MediaStream::Kind::Data;
        s.codecName = QStringLiteral("bin_data");
        s.width = s.height = 0;
        return true;
    }
    return false;
}

// Finds the first box of type among the boxes from pos to the entry's end.
bool findInEntry(Payload &entry, qint64 pos, const char *type, qint64 *content, qint64 *end)
{
    while (entry.has(pos, 8)) {
        const quint32 size = entry.u32(pos);
        if (size < 8 || !entry.has(pos, size))
            return false;
        if (entry.mid(pos + 4, 4) == type) {
            *content = pos + 8;
            *end = pos + size;
            return true;
        }
        pos += size;
    }
    return false;
}

// A parameter set's cropping window, in chroma units.
struct Crop
{
    quint32 left = 0, right = 0, top = 0, bottom = 0;
};

// Exp-Golomb reading of a parameter set, emulation prevention removed.
class Bits
{
public:
    explicit Bits(const QByteArray &nal)
    {
        int zeros = 0;
        for (char c : nal) {
            if (zeros >= 2 && c == 3) {
                zeros = 0;
                continue;
            }
            zeros = c == 0 ? zeros + 1 : 0;
            m_bytes.append(c);
        }
    }
    quint32 u(int count)
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i) {
            if (m_pos >= qint64(m_bytes.size()) * 8) {
                m_ok = false;
                return 0;
            }
            value = (value << 1) | ((quint8(m_bytes.at(int(m_pos / 8))) >> (7 - m_pos % 8)) & 1);
            ++m_pos;
        }
        return value;
    }
    quint32 ue()
    {
        int zeros = 0;
        while (u(1) == 0 && m_ok) {
            if (++zeros > 31) {
                m_ok = false;
                return 0;
            }
        }
        return (quint32(1) << zeros) - 1 + u(zeros);
    }
    qint32 se()
    {
        const quint32 v = ue();
        return (v & 1) ? qint32((v + 1) / 2) : -qint32(v / 2);
    }
    // The cropping window when its flag is set, else none.
    Crop crop()
    {
        Crop c;
        if (u(1)) {
            c.left = ue();
            c.right = ue();
            c.top = ue();
            c.bottom = ue();
        }
        return c;
    }
    bool ok() const { return m_ok; }

private:
    QByteArray m_bytes;
    qint64 m_pos = 0;
    bool m_ok = true;
};

// The picture size a decoder reports for an H.264 SPS (NAL header included).
// False for layouts whose cropping libavcodec adjusts.
bool h264PictureSize(const QByteArray &nal, int *width, int *height)
{
    Bits b(nal);
    b.u(8);
    const quint32 profile = b.u(8);
    b.u(16);
    b.ue();
    quint32 chroma = 1;
    bool separate = false;
    static const QVector<quint32> high
        = {100, 110, 122, 244, 44, 83, 86, 118, 128, 138, 139, 134, 135};
    if (high.contains(profile)) {
        chroma = b.ue();
        if (chroma > 3)
            return false;
        if (chroma == 3)
            separate = b.u(1);
        b.ue();
        b.ue();
        b.u(1);
        if (b.u(1)) {
            for (int i = 0; i < (chroma == 3 ? 12 : 8) && b.ok(); ++i) {
                if (!b.u(1))
                    continue;
                int last = 8, next = 8;
                for (int j = 0; j < (i < 6 ? 16 : 64) && b.ok(); ++j) {
                    if (next != 0)
                        next = (last + b.se() + 256) % 256;
                    last = next == 0 ? last : next;
                }
            }
        }
    }
    b.ue();
    const quint32 pocType = b.ue();
    if (pocType == 0) {
        b.ue();
    } else if (pocType == 1) {
        b.u(1);
        b.se();
        b.se();
        const quint32 cycle = b.ue();
        if (cycle > 255)
            return false;
        for (quint32 i = 0; i < cycle && b.ok(); ++i)
            b.se();
    } else if (pocType != 2) {
        return false;
    }
    b.ue();
    b.u(1);
    const quint32 mbWidth = b.ue() + 1;
    const quint32 mapHeight = b.ue() + 1;
    const quint32 frameOnly = b.u(1);
    if (!frameOnly)
        b.u(1);
    b.u(1);
    const Crop crop = b.crop();
    if (!b.ok() || mbWidth > 1024 || mapHeight > 1024 || crop.left != 0)
        return false;
    const quint32 unitX = (chroma == 0 || separate || chroma == 3) ? 1 : 2;
    const quint32 unitY = ((chroma == 0 || separate || chroma != 1) ? 1 : 2) * (2 - frameOnly);
    const qint64 w = qint64(mbWidth) * 16 - qint64(crop.right) * unitX;
    const qint64 h
        = qint64(mapHeight) * 16 * (2 - frameOnly) - qint64(crop.top + crop.bottom) * unitY;
    if (w <= 0 || h <= 0)
        return false;
    *width = int(w);
    *height = int(h);
    return true;
}

// The same for an HEVC SPS, with its general profile.
bool hevcPictureSize(const QByteArray &nal, int *width, int *height, int *profile)
{
    Bits b(nal);
    b.u(16);
    b.u(4);
    const quint32 subLayers = b.u(3);
    b.u(1);
    b.u(3);
    *profile = int(b.u(5));
    b.u(32);
    b.u(32);
    b.u(16);
    b.u(8);
    bool profilePresent[8] = {}, levelPresent[8] = {};
    for (quint32 i = 0; i < subLayers; ++i) {
        profilePresent[i] = b.u(1);
        levelPresent[i] = b.u(1);
    }
    if (subLayers > 0) {
        for (quint32 i = subLayers; i < 8; ++i)
            b.u(2);
    }
    for (quint32 i = 0; i < subLayers; ++i) {
        if (profilePresent[i]) {
            b.u(32);
            b.u(32);
            b.u(24);
        }
        if (levelPresent[i])
            b.u(8);
    }
    b.ue();
    const quint32 chroma = b.ue();
    if (chroma > 3)
        return false;
    const bool separate = chroma == 3 && b.u(1);
    const quint32 w = b.ue();
    const quint32 h = b.ue();
    const Crop crop = b.crop();
    if (!b.ok() || w == 0 || h == 0 || w > 16384 || h > 16384 || crop.left != 0)
        return false;
    const quint32 subW = (chroma == 1 || chroma == 2) && !separate ? 2 : 1;
    const quint32 subH = chroma == 1 && !separate ? 2 : 1;
    const qint64 cw = qint64(w) - qint64(crop.right) * subW;
    const qint64 ch = qint64(h) - qint64(crop.top + crop.bottom) * subH;
    if (cw <= 0 || ch <= 0)
        return false;
    *width = int(cw);
    *height = int(ch);
    return true;
}

// The first parameter set of NAL type in an hvcC box body.
QByteArray hevcParameterSet(Payload &config, int type)
{
    const int arrays = config.u8(22);
    qint64 pos = 23;
    for (int a = 0; a < arrays && config.ok(); ++a) {
        const int nalType = config.u8(pos) & 0x3F;
        const int count = config.u16(pos + 1);
        pos += 3;
        for (int n = 0; n < count && config.ok(); ++n) {
            const int length = config.u16(pos);
            if (nalType == type && config.has(pos + 2, length))
                return config.mid(pos + 2, length);
            pos += 2 + length;
        }
    }
    return QByteArray();
}

bool Reader::readVideoEntry(Payload &entry, Track *track)
{
    MediaStream &s = track->stream;
    s.width = entry.u16(32);
    s.height = entry.u16(34);
    // A palette follows when the colour table id is not -1.
    if (!entry.ok() || entry.u16(84) != 0xFFFF || s.width == 0 || s.height == 0)
        return false;
    qint64 at, end;
    if (s.codecName == QLatin1String("h264")) {
        if (!findInEntry(entry, 86, "avcC", &at, &end) || end - at < 12)
            return false;
        // The first SPS: its profile_idc and constraint flags, as the decoder reads them.
        if ((entry.u8(at + 5) & 0x1F) == 0 || entry.u16(at + 6) < 4 || at + 8 + 4 > end)
            return false;
        const int profile = entry.u8(at + 9);
        const quint8 constraints = entry.u8(at + 10);
        int width = 0, height = 0;
        // The decoder reports the SPS's picture size; answer only when the
        // sample entry says the same.
        if ((entry.u8(at + 8) & 0x1F) != 7 || profile == 0 || !entry.has(at + 8, entry.u16(at + 6))
            || !h264PictureSize(entry.mid(at + 8, entry.u16(at + 6)), &width, &height)
            || width != s.width || height != s.height)
            return false;
        s.profile = profile;
        if (profile == 66 && (constraints & 0x40))
            s.profile |= 1 << 9;
        else if ((profile == 110 || profile == 122 || profile == 244) && (constraints & 0x10))
            s.profile |= 1 << 11;
        s.highProfile = s.profile == 100;
    } else {
        if (!findInEntry(entry, 86, "hvcC", &at, &end) || end - at < 23)
            return false;
        const int profile = entry.u8(at + 1) & 0x1F;
        Payload config(entry.mid(at, int(end - at)));
        int width = 0, height = 0, spsProfile = 0;
        if (profile < 1 || profile > 4
            || !hevcPictureSize(hevcParameterSet(config, 33), &width, &height, &spsProfile)
            || spsProfile != profile || width != s.width || height != s.height)
            return false;
        s.profile = profile;
        s.highProfile = false;
    }
    return entry.ok();
}

// Reads a descriptor's tag and length at *pos, moving past them.
bool descriptor(Payload &p, qint64 *pos, quint8 *tag, quint32 *length)
{
    *tag = p.u8(*pos);
    ++*pos;
    *length = 0;
    for (int i = 0; i < 4; ++i) {
        const quint8 b = p.u8(*pos);
        ++*pos;
        *length = (*length << 7) | (b & 0x7F);
        if (!(b & 0x80))
            return p.ok();
    }
    return false;
}

bool Reader::readAudioEntry(Payload &entry, Track *track)
{
    MediaStream &s = track->stream;
    s.width = s.height = 0;
    const quint16 version = entry.u16(16);
    const qint64 boxes = version == 0 ? 36 : version == 1 ? 52 : version == 2 ? 72 : -1;
    qint64 at, end;
    if (!entry.ok() || boxes < 0)
        return false;
    // QuickTime files keep the esds inside a "wave" box.
    if (!findInEntry(entry, boxes, "esds", &at, &end)) {
        qint64 waveAt, waveEnd;
        if (!findInEntry(entry, boxes, "wave", &waveAt, &waveEnd))
            return false;
        Payload wave(entry.mid(waveAt, int(waveEnd - waveAt)));
        if (!findInEntry(wave, 0, "esds", &at, &end))
            return false;
        at += waveAt;
        end += waveAt;
    }
    Payload esds(entry.mid(at, int(end - at)));
    qint64 pos = 4;
    quint8 tag;
    quint32 length;
    if (!descriptor(esds, &pos, &tag, &length) || tag != 0x03)
        return false;
    const quint8 flags = esds.u8(pos + 2);
    pos += 3;
    if (flags & 0x80)
        pos += 2;
    if (flags & 0x40)
        pos += 1 + esds.u8(pos);
    if (flags & 0x20)
        pos += 2;
    if (!descriptor(esds, &pos, &tag, &length) || tag != 0x04 || esds.u8(pos) != 0x40)
        return false;
    // The average bit rate the encoder declared is what libavformat reports.
    const quint32 average = esds.u32(pos + 9);
    if (average == 0 || average >= quint32(INT_MAX))
        return false;
    track->declaredBitRate = average;
    pos += 13;
    if (!descriptor(esds, &pos, &tag, &length) || tag != 0x05 || length < 2)
        return false;
    // AAC LC only (object type 2): libavcodec's profile is the object type - 1.
    if ((esds.u8(pos) >> 3) != 2 || !esds.ok())
        return false;
    s.profile = 1;
    return true;
}

// The packets of a track in decode order, from its chunk and sample tables.
bool buildIndex(const Track &track, qint64 fileSize, int maxSamples, QVector<SampleRef> *out)
{
    out->clear();
    const int count = track.sizes.size();
    out->reserve(qMin(count, maxSamples));
    int sample = 0;
    int run = 0;
    for (int chunk = 0; chunk < track.chunkOffsets.size() && sample < count; ++chunk) {
        while (run + 1 < track.runs.size() && quint32(chunk + 1) >= track.runs[run + 1].firstChunk)
            ++run;
        qint64 offset = track.chunkOffsets[chunk];
        for (quint32 k = 0; k < track.runs[run].perChunk && sample < count; ++k, ++sample) {
            const quint32 size = track.sizes[sample];
            // Empty or truncated packets come out of libavformat differently.
            if (size == 0 || size > 0x3FFFFFFF || offset + size > fileSize)
                return false;
            if (out->size() < maxSamples)
                out->append({offset, int(size)});
            offset += size;
        }
    }
    return sample == count;
}

} // namespace

struct Mp4Probe::Index
{
    std::optional<Movie> movie;
    bool lacksIndex = false;
    qint64 fileSize = 0;
};

Mp4Probe::Mp4Probe(const QString &path)
    : m_path(path)
{
}

Mp4Probe::~Mp4Probe() = default;

const Mp4Probe::Index &Mp4Probe::index()
{
    if (!m_index) {
        m_index = std::make_unique<Index>();
        Reader reader(m_path);
        m_index->movie = reader.read();
        m_index->lacksIndex = reader.lacksIndex();
        m_index->fileSize = reader.fileSize();
    }
    return *m_index;
}

std::optional<MediaProbe> Mp4Probe::media()
{
    const std::optional<Movie> &movie = index().movie;
    if (!movie)
        return index().lacksIndex ? std::optional<MediaProbe>(MediaProbe()) : std::nullopt;
    MediaProbe probe;
    probe.ok = true;
    probe.creationTime = movie->creationTime;
    if (!rescale(movie->duration, 1000000, movie->timescale, &probe.durationUs))
        return std::nullopt;
    for (const Track &track : movie->tracks) {
        MediaStream s = track.stream;
        s.frames = track.sttsCount;
        const quint64 bytes = track.sampleBytes;
        if (track.declaredBitRate > 0) {
            s.bitRate = track.declaredBitRate;
        } else {
            // libavformat divides without rounding, and refuses a total it
            // cannot multiply out in 64 bits.
            const quint64 limit = quint64(std::numeric_limits<qint64>::max()) / track.timescale / 8;
            if (bytes > limit || track.sttsDuration == 0)
                return std::nullopt;
            s.bitRate = qint64(bytes * 8 * track.timescale / track.sttsDuration);
        }
        if (s.kind == MediaStream::Kind::Video) {
            const quint64 num = quint64(track.timescale) * quint64(track.sttsCount);
            const quint64 den = track.sttsDuration;
            const quint64 g = std::gcd(num, den);
            if (num / g > quint64(INT_MAX) || den / g > quint64(INT_MAX))
                return std::nullopt;
            s.frameRateNum = int(num / g);
            s.frameRateDen = int(den / g);
        } else {
            s.frameRateNum = 0;
            s.frameRateDen = 0;
        }
        probe.streams.append(s);
    }
    return probe;
}

std::optional<QVector<SampleRef>> Mp4Probe::packets(int streamIndex, int maxSamples)
{
    const std::optional<Movie> &movie = index().movie;
    if (!movie || streamIndex < 0 || streamIndex >= movie->tracks.size() || maxSamples < 0)
        return std::nullopt;
    const Track *kept = &movie->tracks[streamIndex];
    // A video or audio track's tables are read again when asked for.
    std::optional<Movie> whole;
    if (!kept->tablesKept) {
        whole = Reader(m_path, true).read();
        if (!whole || streamIndex >= whole->tracks.size())
            return std::nullopt;
        kept = &whole->tracks[streamIndex];
    }
    const Track &track = *kept;
    // An edit list that hides samples changes which packets libavformat returns.
    if (!track.plainEditList)
        return std::nullopt;
    if (track.editDuration > 0) {
        qint64 shown = 0;
        if (!rescale(track.editDuration, track.timescale, movie->timescale, &shown)
            || quint64(shown) < track.sttsDuration)
            return std::nullopt;
    }
    QVector<SampleRef> refs;
    if (!buildIndex(track, index().fileSize, maxSamples, &refs))
        return std::nullopt;
    return refs;
}
