#include "app/Helpers.h"
#include "tests/support/TestHome.h"

#include <QProcess>
#include <QtTest>

class TestCrash : public QObject
{
    Q_OBJECT
private slots:
    void crashWritesOneSymbolisedReport_data();
    void crashWritesOneSymbolisedReport();
};

void TestCrash::crashWritesOneSymbolisedReport_data()
{
    QTest::addColumn<bool>("creatable");
    QTest::newRow("dump folder created") << true;
    QTest::newRow("uncreatable folder falls back to app data") << false;
}

void TestCrash::crashWritesOneSymbolisedReport()
{
#ifdef __SANITIZE_THREAD__
    // The thread sanitizer delivers signals itself: the handler writes its
    // report, but the signal it raises again does not end the child.
    QSKIP("crash signals are not delivered as usual under the thread sanitizer");
#endif
    QFETCH(bool, creatable);
    QTemporaryDir dir;
    QString requested = dir.filePath("crash reports/崩溃");
    QString expectedFolder = requested;
    if (!creatable) {
        QFile blocker(dir.filePath("file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        requested = blocker.fileName() + "/crashes";
        expectedFolder = appDataPath() + "/crashes";
    }

    QProcess child;
    child.start(CRASH_CHILD, {requested});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed(), expectedFolder);
    if (!creatable)
        QVERIFY(child.readAllStandardError().contains("Failed to set dump path which not exists: "
                                                      + QFile::encodeName(requested)));

    const QFileInfoList reports = QDir(expectedFolder).entryInfoList({"*.dmp"}, QDir::Files);
    QCOMPARE(reports.size(), 1);
    QVERIFY(!QUuid::fromString(reports.first().completeBaseName()).isNull());
    QFile report(reports.first().filePath());
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    QVERIFY2(text.contains("signal 11"), text.constData());
    // The crashing frame is named, so the stack was symbolised.
    QVERIFY2(text.contains("kelmoraCrashHere"), text.constData());
    QVERIFY(QDir(expectedFolder).removeRecursively());
}

KELMORA_TEST_MAIN(QCoreApplication, TestCrash)
#include "tst_crash.moc"
