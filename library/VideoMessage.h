#pragma once

#include "library/GpsItem.h"

#include <QJsonArray>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

class DbModel;

// Everything known about one recording: probe facts, summary figures of the
// GPS track and the per-second GPS and G-sensor samples. Its JSON text is the
// database cache of the probe. A plain value; public fields are named like
// their JSON keys.
class VideoMessage
{
public:
    VideoMessage() = default;
    VideoMessage(const VideoMessage &other) = default;
    VideoMessage &operator=(const VideoMessage &other) = default;
    ~VideoMessage();

    QString path;
    QString time;
    QString fileSize;
    QString fileName;
    QString size;
    QString format;
    QString demuxer;
    QString duration; // whole seconds
    qint64 durationM = 0; // milliseconds
    QString videoFormat;
    QString videoCodec;
    QString pixelFormat;
    QString videoSize;
    QString currentVideoSize;
    QString displaySize;
    QString hwdec;
    QString videoAspect;
    QString audioCodec;
    QString videoBitRate;
    QString audioBitRate;
    QString videoFrameRate;
    QString resolution;
    QString width = QStringLiteral("0");
    QString height = QStringLiteral("0");
    QString name;
    bool isProfileHigh = false;
    QString aevSpeed = QStringLiteral("0"); // knots
    int totalSpeedNum = 0;
    QString maxSpeed = QStringLiteral("0"); // knots
    QString distance = QStringLiteral("0");
    int gpsTotailNum = 0;
    bool isChina = false;
    int filesType = 0;
    bool isSave = false;
    // Keyed by the decimal second ("0", "1", ...), so they iterate in text order.
    QMap<QString, GpsItem> gpsItems;
    QMap<QString, QStringList> gsensorItems; // x, y, z texts
    QString jsonAllPosition; // written to JSON, never read back

    // The clock (RecordClock). Start of the recording by the camera's clock,
    // "yyyy-MM-ddTHH:mm:ss" without zone, from the file name or else the
    // container; empty when neither tells.
    QString startTime;
    QString creationTime; // the container's creation_time as the demuxer gave it
    int clockOffset = 0; // camera clock minus UTC, minutes
    bool clockOffsetKnown = false; // measured against the payload's GPS time
    int undatedSamples = 0; // stored GPS samples left without a time
    int clockVersion = 0; // 0: written before the clock existed
    double trackMetres = 0; // great-circle length of the stored fixes

    // Back to the empty state a probe starts from (the summary figures become
    // empty texts rather than "0").
    void clear();
    // clear(), keeping path, size, fileName and time of the library entry.
    void resetFromDbModel(const DbModel &model);

    // The JSON text stored with the library entry (toJsonObject(), indented).
    QString toJson() const;
    // The same text as UTF-8, written straight from the fields.
    QByteArray toJsonBytes() const;
    // Writes toJsonObject() as the next value of writer.
    void writeJson(JsonWriter &writer) const;
    QJsonObject toJsonObject() const;
    // Assigns every field found in the text (absent keys give empty values) and
    // adds its samples; a text that does not parse changes nothing.
    void fromJson(const QString &text);

    // Column name to text for the VideoMessage table; marks the record saved.
    QMap<QString, QString> toDbMap();
    // Stores the record as one VideoMessage row; isSave becomes the result (the
    // stored JSON says true either way).
    void saveToDb();

    // Script drawing the track of seconds 0 to duration - 1 on the map, empty
    // when none of them is drawable. mapType 0 is Google; any other value takes
    // the [longitude, latitude] form of Baidu and OpenStreetMap.
    QString polylineScript(int mapType) const;
    // The points polylineScript draws: {"lat", "lng"} numbers for Google,
    // [longitude, latitude] texts for the other maps.
    QJsonArray trackPoints(int mapType) const;
    // The second of each point polylineScript draws, in the same order.
    QVector<int> trackSeconds() const;

private:
    // The drawable samples of seconds 0 .. duration - 1, by second.
    QVector<QPair<int, const GpsItem *>> drawableTrack() const;
};

// Travels by pointer in the player's signals.
Q_DECLARE_METATYPE(VideoMessage *)
