#include "telemetry/GPSTool.h"

#include "app/Helpers.h"
#include "library/DbModel.h"
#include "library/RecordClock.h"
#include "telemetry/IndexedPackets.h"
#include "telemetry/LibavProbe.h"
#include "telemetry/Mp4BoxFile.h"
#include "telemetry/Mp4Probe.h"
#include "telemetry/TelemetryFormats.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStringList>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>

namespace {

// Table entries read per file access while walking a box's table.
constexpr int tableBatch = 4096;

// The lines written per sample go to the default category like the others;
// through qCDebug their text is only built when debug output is on.
const QLoggingCategory &sampleLog()
{
    return *QLoggingCategory::defaultCategory();
}

QString videoAspectText(int width, int height)
{
    const int g = std::gcd(std::abs(width), std::abs(height));
    if (g == 0)
        return QStringLiteral("0:0");
    return QStringLiteral("%1:%2").arg(width / g).arg(height / g);
}

// Samples per second of a binary data stream; at least 1 whatever the
// stream reports.
int recordsPerSecondOf(const MediaProbe &media, const MediaStream &stream)
{
    const qint64 seconds = media.durationUs > 0 ? media.durationUs / 1000000 : 0;
    if (seconds <= 0 || stream.frames <= 0)
        return 1;
    const double perSecond = std::ceil(double(stream.frames) / double(seconds));
    if (!(perSecond >= 1))
        return 1;
    return perSecond >= double(std::numeric_limits<int>::max()) ? std::numeric_limits<int>::max()
                                                                : int(perSecond);
}

// The record of a "gps " box entry from the span read from its marker (the
// entry's offset + 12) on: a marker of 264 puts the record 36 bytes after it,
// any other 4. Bytes past the end of the file read as zero, and a marker not
// whole in the file as none.
QByteArray gpsBoxRecord(const Mp4BoxFile::Read &span, qint64 fileSize)
{
    const qint64 inFile = qMin(span.got, fileSize - span.pos);
    const quint32 marker = inFile >= 4 ? qFromLittleEndian<quint32>(span.data) : 0;
    const int start = marker == 264 ? 36 : 4;
    QByteArray record(TelemetryFormats::gpsBoxRecordSize, '\0');
    const qint64 available = qBound<qint64>(0, inFile - start, TelemetryFormats::gpsBoxRecordSize);
    std::memcpy(record.data(), span.data + start, size_t(available));
    return record;
}

} // namespace

GPSTool::GPSTool() = default;

GPSTool::~GPSTool()
{
    qDebug() << "GPSTool close";
}

int GPSTool::probe(const DbModel &model)
{
    const int route = probeRecord(model);
    RecordClock::apply(record);
    return route;
}

int GPSTool::probeRecord(const DbModel &model)
{
    record.resetFromDbModel(model);
    recordsPerSecond = 1;
    const int route = probeMedia(model.path);
    deriveFigures();
    return route;
}

void GPSTool::parse(const DbModel &model)
{
    // The clock is set once, from the samples read.
    const int route = probeRecord(model);
    qDebug().noquote() << "ggggggggggggggggggggggggggggggg:::" << route;
    if (route == 10) {
        readBlockTrack(model.path);
    } else if (route >= 3) {
        readDataStream(model.path);
    } else if (route <= 0) {
        qDebug().noquote() << "FFMpeg没有打开文件:" << model.path;
    } else {
        readGpsBox(model.path);
    }
    qDebug() << "解析完成";
    deriveFigures();
    RecordClock::apply(record);
}

bool GPSTool::isBlockLayoutName(const QString &path)
{
    // The file name alone: an underscore in a folder ("SD_CARD") must not
    // change how a recording is read.
    const QStringList parts = QFileInfo(path).fileName().split(QLatin1Char('_'));
    return parts.size() == 4 && parts.last().toLower().endsWith(QLatin1String(".mov"));
}

bool GPSTool::isProbed(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("ts"), Qt::CaseInsensitive) != 0;
}

const MediaProbe &GPSTool::mediaOf(const QString &path)
{
    // parse() probes and then reads the same file: one probe serves both.
    if (m_media && m_mediaPath == path)
        return *m_media;
    m_index = std::make_unique<Mp4Probe>(path);
    std::optional<MediaProbe> own = m_index->media();
    if (!own)
        m_index.reset();
    m_media = own ? std::move(*own) : LibavProbe::probe(path);
    m_mediaPath = path;
    return *m_media;
}

