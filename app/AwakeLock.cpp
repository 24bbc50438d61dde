#include "app/AwakeLock.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDebug>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {
const QLatin1String kSaverService("org.freedesktop.ScreenSaver");
const QLatin1String kSaverPath("/org/freedesktop/ScreenSaver");
const QLatin1String kLogindService("org.freedesktop.login1");
const QLatin1String kLogindPath("/org/freedesktop/login1");
const QLatin1String kReason("Playing recordings");
// A desktop that does not answer must not hold a request for long.
constexpr int kCallTimeoutMs = 5000;

// Gives a screen-saver inhibitor back; nobody waits for the answer.
void unInhibit(uint cookie)
{
    QDBusMessage undo = QDBusMessage::createMethodCall(kSaverService, kSaverPath, kSaverService,
                                                       QStringLiteral("UnInhibit"));
    undo << cookie;
    QDBusConnection::sessionBus().call(undo, QDBus::NoBlock);
}
} // namespace

AwakeLock::AwakeLock(QObject *parent)
    : QObject(parent)
{
}

AwakeLock::~AwakeLock()
{
    if (m_wanted)
        release();
}

void AwakeLock::setHeld(bool held)
{
    if (held == m_wanted)
        return;
    m_wanted = held;
    ++m_generation;
    if (held)
        acquire();
    else
        release();
}

void AwakeLock::acquire()
{
#ifdef Q_OS_WIN
    // ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED
    SetThreadExecutionState(0x80000003);
#else
    const quint64 generation = m_generation;
    const QString who = QCoreApplication::applicationName();
    QDBusConnection session = QDBusConnection::sessionBus();
    if (session.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(kSaverService, kSaverPath, kSaverService,
                                                           QStringLiteral("Inhibit"));
        call << who << kReason;
        auto *watcher = new QDBusPendingCallWatcher(session.asyncCall(call, kCallTimeoutMs), this);
        connect(
            watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher *done) { saverAnswered(done, generation); });
    } else {
        qDebug() << "keep awake: no session bus, the screen saver may start";
    }
    QDBusConnection system = QDBusConnection::systemBus();
    if (system.isConnected()) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kLogindService, kLogindPath, kLogindService + QStringLiteral(".Manager"),
            QStringLiteral("Inhibit"));
        call << QStringLiteral("sleep:idle") << who << kReason << QStringLiteral("block");
        auto *watcher = new QDBusPendingCallWatcher(system.asyncCall(call, kCallTimeoutMs), this);
        connect(
            watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher *done) { sleepAnswered(done, generation); });
    }
#endif
}

void AwakeLock::saverAnswered(QDBusPendingCallWatcher *done, quint64 generation)
{
    done->deleteLater();
    const QDBusPendingReply<uint> reply = *done;
    if (reply.isError()) {
        qDebug() << "keep awake: screen saver inhibit refused:" << reply.error().message();
    } else if (generation == m_generation && m_wanted) {
        m_cookie = reply.value();
    } else {
        // Paused before the desktop answered: give it back.
        unInhibit(reply.value());
    }
    emit answered();
}

void AwakeLock::sleepAnswered(QDBusPendingCallWatcher *done, quint64 generation)
{
    done->deleteLater();
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
    if (reply.isError())
        qDebug() << "keep awake: sleep inhibit refused:" << reply.error().message();
    else if (generation == m_generation && m_wanted)
        m_sleepLock = reply.value();
    // Otherwise the descriptor closes here, which gives it back.
    emit answered();
}

void AwakeLock::release()
{
#ifdef Q_OS_WIN
    SetThreadExecutionState(0x80000000); // ES_CONTINUOUS alone
#else
    if (m_cookie != 0) {
        unInhibit(m_cookie);
        m_cookie = 0;
    }
    // logind lets go once the last copy of its descriptor is closed.
    m_sleepLock = QDBusUnixFileDescriptor();
#endif
}
