#include "app/Helpers.h"
#include "library/DbHelper.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "tests/support/TestHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

QStringList g_log;

void captureLog(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_log.append(message);
}

int logCount(const QString &line)
{
    int n = 0;
    for (const QString &message : qAsConst(g_log)) {
        if (message.contains(line))
            ++n;
    }
    return n;
}

QList<DbModel> selectModels(const QMap<QString, QString> &where = {},
                            const QStringList &orderBy = {},
                            bool *okOut = nullptr)
{
    QList<DbModel> copies;
    DbManager::instance()->selectDbModels(DbTableKind::LoadFiles, 0, where, orderBy,
                                          [&](QList<DbModel *> models, bool ok) {
                                              for (DbModel *m : models)
                                                  copies.append(*m);
                                              if (okOut)
                                                  *okOut = ok;
                                          });
    return copies;
}

DbModel entry(const QString &fileName, const QString &path = QString())
{
    DbModel d;
    d.fileName = fileName;
    d.path = path.isEmpty() ? "/videos/" + fileName : path;
    d.time = "20240102030405678";
    d.size = "12.5";
    d.width = "1920";
    d.height = "1080";
    return d;
}

// A second, independent connection to a database file, closed on destruction.
class Peek
{
public:
    explicit Peek(const QString &file)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", m_name);
        db.setDatabaseName(file);
        db.open();
    }
    ~Peek() { QSqlDatabase::removeDatabase(m_name); }
    QVariantList column(const QString &sql) const
    {
        QVariantList values;
        QSqlQuery q(QSqlDatabase::database(m_name));
        if (q.exec(sql)) {
            while (q.next())
                values.append(q.value(0));
        }
        return values;
    }

private:
    QString m_name = QStringLiteral("peek");
};

QString databaseFile()
{
    return QDir(appDataPath()).filePath("KelmoraPlayerFile.db");
}

} // namespace

class DatabaseTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void freshFolderCreatesFileAndTables();
    void statementTexts_data();
    void statementTexts();
    void hostileValuesStoredAsGiven_data();
    void hostileValuesStoredAsGiven();
    void refusedInserts();
    void deleteUsesFirstKeyOnly();
    void videoMessageRows();
    void jsonKeysMergeIntoOnePathsRows();
    void columnUpgradesAddMissingColumns();
    void killedWriterLeavesCommittedRows();
    void unopenableFileFailsCleanly();
};

void DatabaseTest::initTestCase()
{
    qInstallMessageHandler(captureLog);
}

void DatabaseTest::freshFolderCreatesFileAndTables()
{
    QVERIFY(!QFile::exists(databaseFile()));
    bool ok = false;
    const QList<DbModel> none = selectModels({}, {}, &ok);
    QVERIFY(QFile::exists(databaseFile()));
    QVERIFY(ok); // an empty table is a successful read
    QVERIFY(none.isEmpty());
    QCOMPARE(logCount("数据库文件存储位置："), 1);
    QCOMPARE(logCount("数据库打开成功"), 1);
    QCOMPARE(logCount("开始创建表"), 1);
    QCOMPARE(logCount("开始多个取数据"), 1);
    QCOMPARE(logCount("取数据完成"), 1);

    QVERIFY(entry("a.mp4").insertToDb());
    QCOMPARE(logCount("开始创建表"), 1); // LoadFiles exists now
    VideoMessage m;
    m.fileName = "a.mp4";
    m.saveToDb();
    QVERIFY(m.isSave);
    QCOMPARE(logCount("开始创建表"), 2); // first use of VideoMessage
    QVERIFY(DbManager::instance()->deleteAllData(DbTableKind::VideoMessage));
    QCOMPARE(logCount("开始创建表"), 2);

    Peek peek(databaseFile());
    QCOMPARE(peek.column("SELECT name FROM pragma_table_info('LoadFiles')"),
             QVariantList({"ID", "fileName", "time", "path", "size", "jsonMessage"}));
    QCOMPARE(peek.column("SELECT name FROM pragma_table_info('VideoMessage')"),
             QVariantList({"ID", "fileName", "time", "path", "jsonMessage"}));
    QCOMPARE(peek.column("SELECT type FROM pragma_table_info('LoadFiles') WHERE name='size'"),
             QVariantList({"TEXT"}));
    QVERIFY(DbManager::instance()->deleteAllData(DbTableKind::LoadFiles));
    QVERIFY(logCount("删除全部数据成功") == 2);
    QVERIFY(selectModels().isEmpty());
}

