#pragma once

#include <QObject>
#include <QVector>

// Rough outline of mainland China as rectangles, minus rectangles cut out of it
// (Taiwan, Hong Kong, Macau and neighbouring countries). Decides whether map
// coordinates need the Chinese datum shift.
class ZCChinaLocation : public QObject
{
    Q_OBJECT
public:
    struct Rect
    {
        double west, north, east, south;
        bool contains(double lat, double lon) const
        {
            return west <= lon && lon <= east && south <= lat && lat <= north;
        }
    };

    explicit ZCChinaLocation(QObject *parent = nullptr);
    bool isInRegion(double lat, double lon) const;

private:
    QVector<Rect> m_region;
    QVector<Rect> m_excluded;
};
