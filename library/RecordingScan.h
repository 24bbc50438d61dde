#pragma once

#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>

// Turns what a user hands the player (files and folders, from a dialog, the
// command line or a drop) into the recordings to import: folders are searched
// to any depth, as cards nest them (DCIM/Movie, Normal/Front, Event, Parking).
// Safe on any thread.
class RecordingScan
{
public:
    enum class Problem { Unreadable, NotRecording };

    struct Result
    {
        QStringList recordings; // absolute, clean, without duplicates
        QList<QPair<QString, Problem>> problems;
        bool cancelled = false;
    };

    // Files come first in the order given, then each folder's recordings in
    // path order. Hidden folders (a card's .Trashes, a desktop's .thumbnails)
    // and links to folders are not entered: links can loop. A named file that
    // is not a recording by its extension is listed as a problem; one found in
    // a folder is silently passed over. cancelled is polled between entries.
    static Result collect(const QStringList &paths, const std::function<bool()> &cancelled = {});

    // Whether a file name has one of the recording extensions (any case).
    static bool isRecordingName(const QString &fileName);
};