int GPSTool::probeMedia(const QString &path)
{
    if (!isProbed(path))
        return 0;
    const MediaProbe &media = mediaOf(path);
    if (!media.ok)
        return 0;
    const auto video
        = std::find_if(media.streams.cbegin(), media.streams.cend(),
                       [](const MediaStream &s) { return s.kind == MediaStream::Kind::Video; });
    if (video == media.streams.cend()) {
        qDebug() << "没有找到视频流";
        return 0;
    }
    if (!media.creationTime.isNull())
        record.creationTime = media.creationTime.left(64);
    record.durationM = qint64(media.durationUs / 1000.0);
    record.duration = QString::number(media.durationUs / 1000000);
    record.videoFrameRate
        = QString::number(double(video->frameRateNum) / double(video->frameRateDen), 'g', 6);
    record.width = QString::number(video->width);
    record.height = QString::number(video->height);
    record.videoAspect = videoAspectText(video->width, video->height);
    record.resolution = record.width + "*" + record.height;
    const QString &codecName = video->codecName;
    qDebug().noquote() << "stringValuestringValuestringValuestringValue::::::" << codecName;
    if (codecName.toLower() == QLatin1String("h265")
        || codecName.toLower() == QLatin1String("hevc")) {
        record.videoCodec = QStringLiteral("HEVC(H265)");
        record.hwdec = QStringLiteral("Yes");
    } else {
        record.videoCodec = QStringLiteral("H264");
        record.hwdec = QStringLiteral("NO");
    }
    record.videoBitRate = QString::number(video->bitRate);
    const QFileInfo info(record.path);
    record.format = info.completeSuffix();
    record.name = info.baseName();
    record.pixelFormat = QStringLiteral("nv12");
    record.demuxer = QStringLiteral("lavf");
    record.isProfileHigh = video->highProfile;
    for (const MediaStream &stream : media.streams) {
        if (stream.kind == MediaStream::Kind::Audio) {
            record.audioBitRate = QString::number(stream.bitRate);
            break;
        }
    }
    return isBlockLayoutName(path) ? 10 : int(media.streams.size());
}

void GPSTool::validatePosition(GpsItem &sample, const GpsItem &last)
{
    checkPosition(sample, sample.latitude.toDouble(), sample.longitude.toDouble(),
                  last.latitude.toDouble(), last.longitude.toDouble());
}

void GPSTool::checkPosition(GpsItem &sample, double lat, double lon, double lastLat, double lastLon)
{
    if (!(lon >= -180 && lon <= 180 && lat >= -90 && lat <= 90 && lon != 0 && lat != 0)) {
        sample.status = false;
        qCDebug(sampleLog) << "Invalid Latitude and longitude: precision and dimension are 0, or "
                              "exceed the latitude and longitude regular expression";
        return;
    }
    // A last position that is null (no text, zeros or NaN) sets no limit.
    if (!(std::fabs(lastLat) + std::fabs(lastLon) > 0.0))
        return;
    // Signed values: a point mirrored across the equator or the prime meridian
    // is far away. Longitude is measured the short way round, so stepping
    // across the 180° meridian is no jump.
    const float dLat = float(std::fabs(lastLat - lat));
    double lonStep = std::fabs(lastLon - lon);
    if (lonStep > 180)
        lonStep = 360 - lonStep;
    const float dLon = float(lonStep);
    if (dLat < 0.5f && dLon < 0.5f)
        return;
    sample.status = false;
    qCDebug(sampleLog).noquote() << "无效经纬度：前后经纬度相距太远::" + sample.latitude + " "
            + sample.longitude;
}

double GPSTool::TextValues::of(const QString &text)
{
    // Shared data cannot change or be freed while held here, so sharing it
    // means holding the same text.
    for (int i = 0; i < 2; ++i) {
        if (m_texts[i].isSharedWith(text) && !text.isNull())
            return m_values[i];
    }
    m_next ^= 1;
    m_texts[m_next] = text;
    m_values[m_next] = text.toDouble();
    return m_values[m_next];
}

