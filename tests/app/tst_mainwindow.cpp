#include "app/AppManager.h"
#include "app/KelmoraWidget.h"
#include "app/MainComposition.h"
#include "library/FilesListView.h"
#include "playback/VideoView.h"
#include "telemetry/DisplayMessageView.h"
#include "telemetry/MapShow.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

class TestMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void splitsFollowTheStretchFactors_data();
    void splitsFollowTheStretchFactors();
    void panelsAreWired();
};

void TestMainWindow::splitsFollowTheStretchFactors_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("small screen size") << QSize(1108, 693);
    QTest::newRow("large screen size") << QSize(1715, 1010);
}

void TestMainWindow::splitsFollowTheStretchFactors()
{
    QFETCH(QSize, size);
    KelmoraWidget window;
    AppManager::instance()->setMainWindow(&window);
    const MainPanels panels = composeMainWindow(&window);
    window.resize(size);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    afterMainWindowShown(panels);
    QCoreApplication::processEvents();

    auto *left = window.findChild<QWidget *>("leftMain");
    auto *right = window.findChild<QWidget *>("rightView11");
    auto *top = window.findChild<QWidget *>("left_topMain");
    QVERIFY(left && right && top);
    QVERIFY(qAbs(left->width() - size.width() * 183.0 / 277.0) <= 2.0);
    QVERIFY(qAbs(right->width() - size.width() * 94.0 / 277.0) <= 2.0);
    const double leftHeight = left->height();
    QVERIFY2(qAbs(top->height() - leftHeight * 5.0 / 7.0) <= 2.0,
             qPrintable(QString::number(top->height())));
    QVERIFY(qAbs(panels.map->height() - panels.fileList->height()) <= 1);
    QCOMPARE(top->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(top->isAncestorOf(panels.videoView));
    QVERIFY(right->isAncestorOf(panels.map));
    AppManager::instance()->setMainWindow(nullptr);
}

void TestMainWindow::panelsAreWired()
{
    KelmoraWidget window;
    AppManager::instance()->setMainWindow(&window);
    const MainPanels panels = composeMainWindow(&window);
    window.resize(1108, 693);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // The list's request reaches the playback area, whose answer reaches the list back.
    QSignalSpy relayed(panels.videoView, &VideoView::postPlayingState);
    emit panels.fileList->currentWillPlayList({});
    QCOMPARE(relayed.size(), 1);
    QVERIFY(panels.fileList->listWidget()->isEnabled());
    QSignalSpy closing(&window, &KelmoraWidget::closePlayer);
    window.close();
    QCOMPARE(closing.size(), 1);
    AppManager::instance()->setMainWindow(nullptr);
}

KELMORA_TEST_MAIN(QApplication, TestMainWindow)
#include "tst_mainwindow.moc"
