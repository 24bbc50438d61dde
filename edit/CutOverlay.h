#pragma once

#include "library/VideoMessage.h"

#include <QString>
#include <QStringList>

class CmdModel;

// The telemetry a cut or a still carries: an ASS subtitle of speed, camera
// time and position burnt into the picture by ffmpeg's subtitles filter, and
// the track of the cut's range beside the cut as GPX and CSV. GUI-free.
namespace CutOverlay {

// Caption of one second of the record, one line each: speed in the unit,
// camera local time with its UTC offset, position in the format. Lines that
// are not known are left out; empty when the record has no sample there.
// speedUnit and coordinateFormat are the stored choice numbers.
QStringList
captionLines(const VideoMessage &record, int second, int speedUnit, int coordinateFormat);

// Text as a literal in an ASS dialogue line (no override blocks, no escapes).
QString assText(const QString &text);
// "H:MM:SS.cc", the ASS event time.
QString assTime(int centiseconds);

// A whole ASS script for seconds [start, end) of the record, one event per
// second that has a caption, shifted so that `start` is at 0. Its
// coordinates are the record's frame size; the font scales with the height.
QString
assScript(const VideoMessage &record, int start, int end, int speedUnit, int coordinateFormat);

// The record cut to [start, end): only the samples inside, their seconds
// shifted so that `start` is 0; sample UTC times stay the real ones. path
// becomes videoPath so that the track names the cut.
VideoMessage rangeRecord(const VideoMessage &record, int start, int end, const QString &videoPath);

// Writes rangeRecord as GPX and CSV next to videoPath, same base name.
// Returns the empty text on success, else what failed.
QString writeTrack(const VideoMessage &record, int start, int end, const QString &videoPath);

// Writes script into a fresh temporary folder under a plain ASCII name and
// points job's subtitlePath at it; the folder lives as long as job. False
// when it cannot be written (the job then runs without an overlay).
bool attachScript(CmdModel *job, const QString &script);

} // namespace CutOverlay
