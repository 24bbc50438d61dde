#include "render/GPUProgram.h"

#include "render/GLTools.h"
#include "render/Texture2D.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <algorithm>

GPUProgram::GPUProgram(QObject *parent, const QString &vertexPath, const QString &fragmentPath)
    : m_program(CreateGPUProgram(
        parent, QOpenGLShader::Vertex, vertexPath, QOpenGLShader::Fragment, fragmentPath))
{
    if (!m_program)
        return;
    posLocation = m_program->attributeLocation("pos");
    colorLocation = m_program->attributeLocation("color");
    texcoordLocation = m_program->attributeLocation("texcoord");
    modelMatLocation = m_program->uniformLocation("modelMat");
    viewMatLocation = m_program->uniformLocation("viewMat");
    projMatLocation = m_program->uniformLocation("projMat");
}

GPUProgram::~GPUProgram()
{
    delete m_program.data();
}

void GPUProgram::bind(bool on)
{
    if (!m_program)
        return;
    if (on) {
        std::fill(std::begin(m_unitUsed), std::end(m_unitUsed), false);
        m_program->bind();
    } else {
        m_program->release();
    }
}

bool GPUProgram::setTexture(const char *name, const Texture2D *texture)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!m_program || !texture || !context)
        return false;
    const auto free = std::find(std::begin(m_unitUsed), std::end(m_unitUsed), false);
    if (free == std::end(m_unitUsed)) {
        qWarning() << "GPUProgram: no free texture unit for" << name;
        return false;
    }
    const int unit = int(free - std::begin(m_unitUsed));
    *free = true;
    QOpenGLFunctions *f = context->functions();
    f->glActiveTexture(GLenum(GL_TEXTURE0 + unit));
    f->glBindTexture(GL_TEXTURE_2D, texture->textureId());
    const int location = m_program->uniformLocation(name);
    if (location < 0) {
        qWarning() << "GPUProgram: no sampler named" << name;
        return false;
    }
    m_program->setUniformValue(location, unit);
    return true;
}
