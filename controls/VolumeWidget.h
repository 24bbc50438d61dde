#pragma once

#include <QWidget>

class OrbTimer;
class QSlider;

// Popup of the volume button: a vertical slider 0-100. Every movement reports
// the volume (0-1) and restarts a 2 s delay after which the container closes.
class VolumeWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit VolumeWidget(double volume, QWidget *parent = nullptr);
    ~VolumeWidget() override;

    QSlider *slider() const { return m_slider; }

signals:
    void valuePlayChangedNotification(double value);

public slots:
    void on_verticalSlider_valueChanged(int value);
    void starTimeClose();

private:
    void closeContainer();

    double m_volume;
    QSlider *m_slider;
    OrbTimer *m_timer;
};
