#pragma once

#include "playback/ChannelOutput.h"

#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

class ControlBarInterface;
class DbModel;

// The widget above the control bar in which the channels of the playing group
// appear: one view per channel (an OpenGL VideoRender, or an AVView that
// libVLC draws into), channel 0 filling the widget and the others as
// thumbnails along its top edge. A click on a thumbnail swaps it into the
// main position. GUI thread only.
class RenderView final : public QWidget
{
    Q_OBJECT
public:
    using SwapCallback = std::function<void(QWidget *, int)>;
    using FullScreenCallback = std::function<void(bool)>;
    using ToggleCallback = std::function<void()>;

    explicit RenderView(QWidget *parent = nullptr);
    ~RenderView() override;

    QList<QWidget *> initViews(const QList<DbModel *> &models,
                               ControlBarInterface *controlBar,
                               const SwapCallback &swap,
                               const FullScreenCallback &fullScreen,
                               const ToggleCallback &toggle);
    void clearViews();
    void layoutViews();
    void swapToMain(QWidget *clicked);
    void set360Mode(double mode);
    bool allViewsReady() const;
    void closePopupViews();
    void enterFullScreenGeometry();
    void restoreGeometry();

    const QList<QWidget *> &views() const { return m_views; }
    // Where each view's channel plays: into the OpenGL view as a frame sink,
    // or into the native view's own window.
    QList<ChannelOutput> channelOutputs() const;
    const QList<float> &aspects() const { return m_aspects; }
    int glViewCount() const { return m_glViewCount; }
    bool isFullScreen() const { return m_savedGeometry.width() > 0; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void createView(DbModel *model, int index);
    void connectView(QWidget *view, int index);
    void setMainControlBar(QWidget *view, QWidget *bar);

    QList<float> m_aspects;
    QList<QWidget *> m_views;
    QRect m_savedGeometry;
    QPointer<ControlBarInterface> m_controlBar;
    int m_screenWidth = 0;
    int m_screenHeight = 0;
    float m_scale = 1.0f;
    int m_glViewCount = 0;
    SwapCallback m_swapCallback;
    FullScreenCallback m_fullScreenCallback;
    ToggleCallback m_toggleCallback;
};
