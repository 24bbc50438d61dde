#pragma once

#include "playback/VideoDataOrb.h"

#include <QString>

class QObject;

// What a channel needs of whatever shows its pictures, so that the engine
// never knows the widgets that draw them. Frames and sizes reach the sink on
// the thread of frameContext() (queued from libVLC's threads); the other calls
// come from the GUI thread. Nothing reaches a sink whose context is gone.
class FrameSink
{
public:
    // Largest frame side a sink takes: beyond it the texture (with the panorama
    // border rows) outgrows what GL implementations accept, and the plane sizes
    // near the int range.
    static constexpr int MaxFrameSide = 8192;

    virtual ~FrameSink() = default;

    // The object whose lifetime and thread the frame calls follow.
    virtual QObject *frameContext() = 0;
    // The frame size, before the first frame and whenever the decoder learns it.
    virtual void initTexture(int width, int height, float rate) = 0;
    // One decoded frame; data shares the decoder's buffers until dropped.
    virtual void
    updateTexture2D(int width, int height, int linesize, VideoDataOrb data, QString url)
        = 0;
    // Cleared on pause and close, set on play.
    virtual void setAcceptFrames(bool accept) = 0;
    // The channel closes: textures and pending frames go.
    virtual void closeSmpTex() = 0;
};
