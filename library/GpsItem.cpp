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

namespace {

// The members of the JSON form in the order QJsonObject keeps them (by key);
// utcTime only when set.
template<typename Fn> void forEachMember(const GpsItem &g, Fn fn)
{
    fn(QLatin1String("angle"), double(g.angle));
    fn(QLatin1String("day"), g.day);
    fn(QLatin1String("ewind"), g.ewind);
    fn(QLatin1String("hour"), g.hour);
    fn(QLatin1String("jsonPosition"), g.jsonPosition);
    fn(QLatin1String("latitude"), g.latitude);
    fn(QLatin1String("longitude"), g.longitude);
    fn(QLatin1String("minute"), g.minute);
    fn(QLatin1String("month"), g.month);
    fn(QLatin1String("nsind"), g.nsind);
    fn(QLatin1String("reservd"), g.reservd);
    fn(QLatin1String("second"), g.second);
    fn(QLatin1String("speed"), g.speed);
    fn(QLatin1String("status"), g.status);
    if (!g.utcTime.isEmpty())
        fn(QLatin1String("utcTime"), g.utcTime);
    fn(QLatin1String("x"), double(g.x));
    fn(QLatin1String("y"), double(g.y));
    fn(QLatin1String("year"), g.year);
    fn(QLatin1String("z"), double(g.z));
}

} // namespace

QJsonObject GpsItem::toJsonObject() const
{
    QJsonObject o;
    forEachMember(*this, [&o](QLatin1String key, const auto &value) { o.insert(key, value); });
    return o;
}

void GpsItem::writeJson(JsonWriter &w) const
{
    w.beginObject();
    forEachMember(*this, [&w](QLatin1String key, const auto &value) {
        w.name(key);
        w.value(value);
    });
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
