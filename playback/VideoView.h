#pragma once

#include "library/TelemetryEvents.h"

#include <QList>
#include <QVector>
#include <QWidget>

class DbModel;
class DisplayMessageView;
class PlayerTool;
class QLabel;
class QVBoxLayout;
class RenderView;
class VideoMessage;

// The playback area: the render view over the control bar, with a logo while
// nothing plays. Turns the file list's requests into playback (stop the old
// group, build the views, start the channels), switches the area into and out
// of full screen and relays the control bar's notifications. GUI thread only.
class VideoView final : public QWidget
{
    Q_OBJECT
public:
    VideoView(QWidget *parent,
              QWidget *mainWindow,
              DisplayMessageView *telemetryPanel,
              QVBoxLayout *leftLayout);
    ~VideoView() override;

    bool isFull = false;

    PlayerTool *playerTool() const { return m_playerTool; }
    RenderView *renderView() const { return m_renderView; }
    QLabel *logo() const { return m_logo; }
    Qt::WindowFlags savedWindowFlags() const { return m_savedWindowFlags; }

signals:
    // The playing record's driving events (none for a record without).
    void eventsFound(const QVector<TelemetryEvent> &events);
    void postPlayingState();
    void willPlaySameVideo(QString url);
    void willPlayNextVideo(QString url, bool isAuto);
    void willPlayPreviousVideo(QString url);
    void starPlayNotification(VideoMessage *model);
    void starEndNotification();
    void currentPlayTime(int second);
    void videoViewWindowFrameChange(QSize size);

public slots:
    void playList(const QList<DbModel *> &models);
    void playListWithPlayerType(int type, const QList<DbModel *> &models);
    void setFullScreen(bool on);
    void addFilesStarted();
    void allFilesFinished();
    void recordsDeleted(bool isDel, bool isAll, DbModel *model);
    void closePlayer();
    void seekToSecond(int second);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setupLogo();
    void connectControlBar();
    void startGroup(const QList<DbModel *> &models, bool logSwaps);
    void showPlayError();

    PlayerTool *m_playerTool = nullptr;
    Qt::WindowFlags m_savedWindowFlags;
    QVBoxLayout *m_leftLayout;
    DisplayMessageView *m_telemetryPanel;
    QWidget *m_mainWindow;
    QWidget *m_parent;
    QLabel *m_logo = nullptr;
    int m_logoWidth = 250;
    int m_logoHeight = 50;
    RenderView *m_renderView = nullptr;
    QVBoxLayout *m_layout = nullptr;
    bool m_errorShown = false; // a group's failure is told once
};
