#include "app/MprisService.h"

#include "app/MprisPlayerAdaptor.h"
#include "app/MprisRootAdaptor.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDebug>
#include <QFileInfo>
#include <QUrl>
#include <cmath>

namespace {
const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.kelmora");
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kNoTrack = QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
// The speeds of the control bar's speed panel.
constexpr double kRates[] = {0.25, 0.5, 1.0, 2.0, 4.0};
} // namespace

MprisService::MprisService(QObject *parent, const QDBusConnection &bus)
    : QObject(parent)
    , m_bus(bus)
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
    if (!m_bus.isConnected()) {
        qInfo().noquote() << "media keys off: no session bus" << m_bus.lastError().message();
        return;
    }
    if (!m_bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) {
        qInfo().noquote() << "media keys off: the player object is taken on this connection";
        return;
    }
    // A second instance of the program takes its own name beside the first.
    m_registered = registerOn(kServiceName)
        || registerOn(kServiceName + QStringLiteral(".instance")
                      + QString::number(QCoreApplication::applicationPid()));
    if (!m_registered) {
        m_bus.unregisterObject(kObjectPath);
        qInfo().noquote() << "media keys off: no bus name" << m_bus.lastError().message();
    }
}

MprisService::~MprisService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(kObjectPath);
}

bool MprisService::registerOn(const QString &name)
{
    if (!m_bus.registerService(name))
        return false;
    m_serviceName = name;
    return true;
}

QString MprisService::playbackStatus() const
{
    switch (m_status) {
    case Status::Playing:
        return QStringLiteral("Playing");
    case Status::Paused:
        return QStringLiteral("Paused");
    case Status::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QString MprisService::trackId() const
{
    if (!hasTrack())
        return kNoTrack;
    return QStringLiteral("/org/kelmora/Player/Track/%1").arg(m_trackNumber);
}

QVariantMap MprisService::metadata() const
{
    QVariantMap map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(trackId())));
    if (!hasTrack())
        return map;
    map.insert(QStringLiteral("mpris:length"), qlonglong(m_lengthMs * 1000));
    map.insert(QStringLiteral("xesam:title"), QFileInfo(m_url).fileName());
    map.insert(QStringLiteral("xesam:url"),
               QUrl::fromLocalFile(m_url).toString(QUrl::FullyEncoded));
    return map;
}

double MprisService::nearestRate(double wanted)
{
    double best = kRates[0];
    for (double rate : kRates) {
        if (std::abs(rate - wanted) < std::abs(best - wanted))
            best = rate;
    }
    return best;
}

void MprisService::seekBy(qint64 offsetUs)
{
    if (!hasTrack())
        return;
    const qint64 target = qMax<qint64>(0, m_positionMs + offsetUs / 1000);
    // Past the end means the next recording, as the desktop expects.
    if (m_lengthMs > 0 && target >= m_lengthMs) {
        emit nextRequested();
        return;
    }
    m_positionMs = target;
    emit seekRequested(target);
    emit seeked(positionUs());
}

void MprisService::setPositionFor(const QString &trackId, qint64 microseconds)
{
    // A position for a track no longer playing is stale and dropped.
    if (!hasTrack() || trackId != this->trackId() || microseconds < 0
        || (m_lengthMs > 0 && microseconds > m_lengthMs * 1000))
        return;
    m_positionMs = microseconds / 1000;
    emit positionRequested(m_positionMs);
    emit seeked(positionUs());
}

void MprisService::requestRate(double rate)
{
    // Zero would mean pause; the player has no such speed.
    if (rate <= 0)
        return;
    emit rateRequested(nearestRate(rate));
}

void MprisService::setTrack(const QString &path)
{
    if (path == m_url)
        return;
    m_url = path;
    ++m_trackNumber;
    if (path.isEmpty())
        m_positionMs = 0;
    const bool can = hasTrack();
    announce({{QStringLiteral("Metadata"), metadata()},
              {QStringLiteral("CanGoNext"), can},
              {QStringLiteral("CanGoPrevious"), can},
              {QStringLiteral("CanPlay"), can},
              {QStringLiteral("CanPause"), can},
              {QStringLiteral("CanSeek"), can}});
}

void MprisService::setLength(qint64 milliseconds)
{
    if (milliseconds == m_lengthMs)
        return;
    m_lengthMs = milliseconds;
    if (hasTrack())
        announce({{QStringLiteral("Metadata"), metadata()}});
}

void MprisService::setPosition(qint64 milliseconds)
{
    // Regular progress is read on demand, never announced.
    m_positionMs = milliseconds;
}

void MprisService::setStatus(MprisService::Status status)
{
    if (status == m_status)
        return;
    m_status = status;
    announce({{QStringLiteral("PlaybackStatus"), playbackStatus()}});
}

void MprisService::setRate(double rate)
{
    if (qFuzzyCompare(rate, m_rate))
        return;
    m_rate = rate;
    announce({{QStringLiteral("Rate"), m_rate}});
}

void MprisService::announce(const QVariantMap &changed)
{
    if (!m_registered)
        return;
    QDBusMessage signal
        = QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                     QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_bus.send(signal);
}
