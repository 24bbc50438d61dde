#include "library/ThumbnailMaker.h"

#include "app/Helpers.h"
#include "library/CmdModel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace {

struct Interrupt
{
    const ThumbnailMaker::CancelCheck *cancelled = nullptr;
    QDeadlineTimer deadline;
    bool wasCancelled = false;
    bool timedOut = false;
};

// Called by libavformat inside every blocking read: a cancel or the time
// limit ends an open or a read of a slow or endless source at once.
int interruptCallback(void *opaque)
{
    auto *state = static_cast<Interrupt *>(opaque);
    if (*state->cancelled && (*state->cancelled)())
        state->wasCancelled = true;
    else if (state->deadline.hasExpired())
        state->timedOut = true;
    return state->wasCancelled || state->timedOut;
}

struct InputCloser
{
    void operator()(AVFormatContext *context) const { avformat_close_input(&context); }
};
struct CodecFreer
{
    void operator()(AVCodecContext *context) const { avcodec_free_context(&context); }
};
struct PacketFreer
{
    void operator()(AVPacket *packet) const { av_packet_free(&packet); }
};
struct FrameFreer
{
    void operator()(AVFrame *frame) const { av_frame_free(&frame); }
};
struct ScalerFreer
{
    void operator()(SwsContext *context) const { sws_freeContext(context); }
};

bool writePng(const AVFrame *frame, const QString &target)
{
    std::unique_ptr<SwsContext, ScalerFreer> scaler(sws_getContext(
        frame->width, frame->height, AVPixelFormat(frame->format), ThumbnailMaker::Side,
        ThumbnailMaker::Side, AV_PIX_FMT_RGB24, SWS_BICUBIC, nullptr, nullptr, nullptr));
    if (!scaler)
        return false;
    QImage image(ThumbnailMaker::Side, ThumbnailMaker::Side, QImage::Format_RGB888);
    uint8_t *planes[4] = {image.bits(), nullptr, nullptr, nullptr};
    int strides[4] = {int(image.bytesPerLine()), 0, 0, 0};
    if (sws_scale(scaler.get(), frame->data, frame->linesize, 0, frame->height, planes, strides)
        != ThumbnailMaker::Side)
        return false;
    // A crash or a full disk leaves the old state, never a truncated picture.
    QSaveFile file(target);
    return file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit();
}

