#include "render/Model.h"

#include "render/GLTools.h"
#include "render/GPUProgram.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLShaderProgram>

namespace {
QOpenGLExtraFunctions *gl()
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? context->extraFunctions() : nullptr;
}
} // namespace

Model::Model(const QString &path)
    : Model(std::shared_ptr<const ObjMesh>(loadObjModel(path, true)))
{
    if (!m_mesh)
        qWarning() << "Model: cannot read mesh" << path;
}

Model::Model(std::shared_ptr<const ObjMesh> mesh)
    : m_mesh(std::move(mesh))
{
    QOpenGLExtraFunctions *f = gl();
    if (!f)
        return;
    f->glGenVertexArrays(1, &m_vertexArray);
    f->glBindVertexArray(m_vertexArray);
    if (m_mesh) {
        m_vertexBuffer = createBuffer(GL_ARRAY_BUFFER, GL_STATIC_DRAW,
                                      GLsizeiptr(m_mesh->vertexCount * sizeof(ObjVertex)),
                                      m_mesh->vertices.data());
        m_indexBuffer = createBuffer(GL_ELEMENT_ARRAY_BUFFER, GL_STATIC_DRAW,
                                     GLsizeiptr(m_mesh->indexCount * sizeof(unsigned)),
                                     m_mesh->indices.data());
    }
    f->glBindVertexArray(0);
}

Model::~Model()
{
    // The buffers live in the shared context group, which outlives this widget's
    // context, so they are freed here rather than left to the context.
    QOpenGLExtraFunctions *f = gl();
    if (!f)
        return;
    if (m_vertexBuffer)
        f->glDeleteBuffers(1, &m_vertexBuffer);
    if (m_indexBuffer)
        f->glDeleteBuffers(1, &m_indexBuffer);
    if (m_vertexArray)
        f->glDeleteVertexArrays(1, &m_vertexArray);
}

void Model::reset()
{
    translation = QVector3D(0.f, 0.f, 0.f);
    rotationAngle = 0.f;
    rotationAxis = QVector3D(0.f, 0.f, 0.f);
    scale = QVector3D(1.f, 1.f, 1.1f);
}

void Model::setRotation(float angle, float x, float y, float z)
{
    rotationAngle = angle;
    rotationAxis = QVector3D(x, y, z);
}

void Model::setProgram(GPUProgram *program)
{
    m_program = program;
    if (m_program)
        m_program->bind(true);
}

QMatrix4x4 Model::modelMatrix() const
{
    QMatrix4x4 model;
    model.translate(translation);
    model.rotate(rotationAngle, rotationAxis);
    model.scale(scale);
    return model;
}

void Model::draw(const QMatrix4x4 &viewMat, const QMatrix4x4 &projMat)
{
    QOpenGLExtraFunctions *f = gl();
    if (!f || !m_program || !m_program->isValid() || !isValid())
        return;
    f->glBindVertexArray(m_vertexArray);
    f->glBindBuffer(GL_ARRAY_BUFFER, m_vertexBuffer);
    const struct
    {
        int location;
        int size;
        size_t offset;
    } attributes[] = {{m_program->posLocation, 3, 0},
                      {m_program->colorLocation, 3, 12},
                      {m_program->texcoordLocation, 2, 24}};
    for (const auto &a : attributes) {
        if (a.location < 0)
            continue;
        f->glEnableVertexAttribArray(GLuint(a.location));
        f->glVertexAttribPointer(GLuint(a.location), a.size, GL_FLOAT, GL_FALSE,
                                 GLsizei(sizeof(ObjVertex)),
                                 reinterpret_cast<const void *>(a.offset));
    }
    f->glBindBuffer(GL_ARRAY_BUFFER, 0);

    QOpenGLShaderProgram *program = m_program->program();
    program->setUniformValue(m_program->modelMatLocation, modelMatrix());
    program->setUniformValue(m_program->viewMatLocation, viewMat);
    program->setUniformValue(m_program->projMatLocation, projMat);

    f->glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_indexBuffer);
    f->glDrawElements(GL_TRIANGLES, GLsizei(m_mesh->indexCount), GL_UNSIGNED_INT, nullptr);
    f->glBindVertexArray(0);
    m_program->bind(false);
}
