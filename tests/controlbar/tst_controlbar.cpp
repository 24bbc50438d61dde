// The control bar and its popup panels on a real player: real libVLC playing
// small recordings made by ffmpeg, real still captures into a folder.
#include "app/AppManager.h"
#include "app/AwakeLock.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "controls/ChangeColorWidget.h"
#include "controls/Palette.h"
#include "controls/SpeedPlayWidget.h"
#include "controls/Video360ModelType.h"
#include "controls/VideoSlider.h"
#include "controls/VolumeWidget.h"
#include "edit/VideoEdit.h"
#include "library/DbModel.h"
#include "library/FFmpegThread.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "playback/PlayerTool.h"
#include "render/RenderView.h"
#include "telemetry/EventTimeline.h"
#include "tests/support/PathGuard.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

namespace {
const char *const ButtonNames[]
    = {"scaleSmall",      "scaleBig",       "imageButton", "cutButton",  "colorButton",
       "replayButton",    "previousButton", "playButton",  "nextButton", "volumeButton",
       "playSpeedButton", "fullButton",     "play360"};

QString makeClip(const QString &folder, const QString &name, double seconds)
{
    return makeTestClip(QDir(folder).filePath(name),
                        QString("testsrc2=s=320x180:r=25:d=%1").arg(seconds));
}

TelemetryEvent makeEvent(TelemetryEvent::Kind kind, int second, double peak)
{
    TelemetryEvent made;
    made.kind = kind;
    made.second = second;
    made.endSecond = second + 1;
    made.peak = peak;
    return made;
}

QStringList hudTexts(QWidget *host)
{
    QStringList texts;
    for (QWidget *hud : host->findChildren<QWidget *>("orbHudView"))
        for (QLabel *label : hud->findChildren<QLabel *>())
            texts << label->text();
    return texts;
}
} // namespace

class TestControlBar : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void timeLabelsDoNotWrapIntoHours_data();
    void timeLabelsDoNotWrapIntoHours();
    void formHasTheThirteenButtonsDisabled();
    void barFollowsThePlayerState();
    void screenStaysOnOnlyWhilePlaying();
    void nextAndPreviousNeedAPosition_data();
    void nextAndPreviousNeedAPosition();
    void endOfRecordingFollowsLoopMode_data();
    void endOfRecordingFollowsLoopMode();
    void zoomButtonsAskTheRenderView();
    void embeddedPopupsToggle();
    void separatePopupWindowsSitAboveTheBar();
    void speedChoiceSetsRateAndClosesLater();
    void speedPanelHighlightsOnlyKnownRates_data();
    void speedPanelHighlightsOnlyKnownRates();
    void volumePanelReportsZero();
    void panoramaChoiceIsSaved();
    void aPopupHiddenByTheCutDialogDoesNotEatAPress();
    void colourSlidersOpenAtSavedValues_data();
    void colourSlidersOpenAtSavedValues();
    void colourResetSavesNeutral();
    void stillCaptureWritesAPng();
    void captureFailureSaysWhy_data();
    void captureFailureSaysWhy();
    void captureWithoutSaveFolderOnlyPrompts_data();
    void captureWithoutSaveFolderOnlyPrompts();
    void cutOpensTheDialogOverThePausedRecording_data();
    void cutOpensTheDialogOverThePausedRecording();
    void deletingThePlayingGroupDisablesTheBar();
    void draggingAndMapSeeksReportTheSecond();
    void nativePlayerTypeOnlyPromptsForPanorama();
    void languageChangeRetranslatesTheBar();
    void eventJumpsLandBeforeTheEvent_data();
    void eventJumpsLandBeforeTheEvent();
    void eventMarksSitOnTheSliderWithTheirTips();
    void eventKeysSeekEveryChannel();
    void screenshots();

private:
    void startPlaying(const QString &path);
    QPushButton *button(const char *name) const { return m_bar->findChild<QPushButton *>(name); }
    QList<QWidget *> popups() const { return m_renderView->findChildren<QWidget *>("closeView"); }

    QTemporaryDir m_dir;
    QString m_clip;
    QString m_shortClip;
    std::unique_ptr<QWidget> m_area;
    RenderView *m_renderView = nullptr;
    PlayerTool *m_bar = nullptr;
    QList<DbModel *> m_models;
};

void TestControlBar::initTestCase()
{
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    m_clip = makeClip(m_dir.path(), "2023_0501_120000_F.mp4", 6.0);
    m_shortClip = makeClip(m_dir.path(), "2023 0501 'odd' 北京_F.mp4", 1.0);
    QVERIFY(!m_clip.isEmpty());
    QVERIFY(!m_shortClip.isEmpty());
}

void TestControlBar::init()
{
    m_area = std::make_unique<QWidget>();
    m_area->resize(1108, 683);
    m_renderView = new RenderView(m_area.get());
    m_renderView->setGeometry(0, 0, 1108, 600);
    m_bar = new PlayerTool(m_area.get());
    m_bar->setGeometry(0, 600, 1108, 83);
    m_bar->setRenderView(m_renderView);
    m_bar->setHostWidget(m_area.get());
    AppManager::instance()->setRenderView(m_renderView);
    AppManager::instance()->setPlayerTool(m_bar);
    AppManager::instance()->setMainWindow(m_area.get());
    m_area->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_area.get()));
}

