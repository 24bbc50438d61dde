#pragma once

#include <QString>

#include <functional>

// What became of one recording's thumbnail.
enum class ThumbnailResult {
    Made, // decoded and written now
    Reused, // the thumbnail already existed
    Unreadable, // missing, unreadable, not a regular file or empty
    NotRecording, // not a media file, or one without a video stream
    NoPicture, // a video stream, but no frame of it could be decoded
    NoTool, // kept for callers of the ffmpeg-process era; never returned now
    Interrupted // cancelled before it was done
};

// Makes the 58 x 58 thumbnail of a recording in this process with libav: the
// first decoded frame of its best video stream, scaled (aspect not kept,
// bicubic) as "ffmpeg -i IN -vframes 1 -s 58*58" does, written as a PNG in one
// step so no half-written picture is ever left. Work and memory are bounded
// (probe size, packets and bytes read, a time limit) so a damaged or hostile
// file only ever costs a failure result. Safe to call from several threads at
// once; each call decodes on its own single thread.
class ThumbnailMaker
{
public:
    using CancelCheck = std::function<bool()>;

    static constexpr int Side = 58;
    static constexpr int TimeLimitMs = 10000;
    static constexpr int MaxPackets = 2000; // read without a picture: "no picture"
    static constexpr qint64 MaxBytes = 64 * 1024 * 1024;

    // The thumbnail of videoPath at its place in the thumbnail folder
    // (CmdModel::thumbnailName); an existing one is reused without decoding.
    static ThumbnailResult make(const QString &videoPath, const CancelCheck &cancelled = {});
    // The same, written to target.
    static ThumbnailResult
    makeAt(const QString &videoPath, const QString &target, const CancelCheck &cancelled = {});

    static bool isFailure(ThumbnailResult result);
    // The translated short reason of a failure ("unreadable", "no picture",
    // "not a recording"); empty for a result that is none.
    static QString reasonText(ThumbnailResult result);
};
