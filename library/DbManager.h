#pragma once

#include "library/DbHelper.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class DbModel;
class VideoMessage;

enum class DbTableKind : int {
    LoadFiles = 1, // one row per file in the library
    VideoMessage = 2, // cached probe result of a file, as JSON
};

// The process-wide library store: the SQLite file "KelmoraPlayerFile.db" in the
// app-data folder, opened on first use and kept open. Main thread only; every
// operation runs synchronously and calls its callback exactly once before it
// returns. Objects handed to a callback are destroyed when it returns.
class DbManager
{
public:
    // Which log lines selectVideoMessage writes: the player's or the render view's.
    enum class SelectLog { Single, FileSize };

    using VideoMessageCallback = std::function<void(VideoMessage &, bool)>;
    using DbModelsCallback = std::function<void(QList<DbModel *>, bool)>;

    static DbManager *instance();
    static DbHelper::TableDefinition tableDefinition(DbTableKind kind);

    bool insertData(DbTableKind kind, const QMap<QString, QString> &map);
    // Deletes the rows whose first column of the map (in key order) equals its value.
    bool deleteData(DbTableKind kind, const QMap<QString, QString> &where);
    bool deleteAllData(DbTableKind kind);
    void selectVideoMessage(DbTableKind kind,
                            int limit,
                            const QMap<QString, QString> &where,
                            const QStringList &orderBy,
                            const VideoMessageCallback &callback,
                            SelectLog log = SelectLog::Single);
    void selectDbModels(DbTableKind kind,
                        int limit,
                        const QMap<QString, QString> &where,
                        const QStringList &orderBy,
                        const DbModelsCallback &callback);

    DbHelper &helper() { return *m_helper; }

private:
    DbManager();
    std::unique_ptr<DbHelper> m_helper;
};
