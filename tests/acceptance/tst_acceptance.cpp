// The whole player walked the way a user walks it, with real parts only:
// recordings added through Qt's own file dialog, a three-channel group
// played on libVLC and OpenGL, telemetry followed on the dial, the chart and
// the map page, the control bar's tools, a cut and a still written by ffmpeg,
// the settings dialog, and a restart over the same app-data folder.
// The steps run in order and share one window; screenshots go to the build tree.
#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/KelmoraWidget.h"
#include "app/LogToFile.h"
#include "app/MainComposition.h"
#include "app/SettingsKeys.h"
#include "edit/RightView.h"
#include "edit/VideoEdit.h"
#include "library/CmdModel.h"
#include "library/CustomListItem.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "playback/PlayObjectState.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "render/RenderView.h"
#include "render/VideoRender.h"
#include "telemetry/DisplayMessageView.h"
#include "telemetry/GsensorView.h"
#include "telemetry/MapShow.h"
#include "telemetry/SpeedDial.h"
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/PageScript.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>

namespace {

// Follows every import progress bar that shows: its range and highest value.
struct ProgressWatch : QObject
{
    int maximum = 0;
    int seen = 0;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *bar = qobject_cast<QProgressBar *>(watched);
        if (bar && event->type() == QEvent::Show && bar->objectName() == "progressBar") {
            maximum = qMax(maximum, bar->maximum());
            connect(bar, &QProgressBar::valueChanged, this,
                    [this](int value) { seen = qMax(seen, value); });
        }
        return false;
    }
};

// Two moments, three channels each; 26 characters, the channels of one
// moment differ in one character, the moments in three.
const QStringList kMomentOne
    = {"2023_0501_120000_001_F.mp4", "2023_0501_120000_001_R.mp4", "2023_0501_120000_001_I.mp4"};
const QStringList kMomentTwo
    = {"2023_0501_121500_002_F.mp4", "2023_0501_121500_002_R.mp4", "2023_0501_121500_002_I.mp4"};
constexpr int kSeconds = 8;

// A steady drive in Shenzhen, one valid fix a second.
QVector<FixtureSample> cityDrive()
{
    QVector<FixtureSample> samples;
    for (int i = 0; i < kSeconds; ++i) {
        FixtureSample s;
        s.second = i;
        s.latNmea = 2232.1234 + 0.01 * i;
        s.lonNmea = 11404.5678 + 0.012 * i;
        s.speedKnots = 20 + 3 * i;
        s.heading = 45;
        s.acc[0] = 100 * i - 300;
        s.acc[1] = 50;
        s.acc[2] = 1000;
        samples << s;
    }
    return samples;
}

// Northward out of Hong Kong over the border into Shenzhen.
QVector<FixtureSample> borderDrive()
{
    QVector<FixtureSample> samples;
    for (int i = 0; i < kSeconds; ++i) {
        FixtureSample s;
        s.second = i;
        s.latNmea = 2224.0000 + 0.9 * i; // 22°24' .. 22°30.3'
        s.lonNmea = 11406.0000;
        s.speedKnots = 30 + 2 * i;
        s.heading = 0;
        s.acc[0] = 10 * i;
        s.acc[1] = -20 * i;
        s.acc[2] = 256;
        samples << s;
    }
    return samples;
}

QVariant evaluate(QWebEnginePage *page, const QString &script)
{
    return evaluateInPage(page, script);
}

QVariantMap pageState(MapShow *map)
{
    return evaluate(map->view()->page(), QStringLiteral("KelmoraMap.snapshot()")).toMap();
}

// Popups and dialogs are top-level windows of their own.
template<typename T> T *findAnywhere(const QString &name = QString())
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (auto *self = qobject_cast<T *>(top);
            self && (name.isEmpty() || top->objectName() == name))
            return self;
        for (T *child : top->findChildren<T *>(name))
            if (child->isVisible())
                return child;
    }
    return nullptr;
}

QJsonObject probe(const QString &path)
{
    QProcess ffprobe;
    ffprobe.start("ffprobe", {"-v", "error", "-show_streams", "-show_format", "-of", "json", path});
    if (!ffprobe.waitForFinished(30000))
        return {};
    return QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
}

