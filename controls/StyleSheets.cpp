#include "controls/StyleSheets.h"

#include "controls/Palette.h"

#include <QSysInfo>

namespace {
QString colourDeclaration(const QColor &colour)
{
    return colour.isValid() ? QStringLiteral("color: %1; ").arg(Palette::css(colour)) : QString();
}
} // namespace

QString StyleSheets::noBorder()
{
    return QStringLiteral("border: none;");
}

QString StyleSheets::fontSize(int pixels)
{
    return QStringLiteral("font-size: %1px;").arg(pixels);
}

QString StyleSheets::text(const QColor &colour, int pixels)
{
    return colourDeclaration(colour) + fontSize(pixels);
}

QString StyleSheets::borderlessText(int pixels, const QColor &colour)
{
    return noBorder() + ' ' + colourDeclaration(colour) + fontSize(pixels);
}

QString StyleSheets::iconButtons()
{
    return QStringLiteral("QPushButton { %1 }").arg(noBorder());
}

QString StyleSheets::imageButton(const QString &picture, const QColor &colour, int pixels)
{
    const QString background = picture.isEmpty()
        ? QString()
        : QStringLiteral("background-image: url(%1); background-position: "
                         "center center; background-repeat: no-repeat; ")
              .arg(picture);
    return QStringLiteral("QPushButton { %1%2%3 %4 }")
        .arg(background, colourDeclaration(colour), noBorder(), fontSize(pixels));
}

QString StyleSheets::darkField(int pixels)
{
    return QStringLiteral("QLineEdit { background-color: %1; %2%3 border-radius: 6px; "
                          "padding: 0px 10px; %4 }")
        .arg(Palette::css(Palette::fieldBackground()),
             colourDeclaration(Palette::panelForeground()), noBorder(), fontSize(pixels));
}

QString StyleSheets::toolTip(ToolTipFrame frame)
{
    const QString border = frame == ToolTipFrame::None ? noBorder() + ' ' : QString();
    return QStringLiteral("QToolTip { background-color: %1; %2%3%4 }")
        .arg(Palette::css(Palette::toolTipBackground()), border,
             colourDeclaration(Palette::toolTipText()), fontSize(13));
}

QString StyleSheets::pageFamily()
{
    return QStringLiteral("Microsoft YaHei UI");
}

QString StyleSheets::promptFamily()
{
    return QSysInfo::productVersion() == QLatin1String("7") ? QStringLiteral("Arial")
                                                            : pageFamily();
}

QString StyleSheets::fontDeclarations(const QString &family, const QColor &colour)
{
    return colourDeclaration(colour)
        + QStringLiteral("font-family: '%1'; letter-spacing: 0px; line-height: normal;")
              .arg(family);
}

QString StyleSheets::fontRules(const QString &family, const QColor &colour)
{
    const QString declarations = fontDeclarations(family, colour);
    return QStringLiteral("QWidget { %1 }QLabel { %1 }").arg(declarations);
}

QString StyleSheets::highlightGradient(const QColor &lead)
{
    const QString start = Palette::css(Palette::highlightStart());
    const QString stops = lead.isValid()
        ? QStringLiteral("stop:0 %1, stop:0.08 %2").arg(Palette::css(lead), start)
        : QStringLiteral("stop:0 %1").arg(start);
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:1, y2:0, %1, stop:0.9 %2)")
        .arg(stops, Palette::css(Palette::highlightEnd()));
}

QString StyleSheets::panelMenu()
{
    // The panel's dark background reaches the menu; its text must be light.
    return QStringLiteral("QMenu { background-color: %1; color: %2; padding: 4px; }"
                          "QMenu::item { padding: 6px 16px; }"
                          "QMenu::item:selected { background-color: %3; }")
        .arg(Palette::css(Palette::panelBackground()), Palette::css(Palette::panelForeground()),
             Palette::css(Palette::highlightEnd()));
}