void DatabaseTest::statementTexts_data()
{
    using Where = QMap<QString, QString>;
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("create LoadFiles")
        << DbHelper::createStatement("LoadFiles",
                                     DbManager::tableDefinition(DbTableKind::LoadFiles).first())
        << "CREATE TABLE IF NOT EXISTS LoadFiles (ID INTEGER PRIMARY KEY AUTOINCREMENT,"
           "fileName TEXT,time TEXT,path TEXT,size TEXT,jsonMessage TEXT)";
    QTest::newRow("create VideoMessage")
        << DbHelper::createStatement("VideoMessage",
                                     DbManager::tableDefinition(DbTableKind::VideoMessage).first())
        << "CREATE TABLE IF NOT EXISTS VideoMessage (ID INTEGER PRIMARY KEY AUTOINCREMENT,"
           "fileName TEXT,time TEXT,path TEXT,jsonMessage TEXT)";
    QTest::newRow("insert, keys sorted")
        << DbHelper::insertStatement("LoadFiles", entry("a.mp4").toDbMap().keys())
        << "INSERT INTO LoadFiles (fileName,jsonMessage,path,size,time) VALUES (?,?,?,?,?)";
    QTest::newRow("delete") << DbHelper::deleteStatement("VideoMessage", "fileName")
                            << "DELETE FROM VideoMessage WHERE fileName=?";
    QTest::newRow("where drops limit and order")
        << DbHelper::selectStatement("VideoMessage", 5, Where {{"fileName", "a.mp4"}}, {"time"})
        << "SELECT * FROM VideoMessage WHERE fileName = ?";
    QTest::newRow("where of two, key order")
        << DbHelper::selectStatement("LoadFiles", 0, Where {{"time", "1"}, {"fileName", "a"}}, {})
        << "SELECT * FROM LoadFiles WHERE fileName = ? AND time = ?";
    QTest::newRow("order, no limit") << DbHelper::selectStatement("LoadFiles", 0, {}, {"time"})
                                     << "SELECT * FROM LoadFiles ORDER BY time";
    QTest::newRow("order and limit")
        << DbHelper::selectStatement("LoadFiles", 3, {}, {"time", "size"})
        << "SELECT * FROM LoadFiles ORDER BY time,size LIMIT 3";
    QTest::newRow("negative limit")
        << DbHelper::selectStatement("LoadFiles", -1, {}, {}) << "SELECT * FROM LoadFiles";
    QTest::newRow("no kind") << QString::number(DbManager::tableDefinition(DbTableKind(7)).size())
                             << "0";
}

void DatabaseTest::statementTexts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void DatabaseTest::hostileValuesStoredAsGiven_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::newRow("apostrophe") << "it's.mp4";
    QTest::newRow("double quotes") << "a \"quoted\" name.mp4";
    QTest::newRow("statement end") << "x'); DROP TABLE LoadFiles; --.mp4";
    QTest::newRow("always true") << "' OR '1'='1";
    QTest::newRow("shell") << "$(touch pwned) `id` & ; |.mp4";
    QTest::newRow("cjk") << "行车记录 前摄像头 ドライブ.mp4";
    QTest::newRow("backslash percent") << "C:\\v\\100% %1 ?.mp4";
}

