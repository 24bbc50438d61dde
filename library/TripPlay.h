#pragma once

#include "library/TripBuilder.h"

#include <QMetaType>
#include <QStringList>

// The trip the player goes through clip by clip: its figures, the lead
// channel's files in playing order and the one playing now. Empty (no lead
// paths) while single recordings play.
struct TripPlay
{
    Trip trip; // figures; its clip indexes belong to the list that built it
    QStringList leadPaths;
    int index = -1;

    bool isActive() const { return index >= 0 && index < leadPaths.size(); }
    int clipCount() const { return trip.clips.size(); }
    // Trips are told apart by their first lead file.
    QString key() const { return leadPaths.value(0); }
};

Q_DECLARE_METATYPE(TripPlay)
