#pragma once

#include "app/Helpers.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"

#include <QFileInfo>
#include <QStringList>

// Library rows for recordings a test made, as the file list hands them to the
// player; the caller owns them.
inline QList<DbModel *> newModelsFor(const QStringList &paths)
{
    QList<DbModel *> models;
    for (const QString &path : paths) {
        auto *model = new DbModel;
        model->path = path;
        model->fileName = QFileInfo(path).fileName();
        models << model;
    }
    return models;
}

// The record the cut dialog reads for a 320-pixel test recording; the size
// shown is that of sizeOf (the source itself may be missing or damaged).
inline VideoMessage cutRecordFor(const QString &path, int seconds, const QString &sizeOf)
{
    VideoMessage record;
    record.path = path;
    record.duration = QString::number(seconds);
    record.videoBitRate = "400000";
    record.audioBitRate = "128000";
    record.width = "320";
    record.size = fileSizeText(sizeOf, 2);
    return record;
}
