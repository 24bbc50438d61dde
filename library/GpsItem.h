#pragma once

#include <QJsonObject>
#include <QString>

class JsonWriter;

// One telemetry sample of one second: GPS fix, speed (knots), heading and the
// G-sensor axes. A plain value; public fields are named like their JSON keys.
class GpsItem
{
public:
    QString hour;
    QString minute;
    QString second;
    QString year;
    QString month;
    QString day;
    bool status = false; // the fix is valid
    QString nsind;
    QString ewind;
    QString reservd;
    QString speed;
    float angle = 0.0f;
    QString latitude; // decimal degrees
    QString longitude; // decimal degrees
    QString jsonPosition;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int sourceType = 0; // not part of the JSON form
    // When the sample was taken, as UTC "yyyy-MM-ddTHH:mm:ssZ" (RecordClock);
    // empty when it cannot be known. Written to JSON only when set.
    QString utcTime;

    // Replaces every JSON field from the text of one sample object; an
    // unparsable text counts as an empty object.
    void fromJson(const QString &text);
    void fromJsonObject(const QJsonObject &object);
    QJsonObject toJsonObject() const;
    // Writes toJsonObject() as the next value of writer.
    void writeJson(JsonWriter &writer) const;

    bool isPositionNull() const;
    // A sample the map can draw: a valid fix at a non-null position.
    bool isDrawable() const { return status && !isPositionNull(); }

    // Script moving the map's marker to this sample, empty when not drawable.
    // mapType 0 is Google, any other value Baidu.
    QString markerScript(int mapType) const;
};
