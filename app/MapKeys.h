#pragma once

#include "app/SettingChoices.h"

#include <QString>
#include <QUrl>

// Which map page shows, and the key it gets. Google and Baidu draw tiles only
// with the user's key; without one the OpenStreetMap page shows instead, so a
// map works with no set-up at all.
class MapKeys
{
public:
    // The key of Google or Baidu: the one saved in the settings, else the one
    // in "Html/map_keys.js" beside the program; empty for OpenStreetMap.
    static QString key(MapType type);
    // The key a map_keys.js text assigns to the service ("google" or "baidu").
    static QString keyFromScript(const QString &script, MapType type);
    static QString keyFilePath();
    // The chosen map when it needs no key or has one, OpenStreetMap otherwise.
    static MapType shownMap(MapType chosen);
    // Name the pages use for a service: "google", "baidu" or "osm".
    static QString serviceName(MapType type);
    // The tile address template, and the server it points at, which the
    // reachability probe asks when OpenStreetMap shows.
    static QString tileUrl();
    static QUrl tileServer();
};
