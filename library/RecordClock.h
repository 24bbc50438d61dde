#pragma once

#include <QDateTime>
#include <QString>

class VideoMessage;

// One clock for every sample of a recording. In order of trust: the payload's
// own GPS date and time (UTC); where the payload lacks the day, that day is
// taken from the recording's start by the camera's clock (file name, else the
// container's creation time); where it lacks the whole date, the start plus
// the sample's second. The camera clock's offset from UTC is measured where
// both are present. An impossible payload date gives no time, never a guess.
namespace RecordClock {

// Earliest plausible GPS year: receivers report 2000 (or the GPS epoch)
// before their first fix.
constexpr int firstYear = 2004;
constexpr int lastYear = 2099;
// Offsets beyond this are a camera clock that was never set, not a zone.
constexpr int maxOffsetMinutes = 14 * 60;

// The camera's start time written in a file name ("2023_0501_120000_F.MOV",
// "20230501_120000", "NO20230501-120000-000001F", "FILE230501-120000F"), as a
// zone-less date and time; invalid when the name holds none.
QDateTime nameTime(const QString &fileName);

// Fills the record's clock fields and every sample's utcTime, and measures
// the track's great-circle length. Idempotent.
void apply(VideoMessage &record);

// UTC time of second `second` of the recording: the sample's own time, else
// the camera start plus the second; invalid when neither is known.
QDateTime timeAt(const VideoMessage &record, int second);
// UTC time of the recording's first second; invalid when unknown.
QDateTime startUtc(const VideoMessage &record);

// "+01:00", "-05:30", "+00:00".
QString offsetText(int minutes);
// The camera's local time of a UTC time: utc shifted by the record's offset,
// as "yyyy-MM-dd HH:mm:ss".
QString localText(const VideoMessage &record, const QDateTime &utc);

QString utcText(const QDateTime &utc); // "yyyy-MM-ddTHH:mm:ssZ"
QDateTime parseUtc(const QString &text); // invalid for an empty or bad text

} // namespace RecordClock