QString readLog()
{
    QFile file(QDir(appDataPath()).filePath("log.txt"));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestAcceptance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void addsSixRecordingsThroughTheDialog();
    void rowClickPlaysTheGroupInStep();
    void everySecondMovesTheTelemetry();
    void seekPauseFullScreenZoomAndSwap();
    void speedColourAndPanorama();
    void cutAndStillLandInTheSaveFolder();
    void settingsApplyAtOnce();
    void endOfRecordingMovesOnAndLoopReplays();
    void restartKeepsLibraryCacheAndSettings();
    void deleteRowAndClearAll();

private:
    void compose();
    void tearDown();
    void shoot(const QString &name);
    void clickRow(int row);
    void chooseInRowMenu(int row, const char *text);
    int rowOf(const QString &fileName) const;
    QPushButton *barButton(const char *name) const;
    PlayerTool *bar() const { return m_panels.videoView->playerTool(); }
    OrbPlayer *player() const { return bar()->player(); }
    RenderView *renderView() const { return m_panels.videoView->renderView(); }
    void waitForPlaying(const QString &fileName);

    QTemporaryDir m_media;
    QString m_saveDir;
    QString m_artifacts;
    std::unique_ptr<LogToFile> m_log;
    KelmoraWidget *m_window = nullptr;
    MainPanels m_panels;
};

void TestAcceptance::initTestCase()
{
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<QList<DbModel *>>("QList<DbModel*>");
    m_artifacts = QStringLiteral(ACCEPTANCE_ARTIFACTS);
    QDir(m_artifacts).removeRecursively();
    QVERIFY(QDir().mkpath(m_artifacts));
    QVERIFY(QDir().mkpath(appDataPath()));
    m_log = std::make_unique<LogToFile>(QDir(appDataPath()).filePath("log.txt"));
    QVERIFY(m_log->isOpen());

    RecordingFactory factory(m_media.path());
    factory.setVideo(160, 90);
    factory.setPreset("ultrafast");
    for (const QString &name : kMomentOne)
        QVERIFY2(factory.makeTextStream(name, cityDrive()), qPrintable(factory.error()));
    for (const QString &name : kMomentTwo)
        QVERIFY2(
            factory.makeGpsBox(name, borderDrive(), RecordingFactory::GpsBoxForm::LayoutB, true),
            qPrintable(factory.error()));
    QVERIFY(!isInChina(22.0 + 24.0 / 60, 114.1));
    QVERIFY(isInChina(22.0 + 30.3 / 60, 114.1));
    for (const QString &name : kMomentOne + kMomentTwo)
        QCOMPARE(name.size(), 26);

    m_saveDir = QDir(m_media.path()).filePath("saved");
    QVERIFY(QDir().mkpath(m_saveDir));
    settingsValue(QLatin1String(SettingsKeys::SaveFilePath), m_saveDir, true);
    AppManager::instance()->setPlayModelType(PlayMode::ThreeChannels); // three channels
    compose();
}

void TestAcceptance::cleanupTestCase()
{
    tearDown();
    m_log.reset();
}

