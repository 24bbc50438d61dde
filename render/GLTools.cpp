#include "render/GLTools.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLShaderProgram>
#include <cstdio>

namespace {
QOpenGLExtraFunctions *gl()
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? context->extraFunctions() : nullptr;
}
} // namespace

bool checkGLError()
{
    QOpenGLExtraFunctions *f = gl();
    if (!f)
        return false;
    const GLenum error = f->glGetError();
    if (error != GL_NO_ERROR) {
        std::printf("glGetError:%d\n", int(error));
        std::fflush(stdout);
        return false;
    }
    return true;
}

GLuint createBuffer(GLenum target, GLenum usage, GLsizeiptr size, const void *data)
{
    QOpenGLExtraFunctions *f = gl();
    if (!f)
        return 0;
    GLuint name = 0;
    f->glGenBuffers(1, &name);
    f->glBindBuffer(target, name);
    f->glBufferData(target, size, data, usage);
    f->glBindBuffer(target, 0);
    return name;
}

GLuint createTexture(
    GLenum target, int width, int height, GLint internalFormat, GLenum format, const void *data)
{
    QOpenGLExtraFunctions *f = gl();
    if (!f)
        return 0;
    GLuint name = 0;
    f->glGenTextures(1, &name);
    f->glBindTexture(target, name);
    f->glTexParameteri(target, GL_TEXTURE_WRAP_S, GL_REPEAT);
    f->glTexParameteri(target, GL_TEXTURE_WRAP_T, GL_REPEAT);
    f->glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    f->glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Plane rows are tightly packed; odd widths must not be read as padded rows.
    f->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // No mipmaps: the filters never read them, and building them for each new
    // texture costs a software GL a shader compile per context.
    f->glTexImage2D(target, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE, data);
    f->glBindTexture(target, 0);
    return name;
}

QOpenGLShaderProgram *CreateGPUProgram(QObject *parent,
                                       QOpenGLShader::ShaderType vertexType,
                                       const QString &vertexPath,
                                       QOpenGLShader::ShaderType fragmentType,
                                       const QString &fragmentPath)
{
    auto *program = new QOpenGLShaderProgram(parent);
    const bool vertexOk = program->addShaderFromSourceFile(vertexType, vertexPath);
    const bool fragmentOk = program->addShaderFromSourceFile(fragmentType, fragmentPath);
    if (!vertexOk || !fragmentOk || !program->link()) {
        qDebug() << "CreateGPUProgram Failed:" << program->log();
        delete program;
        return nullptr;
    }
    return program;
}