void TestControlBar::cleanup()
{
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != m_area.get() && qobject_cast<QDialog *>(top))
            delete top;
    m_area.reset();
    AppManager::instance()->setRenderView(nullptr);
    AppManager::instance()->setPlayerTool(nullptr);
    AppManager::instance()->setMainWindow(nullptr);
    qDeleteAll(m_models);
    m_models.clear();
    settingsValue(SettingsKeys::SaveFilePath, QString(), true);
}

void TestControlBar::startPlaying(const QString &path)
{
    auto *model = new DbModel;
    model->path = path;
    model->fileName = QFileInfo(path).fileName();
    m_models << model;
    QSignalSpy record(m_bar, &PlayerTool::starPlayNotification);
    m_bar->setGroupList({model});
    m_bar->player()->closeAll();
    m_renderView->initViews({model}, m_bar, {}, {}, {});
    m_bar->player()->playFiles({model}, m_renderView->channelOutputs());
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->isPlaying(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!record.isEmpty(), 20000);
}

void TestControlBar::timeLabelsDoNotWrapIntoHours_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << qint64(0) << "00:00";
    QTest::newRow("one minute and a bit") << qint64(61500) << "01:01";
    QTest::newRow("just short of an hour") << qint64(3599999) << "59:59";
    QTest::newRow("one hour") << qint64(3600000) << "60:00";
    QTest::newRow("two hours") << qint64(7205000) << "120:05";
}

void TestControlBar::timeLabelsDoNotWrapIntoHours()
{
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    m_bar->durationChanged(7300000);
    m_bar->updateDurationInfo(ms);
    QCOMPARE(m_bar->findChild<QLabel *>("starLabel")->text(), text);
}

void TestControlBar::formHasTheThirteenButtonsDisabled()
{
    const auto row = m_bar->findChild<QWidget *>("widget")->findChildren<QPushButton *>();
    QCOMPARE(row.size(), 13);
    for (const char *name : ButtonNames) {
        QPushButton *b = button(name);
        QVERIFY2(b, name);
        QVERIFY2(!b->isEnabled(), name);
        QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        QVERIFY(!b->toolTip().isEmpty());
        const bool checkable = QByteArray(name) == "replayButton"
            || QByteArray(name) == "playButton" || QByteArray(name) == "fullButton";
        QCOMPARE(b->isCheckable(), checkable);
        QCOMPARE(b->iconSize(), QByteArray(name) == "play360" ? QSize(25, 25) : QSize(35, 35));
    }
    QCOMPARE(button("playSpeedButton")->toolTip(),
             PlayerTool::tr("<html><head/><body><p><span style=\" "
                            "color:#ffffff;\">播放速度</span></p></body></html>"));
    QVERIFY(!m_bar->findChild<VideoSlider *>("slider")->isEnabled());
    // 732 - 13 * 55 - 15 = 2: the row's margins become 1.
    auto *row2 = qobject_cast<QHBoxLayout *>(m_bar->findChild<QWidget *>("widget")->layout());
    QCOMPARE(row2->contentsMargins().left(), 1);
    QCOMPARE(row2->spacing(), 15);
}

void TestControlBar::barFollowsThePlayerState()
{
    startPlaying(m_clip);
    for (const char *name : ButtonNames)
        QCOMPARE(button(name)->isEnabled(), QByteArray(name) != "play360"); // flat recording
    QVERIFY(button("playButton")->isChecked());
    QVERIFY(m_bar->findChild<VideoSlider *>("slider")->isEnabled());

    QSignalSpy states(m_bar->player(), &OrbPlayer::playbackStateChange);
    button("playButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->player()->state() == Paused, 10000);
    QVERIFY(!button("playButton")->isChecked());
    QVERIFY(!m_bar->isPlaying());
    m_bar->togglePlayPause();
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->isPlaying(), 10000);
    QVERIFY(button("playButton")->isChecked());

    m_bar->playbackStateChange(Stopped);
    QCOMPARE(m_bar->findChild<VideoSlider *>("slider")->value(), 0);
    QCOMPARE(m_bar->findChild<QLabel *>("starLabel")->text(), QString("00:00"));
    QVERIFY(!button("playButton")->isChecked());

    // An error stops every channel and disables the controls.
    m_bar->playbackStateChange(Error);
    QVERIFY(!m_bar->player()->masterChannel() || m_bar->player()->state() != Playing);
    for (const char *name : ButtonNames)
        QVERIFY2(!button(name)->isEnabled(), name);
    QVERIFY(!m_bar->findChild<VideoSlider *>("slider")->isEnabled());
}

void TestControlBar::screenStaysOnOnlyWhilePlaying()
{
    QVERIFY(!m_bar->awakeLock()->isHeld());
    startPlaying(m_clip);
    QVERIFY(m_bar->awakeLock()->isHeld());
    m_bar->pause();
    QTRY_VERIFY(!m_bar->awakeLock()->isHeld());
    button("playButton")->click();
    QTRY_VERIFY(m_bar->awakeLock()->isHeld());
    m_bar->player()->closeAll();
    QTRY_VERIFY(!m_bar->awakeLock()->isHeld());
}

