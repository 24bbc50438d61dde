#include "app/LogToFile.h"
#include "diagnostics/CustomEvent.h"
#include "diagnostics/PCModel.h"
#include "diagnostics/SystemInfoThread.h"
#include "tests/support/PathGuard.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestHome.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>

class TestDiagnostics : public QObject
{
    Q_OBJECT
private slots:
    void memoryText_data();
    void memoryText();
    void modelJsonHoldsEveryProperty();
    // Before any case installs the file log handler, out of QTest's sight.
    void customEventCancels();
    void runLogsOneJsonDescription();
    void cancelOnQuitStopsTheThreadPromptly();
};

void TestDiagnostics::memoryText_data()
{
    QTest::addColumn<quint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("16 GiB") << quint64(17179869184ULL) << QString::fromUtf8("总内存:16.00GB");
    QTest::newRow("unknown") << quint64(0) << QString::fromUtf8("总内存:0.00GB");
    QTest::newRow("odd size") << quint64(25271644160ULL) << QString::fromUtf8("总内存:23.54GB");
}

void TestDiagnostics::memoryText()
{
    QFETCH(quint64, bytes);
    QFETCH(QString, text);
    QCOMPARE(SystemInfoThread::totalMemoryText(bytes), text);
}

void TestDiagnostics::modelJsonHoldsEveryProperty()
{
    PCModel model;
    QSignalSpy spy(&model, &PCModel::videoCardChanged);
    model.setProperty("osName", "a");
    model.setProperty("listArray", QVariant::fromValue(QList<QString> {"x", "y"}));
    model.setVideoCard("card");
    QCOMPARE(spy.count(), 1);
    const QJsonObject json = model.toJson();
    QCOMPARE(json.keys(),
             QStringList({"cpuModel", "hostName", "listArray", "objectName", "osName", "osType",
                          "osVersion", "totalMemory", "videoCard"}));
    QCOMPARE(json.value("listArray").toArray(), QJsonArray({"x", "y"}));
    QCOMPARE(json.value("osName").toString(), QString("a"));
    QCOMPARE(json.value("videoCard").toString(), QString("card"));
}

void TestDiagnostics::runLogsOneJsonDescription()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    {
        LogToFile log(path);
        SystemInfoThread thread;
        thread.start();
        QVERIFY(thread.wait(60000));
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    const QStringList described = lines.filter(QString::fromUtf8("电脑配置信息:"));
    QCOMPARE(described.size(), 1);
    const QString json = described.first().section(QString::fromUtf8("电脑配置信息:"), 1).trimmed();
    const QJsonObject object = QJsonDocument::fromJson(json.toUtf8()).object();
    QVERIFY2(object.value("cpuModel").toString().startsWith(QString::fromUtf8("CPU类型:")),
             qPrintable(json));
    QVERIFY(object.value("cpuModel")
                .toString()
                .contains(QString::fromUtf8("  CPU 架构:") + QSysInfo::currentCpuArchitecture()));
    QVERIFY(object.value("osVersion").toString().startsWith(QString::fromUtf8("操作系统版本::")));
    QVERIFY(object.value("totalMemory").toString().endsWith("GB"));
    QCOMPARE(object.value("hostName").toString(),
             QString::fromUtf8("用户的主机名:") + QSysInfo::machineHostName());
    for (const char *marker :
         {"SystemInfoThread1", "SystemInfoThread2", "SystemInfoThread3", "SystemInfoThread4"})
        QVERIFY(!lines.filter(marker).isEmpty());
}

void TestDiagnostics::cancelOnQuitStopsTheThreadPromptly()
{
    // A video-card query that hangs, as a stuck lspci would: it tells its pid
    // and then waits far longer than the bound below.
    QTemporaryDir bin;
    const QString pidFile = bin.filePath("lspci.pid");
    QFile script(bin.filePath("lspci"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho $$ > '%1.part'\nmv '%1.part' '%1'\n"
                                "exec /bin/sleep 30\n")
                     .arg(pidFile)
                     .toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    PathGuard path(QFile::encodeName(bin.path()) + ':' + qgetenv("PATH"));

    SystemInfoThread thread;
    // A failing case must not destroy a running thread.
    const auto join = qScopeGuard([&thread] {
        thread.requestInterruption();
        thread.wait();
    });
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(pidFile), 10000);
    const QByteArray pid = readAll(pidFile).trimmed();
    QVERIFY(!pid.isEmpty());
    QVERIFY2(!thread.wait(500), "the probe did not wait for its slow query");

    thread.cancelTasksSlots();
    QVERIFY2(thread.wait(3000), "the thread still runs 3 s after the cancel");
    // The query's program goes with it rather than sleeping on as an orphan.
    QVERIFY(!QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)));
}

void TestDiagnostics::customEventCancels()
{
    SystemInfoThread thread;
    QTest::ignoreMessage(QtDebugMsg, "CustomEvent初始化");
    QTest::ignoreMessage(QtDebugMsg, "SystemInfoThread event end");
    QTest::ignoreMessage(QtDebugMsg, "dffffffggggghhhhhhhhhhhhh");
    QTest::ignoreMessage(QtDebugMsg, "CustomEvent销毁");
    QCoreApplication::postEvent(&thread, new CustomEvent("stop"));
    QCoreApplication::sendPostedEvents(&thread);
}

KELMORA_TEST_MAIN(QCoreApplication, TestDiagnostics)
#include "tst_diagnostics.moc"
