// The palette's style sheet text and the shared style sheets, as Qt reads them:
// a piece that does not parse, or runs into the next one, is dropped silently.
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

class TestStyle : public QObject
{
    Q_OBJECT
private slots:
    void cssReadsBackAsTheColour_data();
    void cssReadsBackAsTheColour();
    void sheetsReachTheWidget_data();
    void sheetsReachTheWidget();
    void highlightRunsFromStartToEnd_data();
    void highlightRunsFromStartToEnd();
};

void TestStyle::cssReadsBackAsTheColour_data()
{
    QTest::addColumn<QColor>("colour");
    QTest::newRow("opaque") << Palette::panelBackground();
    QTest::newRow("map veil") << Palette::withAlpha(Palette::panelBackground(), 249);
    QTest::newRow("dimmed text") << Palette::withAlpha(Palette::popupText(), 127);
    QTest::newRow("nearly opaque") << QColor(10, 20, 30, 254);
    QTest::newRow("alpha 2") << QColor(10, 20, 30, 2);
    QTest::newRow("alpha 1") << QColor(10, 20, 30, 1);
    QTest::newRow("clear") << QColor(10, 20, 30, 0);
}

void TestStyle::cssReadsBackAsTheColour()
{
    QFETCH(QColor, colour);
    QLabel label;
    label.setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(Palette::css(colour)));
    label.ensurePolished();
    QCOMPARE(label.palette().color(QPalette::WindowText), colour);
}

void TestStyle::sheetsReachTheWidget_data()
{
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QColor>("colour"); // invalid: the sheet sets none
    QTest::addColumn<int>("pixels"); // 0: the sheet sets none
    QTest::addColumn<QString>("family");

    const QColor text = Palette::panelForeground();
    const QString picture = QStringLiteral(":/Resources/PlayTool/selectItem.jpg");
    QTest::newRow("text") << StyleSheets::text(text, 12) << text << 12 << QString();
    QTest::newRow("borderless text")
        << StyleSheets::borderlessText(11, text) << text << 11 << QString();
    QTest::newRow("borderless, own colour")
        << StyleSheets::borderlessText(12) << QColor() << 12 << QString();
    QTest::newRow("translucent text")
        << StyleSheets::text(Palette::withAlpha(Palette::popupText(), 180), 12)
        << Palette::withAlpha(Palette::popupText(), 180) << 12 << QString();
    QTest::newRow("size then more")
        << StyleSheets::fontSize(16) + " font-weight: bold;" << QColor() << 16 << QString();
    QTest::newRow("image button") << StyleSheets::imageButton(picture, Palette::accentText(), 20)
                                  << Palette::accentText() << 20 << QString();
    QTest::newRow("plain button") << StyleSheets::imageButton(QString(), Palette::popupText(), 18)
                                  << Palette::popupText() << 18 << QString();
    QTest::newRow("font rules") << StyleSheets::fontRules(QStringLiteral("Arial"),
                                                          Palette::promptText())
                                << Palette::promptText() << 0 << QStringLiteral("Arial");
    // A rule left open would swallow the ones after it.
    QTest::newRow("rules then a rule") << StyleSheets::iconButtons() + StyleSheets::toolTip()
            + QStringLiteral("QPushButton { %1 }").arg(StyleSheets::text(text, 13))
                                       << text << 13 << QString();
    QTest::newRow("declarations in a rule")
        << QStringLiteral("QPushButton { %1 %2 }")
               .arg(StyleSheets::fontDeclarations(QStringLiteral("Arial"), Palette::promptText()),
                    StyleSheets::noBorder())
        << Palette::promptText() << 0 << QStringLiteral("Arial");
}

void TestStyle::sheetsReachTheWidget()
{
    QFETCH(QString, sheet);
    QFETCH(QColor, colour);
    QFETCH(int, pixels);
    QFETCH(QString, family);
    QPushButton button(QStringLiteral("1X"));
    const QColor ownColour = button.palette().color(button.foregroundRole());
    button.setStyleSheet(sheet);
    button.ensurePolished();
    QCOMPARE(button.palette().color(button.foregroundRole()),
             colour.isValid() ? colour : ownColour);
    if (pixels)
        QCOMPARE(button.font().pixelSize(), pixels);
    if (!family.isEmpty())
        QCOMPARE(button.font().family(), family);
}

void TestStyle::highlightRunsFromStartToEnd_data()
{
    QTest::addColumn<QColor>("lead");
    QTest::newRow("bar") << QColor();
    QTest::newRow("list row") << Palette::panelBackground();
}

void TestStyle::highlightRunsFromStartToEnd()
{
    QFETCH(QColor, lead);
    QWidget bar;
    bar.setAttribute(Qt::WA_StyledBackground);
    bar.resize(1000, 20);
    bar.setStyleSheet(QStringLiteral("background: %1;").arg(StyleSheets::highlightGradient(lead)));
    const QImage image = bar.grab().toImage();
    const auto near = [](const QColor &a, const QColor &b) {
        return qAbs(a.red() - b.red()) <= 3 && qAbs(a.green() - b.green()) <= 3
            && qAbs(a.blue() - b.blue()) <= 3;
    };
    const QColor first = image.pixelColor(0, 10);
    const QColor last = image.pixelColor(image.width() - 1, 10);
    const QColor expectedFirst = lead.isValid() ? lead : Palette::highlightStart();
    QVERIFY2(near(first, expectedFirst), qPrintable(first.name()));
    QVERIFY2(near(last, Palette::highlightEnd()), qPrintable(last.name()));
}

KELMORA_TEST_MAIN(QApplication, TestStyle)
#include "tst_style.moc"
