#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/LogHandler.h"
#include "app/SettingsKeys.h"
#include "controls/HudDialog.h"
#include "controls/HudView.h"
#include "controls/PromptBox.h"
#include "controls/RoundedDialog.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <thread>

namespace {

// A main window with a render-view area and one button on each side of it,
// registered as the hosts of the prompts.
struct Shell
{
    QWidget window;
    QWidget *renderView = nullptr;
    QPushButton *playButton = nullptr;
    QPushButton *viewButton = nullptr;
    int playClicks = 0;

    Shell()
    {
        window.resize(900, 600);
        renderView = new QWidget(&window);
        renderView->setGeometry(0, 0, 700, 500);
        renderView->setAutoFillBackground(true);
        renderView->setPalette(QPalette(Qt::darkGray));
        viewButton = new QPushButton("view", renderView);
        viewButton->setGeometry(0, 0, 80, 30);
        playButton = new QPushButton("play", &window);
        playButton->setGeometry(720, 540, 100, 40);
        QObject::connect(playButton, &QPushButton::clicked, [this] { ++playClicks; });
        AppManager::instance()->setMainWindow(&window);
        AppManager::instance()->setRenderView(renderView);
        window.show();
    }
    ~Shell()
    {
        AppManager::instance()->setMainWindow(nullptr);
        AppManager::instance()->setRenderView(nullptr);
    }

    // A click through the window system, so it meets the mouse blocking the
    // way a user's click would.
    void click(QWidget *target)
    {
        const QPoint pos = target->mapTo(&window, target->rect().center());
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, pos);
        QCoreApplication::processEvents();
    }

    bool blocked() const { return playButton->testAttribute(Qt::WA_TransparentForMouseEvents); }
};

QList<HudView *> openHuds()
{
    QList<HudView *> open;
    for (QWidget *w : QApplication::allWidgets()) {
        if (auto *hud = qobject_cast<HudView *>(w); hud && hud->isVisible())
            open << hud;
    }
    return open;
}

// Where a layer's child sits, in the host's own coordinates.
QPoint centreInHost(const QWidget *child, const QWidget *host)
{
    return host->mapFromGlobal(child->mapToGlobal(QPoint(child->width() / 2, child->height() / 2)));
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Saves what the user would see when KELMORA_PROMPT_SHOTS names a folder: the
// window, and a translucent layer drawn over it (the test X server has no
// compositor to do that).
void saveShot(QWidget *window, const QString &name, QWidget *layer = nullptr)
{
    const QString dir = qEnvironmentVariable("KELMORA_PROMPT_SHOTS");
    if (dir.isEmpty())
        return;
    QCoreApplication::processEvents();
    QPixmap shot = window->grab();
    if (layer) {
        QPixmap canvas(layer->size());
        canvas.fill(Qt::black);
        QPainter painter(&canvas);
        painter.drawPixmap(window->pos() - layer->pos(), shot);
        painter.drawPixmap(0, 0, layer->grab());
        painter.end();
        shot = canvas;
    }
    shot.save(dir + "/" + name + ".png");
}

class TestPanel : public QWidget
{
    Q_OBJECT
public:
    explicit TestPanel(QWidget *parent = nullptr)
        : QWidget(parent)
    {
        setFixedSize(300, 120);
        setAutoFillBackground(true);
        new QLabel("importing 3 files", this);
    }
signals:
    void sendLoadingCompleted();
};

// Asks for the dropped-frame prompt from a thread other than the GUI one
// (a joined std::thread, so the thread sanitizer sees it end).
void requestFromAnotherThread(int requests)
{
    std::thread worker([requests] {
        for (int i = 0; i < requests; ++i) {
            QMetaObject::invokeMethod(
                LogHandler::instance(), "showHudDialog", Qt::QueuedConnection,
                Q_ARG(QString, QCoreApplication::translate("QObject", "Video_missing_frame")),
                Q_ARG(QWidget *, nullptr));
        }
    });
    worker.join();
}

} // namespace

class TestPrompts : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void labelSize_data();
    void labelSize();
    void kindOneBlocksUntilEveryWayOut_data();
    void kindOneBlocksUntilEveryWayOut();
    void twoPromptsInARow();
    void kindZeroSitsOnMainWindow();
    void longNamesAreShownWhole_data();
    void longNamesAreShownWhole();
    void optionToggleWritesItsKey_data();
    void optionToggleWritesItsKey();
    void kindTenWaitsAndCancels();
    void kindTenOkEndsTheEventLoop();
    void droppedFrameRequestFromWorker();
    void droppedFrameRequestRespectsChoice();
    void promptWithoutAnyHost();
    void waitAnimation();
    void importLayerClosesOnPanelDone();
    void importLayerCoversTheHostWithoutAnActiveWindow();
    void promptBoxOk();
    void roundedDialogPaintsRoundedGrey();
};

