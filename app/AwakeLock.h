#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QString>

class QDBusPendingCallWatcher;

// Keeps the display on and the system awake while held: the desktop's screen
// saver (org.freedesktop.ScreenSaver) and logind's idle and sleep inhibitor on
// Linux, the thread execution state on Windows. Held while a recording plays,
// released on pause, end and close, so an idle player lets the screen blank.
// setHeld answers at once; the desktop's answers arrive later and are matched
// against what is wanted by then. GUI thread only.
class AwakeLock final : public QObject
{
    Q_OBJECT
public:
    explicit AwakeLock(QObject *parent = nullptr);
    ~AwakeLock() override;

    void setHeld(bool held);
    bool isHeld() const { return m_wanted; }
    // What the desktop granted so far (for diagnostics and tests).
    bool hasScreenSaverCookie() const { return m_cookie != 0; }
    bool hasSleepInhibitor() const { return m_sleepLock.isValid(); }

signals:
    // A desktop answer arrived (granted or refused).
    void answered();

private:
    void acquire();
    void release();
    void saverAnswered(QDBusPendingCallWatcher *done, quint64 generation);
    void sleepAnswered(QDBusPendingCallWatcher *done, quint64 generation);

    bool m_wanted = false;
    // Requests carry the generation they were sent in; a late answer to an
    // older one is given back at once.
    quint64 m_generation = 0;
    uint m_cookie = 0;
    QDBusUnixFileDescriptor m_sleepLock;
};
