#pragma once

#include <QList>
#include <QObject>
#include <QVariant>
#include <QtTest>

// A QSignalSpy for signals emitted on other threads (libVLC's, workers').
// QSignalSpy appends on the emitting thread while the test reads the list on
// its own; this spy takes such emissions by a queued connection, so only the
// test thread touches the list. Emissions on the test thread are recorded at
// once, as QSignalSpy does.
class QueuedSignalSpy : public QObject, public QList<QList<QVariant>>
{
public:
    template<typename Sender, typename... Args>
    QueuedSignalSpy(const Sender *sender, void (Sender::*signal)(Args...))
    {
        connect(sender, signal, this, [this](Args... args) {
            append(QList<QVariant> {QVariant::fromValue(std::decay_t<Args>(args))...});
            ++m_received;
        });
    }

    // Waits for the next emission, like QSignalSpy::wait.
    bool wait(int timeout = 5000)
    {
        const int before = m_received;
        return QTest::qWaitFor([&] { return m_received > before; }, timeout);
    }

private:
    int m_received = 0;
};
