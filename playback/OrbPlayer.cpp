#include "playback/OrbPlayer.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/LogHandler.h"
#include "app/Settings.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "playback/PlayObject.h"
#include "telemetry/GPSTool.h"
#include "telemetry/RecordLookup.h"
#include "telemetry/TelemetryReader.h"

#include <QDateTime>
#include <QDebug>
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <thread>
#include <vector>
#include <vlc/vlc.h>

namespace {
// Last dropped-frame report, shared by every player and libVLC thread.
std::atomic<qint64> g_lastMissingReport {0};

void missingFrameLogCallback(void *, int level, const libvlc_log_t *, const char *fmt, va_list args)
{
    char buffer[1024];
    va_list copy;
    va_copy(copy, args);
    std::vsnprintf(buffer, sizeof buffer, fmt, copy);
    va_end(copy);
    if (!OrbPlayer::takeMissingFrameReport(level, buffer, QDateTime::currentMSecsSinceEpoch()))
        return;
    qDebug() << "触发丢帧";
    // Runs on a libVLC thread: only a queued request reaches the GUI, whose
    // prompt factory places the prompt.
    QMetaObject::invokeMethod(
        LogHandler::instance(),
        [] {
            // Only over a window of ours that has the focus.
            if (QGuiApplication::focusWindow())
                LogHandler::instance()->showHudDialog(
                    QCoreApplication::translate("QObject", "Video_missing_frame"), nullptr);
        },
        Qt::QueuedConnection);
}
} // namespace

bool OrbPlayer::takeMissingFrameReport(int level, const char *message, qint64 nowMs)
{
    if (level != LIBVLC_WARNING || !message || !std::strstr(message, "missing"))
        return false;
    qint64 last = g_lastMissingReport.load();
    do {
        if (nowMs - last <= 10000)
            return false;
    } while (!g_lastMissingReport.compare_exchange_weak(last, nowMs));
    return true;
}

OrbPlayer::OrbPlayer(QObject *parent)
    : QObject(parent)
    , m_firstModel(std::make_unique<VideoMessage>())
    , m_reader(new TelemetryReader(this))
{
    connect(m_reader, &TelemetryReader::recordRead, this, &OrbPlayer::telemetryRead);
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<VideoMessage *>("VideoMessage*");
    initLibVlc(false);
    qDebug() << "VideoMessage---firstModel::::::::::" << m_firstModel.get();
    m_rate = 1.0;
    const double saved = Settings::videoSound().get();
    m_volume = saved == 0.0 ? Settings::videoSound().defaultValue() : saved;
}

OrbPlayer::~OrbPlayer()
{
    qDebug() << "OrbPlayer销毁";
    // Channels hold players of these instances: release them first.
    clearChannels();
    for (libvlc_instance_t *instance : m_instances)
        libvlc_release(instance);
}

void OrbPlayer::initLibVlc(bool reset)
{
    if (reset) {
        clearChannels();
        for (libvlc_instance_t *instance : m_instances)
            libvlc_release(instance);
        m_instances.clear();
    }
    libvlc_instance_t *withAudio = libvlc_new(0, nullptr);
    const char *const noAudio[] = {"--no-audio"};
    libvlc_instance_t *withoutAudio = libvlc_new(1, noAudio);
    if (!withAudio) {
        qDebug() << "libvlc_new failed: nothing can play";
        if (withoutAudio)
            libvlc_release(withoutAudio);
        return;
    }
    libvlc_log_set(withAudio, &missingFrameLogCallback, stdout);
    m_instances.push_back(withAudio);
    if (withoutAudio) {
        libvlc_log_set(withoutAudio, &missingFrameLogCallback, stdout);
        m_instances.push_back(withoutAudio);
    }
}

void OrbPlayer::deleteChannels()
{
    m_durationKnown = false;
    for (PlayObject *channel : qAsConst(m_channels)) {
        channel->disconnect(this);
        disconnect(channel, nullptr, this, nullptr);
        // Also drops the frame connections to the channel's renderer.
        channel->disconnect();
        delete channel;
    }
    m_channels.clear();
}

void OrbPlayer::refuseGroup(const QString &why)
{
    qDebug() << "无法播放:" << why;
    m_state = Error;
    emit playbackStateChange(Error);
}

void OrbPlayer::playFiles(const QList<DbModel *> &models, const QList<ChannelOutput> &outputs)
{
    deleteChannels();
    qDebug() << "初始化播放器个数：" << models.size();
    if (m_instances.empty())
        return refuseGroup("libVLC could not start");
    if (outputs.size() < models.size())
        return refuseGroup(QString("%1 views for %2 files").arg(outputs.size()).arg(models.size()));
    for (int index = 0; index < models.size(); ++index) {
        DbModel *model = models.at(index);
        if (!model)
            continue;
        bool unreadable = false;
        getCurrentFileMessageInfo(
            model, [this, model, index, &outputs, &unreadable](VideoMessage &message) {
                // A file the probe could not read (or refused: thousands of tracks)
                // keeps libVLC, and a stop, busy for half a minute, whichever way
                // it draws. Files never probed take the decoder's frame size instead.
                unreadable = index == 0 && GPSTool::isProbed(model->path)
                    && (message.width.toInt() <= 0 || message.height.toInt() <= 0);
                if (!unreadable)
                    setUpChannel(*model, message, index, outputs.at(index));
            });
        if (unreadable) {
            emit displayErrorMessage();
            return refuseGroup(QStringLiteral("no frame size: ") + model->path);
        }
    }
    qDebug() << "star play video Files";
    for (PlayObject *channel : qAsConst(m_channels))
        channel->play();
}

