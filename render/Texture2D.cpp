#include "render/Texture2D.h"

#include "render/GLTools.h"

#include <QDebug>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

Texture2D::Texture2D(
    int width, int height, int internalFormat, int format, const void *data, const QString &name)
    : m_width(width)
    , m_height(height)
    , m_internalFormat(internalFormat)
    , m_format(format)
    , m_name(name)
    , m_texture(createTexture(GL_TEXTURE_2D, width, height, internalFormat, GLenum(format), data))
{
}

Texture2D::~Texture2D()
{
    qDebug() << "Texture2D close::" << m_name;
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (m_texture && context)
        context->functions()->glDeleteTextures(1, &m_texture);
}

void Texture2D::update(int width, int height, int rowLength, const void *data)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    if (!m_texture || !context || !data)
        return;
    QOpenGLFunctions *f = context->functions();
    f->glBindTexture(GL_TEXTURE_2D, m_texture);
    f->glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    f->glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    f->glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GLenum(m_format), GL_UNSIGNED_BYTE,
                       data);
    f->glBindTexture(GL_TEXTURE_2D, 0);
}
