#include "playback/PlayObject.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "playback/FrameSink.h"

#include <QDebug>
#include <QDir>
#include <cstring>
#include <vlc/vlc.h>

PlayObject::PlayObject(const QString &path, libvlc_instance_t *instance, int width, int height)
    : m_url(path)
    , m_instance(instance)
    , m_width(qMax(0, width))
    , m_height(qMax(0, height))
{
    // Frames cross to the sink's thread by queued calls.
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    allocatePlanes(m_width, m_height);
    const VideoDataOrb &first = m_frames.first();
    qDebug() << "newImageBuffer[0] (" << first.planes[0].size() << ") newImageBuffer[1] ("
             << first.planes[1].size() << ") newImageBuffer[2] (" << first.planes[2].size() << ")";

    if (instance)
        m_player = libvlc_media_player_new(instance);
    if (!m_player) {
        qDebug() << "libvlc_media_player_new failed:" << path;
        return;
    }
    connect(AppManager::instance(), &AppManager::changePlayerColor, this,
            &PlayObject::applyColorAdjust);
    applyColorAdjust();
    vlcVideoFrame();
    // The widget, not libVLC, takes mouse and keys in the native-window path.
    libvlc_video_set_mouse_input(m_player, 0);
    libvlc_video_set_key_input(m_player, 0);

    const std::string nativePath = QDir::toNativeSeparators(path).toStdString();
    if (libvlc_media_t *media = libvlc_media_new_path(instance, nativePath.c_str())) {
        libvlc_media_player_set_media(m_player, media);
        libvlc_media_release(media);
    }
}

PlayObject::~PlayObject()
{
    qDebug() << "PlayObject close--------------------" << this;
    if (m_player) // the owner should have closed it; never leak a playing libVLC player
        close();
}

void PlayObject::vlcVideoFrame()
{
    if (!m_player)
        return;
    libvlc_video_set_format_callbacks(m_player, &PlayObject::videoFrameFormatCallback, nullptr);
    libvlc_video_set_callbacks(m_player, &PlayObject::lock_callback, &PlayObject::unlock_callback,
                               &PlayObject::display_callback, this);
}

void PlayObject::setTargetAcceptsFrames(bool accept)
{
    if (m_sinkContext)
        m_sink->setAcceptFrames(accept);
}

void PlayObject::play()
{
    if (!m_player)
        return;
    setTargetAcceptsFrames(true);
    m_frozen = false;
    libvlc_media_player_play(m_player);
}

void PlayObject::pause()
{
    if (!m_player || libvlc_media_player_get_state(m_player) != libvlc_Playing)
        return;
    setTargetAcceptsFrames(false);
    m_frozen = true;
    libvlc_media_player_pause(m_player);
}

void PlayObject::setTime(int milliseconds)
{
    if (m_player)
        libvlc_media_player_set_time(m_player, libvlc_time_t(milliseconds));
}

void PlayObject::setRate(double rate)
{
    if (m_player)
        libvlc_media_player_set_rate(m_player, float(rate));
}

double PlayObject::rate() const
{
    return m_player ? double(libvlc_media_player_get_rate(m_player)) : 1.0;
}

void PlayObject::setVolume(int volume)
{
    if (!m_player)
        return;
    if (volume < 0) {
        libvlc_audio_set_mute(m_player, 1);
        return;
    }
    libvlc_audio_set_mute(m_player, 0);
    libvlc_audio_set_volume(m_player, volume);
}

int PlayObject::volume() const
{
    return m_player ? libvlc_audio_get_volume(m_player) : -1;
}

void PlayObject::setOutput(const ChannelOutput &output)
{
    if (!m_player)
        return;
    if (FrameSink *sink = output.sink) {
        m_sink = sink;
        m_sinkContext = sink->frameContext();
        // Queued from libVLC's threads, direct from the GUI thread; dropped
        // with the sink's context.
        connect(
            this, &PlayObject::initTexture, m_sinkContext,
            [sink](int width, int height, float rate) { sink->initTexture(width, height, rate); });
        connect(this, &PlayObject::updateTexture2D, m_sinkContext,
                [sink](int width, int height, int linesize, const VideoDataOrb &data,
                       const QString &url) {
                    sink->updateTexture2D(width, height, linesize, data, url);
                });
        emit initTexture(m_width, m_height, 1.0f);
        return;
    }
    if (!output.nativeWindow)
        return;
#if defined(Q_OS_WIN)
    libvlc_media_player_set_hwnd(m_player, reinterpret_cast<void *>(output.nativeWindow));
#elif defined(Q_OS_MACOS)
    libvlc_media_player_set_nsobject(m_player, reinterpret_cast<void *>(output.nativeWindow));
#else
    libvlc_media_player_set_xwindow(m_player, uint32_t(output.nativeWindow));
#endif
}

