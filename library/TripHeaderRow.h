#pragma once

#include "library/TripBuilder.h"

#include <QWidget>

class QLabel;

// The header row of one trip in the file list: a fold mark, the date and the
// start and end in the computer's local time, then duration, distance in the
// user's unit and how many files the trip holds.
class TripHeaderRow final : public QWidget
{
    Q_OBJECT
public:
    explicit TripHeaderRow(const Trip &trip, QWidget *parent = nullptr);

    void setOpen(bool open);
    void setSpeedUnit(int speedUnit);
    bool isOpen() const { return m_open; }
    QString titleText() const;
    QString figuresText() const;

    // Style rules of every header, set once on the list that holds them.
    static QString rowStyleSheet();

protected:
    void changeEvent(QEvent *event) override;

private:
    void showTexts();

    Trip m_trip;
    int m_speedUnit = 0;
    bool m_open = false;
    QLabel *m_mark = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_figures = nullptr;
};