void TestControlBar::nextAndPreviousNeedAPosition_data()
{
    QTest::addColumn<qint64>("position");
    QTest::addColumn<int>("emitted");
    QTest::newRow("at the start") << qint64(0) << 0;
    QTest::newRow("one millisecond in") << qint64(1) << 1;
    QTest::newRow("two seconds in") << qint64(2000) << 1;
}

void TestControlBar::nextAndPreviousNeedAPosition()
{
    QFETCH(qint64, position);
    QFETCH(int, emitted);
    startPlaying(m_clip);
    m_bar->pause();
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->player()->state() == Paused, 10000);
    m_bar->durationChanged(6000);
    m_bar->positionChanged(position);
    QSignalSpy next(m_bar, &PlayerTool::nextButton);
    QSignalSpy previous(m_bar, &PlayerTool::previousButton);
    button("nextButton")->click();
    button("previousButton")->click();
    QCOMPARE(next.size(), emitted);
    QCOMPARE(previous.size(), emitted);
    if (emitted) {
        QCOMPARE(next.at(0).at(0).toString(), m_clip);
        QCOMPARE(next.at(0).at(1).toBool(), false);
        QCOMPARE(previous.at(0).at(0).toString(), m_clip);
    }
}

void TestControlBar::endOfRecordingFollowsLoopMode_data()
{
    QTest::addColumn<bool>("loop");
    QTest::newRow("loop one recording") << true;
    QTest::newRow("continue the list") << false;
}

void TestControlBar::endOfRecordingFollowsLoopMode()
{
    QFETCH(bool, loop);
    startPlaying(m_shortClip);
    if (loop)
        button("replayButton")->click();
    QCOMPARE(button("replayButton")->isChecked(), loop);
    // Until the user chooses, the tip names the button; once looping it says so.
    const QString untouched = PlayerTool::tr("<html><head/><body><p><span style=\" "
                                             "color:#ffffff;\">循环播放</span></p></body></html>");
    QCOMPARE(button("replayButton")->toolTip(), loop ? PlayerTool::tr("one_play") : untouched);
    QSignalSpy same(m_bar, &PlayerTool::sameButton);
    QSignalSpy next(m_bar, &PlayerTool::nextButton);
    QTRY_VERIFY_WITH_TIMEOUT(same.size() + next.size() > 0, 20000);
    if (loop) {
        QCOMPARE(same.size(), 1);
        QCOMPARE(same.at(0).at(0).toString(), m_shortClip);
        QVERIFY(next.isEmpty());
    } else {
        QCOMPARE(next.size(), 1);
        QCOMPARE(next.at(0).at(0).toString(), m_shortClip);
        QCOMPARE(next.at(0).at(1).toBool(), true);
        QVERIFY(same.isEmpty());
    }
}

void TestControlBar::zoomButtonsAskTheRenderView()
{
    startPlaying(m_clip);
    QSignalSpy scale(m_bar, &PlayerTool::scaleChange);
    button("scaleBig")->click();
    button("scaleSmall")->click();
    QCOMPARE(scale.size(), 2);
    QCOMPARE(scale.at(0).at(0).toBool(), true);
    QCOMPARE(scale.at(1).at(0).toBool(), false);
    m_bar->setZoomButtonsHidden(true);
    QVERIFY(button("scaleBig")->isHidden());
    QVERIFY(button("scaleSmall")->isHidden());
}

void TestControlBar::embeddedPopupsToggle()
{
    startPlaying(m_clip);
    m_bar->setEmbedded(true);
    QSignalSpy hud(m_bar, &PlayerTool::hideShowHud);

    button("volumeButton")->click();
    QCOMPARE(popups().size(), 1);
    QVERIFY(popups().first()->findChild<VolumeWidget *>());
    QCOMPARE(hud.size(), 1);

    // Another popup button only closes the open panel.
    button("playSpeedButton")->click();
    QTRY_COMPARE(popups().size(), 0);
    QVERIFY(!m_bar->hasEmbeddedPopup());
    QCOMPARE(hud.size(), 1);

    button("playSpeedButton")->click();
    QCOMPARE(popups().size(), 1);
    QWidget *speed = popups().first();
    QVERIFY(speed->findChild<SpeedPlayWidget *>());
    QCOMPARE(speed->size(), QSize(90, 260));
    // Above the bar, 20 px clear of it.
    QCOMPARE(speed->y(), m_renderView->height() - m_bar->height() - 260 - 20);

    // A plain button closes the popup and does its own work.
    QSignalSpy scale(m_bar, &PlayerTool::scaleChange);
    button("scaleBig")->click();
    QTRY_COMPARE(popups().size(), 0);
    QCOMPARE(scale.size(), 1);

    button("colorButton")->click();
    QCOMPARE(popups().size(), 1);
    QVERIFY(popups().first()->findChild<ChangeColorWidget *>("colorHUD"));
    m_renderView->closePopupViews();
    QTRY_COMPARE(popups().size(), 0);
    QVERIFY(!m_bar->hasEmbeddedPopup());
}

