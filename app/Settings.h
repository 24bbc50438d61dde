#pragma once

#include "app/SettingChoices.h"
#include "app/SettingValue.h"
#include "app/SettingsKeys.h"

// Every persisted setting with its type and the value it has while none is
// saved, named once. Read and write them through these, never by key.
namespace Settings {

// Interface language number 1–10; 0 (nothing saved) means the system's.
inline SettingValue<int> language()
{
    return {SettingsKeys::Language, 0};
}
// The map, unit and coordinate defaults of the system language apply first.
inline SettingValue<MapType> mapType()
{
    return {SettingsKeys::MapType, MapType::Google};
}
inline SettingValue<SpeedUnit> speedUnit()
{
    return {SettingsKeys::SpeedUnit, SpeedUnit::KilometresPerHour};
}
inline SettingValue<CoordinateFormat> coordinateFormat()
{
    return {SettingsKeys::LongOrLat, CoordinateFormat::DecimalDegrees};
}
inline SettingValue<PlayMode> playMode()
{
    return {SettingsKeys::PlayModel, PlayMode::OneChannel};
}
inline SettingValue<PlayerType> playerType()
{
    return {SettingsKeys::PlayerType, PlayerType::OpenGL};
}
// Brightness (1), contrast (2) and saturation (any other number); 1.0 leaves
// the picture as it is.
inline SettingValue<float> videoColor(int which)
{
    const char *key = which == 1 ? SettingsKeys::VideoColor1
        : which == 2             ? SettingsKeys::VideoColor2
                                 : SettingsKeys::VideoColor3;
    return {key, 1.0f};
}
// Playback volume 0.0–1.0; a saved 0 also means the default.
inline SettingValue<double> videoSound()
{
    return {SettingsKeys::VideoSound, SettingsKeys::DefaultVideoSound};
}
// Folder for cuts and stills; empty until the user chooses one.
inline SettingValue<QString> saveFolder()
{
    return {SettingsKeys::SaveFilePath, QString()};
}
// Folder the add-files dialog opened last.
inline SettingValue<QString> lastOpenFolder()
{
    return {SettingsKeys::LastOpenPath, QString()};
}
// 1 once the user asked not to see a HUD prompt kind again, 0 when undone:
// kind 2 is the dropped-frame prompt; kinds 11 and 12 have keys of their own.
inline SettingValue<int> promptOptOut(int kind)
{
    const char *key = kind == 11 ? SettingsKeys::NoShowFullWidget
        : kind == 12             ? SettingsKeys::EnterNoShowFullWidget
                                 : SettingsKeys::NoShowWidget;
    return {key, 0};
}

// The user's key of a map service that needs one; empty when none is saved
// (the key file beside the pages may still hold one, see MapKeys).
inline SettingValue<QString> mapKey(MapType type)
{
    return {type == MapType::Baidu ? SettingsKeys::BaiduMapKey : SettingsKeys::GoogleMapKey,
            QString()};
}
// Tile address template of the OpenStreetMap page, {z}/{x}/{y} filled in by it.
inline SettingValue<QString> mapTileUrl()
{
    return {SettingsKeys::MapTileUrl, QString::fromLatin1(SettingsKeys::DefaultMapTileUrl)};
}

// 1 when the file list shows trips (drives) with their recordings under
// them, 0 for the flat list of files.
inline SettingValue<int> tripView()
{
    return {SettingsKeys::TripView, 0};
}
// 1 when cuts and stills carry speed, time and position in the picture.
inline SettingValue<int> cutOverlay()
{
    return {SettingsKeys::CutOverlay, 0};
}

// Driving-event limits in g, as EventThresholds' defaults. A limit of 0 or
// less finds no events of its kind.
inline SettingValue<double> brakingLimitG()
{
    return {SettingsKeys::EventBrakingG, 0.35};
}
inline SettingValue<double> accelerationLimitG()
{
    return {SettingsKeys::EventAccelerationG, 0.30};
}
inline SettingValue<double> turnLimitG()
{
    return {SettingsKeys::EventTurnG, 0.40};
}
inline SettingValue<double> impactLimitG()
{
    return {SettingsKeys::EventImpactG, 1.50};
}
// Stored in knots, as the recordings measure speed, so changing the speed
// unit keeps the limit; 0 turns speeding events off.
inline SettingValue<double> speedLimitKnots()
{
    return {SettingsKeys::EventSpeedLimitKnots, 0.0};
}

} // namespace Settings
