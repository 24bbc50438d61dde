#pragma once

#include <QLine>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVector>

// The numbers behind the telemetry strip: unit conversions, the texts of the
// info panel, the speed dial's geometry and the G-sensor chart's scaling.
// GUI-free, so the widgets and their tests share one formula for each.
namespace TelemetryText {

// Knots to the display unit: 0 is km/h (and km), anything else mph (and miles).
double unitFactor(int speedUnit);
// round(knots × factor), half away from zero, held inside the int range.
int knotsToUnit(double knots, int speedUnit);
// The same for a speed text; text that is not a number reads as 0.
int knotsTextToUnit(const QString &knots, int speedUnit);
// Whole-number text of a knots text in the display unit ("19" for "10.000" in km/h).
QString speedText(const QString &knots, int speedUnit);

// "22°32'7\"" from 22.535389; "-33°30'0\"" from -33.5 (the sign once, in front).
QString decimalToDMS(double decimalDegree);
// The position text as shown: unchanged in decimal format, otherwise its DMS.
QString coordinateText(const QString &decimalText, int coordinateFormat);

// Distance driven: seconds with a speed / 3600 × average speed (knots text) × factor;
// a value that is not finite counts as 0.
double distance(int totalSpeedNum, const QString &averageKnots, int speedUnit);
QString unitWord(int speedUnit); // "KM" or "Miles"
QString distanceText(double distance, int decimals, int speedUnit);

// Speed dial geometry for a widget of w × h.
struct DialGeometry
{
    QPoint centre;
    QVector<QLine> ticks; // 27 lines; the long ones at 0°, 90° and 180°
    QRect arcRect; // square of side (min(w, h) - 60) around the centre
    int valuePixelSize = 40;
};
DialGeometry dialGeometry(int w, int h);
constexpr int dialStartAngle16 = 220 * 16;
constexpr int dialTrackSpan16 = -260 * 16;
// Span of the value arc in 1/16 degree; 200 units fill the track.
int dialValueSpan16(int speed);
// The arc rectangle minus the room the open bottom leaves, for the unit text.
double dialUnitTextHeight(const QRect &arcRect);

// G-sensor samples as three point lists (x = second, y = milli-g), sorted by second.
struct GsensorPoints
{
    QVector<QPoint> x, y, z;
};
GsensorPoints gsensorPoints(const QMap<QString, QStringList> &items);

// Chart scale: x from 0 to max(30, sample count; 60 when empty), y ±2000 milli-g.
struct ChartScale
{
    int minX = 0;
    int maxX = 60;
    int minY = -2000;
    int maxY = 2000;
};
ChartScale chartScale(int sampleCount);
// Scale points whose y values label the grid rows (-2.0 … 2.0).
QVector<QPoint> chartScalePoints(int sampleCount);
// Widget position of a sample on a chart of w × h (40 px axis margins).
QPoint chartPosition(const QPoint &sample, const ChartScale &scale, int w, int h);

} // namespace TelemetryText
