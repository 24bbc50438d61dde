#include "render/Camera.h"

#include <algorithm>
#include <cmath>

namespace {
// The value the viewing directions have always been computed with.
constexpr double kPi = 3.14159266;
} // namespace

void Camera::reset()
{
    m_position = QVector3D(0.f, 0.f, 0.f);
    m_up = QVector3D(0.f, 1.f, 0.f);
    setRotation(0.f, 0.f, 0.f);
}

void Camera::setPitchLimit(double limit)
{
    m_maxPitch = limit;
    m_minPitch = limit;
}

void Camera::setRotation(float pitch, float yaw, float roll)
{
    pitch = float(std::clamp(double(pitch), -m_minPitch, m_maxPitch));
    m_pitch = pitch;
    m_yaw = yaw;
    m_roll = roll;
    const double p = pitch * kPi / 180.0;
    const double y = yaw * kPi / 180.0;
    m_forward = QVector3D(float(std::sin(y) * std::cos(p)), float(std::sin(p)),
                          float(std::cos(y) * std::cos(p)))
                    .normalized();
}

void Camera::rotate(float dPitch, float dYaw, float dRoll)
{
    setRotation(m_pitch + dPitch, m_yaw + dYaw, m_roll + dRoll);
}

QMatrix4x4 Camera::viewMatrix() const
{
    QMatrix4x4 view;
    view.lookAt(m_position, m_position + m_forward, m_up);
    return view;
}
