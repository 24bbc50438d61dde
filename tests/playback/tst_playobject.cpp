#include "app/AppManager.h"
#include "playback/PlayObject.h"
#include "tests/support/CollectingFrameSink.h"
#include "tests/support/QueuedSignalSpy.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestHome.h"

#include <QSet>
#include <QSignalSpy>
#include <QtTest>
#include <cstring>
#include <memory>
#include <vlc/vlc.h>

namespace {
// A solid-colour clip made by the real ffmpeg: Y/U/V of pure red in BT.601
// limited range are 81/90/240.
QString makeClip(const QString &folder, const QString &name, const QString &size, double seconds)
{
    return makeTestClip(QDir(folder).filePath(name),
                        QString("color=c=red:s=%1:r=25:d=%2").arg(size).arg(seconds));
}

struct InstanceDeleter
{
    void operator()(libvlc_instance_t *i) const { libvlc_release(i); }
};
} // namespace

class TestPlayObject : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void formatNegotiation_data();
    void formatNegotiation();
    void playsToTheEndHandingOnEveryFrame();
    void playsIntoASinkWithoutAnyWidget();
    void aSinkThatGoesAwayIsNoLongerCalled();
    void buffersComeBackOnceFramesAreDropped();
    void channelsWithoutEventsStayQuiet();
    void pauseFreezesThePictureButNotWhileOpening();
    void missingFileReportsAnError();
    void callsAfterCloseAreIgnored();

private:
    QTemporaryDir m_dir;
    QString m_clip;
    std::unique_ptr<libvlc_instance_t, InstanceDeleter> m_vlc;
};

void TestPlayObject::initTestCase()
{
    // No display at all: the engine needs none.
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    m_clip = makeClip(m_dir.path(), "red clip 行车.mp4", "320x240", 2.0);
    QVERIFY(!m_clip.isEmpty());
    const char *args[] = {"--no-audio", "--quiet", "--no-video-title-show"};
    m_vlc.reset(libvlc_new(3, args));
    QVERIFY(m_vlc);
}

void TestPlayObject::formatNegotiation_data()
{
    QTest::addColumn<QSize>("stored");
    QTest::addColumn<QByteArray>("proposed");
    QTest::addColumn<QByteArray>("answered");
    QTest::addColumn<unsigned>("planes");
    QTest::addColumn<QList<unsigned>>("pitchesAndLines");
    QTest::newRow("I420 keeps its limited range")
        << QSize(320, 240) << QByteArray("I420") << QByteArray("I420") << 3u
        << QList<unsigned> {320, 160, 160, 240, 120, 120};
    QTest::newRow("J420") << QSize(1920, 1080) << QByteArray("J420") << QByteArray("J420") << 3u
                          << QList<unsigned> {1920, 960, 960, 1080, 540, 540};
    QTest::newRow("odd size truncates chroma")
        << QSize(1281, 721) << QByteArray("I420") << QByteArray("I420") << 3u
        << QList<unsigned> {1281, 640, 640, 721, 360, 360};
    QTest::newRow("hardware surface refused")
        << QSize(320, 240) << QByteArray("VAOP") << QByteArray() << 0u << QList<unsigned> {};
    QTest::newRow("NV12 refused") << QSize(320, 240) << QByteArray("NV12") << QByteArray() << 0u
                                  << QList<unsigned> {};
    QTest::newRow("I422 refused") << QSize(320, 240) << QByteArray("I422") << QByteArray() << 0u
                                  << QList<unsigned> {};
    // Never probed (transport streams): the decoder's size is taken.
    QTest::newRow("no stored size takes the proposed one")
        << QSize(0, 0) << QByteArray("I420") << QByteArray("I420") << 3u
        << QList<unsigned> {640, 320, 320, 480, 240, 240};
}

void TestPlayObject::formatNegotiation()
{
    QFETCH(QSize, stored);
    QFETCH(QByteArray, proposed);
    QFETCH(QByteArray, answered);
    QFETCH(unsigned, planes);
    QFETCH(QList<unsigned>, pitchesAndLines);
    PlayObject channel(m_clip, m_vlc.get(), stored.width(), stored.height());
    QSignalSpy textures(&channel, &PlayObject::initTexture);
    void *opaque = &channel;
    char chroma[5] = {};
    std::memcpy(chroma, proposed.constData(), 4);
    unsigned width = 640, height = 480, pitches[3] = {640, 320, 320}, lines[3] = {480, 240, 240};
    QCOMPARE(PlayObject::videoFrameFormatCallback(&opaque, chroma, &width, &height, pitches, lines),
             planes);
    QCOMPARE(PlayObject::videoFrameFormatCallback(nullptr, chroma, &width, &height, pitches, lines),
             0u);
    if (planes == 0)
        return;
    QCOMPARE(QByteArray(chroma), answered);
    const QSize expected = stored.isEmpty() ? QSize(640, 480) : stored;
    QCOMPARE(QSize(int(width), int(height)), expected);
    QCOMPARE(QSize(channel.frameWidth(), channel.frameHeight()), expected);
    // The renderer learns a size it did not know before the first frame.
    QCOMPARE(textures.size(), stored.isEmpty() ? 1 : 0);
    QCOMPARE((QList<unsigned> {pitches[0], pitches[1], pitches[2], lines[0], lines[1], lines[2]}),
             pitchesAndLines);
    channel.close();
}

