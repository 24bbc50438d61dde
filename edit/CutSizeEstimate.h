#pragma once

#include <QString>

// Estimated output sizes of a cut, from the record's bit rates (bits per
// second, as text) and the kept tracks. Results are bytes; the texts are MB
// with one decimal. With neither track kept both estimates use the audio rate.
namespace CutSizeEstimate {

// Video bit rate of the 720-line re-encoding: the original scaled by 1280 / width.
double rate720(const QString &videoBitRate, const QString &width);

qint64 originalBytes(double videoRate, double audioRate, bool hasVideo, bool hasAudio, int seconds);
qint64 bytes720(double rate720, double audioRate, bool hasVideo, bool hasAudio, int seconds);

// Original text: the record's own size text when the whole recording with
// both tracks is chosen, the estimate otherwise.
QString originalText(const QString &videoBitRate,
                     const QString &audioBitRate,
                     const QString &recordSize,
                     int duration,
                     bool hasVideo,
                     bool hasAudio,
                     int seconds);
QString text720(const QString &videoBitRate,
                const QString &audioBitRate,
                const QString &width,
                bool hasVideo,
                bool hasAudio,
                int seconds);

} // namespace CutSizeEstimate
