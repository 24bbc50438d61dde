#pragma once

#include "library/TripPlay.h"

#include <QRect>
#include <QWidget>

class GpsItem;
class QLabel;
class QStackedWidget;
class QTextEdit;
class QPushButton;
class VideoMessage;

// Right panel of the telemetry strip: a GPS page (average and maximum speed,
// position, distance driven) and a play-information page with the media fields
// of the playing recording. GUI thread only.
class MessageInfoView final : public QWidget
{
    Q_OBJECT
public:
    explicit MessageInfoView(QWidget *parent = nullptr);

    // The record is not owned; it must outlive its display here. The next
    // file of a playing trip keeps the last position until its first second.
    void setVideo(VideoMessage *record, bool keepPosition = false);
    // The playing trip's figures under the file's own; hidden without a trip.
    void setTrip(const TripPlay &play);
    QString tripText() const;
    void updatePosition(const GpsItem &sample);
    // Date and time of the playing second by the recording's clock, in the
    // camera's local time with its offset from UTC.
    void showTime(int second);
    void setSpeedUnit(int unit);
    void setCoordinateFormat(int format);

    int speedUnit() const { return m_speedUnit; }
    int coordinateFormat() const { return m_coordinateFormat; }

public slots:
    // Receiver of the video view's window-frame size.
    void setVideoArea(const QSize &size);
    void on_messageButton_clicked();
    void on_gpsButton_clicked();
    QString decimalToDMS(double decimalDegree);

protected:
    void changeEvent(QEvent *event) override;

private:
    void setupForm();
    QWidget *buildGpsPage();
    QWidget *buildPlayInfoPage();
    void retranslate();
    void showPosition();
    void showSpeeds();
    void showDistance(int decimals);
    void rebuildPlayInfo();
    void showTrip();

    QRect m_videoArea;
    int m_coordinateFormat = 1;
    int m_speedUnit = 0;
    VideoMessage *m_current = nullptr;
    QString m_latitudeText = QStringLiteral("0");
    QString m_longitudeText = QStringLiteral("0");
    int m_distanceDecimals = 2;

    QStackedWidget *m_buttonStack = nullptr;
    QStackedWidget *m_pageStack = nullptr;
    QPushButton *m_messageButton = nullptr;
    QPushButton *m_gpsButton = nullptr;
    QLabel *m_aveSpeed = nullptr;
    QLabel *m_maxSpeed = nullptr;
    QLabel *m_aveSpeedText = nullptr;
    QLabel *m_maxSpeedText = nullptr;
    QLabel *m_lat = nullptr;
    QLabel *m_long = nullptr;
    QLabel *m_latText = nullptr;
    QLabel *m_longText = nullptr;
    QLabel *m_distance = nullptr;
    QLabel *m_distanceText = nullptr;
    QLabel *m_timeText = nullptr;
    QLabel *m_tripText = nullptr;
    TripPlay m_trip;
    QTextEdit *m_textEdit = nullptr;
};
