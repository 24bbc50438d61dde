#include "library/DbModel.h"

#include "app/Helpers.h"
#include "library/CmdModel.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

DbModel::~DbModel()
{
    qDebug() << "DbModel close";
}

QMap<QString, QString> DbModel::toDbMap() const
{
    QJsonObject message;
    message.insert(QLatin1String("is3DVideo"), is3DVideo);
    message.insert(QLatin1String("width"), width);
    message.insert(QLatin1String("height"), height);
    if (!thumbnail.isEmpty())
        message.insert(QLatin1String("thumbnail"), thumbnail);
    if (viewChoice != ViewChoice::Automatic)
        message.insert(QLatin1String(ViewChoiceKey), viewChoice == ViewChoice::Panorama);
    if (hasClip)
        message.insert(QLatin1String(ClipFacts::JsonKey), clip.toJson());
    if (eventCount >= 0)
        message.insert(QLatin1String(EventCountKey), eventCount);

    QMap<QString, QString> map;
    map.insert(QStringLiteral("fileName"), fileName);
    map.insert(QStringLiteral("time"), time);
    map.insert(QStringLiteral("path"), path);
    map.insert(QStringLiteral("size"), size);
    map.insert(QStringLiteral("jsonMessage"), QString::fromUtf8(QJsonDocument(message).toJson()));
    return map;
}

void DbModel::fromJsonMessage(const QString &text)
{
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    if (document.isNull())
        return;
    const QJsonObject message = document.object();
    is3DVideo = message.value(QLatin1String("is3DVideo")).toBool();
    width = message.value(QLatin1String("width")).toString();
    height = message.value(QLatin1String("height")).toString();
    thumbnail = message.value(QLatin1String("thumbnail")).toString();
    const QJsonValue choice = message.value(QLatin1String(ViewChoiceKey));
    viewChoice = !choice.isBool() ? ViewChoice::Automatic
        : choice.toBool()         ? ViewChoice::Panorama
                                  : ViewChoice::Flat;
    const QJsonValue facts = message.value(QLatin1String(ClipFacts::JsonKey));
    hasClip = facts.isObject();
    clip = hasClip ? ClipFacts::fromJson(path, facts.toObject()) : ClipFacts();
    const QJsonValue events = message.value(QLatin1String(EventCountKey));
    eventCount = events.isDouble() ? qMax(0, events.toInt()) : -1;
}

QString DbModel::thumbnailFile() const
{
    // Only a name is taken from the row, never a folder.
    const QString name = thumbnail.isEmpty() ? CmdModel::legacyThumbnailName(path)
                                             : QFileInfo(thumbnail).fileName();
    return QDir(thumbnailPath()).filePath(name);
}

bool DbModel::showsPanorama(int filesType) const
{
    if (viewChoice != ViewChoice::Automatic)
        return viewChoice == ViewChoice::Panorama;
    return filesType == 3 && fileName.contains(QLatin1Char('A'));
}
