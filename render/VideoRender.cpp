#include "render/VideoRender.h"

#include "controls/OrbTimer.h"
#include "render/GLTools.h"
#include "render/GPUProgram.h"
#include "render/Model.h"
#include "render/PlaybackArea.h"
#include "render/RenderGeometry.h"
#include "render/Texture2D.h"

#include <QDebug>
#include <QGuiApplication>
#include <QOpenGLContext>
#include <QScreen>
#include <QSurfaceFormat>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {
const char *const kVertexShader = ":/Resources/PlayTool/Video_vertex.glsl";
const char *const kFragmentShader = ":/Resources/PlayTool/Video_fragment_YUV.glsl";
const char *const kQuadMesh = ":/Resources/PlayTool/quad.obj";
const char *const kSphereMesh = ":/Resources/PlayTool/sphere.obj";
} // namespace

class VideoRender::ContextScope
{
public:
    explicit ContextScope(VideoRender *widget)
        : m_widget(widget)
    {
        if (m_widget->context() && QOpenGLContext::currentContext() != m_widget->context()) {
            m_widget->makeCurrent();
            m_active = true;
        }
    }
    ~ContextScope()
    {
        if (m_active)
            m_widget->doneCurrent();
    }
    bool hasContext() const { return QOpenGLContext::currentContext() == m_widget->context(); }

private:
    VideoRender *m_widget;
    bool m_active = false;
};

VideoRender::VideoRender(int renderType, QWidget *parent)
    : QOpenGLWidget(parent)
    , m_hideTimer(new OrbTimer(this))
    , m_renderType(renderType)
{
    setFocusPolicy(Qt::StrongFocus);
    initRenderClass();
}

VideoRender::VideoRender(QWidget *parent, int renderType)
    : QOpenGLWidget(parent)
    , m_hideTimer(new OrbTimer(this))
    , m_renderType(renderType)
{
    initRenderClass();
}

VideoRender::~VideoRender()
{
    if (context())
        disconnect(context(), nullptr, this, nullptr);
    {
        ContextScope scope(this);
        closeTexture2D();
        m_spheres = {};
        m_quad.reset();
        m_program.reset();
    }
    removeEventFilter(this);
    qDebug() << "VideoRender close";
}

void VideoRender::initRenderClass()
{
    qDebug() << "3DVideoType:::" << m_renderType;
    m_framesTaken = 0;
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    const QList<QScreen *> screens = QGuiApplication::screens();
    m_pixelRatio = screens.isEmpty() ? 1.0 : screens.last()->devicePixelRatio();
    installEventFilter(this);
    setMouseTracking(true);
    connect(m_hideTimer, &OrbTimer::timeout, this, &VideoRender::hideControlBar);

    // glPolygonMode and luminance textures need a compatibility profile.
    QSurfaceFormat surface = format();
    surface.setProfile(QSurfaceFormat::CompatibilityProfile);
    surface.setDepthBufferSize(24);
    setFormat(surface);
}

float VideoRender::sphereRotation(int sphere) const
{
    if (sphere < 0 || sphere >= SphereCount || !m_spheres[size_t(sphere)])
        return 0.f;
    return m_spheres[size_t(sphere)]->rotationAngle;
}

void VideoRender::initializeGL()
{
    m_glReady = false;
    initializeOpenGLFunctions();
    const char *version = reinterpret_cast<const char *>(glGetString(GL_VERSION));
    Q_UNUSED(version)
    // A widget moved into another window gets a new context: give the GL
    // objects back while the old one is still current.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &VideoRender::releaseGL,
            Qt::UniqueConnection);

    m_program = std::make_unique<GPUProgram>(this, kVertexShader, kFragmentShader);
    m_quad = std::make_unique<Model>(kQuadMesh);
    m_spheres = {};
    if (m_is360Video)
        makeSpheres();

    glEnable(GL_DEPTH_TEST);
    using PolygonMode = void(QOPENGLF_APIENTRYP)(GLenum, GLenum);
    if (!context()->isOpenGLES()) {
        auto polygonMode
            = reinterpret_cast<PolygonMode>(context()->getProcAddress("glPolygonMode"));
        if (polygonMode)
            polygonMode(GL_FRONT, GL_FILL);
    }
    const bool noError = checkGLError();
    bool meshesOk = m_quad->isValid();
    for (const auto &sphere : m_spheres)
        meshesOk = meshesOk && (!m_is360Video || (sphere && sphere->isValid()));
    if (!m_program->isValid() || !meshesOk || !noError) {
        // The picture stays black; the widget keeps working without GL drawing.
        qWarning() << "VideoRender: OpenGL initialisation failed";
        return;
    }
    m_glReady = true;
    if (m_texturesWanted) {
        initSmpTex();
        // The models were rebuilt: give them the mode's rotations again, but
        // keep the user's camera angles.
        const Camera camera = m_mainCamera;
        const int fov = m_fieldOfView;
        const int selected = m_selectedView;
        SerModelCameraDefault();
        m_mainCamera = camera;
        m_fieldOfView = fov;
        m_selectedView = selected;
    }
}

