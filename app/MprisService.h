#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The player as the desktop sees it over D-Bus (MPRIS2): media keys, the
// panel's player controls and the lock screen's. Holds what the desktop may
// read (track, length, position, status, speed), fed by the player through
// slots, and turns the desktop's commands into request signals the main
// window wires to the control bar. Without a session bus it logs once and
// stays idle. GUI thread only.
class MprisService final : public QObject
{
    Q_OBJECT
public:
    enum class Status { Stopped, Playing, Paused };

    static constexpr double MinimumRate = 0.25;
    static constexpr double MaximumRate = 4.0;

    // Registers on the given bus (the session bus unless a test brings its own).
    explicit MprisService(QObject *parent = nullptr,
                          const QDBusConnection &bus = QDBusConnection::sessionBus());
    ~MprisService() override;

    bool isRegistered() const { return m_registered; }
    // The bus name taken: the plain one, or with ".instance<pid>" when
    // another player instance holds it; empty when not registered.
    QString serviceName() const { return m_serviceName; }

    bool hasTrack() const { return !m_url.isEmpty(); }
    QString playbackStatus() const;
    QVariantMap metadata() const;
    qint64 positionUs() const { return m_positionMs * 1000; }
    double rate() const { return m_rate; }
    QString trackId() const;

    // Called by the adaptors for the desktop's commands.
    void seekBy(qint64 offsetUs);
    void setPositionFor(const QString &trackId, qint64 microseconds);
    void requestRate(double rate);

    // The speed the player offers nearest to a wanted one.
    static double nearestRate(double wanted);

public slots:
    // The playing recording's path; empty when nothing plays.
    void setTrack(const QString &path);
    void setLength(qint64 milliseconds);
    void setPosition(qint64 milliseconds);
    void setStatus(MprisService::Status status);
    void setRate(double rate);

signals:
    void playPauseRequested();
    void playRequested();
    void pauseRequested();
    void stopRequested();
    void nextRequested();
    void previousRequested();
    // Seek asks for a relative move, SetPosition for a place; both arrive
    // here resolved to a position within the recording.
    void seekRequested(qint64 milliseconds);
    void positionRequested(qint64 milliseconds);
    void rateRequested(double rate);
    void raiseRequested();
    void quitRequested();
    // The Seeked signal of the Player interface, in microseconds.
    void seeked(qint64 positionUs);

private:
    bool registerOn(const QString &name);
    void announce(const QVariantMap &changed);

    QDBusConnection m_bus;
    bool m_registered = false;
    QString m_serviceName;
    QString m_url;
    quint64 m_trackNumber = 0; // new with each recording, so the desktop sees a new track
    qint64 m_lengthMs = 0;
    qint64 m_positionMs = 0;
    Status m_status = Status::Stopped;
    double m_rate = 1.0;
};
