#include "library/CustomScrollBar.h"

#include "controls/Palette.h"

CustomScrollBar::CustomScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setStyleSheet(
        QStringLiteral(
            "QScrollBar:vertical { background: %1; width: 10px; margin: 0px; border: none; }"
            "QScrollBar::handle:vertical { background: %2; border-radius: 5px; min-height: 40px; }"
            "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; width: "
            "0px; }"
            "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }")
            .arg(Palette::css(Palette::panelBackground()),
                 Palette::css(Palette::panelForeground())));
}

CustomScrollBar::~CustomScrollBar() = default;
