#pragma once

#include <QDialog>

// Light-grey rounded container for the control bar's separate-window panels.
class RoundedDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit RoundedDialog(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
