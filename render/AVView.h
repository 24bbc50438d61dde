#pragma once

#include <QPoint>
#include <QWidget>

class OrbTimer;

// A channel view for the native-window path: libVLC draws into this widget's
// own window; the widget handles the playback area's clicks, keys and zoom
// like the OpenGL view does. GUI thread only.
class AVView final : public QWidget
{
    Q_OBJECT
public:
    explicit AVView(QWidget *parent = nullptr);
    ~AVView() override;

    void setControlBar(QWidget *bar) { m_controlBar = bar; }
    QWidget *controlBar() const { return m_controlBar; }
    void setIs360Video(bool is360) { m_is360Video = is360; }
    bool is360Video() const { return m_is360Video; }
    int zoomLevel() const { return m_zoomLevel; }

signals:
    void playViewShowChange(QWidget *view, int stor);
    void postFullSignals(bool isFull);
    void keyControlVideoPauseOrPlay();
    void hideShowHud();

public slots:
    void starTimeHide();
    void closeZoomAction();
    void scaleChange(bool isBig);
    void setScaleFactorZero();
    void zoombigViewAction();
    void zoomViewAction();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool isMainView() const { return m_controlBar != nullptr; }
    QWidget *playbackArea() const;
    QSize playbackAreaSize() const;
    bool playbackAreaFullScreen() const;
    void hideControlBar();

    QWidget *m_controlBar = nullptr;
    bool m_is360Video = false;
    int m_zoomLevel = 0;
    OrbTimer *m_hideTimer = nullptr;
    QPoint m_lastPos;
};
