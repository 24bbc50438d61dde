#include "library/DbManager.h"

#include "app/Helpers.h"
#include "library/ClipFacts.h"
#include "library/DbModel.h"
#include "library/RecordClock.h"
#include "library/TelemetryEvents.h"
#include "library/VideoMessage.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

DbManager::DbManager(const QString &databasePath, const QString &connectionName)
    : m_databasePath(databasePath)
    , m_connectionName(connectionName)
{
    open();
}

DbManager *DbManager::instance()
{
    // Never destroyed: every row is committed as it is written, so nothing is
    // lost when the process ends with the connection open.
    static DbManager *manager
        = new DbManager(QDir(appDataPath()).filePath(QStringLiteral("KelmoraPlayerFile.db")),
                        QLatin1String(QSqlDatabase::defaultConnection));
    return manager;
}

void DbManager::open()
{
    // A relative path means there is no app-data folder: the working folder
    // is no place for the library.
    const bool placed = QFileInfo(m_databasePath).isAbsolute();
    m_helper = std::make_unique<DbHelper>(placed ? m_databasePath : QString(), m_connectionName);
    if (m_helper->isOpen()) {
        const QString damage = damageOf(*m_helper);
        if (!damage.isEmpty()) {
            // The connection must be gone before the file is renamed and a
            // new one takes the same name.
            m_helper.reset();
            const bool moved = moveAside(damage);
            m_helper = std::make_unique<DbHelper>(m_databasePath, m_connectionName);
            if (!moved)
                m_helper->close(); // never write into a file that is not a sound library
        }
    }
    if (!m_helper->isOpen() || !canWrite()) {
        m_openState = OpenState::CannotSave;
        qWarning().noquote() << "library database cannot be saved:" << m_databasePath;
    }
}

QString DbManager::damageOf(DbHelper &helper)
{
    const QString integrity = helper.integrityProblem();
    if (!integrity.isEmpty())
        return integrity;
    const QStringList tables = helper.tableNames();
    bool hasOurs = false;
    for (DbTableKind kind : {DbTableKind::LoadFiles, DbTableKind::VideoMessage}) {
        const DbHelper::TableDefinition definition = tableDefinition(kind);
        const QString table = definition.firstKey();
        if (!tables.contains(table))
            continue;
        hasOurs = true;
        const QStringList known = helper.knownColumns(table);
        for (const QString &column : definition.first()) {
            if (!known.contains(column))
                return QStringLiteral("table %1 has no column %2").arg(table, column);
        }
    }
    bool hasForeign = false;
    for (const QString &table : tables)
        hasForeign = hasForeign || !table.startsWith(QLatin1String("sqlite_"));
    if (hasForeign && !hasOurs)
        return QStringLiteral("no library tables, only: %1").arg(tables.join(QStringLiteral(", ")));
    return QString();
}

bool DbManager::moveAside(const QString &reason)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddhhmmss"));
    QString target = m_databasePath + QStringLiteral(".damaged-") + stamp;
    for (int n = 1; QFileInfo::exists(target); ++n)
        target = m_databasePath + QStringLiteral(".damaged-") + stamp + QLatin1Char('-')
            + QString::number(n);
    if (!QFile::rename(m_databasePath, target)) {
        qWarning().noquote() << "library database damaged:" << reason
                             << "- could not be moved aside, left as it is:" << m_databasePath;
        return false;
    }
    // A journal left beside the old file belongs to it, not to the fresh library.
    for (const char *suffix : {"-journal", "-wal", "-shm"}) {
        if (QFileInfo::exists(m_databasePath + QLatin1String(suffix)))
            QFile::rename(m_databasePath + QLatin1String(suffix), target + QLatin1String(suffix));
    }
    m_movedAsidePath = target;
    m_openState = OpenState::MovedAside;
    qWarning().noquote() << "library database damaged:" << reason << "- moved to" << target
                         << "and a new library started";
    return true;
}

bool DbManager::canWrite() const
{
    const QFileInfo file(m_databasePath);
    return file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
}

DbHelper::TableDefinition DbManager::tableDefinition(DbTableKind kind)
{
    DbHelper::TableDefinition definition;
    switch (kind) {
    case DbTableKind::LoadFiles:
        definition.insert(QStringLiteral("LoadFiles"),
                          {QStringLiteral("fileName"), QStringLiteral("time"),
                           QStringLiteral("path"), QStringLiteral("size"),
                           QStringLiteral("jsonMessage")});
        break;
    case DbTableKind::VideoMessage:
        definition.insert(QStringLiteral("VideoMessage"),
                          {QStringLiteral("fileName"), QStringLiteral("time"),
                           QStringLiteral("path"), QStringLiteral("jsonMessage")});
        break;
    }
    return definition;
}

