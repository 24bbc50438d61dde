#pragma once

#include <QOpenGLShader>
#include <QtGui/qopengl.h>

class QObject;
class QOpenGLShaderProgram;
class QString;

// Small helpers over the current OpenGL context (GUI thread, context current).

// Prints "glGetError:%d" for a pending error; false when there was one.
bool checkGLError();

GLuint createBuffer(GLenum target, GLenum usage, GLsizeiptr size, const void *data);

// Linear filtering, repeat wrapping, unsigned bytes; data may be null.
GLuint createTexture(
    GLenum target, int width, int height, GLint internalFormat, GLenum format, const void *data);

// Builds and links a program from two source files (resource paths allowed),
// owned by parent. Null, with "CreateGPUProgram Failed:" and the log, on failure.
QOpenGLShaderProgram *CreateGPUProgram(QObject *parent,
                                       QOpenGLShader::ShaderType vertexType,
                                       const QString &vertexPath,
                                       QOpenGLShader::ShaderType fragmentType,
                                       const QString &fragmentPath);
