#include "library/TripText.h"

#include "app/Helpers.h"
#include "app/SettingChoices.h"

#include <QDateTime>
#include <cmath>

namespace TripText {

namespace {
constexpr double kMetresPerMile = 1609.344;

bool isKilometres(int speedUnit)
{
    return speedUnit == choiceNumber(SpeedUnit::KilometresPerHour);
}
} // namespace

QString unitWord(int speedUnit)
{
    return isKilometres(speedUnit) ? QStringLiteral("KM") : QStringLiteral("Miles");
}

QString distanceText(double metres, int speedUnit)
{
    if (!std::isfinite(metres) || metres < 0)
        metres = 0;
    const double value = metres / (isKilometres(speedUnit) ? 1000.0 : kMetresPerMile);
    return QString::number(value, 'f', 1) + QLatin1Char(' ') + unitWord(speedUnit);
}

QString durationText(qint64 ms)
{
    const qint64 seconds = std::max<qint64>(0, ms) / 1000;
    if (seconds < 3600)
        return formatPlayTime(int(seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QChar('0'))
        .arg(seconds % 60, 2, 10, QChar('0'));
}

QString localDate(qint64 startMs)
{
    if (startMs < 0)
        return QString();
    return QDateTime::fromMSecsSinceEpoch(startMs).toLocalTime().toString(
        QStringLiteral("yyyy-MM-dd"));
}

QString localTimeSpan(qint64 startMs, qint64 endMs)
{
    if (startMs < 0)
        return QString();
    const QDateTime start = QDateTime::fromMSecsSinceEpoch(startMs).toLocalTime();
    const QDateTime end = QDateTime::fromMSecsSinceEpoch(endMs).toLocalTime();
    // Seconds only where the minutes alone would read "12:00–12:00".
    const QString minutes = QStringLiteral("HH:mm");
    const QString format
        = start.toString(minutes) == end.toString(minutes) ? QStringLiteral("HH:mm:ss") : minutes;
    return start.toString(format) + QChar(0x2013) + end.toString(format);
}

} // namespace TripText
