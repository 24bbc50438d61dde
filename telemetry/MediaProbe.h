#pragma once

#include <QString>
#include <QVector>

// What routing a recording to its telemetry reader needs to know of its
// container, in libavformat's terms, whoever read it.
struct MediaStream
{
    enum class Kind { Video, Audio, Data, Subtitle, Other };
    Kind kind = Kind::Other;
    int id = 0; // the container's id (an MP4 track id), as AVStream::id
    QString codecName; // as avcodec_get_name(): "h264", "hevc", "aac", "mov_text", "none", ...
    int profile = -99; // as AVCodecParameters::profile (-99: unknown)
    bool highProfile = false; // the decoder names the profile "High"
    int width = 0;
    int height = 0;
    qint64 bitRate = 0;
    qint64 frames = 0; // AVStream::nb_frames
    int frameRateNum = 0; // AVStream::avg_frame_rate
    int frameRateDen = 1;
};

struct MediaProbe
{
    bool ok = false; // false: the file cannot be probed
    QVector<MediaStream> streams;
    qint64 durationUs = 0; // AVFormatContext::duration
    QString creationTime; // container metadata "creation_time", as libavformat gives it
};

// Where one packet of a stream lies in the file.
struct SampleRef
{
    qint64 offset = 0;
    int size = 0;
};