void TestControlBar::separatePopupWindowsSitAboveTheBar()
{
    startPlaying(m_clip);
    button("playSpeedButton")->click();
    QDialog *dialog = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == "speedHUD" && top->isVisible())
            dialog = qobject_cast<QDialog *>(top);
    QVERIFY(dialog);
    QCOMPARE(int(dialog->windowFlags() & 0x7fffffff) & 0x40040809, 0x40040809);
    QCOMPARE(dialog->size(), QSize(90, 260));
    // On the screen: its bottom edge on the bar's top edge, centred on the
    // button's right edge as the popups of the bar are.
    QPushButton *speed = button("playSpeedButton");
    QCOMPARE(dialog->geometry().bottom() + 1, m_bar->mapToGlobal(QPoint(0, 0)).y());
    QCOMPARE(dialog->geometry().center().x() + 1,
             speed->mapToGlobal(QPoint(speed->width(), 0)).x());
    QVERIFY(dialog->findChild<SpeedPlayWidget *>());
    QVERIFY(popups().isEmpty());
    QPointer<QDialog> guard(dialog);
    dialog->close();
    QTRY_VERIFY(guard.isNull()); // finished deletes it
}

void TestControlBar::speedChoiceSetsRateAndClosesLater()
{
    startPlaying(m_clip);
    m_bar->setEmbedded(true);
    button("playSpeedButton")->click();
    QPointer<QWidget> container = popups().value(0);
    QVERIFY(container);
    auto *panel = container->findChild<SpeedPlayWidget *>();
    QSignalSpy chosen(panel, &SpeedPlayWidget::speedPlayChangedNotification);
    QSignalSpy speed(m_bar, &PlayerTool::setSpeedPlay);
    panel->findChild<QPushButton *>("speed2")->click();
    QCOMPARE(chosen.size(), 1);
    QCOMPARE(chosen.at(0).at(0).toDouble(), 2.0);
    QCOMPARE(speed.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_bar->player()->masterChannel()->rate(), 2.0, 5000);
    QVERIFY(panel->findChild<QPushButton *>("speed2")->styleSheet().contains("selectItem.jpg"));
    QVERIFY(!panel->findChild<QPushButton *>("speed3")->styleSheet().contains("selectItem.jpg"));
    // A second choice within the 2 s restarts the delay.
    QTest::qWait(1500);
    panel->findChild<QPushButton *>("speed4")->click();
    QTest::qWait(1000);
    QVERIFY(container && container->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!container || !container->isVisible(), 3000);
}

void TestControlBar::speedPanelHighlightsOnlyKnownRates_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("selected");
    QTest::newRow("4") << 4.0 << "speed1";
    QTest::newRow("1") << 1.0 << "speed3";
    QTest::newRow("0.25") << 0.25 << "speed5";
    QTest::newRow("1.5") << 1.5 << "";
}

void TestControlBar::speedPanelHighlightsOnlyKnownRates()
{
    QFETCH(double, rate);
    QFETCH(QString, selected);
    SpeedPlayWidget panel(rate);
    for (QPushButton *b : panel.findChildren<QPushButton *>())
        QCOMPARE(b->styleSheet().contains("selectItem.jpg"), b->objectName() == selected);
}

void TestControlBar::volumePanelReportsZero()
{
    QDialog dialog;
    auto *panel = new VolumeWidget(0.7, &dialog);
    auto *slider = panel->findChild<QSlider *>("verticalSlider");
    QCOMPARE(slider->value(), 70);
    QSignalSpy volume(panel, &VolumeWidget::valuePlayChangedNotification);
    dialog.show();
    slider->setValue(0);
    QCOMPARE(volume.size(), 1);
    QCOMPARE(volume.at(0).at(0).toDouble(), 0.0);
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 4000);
}

void TestControlBar::panoramaChoiceIsSaved()
{
    Video360ModelType panel(3);
    QVERIFY(panel.findChild<QPushButton *>("speed4")->isChecked());
    QCOMPARE(panel.findChild<QPushButton *>("speed4")->iconSize(), QSize(80, 40));
    QSignalSpy chosen(&panel, &Video360ModelType::Video360ModelTypeChangedNotification);
    panel.findChild<QPushButton *>("speed5")->click();
    QCOMPARE(chosen.at(0).at(0).toDouble(), 4.0);
    QVERIFY(!panel.findChild<QPushButton *>("speed4")->isChecked());
    QCOMPARE(panel.findChild<QPushButton *>("speed4")->iconSize(), QSize(70, 31));

    startPlaying(m_clip);
    m_bar->setPanoramaButtonEnabled(true);
    m_bar->setEmbedded(true);
    QSignalSpy mode(m_bar, &PlayerTool::set3DPlayType);
    button("play360")->click();
    auto *chooser = popups().value(0)->findChild<Video360ModelType *>();
    QVERIFY(chooser);
    chooser->findChild<QPushButton *>("speed2")->click();
    QCOMPARE(mode.size(), 1);
    QCOMPARE(mode.at(0).at(0).toDouble(), 1.0);
    QCOMPARE(choiceNumber(AppManager::instance()->panoramaModelType()), 1);

    // The bar's button shows the chosen mode's picture.
    const struct
    {
        const char *choice;
        const char *icon;
        QSize size;
    } icons[] = {{"speed1", "model02.png", {25, 25}},
                 {"speed2", "model12.png", {25, 25}},
                 {"speed3", "model22.png", {25, 25}},
                 {"speed4", "model32.png", {25, 25}},
                 {"speed5", "model42.png", {40, 30}}};
    for (const auto &row : icons) {
        if (popups().isEmpty())
            button("play360")->click();
        popups()
            .value(0)
            ->findChild<Video360ModelType *>()
            ->findChild<QPushButton *>(row.choice)
            ->click();
        QPushButton *play360 = button("play360");
        QCOMPARE(play360->iconSize(), row.size);
        const QImage shown = play360->icon().pixmap(row.size).toImage();
        const QImage wanted
            = QIcon(QStringLiteral(":/Resources/PlayTool/") + row.icon).pixmap(row.size).toImage();
        QVERIFY2(!wanted.isNull() && shown == wanted, row.choice);
    }
}