void TestPrompts::initTestCase()
{
    qRegisterMetaType<QWidget *>("QWidget*");
    // English texts for the labels and screenshots.
    settingsValue(SettingsKeys::Language, "2", true);
    AppManager::instance()->setLanguage(2);
    HudView::installAsLogPrompt();
}

void TestPrompts::cleanup()
{
    for (HudView *hud : openHuds())
        hud->close();
    flushDeletes();
    settingsValue(SettingsKeys::NoShowWidget, "", true);
}

void TestPrompts::labelSize_data()
{
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("language");
    QTest::addColumn<QSize>("size");
    QTest::newRow("100% English") << 96 << 2 << QSize(250, 160);
    QTest::newRow("100% Chinese") << 96 << 1 << QSize(250, 75);
    QTest::newRow("125% English stays narrow") << 120 << 2 << QSize(250, 235);
    QTest::newRow("150% English") << 144 << 2 << QSize(360, 275);
    QTest::newRow("150% German") << 144 << 4 << QSize(360, 410);
    QTest::newRow("175% Spanish") << 168 << 10 << QSize(360, 367);
    QTest::newRow("144% Korean truncates") << 138 << 7 << QSize(360, 221);
    QTest::newRow("150% unknown language") << 144 << 11 << QSize(360, 275);
    QTest::newRow("no screen") << 0 << 9 << QSize(250, 250);
}

void TestPrompts::labelSize()
{
    QFETCH(int, dpi);
    QFETCH(int, language);
    QFETCH(QSize, size);
    QCOMPARE(hudLabelSize(dpi, language), size);
}

void TestPrompts::kindOneBlocksUntilEveryWayOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("ok") << "ok";
    QTest::newRow("timeout") << "timeout";
    QTest::newRow("close") << "close";
}

void TestPrompts::kindOneBlocksUntilEveryWayOut()
{
    QFETCH(QString, way);
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    QPointer<HudView> hud = new HudView(1, "Clip saved", false, 0, nullptr);
    QSignalSpy closed(hud.data(), &HudView::hudClosed);
    hud->show();
    QCOMPARE(hud->parentWidget(), shell.renderView);
    QCOMPARE(hud->objectName(), QString("orbHudView"));
    QCOMPARE(hud->geometry().center(), shell.renderView->rect().center());
    saveShot(&shell.window, "kind1");

    QVERIFY(shell.blocked());
    shell.click(shell.playButton);
    QCOMPARE(shell.playClicks, 0);

    if (way == "ok")
        shell.click(hud->findChild<QPushButton *>("sureButton"));
    else if (way == "timeout")
        QTRY_VERIFY_WITH_TIMEOUT(!hud || !hud->isVisible(), 5000);
    else
        hud->close();
    flushDeletes();
    QVERIFY(hud.isNull());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!shell.blocked());
    QVERIFY(!shell.renderView->testAttribute(Qt::WA_TransparentForMouseEvents));
    shell.click(shell.playButton);
    QCOMPARE(shell.playClicks, 1);
}

void TestPrompts::twoPromptsInARow()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    QPointer<HudView> first = new HudView(1, "first", false, 0);
    first->show();
    QPointer<HudView> second = new HudView(1, "second", false, 0);
    second->show();
    QVERIFY(shell.blocked());

    // The second lies on top of the first; closing the first must not free
    // the window while the second is still up.
    first->close();
    flushDeletes();
    QVERIFY(first.isNull());
    QVERIFY(shell.blocked());
    shell.click(shell.playButton);
    QCOMPARE(shell.playClicks, 0);

    shell.click(second->findChild<QPushButton *>("sureButton"));
    flushDeletes();
    QVERIFY(second.isNull());
    QVERIFY(!shell.blocked());
    shell.click(shell.playButton);
    QCOMPARE(shell.playClicks, 1);
}

void TestPrompts::kindZeroSitsOnMainWindow()
{
    Shell shell;
    auto *hud = new HudView(0, "No files selected", false, 0, shell.renderView);
    hud->show();
    QCOMPARE(hud->parentWidget(), &shell.window);
    const QPoint centred((shell.window.width() - hud->width()) / 2,
                         (shell.window.height() - hud->height()) / 2);
    QCOMPARE(hud->pos(), centred - QPoint(10, 30));
    QVERIFY(hud->findChild<QPushButton *>("cancelButton") == nullptr);
}

