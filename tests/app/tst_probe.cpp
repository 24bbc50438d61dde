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

// Answers every connection with a tiny 200 page.
class TinyHttpServer : public QTcpServer
{
public:
    TinyHttpServer()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [socket] {
                    socket->readAll();
                    socket->write(
                        "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok");
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
    void reachableServerReportsTrueOnce();
    void probeRecoversWhenTheServerComesUp();
    void offlineMinuteStaysQuiet();
};

void TestProbe::reachableServerReportsTrueOnce()
{
    TinyHttpServer server;
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
    QVERIFY(calls.isEmpty()); // never reports false

    TinyHttpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    QTRY_COMPARE_WITH_TIMEOUT(calls, QList<bool> {true}, 10000);
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
    QCOMPARE(calls, 0);
    QVERIFY2(errors >= 5, "the probe must keep trying while offline");
    QVERIFY2(all <= 30, qPrintable(QString("%1 log lines in one offline minute").arg(all)));
    QCOMPARE(retries, errors);
}

KELMORA_TEST_MAIN(QCoreApplication, TestProbe)
#include "tst_probe.moc"
