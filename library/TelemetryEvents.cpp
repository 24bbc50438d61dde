#include "library/TelemetryEvents.h"

#include "library/VideoMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

using Kind = TelemetryEvent::Kind;

struct Sample
{
    int second;
    std::array<double, 3> a;
};

// A median that may reorder its copy.
double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    const auto middle = values.begin() + values.size() / 2;
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The stored G-sensor seconds in numeric order, without missing (all-zero)
// or unreadable ones.
QVector<Sample> gsensorSamples(const VideoMessage &record)
{
    QVector<Sample> samples;
    samples.reserve(record.gsensorItems.size());
    for (auto it = record.gsensorItems.cbegin(); it != record.gsensorItems.cend(); ++it) {
        bool ok = false;
        const int second = it.key().toInt(&ok);
        if (!ok || second < 0 || it->size() < 3)
            continue;
        Sample s {second, {}};
        bool readable = true;
        for (int axis = 0; axis < 3; ++axis) {
            s.a[size_t(axis)] = it->at(axis).toDouble(&ok);
            readable = readable && ok && std::isfinite(s.a[size_t(axis)]);
        }
        if (readable && (s.a[0] != 0 || s.a[1] != 0 || s.a[2] != 0))
            samples.append(s);
    }
    std::sort(samples.begin(), samples.end(),
              [](const Sample &l, const Sample &r) { return l.second < r.second; });
    return samples;
}

// Consecutive flagged seconds (second, magnitude) in order become one event
// each; runs longer than longestRun seconds (when positive) are dropped.
QVector<TelemetryEvent> runs(Kind kind, const QVector<QPair<int, double>> &flagged, int longestRun)
{
    QVector<TelemetryEvent> events;
    for (const auto &f : flagged) {
        if (!events.isEmpty() && events.last().endSecond + 1 == f.first) {
            events.last().endSecond = f.first;
            events.last().peak = std::max(events.last().peak, f.second);
        } else {
            events.append({kind, f.first, f.first, f.second});
        }
    }
    if (longestRun > 0) {
        events.erase(std::remove_if(events.begin(), events.end(),
                                    [longestRun](const TelemetryEvent &e) {
                                        return e.endSecond - e.second + 1 > longestRun;
                                    }),
                     events.end());
    }
    return events;
}

// Pearson correlation, 0 when either side does not vary.
double correlation(const QVector<double> &a, const QVector<double> &b)
{
    const int n = a.size();
    if (n < 2)
        return 0;
    double ma = 0, mb = 0;
    for (int i = 0; i < n; ++i) {
        ma += a[i];
        mb += b[i];
    }
    ma /= n;
    mb /= n;
    double sab = 0, saa = 0, sbb = 0;
    for (int i = 0; i < n; ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    return saa > 1e-12 && sbb > 1e-12 ? sab / std::sqrt(saa * sbb) : 0;
}

// A median further than this from 1 g is no gravity: a camera that removes
// it, or noise.
constexpr double gravityTolerance = 0.35;
// An axis that follows the speed this weakly tells nothing about direction.
constexpr double leastCorrelation = 0.3;
// Fewer speed changes than this are no basis for choosing the axis.
constexpr int leastSpeedPairs = 10;

QVector<TelemetryEvent> speeding(const VideoMessage &record, double limit)
{
    if (!(limit > 0))
        return {};
    QVector<QPair<int, double>> flagged;
    for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it) {
        bool ok = false;
        const int second = it.key().toInt(&ok);
        const double knots = it->speed.toDouble();
        if (ok && it->status && knots > limit)
            flagged.append({second, knots});
    }
    std::sort(flagged.begin(), flagged.end());
    QVector<TelemetryEvent> events;
    for (const TelemetryEvent &e : runs(Kind::Speeding, flagged, 0)) {
        if (e.endSecond - e.second + 1 >= EventDetector::speedingSeconds)
            events.append(e);
    }
    return events;
}

} // namespace