void TestPrompts::longNamesAreShownWhole_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("longest"); // the run that must fit on one line
    QTest::newRow("sentence") << "No files selected"
                              << "selected";
    QTest::newRow("file name among CJK")
        << QString::fromUtf8("视频库已损坏。原文件已保留为 "
                             "KelmoraPlayerFile.db.damaged-20261210153955，并已新建视频库。")
        << QString::fromUtf8("KelmoraPlayerFile.db.damaged-20261210153955，");
}

// A run the label cannot wrap (a file name) widens the card rather than
// being cut off at both ends.
void TestPrompts::longNamesAreShownWhole()
{
    QFETCH(QString, text);
    QFETCH(QString, longest);
    Shell shell;
    auto *hud = new HudView(0, text, false, 0, shell.renderView);
    hud->show();
    QVERIFY(QTest::qWaitForWindowExposed(hud));
    auto *label = hud->findChild<QLabel *>("messageLabel");
    QVERIFY(label);
    QVERIFY2(label->contentsRect().width() >= label->fontMetrics().horizontalAdvance(longest),
             qPrintable(QString("%1 px for %2 px")
                            .arg(label->contentsRect().width())
                            .arg(label->fontMetrics().horizontalAdvance(longest))));
    QVERIFY(hud->width() <= shell.window.width());
}

void TestPrompts::optionToggleWritesItsKey_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("key");
    QTest::newRow("dropped frames") << 2 << SettingsKeys::NoShowWidget;
    QTest::newRow("kind 11") << 11 << SettingsKeys::NoShowFullWidget;
    QTest::newRow("kind 12") << 12 << SettingsKeys::EnterNoShowFullWidget;
}

void TestPrompts::optionToggleWritesItsKey()
{
    QFETCH(int, kind);
    QFETCH(QString, key);
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    auto *hud = new HudView(
        kind, "Video playback decoding is slow, and the playback may not be smooth.", true, 0);
    hud->show();
    saveShot(&shell.window, QString("option-kind%1").arg(kind));
    auto *timer = hud->findChild<QTimer *>();
    QVERIFY(timer && timer->isActive());
    auto *toggle = hud->findChild<QPushButton *>("selectButton");
    QVERIFY(toggle);

    shell.click(toggle);
    QCOMPARE(settingsValue(key), QString("1"));
    QVERIFY(!timer->isActive());
    shell.click(toggle);
    QCOMPARE(settingsValue(key), QString("0"));
    settingsValue(key, "", true);
}

void TestPrompts::kindTenWaitsAndCancels()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    QPointer<HudView> hud
        = new HudView(10, "Switching the player type restarts the program.", false, 1);
    hud->show();
    saveShot(&shell.window, "kind10");
    QVERIFY(hud->findChild<QPushButton *>("cancelButton"));
    QTest::qWait(3500);
    QVERIFY(hud && hud->isVisible());
    QVERIFY(shell.blocked());

    const int typeBefore = choiceNumber(AppManager::instance()->playerType());
    shell.click(hud->findChild<QPushButton *>("cancelButton"));
    flushDeletes();
    QVERIFY(hud.isNull());
    QVERIFY(!shell.blocked());
    QCOMPARE(choiceNumber(AppManager::instance()->playerType()), typeBefore);
}

void TestPrompts::kindTenOkEndsTheEventLoop()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    const int wanted = choiceNumber(AppManager::instance()->playerType()) == 0 ? 1 : 0;
    QPointer<HudView> hud = new HudView(10, "Switch the player type?", false, wanted);
    hud->show();

    // The application's own loop, as in the program: OK must end it with 0.
    QTimer::singleShot(100, hud, [&] { shell.click(hud->findChild<QPushButton *>("sureButton")); });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    guard.start(10000);
    const int code = QCoreApplication::exec();
    guard.stop();
    QCOMPARE(code, 0);
    QCOMPARE(choiceNumber(AppManager::instance()->playerType()), wanted);
    QCOMPARE(settingsValue(SettingsKeys::PlayerType).toInt(), wanted);
    QVERIFY(hud && hud->isVisible());
    AppManager::instance()->setPlayerType(PlayerType::OpenGL);
}

void TestPrompts::droppedFrameRequestFromWorker()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    requestFromAnotherThread(3);
    QTRY_COMPARE(openHuds().size(), 1);
    QTest::qWait(100);
    const QList<HudView *> huds = openHuds();
    QCOMPARE(huds.size(), 1);
    QCOMPARE(huds.first()->kind(), 2);
    QCOMPARE(huds.first()->parentWidget(), shell.renderView);
    const QLabel *label = huds.first()->findChild<QLabel *>("messageLabel");
    QVERIFY(label->text().startsWith("Video playback decoding is slow"));
    // The whole English text fits the label the size rule gives it.
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    saveShot(&shell.window, "dropped-frames");
    QVERIFY(huds.first()->findChild<QPushButton *>("selectButton"));
    QVERIFY(shell.blocked());
}

