// The player in a hostile environment: a damaged library file, an app-data
// folder that cannot be written, no ffmpeg on the PATH and no network. Each
// start of the player is a separate process (tst_hostile_env_start), since the
// library store is opened once per process.
#include "app/CrashHandler.h"
#include "app/Helpers.h"
#include "app/NetworkListener.h"
#include "app/SettingsKeys.h"
#include "edit/VideoEdit.h"
#include "library/AddLoadWidget.h"
#include "library/CmdModel.h"
#include "library/CustomListItem.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FFmpegThread.h"
#include "library/VideoMessage.h"
#include "tests/support/PathGuard.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestHome.h"
#include "tests/support/TestRecords.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <ctime>
#include <unistd.h>

namespace {

QStringList g_log;
QtMessageHandler g_previousHandler = nullptr;

void captureLog(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    g_log.append(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

int logCount(const QString &text)
{
    int n = 0;
    for (const QString &line : qAsConst(g_log))
        n += line.contains(text);
    return n;
}

// Runs statements on a SQLite file through a connection of its own.
bool runSql(const QString &path, const QStringList &statements)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "hostile-setup");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString &statement : statements)
            ok = ok && query.exec(statement);
        db.close();
    }
    QSqlDatabase::removeDatabase("hostile-setup");
    return ok;
}

// A sound library of the player's own layout with rows named row_0 ... row_{n-1}.
QByteArray soundLibrary(int rows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("library.db");
    QStringList statements {
        "CREATE TABLE LoadFiles (ID INTEGER PRIMARY KEY AUTOINCREMENT,fileName TEXT,time TEXT,"
        "path TEXT,size TEXT,jsonMessage TEXT)",
        "CREATE TABLE VideoMessage (ID INTEGER PRIMARY KEY AUTOINCREMENT,fileName TEXT,time TEXT,"
        "path TEXT,jsonMessage TEXT)",
        "BEGIN"};
    for (int i = 0; i < rows; ++i)
        statements << QString(
                          "INSERT INTO LoadFiles (fileName, time, path, size, jsonMessage) VALUES "
                          "('row_%1.mp4', '20240102030405678', '/v/row_%1.mp4', '12.5', '%2')")
                          .arg(i)
                          .arg(QString(300, QChar('j')));
    statements << "COMMIT";
    return runSql(path, statements) ? readAll(path) : QByteArray();
}

QByteArray sqliteWith(const QStringList &statements)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("other.db");
    return runSql(path, statements) ? readAll(path) : QByteArray();
}

QStringList fileNamesIn(const QString &path)
{
    QStringList names;
    DbManager store(path, "hostile-peek");
    store.selectDbModels(DbTableKind::LoadFiles, 0, {}, {}, [&](QList<DbModel *> models, bool) {
        for (const DbModel *model : models)
            names << model->fileName;
    });
    return names;
}

const QRegularExpression kDamagedName(R"(^KelmoraPlayerFile\.db\.damaged-\d{14}$)");

struct StartResult
{
    bool finished = false;
    int exitCode = -1;
    QStringList lines;
};

// One start of the player with the given data folder (XDG_DATA_HOME), importing
// files; extra variables (a locale, a PATH) replace the inherited ones.
StartResult startPlayer(const QString &dataHome,
                        const QString &workDir,
                        const QStringList &files = {},
                        const QProcessEnvironment &extra = {})
{
    QProcess player;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", dataHome);
    for (const QString &name : extra.keys())
        env.insert(name, extra.value(name));
    player.setProcessEnvironment(env);
    player.setWorkingDirectory(workDir);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(START_EXE, files);
    StartResult result;
    result.finished = player.waitForFinished(150000);
    if (!result.finished) {
        player.kill();
        player.waitForFinished(5000);
    }
    result.exitCode = player.exitStatus() == QProcess::NormalExit ? player.exitCode() : -1;
    result.lines
        = QString::fromUtf8(player.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return result;
}

// Sets PATH for the life of the guard.
double processCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

QString hudText(QWidget *hud)
{
    auto *label = hud ? hud->findChild<QLabel *>("messageLabel") : nullptr;
    return label ? label->text() : QString();
}

} // namespace

