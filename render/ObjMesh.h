#pragma once

#include <QString>
#include <memory>
#include <vector>

// One interleaved vertex as the shaders read it: position, normal, texture
// coordinate; 32 bytes, no padding.
struct ObjVertex
{
    float position[3];
    float normal[3];
    float texcoord[2];
};
static_assert(sizeof(ObjVertex) == 32, "vertex records are uploaded as they are");

// Triangle mesh parsed from a Wavefront OBJ text.
struct ObjMesh
{
    unsigned indexCount = 0;
    std::vector<unsigned> indices;
    unsigned vertexCount = 0;
    std::vector<ObjVertex> vertices;
    int faceCount = 0;
};

// Parses positions, normals, texture coordinates and triangle faces (the first
// three corners of a face line). With deduplicate, corners with the same
// position/texture/normal index triple share one vertex. Returns null when the
// file cannot be read or is empty. Indices outside the lists (or missing
// fields) read as zeros instead of running off the end.
std::unique_ptr<ObjMesh> loadObjModel(const QString &path, bool deduplicate);
