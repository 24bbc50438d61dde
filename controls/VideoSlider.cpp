#include "controls/VideoSlider.h"

#include <QDebug>
#include <QMouseEvent>

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
