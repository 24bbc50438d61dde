#pragma once

#include "library/ClipFacts.h"

#include <QString>
#include <QVector>

// One drive: recordings whose times run on without a break, on every channel
// that recorded it. Figures come from the lead channel (the one with the most
// fixes), so a second camera's copy of the track is not counted twice.
struct Trip
{
    QVector<int> clips; // every recording of the trip (input indexes), by start then path
    QVector<int> leadClips; // the lead channel's recordings by start: the playing order
    QString leadChannel;
    qint64 startMs = -1; // UTC milliseconds; -1 for a recording without a time
    qint64 endMs = -1;
    double metres = 0; // great-circle steps between the lead channel's fixes
    double maxKnots = 0;
    double averageMovingKnots = 0; // 0 when it never moved
    bool dated() const { return startMs >= 0; }
    qint64 durationMs() const { return dated() ? endMs - startMs : 0; }
};

namespace TripBuilder {

// A recording continues its channel's trip when it starts at most this long
// after the previous one ends (cameras leave a second or two between files).
constexpr qint64 maxGapMs = 5000;

// Trips in time order; recordings without a time each make a trip of their
// own, after the dated ones, in input order.
QVector<Trip> group(const QVector<ClipFacts> &clips);

} // namespace TripBuilder