namespace EventDetector {

QVector<TelemetryEvent> detect(const VideoMessage &record, const EventThresholds &thresholds)
{
    QVector<TelemetryEvent> events = speeding(record, thresholds.speedLimitKnots);
    const QVector<Sample> samples = gsensorSamples(record);
    if (!samples.isEmpty()) {
        std::array<double, 3> rest {};
        QVector<double> values(samples.size());
        for (int axis = 0; axis < 3; ++axis) {
            for (int i = 0; i < samples.size(); ++i)
                values[i] = samples[i].a[size_t(axis)];
            rest[size_t(axis)] = median(values);
        }

        // Impacts first: a crash's seconds are a crash, not harsh braking.
        QVector<QPair<int, double>> jolts;
        for (const Sample &s : samples) {
            double sum = 0;
            for (int axis = 0; axis < 3; ++axis) {
                const double d = s.a[size_t(axis)] - rest[size_t(axis)];
                sum += d * d;
            }
            // The deviation as a vector: a side blow of 1.5 g changes the length
            // of the whole acceleration by only 0.8 g.
            const double jolt = std::sqrt(sum);
            if (jolt > thresholds.impactG)
                jolts.append({s.second, jolt});
        }
        events += runs(Kind::Impact, jolts, impactSeconds);
        QVector<int> joltSeconds;
        for (const auto &j : jolts)
            joltSeconds.append(j.first);

        int gravity = -1;
        double bestOff = gravityTolerance;
        for (int axis = 0; axis < 3; ++axis) {
            const double off = std::fabs(std::fabs(rest[size_t(axis)]) - 1);
            if (off <= bestOff) {
                bestOff = off;
                gravity = axis;
            }
        }
        if (gravity >= 0) {
            int h[2] = {gravity == 0 ? 1 : 0, gravity == 2 ? 1 : 2};
            const auto isJolt = [&joltSeconds](int second) {
                return std::binary_search(joltSeconds.cbegin(), joltSeconds.cend(), second);
            };
            // Longitudinal acceleration is the change of speed: correlate each
            // horizontal axis with it (centred difference, so either alignment of
            // the GPS second with the sensor's works).
            QVector<double> change, along[2];
            for (const Sample &s : samples) {
                const auto before = record.gpsItems.constFind(QString::number(s.second - 1));
                const auto after = record.gpsItems.constFind(QString::number(s.second + 1));
                if (before == record.gpsItems.cend() || after == record.gpsItems.cend()
                    || !before->status || !after->status || isJolt(s.second))
                    continue;
                change.append(after->speed.toDouble() - before->speed.toDouble());
                along[0].append(s.a[size_t(h[0])]);
                along[1].append(s.a[size_t(h[1])]);
            }
            double forward = 1;
            if (change.size() >= leastSpeedPairs) {
                const double r0 = correlation(along[0], change);
                const double r1 = correlation(along[1], change);
                const double r = std::fabs(r1) > std::fabs(r0) ? r1 : r0;
                if (std::fabs(r) >= leastCorrelation) {
                    if (std::fabs(r1) > std::fabs(r0))
                        std::swap(h[0], h[1]);
                    forward = r > 0 ? 1 : -1;
                }
            }

            QVector<QPair<int, double>> braking, acceleration, turns;
            for (const Sample &s : samples) {
                if (isJolt(s.second))
                    continue;
                const double lon = (s.a[size_t(h[0])] - rest[size_t(h[0])]) * forward;
                const double lat = std::fabs(s.a[size_t(h[1])] - rest[size_t(h[1])]);
                if (-lon > thresholds.brakingG)
                    braking.append({s.second, -lon});
                if (lon > thresholds.accelerationG)
                    acceleration.append({s.second, lon});
                if (lat > thresholds.turnG)
                    turns.append({s.second, lat});
            }
            events += runs(Kind::Braking, braking, 0);
            events += runs(Kind::Acceleration, acceleration, 0);
            events += runs(Kind::Turn, turns, 0);
        }
    }
    std::stable_sort(
        events.begin(), events.end(), [](const TelemetryEvent &l, const TelemetryEvent &r) {
            return l.second < r.second || (l.second == r.second && int(l.kind) < int(r.kind));
        });
    return events;
}

QString kindName(TelemetryEvent::Kind kind)
{
    switch (kind) {
    case TelemetryEvent::Kind::Braking:
        return QStringLiteral("braking");
    case TelemetryEvent::Kind::Acceleration:
        return QStringLiteral("acceleration");
    case TelemetryEvent::Kind::Turn:
        return QStringLiteral("turn");
    case TelemetryEvent::Kind::Impact:
        return QStringLiteral("impact");
    case TelemetryEvent::Kind::Speeding:
        return QStringLiteral("speeding");
    }
    return QString();
}

namespace {

// Three decimals: finer than any sensor these cameras carry.
double rounded(double value)
{
    return std::round(value * 1000) / 1000;
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QString toJson(const QVector<FileEvents> &files)
{
    QJsonArray all;
    for (const FileEvents &file : files) {
        QJsonArray events;
        for (const TelemetryEvent &e : file.events) {
            events.append(QJsonObject {{QStringLiteral("kind"), kindName(e.kind)},
                                       {QStringLiteral("second"), e.second},
                                       {QStringLiteral("endSecond"), e.endSecond},
                                       {QStringLiteral("peak"), rounded(e.peak)}});
        }
        all.append(
            QJsonObject {{QStringLiteral("file"), file.file}, {QStringLiteral("events"), events}});
    }
    return QString::fromUtf8(QJsonDocument(all).toJson(QJsonDocument::Indented));
}

QString toCsv(const QVector<FileEvents> &files)
{
    QString text = QStringLiteral("file,kind,second,endSecond,peak\n");
    for (const FileEvents &file : files) {
        for (const TelemetryEvent &e : file.events) {
            text += csvField(file.file) + QLatin1Char(',') + kindName(e.kind) + QLatin1Char(',')
                + QString::number(e.second) + QLatin1Char(',') + QString::number(e.endSecond)
                + QLatin1Char(',') + QString::number(rounded(e.peak), 'f', 3) + QLatin1Char('\n');
        }
    }
    return text;
}

} // namespace EventDetector