void GPSTool::storeRecord(GpsItem sample)
{
    store(std::move(sample), true);
}

void GPSTool::store(GpsItem sample, bool lastOfSecond)
{
    // Several samples a second share one key.
    if (m_keyIndex != secondIndex || m_key.isNull()) {
        m_key = QString::number(secondIndex);
        m_keyIndex = secondIndex;
    }
    const QString &key = m_key;
    qCDebug(sampleLog).noquote() << "解析出来的数据：" + sample.latitude + "::" + sample.longitude
            + " 秒 " + key;
    // A sample the next one of its second replaces leaves its axes pending:
    // only the last of a second is kept, so only it is written out.
    m_pendingAxes = !lastOfSecond;
    m_axes = {sample.x, sample.y, sample.z};
    if (lastOfSecond)
        storeAxes();
    record.filesType = sample.sourceType;
    const double lat = m_latitudes.of(sample.latitude);
    const double lon = m_longitudes.of(sample.longitude);
    // As GpsItem::isPositionNull, with the texts read once.
    if (!(std::fabs(lat) + std::fabs(lon) > 0.0) || !sample.status)
        return;
    if (record.gpsItems.isEmpty())
        inChina = isInChina(lat, lon);
    ++storedCount;
    const double s = sample.speed.toDouble();
    if (s > 0 && s < 400) {
        speedSum += s;
        ++speedCount;
        if (m_maxSpeeds.of(record.maxSpeed) < s)
            record.maxSpeed = QString::number(s, 'f', 3);
    } else {
        sample.speed = QStringLiteral("0");
    }
    if (!(sample.angle >= 0 && sample.angle <= 360))
        sample.angle = lastAccepted.angle;
    record.gpsItems[key] = std::move(sample);
}

void GPSTool::storeAxes()
{
    record.gsensorItems.insert(m_key,
                               {QString::number(double(m_axes[0]), 'g', 6),
                                QString::number(double(m_axes[1]), 'g', 6),
                                QString::number(double(m_axes[2]), 'g', 6)});
    m_pendingAxes = false;
}

void GPSTool::finishSamples()
{
    if (m_pendingAxes)
        storeAxes();
}

void GPSTool::acceptSample(GpsItem sample)
{
    accept(std::move(sample), true);
}

void GPSTool::accept(GpsItem sample, bool lastOfSecond)
{
    if (sample.status) {
        checkPosition(sample, m_latitudes.of(sample.latitude), m_longitudes.of(sample.longitude),
                      m_latitudes.of(lastAccepted.latitude),
                      m_longitudes.of(lastAccepted.longitude));
        if (sample.status) {
            // The heading falls back to the previous accepted one; once the
            // sample itself is the last accepted, that fallback would be a no-op.
            if (!(sample.angle >= 0 && sample.angle <= 360))
                sample.angle = lastAccepted.angle;
            lastAccepted = sample;
        }
    }
    store(std::move(sample), lastOfSecond);
}

void GPSTool::deriveFigures()
{
    // speedSum and speedCount both run over every sample, so their quotient
    // already is the average speed, however many samples a second holds.
    if (speedCount < 1)
        record.aevSpeed = QStringLiteral("0");
    else
        record.aevSpeed = QString::number(speedSum / speedCount, 'f', 3);
    record.totalSpeedNum = recordsPerSecond >= 2 ? speedCount / recordsPerSecond : speedCount;
    record.gpsTotailNum = storedCount;
    record.isChina = inChina;
    record.distance = record.aevSpeed;
}

