#include "app/KelmoraWidget.h"
#include "controls/WidgetTree.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestWindow : public QObject
{
    Q_OBJECT
private slots:
    void geometry_data();
    void geometry();
    void closingEmitsClosePlayer();
    void mouseBlockingSparesHudPrompts();
};

void TestWindow::geometry_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("window");
    QTest::newRow("1920x1080: 1108.8 gives x 405")
        << QSize(1920, 1080) << QRect(405, 193, 1108, 693);
    QTest::newRow("3000 wide still small") << QSize(3000, 2000) << QRect(945, 653, 1108, 693);
    QTest::newRow("3001 wide is large") << QSize(3001, 2000) << QRect(643, 495, 1715, 1010);
    QTest::newRow("3840x2160") << QSize(3840, 2160) << QRect(1062, 575, 1715, 1010);
    QTest::newRow("narrower than the window") << QSize(1024, 768) << QRect(-42, 37, 1108, 693);
    QTest::newRow("tiny screen truncates toward zero")
        << QSize(1100, 600) << QRect(-4, -46, 1108, 693);
}

void TestWindow::geometry()
{
    QFETCH(QSize, screen);
    QFETCH(QRect, window);
    QCOMPARE(mainWindowGeometry(screen.width(), screen.height()), window);
}

void TestWindow::closingEmitsClosePlayer()
{
    KelmoraWidget window;
    QCOMPARE(window.windowTitle(), QString("Kelmora Player"));
    QCOMPARE(window.objectName(), QString("KelmoraWidget"));
    QVERIFY(window.isWindow());
    QSignalSpy spy(&window, &KelmoraWidget::closePlayer);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.close());
    QCOMPARE(spy.count(), 1);
    QVERIFY(!window.isVisible());
}

void TestWindow::mouseBlockingSparesHudPrompts()
{
    QWidget window;
    auto *panel = new QWidget(&window);
    auto *button = new QPushButton("play", panel);
    auto *hud = new QWidget(&window);
    hud->setObjectName("orbHudView");
    auto *hudButton = new QPushButton("ok", hud);

    setWidgetTreeMouseEnabled(&window, false);
    for (QWidget *w : {&window, panel, static_cast<QWidget *>(button)})
        QVERIFY(w->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(!hud->testAttribute(Qt::WA_TransparentForMouseEvents));
    QVERIFY(!hudButton->testAttribute(Qt::WA_TransparentForMouseEvents));

    setWidgetTreeMouseEnabled(&window, true);
    for (QWidget *w :
         {&window, panel, static_cast<QWidget *>(button), hud, static_cast<QWidget *>(hudButton)})
        QVERIFY(!w->testAttribute(Qt::WA_TransparentForMouseEvents));
}

KELMORA_TEST_MAIN(QApplication, TestWindow)
#include "tst_window.moc"