void PlayObject::attachEvents()
{
    if (!m_player)
        return;
    m_eventManager = libvlc_media_player_event_manager(m_player);
    const libvlc_event_e events[] = {
        libvlc_MediaPlayerTimeChanged,     libvlc_MediaPlayerPositionChanged,
        libvlc_MediaPlayerLengthChanged,   libvlc_MediaPlayerMediaChanged,
        libvlc_MediaPlayerPlaying,         libvlc_MediaPlayerPaused,
        libvlc_MediaPlayerStopped,         libvlc_MediaPlayerEncounteredError,
        libvlc_MediaPlayerSeekableChanged, libvlc_MediaPlayerEndReached,
    };
    for (libvlc_event_e type : events)
        libvlc_event_attach(m_eventManager, type, &PlayObject::libvlcEventChange, this);
}

void PlayObject::applyColorAdjust()
{
    if (!m_player)
        return;
    // A value never saved leaves the picture as it is.
    const float brightness = Settings::videoColor(1).get();
    const float contrast = Settings::videoColor(2).get();
    const float saturation = Settings::videoColor(3).get();
    libvlc_video_set_adjust_float(m_player, libvlc_adjust_Brightness, brightness);
    libvlc_video_set_adjust_float(m_player, libvlc_adjust_Contrast, contrast);
    libvlc_video_set_adjust_float(m_player, libvlc_adjust_Saturation, saturation);
    // The adjust filter costs a pass over every frame: run it only when it changes something.
    const bool neutral = brightness == 1.0f && contrast == 1.0f && saturation == 1.0f;
    libvlc_video_set_adjust_int(m_player, libvlc_adjust_Enable, neutral ? 0 : 1);
}

void PlayObject::close()
{
    detachOutput();
    stopPlayer();
}

void PlayObject::detachOutput()
{
    qDebug() << "执行关闭vlc";
    if (!m_player)
        return;
    if (m_sinkContext) {
        m_sink->setAcceptFrames(false);
        m_sink->closeSmpTex();
    }
#if defined(Q_OS_WIN)
    libvlc_media_player_set_hwnd(m_player, nullptr);
#elif !defined(Q_OS_MACOS)
    libvlc_media_player_set_xwindow(m_player, 0);
#endif
    libvlc_video_set_format_callbacks(m_player, nullptr, nullptr);
    libvlc_video_set_callbacks(m_player, nullptr, nullptr, nullptr, nullptr);
}

void PlayObject::stopPlayer()
{
    if (!m_player)
        return;
    // Stop waits for libVLC's threads; events it sends meanwhile read the
    // player from the event itself, so m_player is cleared only afterwards.
    libvlc_media_player_stop(m_player);
    libvlc_media_player_release(m_player);
    m_player = nullptr;
}

unsigned PlayObject::videoFrameFormatCallback(void **opaque,
                                              char *chroma,
                                              unsigned *width,
                                              unsigned *height,
                                              unsigned *pitches,
                                              unsigned *lines)
{
    if (!opaque || !*opaque || !chroma || !width || !height || !pitches || !lines)
        return 0;
    auto *self = static_cast<PlayObject *>(*opaque);
    const QByteArray code(chroma, 4);
    qDebug() << "videoFrameFormatCallback_chroma"
             << "chroma:" << code << "width:" << *width << "height:" << *height
             << "pitches:" << pitches[0] << "," << pitches[1] << "," << pitches[2]
             << "lines:" << lines[0] << "," << lines[1] << "," << lines[2];
    if (code != "J420" && code != "I420") {
        qDebug() << "Unsupported chroma format: " << code;
        return 0;
    }
    if ((self->m_width <= 0 || self->m_height <= 0)
        && !self->adoptFrameSize(int(*width), int(*height))) {
        qDebug() << "Unsupported chroma format: " << code << "frame size" << *width << "x"
                 << *height;
        return 0;
    }
    // The chroma stays as proposed: answering "J420" for an "I420" stream makes
    // libVLC stretch it to full range, which the limited-range shader then
    // over-saturates (pure red came out as Y 76, V 255 instead of 81, 240).
    const int w = self->m_width;
    const int h = self->m_height;
    *width = unsigned(w);
    *height = unsigned(h);
    pitches[0] = unsigned(w);
    pitches[1] = pitches[2] = unsigned(w >> 1);
    lines[0] = unsigned(h);
    lines[1] = lines[2] = unsigned(h >> 1);
    return 3;
}

void PlayObject::allocatePlanes(int width, int height)
{
    VideoDataOrb frame;
    frame.planes[0] = QByteArray(width * height, '\0');
    frame.planes[1] = QByteArray((width / 2) * (height / 2), '\0');
    frame.planes[2] = QByteArray((width / 2) * (height / 2), '\0');
    m_frames = {frame};
    m_lastSlot = -1;
}

