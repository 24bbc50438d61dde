// The playback area on real libVLC and OpenGL: groups played end to end,
// the idle cover, full screen in and out and the player-type switch.
#include "app/AppManager.h"
#include "controls/Palette.h"
#include "library/DbModel.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "render/RenderView.h"
#include "tests/support/SanitizerSkips.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestHome.h"
#include "tests/support/TestRecords.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// The recording's frame is drawn in the area: a band across its middle shows
// the test pattern's colours rather than one flat fill.
bool pictureShown(const QImage &shot, const QRect &area)
{
    return colourCount(shot, QRect(area.left(), area.center().y() - 5, area.width(), 10)) > 20;
}

QString makeClip(const QString &folder, const QString &name, double seconds)
{
    return makeTestClip(QDir(folder).filePath(name),
                        QString("testsrc2=s=320x180:r=25:d=%1").arg(seconds),
                        QString("sine=d=%1").arg(seconds));
}
} // namespace

class TestVideoView : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void playsAGroupAndReplacesIt();
    void emptyListGoesIdleWithAPrompt();
    void relaysTheEndOfARecording();
    void fullScreenInAndOut();
    void playerTypeSwitchHidesZoomButtons_data();
    void playerTypeSwitchHidesZoomButtons();

private:
    QList<DbModel *> group(const QStringList &paths);

    QTemporaryDir m_dir;
    QStringList m_clips;
    std::unique_ptr<QWidget> m_main;
    VideoView *m_view = nullptr;
    QList<DbModel *> m_models;
};

void TestVideoView::initTestCase()
{
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    m_clips << makeClip(m_dir.path(), "2023_0501_120000_F.mp4", 8.0)
            << makeClip(m_dir.path(), "2023_0501_120000_R.mp4", 8.0)
            << makeClip(m_dir.path(), "2023_0501_130000_F.mp4", 1.0);
    QVERIFY(!m_clips.contains(QString()));
}

void TestVideoView::init()
{
    m_main = std::make_unique<QWidget>();
    m_main->resize(1200, 700);
    auto *layout = new QVBoxLayout(m_main.get());
    auto *left = new QVBoxLayout;
    layout->addLayout(left);
    m_view = new VideoView(m_main.get(), m_main.get(), nullptr, left);
    left->addWidget(m_view);
    AppManager::instance()->setMainWindow(m_main.get());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
    QCOMPARE(AppManager::instance()->playerTool(), m_view->playerTool());
    QCOMPARE(AppManager::instance()->renderView(), m_view->renderView());
}

void TestVideoView::cleanup()
{
    m_main.reset();
    AppManager::instance()->setMainWindow(nullptr);
    AppManager::instance()->switchPlayerType(PlayerType::OpenGL);
    qDeleteAll(m_models);
    m_models.clear();
}

QList<DbModel *> TestVideoView::group(const QStringList &paths)
{
    const QList<DbModel *> models = newModelsFor(paths);
    m_models << models;
    return models;
}

