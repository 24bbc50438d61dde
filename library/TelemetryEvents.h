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
// speeding off). The defaults are the settings' defaults.
struct EventThresholds
{
    double brakingG = 0.35;
    double accelerationG = 0.30;
    double turnG = 0.40;
    double impactG = 1.50;
    double speedLimitKnots = 0;
};

namespace EventDetector {

// The events of one record in time order.
QVector<TelemetryEvent> detect(const VideoMessage &record, const EventThresholds &thresholds);

// "braking", "acceleration", "turn", "impact", "speeding": the command line's
// and the JSON's names.
QString kindName(TelemetryEvent::Kind kind);

} // namespace EventDetector

Q_DECLARE_METATYPE(TelemetryEvent)
