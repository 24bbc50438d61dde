#pragma once

#include "playback/VideoDataOrb.h"

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <functional>

// Synthetic YUV 4:2:0 frames and the colours the shader must make of them.
namespace FrameFactory {

struct Yuv
{
    int y, u, v;
};

// BT.601 limited range, as the fragment shader computes it.
inline QColor expectedRgb(const Yuv &c)
{
    const double y = c.y / 255.0 - 0.0627451017;
    const double u = c.u / 255.0 - 0.501960814;
    const double v = c.v / 255.0 - 0.501960814;
    const double rgb[3]
        = {1.1644 * y + 1.596 * v, 1.1644 * y - 0.3918 * u - 0.813 * v, 1.1644 * y + 2.0172 * u};
    int out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = int(std::lround(std::clamp(rgb[i], 0.0, 1.0) * 255.0));
    return QColor(out[0], out[1], out[2]);
}

inline bool near(const QColor &a, const QColor &b, int tolerance = 2)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// colourAt(x, y) gives the colour of a luma pixel; chroma takes the colour of
// the top-left luma pixel of each 2 x 2 block.
inline VideoDataOrb makeFrame(int width, int height, const std::function<Yuv(int, int)> &colourAt)
{
    VideoDataOrb frame;
    const int cw = width / 2;
    const int ch = height / 2;
    frame.planes[0] = QByteArray(width * height, char(0));
    frame.planes[1] = QByteArray(cw * ch, char(128));
    frame.planes[2] = QByteArray(cw * ch, char(128));
    char *y = frame.planes[0].data();
    char *u = frame.planes[1].data();
    char *v = frame.planes[2].data();
    for (int row = 0; row < height; ++row) {
        for (int col = 0; col < width; ++col) {
            const Yuv c = colourAt(col, row);
            y[row * width + col] = char(c.y);
            if (row % 2 == 0 && col % 2 == 0 && row / 2 < ch && col / 2 < cw) {
                u[(row / 2) * cw + col / 2] = char(c.u);
                v[(row / 2) * cw + col / 2] = char(c.v);
            }
        }
    }
    return frame;
}

inline VideoDataOrb solidFrame(int width, int height, const Yuv &c)
{
    return makeFrame(width, height, [c](int, int) { return c; });
}

// Four colours for the four quarters of longitude of an equirectangular frame.
const Yuv kLongitudeMinus90 {81, 90, 240}; // red
const Yuv kLongitudePlus90 {145, 54, 34}; // green
const Yuv kLongitudeZero {41, 240, 110}; // blue
const Yuv kLongitude180 {210, 16, 146}; // yellow

// Longitude of frame column x: u = 0.5 - longitude / 360.
inline double longitudeOfColumn(int x, int width)
{
    return (0.5 - (x + 0.5) / width) * 360.0;
}

inline Yuv longitudeColour(double longitude)
{
    if (longitude >= -135.0 && longitude < -45.0)
        return kLongitudeMinus90;
    if (longitude >= -45.0 && longitude < 45.0)
        return kLongitudeZero;
    if (longitude >= 45.0 && longitude < 135.0)
        return kLongitudePlus90;
    return kLongitude180;
}

inline VideoDataOrb equirectangularFrame(int width, int height)
{
    return makeFrame(width, height,
                     [width](int x, int) { return longitudeColour(longitudeOfColumn(x, width)); });
}

} // namespace FrameFactory
