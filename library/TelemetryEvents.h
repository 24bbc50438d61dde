#pragma once

#include <QMetaType>
#include <QString>
#include <QVector>

class VideoMessage;

// A moment worth finding in a recording, from its G-sensor and GPS samples.
struct TelemetryEvent
{
    // Stored as these numbers; never renumber.
    enum class Kind { Braking = 0, Acceleration = 1, Turn = 2, Impact = 3, Speeding = 4 };

    Kind kind = Kind::Braking;
    int second = 0; // first second of the recording the event covers
    int endSecond = 0; // last second it covers
    double peak = 0; // g for the G-sensor kinds, knots for speeding
};

// Limits beyond which a sample counts, in g (speed in knots; 0 turns
// speeding off). The defaults are the settings' defaults: the harsh-event
// levels fleet telematics commonly use, well above the 0.1-0.25 g of
// ordinary driving. Impact is a jolt of 1.5 g away from the car's resting
// acceleration: a rough road's potholes stay below it, a collision does not.
struct EventThresholds
{
    double brakingG = 0.35;
    double accelerationG = 0.30;
    double turnG = 0.40;
    double impactG = 1.50;
    double speedLimitKnots = 0;
};

// One file's events, as the command line prints them.
struct FileEvents
{
    QString file;
    QVector<TelemetryEvent> events;
};

namespace EventDetector {

// Speeding counts only when the limit is passed for this many seconds in a row.
constexpr int speedingSeconds = 3;
// A jolt longer than this many seconds is no impact (a loose mount, a dropped camera).
constexpr int impactSeconds = 2;

// The events of one record in time order.
//
// The gravity axis is the one whose median is near +-1 g; the other two are
// horizontal. Of those, the longitudinal axis and its forward sign are the
// ones that follow the GPS speed changes; without usable speed the first
// horizontal axis in x, y, z order is taken as longitudinal, positive
// forward. Without a gravity axis there is no braking, acceleration or turn,
// only impacts. An impact is a 1-2 second jolt of the whole acceleration away
// from its resting value (the per-axis medians); its seconds count as nothing
// else. All-zero samples are missing data. Consecutive seconds of one kind
// are one event; peak is the largest magnitude.
QVector<TelemetryEvent> detect(const VideoMessage &record, const EventThresholds &thresholds);

// "braking", "acceleration", "turn", "impact", "speeding": the command line's
// and the JSON's names.
QString kindName(TelemetryEvent::Kind kind);

// [{"file", "events": [{"kind", "second", "endSecond", "peak"}]}]
QString toJson(const QVector<FileEvents> &files);
// Header "file,kind,second,endSecond,peak", then one row per event.
QString toCsv(const QVector<FileEvents> &files);

} // namespace EventDetector

Q_DECLARE_METATYPE(TelemetryEvent)