void DatabaseTest::hostileValuesStoredAsGiven()
{
    QFETCH(QString, fileName);
    DbManager *db = DbManager::instance();
    QVERIFY(db->deleteAllData(DbTableKind::LoadFiles));
    QVERIFY(entry("plain.mp4").insertToDb());
    DbModel odd = entry(fileName, "/v/" + fileName);
    odd.is3DVideo = true;
    odd.width = fileName; // lands inside the JSON column
    QVERIFY(odd.insertToDb());

    const QList<DbModel> found = selectModels({{"fileName", fileName}});
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().fileName, fileName);
    QCOMPARE(found.first().path, "/v/" + fileName);
    QCOMPARE(found.first().width, fileName);
    QVERIFY(found.first().is3DVideo);
    QCOMPARE(selectModels().size(), 2);

    // The probe cache keeps the same text inside its JSON.
    VideoMessage message;
    message.fileName = fileName;
    message.path = "/v/" + fileName;
    message.name = fileName;
    message.saveToDb();
    QVERIFY(message.isSave);
    VideoMessage read;
    bool ok = false;
    db->selectVideoMessage(DbTableKind::VideoMessage, 0, {{"fileName", fileName}}, {},
                           [&](VideoMessage &m, bool found) {
                               read = m;
                               ok = found;
                           });
    QVERIFY(ok);
    QCOMPARE(read.name, fileName);

    // Deleting by an unrelated value removes nothing, by the value exactly one row.
    QVERIFY(db->deleteData(DbTableKind::LoadFiles, {{"fileName", "' OR '1'='1' --"}}));
    QCOMPARE(selectModels().size(), 2);
    QVERIFY(db->deleteData(DbTableKind::LoadFiles, {{"fileName", fileName}}));
    const QList<DbModel> rest = selectModels();
    QCOMPARE(rest.size(), 1);
    QCOMPARE(rest.first().fileName, QString("plain.mp4"));
    QVERIFY(db->deleteData(DbTableKind::VideoMessage, {{"fileName", fileName}}));
}

void DatabaseTest::refusedInserts()
{
    DbManager *db = DbManager::instance();
    g_log.clear();
    QVERIFY(!db->insertData(DbTableKind::LoadFiles, {}));
    QVERIFY(g_log.isEmpty()); // no statement, no line

    QVERIFY(!db->insertData(DbTableKind::LoadFiles, {{"fileName", "a.mp4"}, {"bogus", "1"}}));
    QCOMPARE(logCount("表LoadFiles字段不存在：bogus"), 1);
    QCOMPARE(logCount("插入失败"), 1);

    // A column name is never taken as SQL, in a where-map or an order-by list.
    bool ok = true;
    selectModels({{"1=1 OR fileName", "x"}}, {}, &ok);
    QVERIFY(!ok);
    selectModels({}, {"time; DROP TABLE LoadFiles"}, &ok);
    QVERIFY(!ok);
    QVERIFY(!db->deleteData(DbTableKind::LoadFiles, {{"fileName OR 1=1 --", "x"}}));
    QCOMPARE(logCount("删除数据失败"), 1);
    selectModels({}, {}, &ok);
    QVERIFY(ok);

    QVERIFY(!db->insertData(DbTableKind(9), {{"fileName", "a.mp4"}}));
    QCOMPARE(logCount("数据库表不存在"), 1);
}

void DatabaseTest::deleteUsesFirstKeyOnly()
{
    DbManager *db = DbManager::instance();
    QVERIFY(db->deleteAllData(DbTableKind::LoadFiles));
    QVERIFY(entry("a.mp4", "/one/a.mp4").insertToDb());
    QVERIFY(entry("a.mp4", "/two/a.mp4").insertToDb());
    QVERIFY(entry("b.mp4").insertToDb());
    g_log.clear();
    // "fileName" sorts before "path": both a.mp4 rows go, whatever the path says.
    QVERIFY(db->deleteData(DbTableKind::LoadFiles, {{"path", "/nowhere"}, {"fileName", "a.mp4"}}));
    QCOMPARE(logCount("DELETE FROM LoadFiles WHERE fileName=?"), 1);
    QCOMPARE(logCount("删除数据成功"), 1);
    const QList<DbModel> rest = selectModels();
    QCOMPARE(rest.size(), 1);
    QCOMPARE(rest.first().fileName, QString("b.mp4"));
    QVERIFY(!db->deleteData(DbTableKind::LoadFiles, {}));

    // Ordered reads.
    DbModel late = entry("c.mp4");
    late.time = "20240101000000000";
    QVERIFY(late.insertToDb());
    const QList<DbModel> ordered = selectModels({}, {"time"});
    QCOMPARE(ordered.size(), 2);
    QCOMPARE(ordered.first().fileName, QString("c.mp4"));
}