class TestHostileEnv : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void damagedLibraryMovedAside_data();
    void damagedLibraryMovedAside();
    void lockedLibraryStaysInPlace();
    void startUpReportsDamageOnce();
    void unwritableAppData_data();
    void unwritableAppData();
    void noDataFolderWritesNothingInTheWorkingFolder();
    void noticesInTheUsersLanguage_data();
    void noticesInTheUsersLanguage();
    void missingFfmpegStillMakesThumbnails();
    void failedCutAndStillSayWhy_data();
    void failedCutAndStillSayWhy();
    void offlineProbeBacksOffWithoutSpinning();

private:
    QTemporaryDir m_dir;
    QString m_clip;
};

void TestHostileEnv::initTestCase()
{
    g_previousHandler = qInstallMessageHandler(captureLog);
    QVERIFY(m_dir.isValid());
    m_clip = makeTestClip(m_dir.filePath("clip.mp4"), "testsrc2=s=320x180:r=25:d=3",
                          "sine=frequency=440:sample_rate=44100:d=3");
    QVERIFY2(!m_clip.isEmpty(), "ffmpeg could not make the test clip");
}

void TestHostileEnv::damagedLibraryMovedAside_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("movedAside");
    QTest::addColumn<int>("keptRows");

    const QByteArray sound = soundLibrary(400);
    QVERIFY(sound.size() > 64 * 1024);
    QByteArray garbage;
    for (int i = 0; i < 50000; ++i)
        garbage.append(char((i * 7919) % 251));
    QTest::newRow("garbage") << garbage << true << 0;
    QTest::newRow("text file") << QByteArray("not a database\n") << true << 0;
    QTest::newRow("truncated at half") << sound.left(sound.size() / 2) << true << 0;
    QTest::newRow("header only") << sound.left(100) << true << 0;
    QTest::newRow("library table without its columns")
        << sqliteWith({"CREATE TABLE LoadFiles (ID INTEGER PRIMARY KEY, name TEXT)"}) << true << 0;
    QTest::newRow("another program's tables") << sqliteWith(
        {"CREATE TABLE contacts (name TEXT, phone TEXT)", "INSERT INTO contacts VALUES ('a', '1')"})
                                              << true << 0;
    // Files the store can use must stay where they are, rows and all.
    QTest::newRow("sound library") << sound << false << 400;
    QTest::newRow("zero bytes") << QByteArray() << false << 0;
    QTest::newRow("only the file table")
        << sqliteWith({"CREATE TABLE LoadFiles (ID INTEGER PRIMARY KEY AUTOINCREMENT,fileName TEXT,"
                       "time TEXT,path TEXT,size TEXT,jsonMessage TEXT)"})
        << false << 0;
}

void TestHostileEnv::damagedLibraryMovedAside()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, movedAside);
    QFETCH(int, keptRows);
    QTemporaryDir dir;
    const QString path = dir.filePath("KelmoraPlayerFile.db");
    QVERIFY(writeAll(path, bytes));
    g_log.clear();

    {
        DbManager store(path, "hostile-open");
        QCOMPARE(store.openState(),
                 movedAside ? DbManager::OpenState::MovedAside : DbManager::OpenState::Ready);
        // Damaged or not, the library takes new rows at its usual place.
        DbModel row;
        row.fileName = "new.mp4";
        row.path = "/v/new.mp4";
        row.time = "20250101000000000";
        QVERIFY(store.insertData(DbTableKind::LoadFiles, row.toDbMap()));
    }
    QCOMPARE(logCount("library database damaged:"), movedAside ? 1 : 0);

    const QStringList damaged = QDir(dir.path()).entryList({"*.damaged-*"}, QDir::Files);
    if (movedAside) {
        QCOMPARE(damaged.size(), 1);
        QVERIFY2(kDamagedName.match(damaged.first()).hasMatch(), qPrintable(damaged.first()));
        QCOMPARE(readAll(dir.filePath(damaged.first())), bytes); // kept byte for byte
    } else {
        QVERIFY(damaged.isEmpty());
    }
    const QStringList names = fileNamesIn(path);
    QCOMPARE(names.size(), keptRows + 1);
    QCOMPARE(names.last(), QString("new.mp4"));
    if (keptRows)
        QCOMPARE(names.first(), QString("row_0.mp4"));

    // The next start finds a sound library and has nothing to say.
    g_log.clear();
    DbManager again(path, "hostile-again");
    QCOMPARE(again.openState(), DbManager::OpenState::Ready);
    QCOMPARE(logCount("library database damaged:"), 0);
    QCOMPARE(QDir(dir.path()).entryList({"*.damaged-*"}, QDir::Files).size(), damaged.size());
}