void VideoRender::releaseGL()
{
    ContextScope scope(this);
    const bool wanted = m_texturesWanted;
    closeTexture2D();
    m_texturesWanted = wanted;
    m_spheres = {};
    m_quad.reset();
    m_program.reset();
    m_glReady = false;
}

void VideoRender::resizeGL(int w, int h)
{
    glViewport(0, 0, w, h);
}

void VideoRender::setValueIS3DVideo(bool isOK)
{
    m_is360Video = isOK;
    if (isOK && m_glReady && !m_spheres[S1]) {
        ContextScope scope(this);
        makeSpheres();
    }
}

// Only panoramic pictures are drawn on spheres: flat views skip the large
// mesh, and the five spheres share one parse of it.
void VideoRender::makeSpheres()
{
    const std::shared_ptr<const ObjMesh> mesh(loadObjModel(QString::fromLatin1(kSphereMesh), true));
    if (!mesh)
        qWarning() << "Model: cannot read mesh" << kSphereMesh;
    for (auto &sphere : m_spheres)
        sphere = std::make_unique<Model>(mesh);
}

void VideoRender::initTexture(int width, int height, float rate)
{
    Q_UNUSED(rate)
    qDebug() << "initTexture";
    setDefaultWh(true, width, height);
    m_lastFrameSize = 0;
    initSmpTex();
    SerModelCameraDefault();
    m_readyForFrame = true;
    m_framesTaken = 0;
}

void VideoRender::setDefaultWh(bool isInit, int width, int height)
{
    if (isInit) {
        // A missing or absurd stored size leaves the widget without buffers:
        // every frame is then dropped and the picture stays black.
        const bool usable
            = width > 0 && height > 0 && width <= MaxFrameSide && height <= MaxFrameSide;
        if (!usable)
            qWarning() << "initTexture: unusable frame size" << width << height;
        m_videoWidth = usable ? width : 0;
        m_videoHeight = usable ? height : 0;
        m_expectedFrameSize = m_videoWidth * m_videoHeight;
    }
    m_textureWidth = m_videoWidth;
    m_textureHeight = panoramaMode() == PanoramaMode::Flat || m_videoHeight == 0
        ? m_videoHeight
        : RenderGeometry::panoramicTextureHeight(m_videoHeight, m_padScale);
    m_aspect
        = RenderGeometry::displayAspect(m_is360Video, m_renderType, m_videoWidth, m_videoHeight);
    const int chroma = (m_textureWidth / 2) * (m_textureHeight / 2);
    m_planes[0] = QByteArray(m_textureWidth * m_textureHeight, char(0));
    m_planes[1] = QByteArray(chroma, char(128));
    m_planes[2] = QByteArray(chroma, char(128));
}

