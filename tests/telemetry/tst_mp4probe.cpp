// The MP4 index reader against libavformat on the generated recordings and
// on damaged ones: the same answers, or a refusal that sends the caller to
// libavformat, never a different answer.
#include "telemetry/IndexedPackets.h"
#include "telemetry/Mp4Probe.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/fixtures/Mp4Box.h"
#include "tests/support/TestFiles.h"

#include <QDirIterator>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>
#include <limits>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

// The routing facts as GPSTool reads them from libavformat.
std::optional<MediaProbe> libavProbe(const QString &path)
{
    AVFormatContext *ctx = nullptr;
    if (avformat_open_input(&ctx, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return std::nullopt;
    const auto close = qScopeGuard([&ctx] { avformat_close_input(&ctx); });
    if (avformat_find_stream_info(ctx, nullptr) < 0)
        return std::nullopt;
    MediaProbe probe;
    probe.ok = true;
    probe.durationUs = ctx->duration;
    if (const AVDictionaryEntry *made = av_dict_get(ctx->metadata, "creation_time", nullptr, 0))
        probe.creationTime = QString::fromUtf8(made->value);
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *st = ctx->streams[i];
        const AVCodecParameters *par = st->codecpar;
        MediaStream s;
        switch (par->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            s.kind = MediaStream::Kind::Video;
            break;
        case AVMEDIA_TYPE_AUDIO:
            s.kind = MediaStream::Kind::Audio;
            break;
        case AVMEDIA_TYPE_DATA:
            s.kind = MediaStream::Kind::Data;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            s.kind = MediaStream::Kind::Subtitle;
            break;
        default:
            s.kind = MediaStream::Kind::Other;
            break;
        }
        s.id = st->id;
        s.codecName = QString::fromLatin1(avcodec_get_name(par->codec_id));
        s.profile = par->profile;
        if (const AVCodec *decoder = avcodec_find_decoder(par->codec_id);
            decoder && decoder->profiles) {
            for (const AVProfile *p = decoder->profiles; p->profile != FF_PROFILE_UNKNOWN; ++p) {
                if (p->profile == par->profile) {
                    s.highProfile = p->name && QLatin1String(p->name) == QLatin1String("High");
                    break;
                }
            }
        }
        s.width = par->width;
        s.height = par->height;
        s.bitRate = par->bit_rate;
        s.frames = st->nb_frames;
        s.frameRateNum = st->avg_frame_rate.num;
        s.frameRateDen = st->avg_frame_rate.den;
        probe.streams.append(s);
    }
    return probe;
}

// The packets libavformat reads of one stream, and the first headBytes of
// each into heads.
QVector<SampleRef> libavPackets(const QString &path,
                                int streamIndex,
                                QByteArrayList *heads = nullptr,
                                int headBytes = 0)
{
    QVector<SampleRef> packets;
    AVFormatContext *ctx = nullptr;
    if (avformat_open_input(&ctx, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return packets;
    const auto close = qScopeGuard([&ctx] { avformat_close_input(&ctx); });
    if (avformat_find_stream_info(ctx, nullptr) < 0)
        return packets;
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        ctx->streams[i]->discard = int(i) == streamIndex ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    AVPacket *packet = av_packet_alloc();
    while (av_read_frame(ctx, packet) >= 0) {
        if (packet->stream_index == streamIndex) {
            packets.append({packet->pos, packet->size});
            if (heads)
                heads->append(QByteArray(reinterpret_cast<const char *>(packet->data),
                                         qMin(packet->size, headBytes)));
        }
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    return packets;
}

QString describe(const MediaProbe &p)
{
    QString text
        = QString("ok=%1 duration=%2 created=%3\n").arg(p.ok).arg(p.durationUs).arg(p.creationTime);
    for (const MediaStream &s : p.streams) {
        text += QString("kind=%1 id=%2 codec=%3 profile=%4 high=%5 %6x%7 rate=%8 frames=%9 "
                        "fps=%10/%11\n")
                    .arg(int(s.kind))
                    .arg(s.id)
                    .arg(s.codecName)
                    .arg(s.profile)
                    .arg(s.highProfile)
                    .arg(s.width)
                    .arg(s.height)
                    .arg(s.bitRate)
                    .arg(s.frames)
                    .arg(s.frameRateNum)
                    .arg(s.frameRateDen);
    }
    return text;
}

// The 32-bit field at offset bytes after the payload start of the first
// (or last) box of type.
QByteArray withField(QByteArray mp4, const char *type, int offset, quint32 value, bool last = false)
{
    const int at = last ? mp4.lastIndexOf(type) : mp4.indexOf(type, topLevelBox(mp4, "moov"));
    if (at > 0)
        setBe32(&mp4, at + 4 + offset, value);
    return mp4;
}

} // namespace

class TestMp4Probe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void probeMatchesLibav_data();
    void probeMatchesLibav();
    void everyWayOfReadingAgrees_data();
    void everyWayOfReadingAgrees();

private:
    QTemporaryDir m_dir;
};

void TestMp4Probe::initTestCase()
{
    av_log_set_level(AV_LOG_QUIET);
    QVERIFY(m_dir.isValid());
    QCOMPARE(makeAllRecordings(m_dir.path()), QString());
    RecordingFactory factory(m_dir.path());
    const QVector<FixtureSample> drive = tripDrive(0, 3);
    QVERIFY2(factory.makePlain("plain.mov", 2, false), qPrintable(factory.error()));
    QVector<FixtureSample> tenPerSecond;
    for (const FixtureSample &s : drive)
        tenPerSecond << QVector<FixtureSample>(10, s);
    QVERIFY2(factory.makeBinaryStream("binary-second-together.mp4", tenPerSecond, 10, true),
             qPrintable(factory.error()));
    QVERIFY2(factory.makePlain("plain-audio.mov", 2, true), qPrintable(factory.error()));
    QVector<FixtureSample> twice;
    for (const FixtureSample &s : drive)
        twice << s << s;
    factory.setEncoder("libx265");
    QVERIFY2(
        factory.makeGpsBox("hevc-gpsbox.mp4", drive, RecordingFactory::GpsBoxForm::LayoutB, true),
        qPrintable(factory.error()));
    QVERIFY2(factory.makeBinaryStream("hevc-binary.mp4", twice, 2), qPrintable(factory.error()));
    QVERIFY2(factory.makeTextStream("hevc-text.mp4", drive), qPrintable(factory.error()));
    QVERIFY2(factory.makePlain("hevc-plain.mov", 2, false), qPrintable(factory.error()));

    const QByteArray good = readAll(factory.path(FixtureNames::binaryStream));
    const QByteArray text = readAll(factory.path(FixtureNames::textStream));
    QVERIFY(!good.isEmpty() && !text.isEmpty());
    const int moov = topLevelBox(good, "moov");
    QVERIFY(moov > 0);
    const QVector<QPair<QString, QByteArray>> hostile = {
        {"tracks-0.mp4", withTrackCount(good, 0)},
        {"tracks-3.mp4", withTrackCount(good, 3)},
        {"tracks-70.mp4", withTrackCount(text, 70)},
        {"no-moov.mp4", good.left(moov)},
        {"moov-cut.mp4", good.left(moov + (good.size() - moov) / 2)},
        {"moov-size-huge.mp4", withField(good, "moov", -4, 0x7FFFFFF0)},
        {"ctime-zero.mp4", withField(good, "mvhd", 4, 0)},
        {"ctime-unix.mp4", withField(good, "mvhd", 4, 1682942400)},
        {"stsz-count-huge.mp4", withField(good, "stsz", 8, 0x7FFFFFFF, true)},
        {"sample-size-huge.mp4", withField(good, "stsz", 12, 0x7FFFFFFF, true)},
        {"stts-count-short.mp4", withField(good, "stts", 8, 3, true)},
        {"stco-past-end.mp4", withField(good, "stco", 8, 0xFFFFFF00, true)},
        {"stsc-past-chunks.mp4", withField(good, "stsc", 8, 0x7FFF, true)},
        {"mvhd-timescale-zero.mp4", withField(good, "mvhd", 16, 0)},
        {"not-ftyp-first.mp4", good.mid(good.indexOf("mdat") - 4)},
    };
    for (const auto &file : hostile)
        QVERIFY(!file.second.isEmpty() && writeAll(m_dir.filePath(file.first), file.second));
}

void TestMp4Probe::probeMatchesLibav_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("camera"); // a camera recording Mp4Probe must answer itself
    const QStringList cameras = {FixtureNames::gpsBoxA264,
                                 FixtureNames::gpsBoxA,
                                 FixtureNames::gpsBoxB,
                                 FixtureNames::blockSampleSize,
                                 FixtureNames::blockChunkOffset,
                                 FixtureNames::textStream,
                                 FixtureNames::binaryStream,
                                 "binary-second-together.mp4",
                                 "plain.mov",
                                 "plain-audio.mov",
                                 "hevc-gpsbox.mp4",
                                 "hevc-binary.mp4",
                                 "hevc-text.mp4",
                                 "hevc-plain.mov",
                                 "ctime-zero.mp4",
                                 "ctime-unix.mp4"};
    QDirIterator files(m_dir.path(), QDir::Files);
    QStringList paths;
    while (files.hasNext())
        paths << files.next();
    QDirIterator regressions(QStringLiteral(KELMORA_SOURCE_DIR "/fuzz/regressions"), {"*.mp4"},
                             QDir::Files, QDirIterator::Subdirectories);
    while (regressions.hasNext())
        paths << regressions.next();
    paths.sort();
    for (const QString &path : qAsConst(paths)) {
        const QString name = QFileInfo(path).dir().dirName() + "/" + QFileInfo(path).fileName();
        QTest::newRow(qPrintable(name)) << path << cameras.contains(QFileInfo(path).fileName());
    }
}

void TestMp4Probe::probeMatchesLibav()
{
    QFETCH(QString, path);
    QFETCH(bool, camera);
    const std::optional<MediaProbe> mine = Mp4Probe::probe(path);
    const std::optional<MediaProbe> libav = libavProbe(path);
    if (camera)
        QVERIFY2(mine && mine->ok, "a camera recording was refused");
    if (!mine)
        return;
    if (!libav) {
        QVERIFY2(!mine->ok, "libavformat refuses what Mp4Probe answered");
        return;
    }
    QCOMPARE(describe(*mine), describe(*libav));

    for (int i = 0; i < mine->streams.size(); ++i) {
        const MediaStream::Kind kind = mine->streams[i].kind;
        if (kind != MediaStream::Kind::Data && kind != MediaStream::Kind::Subtitle)
            continue;
        const std::optional<QVector<SampleRef>> refs = Mp4Probe::samples(path, i, 1000000);
        if (camera)
            QVERIFY2(refs, "the packets of a camera recording were refused");
        if (!refs)
            continue;
        // Read straight from the file (runs of adjacent packets at once),
        // the packets hold what libavformat reads.
        constexpr int headBytes = 200;
        QByteArrayList theirs;
        const QVector<SampleRef> packets = libavPackets(path, i, &theirs, headBytes);
        QCOMPARE(refs->size(), packets.size());
        for (int k = 0; k < packets.size(); ++k) {
            QCOMPARE(refs->at(k).offset, packets[k].offset);
            QCOMPARE(refs->at(k).size, packets[k].size);
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        // One run at a time, in batches, and read ahead on a second thread,
        // each from the first packet.
        constexpr int never = std::numeric_limits<int>::max();
        for (const auto &[batchedFrom, aheadFrom] :
             {std::pair {never, never}, {0, never}, {never, 0}}) {
            QByteArrayList mine;
            IndexedPackets::read(
                file, *refs, headBytes,
                [&mine](const char *data, int size) { mine.append(QByteArray(data, size)); },
                batchedFrom, aheadFrom);
            QCOMPARE(mine, theirs);
        }
        const std::optional<QVector<SampleRef>> few = Mp4Probe::samples(path, i, 2);
        QVERIFY(few && few->size() == qMin(2, packets.size()));
    }
}

void TestMp4Probe::everyWayOfReadingAgrees_data()
{
    QTest::addColumn<int>("endAt");
    QTest::addColumn<int>("pauseEvery");
    // Packets run to the end of the file, end at a cut packet or at one past
    // the end (the last, or one before others), or stop at a packet of no
    // size; a sink that pauses now and then lets the reader fill the ring and
    // sleep.
    QTest::newRow("whole stream") << 0 << 0;
    QTest::newRow("whole stream, slow sink") << 0 << 700;
    QTest::newRow("cut at the end of the file") << 1 << 0;
    QTest::newRow("past the end of the file") << 2 << 0;
    QTest::newRow("unsized packet") << 3 << 1000;
    QTest::newRow("a packet past the end before others") << 4 << 0;
}

void TestMp4Probe::everyWayOfReadingAgrees()
{
    QFETCH(int, endAt);
    QFETCH(int, pauseEvery);
    constexpr int headBytes = 48;
    // Chunks of adjacent packets (small and over the head) between gaps.
    QVector<SampleRef> refs;
    qint64 at = 0;
    for (int i = 0; i < 5000; ++i) {
        const int size = i % 7 == 3 ? 90 : 10 + i % 31;
        refs.append({at, size});
        at += size + (i % 5 == 4 ? 1000 + i % 13 : 0);
    }
    QByteArray bytes(int(at), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + i / 251);
    if (endAt == 1)
        bytes.resize(int(refs.last().offset + refs.last().size / 2));
    if (endAt == 2)
        refs.append({at + 4096, 20});
    if (endAt == 3)
        refs[3100].size = -1;
    if (endAt == 4)
        refs[2000] = {at + 4096, 20};
    const QString path = m_dir.filePath("packets.bin");
    QVERIFY(writeAll(path, bytes));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    constexpr int never = std::numeric_limits<int>::max();
    const auto readAs = [&](int batchedFrom, int aheadFrom) {
        QByteArrayList packets;
        IndexedPackets::read(
            file, refs, headBytes,
            [&](const char *data, int size) {
                packets.append(QByteArray(data, size));
                if (pauseEvery && packets.size() % pauseEvery == 0)
                    QThread::msleep(2);
            },
            batchedFrom, aheadFrom);
        return packets;
    };
    const QByteArrayList onThisThread = readAs(never, never);
    const QByteArrayList ahead = readAs(never, 0);
    QCOMPARE(ahead.size(), onThisThread.size());
    QCOMPARE(ahead, onThisThread);
    const QByteArrayList batched = readAs(0, never);
    QCOMPARE(batched.size(), onThisThread.size());
    QCOMPARE(batched, onThisThread);
    QCOMPARE(onThisThread.size(), endAt == 3 ? 3100 : endAt == 4 ? 2000 : 5000);
    if (endAt == 1)
        QCOMPARE(onThisThread.last().size(), refs.last().size / 2);
}

QTEST_GUILESS_MAIN(TestMp4Probe)
#include "tst_mp4probe.moc"
