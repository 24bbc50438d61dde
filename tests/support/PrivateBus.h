#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QProcess>
#include <QString>
#include <QtTest>

// A D-Bus daemon of the test's own, standing in for the desktop's session bus,
// so tests never talk to (or need) the real one. Stopped when it goes.
class PrivateBus
{
public:
    PrivateBus()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        if (m_daemon.waitForStarted(5000) && m_daemon.waitForReadyRead(5000))
            m_address = QString::fromUtf8(m_daemon.readLine().trimmed());
    }
    ~PrivateBus()
    {
        m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    // Empty when dbus-daemon could not be started.
    QString address() const { return m_address; }
    // Makes it the session bus of this process; call before the first use of
    // QDBusConnection::sessionBus(), which keeps the connection it first made.
    void becomeSessionBus() const { qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8()); }

    // Sends a call and waits for its answer with the event loop running, so a
    // service of this same process can answer it; an empty message on timeout.
    static QDBusMessage call(const QDBusConnection &connection, const QDBusMessage &message)
    {
        QDBusPendingCall pending = connection.asyncCall(message, 5000);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 6000))
            return QDBusMessage();
        return pending.reply();
    }

private:
    QProcess m_daemon;
    QString m_address;
};
