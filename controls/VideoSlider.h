#pragma once

#include <QSlider>
#include <QVector>

// Position slider of the control bar. A press anywhere on the groove jumps the
// handle there at once (instead of paging) and continues as a drag; the owner
// learns when the user grabs and releases it, so position updates and seeking
// do not fight. Marks (driving events) sit on the groove with a tooltip each.
class VideoSlider final : public QSlider
{
    Q_OBJECT
public:
    struct Mark
    {
        int value = 0; // slider units (milliseconds)
        QColor colour;
        QString toolTip;
    };

    explicit VideoSlider(QWidget *parent = nullptr);
    ~VideoSlider() override;

    // The value a press at x (widget pixels) jumps to.
    static int valueAt(int x, int width, int minimum, int maximum);
    // The pixel a value sits at: the inverse of valueAt.
    static int xOf(int value, int width, int minimum, int maximum);

    void setMarks(const QVector<Mark> &marks);
    const QVector<Mark> &marks() const { return m_marks; }
    // The x of a mark at the slider's present width and range.
    int markX(int index) const;
    // The mark nearest x within a few pixels, -1 when none.
    int markAt(int x) const;

signals:
    void orbsliderPressed();
    void orbsliderReleased();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QVector<Mark> m_marks;
};
