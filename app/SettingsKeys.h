#pragma once

// Every persisted settings key, named once. Values are read and written only
// through settingsValue() (app/Helpers.h).
namespace SettingsKeys {
inline constexpr char Language[] = "KelmoraPlayerLanguage";
inline constexpr char MapType[] = "userSelectMapTyp";
inline constexpr char SpeedUnit[] = "userSelectSpeedType";
inline constexpr char LongOrLat[] = "userSelectLongOrLatShowType";
inline constexpr char PlayModel[] = "userSelectPlayModelType";
inline constexpr char PlayerType[] = "userSelectPlayPlayerType";
inline constexpr char VideoColor1[] = "userSetVideoColorVlue1";
inline constexpr char VideoColor2[] = "userSetVideoColorVlue2";
inline constexpr char VideoColor3[] = "userSetVideoColorVlue3";
inline constexpr char VideoSound[] = "videoSound";
inline constexpr char SaveFilePath[] = "saveFilePath";
inline constexpr char LastOpenPath[] = "lastOpenPath";
inline constexpr char NoShowWidget[] = "userSelectNoShowWidget";
inline constexpr char NoShowFullWidget[] = "userSelectNoShowFullWidget";
inline constexpr char EnterNoShowFullWidget[] = "enterUserSelectNoShowFullWidget";
inline constexpr char GoogleMapKey[] = "googleMapKey";
inline constexpr char BaiduMapKey[] = "baiduMapKey";
inline constexpr char MapTileUrl[] = "mapTileUrl";
inline constexpr char TripView[] = "fileListTripView";
inline constexpr char CutOverlay[] = "cutTelemetryOverlay";
inline constexpr char EventBrakingG[] = "eventBrakingG";
inline constexpr char EventAccelerationG[] = "eventAccelerationG";
inline constexpr char EventTurnG[] = "eventTurnG";
inline constexpr char EventImpactG[] = "eventImpactG";
inline constexpr char EventSpeedLimitKnots[] = "eventSpeedLimitKnots";

// Volume used when none (or 0) is saved.
inline constexpr double DefaultVideoSound = 0.7;
// Where the OpenStreetMap page takes its tiles from; only tests change it.
inline constexpr char DefaultMapTileUrl[] = "https://tile.openstreetmap.org/{z}/{x}/{y}.png";
} // namespace SettingsKeys
