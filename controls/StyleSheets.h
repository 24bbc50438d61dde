#pragma once

#include <QColor>
#include <QString>

// Style sheet text more than one widget uses, built from the palette. Pieces
// without a selector are declarations, each ending in ";", so they can be
// joined in a sheet of their own or inside a rule.
namespace StyleSheets {

QString noBorder();
QString fontSize(int pixels);
QString text(const QColor &colour, int pixels);
// Text without a border, such as buttons with an icon and a caption; no colour
// keeps the text's own.
QString borderlessText(int pixels, const QColor &colour = QColor());
// Every push button under the widget drawn as its icon alone.
QString iconButtons();
// A borderless push button over a picture, centred and not repeated; no
// picture leaves the background alone.
QString imageButton(const QString &picture, const QColor &colour, int pixels);

// A line edit drawn as the settings page's dark fields: light text, no frame.
QString darkField(int pixels);

// Native keeps the style's own frame around the tip, as the control bar always had.
enum class ToolTipFrame { None, Native };
QString toolTip(ToolTipFrame frame = ToolTipFrame::None);

// The family of the pages and dialogs.
QString pageFamily();
// The family of prompts: Windows 7 lacks the page family.
QString promptFamily();
// Family, letter spacing and line height, with the text colour when given.
QString fontDeclarations(const QString &family, const QColor &colour = QColor());
// The same for every widget and label under the one it is set on.
QString fontRules(const QString &family, const QColor &colour = QColor());

// A pop-up menu over the dark panels (the file list's row menus).
QString panelMenu();
// Left-to-right highlight gradient, for a background; a lead colour fades into it.
QString highlightGradient(const QColor &lead = QColor());

} // namespace StyleSheets
