#pragma once

#include <QOpenGLShaderProgram>
#include <QPointer>
#include <QString>

class QObject;
class Texture2D;

// The video shader program with its fixed attribute and uniform names, and the
// texture units handed out to samplers since the last bind(true).
// GUI thread, with the owning widget's context current.
class GPUProgram
{
public:
    // parent owns the underlying QOpenGLShaderProgram.
    GPUProgram(QObject *parent, const QString &vertexPath, const QString &fragmentPath);
    // Deletes the shader program too (unless its parent already has), so a
    // context re-creation does not pile up dead programs under the widget.
    ~GPUProgram();
    GPUProgram(const GPUProgram &) = delete;
    GPUProgram &operator=(const GPUProgram &) = delete;

    bool isValid() const { return m_program != nullptr; }
    QOpenGLShaderProgram *program() const { return m_program; }

    // true: binds the program and frees every texture unit; false: releases it.
    void bind(bool on);
    // Binds texture to the lowest free unit and points the sampler name at it.
    // False when all 32 units are in use or the program has no such sampler.
    bool setTexture(const char *name, const Texture2D *texture);

    int posLocation = -1;
    int colorLocation = -1;
    int texcoordLocation = -1;
    int modelMatLocation = -1;
    int viewMatLocation = -1;
    int projMatLocation = -1;

private:
    QPointer<QOpenGLShaderProgram> m_program;
    bool m_unitUsed[32] = {};
};
