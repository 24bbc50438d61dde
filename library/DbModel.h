#pragma once

#include <QMap>
#include <QMetaType>
#include <QString>

// Library entry of one file: what the file list shows and the LoadFiles table
// stores. A plain value; public fields are named like their columns.
class DbModel
{
public:
    DbModel() = default;
    DbModel(const DbModel &other) = default;
    DbModel &operator=(const DbModel &other) = default;
    ~DbModel();

    QString fileName; // with extension, no folder
    QString path; // absolute
    bool is3DVideo = false;
    QString time; // import batch stamp "yyyyMMddhhmmsszzz"
    QString size; // MB with one decimal
    QString width = QStringLiteral("0");
    QString height = QStringLiteral("0");
    // Thumbnail file name in the thumbnail folder; empty in rows stored by
    // earlier versions, whose thumbnail has the name legacyThumbnailName gives.
    QString thumbnail;

    // Column name to text, the LoadFiles row of this entry. The JSON keeps
    // the three keys earlier versions read; the newer ones are added only
    // when set.
    QMap<QString, QString> toDbMap() const;
    // Reads is3DVideo, width, height and thumbnail from the jsonMessage
    // column; a text that does not parse changes nothing.
    void fromJsonMessage(const QString &text);

    // Adds this entry as one LoadFiles row.
    bool insertToDb() const;

    // The thumbnail picture's full path.
    QString thumbnailFile() const;
};

// Groups of entries travel in the file list's signals.
Q_DECLARE_METATYPE(DbModel *)
