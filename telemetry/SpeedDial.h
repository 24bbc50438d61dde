#pragma once

#include <QFont>
#include <QWidget>

// The speed of the playing second as a number inside a 260° arc gauge.
// GUI thread only.
class SpeedDial final : public QWidget
{
    Q_OBJECT
public:
    explicit SpeedDial(QWidget *parent = nullptr);

    int speed() const { return m_speed; }
    int speedUnit() const { return m_speedUnit; }

public slots:
    // Knots text; shown rounded in the current unit.
    void setSpeed(const QString &knots);
    // The shown number keeps its value until the next setSpeed.
    void setUnit(int unit);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_speed = 0;
    int m_speedUnit = 0;
    QFont m_valueFont;
    QFont m_unitFont;
};
