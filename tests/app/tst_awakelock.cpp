#include "app/AwakeLock.h"
#include "tests/support/TestHome.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {
// The desktop's screen saver, standing in on a private bus.
class StandInScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public slots:
    uint Inhibit(const QString &, const QString &)
    {
        held << ++m_last;
        return m_last;
    }
    void UnInhibit(uint cookie) { held.remove(cookie); }

public:
    QSet<uint> held;

private:
    uint m_last = 0;
};

// logind's manager: each inhibitor is the read end of a pipe, held as long as
// any copy of it is open, as logind does.
class StandInLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public slots:
    QDBusUnixFileDescriptor
    Inhibit(const QString &what, const QString &, const QString &, const QString &mode)
    {
        lastWhat = what + '/' + mode;
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return {};
        m_writeEnds << ends[1];
        QDBusUnixFileDescriptor reader(ends[0]); // duplicates it
        ::close(ends[0]);
        return reader;
    }

public:
    ~StandInLogind() override
    {
        for (int end : qAsConst(m_writeEnds))
            ::close(end);
    }
    int openInhibitors() const
    {
        int open = 0;
        for (int end : m_writeEnds) {
            pollfd check {end, POLLOUT, 0};
            // With no reader left the write end reports an error.
            if (poll(&check, 1, 0) >= 0 && !(check.revents & POLLERR))
                ++open;
        }
        return open;
    }
    QString lastWhat;

private:
    QList<int> m_writeEnds;
};
} // namespace

class TestAwakeLock : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void heldWhileWantedAndGivenBack();
    void anAnswerAfterLettingGoIsGivenBack();

private:
    void waitForAnswers(QSignalSpy &answers, int count);

    QProcess m_bus;
    StandInScreenSaver m_saver;
    StandInLogind m_logind;
};

void TestAwakeLock::initTestCase()
{
    // A bus of our own stands in for both the session and the system bus.
    m_bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    QVERIFY2(m_bus.waitForStarted(5000), "dbus-daemon is missing");
    QVERIFY(m_bus.waitForReadyRead(5000));
    const QByteArray address = m_bus.readLine().trimmed();
    QVERIFY(!address.isEmpty());
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", address);
    QDBusConnection desktop = QDBusConnection::connectToBus(QString::fromUtf8(address), "desktop");
    QVERIFY(desktop.isConnected());
    QVERIFY(desktop.registerService("org.freedesktop.ScreenSaver"));
    QVERIFY(desktop.registerObject("/org/freedesktop/ScreenSaver", &m_saver,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(desktop.registerService("org.freedesktop.login1"));
    QVERIFY(desktop.registerObject("/org/freedesktop/login1", &m_logind,
                                   QDBusConnection::ExportAllSlots));
}

void TestAwakeLock::cleanupTestCase()
{
    QDBusConnection::disconnectFromBus("desktop");
    m_bus.kill();
    m_bus.waitForFinished(5000);
}

void TestAwakeLock::waitForAnswers(QSignalSpy &answers, int count)
{
    QTRY_VERIFY_WITH_TIMEOUT(answers.size() >= count, 10000);
}

void TestAwakeLock::heldWhileWantedAndGivenBack()
{
    AwakeLock lock;
    QSignalSpy answers(&lock, &AwakeLock::answered);
    lock.setHeld(true);
    lock.setHeld(true); // already held: nothing more is asked
    waitForAnswers(answers, 2);
    QTest::qWait(100);
    QCOMPARE(answers.size(), 2);
    QVERIFY(lock.hasScreenSaverCookie() && lock.hasSleepInhibitor());
    QCOMPARE(m_saver.held.size(), 1);
    QCOMPARE(m_logind.openInhibitors(), 1);
    QCOMPARE(m_logind.lastWhat, QString("sleep:idle/block"));

    lock.setHeld(false);
    QVERIFY(!lock.hasScreenSaverCookie() && !lock.hasSleepInhibitor());
    QCOMPARE(m_logind.openInhibitors(), 0);
    QTRY_VERIFY(m_saver.held.isEmpty());

    // Held again, then the owner goes: nothing stays held.
    {
        AwakeLock again;
        QSignalSpy more(&again, &AwakeLock::answered);
        again.setHeld(true);
        waitForAnswers(more, 2);
        QCOMPARE(m_saver.held.size(), 1);
    }
    QCOMPARE(m_logind.openInhibitors(), 0);
    QTRY_VERIFY(m_saver.held.isEmpty());
}

void TestAwakeLock::anAnswerAfterLettingGoIsGivenBack()
{
    AwakeLock lock;
    QSignalSpy answers(&lock, &AwakeLock::answered);
    lock.setHeld(true);
    lock.setHeld(false); // paused before the desktop answered
    waitForAnswers(answers, 2);
    QVERIFY(!lock.hasScreenSaverCookie() && !lock.hasSleepInhibitor());
    QCOMPARE(m_logind.openInhibitors(), 0);
    QTRY_VERIFY(m_saver.held.isEmpty());
}

KELMORA_TEST_MAIN(QCoreApplication, TestAwakeLock)
#include "tst_awakelock.moc"
