#include "controls/VideoSlider.h"

#include <QDebug>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {
// How far from a mark the pointer may be for its tooltip.
constexpr int kMarkReach = 4;
} // namespace

VideoSlider::VideoSlider(QWidget *parent)
    : QSlider(parent)
{
}

VideoSlider::~VideoSlider() = default;

int VideoSlider::valueAt(int x, int width, int minimum, int maximum)
{
    if (width <= 0)
        return minimum;
    return minimum + int(double(x) / double(width) * double(maximum - minimum));
}

int VideoSlider::xOf(int value, int width, int minimum, int maximum)
{
    if (maximum <= minimum)
        return 0;
    return int(double(value - minimum) / double(maximum - minimum) * double(width));
}

void VideoSlider::setMarks(const QVector<Mark> &marks)
{
    m_marks = marks;
    update();
}

int VideoSlider::markX(int index) const
{
    return xOf(m_marks.at(index).value, width(), minimum(), maximum());
}

int VideoSlider::markAt(int x) const
{
    int found = -1;
    int nearest = kMarkReach + 1;
    for (int i = 0; i < m_marks.size(); ++i) {
        const int distance = qAbs(markX(i) - x);
        if (distance < nearest) {
            nearest = distance;
            found = i;
        }
    }
    return found;
}

bool VideoSlider::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = markAt(help->pos().x());
        if (index >= 0)
            QToolTip::showText(help->globalPos(), m_marks.at(index).toolTip, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QSlider::event(event);
}

void VideoSlider::paintEvent(QPaintEvent *event)
{
    QSlider::paintEvent(event);
    if (m_marks.isEmpty() || maximum() <= minimum())
        return;
    // Over the groove, under nothing: the handle is small and the marks thin.
    QPainter painter(this);
    const int top = height() / 2 - 5;
    for (int i = 0; i < m_marks.size(); ++i)
        painter.fillRect(QRect(markX(i) - 1, top, 3, 10), m_marks.at(i).colour);
}

void VideoSlider::mousePressEvent(QMouseEvent *event)
{
    const int value = valueAt(event->pos().x(), width(), minimum(), maximum());
    qDebug() << "56255626526266:::::::" << value;
    setValue(value);
    triggerAction(QAbstractSlider::SliderMove);
    emit orbsliderPressed();
    // The handle is now under the cursor, so the base class starts a drag.
    QSlider::mousePressEvent(event);
}

void VideoSlider::mouseReleaseEvent(QMouseEvent *event)
{
    emit orbsliderReleased();
    QSlider::mouseReleaseEvent(event);
}
