#pragma once

#include <QString>
#include <QtGui/qopengl.h>

// A GL_TEXTURE_2D of unsigned bytes created once per size and refilled from
// memory every frame. GUI thread, with a context of its share group current.
class Texture2D
{
public:
    Texture2D(int width,
              int height,
              int internalFormat,
              int format,
              const void *data,
              const QString &name);
    ~Texture2D();
    Texture2D(const Texture2D &) = delete;
    Texture2D &operator=(const Texture2D &) = delete;

    // rowLength lets rows be taken straight from a plane whose pitch is wider.
    void update(int width, int height, int rowLength, const void *data);

    GLuint textureId() const { return m_texture; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    QString name() const { return m_name; }

private:
    int m_width;
    int m_height;
    int m_internalFormat;
    int m_format;
    QString m_name;
    GLuint m_texture = 0;
};