void GPSTool::readDataStream(const QString &path)
{
    qDebug().noquote() << "海思解析：" << path;
    const MediaProbe &media = mediaOf(path);
    if (!media.ok)
        return;
    int chosen = -1;
    int candidate = -1;
    bool textFormat = false;
    for (int i = 0; i < media.streams.size(); ++i) {
        const MediaStream &st = media.streams[i];
        if (st.kind == MediaStream::Kind::Data) {
            chosen = i;
            break;
        }
        if (st.kind == MediaStream::Kind::Subtitle && st.id == 3) {
            candidate = i;
            textFormat = true;
        }
    }
    if (chosen < 0)
        chosen = candidate;
    if (chosen < 0)
        return;
    if (textFormat) {
        qDebug() << "安霸gps解析";
    } else {
        qDebug() << "海思gps解析";
        recordsPerSecond = recordsPerSecondOf(media, media.streams[chosen]);
    }
    TelemetryFormats::BinarySampleDecoder binary;
    const auto take = [this, textFormat, &binary](const char *data, int size) {
        const QByteArray bytes = QByteArray::fromRawData(data, size);
        if (textFormat) {
            acceptSample(TelemetryFormats::decodeTextSample(bytes));
            ++secondIndex;
        } else {
            // Several records a second: the next one replaces this one's axes
            // unless it starts a new second (or never comes).
            accept(binary.decode(bytes), (recordsRead + 1) % recordsPerSecond == 0);
            ++recordsRead;
            secondIndex = recordsRead / recordsPerSecond;
        }
    };
    if (!m_index || !readIndexedPackets(path, chosen, take))
        LibavProbe::readPackets(path, chosen, maxRecords, take);
    finishSamples();
}

bool GPSTool::readIndexedPackets(const QString &path,
                                 int streamIndex,
                                 const LibavProbe::PacketSink &sink)
{
    const std::optional<QVector<SampleRef>> samples = m_index->packets(streamIndex, maxRecords);
    if (!samples)
        return false;
    QFile file(path);
    // Unbuffered: each packet is a few hundred bytes between megabytes of video.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        qDebug() << "无法打开视频文件";
        return true;
    }
    // The decoders look no further than a binary record or a text line.
    constexpr int headBytes
        = std::max(TelemetryFormats::binaryRecordSize, TelemetryFormats::textBufferSize + 3);
    IndexedPackets::read(file, *samples, headBytes, sink, IndexedPackets::longStream,
                         readAhead ? IndexedPackets::longStream : std::numeric_limits<int>::max());
    return true;
}

void GPSTool::readBlockTrack(const QString &path)
{
    qDebug().noquote() << path;
    Mp4BoxFile file(path);
    if (!file.open()) {
        qDebug() << "跳出解析1";
        return;
    }
    qint64 mdatAddr = 0;
    qint64 pos = 0;
    Mp4BoxFile::Box box;
    while (file.readHeader(pos, file.size(), &box) == Mp4BoxFile::Header::Ok) {
        if (box.type == "mdat")
            mdatAddr = box.content;
        if (box.type != "moov") {
            pos = box.end;
            continue;
        }
        // The second track holds the telemetry; a file with one track keeps
        // its blocks between the video frames.
        int traks = 0;
        Mp4BoxFile::Box lastTrak;
        Mp4BoxFile::Box child;
        qint64 childPos = box.content;
        while (true) {
            const bool more = file.readHeader(childPos, box.end, &child) == Mp4BoxFile::Header::Ok;
            if (!more) {
                // The moov ended: a box after it is read like a further child.
                Mp4BoxFile::Box next;
                if (traks == 1
                    && file.readHeader(box.end, file.size(), &next) == Mp4BoxFile::Header::Ok)
                    enterTrack(file, lastTrak.content, lastTrak.end, 1, mdatAddr);
                break;
            }
            if (child.type == "trak") {
                lastTrak = child;
                if (++traks == 2) {
                    enterTrack(file, child.content, child.end, 2, mdatAddr);
                    break;
                }
            } else if (traks >= 1) {
                enterTrack(file, lastTrak.content, lastTrak.end, 1, mdatAddr);
                break;
            }
            childPos = child.end;
        }
        break;
    }
}

