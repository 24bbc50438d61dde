#pragma once

#include "library/TelemetryEvents.h"

#include <QFont>
#include <QMap>
#include <QPoint>
#include <QStringList>
#include <QVector>
#include <QWidget>

class QPushButton;

// The recording's three acceleration curves on a fixed ±2 g scale, a marker at
// the playing second and a legend with its values. GUI thread only.
class GsensorView final : public QWidget
{
    Q_OBJECT
public:
    explicit GsensorView(QWidget *parent = nullptr);

    // The gsensorItems of a record: second text → x, y, z texts in g.
    void setData(const QMap<QString, QStringList> &items);
    void setCurrent(int second);

    // The playing record's driving events, marked over the curves.
    void setEvents(const QVector<TelemetryEvent> &events);
    const QVector<TelemetryEvent> &events() const { return m_events; }
    // The x of an event's first second on the chart at the present size.
    int eventX(int index) const;
    // The event whose mark covers x (a few pixels either side), -1 when none.
    int eventAt(int x) const;

    int current() const { return m_current; }
    const QVector<QPoint> &xPoints() const { return m_xPoints; }
    const QVector<QPoint> &yPoints() const { return m_yPoints; }
    const QVector<QPoint> &zPoints() const { return m_zPoints; }

    Q_INVOKABLE bool comparePoints(const QPoint &p1, const QPoint &p2) const
    {
        return p1.x() < p2.x();
    }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setupForm();
    void resetLegend();
    void drawCurve(QPainter &painter, const QVector<QPoint> &points, const QColor &colour) const;
    void drawEvents(QPainter &painter) const;
    int chartX(int second) const;

    QVector<QPoint> m_xPoints;
    QVector<QPoint> m_yPoints;
    QVector<QPoint> m_zPoints;
    QVector<TelemetryEvent> m_events;
    int m_current = 0;
    QFont m_chartFont;
    QPushButton *m_legendX = nullptr;
    QPushButton *m_legendY = nullptr;
    QPushButton *m_legendZ = nullptr;
};
