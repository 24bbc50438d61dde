#include "render/RenderViewLayout.h"
#include "tests/support/TestHome.h"

#include <QtTest>

using Rects = QList<QRect>;
using Aspects = QList<float>;

class TestRenderViewLayout : public QObject
{
    Q_OBJECT
private slots:
    void thumbnails_data();
    void thumbnails();
};

void TestRenderViewLayout::thumbnails_data()
{
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<int>("mode");
    QTest::addColumn<Aspects>("aspects");
    QTest::addColumn<Rects>("expected");
    const float wide = 1920.0f / 1080.0f;
    QTest::newRow("one channel: no thumbnails")
        << QSize(1108, 600) << 3 << Aspects {wide} << Rects {};
    QTest::newRow("two 16:9 in 1108x600")
        << QSize(1108, 600) << 3 << Aspects {wide, wide} << Rects {QRect(20, 0, 336, 189)};
    QTest::newRow("three: left and right edge")
        << QSize(1108, 600) << 3 << Aspects {wide, wide, wide}
        << Rects {QRect(20, 0, 336, 189), QRect(750, 0, 336, 189)};
    QTest::newRow("four: left, centre, right")
        << QSize(1108, 600) << 3 << Aspects {wide, wide, wide, wide}
        << Rects {QRect(20, 0, 336, 189), QRect(386, 0, 336, 189), QRect(752, 0, 336, 189)};
    QTest::newRow("tall widget: row on the letterboxed picture")
        << QSize(800, 800) << 3 << Aspects {wide, wide} << Rects {QRect(0, 175, 250, 141)};
    QTest::newRow("portrait main: a third of the height")
        << QSize(1108, 600) << 3 << Aspects {1080.0f / 1920.0f, wide}
        << Rects {QRect(385, 0, 355, 200)};
    QTest::newRow("mode 0 very wide panorama in halves")
        << QSize(1108, 600) << 0 << Aspects {3840.0f / 1080.0f, wide}
        << Rects {QRect(20, 0, 336, 189)};
    QTest::newRow("panorama mode caps a wide thumbnail at 16:9")
        << QSize(1108, 600) << 1 << Aspects {wide, 3.0f} << Rects {QRect(20, 0, 336, 189)};
    QTest::newRow("no stored size: degenerate, not a crash")
        << QSize(1108, 600) << 3 << Aspects {0.0f, 0.0f} << Rects {QRect(554, 0, 0, 200)};
}

void TestRenderViewLayout::thumbnails()
{
    QFETCH(QSize, widget);
    QFETCH(int, mode);
    QFETCH(Aspects, aspects);
    QFETCH(Rects, expected);
    Rects actual;
    for (const RenderViewLayout::Thumbnail &thumb :
         RenderViewLayout::compute(widget, mode, aspects).thumbnails)
        actual << thumb.geometry;
    QCOMPARE(actual, expected);
}

KELMORA_TEST_MAIN(QCoreApplication, TestRenderViewLayout)
#include "tst_renderviewlayout.moc"