void TestAcceptance::compose()
{
    // As the entry function does it.
    m_window = new KelmoraWidget;
    AppManager::instance()->setMainWindow(m_window);
    m_window->setGeometry(mainWindowGeometry(1920, 1080));
    m_panels = composeMainWindow(m_window);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    afterMainWindowShown(m_panels);
    // Offline the probe never succeeds; load the page as a success would.
    m_panels.map->onNetworkResult(true);
    QTRY_VERIFY_WITH_TIMEOUT(m_panels.map->isPageReady(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(
        evaluate(m_panels.map->view()->page(), "typeof KelmoraMap === 'object'").toBool(), 10000);
}

void TestAcceptance::tearDown()
{
    if (!m_window)
        return;
    m_window->close();
    delete m_window;
    m_window = nullptr;
    m_panels = MainPanels();
    AppManager::instance()->setMainWindow(nullptr);
    QTest::qWait(200);
}

void TestAcceptance::shoot(const QString &name)
{
    QCoreApplication::processEvents();
    QWidget *target = m_panels.videoView && m_panels.videoView->isWindow()
        ? static_cast<QWidget *>(m_panels.videoView)
        : m_window;
    target->grab().save(QDir(m_artifacts).filePath(name + ".png"));
}

int TestAcceptance::rowOf(const QString &fileName) const
{
    for (int row = 0; row < m_panels.fileList->rowCount(); ++row)
        if (m_panels.fileList->modelAt(row)->fileName == fileName)
            return row;
    return -1;
}

void TestAcceptance::clickRow(int row)
{
    QListWidget *list = m_panels.fileList->listWidget();
    QTRY_VERIFY_WITH_TIMEOUT(list->isEnabled(), 20000);
    QListWidgetItem *item = list->item(row);
    QVERIFY2(item, qPrintable(QString("no row %1").arg(row)));
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// A right click on the row, then a click on the menu's one entry.
void TestAcceptance::chooseInRowMenu(int row, const char *text)
{
    QListWidget *list = m_panels.fileList->listWidget();
    QTRY_VERIFY_WITH_TIMEOUT(list->isEnabled(), 20000);
    QListWidgetItem *item = list->item(row);
    QVERIFY2(item, qPrintable(QString("no row %1").arg(row)));
    list->scrollToItem(item);
    const QPoint at = list->visualItemRect(item).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    QMenu *menu = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((menu = findAnywhere<QMenu>("rowMenu")) != nullptr, 5000);
    const QList<QAction *> actions = menu->actions();
    // The view switch, then "Export track…".
    QCOMPARE(actions.size(), 2);
    QCOMPARE(actions.last()->objectName(), QString("exportTrackAction"));
    QCOMPARE(actions.first()->text(), QCoreApplication::translate("FilesListView", text));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(actions.first()).center());
    QTRY_VERIFY(!findAnywhere<QMenu>("rowMenu"));
}

QPushButton *TestAcceptance::barButton(const char *name) const
{
    auto *button = bar()->findChild<QPushButton *>(name);
    if (!button)
        qWarning() << "no control bar button" << name;
    return button;
}

void TestAcceptance::waitForPlaying(const QString &fileName)
{
    QTRY_VERIFY2_WITH_TIMEOUT(
        QFileInfo(player()->currentUrl()).fileName() == fileName,
        qPrintable("playing " + player()->currentUrl() + ", expected " + fileName), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(bar()->isPlaying(), 20000);
}

void TestAcceptance::addsSixRecordingsThroughTheDialog()
{
    QVERIFY(m_panels.videoView->logo()->isVisible());
    QCOMPARE(m_panels.fileList->rowCount(), 0);
    shoot("01-idle");

    // Watch the import layer's progress bar from the moment it shows: the
    // whole import may take less than one turn of a polling timer.
    ProgressWatch watch;
    qApp->installEventFilter(&watch);

    QStringList paths;
    for (const QString &name : kMomentOne + kMomentTwo)
        paths << QDir(m_media.path()).filePath(name);
    QTimer::singleShot(0, this, [paths] {
        QFileDialog *dialog = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())), 10000);
        auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(edit);
        QStringList quoted;
        for (const QString &path : paths)
            quoted << "\"" + QFileInfo(path).fileName() + "\"";
        dialog->setDirectory(QFileInfo(paths.first()).path());
        edit->setText(quoted.join(' '));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    auto *add = m_panels.fileList->findChild<QPushButton *>("pushButton_2");
    QVERIFY(add);
    QTest::mouseClick(add, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_panels.fileList->rowCount(), 6, 90000);
    QTRY_VERIFY(watch.seen == 100);
    qApp->removeEventFilter(&watch);
    QVERIFY2(watch.maximum > 0, "the import dialog never showed its progress bar");

    for (int row = 0; row < 6; ++row) {
        QWidget *rowWidget = m_panels.fileList->rowWidget(row);
        QVERIFY(rowWidget);
        auto *thumbnail = rowWidget->findChild<QLabel *>();
        QVERIFY(thumbnail);
        QCOMPARE(thumbnail->size(), QSize(58, 58));
        QVERIFY2(!thumbnail->pixmap(Qt::ReturnByValue).isNull(),
                 qPrintable("no thumbnail on row " + QString::number(row)));
    }
    // The first new row plays (name order within one batch).
    waitForPlaying(kMomentOne[0]);
    QVERIFY(!m_panels.videoView->logo()->isVisible());
    shoot("02-imported");
}

void TestAcceptance::rowClickPlaysTheGroupInStep()
{
    QSignalSpy started(m_panels.videoView, &VideoView::starPlayNotification);
    clickRow(rowOf(kMomentTwo[0]));
    waitForPlaying(kMomentTwo[0]);
    QTRY_VERIFY_WITH_TIMEOUT(!started.isEmpty(), 20000);

    const QList<PlayObject *> &channels = player()->channels();
    QCOMPARE(channels.size(), 3);
    QCOMPARE(player()->instanceIndexOf(channels[0]), 0); // the one with sound
    QCOMPARE(player()->instanceIndexOf(channels[1]), 1);
    QCOMPARE(player()->instanceIndexOf(channels[2]), 1);

    const QList<QWidget *> &views = renderView()->views();
    QCOMPARE(views.size(), 3);
    QTRY_VERIFY_WITH_TIMEOUT(renderView()->allViewsReady(), 20000);
    const QRect main = views[0]->geometry();
    QVERIFY2(main.width() > renderView()->width() - 4, "channel 0 does not fill the area");
    for (int i : {1, 2}) {
        const QRect thumb = views[i]->geometry();
        QVERIFY2(thumb.top() <= 1 && thumb.width() < main.width() / 2,
                 qPrintable(QString("thumbnail %1 at %2,%3 %4x%5")
                                .arg(i)
                                .arg(thumb.x())
                                .arg(thumb.y())
                                .arg(thumb.width())
                                .arg(thumb.height())));
        QVERIFY(views[i]->isVisible());
    }
    for (const char *name :
         {"playButton", "nextButton", "previousButton", "cutButton", "imageButton"})
        QVERIFY2(barButton(name)->isEnabled(), name);
    QTest::qWait(1000); // let every channel draw
    shoot("03-three-channels");
}

void TestAcceptance::everySecondMovesTheTelemetry()
{
    MapShow *map = m_panels.map;
    DisplayMessageView *panel = m_panels.telemetryPanel;
    // The group of the last step stops first, so none of its markers is counted.
    player()->pause();
    QTest::qWait(300);
    const QVariantMap before = pageState(map);
    QSignalSpy started(m_panels.videoView, &VideoView::starPlayNotification);
    QSignalSpy seconds(m_panels.videoView, &VideoView::currentPlayTime);
    QStringList latitudes;
    QList<int> speeds, chartMarks;
    connect(m_panels.videoView, &VideoView::currentPlayTime, this, [&] {
        QTimer::singleShot(0, this, [&] {
            latitudes << panel->findChild<QLabel *>("latText")->text();
            speeds << panel->speedDial()->speed();
            chartMarks << panel->gsensorView()->current();
        });
    });
    // From the start: the group of the second moment again.
    clickRow(rowOf(kMomentTwo[0]));
    QTRY_VERIFY_WITH_TIMEOUT(!started.isEmpty(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!seconds.isEmpty() && seconds.last().at(0).toInt() >= 4, 20000);
    QTest::qWait(100);
    disconnect(m_panels.videoView, &VideoView::currentPlayTime, this, nullptr);

    QSet<int> distinct;
    for (const auto &args : seconds)
        distinct << args.at(0).toInt();
    QSet<QString> distinctLatitudes(latitudes.begin(), latitudes.end());
    QSet<int> distinctSpeeds(speeds.begin(), speeds.end());
    QSet<int> distinctMarks(chartMarks.begin(), chartMarks.end());
    QVERIFY2(distinctLatitudes.size() >= 3,
             qPrintable(QStringList(distinctLatitudes.values()).join(" | ")));
    QVERIFY2(distinctSpeeds.size() >= 3, "the dial did not move");
    QVERIFY2(distinctMarks.size() >= 3, "the chart marker did not move");
    QVERIFY(!latitudes.last().isEmpty());

    const QVariantMap after = pageState(map);
    QCOMPARE(after.value("trackCalls").toInt() - before.value("trackCalls").toInt(), 1);
    QCOMPARE(after.value("track").toList().size(), kSeconds);
    const int markers = after.value("markerCalls").toInt() - before.value("markerCalls").toInt();
    // Seconds go on playing while the page answers: count them all.
    for (const auto &args : seconds)
        distinct << args.at(0).toInt();
    // One per second shown (second 0 may land before the page saw the track,
    // the last may still be on its way to the page); a second reported twice,
    // as a slow start can, moves the marker twice.
    QVERIFY2(markers >= distinct.size() - 2 && markers <= seconds.size(),
             qPrintable(QString("%1 markers for %2 seconds (%3 reports)")
                            .arg(markers)
                            .arg(distinct.size())
                            .arg(seconds.size())));
    QVERIFY(after.value("marker").toMap().contains("lat"));
    shoot("04-telemetry");
}

void TestAcceptance::seekPauseFullScreenZoomAndSwap()
{
    // Seek: a click three quarters along the slider.
    auto *slider = bar()->findChild<QSlider *>("slider");
    QVERIFY(slider && slider->maximum() > 0);
    QSignalSpy seconds(m_panels.videoView, &VideoView::currentPlayTime);
    clickRow(rowOf(kMomentTwo[0]));
    QTRY_VERIFY_WITH_TIMEOUT(!seconds.isEmpty(), 20000);
    const QPoint along(slider->width() * 3 / 4, slider->height() / 2);
    QTest::mousePress(slider, Qt::LeftButton, {}, along);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, along, 50);
    QTRY_VERIFY_WITH_TIMEOUT(!seconds.isEmpty() && seconds.last().at(0).toInt() >= kSeconds / 2,
                             10000);
    QVERIFY(bar()->findChild<QLabel *>("starLabel")->text() != "00:00:00");

    // Pause and resume with Space on the picture.
    QWidget *main = renderView()->views().first();
    QTest::keyClick(main, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(!bar()->isPlaying(), 5000);
    QVERIFY(!barButton("playButton")->isChecked() || !bar()->isPlaying());
    shoot("05-paused");
    QTest::keyClick(main, Qt::Key_Space);
    QTRY_VERIFY_WITH_TIMEOUT(bar()->isPlaying(), 5000);

    // Full screen and back with Esc.
    QTest::mouseClick(barButton("fullButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(m_panels.videoView->isFullScreen(), 5000);
    shoot("06-full-screen");
    QTest::keyClick(renderView()->views().first(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!m_panels.videoView->isWindow(), 5000);
    QTRY_VERIFY(m_window->isVisible());
    QVERIFY(!barButton("fullButton")->isChecked());

    // A thumbnail clicked moves into the main place.
    QWidget *thumb = renderView()->views().at(1);
    QTest::mouseClick(thumb, Qt::LeftButton, {}, thumb->rect().center());
    QTRY_VERIFY_WITH_TIMEOUT(thumb->width() > renderView()->width() - 4, 5000);
    QVERIFY(renderView()->views().first()->width() < renderView()->width() / 2
            || renderView()->views().first() == thumb);

    // Zoom in and out on the main (flat) picture.
    auto *render = qobject_cast<VideoRender *>(thumb);
    QVERIFY(render);
    const int level = render->zoomLevel();
    if (barButton("scaleBig")->isEnabled()) {
        QTest::mouseClick(barButton("scaleBig"), Qt::LeftButton);
        QTRY_VERIFY(render->zoomLevel() > level);
        shoot("07-zoomed");
        QTest::mouseClick(barButton("scaleSmall"), Qt::LeftButton);
        QTRY_COMPARE(render->zoomLevel(), level);
    } else {
        QFAIL("zoom buttons disabled for a flat main picture");
    }
}

void TestAcceptance::speedColourAndPanorama()
{
    QSignalSpy started(m_panels.videoView, &VideoView::starPlayNotification);
    clickRow(rowOf(kMomentTwo[0]));
    QTRY_VERIFY_WITH_TIMEOUT(!started.isEmpty(), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(bar()->isPlaying(), 20000);

    // Speed 2×.
    QTest::mouseClick(barButton("playSpeedButton"), Qt::LeftButton);
    QPushButton *twice = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((twice = findAnywhere<QPushButton>("speed2")) != nullptr
                                 && twice->parentWidget()->objectName() == "SpeedPlayWidget",
                             5000);
    QTest::mouseClick(twice, Qt::LeftButton);
    QTRY_COMPARE(player()->rate(), 2.0);
    QTRY_VERIFY_WITH_TIMEOUT(!findAnywhere<QWidget>("SpeedPlayWidget"), 5000);

    // Colour: change one value, then reset all three.
    AppManager::instance()->setVideoColorValue(1, 1.5f);
    QTest::mouseClick(barButton("colorButton"), Qt::LeftButton);
    QWidget *colour = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((colour = findAnywhere<QWidget>("colorHUD")) != nullptr, 5000);
    shoot("08-colour");
    auto *reset = colour->findChild<QPushButton *>("pushButton");
    QVERIFY(reset);
    QTest::mouseClick(reset, Qt::LeftButton);
    for (int which : {1, 2, 3})
        QCOMPARE(AppManager::instance()->videoColorValue(which), 1.0f);
    colour->close();
    QTest::qWait(100);

    // A front camera plays flat; its row's menu shows it as 360°, which
    // opens the group again with a panoramic main view.
    const DbModel *front = m_panels.fileList->modelAt(rowOf(kMomentTwo[0]));
    QVERIFY(!front->is3DVideo);
    QVERIFY(!barButton("play360")->isEnabled());
    QSignalSpy reopened(m_panels.videoView, &VideoView::starPlayNotification);
    chooseInRowMenu(rowOf(kMomentTwo[0]), "Show as 360°");
    QTRY_VERIFY_WITH_TIMEOUT(!reopened.isEmpty(), 20000);
    QVERIFY(front->is3DVideo);
    QTRY_VERIFY_WITH_TIMEOUT(barButton("play360")->isEnabled(), 5000);
    QVERIFY(qobject_cast<VideoRender *>(renderView()->views().first())->is360Video());
    const int mode = choiceNumber(AppManager::instance()->panoramaModelType());
    QTest::mouseClick(barButton("play360"), Qt::LeftButton);
    QWidget *modes = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((modes = findAnywhere<QWidget>("Video360ModelType")) != nullptr, 5000);
    auto *other = modes->findChild<QPushButton *>(mode == 0 ? "speed2" : "speed1");
    QVERIFY(other);
    QTest::mouseClick(other, Qt::LeftButton);
    QTRY_VERIFY(choiceNumber(AppManager::instance()->panoramaModelType()) != mode);
    QTRY_VERIFY_WITH_TIMEOUT(!findAnywhere<QWidget>("Video360ModelType"), 5000);
    QTest::qWait(300);
    shoot("09-panorama");
}

void TestAcceptance::cutAndStillLandInTheSaveFolder()
{
    QTRY_VERIFY_WITH_TIMEOUT(bar()->isPlaying(), 20000);
    QDir save(m_saveDir);
    // Still first: the capture button.
    QTest::mouseClick(barButton("imageButton"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!save.entryList({"*.png"}, QDir::Files).isEmpty(), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(barButton("imageButton")->isEnabled(), 60000);
    const QString still = save.filePath(save.entryList({"*.png"}, QDir::Files).first());
    QVERIFY(!QImage(still).isNull());

    QTest::mouseClick(barButton("cutButton"), Qt::LeftButton);
    VideoEdit *edit = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((edit = findAnywhere<VideoEdit>()) != nullptr, 5000);
    QTest::qWait(100);
    // The right handle dragged all the way left stops 5 s after the left one.
    auto *right = edit->findChild<RightView *>("right");
    QVERIFY(right);
    const QPoint knob(18, right->height() / 2);
    QMouseEvent press(QEvent::MouseButtonPress, knob, right->mapToGlobal(knob), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(right, &press);
    const QPoint far = knob - QPoint(right->parentWidget()->width(), 0);
    QMouseEvent move(QEvent::MouseMove, far, right->mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(right, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, far, right->mapToGlobal(far), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(right, &release);
    QTRY_COMPARE(edit->cutModel()->endSecond - edit->cutModel()->startSecond, 5);
    QTest::mouseClick(edit->findChild<QToolButton *>("audioButton"), Qt::LeftButton);
    QTest::mouseClick(edit->findChild<QPushButton *>("button720"), Qt::LeftButton);
    QVERIFY(edit->cutModel()->is720P);
    shoot("10-cut");
    QTest::mouseClick(edit->findChild<QPushButton *>("sureButton"), Qt::LeftButton);
    // The dialog stays while ffmpeg runs and reports the result (its prompt
    // writes this line as it is shown).
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains(QString::fromUtf8("剪辑成功")), 60000);
    QVERIFY(save.entryList({"*.mp4"}, QDir::Files).size() == 1);
    const QString cut = save.filePath(save.entryList({"*.mp4"}, QDir::Files).first());
    QJsonObject info;
    QTRY_VERIFY_WITH_TIMEOUT(!(info = probe(cut)).value("streams").toArray().isEmpty(), 60000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_window->testAttribute(Qt::WA_TransparentForMouseEvents), 10000);
    const QJsonArray streams = info.value("streams").toArray();
    QCOMPARE(streams.size(), 1);
    QCOMPARE(streams.first().toObject().value("codec_type").toString(), QString("video"));
    QCOMPARE(streams.first().toObject().value("height").toInt(), 720);
    const double length = info.value("format").toObject().value("duration").toString().toDouble();
    QVERIFY2(length > 4.5 && length < 5.6, qPrintable(QString::number(length)));
    // Close whatever prompt the cut left.
    for (QWidget *top : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QDialog *>(top); dialog && dialog->isVisible())
            dialog->reject();
    QTest::qWait(200);
}

void TestAcceptance::settingsApplyAtOnce()
{
    QTRY_VERIFY_WITH_TIMEOUT(m_panels.fileList->listWidget()->isEnabled(), 20000);
    QTest::mouseClick(m_panels.fileList->findChild<QPushButton *>("setButton"), Qt::LeftButton);
    QWidget *page = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((page = findAnywhere<QWidget>("SetWidget")) != nullptr, 5000);
    const auto choose = [page](const char *name) {
        auto *button = page->findChild<QAbstractButton *>(name);
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, button->height() / 2));
    };
    // Through km/h to mph: a choice equal to the locale's default is not stored.
    choose("speedButonnKMH");
    QCOMPARE(m_panels.telemetryPanel->speedDial()->speedUnit(), 0);
    choose("speedButonnPMH");
    QCOMPARE(m_panels.telemetryPanel->speedDial()->speedUnit(), 1);
    choose("LongOrLatType");
    QVERIFY2(m_panels.telemetryPanel->findChild<QLabel *>("latText")->text().contains("°"),
             qPrintable(m_panels.telemetryPanel->findChild<QLabel *>("latText")->text()));
    choose("playModelOne");
    QCOMPARE(choiceNumber(AppManager::instance()->playModelType()), 0);
    QCOMPARE(m_panels.fileList->playGroup().size(), 1);
    auto *language = page->findChild<QComboBox *>("comboBox");
    QVERIFY(language);
    language->setCurrentIndex(0); // Chinese
    QCOMPARE(AppManager::instance()->languageIndex(), 1);
    QTRY_COMPARE(
        m_panels.fileList->findChild<QPushButton *>("setButton")->toolTip().contains("设置"), true);
    QTRY_VERIFY(!barButton("playButton")->toolTip().isEmpty());
    shoot("11-settings");
    page->window()->grab().save(QDir(m_artifacts).filePath("11-settings-dialog.png"));
    QTest::keyClick(page, Qt::Key_Escape);
    if (auto *dialog = qobject_cast<QDialog *>(page->window()))
        dialog->reject();
    QTest::qWait(100);

    // Stored at once, as a fresh manager reads them.
    const AppManager fresh {QLocale(QLocale::English)};
    QCOMPARE(choiceNumber(fresh.speedUnitType()), 1);
    QCOMPARE(choiceNumber(fresh.longOrLatType()), 0);
    QCOMPARE(choiceNumber(fresh.playModelType()), 0);
    QCOMPARE(fresh.savedLanguage(), 1);
}

void TestAcceptance::endOfRecordingMovesOnAndLoopReplays()
{
    // One channel now: the last seconds of moment one's front, then what comes next.
    QSignalSpy next(m_panels.videoView, &VideoView::willPlayNextVideo);
    QSignalSpy same(m_panels.videoView, &VideoView::willPlaySameVideo);
    const int row = rowOf(kMomentOne[0]);
    clickRow(row);
    waitForPlaying(kMomentOne[0]);
    QCOMPARE(player()->channels().size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(!next.isEmpty(), 30000);
    QCOMPARE(next.first().at(1).toBool(), true);
    const QString following = m_panels.fileList->modelAt(row + 1)->fileName;
    waitForPlaying(following);

    // Loop on: the end replays the same recording.
    QTest::mouseClick(barButton("replayButton"), Qt::LeftButton);
    QVERIFY(barButton("replayButton")->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(!same.isEmpty(), 30000);
    QCOMPARE(QFileInfo(same.first().at(0).toString()).fileName(), following);
    QSignalSpy restarted(m_panels.videoView, &VideoView::starPlayNotification);
    QTRY_VERIFY_WITH_TIMEOUT(!restarted.isEmpty(), 20000);
    waitForPlaying(following);
    QTest::mouseClick(barButton("replayButton"), Qt::LeftButton);
    QVERIFY(!barButton("replayButton")->isChecked());
}

void TestAcceptance::restartKeepsLibraryCacheAndSettings()
{
    tearDown();
    qDebug() << "acceptance: restart";
    compose();
    QCOMPARE(m_panels.fileList->rowCount(), 6);
    QCOMPARE(choiceNumber(AppManager::instance()->speedUnitType()), 1);
    QCOMPARE(m_panels.telemetryPanel->speedDial()->speedUnit(), 1);
    QCOMPARE(m_panels.fileList->findChild<QPushButton *>("setButton")->toolTip().contains("设置"),
             true);

    QSignalSpy started(m_panels.videoView, &VideoView::starPlayNotification);
    clickRow(rowOf(kMomentTwo[0]));
    QTRY_VERIFY_WITH_TIMEOUT(!started.isEmpty(), 20000);
    auto *record = started.first().at(0).value<VideoMessage *>();
    QVERIFY(record);
    QCOMPARE(record->gpsItems.size(), kSeconds);
    QCOMPARE(player()->channels().size(), 1);
    // The library remembers that this front camera is shown as 360°.
    QTRY_VERIFY_WITH_TIMEOUT(barButton("play360")->isEnabled(), 5000);
    shoot("12-after-restart");

    const QString log = readLog();
    const int restart = log.lastIndexOf("acceptance: restart");
    QVERIFY(restart > 0);
    const QString before = log.left(restart), after = log.mid(restart);
    QVERIFY2(before.contains("Start parsing gps data"), "the first play did not parse");
    QVERIFY2(!after.contains("Start parsing gps data"), "telemetry parsed again after the restart");
    QVERIFY2(after.contains("db retuen data succeed"), "the cached record was not read");
}

void TestAcceptance::deleteRowAndClearAll()
{
    QTRY_VERIFY_WITH_TIMEOUT(bar()->isPlaying(), 20000);
    const int playing = rowOf(QFileInfo(player()->currentUrl()).fileName());
    QVERIFY(playing >= 0);
    QWidget *rowWidget = m_panels.fileList->rowWidget(playing);
    const QList<QPushButton *> buttons = rowWidget->findChildren<QPushButton *>();
    QCOMPARE(buttons.size(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(buttons.first()->isEnabled(), 20000);
    QVERIFY2(buttons.first()->isVisible(), "the row's delete button is hidden");
    QTest::mouseClick(buttons.first(), Qt::LeftButton);
    QTRY_COMPARE(m_panels.fileList->rowCount(), 5);
    QCOMPARE(rowOf(kMomentTwo[0]), -1);
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(player()->currentUrl()).fileName() != kMomentTwo[0]
                                 || !player()->masterChannel(),
                             10000);

    QTest::mouseClick(m_panels.fileList->findChild<QPushButton *>("deleteButton"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(m_panels.fileList->rowCount(), 0, 5000);
    QTRY_VERIFY(m_panels.videoView->logo()->isVisible());
    QVERIFY(!player()->masterChannel());
    QVERIFY(!barButton("playButton")->isEnabled());
    shoot("13-cleared");
}

int main(int argc, char *argv[])
{
    TestHome home;
    // A step that waits on something that never comes fails, never hangs the run.
    qputenv("QTEST_FUNCTION_TIMEOUT", "150000");
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // As the entry function.
    prepareProcess();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    nameApplication();
    TestAcceptance tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_acceptance.moc"
