#pragma once

#include "library/ThreadPtr.h"

#include <QPointer>
#include <QWidget>

class CmdModel;
class FFmpegThread;
class HudDialog;
class LeftView;
class RightView;
class QAbstractButton;
class QButtonGroup;
class QLabel;
class QPushButton;
class QToolButton;
class VideoMessage;

// The cut dialog: the user picks a range of the playing recording with two
// handles, the tracks to keep and the resolution, each with a size estimate;
// confirming runs the cut with ffmpeg on an FFmpegThread under a loading HUD
// and reports the result in a HUD prompt. Two options add the telemetry:
// speed, time and position burnt into the picture, and the range's track
// (GPX, CSV) beside the cut. The control bar creates it for the
// playing record and shows it in its host; nothing else is needed.
// Main thread only.
class VideoEdit final : public QWidget
{
    Q_OBJECT

public:
    // record: the recording to cut, not owned, must outlive the dialog.
    // owner: parent of the loading HUD and the result prompt (when a widget).
    VideoEdit(VideoMessage *record, QObject *owner, QWidget *parent = nullptr);
    ~VideoEdit() override;

    CmdModel *cutModel() const { return m_model; }
    bool isBusy() const { return m_thread != nullptr; }

signals:
    // true when a cut starts, false when it has ended (whatever the result).
    void isCuting(bool cut);

public slots:
    void on_cancelButton_clicked();
    void on_sureButton_clicked();
    QString createdResolutionButtonStyleString(bool isSelected);
    void createdCutSizeShowTextForOriginalButton(int second);
    void createdCutSizeShowTextFor720PButton(int second);
    void on_audioButton_clicked();
    void on_videoButton_clicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildForm();
    QWidget *buildRangeRow();
    QWidget *buildTrackRow();
    QWidget *buildResolutionRow();
    QWidget *buildTelemetryRow();
    QWidget *buildActionRow();
    QLabel *separator(const QString &name, int height);
    void setupModel();
    void setupConnections();
    void refreshSizes();
    void updateTrackIcons();
    // Hands the job its overlay script and, when asked, the track writer.
    void addTelemetry(CmdModel *job);
    void onResolutionChosen(QAbstractButton *button);
    void onCutFinished(bool isOk);
    void releaseWindow();

    VideoMessage *m_record;
    QPointer<QObject> m_owner;
    CmdModel *m_model = nullptr;
    double m_rate720 = 0;
    int m_duration = 0;

    QLabel *m_startLabel = nullptr;
    QLabel *m_endLabel = nullptr;
    QWidget *m_progressWidget = nullptr;
    QWidget *m_bar = nullptr;
    LeftView *m_left = nullptr;
    RightView *m_right = nullptr;
    QToolButton *m_videoButton = nullptr;
    QToolButton *m_audioButton = nullptr;
    QToolButton *m_overlayButton = nullptr;
    QToolButton *m_trackButton = nullptr;
    QButtonGroup *m_resolutionGroup = nullptr;
    QPushButton *m_buttonOriginal = nullptr;
    QPushButton *m_button720 = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_sureButton = nullptr;

    ThreadPtr<FFmpegThread> m_thread;
    QPointer<HudDialog> m_loadingHud;
    QPointer<QWidget> m_blockedWindow;
};
