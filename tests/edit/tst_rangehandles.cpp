#include "tests/support/TestHome.h"

#include "edit/LeftView.h"
#include "edit/RangeHandleMath.h"
#include "edit/RightView.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QtTest>

using namespace RangeHandleMath;

namespace {

void send(QWidget *w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

// Drags a handle's knob centre by dx pixels and releases it.
void drag(QWidget *handle, QPoint knob, int dx)
{
    send(handle, QEvent::MouseButtonPress, knob, Qt::LeftButton);
    send(handle, QEvent::MouseMove, knob + QPoint(dx, 0), Qt::LeftButton);
    send(handle, QEvent::MouseButtonRelease,
         knob + QPoint(dx, 0) - QPoint(handle->x(), 0) + QPoint(handle->x(), 0), Qt::NoButton);
}

} // namespace

class TestRangeHandles : public QObject
{
    Q_OBJECT

private slots:
    void seconds_data();
    void seconds();
    void limits();
    void dragStopsAtTheOtherHandle();
};

void TestRangeHandles::seconds_data()
{
    // Parent 472 px: 400 px of travel.
    QTest::addColumn<double>("duration");
    QTest::addColumn<int>("leftWidth");
    QTest::addColumn<int>("rightWidth");
    QTest::addColumn<double>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("gap");
    QTest::newRow("at rest") << 100.0 << 36 << 36 << 0.0 << 100 << 20;
    QTest::newRow("at rest, fraction") << 61.7 << 36 << 36 << 0.0 << 61 << 32;
    QTest::newRow("shorter than 5 s counts as 5") << 3.0 << 36 << 36 << 0.0 << 5 << 400;
    QTest::newRow("less than a second shows 1") << 100.0 << 37 << 36 << 1.0 << 100 << 20;
    QTest::newRow("quarter and half") << 100.0 << 136 << 236 << 25.0 << 50 << 20;
    QTest::newRow("right moved one pixel") << 100.0 << 36 << 37 << 0.0 << 99 << 20;
    QTest::newRow("end never below 5") << 100.0 << 36 << 436 << 0.0 << 5 << 20;
}

void TestRangeHandles::seconds()
{
    QFETCH(double, duration);
    QFETCH(int, leftWidth);
    QFETCH(int, rightWidth);
    QFETCH(double, start);
    QFETCH(int, end);
    QFETCH(int, gap);
    QCOMPARE(leftStartSeconds(leftWidth, 472, duration), start);
    QCOMPARE(rightEndSeconds(rightWidth, 472, duration), end);
    QCOMPARE(minimumGap(duration, 472), gap);
    QCOMPARE(leftStartSeconds(leftWidth, 72, duration), 0.0); // no travel: no division by zero
}

void TestRangeHandles::limits()
{
    QCOMPARE(leftInitialLimit(472, 20), 416);
    QCOMPARE(rightInitialLimit(20), 56);
    QCOMPARE(leftLimitAfterRight(300, 20), 280);
    QCOMPARE(leftLimitAfterRight(40, 20), 36);
    QCOMPARE(rightLimitAfterLeft(200, 20), 220);
    QCOMPARE(leftDragWidth(36, 500, 416), 416);
    QCOMPARE(leftDragWidth(100, -500, 416), 36);
    QCOMPARE(rightDragX(-50, 472, 56), 56);
    QCOMPARE(rightDragX(900, 472, 56), 436);
    QCOMPARE(leftLabelSeconds(99.0, 100), 95); // the start label stays 5 s before the end
    QCOMPARE(leftLabelSeconds(0.4, 100), 1);
}

void TestRangeHandles::dragStopsAtTheOtherHandle()
{
    QWidget bar;
    bar.resize(472, 70);
    auto *left = new LeftView(&bar);
    auto *right = new RightView(&bar);
    right->setMaximumSize(QWIDGETSIZE_MAX, 35); // as the cut dialog's form does: it grows leftwards
    connect(left, &LeftView::scrollFinish, right, &RightView::scrollFinishSlots);
    connect(right, &RightView::scrollFinish, left, &LeftView::scrollFinishSlots);
    left->duration = right->duration = 100;
    left->setGeometry(0, 17, 36, 35);
    right->setGeometry(436, 17, 36, 35);
    left->setTrackWidth(472);
    right->setTrackWidth(472);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCOMPARE(left->seconds(), 0);
    QCOMPARE(right->seconds(), 100);

    // Right handle to the middle (50 s), then the left handle as far as it goes.
    QSignalSpy rightDone(right, &RightView::scrollFinish);
    drag(right, QPoint(18, 17), -200);
    QCOMPARE(rightDone.count(), 1);
    QCOMPARE(right->x(), 236);
    QCOMPARE(right->seconds(), 50);

    QSignalSpy leftValues(left, &LeftView::scrollChangeVaule);
    drag(left, QPoint(18, 17), 1000);
    QCOMPARE(left->width(), 236 - 20); // 5 s before the right handle
    QCOMPARE(left->seconds(), 45);
    QTRY_VERIFY(!leftValues.isEmpty());
    QCOMPARE(leftValues.last().at(0).toInt(), 45);

    // Now the right handle cannot come closer than 5 s after the left one.
    drag(right, QPoint(18, 17), -1000);
    QCOMPARE(right->x(), 216 + 20);
    QCOMPARE(right->seconds(), 50);

    // A press outside the knob does not drag.
    const int before = left->width();
    drag(left, QPoint(2, 2), -100);
    QCOMPARE(left->width(), before);
}

KELMORA_TEST_MAIN(QApplication, TestRangeHandles)
#include "tst_rangehandles.moc"
