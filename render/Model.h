#pragma once

#include "render/ObjMesh.h"

#include <QMatrix4x4>
#include <QString>
#include <QVector3D>
#include <QtGui/qopengl.h>
#include <memory>

class GPUProgram;

// A mesh from an OBJ file in static GL buffers, with its own model transform.
// Created and drawn with the owning widget's context current.
class Model
{
public:
    explicit Model(const QString &path);
    // Uploads a mesh already read, so copies of one model parse it once.
    explicit Model(std::shared_ptr<const ObjMesh> mesh);
    ~Model();
    Model(const Model &) = delete;
    Model &operator=(const Model &) = delete;

    bool isValid() const { return m_mesh && m_mesh->indexCount > 0 && m_vertexArray != 0; }
    const ObjMesh *mesh() const { return m_mesh.get(); }

    void reset();
    void setRotation(float angle, float x, float y, float z);
    // Remembers the program and binds it; draw() releases it again.
    void setProgram(GPUProgram *program);
    void draw(const QMatrix4x4 &viewMat, const QMatrix4x4 &projMat);
    QMatrix4x4 modelMatrix() const;

    QVector3D translation {0.f, 0.f, 0.f};
    float rotationAngle = 0.f;
    QVector3D rotationAxis {0.f, 0.f, 0.f};
    QVector3D scale {1.f, 1.f, 1.f};

private:
    std::shared_ptr<const ObjMesh> m_mesh;
    GLuint m_vertexBuffer = 0;
    GLuint m_vertexArray = 0;
    GLuint m_indexBuffer = 0;
    GPUProgram *m_program = nullptr;
};
