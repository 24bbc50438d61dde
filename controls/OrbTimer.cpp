#include "controls/OrbTimer.h"

#include <QTimer>

OrbTimer::OrbTimer(QWidget *parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    // Only a carrier for the timer: it must never appear when its parent is shown.
    setVisible(false);
    m_timer->setSingleShot(true);
    connect(m_timer, &QTimer::timeout, this, &OrbTimer::timerTimeout);
}

OrbTimer::~OrbTimer() = default;

void OrbTimer::start(int milliseconds)
{
    m_timer->start(milliseconds);
}

bool OrbTimer::isActive() const
{
    return m_timer->isActive();
}

void OrbTimer::timerTimeout()
{
    emit timeout();
}