// The records' own saving lives here rather than with the rest of DbModel
// and VideoMessage: a program that only reads records (kelmora-telemetry)
// then never loads the SQL module.
bool DbModel::insertToDb() const
{
    return DbManager::instance()->insertData(DbTableKind::LoadFiles, toDbMap());
}

void VideoMessage::saveToDb()
{
    if (clockVersion == 0)
        RecordClock::apply(*this);
    // One cached record per path: the player and the background reader may
    // both read a file that was never played.
    DbManager::instance()->deleteData(DbTableKind::VideoMessage, {{QStringLiteral("path"), path}});
    isSave = DbManager::instance()->insertData(DbTableKind::VideoMessage, toDbMap());
    // The library row learns the recording's trip facts, so the list groups
    // trips without reading every cached record.
    if (isSave)
        DbManager::instance()->mergeJsonMessage(
            DbTableKind::LoadFiles, QStringLiteral("path"), path,
            {{QLatin1String(ClipFacts::JsonKey), ClipFacts::of(*this).toJson()},
             // With the default limits: the list's badge needs no settings.
             {QLatin1String(DbModel::EventCountKey),
              EventDetector::detect(*this, EventThresholds()).size()}});
}

bool DbManager::insertData(DbTableKind kind, const QMap<QString, QString> &map)
{
    if (map.isEmpty())
        return false;
    bool ok = false;
    if (!m_helper->createTable(tableDefinition(kind)))
        qDebug() << "数据库表不存在";
    else
        ok = m_helper->inSertDataToTableName(map);
    if (!ok)
        qDebug() << "插入失败";
    return ok;
}

bool DbManager::deleteData(DbTableKind kind, const QMap<QString, QString> &where)
{
    const bool ok = !where.isEmpty() && m_helper->createTable(tableDefinition(kind))
        && m_helper->deleteDataWhere(where);
    qDebug() << (ok ? "删除数据成功" : "删除数据失败");
    return ok;
}

bool DbManager::mergeJsonMessage(DbTableKind kind,
                                 const QString &column,
                                 const QString &value,
                                 const QJsonObject &fields)
{
    const bool ok = m_helper->createTable(tableDefinition(kind))
        && m_helper->mergeIntoJsonMessage(column, value, fields);
    qDebug() << (ok ? "更新数据成功" : "更新数据失败");
    return ok;
}

bool DbManager::deleteAllData(DbTableKind kind)
{
    const bool ok = m_helper->createTable(tableDefinition(kind)) && m_helper->deleteAll();
    qDebug() << (ok ? "删除全部数据成功" : "删除全部数据失败");
    return ok;
}

void DbManager::selectVideoMessage(DbTableKind kind,
                                   int limit,
                                   const QMap<QString, QString> &where,
                                   const QStringList &orderBy,
                                   const VideoMessageCallback &callback,
                                   SelectLog log)
{
    const bool single = log == SelectLog::Single;
    qDebug() << (single ? "开始单个取数据" : "获取出视频文件的文件大小信息");
    if (!m_helper->createTable(tableDefinition(kind))) {
        qDebug() << (single ? "取出数据失败" : "获取出视频文件的文件大小信息失败");
        VideoMessage empty;
        if (callback)
            callback(empty, false);
        return;
    }
    VideoMessage record;
    qDebug() << "VideoMessage______DB::" << static_cast<const void *>(&record);
    record.clear();
    const bool ok = m_helper->selectVideoMessage(limit, where, orderBy, record);
    if (callback)
        callback(record, ok);
}

void DbManager::selectDbModels(DbTableKind kind,
                               int limit,
                               const QMap<QString, QString> &where,
                               const QStringList &orderBy,
                               const DbModelsCallback &callback)
{
    qDebug() << "开始多个取数据";
    QList<DbModel *> models;
    bool ok = false;
    if (!m_helper->createTable(tableDefinition(kind))) {
        qDebug() << "取出数据失败";
    } else {
        ok = m_helper->selectDbModels(limit, where, orderBy, models);
        qDebug() << "取数据完成";
    }
    if (callback)
        callback(models, ok);
    qDeleteAll(models);
}
