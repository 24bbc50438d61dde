#pragma once

#include <QMatrix4x4>
#include <QVector3D>

// Look-at camera turned by pitch and yaw (degrees); roll is kept but unused.
// Pitch is clamped to [-minimum, +maximum] as set by setPitchLimit: a camera
// whose limits are still 0 always looks level.
class Camera
{
public:
    void reset();
    void setPitchLimit(double limit);
    void setRotation(float pitch, float yaw, float roll);
    void rotate(float dPitch, float dYaw, float dRoll);
    QMatrix4x4 viewMatrix() const;

    float pitch() const { return m_pitch; }
    float yaw() const { return m_yaw; }
    float roll() const { return m_roll; }
    QVector3D position() const { return m_position; }
    QVector3D up() const { return m_up; }
    QVector3D forward() const { return m_forward; }

private:
    float m_pitch = 0.f;
    float m_yaw = 0.f;
    float m_roll = 0.f;
    QVector3D m_position {0.f, 0.f, 0.f};
    QVector3D m_up {0.f, 1.f, 0.f};
    QVector3D m_forward {0.f, 0.f, 0.f};
    double m_maxPitch = 0.0;
    double m_minPitch = 0.0;
};
