#pragma once

#include <QString>

// Makes a small H.264 recording at path with the real ffmpeg from a lavfi
// video source (for example "testsrc2=s=320x180:r=25:d=3") and, when given, a
// lavfi audio source. Returns the path, or an empty text when ffmpeg failed.
QString makeTestClip(const QString &path,
                     const QString &videoSource,
                     const QString &audioSource = QString());