int PlayObject::freeFrameSlot()
{
    const auto isFree = [](const VideoDataOrb &frame) {
        // Only this pool holds it: the renderer and any queued signal are done with it.
        return frame.planes[0].isDetached() && frame.planes[1].isDetached()
            && frame.planes[2].isDetached();
    };
    for (int step = 1; step <= m_frames.size(); ++step) {
        const int slot = (m_lastSlot + step) % m_frames.size();
        if (isFree(m_frames.at(slot)))
            return m_lastSlot = slot;
    }
    // All held (a slow renderer): a new set, or one that replaces the oldest
    // slot, whose frame lives on with its holders.
    const VideoDataOrb &model = m_frames.first();
    VideoDataOrb frame;
    for (int i = 0; i < 3; ++i)
        frame.planes[i] = QByteArray(model.planes[i].size(), Qt::Uninitialized);
    if (m_frames.size() < MaxPooledFrames) {
        m_frames.append(frame);
        return m_lastSlot = m_frames.size() - 1;
    }
    m_lastSlot = (m_lastSlot + 1) % m_frames.size();
    m_frames[m_lastSlot] = frame;
    return m_lastSlot;
}

bool PlayObject::adoptFrameSize(int width, int height)
{
    // Recordings the import never probes (transport streams) have no stored
    // size: decode at the decoder's, within what the renderer takes.
    if (width <= 0 || height <= 0 || width > FrameSink::MaxFrameSide
        || height > FrameSink::MaxFrameSide)
        return false;
    {
        QMutexLocker locker(&m_bufferMutex);
        m_width = width;
        m_height = height;
        allocatePlanes(width, height);
    }
    // Queued to the renderer ahead of the first frame.
    emit initTexture(width, height, 1.0f);
    return true;
}

void *PlayObject::lock_callback(void *opaque, void **p_pixels)
{
    auto *self = static_cast<PlayObject *>(opaque);
    QMutexLocker locker(&self->m_bufferMutex);
    const VideoDataOrb &model = self->m_frames.first();
    if (model.planes[0].isEmpty() || model.planes[1].isEmpty() || model.planes[2].isEmpty()) {
        qWarning() << "Image buffers are empty!";
        return nullptr;
    }
    const int slot = self->freeFrameSlot();
    for (int i = 0; i < 3; ++i)
        p_pixels[i] = self->m_frames[slot].planes[i].data();
    // The picture's id: the slot its unlock hands on.
    return reinterpret_cast<void *>(quintptr(slot));
}

void PlayObject::unlock_callback(void *opaque, void *id, void *const *p_pixels)
{
    auto *self = static_cast<PlayObject *>(opaque);
    if (self->m_frozen)
        return;
    QMutexLocker locker(&self->m_bufferMutex);
    if (!p_pixels || !p_pixels[0] || !p_pixels[1] || !p_pixels[2]) {
        qWarning() << "p_pixels points to invalid data!";
        return;
    }
    const int slot = int(reinterpret_cast<quintptr>(id));
    // A picture locked before the buffers were remade for a new size is dropped.
    if (slot >= self->m_frames.size()
        || self->m_frames.at(slot).planes[0].constData() != p_pixels[0])
        return;
    const VideoDataOrb frame = self->m_frames.at(slot);
    const int w = self->m_width;
    emit self->updateTexture2D(w, self->m_height, w * 4, frame, self->m_url);
}

void PlayObject::display_callback(void *, void *) { }

void PlayObject::libvlcEventChange(const libvlc_event_t *event, void *userData)
{
    auto *self = static_cast<PlayObject *>(userData);
    switch (event->type) {
    case libvlc_MediaPlayerMediaChanged:
        qDebug() << "libvlcEventChange :libvlc_MediaPlayerMediaChanged";
        emit self->mediaStateChanged();
        break;
    case libvlc_MediaPlayerPlaying:
        qDebug() << "libvlcEventChange :playing_" << self;
        AppManager::instance()->logThreadInfo(1, "播放状态发送信号");
        emit self->stateChanged(Playing);
        break;
    case libvlc_MediaPlayerPaused:
        qDebug() << "libvlcEventChange :Paused";
        emit self->stateChanged(Paused);
        break;
    case libvlc_MediaPlayerStopped:
        qDebug() << "libvlcEventChange :Stopped";
        emit self->stateChanged(Stopped);
        break;
    case libvlc_MediaPlayerEndReached:
        qDebug() << "libvlcEventChange :play finish";
        emit self->stateChanged(Ended);
        break;
    case libvlc_MediaPlayerEncounteredError:
        qDebug() << "libvlcEventChange :Error";
        emit self->displayErrorMessage();
        break;
    // The figures come from the event itself: asking the player for them here
    // waits for the lock a stop on the GUI thread holds while it joins this
    // very thread, and both hang.
    case libvlc_MediaPlayerTimeChanged:
        emit self->positionChanged(qint64(event->u.media_player_time_changed.new_time));
        break;
    case libvlc_MediaPlayerLengthChanged:
        qDebug() << "libvlcEventChange :duration_"
                 << qint64(event->u.media_player_length_changed.new_length);
        emit self->durationChanged(qint64(event->u.media_player_length_changed.new_length));
        break;
    case libvlc_MediaPlayerSeekableChanged:
        qDebug() << "libvlcEventChange :seek_" << self;
        break;
    default:
        break;
    }
}