void TestPlayObject::playsToTheEndHandingOnEveryFrame()
{
    PlayObject channel(m_clip, m_vlc.get(), 320, 240);
    QueuedSignalSpy states(&channel, &PlayObject::stateChanged);
    QueuedSignalSpy durations(&channel, &PlayObject::durationChanged);
    QueuedSignalSpy positions(&channel, &PlayObject::positionChanged);
    QueuedSignalSpy frames(&channel, &PlayObject::updateTexture2D);
    channel.attachEvents();
    channel.play();
    const auto sequence = [&states] {
        QList<PlayObjectState> seen;
        for (const QList<QVariant> &s : states)
            seen << s.at(0).value<PlayObjectState>();
        return seen;
    };
    QTRY_VERIFY_WITH_TIMEOUT(sequence().contains(Ended), 30000);
    QCOMPARE(sequence().first(), Playing);
    QVERIFY(sequence().indexOf(Ended) > sequence().indexOf(Playing));
    QVERIFY(!durations.isEmpty());
    QVERIFY(qAbs(durations.last().at(0).toLongLong() - 2000) <= 100);
    qint64 last = -1;
    for (const QList<QVariant> &p : positions) {
        QVERIFY(p.at(0).toLongLong() >= last);
        last = p.at(0).toLongLong();
    }
    // 50 frames in the file; the decoder may drop a few under load.
    QVERIFY2(frames.size() >= 40, qPrintable(QString::number(frames.size())));
    const QList<QVariant> frame = frames.at(frames.size() / 2);
    QCOMPARE(frame.at(0).toInt(), 320);
    QCOMPARE(frame.at(1).toInt(), 240);
    QCOMPARE(frame.at(2).toInt(), 320 * 4);
    QCOMPARE(frame.at(4).toString(), m_clip);
    const VideoDataOrb data = frame.at(3).value<VideoDataOrb>();
    QCOMPARE(data.planes[0].size(), 320 * 240);
    QCOMPARE(data.planes[1].size(), 160 * 120);
    QCOMPARE(data.planes[2].size(), 160 * 120);
    const int centre = 120 * 320 + 160, chromaCentre = 60 * 160 + 80;
    QVERIFY(qAbs(quint8(data.planes[0].at(centre)) - 81) <= 3);
    QVERIFY(qAbs(quint8(data.planes[1].at(chromaCentre)) - 90) <= 3);
    QVERIFY(qAbs(quint8(data.planes[2].at(chromaCentre)) - 240) <= 3);
    // Each frame owns its planes: earlier frames are not overwritten by later ones.
    QVERIFY(frames.first().at(3).value<VideoDataOrb>().planes[0].constData()
            != data.planes[0].constData());
    channel.close();
}

