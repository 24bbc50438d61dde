#include "telemetry/EventTimeline.h"

#include "app/Helpers.h"
#include "app/Settings.h"
#include "telemetry/TelemetryText.h"

#include <QCoreApplication>

namespace EventTimeline {

EventThresholds savedThresholds()
{
    EventThresholds limits;
    limits.brakingG = Settings::brakingLimitG().get();
    limits.accelerationG = Settings::accelerationLimitG().get();
    limits.turnG = Settings::turnLimitG().get();
    limits.impactG = Settings::impactLimitG().get();
    limits.speedLimitKnots = Settings::speedLimitKnots().get();
    return limits;
}

QVector<TelemetryEvent> detect(const VideoMessage &record)
{
    return EventDetector::detect(record, savedThresholds());
}

int jumpSecond(const QVector<TelemetryEvent> &events, int currentSecond, bool forward)
{
    int found = -1;
    for (const TelemetryEvent &event : events) {
        const int target = qMax(0, event.second - LeadSeconds);
        if (forward && target > currentSecond && (found < 0 || target < found))
            found = target;
        if (!forward && event.second < currentSecond && target > found)
            found = target;
    }
    return found;
}

QString kindText(TelemetryEvent::Kind kind)
{
    switch (kind) {
    case TelemetryEvent::Kind::Braking:
        return QCoreApplication::translate("EventTimeline", "Braking");
    case TelemetryEvent::Kind::Acceleration:
        return QCoreApplication::translate("EventTimeline", "Acceleration");
    case TelemetryEvent::Kind::Turn:
        return QCoreApplication::translate("EventTimeline", "Turn");
    case TelemetryEvent::Kind::Impact:
        return QCoreApplication::translate("EventTimeline", "Impact");
    case TelemetryEvent::Kind::Speeding:
        return QCoreApplication::translate("EventTimeline", "Speeding");
    }
    return QString();
}

QString toolTip(const TelemetryEvent &event, int speedUnit)
{
    const QString peak = event.kind == TelemetryEvent::Kind::Speeding
        ? QStringLiteral("%1 %2")
              .arg(TelemetryText::knotsToUnit(event.peak, speedUnit))
              .arg(speedUnit == choiceNumber(SpeedUnit::KilometresPerHour) ? QStringLiteral("km/h")
                                                                           : QStringLiteral("mph"))
        : QStringLiteral("%1 g").arg(event.peak, 0, 'f', 2);
    return QCoreApplication::translate("EventTimeline", "%1 at %2, peak %3")
        .arg(kindText(event.kind), formatPlayTime(event.second), peak);
}

} // namespace EventTimeline