void DatabaseTest::videoMessageRows()
{
    DbManager *db = DbManager::instance();
    QVERIFY(db->deleteAllData(DbTableKind::VideoMessage));
    const QMap<QString, QString> byName {{"fileName", "track.mp4"}};

    VideoMessage read;
    bool ok = true;
    int calls = 0;
    auto keep = [&](VideoMessage &m, bool found) {
        read = m;
        ok = found;
        ++calls;
    };
    g_log.clear();
    db->selectVideoMessage(DbTableKind::VideoMessage, 0, byName, {}, keep);
    QCOMPARE(calls, 1);
    QVERIFY(!ok);
    QCOMPARE(read.aevSpeed, QString()); // a cleared record, not a fresh one
    QCOMPARE(logCount("开始单个取数据"), 1);
    QCOMPARE(logCount("VideoMessage______DB::"), 1);

    VideoMessage first;
    first.fileName = "track.mp4";
    first.path = "/card/track.mp4";
    first.duration = "3600";
    first.durationM = 3600000;
    first.videoCodec = "H264";
    for (int i = 0; i < 3600; ++i) {
        GpsItem g;
        g.status = true;
        g.latitude = QString::number(35.0 + i * 1e-5, 'f', 6);
        g.longitude = "139.000000";
        first.gpsItems.insert(QString::number(i), g);
        first.gsensorItems.insert(QString::number(i), {"0.1", "0.2", "0.3"});
    }
    first.saveToDb();
    QVERIFY(first.isSave);
    db->selectVideoMessage(DbTableKind::VideoMessage, 0, byName, {}, keep,
                           DbManager::SelectLog::FileSize);
    QVERIFY(ok);
    QCOMPARE(logCount("获取出视频文件的文件大小信息"), 1);
    QVERIFY(read.isSave);
    QCOMPARE(read.gpsItems.size(), 3600);
    QCOMPARE(read.gpsItems.value("3599").latitude, first.gpsItems.value("3599").latitude);
    QCOMPARE(read.durationM, qint64(3600000));

    // A second row for the same name, as earlier versions could store: its
    // values win, field by field.
    VideoMessage second;
    second.fileName = "track.mp4";
    second.path = first.path;
    second.duration = "10";
    second.gpsItems.insert("3599", GpsItem());
    QVERIFY(db->insertData(DbTableKind::VideoMessage, second.toDbMap()));
    db->selectVideoMessage(DbTableKind::VideoMessage, 0, byName, {}, keep);
    QVERIFY(ok);
    QCOMPARE(read.duration, QString("10"));
    QCOMPARE(read.videoCodec, QString());
    QCOMPARE(read.gpsItems.size(), 3600); // samples of both rows fold together
    QCOMPARE(read.gpsItems.value("3599").latitude, QString());

    // Saving now replaces every row of the path: the record read is the saved one.
    second.saveToDb();
    read.clear();
    db->selectVideoMessage(DbTableKind::VideoMessage, 0, byName, {}, keep);
    QVERIFY(ok);
    QCOMPARE(read.gpsItems.size(), 1);

    QVERIFY(db->deleteData(DbTableKind::VideoMessage, byName));
    db->selectVideoMessage(DbTableKind::VideoMessage, 0, byName, {}, keep);
    QVERIFY(!ok);
}

