#include "app/MapKeys.h"

#include "app/Platform.h"
#include "app/Settings.h"

#include <QFile>
#include <QRegularExpression>

namespace {
// A key file is a few lines; anything larger is not ours.
constexpr qint64 kMaxKeyFileBytes = 64 * 1024;
} // namespace

QString MapKeys::keyFilePath()
{
    return Platform::dataFolder(QStringLiteral("Html")) + QStringLiteral("/map_keys.js");
}

QString MapKeys::keyFromScript(const QString &script, MapType type)
{
    if (type == MapType::OpenStreetMap)
        return QString();
    const QRegularExpression pattern(
        QStringLiteral(R"(\b%1\s*:\s*(["'])([^"'\\\r\n]*)\1)").arg(serviceName(type)));
    return pattern.match(script).captured(2).trimmed();
}

QString MapKeys::key(MapType type)
{
    if (type == MapType::OpenStreetMap)
        return QString();
    const QString saved = Settings::mapKey(type).get().trimmed();
    if (!saved.isEmpty())
        return saved;
    QFile file(keyFilePath());
    if (file.size() > kMaxKeyFileBytes || !file.open(QIODevice::ReadOnly))
        return QString();
    return keyFromScript(QString::fromUtf8(file.read(kMaxKeyFileBytes)), type);
}

MapType MapKeys::shownMap(MapType chosen)
{
    if (chosen != MapType::Google && chosen != MapType::Baidu)
        return MapType::OpenStreetMap;
    return key(chosen).isEmpty() ? MapType::OpenStreetMap : chosen;
}

QString MapKeys::serviceName(MapType type)
{
    switch (type) {
    case MapType::Google:
        return QStringLiteral("google");
    case MapType::Baidu:
        return QStringLiteral("baidu");
    case MapType::OpenStreetMap:
        break;
    }
    return QStringLiteral("osm");
}

QString MapKeys::tileUrl()
{
    const QString url = Settings::mapTileUrl().get().trimmed();
    return url.isEmpty() ? QString::fromLatin1(SettingsKeys::DefaultMapTileUrl) : url;
}

QUrl MapKeys::tileServer()
{
    // The template's braces are not URL text; the origin is all the probe needs.
    QString url = tileUrl();
    url.replace(QRegularExpression(QStringLiteral(R"(\{[a-z]\})")), QStringLiteral("0"));
    const QUrl parsed(url);
    QUrl server;
    server.setScheme(parsed.scheme());
    server.setHost(parsed.host());
    server.setPort(parsed.port());
    server.setPath(QStringLiteral("/"));
    return server;
}
