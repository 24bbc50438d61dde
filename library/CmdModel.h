#pragma once

#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>

// Parameters of one ffmpeg job (thumbnail, cut or still) and the command that
// runs it. The command exists in two forms built from the same parts: the
// documented one-line text, which is what the log shows, and the program with
// its argument list, which is what is run, so every path reaches ffmpeg byte
// for byte whatever quotes or shell characters it holds. Used by one thread at
// a time.
class CmdModel : public QObject
{
    Q_OBJECT

public:
    enum Type { Thumbnail = 0, Cut = 1, Still = 2 }; // any value but 0 and 1 is a still

    explicit CmdModel(int type, QObject *parent = nullptr);
    ~CmdModel() override;

    // The same job with all its fields, for a thread to run while this one
    // goes on being edited.
    CmdModel *clone(QObject *parent = nullptr) const;

    QString inputPath;
    int cmdType;
    int startSecond = 0;
    int endSecond = 0;
    QString capturePosition = QStringLiteral("00:00"); // ffmpeg -ss of a still, as given
    QString bitRate; // ffmpeg -b:v of a 720-line cut, as given
    bool hasAudio = true;
    bool hasVideo = true;
    bool is720P = false;
    QString outputPath;
    // An ASS script burnt into the picture of a cut with video or a still;
    // empty for none. A cut with it is re-encoded.
    QString subtitlePath;
    QString timeSuffix; // "hhmmsszzz" at construction: keeps saved names apart

    // The one-line command for the log; also sets outputPath.
    Q_INVOKABLE QString createCmdString();
    // Computes, stores in outputPath and returns the target file.
    Q_INVOKABLE QString getSavePath();

    // File name, inside the thumbnail folder, of a recording's thumbnail:
    // base name, "_", the first 8 hex digits of the SHA-1 of the absolute
    // path, ".png". Cameras restart their numbering, so one name in two
    // folders needs two pictures.
    static QString thumbnailName(const QString &videoPath);
    // The name earlier versions gave it (base name + "_.png"), shared by
    // every recording of that base name; rows they stored still use it.
    // Inline: DbModel needs it, and programs with records but no ffmpeg
    // commands (kelmora-telemetry) then link none of this class.
    static QString legacyThumbnailName(const QString &videoPath)
    {
        return QFileInfo(videoPath).baseName() + QStringLiteral("_.png");
    }

    // A value (such as a file name) as one option of a filter in an ffmpeg
    // filter graph, whatever colons, quotes, backslashes or brackets it holds.
    static QString filterOptionText(const QString &value);

    // What is run: the ffmpeg program and its arguments; also set outputPath.
    QString program() const;
    QStringList arguments();

private:
    // The -vf value: scaling of a 720-line cut, then the subtitles; empty for none.
    QString videoFilter() const;
    struct Command
    {
        QString pattern; // the template, %n placeholders
        QStringList values; // fill order: the lowest placeholder left takes the next value
    };
    Command command();
};