void OrbPlayer::setUpChannel(const DbModel &model,
                             VideoMessage &message,
                             int index,
                             const ChannelOutput &output)
{
    qDebug() << "Scale after Screen Size:" << message.width << "*" << message.height
             << "  ::Scale___" << 1;
    PlayObject *channel = nullptr;
    if (index == 0) {
        qDebug() << "VideoMessage--::::::::::" << &message;
        *m_firstModel = message;
        qDebug() << "VideoMessage---firstModel11111111111::::::::::" << m_firstModel.get();
        channel = new PlayObject(model.path, m_instances.front(), message.width.toInt(),
                                 message.height.toInt());
        qDebug() << "PlayObject create--------------------" << channel;
        m_currentUrl = model.path;
        channel->setVolume(int(m_volume * 100));
        channel->setAudioMaster(true);
        channel->attachEvents();
        connect(channel, &PlayObject::durationChanged, this, &OrbPlayer::durationChangedSlots);
        connect(channel, &PlayObject::positionChanged, this, &OrbPlayer::positionChangedSlots);
        connect(channel, &PlayObject::displayErrorMessage, this,
                &OrbPlayer::displayErrorMessageSlots);
        connect(channel, &PlayObject::stateChanged, this, &OrbPlayer::playbackStateChangeSlots);
    } else {
        libvlc_instance_t *silent = m_instances.size() > 1 ? m_instances[1] : m_instances.front();
        channel = new PlayObject(model.path, silent, message.width.toInt(), message.height.toInt());
        qDebug() << "PlayObject create--------------------" << channel;
    }
    channel->setRate(m_rate);
    channel->setOutput(output);
    m_channels.append(channel);
}

void OrbPlayer::play()
{
    for (PlayObject *channel : qAsConst(m_channels))
        channel->play();
}

void OrbPlayer::pause()
{
    for (PlayObject *channel : qAsConst(m_channels))
        channel->pause();
}

void OrbPlayer::setTime(int milliseconds)
{
    for (PlayObject *channel : qAsConst(m_channels))
        channel->setTime(milliseconds);
}

void OrbPlayer::setRate(double rate)
{
    m_rate = rate;
    for (PlayObject *channel : qAsConst(m_channels))
        channel->setRate(rate);
}

void OrbPlayer::setVolume(double volume)
{
    m_volume = volume;
    Settings::videoSound().set(volume);
    if (PlayObject *master = masterChannel())
        master->setVolume(int(volume * 100));
}

void OrbPlayer::closeAll()
{
    for (PlayObject *channel : qAsConst(m_channels))
        channel->detachOutput();
    // Each stop waits for its player's threads to end: waiting for all of
    // them at once makes a group change as quick as one channel's.
    std::vector<std::thread> stops;
    for (int i = 1; i < m_channels.size(); ++i)
        stops.emplace_back([channel = m_channels.at(i)] { channel->stopPlayer(); });
    if (!m_channels.isEmpty())
        m_channels.first()->stopPlayer();
    for (std::thread &stop : stops)
        stop.join();
}

void OrbPlayer::clearChannels()
{
    closeAll();
    deleteChannels();
}

PlayObject *OrbPlayer::masterChannel() const
{
    for (PlayObject *channel : m_channels) {
        if (channel->isAudioMaster())
            return channel;
    }
    return nullptr;
}

int OrbPlayer::instanceIndexOf(const PlayObject *channel) const
{
    if (!channel || !m_channels.contains(const_cast<PlayObject *>(channel)))
        return -1;
    const auto it = std::find(m_instances.begin(), m_instances.end(), channel->instance());
    return it == m_instances.end() ? -1 : int(it - m_instances.begin());
}

void OrbPlayer::playbackStateChangeSlots(PlayObjectState state)
{
    AppManager::instance()->logThreadInfo(2, "播放状态返回回调");
    m_state = state;
    emit playbackStateChange(state);
}

void OrbPlayer::durationChangedSlots(qint64 duration)
{
    qDebug() << "durationChangedSlots:" << duration;
    if (duration <= 0)
        return;
    m_durationKnown = true;
    qDebug() << "send durationChanged:" << duration;
    emit durationChanged(duration);
    qDebug() << "send metaDataChanged";
    emit metaDataChanged(m_firstModel.get());
}

void OrbPlayer::positionChangedSlots(qint64 progress)
{
    if (m_state == Playing)
        emit positionChanged(progress);
}

void OrbPlayer::displayErrorMessageSlots()
{
    qDebug() << "VLC_Play_error：";
    emit displayErrorMessage();
}

void OrbPlayer::getCurrentFileMessageInfo(DbModel *dbModel,
                                          const std::function<void(VideoMessage &)> &callback)
{
    if (!dbModel || !callback)
        return;
    bool complete = false;
    VideoMessage record = RecordLookup::findOrProbe(*dbModel, RecordLookup::Log::Player, &complete);
    // The picture starts now; the panels fill when the telemetry arrives.
    if (!complete)
        m_reader->read(*dbModel);
    callback(record);
}

void OrbPlayer::telemetryRead(const VideoMessage &record)
{
    // Cached for the next time whichever group plays now.
    VideoMessage stored = record;
    stored.saveToDb();
    if (record.path != m_currentUrl || m_channels.isEmpty())
        return;
    *m_firstModel = stored;
    // Before the duration is known the record goes out with it, as always.
    if (m_durationKnown)
        emit metaDataChanged(m_firstModel.get());
}
