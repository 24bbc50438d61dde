#include "library/VideoMessage.h"

#include "app/Helpers.h"
#include "app/SettingChoices.h"
#include "library/DbModel.h"
#include "library/JsonWriter.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QVariant>
#include <QVector>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

VideoMessage::~VideoMessage()
{
    qDebug() << "VideoMessage close::" << static_cast<const void *>(this);
}

namespace {

// The text fields, in declaration order, each with its JSON key.
template<typename Message, typename Fn> void forEachTextField(Message &m, Fn fn)
{
    fn(QLatin1String("path"), m.path);
    fn(QLatin1String("time"), m.time);
    fn(QLatin1String("fileSize"), m.fileSize);
    fn(QLatin1String("fileName"), m.fileName);
    fn(QLatin1String("size"), m.size);
    fn(QLatin1String("format"), m.format);
    fn(QLatin1String("demuxer"), m.demuxer);
    fn(QLatin1String("duration"), m.duration);
    fn(QLatin1String("videoFormat"), m.videoFormat);
    fn(QLatin1String("videoCodec"), m.videoCodec);
    fn(QLatin1String("pixelFormat"), m.pixelFormat);
    fn(QLatin1String("videoSize"), m.videoSize);
    fn(QLatin1String("currentVideoSize"), m.currentVideoSize);
    fn(QLatin1String("displaySize"), m.displaySize);
    fn(QLatin1String("hwdec"), m.hwdec);
    fn(QLatin1String("videoAspect"), m.videoAspect);
    fn(QLatin1String("audioCodec"), m.audioCodec);
    fn(QLatin1String("videoBitRate"), m.videoBitRate);
    fn(QLatin1String("audioBitRate"), m.audioBitRate);
    fn(QLatin1String("videoFrameRate"), m.videoFrameRate);
    fn(QLatin1String("resolution"), m.resolution);
    fn(QLatin1String("width"), m.width);
    fn(QLatin1String("height"), m.height);
    fn(QLatin1String("name"), m.name);
    fn(QLatin1String("aevSpeed"), m.aevSpeed);
    fn(QLatin1String("maxSpeed"), m.maxSpeed);
    fn(QLatin1String("distance"), m.distance);
}

// Every member of the JSON form but the two sample maps, each with its key.
template<typename Fn> void forEachScalar(const VideoMessage &m, Fn fn)
{
    forEachTextField(m, fn);
    fn(QLatin1String("durationM"), m.durationM);
    fn(QLatin1String("totalSpeedNum"), m.totalSpeedNum);
    fn(QLatin1String("gpsTotailNum"), m.gpsTotailNum);
    fn(QLatin1String("filesType"), m.filesType);
    fn(QLatin1String("isProfileHigh"), m.isProfileHigh);
    fn(QLatin1String("isChina"), m.isChina);
    fn(QLatin1String("isSave"), m.isSave);
    fn(QLatin1String("jsonAllPosition"), m.jsonAllPosition);
    fn(QLatin1String("startTime"), m.startTime);
    fn(QLatin1String("creationTime"), m.creationTime);
    fn(QLatin1String("clockOffset"), m.clockOffset);
    fn(QLatin1String("clockOffsetKnown"), m.clockOffsetKnown);
    fn(QLatin1String("undatedSamples"), m.undatedSamples);
    fn(QLatin1String("clockVersion"), m.clockVersion);
    fn(QLatin1String("trackMetres"), m.trackMetres);
}

} // namespace

void VideoMessage::clear()
{
    // Field by field: assigning a fresh record would log a spurious destruction.
    forEachTextField(*this, [](QLatin1String, QString &value) { value.clear(); });
    width = QStringLiteral("0");
    height = QStringLiteral("0");
    durationM = 0;
    isProfileHigh = false;
    totalSpeedNum = 0;
    gpsTotailNum = 0;
    isChina = false;
    filesType = 0;
    isSave = false;
    gpsItems.clear();
    gsensorItems.clear();
    jsonAllPosition.clear();
    startTime.clear();
    creationTime.clear();
    clockOffset = 0;
    clockOffsetKnown = false;
    undatedSamples = 0;
    clockVersion = 0;
    trackMetres = 0;
}

void VideoMessage::resetFromDbModel(const DbModel &model)
{
    clear();
    path = model.path;
    size = model.size;
    fileName = model.fileName;
    time = model.time;
}

QJsonObject VideoMessage::toJsonObject() const
{
    QJsonObject o;
    forEachScalar(*this, [&o](QLatin1String key, const auto &value) { o.insert(key, value); });

    QJsonObject gps;
    for (auto it = gpsItems.cbegin(); it != gpsItems.cend(); ++it)
        gps.insert(it.key(), it.value().toJsonObject());
    o.insert(QLatin1String("gpsItems"), gps);

    QJsonObject gsensor;
    for (auto it = gsensorItems.cbegin(); it != gsensorItems.cend(); ++it)
        gsensor.insert(it.key(), QJsonArray::fromStringList(it.value()));
    o.insert(QLatin1String("gsensorItems"), gsensor);

    return o;
}

QString VideoMessage::toJson() const
{
    return QString::fromUtf8(toJsonBytes());
}

QByteArray VideoMessage::toJsonBytes() const
{
    JsonWriter writer;
    writeJson(writer);
    return writer.take();
}