void GPSTool::enterTrack(
    Mp4BoxFile &file, qint64 trakContent, qint64 trakEnd, int trackNumber, qint64 mdatAddr)
{
    Mp4BoxFile::Box trak;
    trak.content = trakContent;
    trak.end = trakEnd;
    Mp4BoxFile::Box mdia, minf, stbl, mdhd;
    if (!file.findChild(trak, "mdia", &mdia))
        return;
    quint32 timescale = 0;
    quint32 duration = 0;
    if (file.findChild(mdia, "mdhd", &mdhd)) {
        file.readBe32(mdhd.content + 12, mdhd.end, &timescale);
        file.readBe32(mdhd.content + 16, mdhd.end, &duration);
    }
    if (!file.findChild(mdia, "minf", &minf) || !file.findChild(minf, "stbl", &stbl))
        return;
    quint32 fps = 0;
    qint64 pos = stbl.content;
    Mp4BoxFile::Box child;
    while (file.readHeader(pos, stbl.end, &child) == Mp4BoxFile::Header::Ok) {
        if (child.type == "stsz") {
            quint32 count = 0;
            file.readBe32(child.content + 8, child.end, &count);
            // 32-bit arithmetic as the cameras' own tools compute it; a zero
            // duration gives no rate rather than a division fault.
            fps = duration == 0 ? 0 : quint32(count * timescale) / duration;
            if (trackNumber == 1) {
                readSampleSizeMode(file, child.start, child.end, stbl.end, fps, mdatAddr);
                return;
            }
        } else if (trackNumber == 2 && child.type == "stco") {
            readChunkOffsetMode(file, child.content, child.end);
            return;
        }
        pos = child.end;
    }
}

void GPSTool::readSampleSizeMode(Mp4BoxFile &file,
                                 qint64 stszStart,
                                 qint64 stszEnd,
                                 qint64 stblEnd,
                                 quint32 fps,
                                 qint64 mdatAddr)
{
    if (fps == 0)
        return;
    Mp4BoxFile::Box stsz;
    if (file.readHeader(stszStart, stszEnd, &stsz) != Mp4BoxFile::Header::Ok)
        return;
    quint32 uniformSize = 0;
    quint32 count = 0;
    if (!file.readBe32(stsz.content + 4, stsz.end, &uniformSize)
        || !file.readBe32(stsz.content + 8, stsz.end, &count))
        return;
    const qint64 entriesStart = stsz.content + 12;
    // A table with one size for every sample lists no entries.
    const qint64 listed
        = uniformSize != 0 ? count : qMin<qint64>(count, (stsz.end - entriesStart) / 4);

    Mp4BoxFile::Box stco;
    if (file.readHeader(stsz.end, stblEnd, &stco) != Mp4BoxFile::Header::Ok)
        return;
    quint32 chunkCount = 0;
    file.readBe32(stco.content + 4, stco.end, &chunkCount);
    const qint64 chunks = qMin<qint64>(chunkCount, (stco.end - (stco.content + 8)) / 4);

    QVector<quint32> lastFrameSizes;
    for (qint64 k = 1; k * fps <= qint64(count) && lastFrameSizes.size() < maxRecords; ++k) {
        const qint64 index = k * fps - 1;
        if (index >= listed || 30 * k - 1 >= chunks)
            break;
        quint32 size = uniformSize;
        if (size == 0 && !file.readBe32(entriesStart + index * 4, stsz.end, &size))
            break;
        qCDebug(sampleLog).noquote() << "idx:" << k << "addr:" << size;
        lastFrameSizes.append(size);
    }
    qDebug().noquote() << "size:" << (stco.declaredSize - 8) / 4
                       << "chFlag:" << QString::fromLatin1(stco.type)
                       << "stsz_addr:" << stsz.content << "mdat_addr:" << mdatAddr
                       << "ftell(fd):" << stco.content;

    QVector<quint32> blocks;
    for (int i = 0; i < lastFrameSizes.size(); ++i) {
        quint32 offset = 0;
        const qint64 chunk = 30 * qint64(i + 1) - 1;
        if (!file.readBe32(stco.content + 8 + chunk * 4, stco.end, &offset))
            break;
        // The end of the second's last frame, rounded up to 32 KiB.
        blocks.append((lastFrameSizes[i] + offset + 0x7FFFu) & 0xFFFF8000u);
    }
    QByteArray bytes;
    for (quint32 block : blocks) {
        // A block past the end of the file reads as zeros: it keeps its
        // second so the later samples stay on theirs.
        file.readZeroFilled(qint64(block) + 48, TelemetryFormats::layoutASize, &bytes);
        acceptSample(TelemetryFormats::decodeLayoutA(bytes, true, false));
        ++secondIndex;
    }
}