void TestControlBar::aPopupHiddenByTheCutDialogDoesNotEatAPress()
{
    QTemporaryDir saveDir;
    settingsValue(SettingsKeys::SaveFilePath, saveDir.path(), true);
    startPlaying(m_clip);
    m_bar->setEmbedded(true);
    button("cutButton")->click();
    QTRY_VERIFY(!popups().isEmpty());
    // In full screen the cut dialog hides its own container while it cuts.
    QPointer<QWidget> cutContainer = popups().value(0);
    cutContainer->hide();
    button("playSpeedButton")->click();
    QTRY_VERIFY(cutContainer.isNull());
    const QList<QWidget *> open = popups();
    QCOMPARE(open.size(), 1);
    QVERIFY(open.first()->isVisible());
    QVERIFY(open.first()->findChild<SpeedPlayWidget *>());
}

void TestControlBar::colourSlidersOpenAtSavedValues_data()
{
    QTest::addColumn<QVariant>("saved");
    QTest::addColumn<int>("slider");
    // Never saved is neutral for the picture, so the slider shows 1.0.
    QTest::newRow("never saved") << QVariant() << 100;
    QTest::newRow("half") << QVariant(0.5) << 50;
    QTest::newRow("double") << QVariant(2.0) << 200;
}

void TestControlBar::colourSlidersOpenAtSavedValues()
{
    QFETCH(QVariant, saved);
    QFETCH(int, slider);
    QSettings().remove(SettingsKeys::VideoColor2);
    if (saved.isValid())
        AppManager::instance()->setVideoColorValue(2, saved.toFloat());
    ChangeColorWidget panel;
    QCOMPARE(panel.findChild<QSlider *>("horizontalSlider2")->value(), slider);
    QCOMPARE(panel.findChild<QSlider *>("horizontalSlider2")->maximum(), 200);
    QCOMPARE(panel.findChild<QSlider *>("horizontalSlider3")->maximum(), 300);
}

void TestControlBar::colourResetSavesNeutral()
{
    AppManager::instance()->setVideoColorValue(1, 0.3f);
    auto *panel = new ChangeColorWidget;
    QSignalSpy colour(AppManager::instance(), &AppManager::changePlayerColor);
    QPointer<ChangeColorWidget> guard(panel);
    panel->findChild<QPushButton *>("pushButton")->click();
    for (int n = 1; n <= 3; ++n) {
        QCOMPARE(panel->findChild<QSlider *>(QString("horizontalSlider%1").arg(n))->value(), 100);
        QCOMPARE(AppManager::instance()->videoColorValue(n), 1.0f);
    }
    QCOMPARE(colour.size(), 3);
    // Dragging drives the colour live.
    auto *slider = panel->findChild<QSlider *>("horizontalSlider1");
    emit slider->sliderMoved(40);
    QCOMPARE(AppManager::instance()->videoColorValue(1), 0.4f);
    QSignalSpy closed(panel, &ChangeColorWidget::hudClosed);
    panel->show();
    panel->close();
    QCOMPARE(closed.size(), 1);
    QTRY_VERIFY(guard.isNull());
}

void TestControlBar::stillCaptureWritesAPng()
{
    QTemporaryDir saveDir(QDir::tempPath() + "/still 'folder' 北京-XXXXXX");
    settingsValue(SettingsKeys::SaveFilePath, saveDir.path(), true);
    startPlaying(m_clip);
    m_bar->positionChanged(1500);
    button("imageButton")->click();
    QVERIFY(!button("imageButton")->isEnabled());
    QVERIFY(m_area->testAttribute(Qt::WA_TransparentForMouseEvents));
    QTRY_VERIFY_WITH_TIMEOUT(button("imageButton")->isEnabled(), 60000);
    const QStringList pngs = QDir(saveDir.path()).entryList({"*.png"}, QDir::Files);
    QCOMPARE(pngs.size(), 1);
    QVERIFY(QFileInfo(saveDir.path() + "/" + pngs.first()).size() > 0);
    QVERIFY(hudTexts(m_renderView).contains(PlayerTool::tr("cutimage_Success")));
    // The prompt holds the mouse while shown; then the bar's window takes it again.
    QTRY_VERIFY_WITH_TIMEOUT(!m_area->testAttribute(Qt::WA_TransparentForMouseEvents), 6000);
}

void TestControlBar::captureFailureSaysWhy_data()
{
    QTest::addColumn<bool>("ffmpegOnPath");
    QTest::newRow("unreadable source") << true;
    QTest::newRow("no ffmpeg on the PATH") << false;
}

