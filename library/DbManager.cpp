#include "library/DbManager.h"

#include "app/Helpers.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"

#include <QDebug>
#include <QDir>

DbManager::DbManager()
    : m_helper(std::make_unique<DbHelper>(
        QDir(appDataPath()).filePath(QStringLiteral("KelmoraPlayerFile.db"))))
{
}

DbManager *DbManager::instance()
{
    // Never destroyed: every row is committed as it is written, so nothing is
    // lost when the process ends with the connection open.
    static DbManager *manager = new DbManager;
    return manager;
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