void DatabaseTest::jsonKeysMergeIntoOnePathsRows()
{
    DbManager *db = DbManager::instance();
    QVERIFY(db->deleteAllData(DbTableKind::LoadFiles));
    // One name in two folders; the first row also holds a key of some later version.
    const QString one = "/card/one/it's FILE0001.MP4", two = "/card/two/it's FILE0001.MP4";
    QMap<QString, QString> first = entry("it's FILE0001.MP4", one).toDbMap();
    first["jsonMessage"] = "{\"height\": \"1080\", \"is3DVideo\": true, \"later\": [1, 2], "
                           "\"width\": \"1920\"}";
    QVERIFY(db->insertData(DbTableKind::LoadFiles, first));
    const QMap<QString, QString> second = entry("it's FILE0001.MP4", two).toDbMap();
    QVERIFY(db->insertData(DbTableKind::LoadFiles, second));
    // The JSON of the n-th row stored.
    const auto jsonOf = [](int row) {
        const QVariantList texts
            = Peek(databaseFile()).column("SELECT jsonMessage FROM LoadFiles ORDER BY ID");
        return QJsonDocument::fromJson(texts.value(row).toString().toUtf8()).object();
    };

    QVERIFY(db->mergeJsonMessage(DbTableKind::LoadFiles, "path", one, {{"show360", false}}));
    QJsonObject merged = jsonOf(0);
    QCOMPARE(merged.value("show360"), QJsonValue(false));
    QCOMPARE(merged.value("is3DVideo"), QJsonValue(true));
    QCOMPARE(merged.value("width"), QJsonValue("1920"));
    QCOMPARE(merged.value("later"), QJsonValue(QJsonArray {1, 2}));
    QCOMPARE(jsonOf(1), QJsonDocument::fromJson(second["jsonMessage"].toUtf8()).object());
    const QList<DbModel> read = selectModels({{"path", one}});
    QCOMPARE(read.size(), 1);
    QCOMPARE(read.first().viewChoice, DbModel::ViewChoice::Flat);

    // No row of that path, or one whose text is not an object: nothing is written.
    QVERIFY(
        !db->mergeJsonMessage(DbTableKind::LoadFiles, "path", "' OR '1'='1", {{"show360", true}}));
    QVERIFY(!jsonOf(1).contains("show360"));
    QCOMPARE(jsonOf(0).value("show360"), QJsonValue(false));
    QMap<QString, QString> garbage = entry("x.mp4").toDbMap();
    garbage["jsonMessage"] = "not json";
    QVERIFY(db->insertData(DbTableKind::LoadFiles, garbage));
    QVERIFY(!db->mergeJsonMessage(DbTableKind::LoadFiles, "path", garbage["path"],
                                  {{"show360", true}}));
    QCOMPARE(Peek(databaseFile()).column("SELECT jsonMessage FROM LoadFiles ORDER BY ID").value(2),
             QVariant("not json"));
}

void DatabaseTest::columnUpgradesAddMissingColumns()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("old.db");
    {
        QSqlDatabase old = QSqlDatabase::addDatabase("QSQLITE", "old");
        old.setDatabaseName(file);
        QVERIFY(old.open());
        QSqlQuery q(old);
        QVERIFY(q.exec(DbHelper::createStatement("LoadFiles", {"fileName", "time"})));
        QVERIFY(q.exec("INSERT INTO LoadFiles (fileName,time) VALUES ('kept.mp4','1')"));
        old.close();
    }
    QSqlDatabase::removeDatabase("old");

    DbHelper::ColumnUpgrades upgrades;
    upgrades.insert("LoadFiles", {"rating", "TEXT"});
    upgrades.insert("Missing", {"x", "TEXT"}); // no such table: nothing to upgrade
    g_log.clear();
    {
        DbHelper helper(file, "upgrade", upgrades);
        QVERIFY(helper.isOpen());
        QCOMPARE(helper.knownColumns("LoadFiles"),
                 QStringList({"ID", "fileName", "time", "rating"}));
        QCOMPARE(logCount("表LoadFiles中新增字段rating"), 1);
        QCOMPARE(logCount("表名：LoadFiles字段列表：ID, fileName, time, rating"), 1);

        QVERIFY(helper.createTable({{"LoadFiles", {"fileName", "time", "rating"}}}));
        QVERIFY(helper.inSertDataToTableName({{"fileName", "new.mp4"}, {"rating", "5"}}));
        QList<DbModel *> models;
        QVERIFY(helper.selectDbModels(0, {}, {}, models));
        QCOMPARE(models.size(), 2);
        QCOMPARE(models.first()->fileName, QString("kept.mp4"));
        qDeleteAll(models);
    }
    g_log.clear();
    DbHelper again(file, "upgrade", upgrades);
    QCOMPARE(logCount("中新增字段"), 0); // already there
}

