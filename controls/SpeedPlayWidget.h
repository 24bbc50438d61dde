#pragma once

#include <QWidget>

class OrbTimer;
class QAbstractButton;
class QButtonGroup;

// Popup of the control bar's speed button: five rates, the current one
// highlighted. Reports a choice and closes its container 2 s later.
class SpeedPlayWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit SpeedPlayWidget(double rate, QWidget *parent = nullptr);
    ~SpeedPlayWidget() override;

    static double rateOf(const QString &objectName);
    static QString buttonNameOf(double rate);

signals:
    void speedPlayChangedNotification(double value);

private:
    void buttonClicked(QAbstractButton *button);
    void closeContainer();

    double m_rate;
    QButtonGroup *m_group;
    OrbTimer *m_timer;
};
