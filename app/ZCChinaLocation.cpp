#include "app/ZCChinaLocation.h"

ZCChinaLocation::ZCChinaLocation(QObject *parent)
    : QObject(parent)
    , m_region {{79.4462, 49.2204, 96.33, 42.8899},
                {109.6872, 54.1415, 135.0002, 39.3742},
                {73.1246, 42.8899, 124.143255, 29.5297},
                {82.9684, 29.5297, 97.0352, 26.7186},
                {97.0253, 29.5297, 124.367395, 20.414096},
                {107.975793, 20.414096, 111.744104, 17.871542}}
    , m_excluded {{119.921265, 25.398623, 122.497559, 21.785006},
                  {101.8652, 22.284, 106.665, 20.0988},
                  {106.4525, 21.5422, 108.051, 20.4878},
                  {109.0323, 55.8175, 119.127, 50.3257},
                  {127.4568, 55.8175, 137.0227, 49.5574},
                  {131.2662, 44.8922, 137.0227, 42.5692},
                  {124.72619, 42.5692, 137.0227, 37.61125},
                  {127.98997, 42.08476, 129.80041, 38.55482},
                  {126.43914, 41.38437, 128.10927, 37.89606},
                  {124.45089, 40.31241, 126.04149, 37.4694},
                  {125.12839, 41.40808, 128.14119, 39.2497},
                  {113.831, 22.44956, 114.48617, 22.16226},
                  {113.55121, 22.1991, 113.63435, 22.102}}
{
}

bool ZCChinaLocation::isInRegion(double lat, double lon) const
{
    for (const Rect &region : m_region) {
        if (!region.contains(lat, lon))
            continue;
        // Only the first region that holds the point decides.
        for (const Rect &cut : m_excluded) {
            if (cut.contains(lat, lon))
                return false;
        }
        return true;
    }
    return false;
}

// Compiled here rather than in the library's shared moc file, so that a
// program using only this class (kelmora-telemetry) does not pull in every
// other QObject of the library and the Qt modules they need.
#include "moc_ZCChinaLocation.cpp"