void GPSTool::readChunkOffsetMode(Mp4BoxFile &file, qint64 stcoContent, qint64 stcoEnd)
{
    quint32 declared = 0;
    if (!file.readBe32(stcoContent + 4, stcoEnd, &declared))
        return;
    const qint64 tableStart = stcoContent + 8;
    const qint64 count
        = std::min<qint64>({qint64(declared), (stcoEnd - tableStart) / 4, qint64(maxRecords)});
    QByteArray table;
    QByteArray bytes;
    for (qint64 first = 0; first < count; first += tableBatch) {
        const int n = int(qMin<qint64>(tableBatch, count - first));
        if (!file.readZeroFilled(tableStart + first * 4, n * 4, &table))
            return;
        for (int i = 0; i < n; ++i) {
            const quint32 offset = qFromBigEndian<quint32>(table.constData() + i * 4);
            // Past the end of the file: zeros, still on its own second.
            file.readZeroFilled(qint64(offset) + 65536 + 48, TelemetryFormats::layoutASize, &bytes);
            acceptSample(TelemetryFormats::decodeLayoutA(bytes, true, false));
            ++secondIndex;
        }
    }
}

void GPSTool::readGpsBox(const QString &path)
{
    qDebug().noquote() << path;
    Mp4BoxFile file(path);
    if (!file.open()) {
        qDebug() << "跳出解析1";
        return;
    }
    qint64 pos = 0;
    Mp4BoxFile::Box box;
    while (true) {
        const Mp4BoxFile::Header header = file.readHeader(pos, file.size(), &box);
        if (header == Mp4BoxFile::Header::End)
            break;
        if (header == Mp4BoxFile::Header::Bad) {
            qDebug() << "boxData init fail";
            return;
        }
        if (box.type == "moov") {
            // Only the "gps " child is needed: it is read alone instead of
            // loading the whole moov.
            qint64 childPos = box.content;
            Mp4BoxFile::Box child;
            while (file.readHeader(childPos, box.end, &child) == Mp4BoxFile::Header::Ok) {
                if (child.type == "gps ") {
                    qDebug() << "gps box has";
                    readGpsBoxEntries(file, child.start, child.end);
                }
                childPos = child.end;
            }
        }
        pos = box.end;
    }
    qDebug() << "跳出解析2";
}

void GPSTool::readGpsBoxEntries(Mp4BoxFile &file, qint64 boxStart, qint64 boxEnd)
{
    quint32 declared = 0;
    if (!file.readBe32(boxStart + 12, boxEnd, &declared))
        return;
    qDebug().noquote() << "gpsNumg个数:" << declared;
    const qint64 tableStart = boxStart + 16;
    const qint64 count
        = std::min<qint64>({qint64(declared), (boxEnd - tableStart) / 8, qint64(maxRecords)});
    // An entry's marker (at its offset + 12) and record lie in one span: the
    // entries are read several spans to a system call.
    constexpr int markerAt = 12;
    constexpr int spanBytes = 36 + TelemetryFormats::gpsBoxRecordSize;
    constexpr int entriesAtOnce = 16;
    QByteArray spans(entriesAtOnce * spanBytes, Qt::Uninitialized);
    Mp4BoxFile::Read reads[entriesAtOnce];
    QByteArray table;
    for (qint64 first = 0; first < count; first += tableBatch) {
        const int n = int(qMin<qint64>(tableBatch, count - first));
        if (!file.readZeroFilled(tableStart + first * 8, n * 8, &table))
            return;
        for (int i = 0; i < n; i += entriesAtOnce) {
            const int m = qMin(entriesAtOnce, n - i);
            for (int k = 0; k < m; ++k) {
                const qint64 entry = qFromBigEndian<quint32>(table.constData() + (i + k) * 8);
                reads[k] = {entry + markerAt, spans.data() + k * spanBytes, spanBytes, 0};
            }
            file.readMany(reads, m);
            for (int k = 0; k < m; ++k) {
                // A record past the end of the file reads as zeros and still
                // takes its second, so the later samples stay on theirs.
                const QByteArray bytes = gpsBoxRecord(reads[k], file.size());
                if (TelemetryFormats::isLayoutB(bytes))
                    acceptSample(TelemetryFormats::decodeLayoutB(bytes));
                else
                    acceptSample(TelemetryFormats::decodeLayoutA(
                        bytes.left(TelemetryFormats::layoutASize), false, true));
                ++secondIndex;
            }
        }
    }
}
