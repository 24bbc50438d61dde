#include "telemetry/TelemetryText.h"

#include "app/SettingChoices.h"
#include "library/TripText.h"

#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace TelemetryText {

namespace {

// Hostile records may carry any number: keep casts to int defined.
int clampToInt(double value)
{
    if (!std::isfinite(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lo, hi));
}

int clampToInt(qint64 value)
{
    return static_cast<int>(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                               std::numeric_limits<int>::max()));
}

} // namespace

double unitFactor(int speedUnit)
{
    return speedUnit == choiceNumber(SpeedUnit::KilometresPerHour) ? 1.852 : 1.15;
}

int knotsToUnit(double knots, int speedUnit)
{
    return clampToInt(std::round(knots * unitFactor(speedUnit)));
}

int knotsTextToUnit(const QString &knots, int speedUnit)
{
    return knotsToUnit(knots.toDouble(), speedUnit);
}

QString speedText(const QString &knots, int speedUnit)
{
    const double value = std::round(knots.toDouble() * unitFactor(speedUnit));
    return QString::number(std::isfinite(value) ? value : 0.0, 'g', 6);
}

QString decimalToDMS(double decimalDegree)
{
    if (!std::isfinite(decimalDegree))
        decimalDegree = 0.0;
    // The parts of the magnitude, the sign written once in front: "-33°30'0\"",
    // not "-33°-30'0\"". The text carries no axis, so no hemisphere letter.
    const double magnitude = std::fabs(decimalDegree);
    const int degrees = clampToInt(std::trunc(magnitude));
    const double fraction = (magnitude - std::trunc(magnitude)) * 60;
    const int minutes = clampToInt(std::trunc(fraction));
    const int seconds = clampToInt(std::trunc((fraction - std::trunc(fraction)) * 60));
    const bool negative = decimalDegree < 0 && (degrees != 0 || minutes != 0 || seconds != 0);
    return QString("%1%2%3%4'%5\"")
        .arg(negative ? QStringLiteral("-") : QString(), QString::number(degrees),
             QStringLiteral("°"), QString::number(minutes), QString::number(seconds));
}

QString coordinateText(const QString &decimalText, int coordinateFormat)
{
    return coordinateFormat != choiceNumber(CoordinateFormat::DegreesMinutesSeconds)
        ? decimalText
        : decimalToDMS(decimalText.toDouble());
}

double distance(int totalSpeedNum, const QString &averageKnots, int speedUnit)
{
    const double value = totalSpeedNum / 3600.0 * (averageKnots.toDouble() * unitFactor(speedUnit));
    return std::isfinite(value) ? value : 0.0;
}

QString unitWord(int speedUnit)
{
    return TripText::unitWord(speedUnit);
}

QString distanceText(double distance, int decimals, int speedUnit)
{
    return QString::number(distance, 'f', decimals) + ' ' + unitWord(speedUnit);
}

DialGeometry dialGeometry(int w, int h)
{
    DialGeometry g;
    const int side = std::min(w, h);
    const double openBottom = 1 - std::cos(qDegreesToRadians(50.0));
    const int cx = w / 2;
    const int cy = static_cast<int>((h + (side / 2) * openBottom) * 0.5);
    g.centre = QPoint(cx, cy);

    const int r = side / 2;
    for (int i = 0; i < 36; ++i) {
        const int a = 10 * i;
        if (a > 225 && a < 315)
            continue;
        const int length = i % 9 == 0 ? 12 : 7;
        const double rad = qDegreesToRadians(double(a));
        const double c = std::cos(rad);
        const double s = std::sin(rad);
        g.ticks.append(QLine(static_cast<int>(cx + c * (r - length)),
                             static_cast<int>(cy - s * (r - length)), static_cast<int>(cx + c * r),
                             static_cast<int>(cy - s * r)));
    }

    const int arcSide = side - 60;
    g.arcRect = QRect(cx - arcSide / 2, cy - arcSide / 2, arcSide, arcSide);
    g.valuePixelSize = std::min(static_cast<int>(std::ceil(std::max(5.0, h / 30.0) / 5 * 40)), 45);
    return g;
}

int dialValueSpan16(int speed)
{
    return clampToInt(-speed * 1.3 * 16);
}

double dialUnitTextHeight(const QRect &arcRect)
{
    const double openBottom = 1 - std::cos(qDegreesToRadians(50.0));
    return arcRect.height() - (arcRect.width() / 2) * openBottom * 0.5;
}

GsensorPoints gsensorPoints(const QMap<QString, QStringList> &items)
{
    GsensorPoints points;
    QVector<QPoint> *lists[] = {&points.x, &points.y, &points.z};
    for (auto it = items.cbegin(); it != items.cend(); ++it) {
        const int second = it.key().toInt();
        const QStringList &values = it.value();
        for (int i = 0; i < std::min<int>(3, values.size()); ++i)
            lists[i]->append(QPoint(second, clampToInt(values.at(i).toDouble() * 1000)));
    }
    const auto bySecond = [](const QPoint &a, const QPoint &b) { return a.x() < b.x(); };
    for (QVector<QPoint> *list : lists)
        std::stable_sort(list->begin(), list->end(), bySecond);
    return points;
}

QVector<QPoint> chartScalePoints(int sampleCount)
{
    const int n = sampleCount > 0 ? sampleCount : 60;
    return {QPoint(0, -2000), QPoint(10, -1000), QPoint(20, 0), QPoint(30, 1000), QPoint(n, 2000)};
}

ChartScale chartScale(int sampleCount)
{
    const QVector<QPoint> points = chartScalePoints(sampleCount);
    ChartScale scale;
    scale.minX = scale.maxX = points.first().x();
    for (const QPoint &p : points) {
        scale.minX = std::min(scale.minX, p.x());
        scale.maxX = std::max(scale.maxX, p.x());
    }
    return scale;
}

QPoint chartPosition(const QPoint &sample, const ChartScale &scale, int w, int h)
{
    // 64-bit arithmetic: a hostile second or value must not overflow the product.
    const qint64 x
        = qint64(sample.x() - qint64(scale.minX)) * (w - 40) / (scale.maxX - scale.minX) + 40;
    const qint64 y
        = (h - 40) - (qint64(sample.y()) - scale.minY) * (h - 80) / (scale.maxY - scale.minY);
    return QPoint(clampToInt(x), clampToInt(y));
}

} // namespace TelemetryText
