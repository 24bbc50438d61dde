#pragma once

#include "playback/FrameSink.h"

#include <QList>
#include <QObject>
#include <QSize>

// A frame sink without any widget: keeps what a channel hands it, so the
// engine can be driven and checked without a screen. GUI thread only.
class CollectingFrameSink final : public QObject, public FrameSink
{
public:
    QObject *frameContext() override { return this; }
    void initTexture(int width, int height, float) override { sizes << QSize(width, height); }
    void updateTexture2D(int width, int height, int, VideoDataOrb data, QString url) override
    {
        frameSize = QSize(width, height);
        lastFrame = data;
        lastUrl = url;
        ++frames;
    }
    void setAcceptFrames(bool accept) override { accepting = accept; }
    void closeSmpTex() override { ++closed; }

    QList<QSize> sizes;
    QSize frameSize;
    VideoDataOrb lastFrame;
    QString lastUrl;
    int frames = 0;
    int closed = 0;
    bool accepting = false;
};
