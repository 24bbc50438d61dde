// Position slider jumps and single-shot timer restarts.
#include "controls/OrbTimer.h"
#include "controls/VideoSlider.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

class TestPlayWidgets : public QObject
{
    Q_OBJECT
private slots:
    void sliderJumpsToThePress_data();
    void sliderJumpsToThePress();
    void sliderPressContinuesAsDrag();
    void timerRestartPostpones();
    void timerStaysHidden();
};

void TestPlayWidgets::sliderJumpsToThePress_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("value");
    QTest::newRow("a quarter") << 150 << 150000;
    QTest::newRow("left edge") << 0 << 0;
    QTest::newRow("right edge") << 599 << 599000;
}

void TestPlayWidgets::sliderJumpsToThePress()
{
    QFETCH(int, x);
    QFETCH(int, value);
    VideoSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 600000);
    slider.resize(600, 20);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QSignalSpy pressed(&slider, &VideoSlider::orbsliderPressed);
    QSignalSpy released(&slider, &VideoSlider::orbsliderReleased);
    QSignalSpy actions(&slider, &QAbstractSlider::actionTriggered);
    // The value as it stands when the owner is told, before the base class
    // handles the press.
    int valueAtPress = -1;
    connect(&slider, &VideoSlider::orbsliderPressed, this,
            [&slider, &valueAtPress] { valueAtPress = slider.value(); });
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
    QCOMPARE(valueAtPress, value);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(released.count(), 0);
    QVERIFY(!actions.isEmpty());
    QCOMPARE(actions.first().first().toInt(), int(QAbstractSlider::SliderMove));
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(x, 10));
    QCOMPARE(released.count(), 1);
    QCOMPARE(VideoSlider::valueAt(10, 0, 5, 100), 5); // no width yet: the minimum
}

void TestPlayWidgets::sliderPressContinuesAsDrag()
{
    VideoSlider slider;
    slider.setOrientation(Qt::Horizontal);
    slider.setRange(0, 600);
    slider.resize(600, 20);
    slider.show();
    QVERIFY(QTest::qWaitForWindowExposed(&slider));
    QTest::mousePress(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QVERIFY(slider.isSliderDown());
    QTest::mouseRelease(&slider, Qt::LeftButton, Qt::NoModifier, QPoint(300, 10));
    QVERIFY(!slider.isSliderDown());
}

void TestPlayWidgets::timerRestartPostpones()
{
    OrbTimer timer;
    QSignalSpy fired(&timer, &OrbTimer::timeout);
    QElapsedTimer clock;
    clock.start();
    timer.start(1000);
    QTest::qWait(500);
    QCOMPARE(fired.count(), 0);
    timer.start(1000); // restarted before it fired
    QVERIFY(fired.wait(3000));
    QVERIFY2(clock.elapsed() >= 1400, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(1200);
    QCOMPARE(fired.count(), 1); // once per start
}

void TestPlayWidgets::timerStaysHidden()
{
    QWidget parent;
    auto *timer = new OrbTimer(&parent);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QVERIFY(!timer->isVisible());
}

KELMORA_TEST_MAIN(QApplication, TestPlayWidgets)

#include "tst_playwidgets.moc"