void TestControlBar::captureFailureSaysWhy()
{
    QFETCH(bool, ffmpegOnPath);
    QTemporaryDir saveDir;
    settingsValue(SettingsKeys::SaveFilePath, saveDir.path(), true);
    startPlaying(m_clip);
    // The recording vanished or was truncated to garbage after it started.
    const QString garbage = m_dir.filePath("truncated \"quoted\".mp4");
    QFile file(garbage);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, '\x5a'));
    file.close();
    VideoMessage record;
    record.path = garbage;
    m_bar->metaDataChanged(&record);
    QTemporaryDir noPrograms;
    PathGuard path(ffmpegOnPath ? qgetenv("PATH") : QFile::encodeName(noPrograms.path()));
    button("imageButton")->click();
    QTRY_VERIFY_WITH_TIMEOUT(button("imageButton")->isEnabled(), 60000);
    QVERIFY(QDir(saveDir.path()).entryList({"*.png"}, QDir::Files).isEmpty());
    // Only ffmpeg that never started is named; any other failure keeps the plain prompt.
    const QStringList shown = hudTexts(m_renderView);
    QCOMPARE(shown.contains(PlayerTool::tr("cutimage_fail")), ffmpegOnPath);
    QCOMPARE(shown.contains(FFmpegThread::tr("ffmpeg_not_found")), !ffmpegOnPath);
    m_bar->metaDataChanged(nullptr); // the record dies with this test
}

void TestControlBar::captureWithoutSaveFolderOnlyPrompts_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("never set") << QString();
    QTest::newRow("folder gone") << QDir::tempPath() + "/kelmora-no-such-folder/x";
}

void TestControlBar::captureWithoutSaveFolderOnlyPrompts()
{
    QFETCH(QString, folder);
    settingsValue(SettingsKeys::SaveFilePath, folder, true);
    startPlaying(m_clip);
    button("imageButton")->click();
    QVERIFY(button("imageButton")->isEnabled()); // no capture started
    QVERIFY(hudTexts(m_renderView).contains(PlayerTool::tr("saveFilePath_noSet")));
    QVERIFY(m_bar->isPlaying());
}

void TestControlBar::cutOpensTheDialogOverThePausedRecording_data()
{
    QTest::addColumn<bool>("embedded");
    QTest::addColumn<bool>("withFolder");
    QTest::newRow("full screen") << true << true;
    QTest::newRow("window") << false << true;
    QTest::newRow("no save folder") << false << false;
}

void TestControlBar::cutOpensTheDialogOverThePausedRecording()
{
    QFETCH(bool, embedded);
    QFETCH(bool, withFolder);
    QTemporaryDir saveDir;
    settingsValue(SettingsKeys::SaveFilePath, withFolder ? saveDir.path() : QString(), true);
    startPlaying(m_clip);
    m_bar->setEmbedded(embedded);
    button("cutButton")->click();
    VideoEdit *edit = nullptr;
    if (embedded) {
        QCOMPARE(popups().size(), 1);
        QCOMPARE(popups().first()->size(), QSize(595, 372));
        edit = popups().first()->findChild<VideoEdit *>();
    } else {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (auto *dialog = qobject_cast<QDialog *>(top);
                dialog && dialog->isVisible() && !edit) {
                QVERIFY(dialog->isModal());
                edit = dialog->findChild<VideoEdit *>();
            }
    }
    QCOMPARE(edit != nullptr, withFolder);
    if (!withFolder) {
        QVERIFY(hudTexts(m_renderView).contains(PlayerTool::tr("saveFilePath_noSet")));
        QVERIFY(m_bar->isPlaying());
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->player()->state() == Paused, 10000);
}