void TestPrompts::droppedFrameRequestRespectsChoice()
{
    Shell shell;
    settingsValue(SettingsKeys::NoShowWidget, "1", true);
    requestFromAnotherThread(1);
    QTest::qWait(200);
    QVERIFY(openHuds().isEmpty());
    QVERIFY(!shell.blocked());

    settingsValue(SettingsKeys::NoShowWidget, "0", true);
    requestFromAnotherThread(1);
    QTRY_COMPARE(openHuds().size(), 1);
}

void TestPrompts::promptWithoutAnyHost()
{
    // No main window or render view registered: a window of its own.
    QPointer<HudView> hud = new HudView(1, "alone", false, 0);
    hud->show();
    QVERIFY(hud->isWindow());
    QVERIFY(QTest::qWaitForWindowExposed(hud));
    hud->findChild<QPushButton *>("sureButton")->click();
    flushDeletes();
    QVERIFY(hud.isNull());
}

void TestPrompts::waitAnimation()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    shell.window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &shell.window);
    QPointer<HudDialog> dialog = new HudDialog(0, shell.renderView);
    dialog->show();
    QVERIFY(dialog->isModal());
    const int titleBar = dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QRect ref = shell.window.geometry();
    QCOMPARE(dialog->geometry(),
             QRect(ref.x() - 10, ref.y() - titleBar - 10, ref.width() + 10,
                   ref.height() + 2 * titleBar + 20));
    auto *label = dialog->findChild<QLabel *>("loadingLabel");
    QVERIFY(label && label->movie());
    QCOMPARE(label->movie()->state(), QMovie::Running);
    saveShot(&shell.window, "wait", dialog);
    QVERIFY(label->movie()->isValid());
    QTRY_COMPARE(centreInHost(label, shell.renderView), QPoint(350, 250));
    dialog->close();
    flushDeletes();
    QVERIFY(dialog.isNull());
}

void TestPrompts::importLayerClosesOnPanelDone()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    shell.window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &shell.window);
    auto *panel = new TestPanel;
    QPointer<HudDialog> dialog = new HudDialog(panel, shell.renderView);
    QSignalSpy finished(dialog.data(), &HudDialog::sendLoadingFinished);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(panel->parentWidget(), dialog.data());
    QTRY_COMPARE(centreInHost(panel, shell.renderView), QPoint(350, 250));
    saveShot(&shell.window, "import-layer", dialog);

    emit panel->sendLoadingCompleted();
    emit panel->sendLoadingCompleted();
    QCOMPARE(finished.count(), 1);
    flushDeletes();
    QVERIFY(dialog.isNull());
}

// As after the add-files dialog closes: nothing is active when the layer
// appears. It used to keep a default size and cut the panel off.
void TestPrompts::importLayerCoversTheHostWithoutAnActiveWindow()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    QApplication::setActiveWindow(nullptr);
    QVERIFY(!QApplication::activeWindow());
    auto *panel = new TestPanel;
    QPointer<HudDialog> dialog = new HudDialog(panel, shell.renderView);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(dialog->geometry().contains(shell.window.geometry()));
    QTRY_COMPARE(centreInHost(panel, shell.renderView), QPoint(350, 250));
    QVERIFY(dialog->rect().contains(panel->geometry()));
    dialog->close();
    flushDeletes();
}

void TestPrompts::promptBoxOk()
{
    Shell shell;
    QVERIFY(QTest::qWaitForWindowExposed(&shell.window));
    shell.window.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &shell.window);
    QPointer<PromptBox> box
        = new PromptBox("There are many files in the list. Delete some to keep loading quick?", 1,
                        shell.renderView);
    QSignalSpy clicked(box.data(), &PromptBox::sendClickButtonFinished);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QVERIFY(box->isModal());
    auto *card = box->findChild<QWidget *>("promptCard");
    QVERIFY(card);
    QTRY_COMPARE(centreInHost(card, shell.renderView), QPoint(350, 250));
    saveShot(&shell.window, "promptbox", box);
    QTest::mouseClick(box->findChild<QPushButton *>("sureButton"), Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(clicked.first().first().toBool(), true);
    flushDeletes();
    QVERIFY(box.isNull());
}

void TestPrompts::roundedDialogPaintsRoundedGrey()
{
    RoundedDialog dialog;
    dialog.resize(200, 100);
    QVERIFY(dialog.testAttribute(Qt::WA_TranslucentBackground));
    QImage image(dialog.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    dialog.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QCOMPARE(image.pixelColor(100, 50), QColor(231, 231, 231));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(image.pixelColor(199, 99).alpha(), 0);
}

KELMORA_TEST_MAIN(QApplication, TestPrompts)
#include "tst_prompts.moc"
