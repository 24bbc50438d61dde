#include "app/LogToFile.h"
#include "tests/support/TestHome.h"

#include <QRegularExpression>
#include <QThread>
#include <QtTest>

namespace {
QStringList readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

const QRegularExpression kLine(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} : (.*)$)");
} // namespace

class TestLog : public QObject
{
    Q_OBJECT
private slots:
    // Runs first: later cases leave the file handler installed, out of QTest's sight.
    void unopenableFileIsReportedAndSkipped();
    void linesAreStampedAndAppended();
    void twoThreadsWriteWholeLines();
};

void TestLog::linesAreStampedAndAppended()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("earlier run\n");
    }
    {
        LogToFile log(path);
        QVERIFY(log.isOpen());
        qDebug() << "打开app创建log文件路径：" << path;
        qDebug("%s", ""); // empty: dropped
        qDebug().noquote() << "100%1 literal";
        qWarning() << "a warning looks the same";
    }
    qDebug() << "after close: console only";
    const QStringList lines = readLines(path);
    QCOMPARE(lines.value(0), QString("earlier run"));
    QStringList messages;
    for (const QString &line : lines.mid(1)) {
        const auto match = kLine.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        messages << match.captured(1);
    }
    QCOMPARE(messages,
             QStringList({"打开app创建log文件路径： \"" + path + "\"", "100%1 literal",
                          "a warning looks the same", "LogToFile is close LogToFile destroy"}));
}

void TestLog::twoThreadsWriteWholeLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    constexpr int perThread = 10000;
    {
        LogToFile log(path);
        auto writer = [](char tag) {
            return QThread::create([tag] {
                for (int i = 0; i < perThread; ++i)
                    qDebug().noquote() << QString("writer-%1 line %2 %3")
                                              .arg(tag)
                                              .arg(i)
                                              .arg(QString(40, QChar(tag)));
            });
        };
        std::unique_ptr<QThread> a(writer('a'));
        std::unique_ptr<QThread> b(writer('b'));
        a->start();
        b->start();
        QVERIFY(a->wait(60000));
        QVERIFY(b->wait(60000));
    }
    const QRegularExpression whole(R"(^writer-([ab]) line (\d+) (a{40}|b{40})$)");
    QHash<QString, QSet<int>> seen;
    for (const QString &line : readLines(path)) {
        const QString message = kLine.match(line).captured(1);
        if (message.startsWith("LogToFile is close"))
            continue;
        const auto match = whole.match(message);
        QVERIFY2(match.hasMatch(), qPrintable("broken line: " + line));
        QCOMPARE(match.captured(3).at(0), match.captured(1).at(0));
        seen[match.captured(1)].insert(match.captured(2).toInt());
    }
    QCOMPARE(seen.value("a").size(), perThread);
    QCOMPARE(seen.value("b").size(), perThread);
}

void TestLog::unopenableFileIsReportedAndSkipped()
{
    QTest::ignoreMessage(QtDebugMsg, "日志文件打开失败");
    LogToFile log("/nonexistent-folder/log.txt");
    QVERIFY(!log.isOpen());
}

KELMORA_TEST_MAIN(QCoreApplication, TestLog)
#include "tst_log.moc"
