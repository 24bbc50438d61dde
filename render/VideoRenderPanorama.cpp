// The panorama modes of VideoRender: spheres seen from inside, their cameras
// and the view layouts of modes 0, 1, 2 and 4.
#include "render/VideoRender.h"

#include "render/Model.h"
#include "render/RenderGeometry.h"
#include "render/Texture2D.h"

#include <QDebug>
#include <QPainter>

void VideoRender::SerModelCameraDefault()
{
    m_fieldOfView = RenderGeometry::kDefaultFieldOfView;
    m_mainCamera.reset();
    for (Sphere s : {S1, S3, S4, S5}) {
        if (m_spheres[s])
            m_spheres[s]->reset();
    }
    auto turn = [this](Sphere s, float angle) {
        if (m_spheres[s])
            m_spheres[s]->setRotation(angle, 0.f, 1.f, 0.f);
    };
    switch (panoramaMode()) {
    case PanoramaMode::UpperAndLower:
        m_mainCamera.setPitchLimit(10);
        turn(S1, -90.f);
        turn(S3, 90.f);
        break;
    case PanoramaMode::MainAndSides: {
        m_mainCamera.setPitchLimit(89);
        turn(S1, -90.f);
        m_selectedView = 0;
        const float yaws[4] = {180.f, 0.f, 90.f, -90.f};
        for (size_t i = 0; i < m_sideCameras.size(); ++i) {
            m_sideCameras[i].setPitchLimit(0);
            m_sideCameras[i].setRotation(0.f, yaws[i], 0.f);
        }
        break;
    }
    case PanoramaMode::Quarters:
        m_mainCamera.setPitchLimit(89);
        turn(S1, -90.f);
        turn(S3, 90.f);
        turn(S4, 180.f);
        turn(S5, 0.f);
        break;
    case PanoramaMode::Sphere:
        m_mainCamera.setPitchLimit(89);
        turn(S1, -90.f);
        break;
    default:
        return;
    }
    m_mainCamera.setRotation(0.f, 180.f, 0.f);
}

void VideoRender::setPanoramaMode(int mode)
{
    if (!m_is360Video)
        return;
    qDebug() << "ughjghjvghvfghvghvg:::::" << mode;
    if (mode == m_renderType)
        return;
    m_singleView = false;
    m_selectedView = -1;
    closeTexture2D();
    m_renderType = mode;
    setDefaultWh(false);
    // The buffers are black again; nothing is drawn until the next frame.
    m_lastFrameSize = 0;
    m_readyForFrame = true;
    SerModelCameraDefault();
    initSmpTex();
    update();
}

void VideoRender::renderTypeZero(const QMatrix4x4 &projMat)
{
    if (!m_sets[ZeroLower].y)
        return;
    const auto views = RenderGeometry::modeZeroViews(size(), m_aspect);
    m_viewportOrigin = QPoint(views.lower.x(), 0);
    const QMatrix4x4 view = m_mainCamera.viewMatrix();
    drawModel(m_spheres[S1].get(), m_sets[ZeroLower], QRectF(views.lower), view, projMat);
    drawModel(m_spheres[S3].get(), m_sets[ZeroUpper], QRectF(views.upper), view, projMat);
}

void VideoRender::renderTypeOne(const QMatrix4x4 &projMat)
{
    if (!m_sets[OneMain].y)
        return;
    drawModel(m_spheres[S1].get(), m_sets[OneMain], letterboxViewport(), m_mainCamera.viewMatrix(),
              projMat);

    const RenderGeometry::SideColumn column = RenderGeometry::sideColumn(size(), m_aspect);
    if (column.width <= 0)
        return;
    const Sphere spheres[4] = {S2, S3, S4, S5};
    for (int i = 0; i < 4; ++i) {
        // The side views lie over the main view: start each with a fresh depth.
        const QRect device = RenderGeometry::toDevice(column.gl(i), m_pixelRatio);
        glEnable(GL_SCISSOR_TEST);
        glScissor(device.x(), device.y(), device.width(), device.height());
        glClear(GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        drawModel(m_spheres[spheres[i]].get(), m_sets[size_t(OneSide0 + i)], column.gl(i),
                  m_sideCameras[size_t(i)].viewMatrix(), projMat);
    }
    if (m_selectedView >= 0 && m_selectedView < 4) {
        QPainter painter(this);
        painter.setPen(Qt::green);
        painter.drawRect(column.widget(m_selectedView));
    }
}

void VideoRender::renderTypeTwo(const QMatrix4x4 &projMat)
{
    if (!m_sets[TwoUpperLeft].y)
        return;
    const QMatrix4x4 view = m_mainCamera.viewMatrix();
    // Index = the gl quarter: 0 lower left, 1 lower right, 2 upper left, 3 upper right.
    const Sphere quarterSpheres[4] = {S4, S5, S1, S3};
    const TextureSetId quarterSets[4] = {TwoLowerLeft, TwoLowerRight, TwoUpperLeft, TwoUpperRight};
    if (!m_singleView) {
        letterboxViewport();
        for (int i = 0; i < 4; ++i)
            drawModel(m_spheres[quarterSpheres[i]].get(), m_sets[quarterSets[i]],
                      RenderGeometry::quarterGl(size(), m_aspect, i), view, projMat);
        return;
    }
    // The selected quarter, numbered from the top as the hit test counts it.
    const Sphere singleSpheres[4] = {S1, S3, S4, S5};
    const TextureSetId singleSets[4] = {TwoUpperLeft, TwoUpperRight, TwoLowerLeft, TwoLowerRight};
    if (m_selectedView < 0 || m_selectedView > 3)
        return;
    drawModel(m_spheres[singleSpheres[m_selectedView]].get(), m_sets[singleSets[m_selectedView]],
              letterboxViewport(), view, projMat);
}

void VideoRender::renderTypeThree(const QMatrix4x4 &projMat)
{
    if (!m_sets[ThreeMain].y)
        return;
    drawModel(m_spheres[S1].get(), m_sets[ThreeMain], letterboxViewport(),
              m_mainCamera.viewMatrix(), projMat);
}

bool VideoRender::selectSideView(const QPoint &pos)
{
    const int k = RenderGeometry::sideViewAt(size(), m_aspect, pos);
    if (k < 0)
        return false;
    const float yaws[4] = {180.f, 0.f, -90.f, 90.f};
    m_selectedView = k;
    m_mainCamera.setRotation(0.f, yaws[k], 0.f);
    update();
    return true;
}

bool VideoRender::selectQuarter(const QPoint &pos)
{
    if (m_singleView) {
        m_singleView = false;
        m_selectedView = -1;
        update();
        return true;
    }
    const int k = RenderGeometry::quarterAt(size(), m_aspect, pos);
    if (k >= 0) {
        m_selectedView = k;
        m_singleView = true;
        qDebug() << "MouseButtonDblClick";
        update();
    }
    return true;
}
