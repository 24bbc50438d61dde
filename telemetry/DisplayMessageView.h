#pragma once

#include "library/TripPlay.h"

#include <QWidget>

class GsensorView;
class MessageInfoView;
class SpeedDial;
class VideoMessage;

// The telemetry strip below the video: G-sensor chart, speed dial and info
// panel over a background picture. Fed by the view controller's play signals
// (connected by the main window) and the application manager's unit and
// coordinate-format changes (connected here). GUI thread only.
class DisplayMessageView final : public QWidget
{
    Q_OBJECT
public:
    explicit DisplayMessageView(QWidget *parent = nullptr);
    ~DisplayMessageView() override;

    GsensorView *gsensorView() const { return m_gsensorView; }
    SpeedDial *speedDial() const { return m_speedDial; }
    MessageInfoView *messageInfoView() const { return m_messageInfoView; }

public slots:
    // The record is not owned; it must stay alive while it plays.
    void starPlayNotification(VideoMessage *record);
    void currentPlayTime(int second);
    // The playing trip, or an empty play: the next file of a trip goes on
    // from the last one's speed and position rather than from zero.
    void setTrip(const TripPlay &play);

private:
    void setupForm();
    void setupManagerConnections();
    void onPlaySecond(int second);

    GsensorView *m_gsensorView = nullptr;
    SpeedDial *m_speedDial = nullptr;
    MessageInfoView *m_messageInfoView = nullptr;
    VideoMessage *m_current = nullptr;
    TripPlay m_trip;
    QString m_shownPath; // the file whose record was shown last
};
