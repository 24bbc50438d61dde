#pragma once

#include "library/TelemetryEvents.h"
#include "library/ThreadPtr.h"
#include "playback/PlayObjectState.h"
#include "render/ControlBarInterface.h"
#include "render/RenderView.h"

#include <QList>
#include <QPointer>
#include <QVector>

class AwakeLock;
class CmdModel;
class DbModel;
class FFmpegThread;
class OrbPlayer;
class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class VideoMessage;
class VideoSlider;

// The control bar under the picture: position slider, time labels and the row
// of thirteen buttons. Owns the multi-channel player, mirrors its state,
// opens the popup panels (inside the render view in full screen, as separate
// frameless windows otherwise), runs still captures and tells the playback
// view by signals what the user asked for. GUI thread only.
class PlayerTool final : public ControlBarInterface
{
    Q_OBJECT
public:
    explicit PlayerTool(QWidget *parent = nullptr,
                        int playerArgument = 0,
                        QWidget *hostWidget = nullptr);
    ~PlayerTool() override;

    void pause();
    void togglePlayPause();
    void stop();
    bool isPlaying() const;
    void setZoomButtonsHidden(bool hidden);
    void setZoomButtonsEnabled(bool enabled) override;
    void setPanoramaButtonEnabled(bool enabled) override;
    void clearPopupReferences() override;
    void resetProgress();
    // Plays every channel from this second of the recording (the map's route
    // was clicked); a second outside the recording is ignored.
    void seekToSecond(int second);
    // The playing record's driving events: marked on the slider and passed on
    // by eventsFound.
    void showEvents(const QVector<TelemetryEvent> &events);
    const QVector<TelemetryEvent> &events() const { return m_events; }
    void uncheckFullButton();
    void handleRecordsDeleted(bool isDel, bool isAll, DbModel *record, QWidget *widget);

    void setHostWidget(QWidget *widget) { m_hostWidget = widget; }
    QWidget *hostWidget() const { return m_hostWidget; }
    void setEmbedded(bool embedded);
    bool isEmbedded() const { return m_embedded; }
    void setRenderView(RenderView *view) { m_renderView = view; }
    void setGroupList(const QList<DbModel *> &models) { m_groupList = models; }
    OrbPlayer *player() const { return m_player; }
    VideoMessage *currentRecord() const { return m_currentRecord; }
    // Held while a recording plays.
    AwakeLock *awakeLock() const { return m_awake; }
    // Whether any embedded popup is open.
    bool hasEmbeddedPopup() const;
    // Elapsed or total label text for a position in milliseconds; minutes
    // are not wrapped into hours.
    static QString timeText(qint64 milliseconds);

signals:
    void setSpeedPlay();
    void postFullSignals(bool isFull);
    void hideShowHud();
    void postFullSignalsForNoFiles();
    void button360TapAction(QPushButton *button);
    void buttonSpeedTapAction(QPushButton *button);
    void buttonVoiceTapAction(QPushButton *button);
    void buttonCameraTapAction(QPushButton *button);
    void buttonCutVideoTapAction(QPushButton *button);
    void sameButton(QString url);
    void nextButton(QString url, bool isAuto);
    void previousButton(QString url);
    void starPlayNotification(VideoMessage *model);
    void starEndNotification();
    void currentPlayTime(int second);
    void postPlayErrorMessage();
    void eventsFound(const QVector<TelemetryEvent> &events);

public slots:
    void on_fullButton_clicked(bool checked);
    void on_playButton_clicked(bool checked);
    void on_playSpeedButton_clicked();
    void on_volumeButton_clicked();
    void on_nextButton_clicked();
    void on_previousButton_clicked();
    void on_replayButton_clicked(bool checked);
    void on_imageButton_clicked();
    void on_cutButton_clicked();
    void changeAllState(bool state);
    void updateDurationInfo(qint64 currentInfo);
    void playbackStateChange(PlayObjectState state);
    void durationChanged(qint64 duration);
    void positionChanged(qint64 progress);
    void displayErrorMessage();
    void metaDataChanged(VideoMessage *model);
    void checkSavePath();
    void on_scaleBig_clicked();
    void on_scaleSmall_clicked();
    void on_play360_clicked();
    void on_colorButton_clicked();
    // Finds the playing record's events again with the saved limits.
    void findEvents();
    // Every channel jumps to a little before the next or previous event.
    void seekToNextEvent();
    void seekToPreviousEvent();
    // Plays at one of the speed panel's speeds, as if chosen there.
    void speedChosen(double value);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // Any popup still referenced, shown or hidden.
    bool holdsPopup() const;
    void setupForm();
    void setupButtons();
    void setupPlayer();
    void retranslate();
    bool hasOpenChannel() const;
    void closeEmbeddedPopups();
    // True when the press only closed an open embedded popup.
    bool popupPressCloses();
    bool saveFolderUsable() const;
    void showPrompt(const QString &text);
    QLabel *embeddedContainer(const QSize &size, const QString &background);
    QDialog *windowContainer(const QString &name,
                             const QSize &size,
                             bool withBackground,
                             const QString &background);
    QPoint windowPosition(QPushButton *button, const QSize &panel, bool colour) const;
    QPoint embeddedPosition(QPushButton *button, const QSize &panel, bool colour) const;
    void panoramaChosen(double value);
    void captureFinished(bool isOk);
    void sliderPressed();
    void sliderMoved(int value);
    void sliderReleased();
    void markEvents();

    QWidget *m_hostWidget = nullptr;
    bool m_embedded = false;
    QPointer<RenderView> m_renderView;
    QPointer<QWidget> m_panoramaPopup;
    QPointer<QWidget> m_speedPopup;
    QPointer<QWidget> m_soundPopup;
    QPointer<QWidget> m_cutPopup;
    OrbPlayer *m_player = nullptr;
    AwakeLock *m_awake = nullptr;
    qint64 m_duration = 0;
    VideoMessage *m_currentRecord = nullptr;
    int m_currentSecond = 0;
    QVector<TelemetryEvent> m_events;
    bool m_groupPlayed = false; // a position came since the group started
    QList<DbModel *> m_groupList;
    // The still under way; its model is the thread's child.
    ThreadPtr<FFmpegThread> m_captureThread;
    CmdModel *m_captureModel = nullptr;

    QLabel *m_starLabel = nullptr;
    QLabel *m_endLabel = nullptr;
    VideoSlider *m_slider = nullptr;
    QHBoxLayout *m_buttonRow = nullptr;
    QList<QPushButton *> m_buttons;
    QPushButton *m_scaleSmall = nullptr;
    QPushButton *m_scaleBig = nullptr;
    QPushButton *m_imageButton = nullptr;
    QPushButton *m_cutButton = nullptr;
    QPushButton *m_colorButton = nullptr;
    QPushButton *m_replayButton = nullptr;
    QPushButton *m_previousButton = nullptr;
    QPushButton *m_playButton = nullptr;
    QPushButton *m_nextButton = nullptr;
    QPushButton *m_volumeButton = nullptr;
    QPushButton *m_playSpeedButton = nullptr;
    QPushButton *m_fullButton = nullptr;
    QPushButton *m_play360 = nullptr;
};