void VideoRender::updateTexture2D(
    int width, int height, int linesize, VideoDataOrb data, QString url)
{
    Q_UNUSED(width)
    Q_UNUSED(height)
    Q_UNUSED(linesize)
    Q_UNUSED(url)
    const int n = data.planes[0].size();
    const int chroma = (m_videoWidth / 2) * (m_videoHeight / 2);
    // Short chroma planes would be read past their end by the upload.
    if (n == 0 || n != m_expectedFrameSize || !m_acceptFrames || m_planes[0].isEmpty()
        || !m_readyForFrame || data.planes[1].size() < chroma || data.planes[2].size() < chroma)
        return;

    ++m_framesTaken;
    m_readyForFrame = false;
    m_lastFrameSize = n;
    if (panoramaMode() == PanoramaMode::Flat) {
        for (size_t i = 0; i < 3; ++i)
            m_planes[i] = data.planes[i];
    } else {
        // The padded buffers are ours alone and their border rows stay black,
        // so only the picture rows are written: one copy per frame.
        const int top = int(float(m_topRows) * m_padScale);
        std::memcpy(m_planes[0].data() + qsizetype(top) * m_textureWidth,
                    data.planes[0].constData(), size_t(n));
        const int chromaOffset = (top / 2) * (m_textureWidth / 2);
        for (size_t i = 1; i < 3; ++i)
            std::memcpy(m_planes[i].data() + chromaOffset, data.planes[i].constData(),
                        size_t(chroma));
    }
    update();
}

void VideoRender::initSmpTex()
{
    m_texturesWanted = true;
    ContextScope scope(this);
    if (!m_glReady || !scope.hasContext() || m_textureWidth <= 0 || m_textureHeight <= 0)
        return; // initializeGL builds them once the widget has a context

    static const char *const names[TextureSetCount]
        = {"smpTex4",  "smpTex0", "smpTex01", "smpTex1",  "smpTex10", "smpTex11", "smpTex12",
           "smpTex13", "smpTex2", "smpTex21", "smpTex22", "smpTex23", "smpTex3"};
    std::vector<TextureSetId> ids;
    switch (panoramaMode()) {
    case PanoramaMode::UpperAndLower:
        ids = {ZeroLower, ZeroUpper};
        break;
    case PanoramaMode::MainAndSides:
        ids = {OneMain, OneSide0, OneSide1, OneSide2, OneSide3};
        break;
    case PanoramaMode::Quarters:
        ids = {TwoUpperLeft, TwoUpperRight, TwoLowerLeft, TwoLowerRight};
        break;
    case PanoramaMode::Sphere:
        ids = {ThreeMain};
        break;
    default:
        ids = {FlatSet};
        break;
    }
    const int cw = m_textureWidth / 2;
    const int ch = m_textureHeight / 2;
    for (TextureSetId id : ids) {
        TextureSet &set = m_sets[size_t(id)];
        const QString base = QString::fromLatin1(names[id]);
        set.y = std::make_unique<Texture2D>(m_textureWidth, m_textureHeight, GL_LUMINANCE,
                                            GL_LUMINANCE, nullptr, base);
        set.u
            = std::make_unique<Texture2D>(cw, ch, GL_LUMINANCE, GL_LUMINANCE, nullptr, base + "U");
        set.v
            = std::make_unique<Texture2D>(cw, ch, GL_LUMINANCE, GL_LUMINANCE, nullptr, base + "V");
    }
}

void VideoRender::closeTexture2D()
{
    m_texturesWanted = false;
    ContextScope scope(this);
    for (TextureSet &set : m_sets) {
        if (!set.y)
            continue;
        set.y.reset();
        set.u.reset();
        set.v.reset();
    }
}

void VideoRender::closeSmpTex()
{
    closeTexture2D();
    update();
}

bool VideoRender::isYUVAllZero(const QByteArray &data)
{
    return std::all_of(data.cbegin(), data.cend(), [](char c) { return c == 0; });
}

void VideoRender::paintGL()
{
    // QPainter (the green frame of mode 1) leaves depth testing off.
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.f, 0.f, 0.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!m_glReady || m_planes[0].isEmpty() || m_lastFrameSize != m_expectedFrameSize)
        return;

    QMatrix4x4 projection;
    projection.perspective(float(m_fieldOfView), m_aspect, 0.1f, 100.f);
    switch (panoramaMode()) {
    case PanoramaMode::UpperAndLower:
        renderTypeZero(projection);
        break;
    case PanoramaMode::MainAndSides:
        renderTypeOne(projection);
        break;
    case PanoramaMode::Quarters:
        renderTypeTwo(projection);
        break;
    case PanoramaMode::Sphere:
        renderTypeThree(projection);
        break;
    default:
        renderTypeFour();
        break;
    }
    m_readyForFrame = true;
}

