#pragma once

#include <QWidget>

class OrbTimer;
class QAbstractButton;
class QButtonGroup;

// Popup of the panorama button: five projection modes as image buttons.
// Reports a choice and closes its container 2 s later.
class Video360ModelType final : public QWidget
{
    Q_OBJECT
public:
    explicit Video360ModelType(double mode, QWidget *parent = nullptr);
    ~Video360ModelType() override;

    static double modeOf(const QString &objectName);

signals:
    void Video360ModelTypeChangedNotification(double value);

private:
    void buttonClicked(QAbstractButton *button);
    void closeContainer();

    double m_mode;
    QButtonGroup *m_group;
    OrbTimer *m_timer;
};
