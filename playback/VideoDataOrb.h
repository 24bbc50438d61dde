#pragma once

#include <QByteArray>
#include <QMetaType>

// One decoded YUV 4:2:0 frame: planes Y, U, V, each an independent copy of the
// decoder's buffer. Copies of the value share the arrays, so it is cheap to
// queue across threads; the renderer registers it as "VideoDataOrb".
struct VideoDataOrb
{
    QByteArray planes[3];
};

Q_DECLARE_METATYPE(VideoDataOrb)
