#pragma once

#include <QString>

// The figures of a trip as the file list and the info panel show them, in
// the user's unit. Times are the computer's local time.
namespace TripText {

// "KM" or "Miles" (speed unit 0 is km/h, anything else mph).
QString unitWord(int speedUnit);
// Metres in the unit with one decimal: "12.3 KM".
QString distanceText(double metres, int speedUnit);
// "5:00" or "1:05:00".
QString durationText(qint64 ms);
// "2023-05-01" and "12:00–12:06" in local time ("12:00:00–12:00:15" within
// one minute); empty for -1.
QString localDate(qint64 startMs);
QString localTimeSpan(qint64 startMs, qint64 endMs);

} // namespace TripText
