#pragma once

#include <QSlider>

// Position slider of the control bar. A press anywhere on the groove jumps the
// handle there at once (instead of paging) and continues as a drag; the owner
// learns when the user grabs and releases it, so position updates and seeking
// do not fight.
class VideoSlider final : public QSlider
{
    Q_OBJECT
public:
    explicit VideoSlider(QWidget *parent = nullptr);
    ~VideoSlider() override;

    // The value a press at x (widget pixels) jumps to.
    static int valueAt(int x, int width, int minimum, int maximum);

signals:
    void orbsliderPressed();
    void orbsliderReleased();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
