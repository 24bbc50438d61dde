#pragma once

#include <QPoint>
#include <QWidget>

// The right handle of the cut dialog's range bar, a child laid over the bar.
// It marks the end second, growing leftwards from the bar's right end,
// keeps the minimum segment to the other handle and reports its second by
// scrollChangeVaule at every paint. Main thread only.
class RightView final : public QWidget
{
    Q_OBJECT

public:
    explicit RightView(QWidget *parent = nullptr);
    ~RightView() override;

    float duration = 0; // seconds, set by the cut dialog

    // Positions the travel on a parent of width w.
    void setTrackWidth(int w);
    int limit() const { return m_limit; }
    int minimumGap() const { return m_minimumGap; }
    // The second this handle stands for now.
    int seconds() const;

signals:
    void scrollFinish(int vaule);
    void scrollChangeVaule(int vaule);

public slots:
    void scrollFinishSlots(int vaule);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect knobRect() const;
    int parentWidth() const;

    QPoint m_pressPoint;
    bool m_dragging = false;
    int m_limit = 0;
    int m_minimumGap = 0;
};
