#pragma once

#include <QWidget>

class VideoSlider;

// Popup of the colour button: brightness, contrast and saturation sliders
// that drive the picture live through AppManager, and a reset button. Deletes
// itself once closed.
class ChangeColorWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit ChangeColorWidget(QWidget *parent = nullptr);
    ~ChangeColorWidget() override;

    // Slider position that shows a colour value; a never-saved value is
    // neutral for the picture, so it shows as 100 (1.0).
    static int sliderValueFor(int which);

signals:
    void hudClosed();

public slots:
    void on_pushButton_clicked();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void sliderMoved(int position);
    void sliderReleased();
    int whichOf(const QObject *slider) const;

    VideoSlider *m_sliders[3];
};
