#include "edit/LeftView.h"

#include "app/Helpers.h"
#include "controls/Palette.h"
#include "edit/RangeHandleMath.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>

using namespace RangeHandleMath;

LeftView::LeftView(QWidget *parent)
    : QWidget(parent)
{
    resize(35, 35);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setMinimumSize(35, 35);
    setMaximumSize(16777215, 35);
}

LeftView::~LeftView()
{
    qDebug() << "LeftView销毁";
}

int LeftView::parentWidth() const
{
    return parentWidget() ? parentWidget()->width() : width();
}

QRect LeftView::knobRect() const
{
    return QRect(width() - KnobSize, (height() - KnobSize) / 2, KnobSize, KnobSize);
}

void LeftView::setTrackWidth(int w)
{
    m_widthAtRelease = width();
    m_minimumGap = RangeHandleMath::minimumGap(duration, w);
    m_limit = leftInitialLimit(w, m_minimumGap);
}

void LeftView::scrollFinishSlots(int vaule)
{
    m_limit = leftLimitAfterRight(vaule, m_minimumGap);
}

int LeftView::seconds() const
{
    return int(leftStartSeconds(width(), parentWidth(), duration));
}

void LeftView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_dragging = knobRect().contains(event->pos());
    if (m_dragging)
        m_pressPoint = event->pos();
}

void LeftView::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int w = leftDragWidth(m_widthAtRelease, event->pos().x() - m_pressPoint.x(), m_limit);
    const int parentHeight = parentWidget() ? parentWidget()->height() : height();
    setGeometry(0, (parentHeight - height()) / 2, w, height());
    update();
}

void LeftView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    emit scrollFinish(width());
    m_widthAtRelease = width();
    m_dragging = false;
}

void LeftView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (width() > KnobSize) {
        painter.setBrush(Palette::rangeHandleSpan());
        painter.drawRoundedRect(QRectF(0, (height() - 22) / 2, width() - height() / 3, 22), 11, 11);
    }
    const QRect knob = knobRect();
    painter.setBrush(Palette::rangeHandleKnob());
    painter.drawEllipse(knob);
    painter.setBrush(Palette::rangeHandleMark());
    painter.drawEllipse(QRect(width() - 26, knob.y() + 10, 16, 16));

    const double s = leftStartSeconds(width(), parentWidth(), duration);
    if (s > 0) {
        painter.setPen(Palette::popupText());
        const int textHeight = painter.fontMetrics().height();
        painter.drawText(QRect(width() - KnobSize, height() - textHeight, KnobSize, textHeight),
                         Qt::AlignBottom | Qt::AlignHCenter,
                         formatPlayTime(leftLabelSeconds(s, duration)));
    }
    emit scrollChangeVaule(int(s));
}