void VideoMessage::writeJson(JsonWriter &writer) const
{
    // The members of toJsonObject(), each with how it is written; sorted by
    // name below, as the object keeps them.
    using Write = std::function<void(JsonWriter &)>;
    std::vector<std::pair<QLatin1String, Write>> members;
    members.reserve(48);
    forEachScalar(*this, [&members](QLatin1String key, const auto &value) {
        members.emplace_back(key, [&value](JsonWriter &w) { w.value(value); });
    });
    const auto add = [&members](const char *key, Write write) {
        members.emplace_back(QLatin1String(key), std::move(write));
    };
    add("gpsItems", [this](JsonWriter &w) {
        w.beginObject();
        for (auto it = gpsItems.cbegin(); it != gpsItems.cend(); ++it) {
            w.name(it.key());
            it.value().writeJson(w);
        }
        w.endObject();
    });
    add("gsensorItems", [this](JsonWriter &w) {
        w.beginObject();
        for (auto it = gsensorItems.cbegin(); it != gsensorItems.cend(); ++it) {
            w.name(it.key());
            w.beginArray();
            for (const QString &axis : it.value())
                w.value(axis);
            w.endArray();
        }
        w.endObject();
    });
    std::sort(members.begin(), members.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });

    writer.beginObject();
    for (const auto &member : members) {
        writer.name(member.first);
        member.second(writer);
    }
    writer.endObject();
}

void VideoMessage::fromJson(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (document.isNull())
        return;
    const QJsonObject o = document.object();
    forEachTextField(*this,
                     [&o](QLatin1String key, QString &value) { value = o.value(key).toString(); });
    // Written as a 64-bit number, so read back as one: a recording longer than
    // 24.8 days of milliseconds must not come back as 0. Rows written with a
    // 32-bit value read the same.
    durationM = o.value(QLatin1String("durationM")).toVariant().toLongLong();
    totalSpeedNum = o.value(QLatin1String("totalSpeedNum")).toInt();
    gpsTotailNum = o.value(QLatin1String("gpsTotailNum")).toInt();
    filesType = o.value(QLatin1String("filesType")).toInt();
    isProfileHigh = o.value(QLatin1String("isProfileHigh")).toBool();
    isChina = o.value(QLatin1String("isChina")).toBool();
    isSave = o.value(QLatin1String("isSave")).toBool();
    startTime = o.value(QLatin1String("startTime")).toString();
    creationTime = o.value(QLatin1String("creationTime")).toString();
    clockOffset = o.value(QLatin1String("clockOffset")).toInt();
    clockOffsetKnown = o.value(QLatin1String("clockOffsetKnown")).toBool();
    undatedSamples = o.value(QLatin1String("undatedSamples")).toInt();
    clockVersion = o.value(QLatin1String("clockVersion")).toInt();
    trackMetres = o.value(QLatin1String("trackMetres")).toDouble();

    const QJsonObject gps = o.value(QLatin1String("gpsItems")).toObject();
    for (auto it = gps.constBegin(); it != gps.constEnd(); ++it) {
        GpsItem item;
        item.fromJsonObject(it.value().toObject());
        gpsItems.insert(it.key(), item);
    }

    const QJsonObject gsensor = o.value(QLatin1String("gsensorItems")).toObject();
    for (auto it = gsensor.constBegin(); it != gsensor.constEnd(); ++it) {
        const QJsonArray values = it.value().toArray();
        QStringList list;
        list.reserve(values.size());
        for (const QJsonValue &v : values)
            list.append(v.toVariant().toString());
        gsensorItems.insert(it.key(), list);
    }
}

QMap<QString, QString> VideoMessage::toDbMap()
{
    isSave = true;
    QMap<QString, QString> map;
    map.insert(QStringLiteral("fileName"), fileName);
    map.insert(QStringLiteral("time"), time);
    map.insert(QStringLiteral("path"), path);
    map.insert(QStringLiteral("jsonMessage"), toJson());
    return map;
}

QVector<QPair<int, const GpsItem *>> VideoMessage::drawableTrack() const
{
    const int seconds = duration.toInt();
    // The samples of seconds 0 .. duration - 1 in time order. Walking the stored
    // keys rather than every second keeps a damaged duration (two billion, say)
    // from stalling the map.
    QVector<QPair<int, const GpsItem *>> track;
    for (auto it = gpsItems.cbegin(); it != gpsItems.cend(); ++it) {
        bool isNumber = false;
        const int second = it.key().toInt(&isNumber);
        if (isNumber && second >= 0 && second < seconds && it.key() == QString::number(second)
            && it->isDrawable())
            track.append({second, &it.value()});
    }
    std::sort(track.begin(), track.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    return track;
}

QVector<int> VideoMessage::trackSeconds() const
{
    QVector<int> seconds;
    for (const auto &entry : drawableTrack())
        seconds.append(entry.first);
    return seconds;
}

QJsonArray VideoMessage::trackPoints(int mapType) const
{
    QJsonArray points;
    for (const auto &entry : drawableTrack()) {
        const GpsItem *it = entry.second;
        const Coordinate point = convertCoordinate(mapType, it->latitude, it->longitude, isChina);
        const QString lat = QString::number(point.first, 'f', 6);
        const QString lon = QString::number(point.second, 'f', 6);
        if (mapType != choiceNumber(MapType::Google))
            points.append(QJsonArray {lon, lat}); // Baidu: [lon text, lat text]
        else
            points.append(QJsonObject {{QStringLiteral("lat"), lat.toDouble()},
                                       {QStringLiteral("lng"), lon.toDouble()}});
    }
    return points;
}

QString VideoMessage::polylineScript(int mapType) const
{
    qDebug() << "传入的文件类型:" << mapType;
    const QJsonArray points = trackPoints(mapType);
    if (points.isEmpty())
        return QString();
    const QString json = QString::fromUtf8(QJsonDocument(points).toJson(QJsonDocument::Compact));
    if (mapType != choiceNumber(MapType::Google))
        return QStringLiteral("\n                   drawPolyLinePath(%1);\n                   ")
            .arg(json);
    return QStringLiteral("\n                    drawPolyLinePath(%1);\n                 ")
        .arg(json);
}