void TestVideoView::playsAGroupAndReplacesIt()
{
    QVERIFY(m_view->logo()->isVisible());
    QCOMPARE(m_view->playerTool()->height(), 83);
    QCOMPARE(m_view->logo()->size(), QSize(250, 50));
    QVERIFY((m_view->logo()->geometry().center() - m_view->renderView()->rect().center())
                .manhattanLength()
            <= 1);
    // The cover as drawn: the logo on the black area.
    const QImage idle = m_main->grab().toImage();
    QVERIFY(idle.save(screenshotPath("videoview_idle.png")));
    QLabel *logo = m_view->logo();
    QVERIFY(colourCount(idle, QRect(logo->mapTo(m_main.get(), QPoint(0, 0)), logo->size())) > 1);
    QCOMPARE(idle.pixelColor(m_view->renderView()->mapTo(m_main.get(), QPoint(5, 5))),
             Palette::videoBackground());
    QSignalSpy started(m_view, &VideoView::starPlayNotification);
    QSignalSpy seconds(m_view, &VideoView::currentPlayTime);
    QSignalSpy ready(m_view, &VideoView::postPlayingState);
    m_view->playList(group({m_clips[0], m_clips[1]}));
    QVERIFY(!m_view->logo()->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!started.isEmpty(), 20000);
    QCOMPARE(started.at(0).at(0).value<VideoMessage *>()->path, m_clips[0]);
    QTRY_VERIFY_WITH_TIMEOUT(!seconds.isEmpty(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!ready.isEmpty(), 20000);
    OrbPlayer *player = m_view->playerTool()->player();
    QCOMPARE(player->channels().size(), 2);
    QTRY_VERIFY_WITH_TIMEOUT(m_view->playerTool()->isPlaying(), 20000);

    // The old channels stop before the new group's views and channels exist.
    QList<QPointer<PlayObject>> old;
    for (PlayObject *channel : player->channels())
        old << channel;
    m_view->playList(group({m_clips[2]}));
    for (const QPointer<PlayObject> &channel : old)
        QVERIFY(channel.isNull());
    QCOMPARE(player->channels().size(), 1);
    QCOMPARE(player->currentUrl(), m_clips[2]);
    QCOMPARE(m_view->renderView()->views().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(started.size() >= 2, 20000);
    QCOMPARE(started.last().at(0).value<VideoMessage *>()->path, m_clips[2]);
    QVERIFY(!m_view->logo()->isVisible());
}

void TestVideoView::emptyListGoesIdleWithAPrompt()
{
    m_view->playList(group({m_clips[0]}));
    QTRY_VERIFY_WITH_TIMEOUT(m_view->playerTool()->isPlaying(), 20000);
    QSignalSpy ready(m_view, &VideoView::postPlayingState);
    m_view->playList({});
    QCOMPARE(ready.size(), 1);
    QVERIFY(m_view->logo()->isVisible());
    QVERIFY(!m_view->playerTool()->player()->masterChannel());
    QVERIFY(!m_view->playerTool()->findChild<QPushButton *>("playButton")->isEnabled());
    QStringList texts;
    for (QWidget *hud : m_view->renderView()->findChildren<QWidget *>("orbHudView"))
        for (QLabel *label : hud->findChildren<QLabel *>())
            texts << label->text();
    QVERIFY(texts.contains(VideoView::tr("select_files_No_Has")));
}

void TestVideoView::relaysTheEndOfARecording()
{
    QSignalSpy next(m_view, &VideoView::willPlayNextVideo);
    QSignalSpy same(m_view, &VideoView::willPlaySameVideo);
    m_view->playList(group({m_clips[2]}));
    QTRY_VERIFY_WITH_TIMEOUT(!next.isEmpty(), 20000);
    QCOMPARE(next.at(0).at(0).toString(), m_clips[2]);
    QCOMPARE(next.at(0).at(1).toBool(), true);

    m_view->playerTool()->findChild<QPushButton *>("replayButton")->click();
    m_view->playList(group({m_clips[2]}));
    QTRY_VERIFY_WITH_TIMEOUT(!same.isEmpty(), 20000);
    QCOMPARE(same.at(0).at(0).toString(), m_clips[2]);
}

void TestVideoView::fullScreenInAndOut()
{
    m_view->playList(group({m_clips[0]}));
    QTRY_VERIFY_WITH_TIMEOUT(m_view->playerTool()->isPlaying(), 20000);
    const Qt::WindowFlags saved = m_view->windowFlags();
    QCOMPARE(m_view->savedWindowFlags(), saved);
    PlayerTool *bar = m_view->playerTool();
    // The info page's "Display size" hears every change of the area.
    QSignalSpy area(m_view, &VideoView::videoViewWindowFrameChange);
    const auto lastArea = [&area] { return area.isEmpty() ? QSize() : area.last().at(0).toSize(); };

    bar->findChild<QPushButton *>("fullButton")->click();
    QVERIFY(m_view->isFull);
    QVERIFY(bar->isEmbedded());
    QCOMPARE(bar->hostWidget(), m_view);
    QVERIFY(m_view->isWindow());
    QTRY_VERIFY(m_view->isFullScreen());
    QVERIFY(!m_main->isVisible());
    QVERIFY(bar->isHidden());
    QCOMPARE(bar->x(), 10);
    QCOMPARE(bar->width(), m_view->renderView()->width() - 20);
    const QSize screen = m_view->screen()->geometry().size();
    QTRY_COMPARE(m_view->size(), screen);
    QCOMPARE(m_view->renderView()->size(), screen);
    QCOMPARE(bar->geometry(), QRect(10, screen.height() - 83 - 15, screen.width() - 20, 83));
    QTRY_COMPARE(lastArea(), screen);
    bar->show(); // as a click on the picture would
    const QImage full = m_view->grab().toImage();
    QVERIFY(full.save(screenshotPath("videoview_fullscreen.png")));
    QVERIFY(pictureShown(full, m_view->rect()));
    bar->hide();

    bar->findChild<QPushButton *>("fullButton")->click();
    QVERIFY(!m_view->isFull);
    QVERIFY(!bar->isEmbedded());
    QVERIFY(!bar->findChild<QPushButton *>("fullButton")->isChecked());
    QCOMPARE(m_view->windowFlags(), saved);
    QVERIFY(!m_view->isWindow());
    QTRY_VERIFY(m_main->isVisible());
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->hostWidget(), m_main.get());
    QTRY_COMPARE(bar->width(), m_view->width());
    QCOMPARE(bar->y() + bar->height(), m_view->height());
    QCOMPARE(bar->x(), 0);
    QCOMPARE(bar->height(), 83);
    QCOMPARE(m_view->renderView()->height(), m_view->height() - 83);
    QTRY_COMPARE(lastArea(), m_view->size());
    m_main->resize(m_main->size() + QSize(40, 30));
    QTRY_COMPARE(lastArea(), m_view->size());
    const QImage normal = m_main->grab().toImage();
    QVERIFY(normal.save(screenshotPath("videoview_normal.png")));
    const QWidget *picture = m_view->renderView();
    QVERIFY(
        pictureShown(normal, QRect(picture->mapTo(m_main.get(), QPoint(0, 0)), picture->size())));
    QCOMPARE(normal.pixelColor(bar->mapTo(m_main.get(), QPoint(2, 2))), Palette::videoBackground());
}

void TestVideoView::playerTypeSwitchHidesZoomButtons_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("native window") << 1;
    QTest::newRow("OpenGL") << 0;
}

void TestVideoView::playerTypeSwitchHidesZoomButtons()
{
    QFETCH(int, type);
    if (type != 0)
        KELMORA_SKIP_NATIVE_WINDOW_UNDER_TSAN();
    m_view->playListWithPlayerType(type, group({m_clips[0]}));
    PlayerTool *bar = m_view->playerTool();
    QCOMPARE(bar->findChild<QPushButton *>("scaleBig")->isHidden(), type != 0);
    QCOMPARE(bar->findChild<QPushButton *>("scaleSmall")->isHidden(), type != 0);
    QCOMPARE(choiceNumber(AppManager::instance()->playerType()), type);
    QTRY_VERIFY_WITH_TIMEOUT(bar->isPlaying(), 20000);
    QCOMPARE(bar->player()->currentUrl(), m_clips[0]);
}

KELMORA_TEST_MAIN(QApplication, TestVideoView)
#include "tst_videoview.moc"