void DatabaseTest::killedWriterLeavesCommittedRows()
{
    QTemporaryDir home;
    QProcess writer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.path());
    writer.setProcessEnvironment(env);
    writer.setProcessChannelMode(QProcess::SeparateChannels);
    writer.start(QCoreApplication::applicationDirPath() + "/tst_database_writer", {"insert"});
    QVERIFY2(writer.waitForStarted(10000), qPrintable(writer.errorString()));

    int lastCommitted = -1;
    QByteArray pending;
    QElapsedTimer clock;
    clock.start();
    while (lastCommitted < 150 && clock.elapsed() < 120000 && writer.state() == QProcess::Running) {
        writer.waitForReadyRead(1000);
        pending += writer.readAllStandardOutput();
        int end;
        while ((end = pending.indexOf('\n')) >= 0) {
            lastCommitted = pending.left(end).toInt();
            pending.remove(0, end + 1);
        }
    }
    QVERIFY2(lastCommitted >= 150, "the writer stopped before 150 rows");
    ::kill(pid_t(writer.processId()), SIGKILL);
    QVERIFY(writer.waitForFinished(10000));
    QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
    pending += writer.readAllStandardOutput();
    for (const QByteArray &line : pending.split('\n')) {
        if (!line.isEmpty())
            lastCommitted = line.toInt();
    }

    Peek peek(home.path() + "/KelmoraPlayer/KelmoraPlayerFile.db");
    QCOMPARE(peek.column("PRAGMA integrity_check"), QVariantList({"ok"}));
    const QVariantList names = peek.column("SELECT fileName FROM LoadFiles ORDER BY ID");
    QVERIFY(names.size() >= lastCommitted + 1);
    QVERIFY(names.size() <= lastCommitted + 2); // at most the row being written when killed
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(names.at(i).toString(), QString("row_%1.mp4").arg(i));
    const QVariantList paths = peek.column("SELECT path FROM LoadFiles ORDER BY ID");
    QCOMPARE(paths.at(lastCommitted).toString(),
             QString("/v/it's \"%1\" 行车.mp4").arg(lastCommitted));
    for (const QVariant &json : peek.column("SELECT jsonMessage FROM VideoMessage"))
        QVERIFY(!QJsonDocument::fromJson(json.toString().toUtf8()).isNull());
    QVERIFY(peek.column("SELECT count(*) FROM VideoMessage").value(0).toInt()
            >= lastCommitted / 5 + 1);
}

void DatabaseTest::unopenableFileFailsCleanly()
{
    // The database path is a folder: opening fails, and every operation says so.
    QTemporaryDir home;
    QVERIFY(QDir(home.path()).mkpath("KelmoraPlayer/KelmoraPlayerFile.db"));
    QProcess writer;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.path());
    writer.setProcessEnvironment(env);
    writer.start(QCoreApplication::applicationDirPath() + "/tst_database_writer", {"unopenable"});
    QVERIFY(writer.waitForFinished(30000));
    QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
    QCOMPARE(writer.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(writer.readAllStandardOutput()).trimmed(),
             QString("insert 0 select 0 rows 0"));
}

KELMORA_TEST_MAIN(QCoreApplication, DatabaseTest)
#include "tst_database.moc"
