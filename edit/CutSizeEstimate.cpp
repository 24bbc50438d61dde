#include "edit/CutSizeEstimate.h"

#include "app/Helpers.h"

namespace CutSizeEstimate {

double rate720(const QString &videoBitRate, const QString &width)
{
    const double w = width.toDouble();
    if (w <= 0)
        return 0; // unknown width: no estimate rather than an infinite one
    return videoBitRate.toDouble() * (1280.0 / w);
}

static qint64
estimate(double videoRate, double audioRate, bool hasVideo, bool hasAudio, int seconds)
{
    double rate = audioRate;
    if (hasVideo && hasAudio)
        rate = videoRate + audioRate;
    else if (hasVideo)
        rate = videoRate;
    return qint64(rate * seconds / 8);
}

qint64 originalBytes(double videoRate, double audioRate, bool hasVideo, bool hasAudio, int seconds)
{
    return estimate(videoRate, audioRate, hasVideo, hasAudio, seconds);
}

qint64 bytes720(double rate720, double audioRate, bool hasVideo, bool hasAudio, int seconds)
{
    return estimate(rate720, audioRate, hasVideo, hasAudio, seconds);
}

QString originalText(const QString &videoBitRate,
                     const QString &audioBitRate,
                     const QString &recordSize,
                     int duration,
                     bool hasVideo,
                     bool hasAudio,
                     int seconds)
{
    if (hasVideo && hasAudio && seconds == duration)
        return recordSize;
    return formatByteSize(originalBytes(videoBitRate.toDouble(), audioBitRate.toDouble(), hasVideo,
                                        hasAudio, seconds),
                          2);
}

QString text720(const QString &videoBitRate,
                const QString &audioBitRate,
                const QString &width,
                bool hasVideo,
                bool hasAudio,
                int seconds)
{
    return formatByteSize(bytes720(rate720(videoBitRate, width), audioBitRate.toDouble(), hasVideo,
                                   hasAudio, seconds),
                          2);
}

} // namespace CutSizeEstimate