void TestPlayObject::playsIntoASinkWithoutAnyWidget()
{
    CollectingFrameSink sink;
    PlayObject channel(m_clip, m_vlc.get(), 320, 240);
    channel.setOutput({&sink, 0});
    // The sink learns the size before the first frame.
    QCOMPARE(sink.sizes, QList<QSize> {QSize(320, 240)});
    QueuedSignalSpy states(&channel, &PlayObject::stateChanged);
    channel.attachEvents();
    channel.play();
    QVERIFY(sink.accepting);
    QTRY_VERIFY_WITH_TIMEOUT(sink.frames >= 10, 20000);
    QCOMPARE(sink.frameSize, QSize(320, 240));
    QCOMPARE(sink.lastUrl, m_clip);
    QCOMPARE(sink.lastFrame.planes[0].size(), 320 * 240);
    QVERIFY(qAbs(quint8(sink.lastFrame.planes[0].at(120 * 320 + 160)) - 81) <= 3);
    const auto ended = [&states] {
        for (const QList<QVariant> &s : states) {
            if (s.at(0).value<PlayObjectState>() == Ended)
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(ended(), 30000);
    QVERIFY2(sink.frames >= 40, qPrintable(QString::number(sink.frames)));

    channel.close();
    QVERIFY(!sink.accepting);
    QCOMPARE(sink.closed, 1);
    const int framesAtClose = sink.frames;
    QTest::qWait(200);
    QCOMPARE(sink.frames, framesAtClose);
}

void TestPlayObject::aSinkThatGoesAwayIsNoLongerCalled()
{
    auto sink = std::make_unique<CollectingFrameSink>();
    PlayObject channel(m_clip, m_vlc.get(), 320, 240);
    channel.setOutput({sink.get(), 0});
    QueuedSignalSpy frames(&channel, &PlayObject::updateTexture2D);
    channel.play();
    QTRY_VERIFY_WITH_TIMEOUT(sink->frames >= 3, 20000);
    sink.reset();
    // Frames still come and go; pause and close must not touch the sink.
    const int before = frames.size();
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() > before + 3, 20000);
    channel.pause();
    channel.close();
    QVERIFY(channel.isClosed());
}

// A receiver that drops each frame after use (as the renderer does) gives its
// buffers back: a whole clip decodes into a handful of them, not one per frame.
void TestPlayObject::buffersComeBackOnceFramesAreDropped()
{
    PlayObject channel(m_clip, m_vlc.get(), 320, 240);
    QSet<const char *> buffers;
    int frames = 0;
    QObject receiver;
    connect(&channel, &PlayObject::updateTexture2D, &receiver,
            [&](int, int, int, const VideoDataOrb &data) {
                ++frames;
                buffers << data.planes[0].constData();
            });
    channel.play();
    QTRY_VERIFY_WITH_TIMEOUT(frames >= 40, 30000);
    channel.close();
    QVERIFY2(buffers.size() <= 4,
             qPrintable(QString("%1 buffers for %2 frames").arg(buffers.size()).arg(frames)));
}

void TestPlayObject::channelsWithoutEventsStayQuiet()
{
    PlayObject channel(m_clip, m_vlc.get(), 320, 240);
    QueuedSignalSpy states(&channel, &PlayObject::stateChanged);
    QueuedSignalSpy positions(&channel, &PlayObject::positionChanged);
    QueuedSignalSpy frames(&channel, &PlayObject::updateTexture2D);
    channel.play();
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 10, 20000);
    channel.close();
    QTest::qWait(100);
    QCOMPARE(states.size(), 0);
    QCOMPARE(positions.size(), 0);
}

void TestPlayObject::pauseFreezesThePictureButNotWhileOpening()
{
    const QString longClip = makeClip(m_dir.path(), "long.mp4", "160x120", 6.0);
    PlayObject channel(longClip, m_vlc.get(), 160, 120);
    QueuedSignalSpy states(&channel, &PlayObject::stateChanged);
    QueuedSignalSpy frames(&channel, &PlayObject::updateTexture2D);
    channel.attachEvents();
    channel.play();
    channel.pause(); // still opening: ignored
    QTRY_VERIFY_WITH_TIMEOUT(frames.size() >= 5, 20000);
    QVERIFY(!states.isEmpty());
    QCOMPARE(states.first().at(0).value<PlayObjectState>(), Playing);
    for (const QList<QVariant> &s : states)
        QVERIFY(s.at(0).value<PlayObjectState>() != Paused);

    channel.pause();
    QTRY_VERIFY_WITH_TIMEOUT(states.last().at(0).value<PlayObjectState>() == Paused, 10000);
    QTest::qWait(300);
    const int frozenAt = frames.size();
    QTest::qWait(1000);
    // Playing, a second would bring 25 frames.
    QVERIFY2(frames.size() <= frozenAt + 2,
             qPrintable(QString("%1 -> %2").arg(frozenAt).arg(frames.size())));

    channel.setTime(5000);
    channel.play();
    QTRY_VERIFY_WITH_TIMEOUT(states.last().at(0).value<PlayObjectState>() == Ended
                                 || states.last().at(0).value<PlayObjectState>() == Stopped,
                             20000);
    channel.close();
}

void TestPlayObject::missingFileReportsAnError()
{
    PlayObject channel(m_dir.filePath("gone 'quoted\".mp4"), m_vlc.get(), 320, 240);
    QueuedSignalSpy errors(&channel, &PlayObject::displayErrorMessage);
    channel.attachEvents();
    channel.play();
    QTRY_VERIFY_WITH_TIMEOUT(errors.size() >= 1, 20000);
    channel.close();
}

void TestPlayObject::callsAfterCloseAreIgnored()
{
    PlayObject channel(m_clip, m_vlc.get(), 320, 240);
    channel.close();
    QVERIFY(channel.isClosed());
    QTest::ignoreMessage(QtDebugMsg, "执行关闭vlc");
    channel.close();
    channel.play();
    channel.pause();
    channel.setTime(1000);
    channel.setRate(2.0);
    channel.setVolume(50);
    channel.setVolume(-1);
    AppManager::instance()->setVideoColorValue(1, 0.5f); // reaches applyColorAdjust
    QCOMPARE(channel.volume(), -1);
    QCOMPARE(channel.rate(), 1.0);
}

KELMORA_TEST_MAIN(QCoreApplication, TestPlayObject)
#include "tst_playobject.moc"
