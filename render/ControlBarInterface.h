#pragma once

#include <QWidget>

// What the render views need of the control bar under the picture. The
// control bar implements it; the render views hold only this narrow face.
class ControlBarInterface : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void setPanoramaButtonEnabled(bool enabled) = 0;
    virtual void setZoomButtonsEnabled(bool enabled) = 0;
    // Forgets the popup panels the bar opened; the render view closes them.
    virtual void clearPopupReferences() = 0;

signals:
    void scaleChange(bool isBig);
    void set3DPlayType(double mode);
};
