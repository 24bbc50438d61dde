#include "render/ObjMesh.h"

#include <QFile>
#include <QHash>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using Vec3 = std::array<float, 3>;

struct Corner
{
    int position;
    int texcoord;
    int normal;
    bool operator==(const Corner &o) const
    {
        return position == o.position && texcoord == o.texcoord && normal == o.normal;
    }
};

uint qHash(const Corner &c, uint seed = 0)
{
    return ::qHash(c.position, seed) ^ ::qHash(c.texcoord, seed * 31u + 7u)
        ^ ::qHash(c.normal, seed * 131u + 11u);
}

// "p/t/n" with 1-based indices; missing fields become -1 (no entry).
Corner parseCorner(const char *token)
{
    Corner c {-1, -1, -1};
    char text[3][64] = {{0}, {0}, {0}};
    int field = 0;
    int length = 0;
    for (const char *p = token; *p && field < 3; ++p) {
        if (*p == '/' && field < 2) {
            ++field;
            length = 0;
            continue;
        }
        if (length < 63)
            text[field][length++] = *p;
    }
    c.position = std::atoi(text[0]) - 1;
    c.texcoord = std::atoi(text[1]) - 1;
    c.normal = std::atoi(text[2]) - 1;
    return c;
}

Vec3 entry(const std::vector<Vec3> &list, int index)
{
    if (index < 0 || index >= int(list.size()))
        return Vec3 {0.f, 0.f, 0.f};
    return list[size_t(index)];
}

// A line through a 256-character buffer, as the reader always did: a longer
// line ends the parse.
bool nextLine(const QByteArray &data, int &offset, char (&line)[256])
{
    if (offset >= data.size())
        return false;
    int end = data.indexOf('\n', offset);
    if (end < 0)
        end = data.size();
    const int length = end - offset;
    if (length >= int(sizeof(line)))
        return false;
    std::memcpy(line, data.constData() + offset, size_t(length));
    line[length] = '\0';
    if (length > 0 && line[length - 1] == '\r')
        line[length - 1] = '\0';
    offset = end + 1;
    return true;
}

} // namespace

std::unique_ptr<ObjMesh> loadObjModel(const QString &path, bool deduplicate)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray data = file.readAll();
    if (data.isEmpty())
        return nullptr;

    std::vector<Vec3> positions, normals, texcoords;
    std::vector<Corner> unique;
    std::vector<unsigned> indices;
    QHash<Corner, unsigned> seen;

    char line[256];
    int offset = 0;
    while (nextLine(data, offset, line)) {
        if (line[0] == 'v') {
            Vec3 v {0.f, 0.f, 0.f};
            if (line[1] == 't') {
                std::sscanf(line + 2, "%f %f %f", &v[0], &v[1], &v[2]);
                texcoords.push_back(v);
            } else if (line[1] == 'n') {
                std::sscanf(line + 2, "%f %f %f", &v[0], &v[1], &v[2]);
                normals.push_back(v);
            } else {
                std::sscanf(line + 1, "%f %f %f", &v[0], &v[1], &v[2]);
                positions.push_back(v);
            }
        } else if (line[0] == 'f') {
            char tokens[3][64];
            if (std::sscanf(line + 1, "%63s %63s %63s", tokens[0], tokens[1], tokens[2]) != 3)
                continue;
            for (const auto &token : tokens) {
                const Corner corner = parseCorner(token);
                unsigned number;
                const auto found = deduplicate ? seen.constFind(corner) : seen.constEnd();
                if (found != seen.constEnd()) {
                    number = found.value();
                } else {
                    number = unsigned(unique.size());
                    unique.push_back(corner);
                    if (deduplicate)
                        seen.insert(corner, number);
                }
                indices.push_back(number);
            }
        }
    }

    auto mesh = std::make_unique<ObjMesh>();
    mesh->vertices.reserve(unique.size());
    for (const Corner &c : unique) {
        const Vec3 p = entry(positions, c.position);
        const Vec3 n = entry(normals, c.normal);
        const Vec3 t = entry(texcoords, c.texcoord);
        mesh->vertices.push_back(ObjVertex {{p[0], p[1], p[2]}, {n[0], n[1], n[2]}, {t[0], t[1]}});
    }
    mesh->vertexCount = unsigned(mesh->vertices.size());
    mesh->indices = std::move(indices);
    mesh->indexCount = unsigned(mesh->indices.size());
    mesh->faceCount = int(mesh->indexCount / 3);
    return mesh;
}