QRectF VideoRender::letterboxViewport()
{
    const QRectF box = RenderGeometry::letterbox(QSizeF(size()), m_aspect);
    m_viewportOrigin = QPoint(int(box.x()), int(box.y()));
    return box;
}

void VideoRender::setDeviceViewport(const QRectF &logical)
{
    const QRect device = RenderGeometry::toDevice(logical, m_pixelRatio);
    glViewport(device.x(), device.y(), device.width(), device.height());
}

bool VideoRender::createApplyShader(Model *model, TextureSet &set)
{
    if (!model || !set.y || !m_program)
        return false;
    const int cw = m_textureWidth / 2;
    const int ch = m_textureHeight / 2;
    set.y->update(m_textureWidth, m_textureHeight, m_textureWidth, m_planes[0].constData());
    set.u->update(cw, ch, cw, m_planes[1].constData());
    set.v->update(cw, ch, cw, m_planes[2].constData());
    model->setProgram(m_program.get());
    m_program->setTexture("smp1", set.y.get());
    m_program->setTexture("smp2", set.u.get());
    m_program->setTexture("smp3", set.v.get());
    return true;
}

void VideoRender::drawModel(Model *model,
                            TextureSet &set,
                            const QRectF &viewport,
                            const QMatrix4x4 &view,
                            const QMatrix4x4 &projection)
{
    setDeviceViewport(viewport);
    if (createApplyShader(model, set))
        model->draw(view, projection);
}

void VideoRender::renderTypeFour()
{
    TextureSet &set = m_sets[FlatSet];
    if (!set.y)
        return;
    drawModel(m_quad.get(), set, letterboxViewport(), QMatrix4x4(), QMatrix4x4());
}

// Zoom of the flat picture ------------------------------------------------------

QWidget *VideoRender::playbackArea() const
{
    return PlaybackArea::of(this);
}

bool VideoRender::playbackAreaFullScreen() const
{
    return PlaybackArea::isFullScreen(this);
}

QSize VideoRender::playbackAreaSize() const
{
    return PlaybackArea::size(this, m_controlBar);
}

void VideoRender::zoombigViewAction()
{
    m_zoomLevel += 1;
    if (m_zoomLevel > RenderGeometry::kMaxZoomLevel) {
        m_zoomLevel = RenderGeometry::kMaxZoomLevel;
        return;
    }
    qDebug() << "scaleZoomscaleZoombig:" << m_zoomLevel;
    setGeometry(RenderGeometry::zoomStepGeometry(size(), playbackAreaSize(), true));
}

void VideoRender::zoomViewAction()
{
    if (m_zoomLevel <= 0)
        return;
    qDebug() << "scaleZoomscaleZoombig11111:" << m_zoomLevel;
    m_zoomLevel -= 1;
    setGeometry(RenderGeometry::zoomStepGeometry(size(), playbackAreaSize(), false));
}

void VideoRender::resetZoom()
{
    m_zoomLevel = 0;
    if (!isMainView())
        return;
    setGeometry(PlaybackArea::resetGeometry(this, m_controlBar));
}

void VideoRender::closeZoomAction()
{
    resetZoom();
}

void VideoRender::setScaleFactorZero()
{
    m_zoomLevel = 0;
}

void VideoRender::scaleChange(bool isBig)
{
    if (!isMainView())
        return;
    if (isPanoramaMode()) {
        m_fieldOfView = RenderGeometry::stepFieldOfView(m_fieldOfView, isBig);
        qDebug() << "angleWangleWangleWangleW::::::::::::" << m_fieldOfView;
        update();
        return;
    }
    if (isBig)
        zoombigViewAction();
    else
        zoomViewAction();
}

// Control bar auto-hide ---------------------------------------------------------

void VideoRender::starTimeHide()
{
    if (m_controlBar && m_controlBar->isHidden()) {
        qDebug() << "点击了鼠标创建定时器";
        m_controlBar->show();
    } else {
        qDebug() << "点击了鼠标重置定时器";
    }
    m_hideTimer->start(3000);
}

void VideoRender::hideControlBar()
{
    if (m_controlBar && playbackAreaFullScreen()) {
        emit hideShowHud();
        m_controlBar->hide();
    }
}
