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
// A file that is not a sound library (not SQLite, damaged pages, or tables
// without the known columns) is renamed to "<name>.damaged-<yyyyMMddhhmmss>"
// beside itself, never deleted, and a fresh library is started in its place.
class DbManager
{
public:
    // Which log lines selectVideoMessage writes: the player's or the render view's.
    enum class SelectLog { Single, FileSize };
    // What opening the file found; the start-up tells the user about the last two.
    enum class OpenState { Ready, MovedAside, CannotSave };

    using VideoMessageCallback = std::function<void(VideoMessage &, bool)>;
    using DbModelsCallback = std::function<void(QList<DbModel *>, bool)>;

    static DbManager *instance();
    static DbHelper::TableDefinition tableDefinition(DbTableKind kind);
    // The reason a library file cannot be used as it is, empty when it can.
    static QString damageOf(DbHelper &helper);

    // instance() opens the app-data file; tests open their own files, each
    // under its own connection name.
    DbManager(const QString &databasePath, const QString &connectionName);

    OpenState openState() const { return m_openState; }
    QString databasePath() const { return m_databasePath; }
    // Where a damaged file was moved, empty when none was.
    QString movedAsidePath() const { return m_movedAsidePath; }

    bool insertData(DbTableKind kind, const QMap<QString, QString> &map);
    // Deletes the rows whose first column of the map (in key order) equals its value.
    bool deleteData(DbTableKind kind, const QMap<QString, QString> &where);
    bool deleteAllData(DbTableKind kind);
    // Sets keys in the jsonMessage JSON of the rows whose column equals value;
    // the other keys stay, so earlier versions read the rows as before.
    bool mergeJsonMessage(DbTableKind kind,
                          const QString &column,
                          const QString &value,
                          const QJsonObject &fields);
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
    void open();
    bool moveAside(const QString &reason);
    bool canWrite() const;

    QString m_databasePath;
    QString m_connectionName;
    std::unique_ptr<DbHelper> m_helper;
    OpenState m_openState = OpenState::Ready;
    QString m_movedAsidePath;
};