void TestHostileEnv::lockedLibraryStaysInPlace()
{
    // Another player holds the library in a write: busy is not damaged.
    QTemporaryDir dir;
    const QString path = dir.filePath("KelmoraPlayerFile.db");
    const QByteArray sound = soundLibrary(5);
    QVERIFY(writeAll(path, sound));
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "hostile-other");
        other.setDatabaseName(path);
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec("BEGIN EXCLUSIVE"));
        QVERIFY(lock.exec("INSERT INTO LoadFiles (fileName) VALUES ('other.mp4')"));
        g_log.clear();
        {
            DbManager store(path, "hostile-locked");
            QCOMPARE(store.openState(), DbManager::OpenState::Ready);
        }
        QCOMPARE(logCount("library database not checked:"), 1);
        QVERIFY(lock.exec("COMMIT"));
        other.close();
    }
    QSqlDatabase::removeDatabase("hostile-other");
    QCOMPARE(QDir(dir.path()).entryList({"*.damaged-*"}, QDir::Files), QStringList());
    QCOMPARE(fileNamesIn(path).size(), 6);
}

void TestHostileEnv::startUpReportsDamageOnce()
{
    QTemporaryDir home;
    const QString folder = home.filePath("data/KelmoraPlayer");
    QVERIFY(QDir().mkpath(folder));
    const QByteArray garbage = QByteArray("SQLite format 3") + QByteArray(4000, '\x5a');
    QVERIFY(writeAll(folder + "/KelmoraPlayerFile.db", garbage));

    const StartResult first = startPlayer(home.filePath("data"), home.path(), {m_clip});
    QVERIFY(first.finished);
    QCOMPARE(first.exitCode, 0);
    const QStringList notices = first.lines.filter(QRegularExpression("^notice: "));
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices.first().contains("damaged") && notices.first().contains(".damaged-"),
             qPrintable(notices.first()));
    // The fresh library takes the import at once.
    QVERIFY2(first.lines.contains("import 1 notice: "), qPrintable(first.lines.join(" | ")));
    const QStringList moved = QDir(folder).entryList({"*.damaged-*"}, QDir::Files);
    QCOMPARE(moved.size(), 1);
    QCOMPARE(readAll(folder + "/" + moved.first()), garbage);
    const QByteArray log = readAll(folder + "/log.txt");
    QVERIFY(log.contains("library database damaged:"));
    QVERIFY(log.contains(moved.first().toUtf8()));

    const StartResult second = startPlayer(home.filePath("data"), home.path());
    QVERIFY(second.finished);
    QCOMPARE(second.exitCode, 0);
    QCOMPARE(second.lines.filter(QRegularExpression("^notice: ")), QStringList());
    QCOMPARE(QDir(folder).entryList({"*.damaged-*"}, QDir::Files), moved);
    QCOMPARE(fileNamesIn(folder + "/KelmoraPlayerFile.db"), QStringList {"clip.mp4"});
}

void TestHostileEnv::unwritableAppData_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<QByteArray>("library"); // the file already in the folder, if any
    QTest::addColumn<int>("rows");
    QTest::newRow("data folder under a regular file") << false << QByteArray() << 0;
    QTest::newRow("read-only data folder") << true << QByteArray() << 0;
    // What is there stays readable and untouched, damaged or not.
    QTest::newRow("read-only folder with a library") << true << soundLibrary(3) << 3;
    QTest::newRow("read-only folder with a damaged library")
        << true << QByteArray("SQLite format 3") + QByteArray(5000, 'z') << 0;
}

