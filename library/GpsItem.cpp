#include "library/GpsItem.h"

#include "app/Helpers.h"
#include "app/SettingChoices.h"
#include "library/JsonWriter.h"

#include <QJsonDocument>
#include <cmath>

void GpsItem::fromJson(const QString &text)
{
    fromJsonObject(QJsonDocument::fromJson(text.toUtf8()).object());
}

void GpsItem::fromJsonObject(const QJsonObject &object)
{
    hour = object.value(QLatin1String("hour")).toString();
    minute = object.value(QLatin1String("minute")).toString();
    second = object.value(QLatin1String("second")).toString();
    year = object.value(QLatin1String("year")).toString();
    month = object.value(QLatin1String("month")).toString();
    day = object.value(QLatin1String("day")).toString();
    status = object.value(QLatin1String("status")).toBool();
    nsind = object.value(QLatin1String("nsind")).toString();
    ewind = object.value(QLatin1String("ewind")).toString();
    reservd = object.value(QLatin1String("reservd")).toString();
    speed = object.value(QLatin1String("speed")).toString();
    angle = float(object.value(QLatin1String("angle")).toDouble());
    latitude = object.value(QLatin1String("latitude")).toString();
    longitude = object.value(QLatin1String("longitude")).toString();
    x = float(object.value(QLatin1String("x")).toDouble());
    y = float(object.value(QLatin1String("y")).toDouble());
    z = float(object.value(QLatin1String("z")).toDouble());
    jsonPosition = object.value(QLatin1String("jsonPosition")).toString();
    utcTime = object.value(QLatin1String("utcTime")).toString();
}

QJsonObject GpsItem::toJsonObject() const
{
    QJsonObject o;
    o.insert(QLatin1String("hour"), hour);
    o.insert(QLatin1String("minute"), minute);
    o.insert(QLatin1String("second"), second);
    o.insert(QLatin1String("year"), year);
    o.insert(QLatin1String("month"), month);
    o.insert(QLatin1String("day"), day);
    o.insert(QLatin1String("status"), status);
    o.insert(QLatin1String("nsind"), nsind);
    o.insert(QLatin1String("ewind"), ewind);
    o.insert(QLatin1String("reservd"), reservd);
    o.insert(QLatin1String("speed"), speed);
    o.insert(QLatin1String("angle"), double(angle));
    o.insert(QLatin1String("latitude"), latitude);
    o.insert(QLatin1String("longitude"), longitude);
    o.insert(QLatin1String("x"), double(x));
    o.insert(QLatin1String("y"), double(y));
    o.insert(QLatin1String("z"), double(z));
    o.insert(QLatin1String("jsonPosition"), jsonPosition);
    if (!utcTime.isEmpty())
        o.insert(QLatin1String("utcTime"), utcTime);
    return o;
}

void GpsItem::writeJson(JsonWriter &w) const
{
    // The members of toJsonObject() in the order the object keeps.
    w.beginObject();
    w.name(QLatin1String("angle"));
    w.value(double(angle));
    w.name(QLatin1String("day"));
    w.value(day);
    w.name(QLatin1String("ewind"));
    w.value(ewind);
    w.name(QLatin1String("hour"));
    w.value(hour);
    w.name(QLatin1String("jsonPosition"));
    w.value(jsonPosition);
    w.name(QLatin1String("latitude"));
    w.value(latitude);
    w.name(QLatin1String("longitude"));
    w.value(longitude);
    w.name(QLatin1String("minute"));
    w.value(minute);
    w.name(QLatin1String("month"));
    w.value(month);
    w.name(QLatin1String("nsind"));
    w.value(nsind);
    w.name(QLatin1String("reservd"));
    w.value(reservd);
    w.name(QLatin1String("second"));
    w.value(second);
    w.name(QLatin1String("speed"));
    w.value(speed);
    w.name(QLatin1String("status"));
    w.value(status);
    if (!utcTime.isEmpty()) {
        w.name(QLatin1String("utcTime"));
        w.value(utcTime);
    }
    w.name(QLatin1String("x"));
    w.value(double(x));
    w.name(QLatin1String("y"));
    w.value(double(y));
    w.name(QLatin1String("year"));
    w.value(year);
    w.name(QLatin1String("z"));
    w.value(double(z));
    w.endObject();
}

bool GpsItem::isPositionNull() const
{
    if (latitude.isEmpty() && longitude.isEmpty())
        return true;
    // Written so that a NaN sum also counts as null.
    return !(std::fabs(latitude.toDouble()) + std::fabs(longitude.toDouble()) > 0.0);
}

QString GpsItem::markerScript(int mapType) const
{
    if (!isDrawable())
        return QString();
    const double lat = latitude.toDouble();
    const double lon = longitude.toDouble();
    const Coordinate point = convertCoordinate(mapType, latitude, longitude, isInChina(lat, lon));
    if (mapType != choiceNumber(MapType::Google)) {
        const QString pair = QStringLiteral("[%1,%2]").arg(QString::number(point.second, 'f', 6),
                                                           QString::number(point.first, 'f', 6));
        return QStringLiteral("\n                 updateMarkerPosition(%1);\n             ")
            .arg(pair);
    }
    return QStringLiteral("\n                 var position = { lat: %1, lng: %2 };\n"
                          "                 updateMarkerPosition(position);\n             ")
        .arg(point.first, 0, 'f', 6)
        .arg(point.second, 0, 'f', 6);
}
