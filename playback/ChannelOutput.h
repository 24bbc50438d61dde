#pragma once

#include <QtGlobal>

class FrameSink;

// Where one channel's pictures go: decoded frames into a sink (the OpenGL
// path), or libVLC drawing into a native window of its own (the X11 window id,
// HWND or NSView of the native path). An output with neither shows nothing.
struct ChannelOutput
{
    FrameSink *sink = nullptr;
    quintptr nativeWindow = 0;
};
