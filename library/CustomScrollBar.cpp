#include "library/CustomScrollBar.h"

CustomScrollBar::CustomScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setStyleSheet(
        "QScrollBar:vertical { background: #161d25; width: 10px; margin: 0px; border: none; }"
        "QScrollBar::handle:vertical { background: #ffffff; border-radius: 5px; min-height: 40px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0px; width: 0px; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
}

CustomScrollBar::~CustomScrollBar() = default;