// The first decoded picture of the best video stream, or the failure.
ThumbnailResult decodeFirstPicture(const QString &videoPath,
                                   const QString &target,
                                   const ThumbnailMaker::CancelCheck &cancelled)
{
    Interrupt state;
    state.cancelled = &cancelled;
    state.deadline = QDeadlineTimer(ThumbnailMaker::TimeLimitMs);
    const auto stopped = [&] {
        return state.wasCancelled ? ThumbnailResult::Interrupted : ThumbnailResult::NoPicture;
    };

    AVFormatContext *raw = avformat_alloc_context();
    if (!raw)
        return ThumbnailResult::NoPicture;
    raw->interrupt_callback = {interruptCallback, &state};
    raw->probesize = 5 * 1024 * 1024;
    raw->max_analyze_duration = 5 * AV_TIME_BASE;
    if (avformat_open_input(&raw, QFile::encodeName(videoPath).constData(), nullptr, nullptr) < 0) {
        // Freed by the failed open.
        if (state.wasCancelled)
            return ThumbnailResult::Interrupted;
        return state.timedOut ? ThumbnailResult::Unreadable : ThumbnailResult::NotRecording;
    }
    std::unique_ptr<AVFormatContext, InputCloser> input(raw);

    // Containers with a header (mp4, mov) already know their streams; the
    // analysis would decode several frames of each just to confirm them.
    const auto knowsVideo = [&] {
        for (unsigned i = 0; i < input->nb_streams; ++i) {
            const AVCodecParameters *par = input->streams[i]->codecpar;
            if (par->codec_type == AVMEDIA_TYPE_VIDEO && par->codec_id != AV_CODEC_ID_NONE
                && par->width > 0 && par->height > 0)
                return true;
        }
        return false;
    };
    if (!knowsVideo() && avformat_find_stream_info(input.get(), nullptr) < 0) {
        if (state.wasCancelled || state.timedOut)
            return stopped();
        return ThumbnailResult::NotRecording;
    }
    const AVCodec *decoder = nullptr;
    const int index = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
    if (index < 0) {
        if (state.wasCancelled)
            return ThumbnailResult::Interrupted;
        return index == AVERROR_DECODER_NOT_FOUND ? ThumbnailResult::NoPicture
                                                  : ThumbnailResult::NotRecording;
    }
    // Attached pictures (cover art) are no recording's picture.
    if (input->streams[index]->disposition & AV_DISPOSITION_ATTACHED_PIC)
        return ThumbnailResult::NotRecording;
    for (unsigned i = 0; i < input->nb_streams; ++i)
        input->streams[i]->discard = int(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;

    std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(decoder));
    if (!codec || avcodec_parameters_to_context(codec.get(), input->streams[index]->codecpar) < 0)
        return ThumbnailResult::NoPicture;
    // Batches run one file per core: more threads per file only add start-up
    // cost and delay the first picture.
    codec->thread_count = 1;
    codec->pkt_timebase = input->streams[index]->time_base;
    if (avcodec_open2(codec.get(), decoder, nullptr) < 0)
        return ThumbnailResult::NoPicture;

    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    std::unique_ptr<AVFrame, FrameFreer> frame(av_frame_alloc());
    if (!packet || !frame)
        return ThumbnailResult::NoPicture;
    const auto picture = [&]() -> bool {
        return avcodec_receive_frame(codec.get(), frame.get()) == 0 && frame->width > 0
            && frame->height > 0;
    };

    int packets = 0;
    qint64 bytes = 0;
    bool gotPicture = false;
    while (!gotPicture && packets < ThumbnailMaker::MaxPackets
           && bytes < ThumbnailMaker::MaxBytes) {
        const int read = av_read_frame(input.get(), packet.get());
        if (read < 0) {
            if (state.wasCancelled || state.timedOut)
                return stopped();
            // End of file (or a damaged tail): what the decoder still holds.
            if (avcodec_send_packet(codec.get(), nullptr) == 0)
                gotPicture = picture();
            break;
        }
        ++packets;
        bytes += packet->size;
        if (packet->stream_index == index) {
            // A damaged packet is skipped, as ffmpeg does; the next may decode.
            if (avcodec_send_packet(codec.get(), packet.get()) == 0)
                gotPicture = picture();
        }
        av_packet_unref(packet.get());
        // Decoding does not call back: check between packets too.
        if (interruptCallback(&state))
            return stopped();
    }
    if (!gotPicture)
        return ThumbnailResult::NoPicture;
    if (cancelled && cancelled())
        return ThumbnailResult::Interrupted;
    if (!writePng(frame.get(), target)) {
        qWarning().noquote() << "thumbnail not written:" << target;
        return ThumbnailResult::NoPicture;
    }
    return ThumbnailResult::Made;
}

} // namespace

ThumbnailResult ThumbnailMaker::make(const QString &videoPath, const CancelCheck &cancelled)
{
    return makeAt(videoPath, QDir(thumbnailPath()).filePath(CmdModel::thumbnailName(videoPath)),
                  cancelled);
}

ThumbnailResult ThumbnailMaker::makeAt(const QString &videoPath,
                                       const QString &target,
                                       const CancelCheck &cancelled)
{
    const QFileInfo info(videoPath);
    // A folder named like a recording is never one, though it would take the
    // thumbnail of a recording of the same base name.
    if (info.isDir())
        return ThumbnailResult::Unreadable;
    if (QFileInfo::exists(target))
        return ThumbnailResult::Reused;
    // Pipes and devices could block or never end; an empty file holds nothing.
    if (!info.isFile() || !info.isReadable() || info.size() == 0)
        return ThumbnailResult::Unreadable;
    if (cancelled && cancelled())
        return ThumbnailResult::Interrupted;
    return decodeFirstPicture(videoPath, target, cancelled);
}

bool ThumbnailMaker::isFailure(ThumbnailResult result)
{
    return result == ThumbnailResult::Unreadable || result == ThumbnailResult::NotRecording
        || result == ThumbnailResult::NoPicture;
}

QString ThumbnailMaker::reasonText(ThumbnailResult result)
{
    switch (result) {
    case ThumbnailResult::Unreadable:
        return QCoreApplication::translate("ThumbnailMaker", "unreadable");
    case ThumbnailResult::NotRecording:
        return QCoreApplication::translate("ThumbnailMaker", "not a recording");
    case ThumbnailResult::NoPicture:
        return QCoreApplication::translate("ThumbnailMaker", "no picture");
    default:
        return QString();
    }
}
