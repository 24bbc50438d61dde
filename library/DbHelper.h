#pragma once

#include <QJsonObject>
#include <QMap>
#include <QMultiMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class DbModel;
class VideoMessage;

// SQL side of the library store: one SQLite connection, the columns known per
// table, and the statement builders. Every value reaches SQLite as a bound
// parameter, never inside the statement text, so file names and JSON with
// quotes are stored as given. Table and column names are checked against the
// known columns before they enter a statement. Used by DbManager on one thread.
class DbHelper
{
public:
    using TableDefinition = QMap<QString, QStringList>; // table -> columns
    using ColumnUpgrades = QMultiMap<QString, QStringList>; // table -> [column, type]

    // Opens (creating when missing) the SQLite file under the given connection;
    // an empty path leaves the connection closed.
    explicit DbHelper(const QString &databasePath,
                      const QString &connectionName
                      = QLatin1String(QSqlDatabase::defaultConnection),
                      const ColumnUpgrades &upgrades = ColumnUpgrades());
    ~DbHelper();
    DbHelper(const DbHelper &) = delete;
    DbHelper &operator=(const DbHelper &) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    // Every later statement then fails.
    void close() { m_db.close(); }
    QStringList tableNames() const { return m_knownColumns.keys(); }
    // What SQLite's quick check finds wrong with the file, empty when it is
    // sound or could not be checked (locked by another connection).
    QString integrityProblem();
    QString currentTable() const { return m_currentTable; }
    QStringList knownColumns(const QString &table) const { return m_knownColumns.value(table); }

    // Makes the definition's table current, creating it when it does not exist.
    bool createTable(const TableDefinition &definition);
    void readTableColumns();
    bool checkTableFields(const QMap<QString, QString> &map) const;
    bool inSertDataToTableName(const QMap<QString, QString> &map);
    bool deleteDataWhere(const QMap<QString, QString> &where);
    // Sets the given keys in the JSON object of the jsonMessage column of every
    // row whose column equals value, keeping every other key as it was. False
    // when a statement failed, a row's JSON is not an object, or no row matched.
    bool
    mergeIntoJsonMessage(const QString &column, const QString &value, const QJsonObject &fields);
    bool deleteAll();
    // Both fold every matching row into their output; false when the statement failed
    // (selectVideoMessage also when no row matched).
    bool selectVideoMessage(int limit,
                            const QMap<QString, QString> &where,
                            const QStringList &orderBy,
                            VideoMessage &record);
    bool selectDbModels(int limit,
                        const QMap<QString, QString> &where,
                        const QStringList &orderBy,
                        QList<DbModel *> &models);

    // Statement texts, with a "?" for every bound value (what the log shows).
    static QString createStatement(const QString &table, const QStringList &columns);
    static QString insertStatement(const QString &table, const QStringList &columns);
    static QString deleteStatement(const QString &table, const QString &column);
    static QString selectStatement(const QString &table,
                                   int limit,
                                   const QMap<QString, QString> &where,
                                   const QStringList &orderBy);

private:
    bool checkColumns(const QStringList &columns) const;
    bool runSelect(int limit,
                   const QMap<QString, QString> &where,
                   const QStringList &orderBy,
                   class QSqlQuery &query);

    QSqlDatabase m_db;
    ColumnUpgrades m_columnUpgrades;
    QMap<QString, QStringList> m_knownColumns;
    QString m_currentTable;
    QString m_connectionName;
};
