#pragma once

#include <QJsonObject>
#include <QString>

class VideoMessage;

// What trips need to know of one recording, small enough to keep in every
// library row: its channel, when it ran by the clock, and the figures of its
// track. Built from the full record; travels in the LoadFiles row as "clip".
struct ClipFacts
{
    QString path;
    QString channel; // channelOf(path)
    qint64 startMs = -1; // UTC milliseconds since 1970; -1 unknown
    qint64 durationMs = 0;
    double metres = 0; // great-circle length of the stored fixes
    double maxKnots = 0;
    double movingKnots = 0; // sum of the moving samples' speeds
    int movingSamples = 0;
    int fixes = 0;
    double firstLat = 0, firstLon = 0, lastLat = 0, lastLon = 0; // valid when fixes > 0

    // A sample at this speed or above counts as moving: a standing receiver
    // wanders below it.
    static constexpr double movingThresholdKnots = 2.0;
    static constexpr const char *JsonKey = "clip";

    bool isDated() const { return startMs >= 0; }
    qint64 endMs() const { return startMs + durationMs; }

    static ClipFacts of(const VideoMessage &record);
    QJsonObject toJson() const;
    // path is not part of the JSON; an object without "start" gives no time.
    static ClipFacts fromJson(const QString &path, const QJsonObject &object);

    // The camera channel a file belongs to: its folder and its name without
    // its numbers (runs of two digits or more), so "2023_0501_120000_F.MOV"
    // and "2023_0501_120100_F.MOV" share one, while the "_R" (or "_2") file
    // of the same moment has another.
    static QString channelOf(const QString &path);
};
