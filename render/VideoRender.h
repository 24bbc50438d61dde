#pragma once

#include "app/SettingChoices.h"
#include "playback/FrameSink.h"
#include "render/Camera.h"

#include <QByteArray>
#include <QMatrix4x4>
#include <QOpenGLExtraFunctions>
#include <QOpenGLWidget>
#include <QPoint>
#include <array>
#include <memory>

class GPUProgram;
class Model;
class OrbTimer;
class Texture2D;

// The OpenGL widget that shows one channel. Frames arrive by queued signal from
// the channel's decoder; at most one waits for painting, the rest are dropped.
// The Y, U and V planes go into luminance textures and the fragment shader
// converts to RGB, flat on a quad (mode 3) or inside a sphere (panorama modes
// 0, 1, 2 and 4). The view in the main position (the one given the control bar)
// also handles the playback area's clicks, keys, zoom and pan.
// GUI thread only.
class VideoRender final : public QOpenGLWidget, protected QOpenGLExtraFunctions, public FrameSink
{
    Q_OBJECT
public:
    // Panoramic channels: takes keyboard focus.
    VideoRender(int renderType, QWidget *parent);
    // Ordinary channels (mode 3).
    VideoRender(QWidget *parent, int renderType);
    ~VideoRender() override;

    // The control bar; set only on the view in the main position.
    void setControlBar(QWidget *bar) { m_controlBar = bar; }
    QWidget *controlBar() const { return m_controlBar; }
    // The decoder sets this on play and clears it on pause and close.
    void setAcceptFrames(bool accept) override { m_acceptFrames = accept; }
    QObject *frameContext() override { return this; }
    bool acceptFrames() const { return m_acceptFrames; }
    void setPadScale(float scale) { m_padScale = scale; }

    void setPanoramaMode(int mode);

    int renderType() const { return m_renderType; }
    PanoramaMode panoramaMode() const { return static_cast<PanoramaMode>(m_renderType); }
    bool is360Video() const { return m_is360Video; }
    int zoomLevel() const { return m_zoomLevel; }
    int fieldOfView() const { return m_fieldOfView; }
    int selectedView() const { return m_selectedView; }
    bool singleView() const { return m_singleView; }
    int framesTaken() const { return m_framesTaken; }
    float aspect() const { return m_aspect; }
    bool glReady() const { return m_glReady; }
    QPoint viewportOrigin() const { return m_viewportOrigin; }
    const Camera &mainCamera() const { return m_mainCamera; }
    // Whether frame planes are this widget's own copy (panorama) or shared.
    const QByteArray &plane(int index) const { return m_planes[size_t(index)]; }
    // For tests and diagnostics: the models' current rotation.
    float sphereRotation(int sphere) const;

signals:
    void playViewShowChange(QWidget *view, int stor);
    void postFullSignals(bool isFull);
    void keyControlVideoPauseOrPlay();
    void hideShowHud();
    void tapViewCloseControlView();

public slots:
    void setValueIS3DVideo(bool isOK);
    void initTexture(int width, int height, float rate) override;
    void
    updateTexture2D(int width, int height, int linesize, VideoDataOrb data, QString url) override;
    void closeSmpTex() override;
    void starTimeHide();
    void closeZoomAction();
    void scaleChange(bool isBig);
    void setScaleFactorZero();
    void zoombigViewAction();
    void zoomViewAction();

public:
    static bool isYUVAllZero(const QByteArray &data);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    // Texture sets, one per drawn view; which exist depends on the mode.
    enum TextureSetId {
        FlatSet, // "smpTex4", mode 3
        ZeroLower, // "smpTex0"
        ZeroUpper, // "smpTex01"
        OneMain, // "smpTex1"
        OneSide0, // "smpTex10" .. "smpTex13"
        OneSide1,
        OneSide2,
        OneSide3,
        TwoUpperLeft, // "smpTex2"
        TwoUpperRight, // "smpTex21"
        TwoLowerLeft, // "smpTex22"
        TwoLowerRight, // "smpTex23"
        ThreeMain, // "smpTex3", mode 4
        TextureSetCount
    };
    struct TextureSet
    {
        std::unique_ptr<Texture2D> y, u, v;
    };
    // The five spheres: S1 main view, S2..S5 side views and quarters.
    enum Sphere { S1, S2, S3, S4, S5, SphereCount };

    // Makes the widget's context current for GL work outside initializeGL and
    // paintGL, and restores it afterwards.
    class ContextScope;

    void initRenderClass();
    void setDefaultWh(bool isInit, int width = 0, int height = 0);
    void initSmpTex();
    void makeSpheres();
    void closeTexture2D();
    void SerModelCameraDefault();
    void releaseGL();
    bool createApplyShader(Model *model, TextureSet &set);
    void drawModel(Model *model,
                   TextureSet &set,
                   const QRectF &viewport,
                   const QMatrix4x4 &view,
                   const QMatrix4x4 &projection);
    void setDeviceViewport(const QRectF &logical);
    QRectF letterboxViewport();

    void renderTypeZero(const QMatrix4x4 &projMat);
    void renderTypeOne(const QMatrix4x4 &projMat);
    void renderTypeTwo(const QMatrix4x4 &projMat);
    void renderTypeThree(const QMatrix4x4 &projMat);
    void renderTypeFour();

    bool isMainView() const { return m_controlBar != nullptr; }
    bool isPanoramaMode() const { return m_is360Video && panoramaMode() != PanoramaMode::Flat; }
    QWidget *playbackArea() const;
    bool playbackAreaFullScreen() const;
    QSize playbackAreaSize() const;
    bool controlBarInputBlocked() const;
    void resetZoom();
    void hideControlBar();

    bool handleMousePress(QMouseEvent *event);
    bool handleMouseRelease(QMouseEvent *event);
    bool handleDoubleClick(QMouseEvent *event);
    bool handleMouseMove(QMouseEvent *event);
    bool handleKeyRelease(QKeyEvent *event);
    bool handleWheel(QWheelEvent *event);
    bool selectSideView(const QPoint &pos);
    bool selectQuarter(const QPoint &pos);

    QWidget *m_controlBar = nullptr;
    float m_padScale = 1.0f;
    bool m_acceptFrames = true;
    bool m_is360Video = false;
    int m_zoomLevel = 0;
    QPoint m_viewportOrigin;
    OrbTimer *m_hideTimer = nullptr;
    std::array<TextureSet, TextureSetCount> m_sets;
    Camera m_mainCamera;
    std::array<Camera, 4> m_sideCameras;
    std::unique_ptr<GPUProgram> m_program;
    std::unique_ptr<Model> m_quad;
    std::array<std::unique_ptr<Model>, SphereCount> m_spheres;
    int m_selectedView = -1;
    int m_videoWidth = 0;
    int m_videoHeight = 0;
    int m_expectedFrameSize = 0;
    int m_lastFrameSize = 0;
    double m_pixelRatio = 1.0;
    int m_renderType = 3;
    int m_topRows = 244;
    int m_bottomRows = 244;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
    float m_aspect = 1.7778f;
    int m_fieldOfView = 100;
    QPoint m_lastPos;
    float m_dragSensitivity = 0.2f;
    bool m_singleView = false;
    std::array<QByteArray, 3> m_planes;
    bool m_readyForFrame = false;
    int m_framesTaken = 0;
    bool m_glReady = false;
    // Textures belong to the current mode and size; kept across a context
    // re-creation (the widget moving to another window) and rebuilt there.
    bool m_texturesWanted = false;
};
