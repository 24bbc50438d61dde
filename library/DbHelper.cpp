#include "library/DbHelper.h"

#include "library/DbModel.h"
#include "library/RecordClock.h"
#include "library/VideoMessage.h"

#include <QDebug>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

DbHelper::DbHelper(const QString &databasePath,
                   const QString &connectionName,
                   const ColumnUpgrades &upgrades)
    : m_columnUpgrades(upgrades)
    , m_connectionName(connectionName)
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    m_db.setDatabaseName(databasePath);
    qDebug() << "数据库文件存储位置：" << databasePath;
    // SQLite would take an empty name for a throw-away file: rows "saved"
    // there are lost, so it is not opened at all.
    if (databasePath.isEmpty()) {
        qDebug() << "数据库打开失败: no database file";
    } else if (m_db.open()) {
        qDebug() << "数据库打开成功";
        readTableColumns();
    } else {
        qDebug() << "数据库打开失败" << m_db.lastError().text();
    }
}

DbHelper::~DbHelper()
{
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}

void DbHelper::readTableColumns()
{
    QSqlQuery tables(m_db);
    if (!tables.exec(
            QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name")))
        return;
    while (tables.next()) {
        const QString table = tables.value(0).toString();
        QSqlQuery info(m_db);
        QStringList columns;
        if (info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table))) {
            const int nameIndex = info.record().indexOf(QStringLiteral("name"));
            while (info.next())
                columns.append(info.value(nameIndex).toString());
        }
        m_knownColumns.insert(table, columns);
    }

    bool added = false;
    for (auto it = m_columnUpgrades.cbegin(); it != m_columnUpgrades.cend(); ++it) {
        const QString &table = it.key();
        if (it.value().size() < 2 || !m_knownColumns.contains(table)
            || m_knownColumns.value(table).contains(it.value().at(0)))
            continue;
        const QString column = it.value().at(0);
        QSqlQuery alter(m_db);
        if (alter.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                           .arg(table, column, it.value().at(1)))) {
            qDebug().noquote() << "表" + table + "中新增字段" + column;
            m_knownColumns[table].append(column);
            added = true;
        } else {
            qDebug() << "新增字段操作失败：" << alter.lastError().text();
        }
    }
    if (added) {
        for (auto it = m_knownColumns.cbegin(); it != m_knownColumns.cend(); ++it)
            qDebug().noquote() << "表名：" + it.key() + "字段列表："
                    + it.value().join(QStringLiteral(", "));
    }
}

QString DbHelper::integrityProblem()
{
    QSqlQuery check(m_db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check(1)"))) {
        // Only SQLite's word about the file itself counts: a lock held by
        // another program (or a second player) says nothing against it.
        const int code = check.lastError().nativeErrorCode().toInt() & 0xff;
        const int notADatabase = 26, corrupt = 11; // SQLITE_NOTADB, SQLITE_CORRUPT
        if (code == notADatabase || code == corrupt)
            return check.lastError().text();
        qWarning() << "library database not checked:" << check.lastError().text();
        return QString();
    }
    QStringList problems;
    while (check.next())
        problems << check.value(0).toString();
    if (problems == QStringList {QStringLiteral("ok")})
        return QString();
    return problems.isEmpty() ? QStringLiteral("no answer to the quick check")
                              : problems.join(QStringLiteral("; "));
}

