#pragma once

#include "library/TelemetryEvents.h"

#include <QString>
#include <QVector>

class VideoMessage;

// What the player does with a record's driving events: the limits the user
// chose, the events found with them, where "next" and "previous" go and the
// words a mark shows. GUI-free.
namespace EventTimeline {

// Seconds of lead-in before an event a jump lands on.
inline constexpr int LeadSeconds = 2;

// The limits saved in the settings (their defaults while none are saved).
EventThresholds savedThresholds();
// The events of a record with the saved limits.
QVector<TelemetryEvent> detect(const VideoMessage &record);

// Where a jump from the playing second lands: LeadSeconds before an event,
// not before 0; -1 when there is none. Forward, the first such second after
// the playing one; back, that of the latest event begun before it, so after a
// jump (which lands before its event) back goes to the event before.
int jumpSecond(const QVector<TelemetryEvent> &events, int currentSecond, bool forward);

// The translated name of a kind ("Braking").
QString kindText(TelemetryEvent::Kind kind);
// "Braking at 1:05, peak 0.52 g"; speeding peaks in the speed unit (0 km/h).
QString toolTip(const TelemetryEvent &event, int speedUnit);

} // namespace EventTimeline
