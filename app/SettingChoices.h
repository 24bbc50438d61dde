#pragma once

// The user's choices, by name. The numbers are what the settings store holds
// and what older versions wrote: never renumber them.

// Which web map draws the track. Google and Baidu need the user's key;
// OpenStreetMap needs none.
enum class MapType { Google = 0, Baidu = 1, OpenStreetMap = 2 };

enum class SpeedUnit { KilometresPerHour = 0, MilesPerHour = 1 };

enum class CoordinateFormat { DegreesMinutesSeconds = 0, DecimalDegrees = 1 };

// How many channels of a group play together.
enum class PlayMode { OneChannel = 0, TwoChannels = 1, ThreeChannels = 2, FourChannels = 3 };

// "Performance first" decodes into OpenGL views; "smoothness first" lets
// libVLC draw into native windows.
enum class PlayerType { OpenGL = 0, NativeWindow = 1 };

// How a panoramic channel is projected. Flat shows the frame as it is.
enum class PanoramaMode { UpperAndLower = 0, MainAndSides = 1, Quarters = 2, Flat = 3, Sphere = 4 };

// The stored number of a choice, for the store, signals and scripts.
template<typename Choice> constexpr int choiceNumber(Choice choice)
{
    return static_cast<int>(choice);
}