QString DbHelper::createStatement(const QString &table, const QStringList &columns)
{
    QStringList typed;
    for (const QString &column : columns)
        typed.append(column + QStringLiteral(" TEXT"));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (ID INTEGER PRIMARY KEY AUTOINCREMENT,")
               .arg(table)
        + typed.join(QLatin1Char(',')) + QLatin1Char(')');
}

bool DbHelper::createTable(const TableDefinition &definition)
{
    if (definition.isEmpty()) {
        m_currentTable.clear();
        return false;
    }
    m_currentTable = definition.firstKey();
    const QStringList columns = definition.first();

    QSqlQuery count(m_db);
    count.prepare(QStringLiteral(
        "select count(*) as 'count' from sqlite_master where type ='table' and name = ?"));
    count.addBindValue(m_currentTable);
    if (!count.exec() || !count.next())
        return false;
    if (count.value(0).toInt() > 0)
        return true;

    qDebug() << "开始创建表";
    QSqlQuery create(m_db);
    if (!create.exec(createStatement(m_currentTable, columns))) {
        qDebug() << create.lastError().text();
        return false;
    }
    m_knownColumns.insert(m_currentTable, columns);
    return true;
}

bool DbHelper::checkColumns(const QStringList &columns) const
{
    const QStringList known = m_knownColumns.value(m_currentTable);
    for (const QString &column : columns) {
        if (!known.contains(column)) {
            qDebug().noquote() << "表" + m_currentTable + "字段不存在：" + column;
            return false;
        }
    }
    return true;
}

bool DbHelper::checkTableFields(const QMap<QString, QString> &map) const
{
    return checkColumns(map.keys());
}

QString DbHelper::insertStatement(const QString &table, const QStringList &columns)
{
    QStringList marks;
    for (int i = 0; i < columns.size(); ++i)
        marks.append(QStringLiteral("?"));
    return QStringLiteral("INSERT INTO %1 (").arg(table) + columns.join(QLatin1Char(','))
        + QLatin1Char(')') + QStringLiteral(" VALUES (") + marks.join(QLatin1Char(','))
        + QLatin1Char(')');
}

bool DbHelper::inSertDataToTableName(const QMap<QString, QString> &map)
{
    if (!checkTableFields(map))
        return false;
    // One statement, one implicit transaction: a process killed between rows
    // leaves every earlier row committed.
    QSqlQuery insert(m_db);
    insert.prepare(insertStatement(m_currentTable, map.keys()));
    for (const QString &value : map)
        insert.addBindValue(value);
    if (!insert.exec()) {
        qDebug() << "inSertDataToTableName插入数据失败插入数据失败：" << insert.lastError().text();
        return false;
    }
    return true;
}

QString DbHelper::deleteStatement(const QString &table, const QString &column)
{
    return QStringLiteral("DELETE FROM %1 WHERE %2=?").arg(table, column);
}

bool DbHelper::deleteDataWhere(const QMap<QString, QString> &where)
{
    if (where.isEmpty() || !checkColumns({where.firstKey()}))
        return false;
    const QString statement = deleteStatement(m_currentTable, where.firstKey());
    qDebug().noquote() << statement;
    QSqlQuery remove(m_db);
    remove.prepare(statement);
    remove.addBindValue(where.first());
    if (!remove.exec()) {
        qDebug() << remove.lastError().text();
        return false;
    }
    return true;
}

bool DbHelper::mergeIntoJsonMessage(const QString &column,
                                    const QString &value,
                                    const QJsonObject &fields)
{
    const QString json = QStringLiteral("jsonMessage");
    if (!checkColumns({column, json}))
        return false;
    QSqlQuery select(m_db);
    select.prepare(
        QStringLiteral("SELECT ID, %1 FROM %2 WHERE %3=?").arg(json, m_currentTable, column));
    select.addBindValue(value);
    if (!select.exec()) {
        qDebug() << "查询数据失败：" << select.lastError().text();
        return false;
    }
    QList<QPair<qint64, QJsonObject>> rows;
    while (select.next()) {
        const QJsonDocument document = QJsonDocument::fromJson(select.value(1).toString().toUtf8());
        // Rewriting text that is not an object would lose what it holds.
        if (!document.isObject()) {
            qDebug() << "jsonMessage is not a JSON object, row" << select.value(0).toLongLong();
            return false;
        }
        QJsonObject merged = document.object();
        for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
            merged.insert(it.key(), it.value());
        rows.append({select.value(0).toLongLong(), merged});
    }
    select.finish();
    for (const auto &row : qAsConst(rows)) {
        QSqlQuery update(m_db);
        update.prepare(QStringLiteral("UPDATE %1 SET %2=? WHERE ID=?").arg(m_currentTable, json));
        update.addBindValue(QString::fromUtf8(QJsonDocument(row.second).toJson()));
        update.addBindValue(row.first);
        if (!update.exec()) {
            qDebug() << update.lastError().text();
            return false;
        }
    }
    return !rows.isEmpty();
}

bool DbHelper::deleteAll()
{
    QSqlQuery remove(m_db);
    if (!remove.exec(QStringLiteral("DELETE FROM %1").arg(m_currentTable))) {
        qDebug() << remove.lastError().text();
        return false;
    }
    return true;
}

QString DbHelper::selectStatement(const QString &table,
                                  int limit,
                                  const QMap<QString, QString> &where,
                                  const QStringList &orderBy)
{
    QString text = QStringLiteral("SELECT * FROM %1").arg(table);
    if (!where.isEmpty()) {
        QStringList conditions;
        for (const QString &column : where.keys())
            conditions.append(QStringLiteral("%1 = ?").arg(column));
        return text + QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    }
    if (!orderBy.isEmpty())
        text += QStringLiteral(" ORDER BY ") + orderBy.join(QLatin1Char(','));
    if (limit > 0)
        text += QStringLiteral(" LIMIT %1").arg(limit);
    return text;
}

bool DbHelper::runSelect(int limit,
                         const QMap<QString, QString> &where,
                         const QStringList &orderBy,
                         QSqlQuery &query)
{
    if (!checkColumns(where.keys()) || (where.isEmpty() && !checkColumns(orderBy)))
        return false;
    query.setForwardOnly(true);
    query.prepare(selectStatement(m_currentTable, limit, where, orderBy));
    for (const QString &value : where)
        query.addBindValue(value);
    if (!query.exec()) {
        qDebug() << "查询数据失败：" << query.lastError().text();
        return false;
    }
    return true;
}

bool DbHelper::selectVideoMessage(int limit,
                                  const QMap<QString, QString> &where,
                                  const QStringList &orderBy,
                                  VideoMessage &record)
{
    QSqlQuery query(m_db);
    if (!runSelect(limit, where, orderBy, query))
        return false;
    const bool isMessageTable = m_currentTable == QLatin1String("VideoMessage");
    const int json = query.record().indexOf(QStringLiteral("jsonMessage"));
    bool found = false;
    while (query.next()) {
        found = true;
        if (isMessageTable)
            record.fromJson(query.value(json).toString());
    }
    // Records cached before the clock existed get it now.
    if (found && isMessageTable && record.clockVersion == 0)
        RecordClock::apply(record);
    return found;
}

bool DbHelper::selectDbModels(int limit,
                              const QMap<QString, QString> &where,
                              const QStringList &orderBy,
                              QList<DbModel *> &models)
{
    QSqlQuery query(m_db);
    if (!runSelect(limit, where, orderBy, query))
        return false;
    if (m_currentTable != QLatin1String("LoadFiles"))
        return true;
    const QSqlRecord columns = query.record();
    const int fileName = columns.indexOf(QStringLiteral("fileName"));
    const int path = columns.indexOf(QStringLiteral("path"));
    const int time = columns.indexOf(QStringLiteral("time"));
    const int size = columns.indexOf(QStringLiteral("size"));
    const int json = columns.indexOf(QStringLiteral("jsonMessage"));
    while (query.next()) {
        auto *model = new DbModel;
        models.append(model);
        model->fileName = query.value(fileName).toString();
        model->path = query.value(path).toString();
        model->time = query.value(time).toString();
        model->size = query.value(size).toString();
        model->fromJsonMessage(query.value(json).toString());
    }
    return true;
}
