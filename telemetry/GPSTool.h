#pragma once

#include "library/GpsItem.h"
#include "library/VideoMessage.h"
#include "telemetry/LibavProbe.h"
#include "telemetry/MediaProbe.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>

class DbModel;
class Mp4BoxFile;
class Mp4Probe;

// Probes one recording (its own MP4 index, else libavformat) and extracts its GPS and G-sensor
// samples into a VideoMessage. One object per parse, used on the caller's
// thread; parse() is synchronous.
class GPSTool
{
public:
    GPSTool();
    ~GPSTool();
    GPSTool(const GPSTool &) = delete;
    GPSTool &operator=(const GPSTool &) = delete;

    // Probe, read the telemetry and derive the summary figures into record.
    void parse(const DbModel &model);
    // Only the media fields (frame size, kind, duration) and the figures of
    // no samples: what playing needs at once. Returns the reader route.
    int probe(const DbModel &model);

    // 10 for the block-track layout, else the stream count; 0 when the file
    // cannot be probed (or is a transport stream).
    int probeMedia(const QString &path);
    static bool isBlockLayoutName(const QString &path);

    // The three payload readers; each hands every decoded sample to
    // acceptSample. Public for the tests and fuzz targets.
    void readDataStream(const QString &path);
    void readBlockTrack(const QString &path);
    void readGpsBox(const QString &path);

    // Rejects out-of-range positions and jumps of half a degree or more
    // against last by clearing the sample's status.
    static void validatePosition(GpsItem &sample, const GpsItem &last);
    void storeRecord(GpsItem sample);
    // The order every reader follows for each decoded sample: validate,
    // remember as last accepted, store. The caller advances secondIndex.
    void acceptSample(GpsItem sample);
    // Average and maximum speed, counts and the China flag from the stored samples.
    void deriveFigures();

    // Upper bound of samples one reader takes from a file (a day and more of
    // per-second samples); keeps a hostile table from exhausting memory.
    static constexpr int maxRecords = 200000;
    // Transport streams are never probed: they carry no telemetry here and
    // get no media fields (so no stored frame size).
    static bool isProbed(const QString &path);

    // Where the system cannot read a long data stream in batches, it is read
    // on a second thread while it is decoded; off where the cores are busy
    // already (several files at once).
    bool readAhead = true;

    VideoMessage record;
    GpsItem lastAccepted;
    int secondIndex = 0;
    int recordsRead = 0;
    int recordsPerSecond = 1;
    // Knots with their fractions: a sum truncated after each addition read
    // the average up to a knot low.
    double speedSum = 0;
    int speedCount = 0;
    int storedCount = 0;
    bool inChina = false;

private:
    // probe() without setting the record's clock.
    int probeRecord(const DbModel &model);

    // toDouble of texts that come back from one sample to the next (the
    // position is read by the check, the store and as the next sample's last
    // position; the highest speed by every store): each is parsed once.
    class TextValues
    {
    public:
        double of(const QString &text);

    private:
        QString m_texts[2];
        double m_values[2] = {0, 0};
        int m_next = 0;
    };

    static void
    checkPosition(GpsItem &sample, double lat, double lon, double lastLat, double lastLon);
    // acceptSample and storeRecord for a reader that knows whether a later
    // sample of the same second follows; finishSamples() then writes what a
    // stream that ended inside a second left pending.
    void accept(GpsItem sample, bool lastOfSecond);
    void store(GpsItem sample, bool lastOfSecond);
    void storeAxes();
    void finishSamples();

    // The container facts of path: Mp4Probe's, else libavformat's; kept for
    // the reader that follows the probe.
    const MediaProbe &mediaOf(const QString &path);
    // Reads the packets of one stream at the offsets of the MP4 index; false
    // when the index cannot list them.
    bool
    readIndexedPackets(const QString &path, int streamIndex, const LibavProbe::PacketSink &sink);
    void readGpsBoxEntries(Mp4BoxFile &file, qint64 boxStart, qint64 boxEnd);
    void enterTrack(
        Mp4BoxFile &file, qint64 trakContent, qint64 trakEnd, int trackNumber, qint64 mdatAddr);
    void readSampleSizeMode(Mp4BoxFile &file,
                            qint64 stszStart,
                            qint64 stszEnd,
                            qint64 stblEnd,
                            quint32 fps,
                            qint64 mdatAddr);
    void readChunkOffsetMode(Mp4BoxFile &file, qint64 stcoContent, qint64 stcoEnd);

    std::optional<MediaProbe> m_media;
    QString m_mediaPath;
    // The MP4 index behind m_media, when it answered.
    std::unique_ptr<Mp4Probe> m_index;
    // The map key of secondIndex, made once per second.
    QString m_key;
    int m_keyIndex = 0;
    TextValues m_latitudes;
    TextValues m_longitudes;
    TextValues m_maxSpeeds;
    // The G-sensor axes of the last sample stored, and whether they still
    // wait to be written.
    std::array<float, 3> m_axes = {0, 0, 0};
    bool m_pendingAxes = false;
};
