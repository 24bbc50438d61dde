#pragma once

#include "playback/ChannelOutput.h"
#include "playback/PlayObjectState.h"
#include "playback/VideoDataOrb.h"

#include <QMutex>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>
#include <atomic>

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_event_manager_t;
struct libvlc_event_t;

// Plays one file of a recording group (one camera channel) with libVLC.
// In the OpenGL path libVLC decodes into three plane buffers owned here; each
// finished frame is handed on as a VideoDataOrb sharing those buffers, by a
// queued signal. A frame's buffers are decoded into again only once nobody
// holds that frame, so every frame stays as it was decoded without a copy.
// In the native path libVLC draws into a native window instead. Whatever shows
// the frames is a FrameSink: the engine knows no widget.
// Lives on the GUI thread; the static callbacks run on libVLC's threads and
// touch only the buffers (under the mutex) and signals.
class PlayObject : public QObject
{
    Q_OBJECT
public:
    PlayObject(const QString &path, libvlc_instance_t *instance, int width, int height);
    ~PlayObject() override;

    void play();
    void pause();
    void setTime(int milliseconds);
    void setRate(double rate);
    double rate() const;
    void setVolume(int volume);
    int volume() const;
    void setAudioMaster(bool master) { m_audioMaster = master; }
    bool isAudioMaster() const { return m_audioMaster; }
    // Frames go to the output's sink, or libVLC draws into its native window.
    void setOutput(const ChannelOutput &output);
    void attachEvents();
    void applyColorAdjust();
    void close();
    // close() in two steps, so an owner can stop several players at once:
    // detachOutput on the GUI thread, then stopPlayer on any thread.
    void detachOutput();
    void stopPlayer();

    bool isClosed() const { return m_player == nullptr; }
    QString url() const { return m_url; }
    int frameWidth() const { return m_width; }
    int frameHeight() const { return m_height; }
    // The libVLC instance it plays on (not owned).
    libvlc_instance_t *instance() const { return m_instance; }

    // libVLC callbacks; opaque / userData is the PlayObject.
    static unsigned videoFrameFormatCallback(void **opaque,
                                             char *chroma,
                                             unsigned *width,
                                             unsigned *height,
                                             unsigned *pitches,
                                             unsigned *lines);
    static void *lock_callback(void *opaque, void **p_pixels);
    static void unlock_callback(void *opaque, void *id, void *const *p_pixels);
    static void display_callback(void *opaque, void *id);
    static void libvlcEventChange(const libvlc_event_t *event, void *userData);

signals:
    void playEnd(PlayObjectState state);
    void stateChanged(PlayObjectState state);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 progress);
    void mediaStateChanged();
    void displayErrorMessage();
    void updateTexture2D(int width, int height, int linesize, VideoDataOrb data, QString url);
    void initTexture(int width, int height, float rate);

public slots:
    void vlcVideoFrame();

private:
    bool adoptFrameSize(int width, int height);
    // Drops the decode buffers and makes the first set for frames of this
    // size; the caller holds m_bufferMutex once libVLC may be using them.
    void allocatePlanes(int width, int height);
    // A buffer set nobody else holds, made if need be (m_bufferMutex held).
    int freeFrameSlot();
    void setTargetAcceptsFrames(bool accept);

    FrameSink *m_sink = nullptr;
    // The sink's context: the sink is called only while it lives.
    QPointer<QObject> m_sinkContext;
    // Decode buffer sets: frames the renderer still holds, and free ones.
    static constexpr int MaxPooledFrames = 4;
    QVector<VideoDataOrb> m_frames;
    int m_lastSlot = -1;
    QString m_url;
    bool m_audioMaster = false;
    libvlc_event_manager_t *m_eventManager = nullptr;
    libvlc_media_player_t *m_player = nullptr;
    libvlc_instance_t *m_instance = nullptr;
    // Set before libVLC starts, or once by its first format callback.
    std::atomic_int m_width {0};
    std::atomic_int m_height {0};
    QMutex m_bufferMutex;
    // Set while paused: libVLC keeps redrawing the still picture, and handing
    // it on a dozen times a second only to be dropped by the renderer is waste.
    std::atomic_bool m_frozen {false};
};
