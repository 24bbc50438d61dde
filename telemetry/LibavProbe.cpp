#include "telemetry/LibavProbe.h"

#include <QDebug>
#include <atomic>
#include <dlfcn.h>
#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
}

namespace {

// Consecutive read errors after which a demuxer that makes no progress is
// given up; real files recover within a few packets.
constexpr int maxConsecutiveReadErrors = 1000;
// A hostile file can declare tables that make libavformat ask for hundreds of
// megabytes at once; no real recording needs a single block this large.
constexpr size_t maxLibavAllocation = 128 * 1024 * 1024;

// The functions used, resolved from the libraries whose headers this file
// was compiled against (the sonames come from the build's configuration).
struct Libav
{
    decltype(&avformat_open_input) openInput = nullptr;
    decltype(&avformat_find_stream_info) findStreamInfo = nullptr;
    decltype(&avformat_close_input) closeInput = nullptr;
    decltype(&av_read_frame) readFrame = nullptr;
    decltype(&avcodec_find_decoder) findDecoder = nullptr;
    decltype(&avcodec_get_name) codecName = nullptr;
    decltype(&av_packet_alloc) packetAlloc = nullptr;
    decltype(&av_packet_unref) packetUnref = nullptr;
    decltype(&av_packet_free) packetFree = nullptr;
    decltype(&av_max_alloc) maxAlloc = nullptr;
    decltype(&av_dict_get) dictGet = nullptr;
    decltype(&av_dict_set) dictSet = nullptr;
    decltype(&av_dict_free) dictFree = nullptr;
    decltype(&av_log_set_level) logSetLevel = nullptr;
    bool ok = false;
};

std::once_flag loadOnce;
Libav libav;
std::atomic<bool> quietWanted {false};

template<typename F> bool resolve(void *library, const char *name, F *function)
{
    *function = reinterpret_cast<F>(dlsym(library, name));
    return *function != nullptr;
}

void loadLibav()
{
    // libavutil first: the other two need it, and RTLD_LOCAL keeps the
    // program's own symbols free of FFmpeg's.
    void *util = dlopen(KELMORA_LIBAVUTIL_SONAME, RTLD_NOW | RTLD_LOCAL);
    void *codec = util ? dlopen(KELMORA_LIBAVCODEC_SONAME, RTLD_NOW | RTLD_LOCAL) : nullptr;
    void *format = codec ? dlopen(KELMORA_LIBAVFORMAT_SONAME, RTLD_NOW | RTLD_LOCAL) : nullptr;
    if (!format) {
        qWarning().noquote() << "libav not loaded:" << QString::fromLocal8Bit(dlerror());
        return;
    }
    Libav l;
    const bool all = resolve(format, "avformat_open_input", &l.openInput)
        && resolve(format, "avformat_find_stream_info", &l.findStreamInfo)
        && resolve(format, "avformat_close_input", &l.closeInput)
        && resolve(format, "av_read_frame", &l.readFrame)
        && resolve(codec, "avcodec_find_decoder", &l.findDecoder)
        && resolve(codec, "avcodec_get_name", &l.codecName)
        && resolve(codec, "av_packet_alloc", &l.packetAlloc)
        && resolve(codec, "av_packet_unref", &l.packetUnref)
        && resolve(codec, "av_packet_free", &l.packetFree)
        && resolve(util, "av_max_alloc", &l.maxAlloc) && resolve(util, "av_dict_get", &l.dictGet)
        && resolve(util, "av_dict_set", &l.dictSet) && resolve(util, "av_dict_free", &l.dictFree)
        && resolve(util, "av_log_set_level", &l.logSetLevel);
    if (!all) {
        qWarning().noquote() << "libav not loaded: a function is missing:"
                             << QString::fromLocal8Bit(dlerror());
        return;
    }
    l.maxAlloc(maxLibavAllocation);
    if (quietWanted)
        l.logSetLevel(AV_LOG_QUIET);
    l.ok = true;
    libav = l;
}

MediaStream::Kind kindOf(AVMediaType type)
{
    switch (type) {
    case AVMEDIA_TYPE_VIDEO:
        return MediaStream::Kind::Video;
    case AVMEDIA_TYPE_AUDIO:
        return MediaStream::Kind::Audio;
    case AVMEDIA_TYPE_DATA:
        return MediaStream::Kind::Data;
    case AVMEDIA_TYPE_SUBTITLE:
        return MediaStream::Kind::Subtitle;
    default:
        return MediaStream::Kind::Other;
    }
}

bool isHighProfile(const AVCodecParameters *par)
{
    const AVCodec *decoder = libav.findDecoder(par->codec_id);
    if (!decoder || !decoder->profiles)
        return false;
    for (const AVProfile *p = decoder->profiles; p->profile != FF_PROFILE_UNKNOWN; ++p) {
        if (p->profile == par->profile)
            return p->name && QLatin1String(p->name) == QLatin1String("High");
    }
    return false;
}

// Opens and probes path; nullptr (after the log line) when either fails.
AVFormatContext *openProbed(const QString &path, AVDictionary **options, unsigned maxStreams)
{
    AVFormatContext *ctx = nullptr;
    if (libav.openInput(&ctx, path.toUtf8().constData(), nullptr, options) < 0) {
        qDebug() << "无法打开视频文件";
        return nullptr;
    }
    if (ctx->nb_streams > maxStreams) {
        qDebug() << "too many streams:" << ctx->nb_streams;
        libav.closeInput(&ctx);
        return nullptr;
    }
    if (libav.findStreamInfo(ctx, nullptr) < 0) {
        qDebug() << "无法获取流信息";
        libav.closeInput(&ctx);
        return nullptr;
    }
    return ctx;
}

} // namespace

