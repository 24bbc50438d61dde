#pragma once

#include <QMetaType>

// State of one channel decoder and of the multi-channel player. Travels in
// queued signals from libVLC's threads, hence the meta-type.
enum PlayObjectState {
    Idle = 0,
    Playing = 1,
    Paused = 2,
    Stopped = 3,
    Error = 4,
    Ended = 6,
};

Q_DECLARE_METATYPE(PlayObjectState)
