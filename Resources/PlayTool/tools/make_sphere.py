#!/usr/bin/env python3
"""Writes sphere.obj: the unit UV sphere the panorama views are drawn on.

64 segments of longitude by 32 bands of latitude, poles on the Y axis. The
sphere is seen from its centre, so normals point inwards and triangles are
wound clockwise when seen from outside. Texture coordinates follow the
equirectangular frame: u = 0.5 - longitude/360 (longitude = atan2(x, z)),
v = 0.5 + latitude/180. The seam at -Z repeats its column (u 0 and u 1), and
each pole has one coordinate per segment.

Usage: make_sphere.py [output]   (default: sphere.obj beside this folder)
"""
import math
import os
import sys

SEGMENTS = 64
BANDS = 32


def fmt(value):
    text = "%.4f" % value
    return "0.0000" if text == "-0.0000" else text


def build():
    positions = [(0.0, 1.0, 0.0)]
    for i in range(1, BANDS):
        lat = math.radians(90.0 - i * 180.0 / BANDS)
        for j in range(SEGMENTS):
            lon = math.radians(180.0 - j * 360.0 / SEGMENTS)
            positions.append((math.cos(lat) * math.sin(lon), math.sin(lat),
                              math.cos(lat) * math.cos(lon)))
    positions.append((0.0, -1.0, 0.0))
    south = len(positions)  # 1-based index of the south pole

    texcoords = []
    for j in range(SEGMENTS):  # north pole, one per segment
        texcoords.append(((j + 0.5) / SEGMENTS, 1.0))
    for i in range(1, BANDS):
        v = 0.5 + (90.0 - i * 180.0 / BANDS) / 180.0
        for j in range(SEGMENTS + 1):
            texcoords.append((j / SEGMENTS, v))
    south_tex = len(texcoords)
    for j in range(SEGMENTS):
        texcoords.append(((j + 0.5) / SEGMENTS, 0.0))

    def pos(i, j):  # ring i (1..BANDS-1), column j (wraps at the seam)
        return 2 + (i - 1) * SEGMENTS + (j % SEGMENTS)

    def tex(i, j):
        return SEGMENTS + 1 + (i - 1) * (SEGMENTS + 1) + j

    faces = []
    for j in range(SEGMENTS):
        faces.append(((1, j + 1), (pos(1, j), tex(1, j)), (pos(1, j + 1), tex(1, j + 1))))
    for i in range(1, BANDS - 1):
        for j in range(SEGMENTS):
            ul = (pos(i, j + 1), tex(i, j + 1))
            ur = (pos(i, j), tex(i, j))
            lr = (pos(i + 1, j), tex(i + 1, j))
            ll = (pos(i + 1, j + 1), tex(i + 1, j + 1))
            faces.append((ul, ur, lr))
            faces.append((ul, lr, ll))
    last = BANDS - 1
    for j in range(SEGMENTS):
        faces.append(((pos(last, j + 1), tex(last, j + 1)), (pos(last, j), tex(last, j)),
                      (south, south_tex + 1 + j)))
    return positions, texcoords, faces


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "sphere.obj")
    positions, texcoords, faces = build()
    lines = ["# UV sphere, radius 1, %d segments x %d bands, normals inwards" % (SEGMENTS, BANDS),
             "# made by tools/make_sphere.py"]
    lines += ["v %s %s %s" % tuple(fmt(c) for c in p) for p in positions]
    lines += ["vn %s %s %s" % tuple(fmt(-c) for c in p) for p in positions]
    lines += ["vt %s %s" % (fmt(u), fmt(v)) for u, v in texcoords]
    lines += ["f " + " ".join("%d/%d/%d" % (p, t, p) for p, t in face) for face in faces]
    with open(out, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")
    print("%s: %d positions, %d texture coordinates, %d triangles"
          % (out, len(positions), len(texcoords), len(faces)))


if __name__ == "__main__":
    main()
