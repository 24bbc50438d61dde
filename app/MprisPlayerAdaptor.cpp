#include "app/MprisPlayerAdaptor.h"

#include "app/MprisService.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService *service)
    : QDBusAbstractAdaptor(service)
    , m_service(service)
{
    connect(service, &MprisService::seeked, this, &MprisPlayerAdaptor::Seeked);
}

QString MprisPlayerAdaptor::playbackStatus() const
{
    return m_service->playbackStatus();
}

QVariantMap MprisPlayerAdaptor::metadata() const
{
    return m_service->metadata();
}

qlonglong MprisPlayerAdaptor::position() const
{
    return m_service->positionUs();
}

double MprisPlayerAdaptor::rate() const
{
    return m_service->rate();
}

void MprisPlayerAdaptor::setRate(double rate)
{
    m_service->requestRate(rate);
}

double MprisPlayerAdaptor::minimumRate() const
{
    return MprisService::MinimumRate;
}

double MprisPlayerAdaptor::maximumRate() const
{
    return MprisService::MaximumRate;
}

bool MprisPlayerAdaptor::hasTrack() const
{
    return m_service->hasTrack();
}

void MprisPlayerAdaptor::PlayPause()
{
    emit m_service->playPauseRequested();
}

void MprisPlayerAdaptor::Play()
{
    emit m_service->playRequested();
}

void MprisPlayerAdaptor::Pause()
{
    emit m_service->pauseRequested();
}

void MprisPlayerAdaptor::Stop()
{
    emit m_service->stopRequested();
}

void MprisPlayerAdaptor::Next()
{
    emit m_service->nextRequested();
}

void MprisPlayerAdaptor::Previous()
{
    emit m_service->previousRequested();
}

void MprisPlayerAdaptor::Seek(qlonglong Offset)
{
    m_service->seekBy(Offset);
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath &TrackId, qlonglong Position)
{
    m_service->setPositionFor(TrackId.path(), Position);
}
