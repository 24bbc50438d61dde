#pragma once

#include <algorithm>
#include <cmath>

namespace GreatCircle {

// Mean Earth radius of the WGS-84 ellipsoid's authalic sphere, metres.
constexpr double earthRadiusMetres = 6371008.8;

// Length of the shortest path over the sphere between two positions in
// decimal degrees (haversine: exact enough for steps of a second's drive).
inline double metres(double lat1, double lon1, double lat2, double lon2)
{
    constexpr double radians = 3.14159265358979323846 / 180.0;
    const double dLat = (lat2 - lat1) * radians;
    const double dLon = (lon2 - lon1) * radians;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
        + std::cos(lat1 * radians) * std::cos(lat2 * radians) * std::sin(dLon / 2)
            * std::sin(dLon / 2);
    return 2 * earthRadiusMetres * std::asin(std::sqrt(std::min(1.0, a)));
}

} // namespace GreatCircle
