#include "edit/RightView.h"

#include "app/Helpers.h"
#include "controls/Palette.h"
#include "edit/RangeHandleMath.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>

using namespace RangeHandleMath;

RightView::RightView(QWidget *parent)
    : QWidget(parent)
{
    resize(35, 35);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setMaximumSize(35, 35);
}

RightView::~RightView()
{
    qDebug() << "RightView销毁";
}

int RightView::parentWidth() const
{
    return parentWidget() ? parentWidget()->width() : width();
}

QRect RightView::knobRect() const
{
    return QRect(0, (height() - KnobSize) / 2, KnobSize, KnobSize);
}

void RightView::setTrackWidth(int w)
{
    m_minimumGap = RangeHandleMath::minimumGap(duration, w);
    m_limit = rightInitialLimit(m_minimumGap);
}

void RightView::scrollFinishSlots(int vaule)
{
    m_limit = rightLimitAfterLeft(vaule, m_minimumGap);
}

int RightView::seconds() const
{
    return rightEndSeconds(width(), parentWidth(), duration);
}

void RightView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = knobRect().contains(event->pos());
    if (m_dragging)
        m_pressPoint = event->pos();
}

void RightView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int nx = rightDragX(event->pos().x() + x() - m_pressPoint.x(), parentWidth(), m_limit);
    const int parentHeight = parentWidget() ? parentWidget()->height() : height();
    setGeometry(nx, (parentHeight - height()) / 2, parentWidth() - nx, height());
    update();
}

void RightView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = false;
    emit scrollFinish(x());
}

void RightView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (width() > KnobSize) {
        painter.setBrush(Palette::rangeHandleSpan());
        painter.drawRoundedRect(
            QRectF(height() / 3, (height() - 22) / 2, width() - height() / 3, 22), 11, 11);
    }
    const QRect knob = knobRect();
    painter.setBrush(Palette::rangeHandleKnob());
    painter.drawEllipse(knob);
    painter.setBrush(Palette::rangeHandleMark());
    painter.drawEllipse(QRect(10, knob.y() + 10, 16, 16));

    const int v = rightEndSeconds(width(), parentWidth(), duration);
    if (rightShowsLabel(width(), parentWidth(), duration)) {
        painter.setPen(Palette::popupText());
        const int textHeight = painter.fontMetrics().height();
        painter.drawText(QRect(0, height() - textHeight, KnobSize, textHeight),
                         Qt::AlignBottom | Qt::AlignHCenter, formatPlayTime(v));
    }
    emit scrollChangeVaule(v);
}
