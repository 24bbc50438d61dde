#include "controls/RoundedDialog.h"

#include "controls/Palette.h"

#include <QPainter>
#include <QPainterPath>

RoundedDialog::RoundedDialog(QWidget *parent)
    : QDialog(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void RoundedDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width(), height()), 15, 15);
    painter.setPen(Qt::NoPen);
    painter.fillPath(path, Palette::popupBackground());
}
