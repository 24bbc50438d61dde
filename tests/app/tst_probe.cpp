#include "app/LogToFile.h"
#include "app/NetworkListener.h"
#include "tests/support/TestHome.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

namespace {
// A port nothing listens on: bound once to learn a free number, then released.
quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

// Answers every connection with a tiny page under the given status line.
class TinyHttpServer : public QTcpServer
{
public:
    explicit TinyHttpServer(const QByteArray &status = "200 OK")
    {
        connect(this, &QTcpServer::newConnection, this, [this, status] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket, status] {
                    socket->readAll();
                    socket->write("HTTP/1.1 " + status
                                  + "\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
                    socket->disconnectFromHost();
                });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }
};

int countLines(const QString &path, const QString &needle)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    int count = 0;
    while (!file.atEnd()) {
        if (QString::fromUtf8(file.readLine()).contains(needle))
            ++count;
    }
    return count;
}
} // namespace

class TestProbe : public QObject
{
    Q_OBJECT
private slots:
    void reachableServerReportsTrueOnce_data();
    void reachableServerReportsTrueOnce();
    void probeRecoversWhenTheServerComesUp();
    void offlineMinuteStaysQuiet();
};

void TestProbe::reachableServerReportsTrueOnce_data()
{
    QTest::addColumn<QByteArray>("status");
    QTest::newRow("page") << QByteArray("200 OK");
    // A tile server's bare root answers 404: the host is there all the same.
    QTest::newRow("not found") << QByteArray("404 Not Found");
}

void TestProbe::reachableServerReportsTrueOnce()
{
    QFETCH(QByteArray, status);
    TinyHttpServer server(status);
    QVERIFY(server.listen(QHostAddress::LocalHost));
    NetworkListener listener;
    QList<bool> calls;
    listener.setCallback([&calls](bool ok) { calls << ok; });
    listener.setUrl(QUrl(QString("http://127.0.0.1:%1/").arg(server.serverPort())));
    listener.sendRequest();
    QVERIFY(listener.isBusy());
    QTRY_COMPARE(calls, QList<bool> {true});
    QVERIFY(!listener.isBusy());
    QTest::qWait(300);
    QCOMPARE(calls.size(), 1);
}

void TestProbe::probeRecoversWhenTheServerComesUp()
{
    const quint16 port = closedPort();
    NetworkListener listener;
    QList<bool> calls;
    listener.setCallback([&calls](bool ok) { calls << ok; });
    listener.setUrl(QUrl(QString("http://127.0.0.1:%1/").arg(port)));
    listener.sendRequest();
    QTest::qWait(1500); // at least one refused attempt and one retry pause
    QVERIFY(!calls.isEmpty());
    QVERIFY(!calls.contains(true)); // each failed try says so

    TinyHttpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    QTRY_VERIFY_WITH_TIMEOUT(calls.last(), 10000);
    QCOMPARE(calls.count(true), 1);
}

void TestProbe::offlineMinuteStaysQuiet()
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath("log.txt");
    int calls = 0;
    {
        LogToFile log(logPath);
        NetworkListener listener;
        listener.setCallback([&calls](bool) { ++calls; });
        listener.setUrl(QUrl(QString("http://127.0.0.1:%1/").arg(closedPort())));
        listener.sendRequest();
        QTest::qWait(60000);
    }
    const int errors = countLines(logPath, "Network error:");
    const int retries = countLines(logPath, "sendRequest发送");
    const int all = countLines(logPath, " : ");
    qInfo() << "one offline minute:" << errors << "failed probes," << all << "log lines";
    QCOMPARE(calls, errors); // every failed try is reported, none more
    QVERIFY2(errors >= 5, "the probe must keep trying while offline");
    QVERIFY2(all <= 30, qPrintable(QString("%1 log lines in one offline minute").arg(all)));
    QCOMPARE(retries, errors);
}

KELMORA_TEST_MAIN(QCoreApplication, TestProbe)
#include "tst_probe.moc"
