#pragma once

#include <QWidget>

class QTimer;

// A never-shown widget around a single-shot timer: the renderers use it to hide
// the control bar after the last click, the volume popup to close itself.
// GUI thread only.
class OrbTimer final : public QWidget
{
    Q_OBJECT
public:
    explicit OrbTimer(QWidget *parent = nullptr);
    ~OrbTimer() override;

    // Starts the timer, or restarts it when it is already running.
    void start(int milliseconds);
    bool isActive() const;

signals:
    void timeout();

public slots:
    void timerTimeout();

private:
    QTimer *m_timer;
};
