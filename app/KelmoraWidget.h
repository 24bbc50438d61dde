#pragma once

#include <QRect>
#include <QStringList>
#include <QWidget>

// Size and place of the main window for a primary screen of the given size.
QRect mainWindowGeometry(int screenWidth, int screenHeight);

// The top-level window. The panels are composed into it by the entry function.
class KelmoraWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit KelmoraWidget(QWidget *parent = nullptr);

signals:
    void closePlayer();
    void enterFull(bool isfull);
    void VideoPauseOrPlay();
    void VideoStop();
    void mainWindowChangeSize(QRect changeRect);
    void mainWindowChangePoint(QRect changeRect);
    // Local files or folders dropped anywhere on the window.
    void pathsDropped(const QStringList &paths);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