// The map follows the slider while it is dragged, and the player follows a
// click on the map's route.
void TestControlBar::draggingAndMapSeeksReportTheSecond()
{
    startPlaying(m_clip); // 6 s
    auto *slider = m_bar->findChild<VideoSlider *>("slider");
    QTRY_VERIFY(slider->maximum() > 5000);
    QSignalSpy seconds(m_bar, &PlayerTool::currentPlayTime);
    const int y = slider->height() / 2;
    const auto xOf
        = [slider](int ms) { return int(qint64(ms) * slider->width() / slider->maximum()); };
    QTest::mousePress(slider, Qt::LeftButton, Qt::NoModifier, QPoint(xOf(1500), y));
    // QTest's move carries no held button; a drag needs one.
    QMouseEvent drag(QEvent::MouseMove, QPointF(xOf(4500), y), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(slider, &drag);
    QTRY_VERIFY(!seconds.isEmpty() && seconds.last().first().toInt() == 4);
    QTest::mouseRelease(slider, Qt::LeftButton, Qt::NoModifier, QPoint(xOf(4500), y));

    // Playing goes on reporting its own seconds meanwhile.
    seconds.clear();
    for (int outside : {-1, 6, 100})
        m_bar->seekToSecond(outside);
    for (const QList<QVariant> &reported : qAsConst(seconds))
        QVERIFY(reported.first().toInt() >= 0 && reported.first().toInt() < 6);
    seconds.clear();
    m_bar->seekToSecond(2);
    QVERIFY(!seconds.isEmpty());
    QCOMPARE(seconds.first().first().toInt(), 2);
    QCOMPARE(slider->value(), 2000);
    // Playback goes on from there.
    QTRY_VERIFY_WITH_TIMEOUT(slider->value() > 2200 && slider->value() < 4500, 5000);
}

void TestControlBar::deletingThePlayingGroupDisablesTheBar()
{
    startPlaying(m_clip);
    QWidget cover;
    DbModel other;
    other.path = m_shortClip;
    m_bar->handleRecordsDeleted(true, false, &other, &cover);
    QVERIFY(button("playButton")->isEnabled()); // another recording: nothing changes
    QVERIFY(m_bar->player()->masterChannel());

    DbModel same;
    same.path = m_clip;
    QSignalSpy record(m_bar, &PlayerTool::starPlayNotification);
    m_bar->handleRecordsDeleted(true, false, &same, &cover);
    QVERIFY(!m_bar->player()->masterChannel());
    QVERIFY(!button("playButton")->isEnabled());
    QVERIFY(cover.isVisible() || !cover.isHidden());
    QVERIFY(record.isEmpty()); // the deleted recording is not announced again
}

void TestControlBar::nativePlayerTypeOnlyPromptsForPanorama()
{
    AppManager::instance()->switchPlayerType(PlayerType::NativeWindow);
    PlayerTool bar(m_area.get());
    bar.setRenderView(m_renderView);
    AppManager::instance()->switchPlayerType(PlayerType::OpenGL);
    QVERIFY(bar.findChild<QPushButton *>("scaleBig")->isHidden());
    QVERIFY(bar.findChild<QPushButton *>("scaleSmall")->isHidden());
    AppManager::instance()->switchPlayerType(PlayerType::NativeWindow);
    bar.setPanoramaButtonEnabled(true);
    QSignalSpy hud(&bar, &PlayerTool::hideShowHud);
    bar.findChild<QPushButton *>("play360")->click();
    AppManager::instance()->switchPlayerType(PlayerType::OpenGL);
    QVERIFY(hudTexts(m_renderView).contains(PlayerTool::tr("userTapToolButtonChangeModel")));
    QVERIFY(popups().isEmpty());
    QVERIFY(hud.isEmpty());
}

void TestControlBar::languageChangeRetranslatesTheBar()
{
    const char *source
        = "<html><head/><body><p><span style=\" color:#ffffff;\">缩小</span></p></body></html>";
    QStringList seen;
    for (int language : {1, 2, 1}) {
        AppManager::instance()->setLanguage(language);
        const QString expected = QCoreApplication::translate("PlayerTool", source);
        QTRY_COMPARE(button("scaleSmall")->toolTip(), expected); // LanguageChange is posted
        QCOMPARE(button("replayButton")->toolTip(),
                 QCoreApplication::translate("PlayerTool",
                                             "<html><head/><body><p><span style=\" "
                                             "color:#ffffff;\">循环播放</span></p></body></html>"));
        seen << expected;
    }
    QVERIFY(seen[0] != seen[1]); // two catalogues that differ, so the check means something
}

void TestControlBar::eventJumpsLandBeforeTheEvent_data()
{
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("expected");
    // Events begin at 1, 10 and 30: jumps land at 0 (not -1), 8 and 28.
    QTest::newRow("next from the start skips the clamped one") << 0 << true << 8;
    QTest::newRow("next from just before a landing") << 7 << true << 8;
    QTest::newRow("next from a landing goes on") << 8 << true << 28;
    QTest::newRow("no next after the last") << 28 << true << -1;
    QTest::newRow("back from a landing goes to the one before") << 8 << false << 0;
    QTest::newRow("back inside an event replays it") << 12 << false << 8;
    QTest::newRow("back from after the last") << 50 << false << 28;
    QTest::newRow("no back before the first has begun") << 1 << false << -1;
}

void TestControlBar::eventJumpsLandBeforeTheEvent()
{
    QFETCH(int, current);
    QFETCH(bool, forward);
    QFETCH(int, expected);
    const QVector<TelemetryEvent> events = {makeEvent(TelemetryEvent::Kind::Braking, 1, 0.5),
                                            makeEvent(TelemetryEvent::Kind::Turn, 10, 0.6),
                                            makeEvent(TelemetryEvent::Kind::Impact, 30, 2.0)};
    QCOMPARE(EventTimeline::jumpSecond(events, current, forward), expected);
    QCOMPARE(EventTimeline::jumpSecond({}, current, forward), -1);
}

void TestControlBar::eventMarksSitOnTheSliderWithTheirTips()
{
    AppManager::instance()->setLanguage(2); // English tips, whatever ran before
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    startPlaying(m_clip); // 6 s
    m_bar->pause();
    auto *slider = m_bar->findChild<VideoSlider *>("slider");
    QTRY_VERIFY(slider->maximum() > 5000);
    QSignalSpy found(m_bar, &PlayerTool::eventsFound);
    m_bar->showEvents({makeEvent(TelemetryEvent::Kind::Braking, 1, 0.524),
                       makeEvent(TelemetryEvent::Kind::Speeding, 4, 60)});
    QCOMPARE(found.size(), 1);
    QCOMPARE(slider->marks().size(), 2);
    const QImage shot = slider->grab().toImage();
    const struct
    {
        int index;
        int milliseconds;
        int kind;
        QString tip;
    } expected[] = {{0, 1000, 0, "Braking at 0:01, peak 0.52 g"},
                    {1, 4000, 4, "Speeding at 0:04, peak 111 km/h"}};
    for (const auto &mark : expected) {
        const int x = mark.milliseconds * qint64(slider->width()) / slider->maximum();
        QVERIFY(qAbs(slider->markX(mark.index) - x) <= 1);
        // A press there seeks to the mark's own second.
        QCOMPARE(
            VideoSlider::valueAt(slider->markX(mark.index), slider->width(), 0, slider->maximum())
                / 1000,
            mark.milliseconds / 1000);
        QCOMPARE(shot.pixelColor(slider->markX(mark.index), slider->height() / 2 - 3),
                 Palette::eventMark(mark.kind));
        QCOMPARE(slider->marks().at(mark.index).toolTip, mark.tip);
        const QPoint at(slider->markX(mark.index) + 2, slider->height() / 2);
        QHelpEvent help(QEvent::ToolTip, at, slider->mapToGlobal(at));
        QCoreApplication::sendEvent(slider, &help);
        QTRY_COMPARE(QToolTip::text(), mark.tip);
    }
    QCOMPARE(slider->markAt(slider->width() / 2), -1);

    // The speed unit changes the speeding tip; a record without events clears them.
    AppManager::instance()->setSpeedUnitType(SpeedUnit::MilesPerHour);
    QCOMPARE(slider->marks().at(1).toolTip, QString("Speeding at 0:04, peak 69 mph"));
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    // A changed limit finds the playing record's events again, whatever the
    // hand-made ones were.
    const int announced = found.size();
    AppManager::instance()->setEventLimit(Settings::impactLimitG(), 1.75);
    QCOMPARE(found.size(), announced + 1);
    QCOMPARE(m_bar->events().size(), EventTimeline::detect(*m_bar->currentRecord()).size());
    QCOMPARE(slider->marks().size(), m_bar->events().size());
    AppManager::instance()->setEventLimit(Settings::impactLimitG(), 1.5);
    // A new group starts without the last one's marks.
    m_bar->showEvents({makeEvent(TelemetryEvent::Kind::Turn, 2, 0.5)});
    m_bar->resetProgress();
    QVERIFY(slider->marks().isEmpty());
    QVERIFY(found.last().first().value<QVector<TelemetryEvent>>().isEmpty());
}

void TestControlBar::eventKeysSeekEveryChannel()
{
    startPlaying(m_clip); // 6 s
    m_bar->pause();
    auto *slider = m_bar->findChild<VideoSlider *>("slider");
    QTRY_VERIFY(slider->maximum() > 5000);
    m_bar->showEvents({makeEvent(TelemetryEvent::Kind::Impact, 1, 1.8),
                       makeEvent(TelemetryEvent::Kind::Turn, 4, 0.5)});
    m_bar->seekToSecond(0);
    QSignalSpy seconds(m_bar, &PlayerTool::currentPlayTime);
    m_bar->seekToNextEvent();
    QCOMPARE(seconds.size(), 1);
    QCOMPARE(seconds.last().first().toInt(), 2);
    QCOMPARE(slider->value(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(m_bar->player()->currentUrl() == m_clip, 5000);
    // Back goes to the impact, two seconds before it clamped to the start.
    m_bar->seekToPreviousEvent();
    QCOMPARE(seconds.last().first().toInt(), 0);
    QCOMPARE(slider->value(), 0);
    // Nothing before the first: no seek at all.
    seconds.clear();
    m_bar->seekToPreviousEvent();
    QVERIFY(seconds.isEmpty());
}

void TestControlBar::screenshots()
{
    // Pictures for a person to look at, in the build folder; each must show
    // something, not an empty grab.
    const QString dir = QCoreApplication::applicationDirPath() + "/screenshots";
    QVERIFY(QDir().mkpath(dir));
    const auto save = [&dir](QWidget &widget, const char *name) {
        const QImage shot = widget.grab().toImage();
        QSet<QRgb> colours;
        for (int y = 0; y < shot.height(); y += 4)
            for (int x = 0; x < shot.width(); x += 4)
                colours << shot.pixel(x, y);
        QVERIFY2(colours.size() > 2, name);
        QVERIFY(shot.save(dir + "/controlbar_" + name + ".png"));
    };
    startPlaying(m_clip);
    m_bar->pause();
    save(*m_bar, "bar");
    SpeedPlayWidget speed(2);
    speed.resize(90, 260);
    save(speed, "speed");
    VolumeWidget volume(0.6);
    volume.resize(70, 260);
    save(volume, "volume");
    ChangeColorWidget colour;
    colour.setWindowFlags(Qt::Widget);
    save(colour, "colour");
    Video360ModelType chooser(3);
    chooser.resize(90, 260);
    save(chooser, "panorama");
    m_bar->setEmbedded(true);
    button("playSpeedButton")->click();
    QTest::qWait(300);
    save(*m_area, "embedded_speed");
}

KELMORA_TEST_MAIN(QApplication, TestControlBar)
#include "tst_controlbar.moc"