void TestHostileEnv::unwritableAppData()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(QByteArray, library);
    QFETCH(int, rows);
    QTemporaryDir home;
    QString dataHome;
    const QString folder = home.filePath("data/KelmoraPlayer");
    if (readOnlyFolder) {
        if (geteuid() == 0)
            QSKIP("running as root: folder permissions are not enforced");
        dataHome = home.filePath("data");
        QVERIFY(QDir().mkpath(folder));
        if (!library.isEmpty())
            QVERIFY(writeAll(folder + "/KelmoraPlayerFile.db", library));
        QVERIFY(QFile::setPermissions(folder,
                                      QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                          | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    } else {
        QVERIFY(writeAll(home.filePath("plainfile"), "x"));
        dataHome = home.filePath("plainfile/data");
    }
    QVERIFY(QDir().mkpath(home.filePath("work")));

    const StartResult run = startPlayer(dataHome, home.filePath("work"), {m_clip});
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    if (readOnlyFolder)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.lines.contains(QString("rows: %1").arg(rows)), qPrintable(run.lines.join(" | ")));
    const QStringList notices = run.lines.filter(QRegularExpression("^notice: "));
    QVERIFY2(notices.size() == 2, qPrintable(run.lines.join(" | ")));
    QVERIFY2(notices.at(0).contains("cannot be saved"), qPrintable(notices.at(0)));
    // The import says it failed, with the same words on screen.
    const QString import = run.lines.filter(QRegularExpression("^import ")).value(0);
    QVERIFY2(import.startsWith("import 0 notice: The library cannot be saved"), qPrintable(import));
    QCOMPARE(notices.at(1), "notice: " + import.section("notice: ", 1));
    // Nothing was written anywhere: not beside the program, not in the folder.
    QCOMPARE(QDir(home.filePath("work")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
    if (readOnlyFolder) {
        QCOMPARE(left, library.isEmpty() ? QStringList() : QStringList {"KelmoraPlayerFile.db"});
        if (!library.isEmpty())
            QCOMPARE(readAll(folder + "/KelmoraPlayerFile.db"), library);
    }
}

void TestHostileEnv::noticesInTheUsersLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("setting"); // "damaged", "unwritable" or "no ffmpeg"
    QTest::addColumn<QString>("notice"); // at start-up; %1 the kept file's name
    QTest::addColumn<QString>("importNotice");
    const QString zh = "zh_CN.UTF-8";
    QTest::newRow("Chinese, damaged library")
        << zh << "damaged" << QString::fromUtf8("视频库已损坏。原文件已保留为 %1，并已新建视频库。")
        << QString();
    QTest::newRow("Chinese, unwritable data folder")
        << zh << "unwritable" << QString::fromUtf8("无法保存视频库：应用数据文件夹无法写入。")
        << QString::fromUtf8("无法保存视频库：1 个文件中有 1 个未能添加。");
    // Thumbnails are made in the player itself: a missing ffmpeg says nothing.
    QTest::newRow("Chinese, no ffmpeg") << zh << "no ffmpeg" << QString() << QString();
    QTest::newRow("German, damaged library")
        << "de_DE.UTF-8"
        << "damaged"
        << QString::fromUtf8("Die Videobibliothek war beschädigt. Sie wurde als %1 aufbewahrt, "
                             "und eine neue Bibliothek wurde angelegt.")
        << QString();
}

// The start picks its catalogue from the locale; the notices come out of it
// with their numbers and names filled in.
void TestHostileEnv::noticesInTheUsersLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QString, setting);
    QFETCH(QString, notice);
    QFETCH(QString, importNotice);
    QTemporaryDir home;
    QTemporaryDir noPrograms;
    QString dataHome = home.filePath("data");
    const QString folder = home.filePath("data/KelmoraPlayer");
    QProcessEnvironment extra;
    extra.insert("LC_ALL", locale);
    extra.insert("LANG", locale);
    if (setting == "damaged") {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeAll(folder + "/KelmoraPlayerFile.db", QByteArray(3000, '\x5a')));
    } else if (setting == "unwritable") {
        QVERIFY(writeAll(home.filePath("plainfile"), "x"));
        dataHome = home.filePath("plainfile/data");
    } else {
        extra.insert("PATH", noPrograms.path());
    }
    QVERIFY(QDir().mkpath(home.filePath("work")));

    const StartResult run = startPlayer(dataHome, home.filePath("work"), {m_clip}, extra);
    QVERIFY(run.finished);
    QCOMPARE(run.exitCode, 0);
    if (notice.contains("%1")) {
        const QStringList moved = QDir(folder).entryList({"*.damaged-*"}, QDir::Files);
        QCOMPARE(moved.size(), 1);
        notice = notice.arg(moved.first());
    }
    QStringList expected;
    if (!notice.isEmpty())
        expected << "notice: " + notice;
    if (!importNotice.isEmpty())
        expected << "notice: " + importNotice;
    QCOMPARE(run.lines.filter(QRegularExpression("^notice: ")), expected);
    const QString import = run.lines.filter(QRegularExpression("^import ")).value(0);
    QCOMPARE(import.section(" notice: ", 1), importNotice);
}

