#pragma once

#include "library/ClipFacts.h"

#include <QMap>
#include <QMetaType>
#include <QString>

// Library entry of one file: what the file list shows and the LoadFiles table
// stores. A plain value; public fields are named like their columns.
class DbModel
{
public:
    // How the user asked to see the recording; Automatic follows the rule of
    // showsPanorama. Stored as "show360" (absent for Automatic).
    enum class ViewChoice { Automatic, Panorama, Flat };

    DbModel() = default;
    DbModel(const DbModel &other) = default;
    DbModel &operator=(const DbModel &other) = default;
    ~DbModel();

    QString fileName; // with extension, no folder
    QString path; // absolute
    // Whether the playing view is panoramic: decided by the render view from
    // showsPanorama; import stores false, not knowing the recording's type.
    bool is3DVideo = false;
    QString time; // import batch stamp "yyyyMMddhhmmsszzz"
    QString size; // MB with one decimal
    QString width = QStringLiteral("0");
    QString height = QStringLiteral("0");
    // Thumbnail file name in the thumbnail folder; empty in rows stored by
    // earlier versions, whose thumbnail has the name legacyThumbnailName gives.
    QString thumbnail;
    ViewChoice viewChoice = ViewChoice::Automatic;
    // Trip facts of the recording once its telemetry was read (hasClip).
    ClipFacts clip;
    bool hasClip = false;
    // Driving events found with the default limits when the record was
    // cached; -1 while it never was. Stored as "events".
    int eventCount = -1;

    // Column name to text, the LoadFiles row of this entry. The JSON keeps
    // the three keys earlier versions read; the newer ones are added only
    // when set.
    QMap<QString, QString> toDbMap() const;
    // Reads is3DVideo, width, height, thumbnail, the view choice and the clip
    // facts from the jsonMessage column (set path first: the facts carry it);
    // a text that does not parse changes nothing.
    void fromJsonMessage(const QString &text);

    // Adds this entry as one LoadFiles row.
    bool insertToDb() const;

    // The thumbnail picture's full path.
    QString thumbnailFile() const;
    // Panoramic when the user chose so; otherwise when the payload is of
    // type 3 and the name holds a capital "A" (the cameras' panoramic channel).
    bool showsPanorama(int filesType) const;

    static constexpr const char *ViewChoiceKey = "show360";
    static constexpr const char *EventCountKey = "events";
};

// Groups of entries travel in the file list's signals.
Q_DECLARE_METATYPE(DbModel *)
