#pragma once

#include "playback/ChannelOutput.h"
#include "playback/PlayObjectState.h"

#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class DbModel;
class PlayObject;
class TelemetryReader;
class VideoMessage;
struct libvlc_instance_t;

// Plays one recording group: up to four files written at the same moment by
// the channels of one camera. Owns the process's two libVLC instances (the
// second without audio), one PlayObject per file, and drives them together.
// Channel 0 is the master: its sound is heard and its events become the
// player's state, position and duration. GUI thread only, except the libVLC
// log callback, which only touches an atomic and posts to the GUI thread.
class OrbPlayer : public QObject
{
    Q_OBJECT
public:
    explicit OrbPlayer(QObject *parent = nullptr);
    ~OrbPlayer() override;

    void initLibVlc(bool reset);
    // One output per model, in the group's order.
    void playFiles(const QList<DbModel *> &models, const QList<ChannelOutput> &outputs);
    void play();
    void pause();
    void setTime(int milliseconds);
    void setRate(double rate);
    double rate() const { return m_rate; }
    void setVolume(double volume);
    double volume() const { return m_volume; }
    void closeAll();
    void clearChannels();

    QString currentUrl() const { return m_currentUrl; }
    PlayObject *masterChannel() const;
    const QList<PlayObject *> &channels() const { return m_channels; }
    PlayObjectState state() const { return m_state; }
    int instanceCount() const { return int(m_instances.size()); }
    // Which instance a channel plays on: 0 with audio, 1 without.
    int instanceIndexOf(const PlayObject *channel) const;

    // Whether a libVLC warning is the too-late-picture one; reported at most
    // once per 10 s across all players and threads.
    static bool takeMissingFrameReport(int level, const char *message, qint64 nowMs);

signals:
    void playbackStateChange(PlayObjectState state);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 progress);
    void displayErrorMessage();
    void metaDataChanged(VideoMessage *model);

public slots:
    void playbackStateChangeSlots(PlayObjectState state);
    void durationChangedSlots(qint64 duration);
    void positionChangedSlots(qint64 progress);
    void displayErrorMessageSlots();
    // The channel's record: cached, or probed at once with its telemetry read
    // on a worker (metaDataChanged again once it arrives).
    void getCurrentFileMessageInfo(DbModel *dbModel,
                                   const std::function<void(VideoMessage &)> &callback);

private:
    void telemetryRead(const VideoMessage &record);
    void setUpChannel(const DbModel &model,
                      VideoMessage &message,
                      int index,
                      const ChannelOutput &output);
    void deleteChannels();
    void refuseGroup(const QString &why);

    QList<PlayObject *> m_channels;
    std::vector<libvlc_instance_t *> m_instances;
    PlayObjectState m_state = Idle;
    QString m_currentUrl;
    double m_rate = 1.0;
    double m_volume = 0.7;
    std::unique_ptr<VideoMessage> m_firstModel;
    TelemetryReader *m_reader = nullptr;
    bool m_durationKnown = false;
};