void TestHostileEnv::noDataFolderWritesNothingInTheWorkingFolder()
{
    // What main() does before the window exists, with no app-data folder to
    // be had: the fallback paths are relative and must not be created.
    QTemporaryDir home;
    QVERIFY(writeAll(home.filePath("plainfile"), "x"));
    QVERIFY(QDir().mkpath(home.filePath("work")));
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    const QString savedDir = QDir::currentPath();
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath("plainfile/data")));
    QVERIFY(QDir::setCurrent(home.filePath("work")));

    const QString crashes = CrashHandler::install(home.filePath("plainfile/crashes"));
    const QString thumbnails = thumbnailPath();
    DbManager::OpenState state;
    {
        DbManager store(QDir(appDataPath()).filePath("KelmoraPlayerFile.db"), "hostile-nofolder");
        state = store.openState();
    }
    QDir::setCurrent(savedDir);
    qputenv("XDG_DATA_HOME", savedData);

    QCOMPARE(crashes, QString());
    QVERIFY(QDir::isRelativePath(thumbnails));
    QCOMPARE(state, DbManager::OpenState::CannotSave);
    QCOMPARE(QDir(home.filePath("work")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void TestHostileEnv::missingFfmpegStillMakesThumbnails()
{
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
    const QString empty = m_dir.filePath("empty.mp4");
    QVERIFY(writeAll(empty, QByteArray()));
    QTemporaryDir noPrograms;
    g_log.clear();
    {
        PathGuard path(QFile::encodeName(noPrograms.path()));
        AddLoadWidget panel("Video is loading", {m_clip, empty});
        QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
        QVERIFY(completed.wait(30000));
        QCOMPARE(panel.storedCount(), 1);
        QCOMPARE(panel.noticeText(), QString());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != "importNotice");
    }
    QCOMPARE(logCount("ffmpeg could not be started"), 0);
    QList<DbModel> stored;
    DbManager::instance()->selectDbModels(DbTableKind::LoadFiles, 0, {}, {},
                                          [&](QList<DbModel *> models, bool) {
                                              for (const DbModel *model : models)
                                                  stored << *model;
                                          });
    QCOMPARE(stored.size(), 1); // the empty file is no recording
    QCOMPARE(stored.first().path, m_clip);
    const QString picture = stored.first().thumbnailFile();
    QCOMPARE(QImage(picture).size(), QSize(58, 58));

    // A row whose picture went missing shows the stand-in, not an empty square.
    QVERIFY(QFile::remove(picture));
    CustomListItem row(&stored.first());
    auto *thumbnail = row.findChild<QLabel *>("thumbnail");
    QVERIFY(thumbnail);
    const QImage shown = thumbnail->pixmap(Qt::ReturnByValue).toImage();
    QCOMPARE(shown.size(), QSize(58, 58));
    QCOMPARE(shown, CustomListItem::missingThumbnail().toImage());
    QVERIFY(shown.pixelColor(29, 29) != shown.pixelColor(2, 2)); // the play mark is drawn
}

void TestHostileEnv::failedCutAndStillSayWhy_data()
{
    QTest::addColumn<bool>("ffmpegOnPath");
    QTest::addColumn<QString>("cutPrompt"); // as the English catalogue words it
    QTest::newRow("ffmpeg missing from PATH")
        << false << "ffmpeg was not found: install ffmpeg and try again.";
    // ffmpeg runs and fails on a damaged source: the prompt stays the plain one.
    QTest::newRow("ffmpeg fails") << true << "Edit failed";
}

void TestHostileEnv::failedCutAndStillSayWhy()
{
    QFETCH(bool, ffmpegOnPath);
    QFETCH(QString, cutPrompt);
    QTranslator english; // removed again when it goes out of scope
    QVERIFY(english.load(":/Resources/PlayTool/KelmoraPlay_English.qm"));
    QVERIFY(QCoreApplication::installTranslator(&english));
    QTemporaryDir saveDir;
    settingsValue(QLatin1String(SettingsKeys::SaveFilePath), saveDir.path(), true);
    QString source = m_clip;
    if (ffmpegOnPath) {
        source = m_dir.filePath("damaged.mp4");
        QVERIFY(writeAll(source, QByteArray(4096, '\x5a')));
    }
    QTemporaryDir noPrograms;
    PathGuard path(ffmpegOnPath ? qgetenv("PATH") : QFile::encodeName(noPrograms.path()));

    // Still: the capture thread reports failure, and whether ffmpeg ever ran.
    CmdModel still(CmdModel::Still);
    still.inputPath = source;
    still.capturePosition = "1";
    FFmpegThread capture(&still);
    QSignalSpy captured(&capture, &FFmpegThread::taskFinishedForThumbPictrue);
    capture.start();
    QVERIFY(capture.wait(30000));
    QCOMPARE(captured.count(), 1);
    QCOMPARE(captured.first().at(0).toBool(), false);
    QCOMPARE(capture.programNotStarted(), !ffmpegOnPath);

    // Cut: the dialog ends with a failure prompt that gives the cause.
    VideoMessage record = cutRecordFor(source, 3, m_clip);
    QWidget owner;
    owner.resize(800, 600);
    owner.show();
    VideoEdit edit(&record, &owner, &owner);
    edit.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    QSignalSpy cutting(&edit, &VideoEdit::isCuting);
    edit.findChild<QPushButton *>("sureButton")->click();
    QTRY_COMPARE_WITH_TIMEOUT(cutting.count(), 2, 30000);
    auto *prompt = owner.findChild<QWidget *>("orbHudView");
    QVERIFY(prompt);
    QCOMPARE(hudText(prompt), cutPrompt);
    QCOMPARE(QDir(saveDir.path()).entryList(QDir::Files), QStringList());
}

void TestHostileEnv::offlineProbeBacksOffWithoutSpinning()
{
    quint16 port = 0;
    {
        QTcpServer probe; // learn a free port, then leave it closed
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    }
    g_log.clear();
    int calls = 0;
    NetworkListener listener;
    listener.setCallback([&calls](bool) { ++calls; });
    listener.setUrl(QUrl(QString("http://127.0.0.1:%1/").arg(port)));
    const double cpuBefore = processCpuSeconds();
    listener.sendRequest();
    QTest::qWait(6500); // attempts at about 0, 1, 3 s; the next waits until 7 s
    const double cpu = processCpuSeconds() - cpuBefore;
    const int attempts = logCount("Network error:");
    qInfo() << "offline for 6.5 s:" << attempts << "refused probes," << cpu
            << "s of processor time";
    QCOMPARE(calls, attempts); // each refused probe reports offline once
    QVERIFY2(attempts >= 2 && attempts <= 4, qPrintable(QString::number(attempts)));
    QVERIFY2(cpu < 1.0, qPrintable(QString("%1 s of processor time while offline").arg(cpu)));
}

KELMORA_TEST_MAIN(QApplication, TestHostileEnv)
#include "tst_hostile_env.moc"
