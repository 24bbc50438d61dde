#pragma once

#include <QEvent>
#include <QString>

// Event that tells the system-information thread to stop its work.
class CustomEvent : public QEvent
{
public:
    explicit CustomEvent(const QString &text = QString());
    ~CustomEvent() override;

    QString text() const { return m_text; }
    // Registered once, before the entry function runs.
    static QEvent::Type eventType();

private:
    QString m_text;
};