bool LibavProbe::load()
{
    std::call_once(loadOnce, loadLibav);
    return libav.ok;
}

void LibavProbe::setQuiet()
{
    quietWanted = true;
    // Before loading this only records the wish; loading applies it.
    if (libav.ok)
        libav.logSetLevel(AV_LOG_QUIET);
}

MediaProbe LibavProbe::probe(const QString &path)
{
    MediaProbe media;
    if (!load())
        return media;
    AVFormatContext *ctx = openProbed(path, nullptr, maxStreams);
    if (!ctx)
        return media;
    media.ok = true;
    media.durationUs = ctx->duration;
    if (const AVDictionaryEntry *made = libav.dictGet(ctx->metadata, "creation_time", nullptr, 0))
        media.creationTime = QString::fromUtf8(made->value);
    for (unsigned i = 0; i < ctx->nb_streams; ++i) {
        const AVStream *st = ctx->streams[i];
        const AVCodecParameters *par = st->codecpar;
        MediaStream stream;
        stream.kind = kindOf(par->codec_type);
        stream.id = st->id;
        stream.codecName = QString::fromLatin1(libav.codecName(par->codec_id));
        stream.profile = par->profile;
        stream.highProfile = isHighProfile(par);
        stream.width = par->width;
        stream.height = par->height;
        stream.bitRate = par->bit_rate;
        stream.frames = st->nb_frames;
        stream.frameRateNum = st->avg_frame_rate.num;
        stream.frameRateDen = st->avg_frame_rate.den;
        media.streams.append(stream);
    }
    libav.closeInput(&ctx);
    return media;
}

bool LibavProbe::readPackets(const QString &path,
                             int streamIndex,
                             int maxPackets,
                             const PacketSink &sink)
{
    if (!load())
        return false;
    // Telemetry packets are a few hundred bytes between megabytes of video:
    // small reads keep each one from pulling in a whole 32 KiB buffer.
    AVDictionary *options = nullptr;
    libav.dictSet(&options, "blocksize", "4096", 0);
    AVFormatContext *ctx = openProbed(path, &options, maxStreams);
    libav.dictFree(&options);
    if (!ctx)
        return false;
    if (streamIndex < 0 || unsigned(streamIndex) >= ctx->nb_streams) {
        libav.closeInput(&ctx);
        return false;
    }
    // Only the telemetry stream is needed: discarded streams are skipped by
    // the demuxer without reading their payload.
    for (unsigned i = 0; i < ctx->nb_streams; ++i)
        ctx->streams[i]->discard = int(i) == streamIndex ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    AVPacket *packet = libav.packetAlloc();
    int errors = 0;
    int taken = 0;
    while (packet && taken < maxPackets) {
        const int result = libav.readFrame(ctx, packet);
        if (result == AVERROR_EOF)
            break;
        if (result == AVERROR_EXIT || result == AVERROR_INVALIDDATA) {
            qDebug() << (result == AVERROR_EXIT ? "GPSTool AVERROR_EXIT"
                                                : "GPSTool AVERROR_INVALIDDATA");
            if (++errors >= maxConsecutiveReadErrors)
                break;
            continue;
        }
        if (result < 0) {
            qDebug().nospace() << "GPSTool read Packet fail or timeOut ";
            break;
        }
        errors = 0;
        if (packet->stream_index == streamIndex) {
            ++taken;
            sink(reinterpret_cast<const char *>(packet->data), packet->data ? packet->size : 0);
        }
        libav.packetUnref(packet);
    }
    libav.packetFree(&packet);
    libav.closeInput(&ctx);
    return true;
}
