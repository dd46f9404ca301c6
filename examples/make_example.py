#!/usr/bin/env python3
"""Draws the bundled example, examples/lineart.png: line art to flat.

Closed shapes outlined by anti-aliased dark lines on white (a circle cut in half, a rectangle that overlaps it,
a triangle inside the rectangle, an ellipse), a few tiny enclosed specks (rings around a handful of white
pixels, the kind of area that flagging and joining are for) and one square whose outline has a gap, so that
its inside runs into the background. Python standard library only; the PNG is written with zlib.
"""
import math
import pathlib
import struct
import zlib

WIDTH, HEIGHT = 512, 352
PAPER = (255, 255, 255)
INK = (28, 26, 36)
HALF_WIDTH = 1.6  # half the line width in pixels


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def polygon(points):
    edges = list(zip(points, points[1:] + points[:1]))
    return lambda x, y: min(segment_distance(x, y, *a, *b) for a, b in edges)


def polyline(points):
    edges = list(zip(points, points[1:]))
    return lambda x, y: min(segment_distance(x, y, *a, *b) for a, b in edges)


def circle(cx, cy, r):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r)


def ellipse(cx, cy, rx, ry):
    # Distance to the outline, scaled by the local radius: close enough for thin lines.
    def distance(x, y):
        u, v = (x - cx) / rx, (y - cy) / ry
        rho = math.hypot(u, v)
        if rho == 0:
            return min(rx, ry)
        scale = math.hypot(u * rx, v * ry) / rho
        return abs(rho - 1.0) * scale
    return distance


def shapes():
    gap_left, gap_right = 322, 330  # the hole in the top side of the open square
    return [
        (circle(150, 150, 100), HALF_WIDTH),
        (polyline([(50, 150), (250, 150)]), HALF_WIDTH),  # cuts the circle in half
        (polygon([(210, 60), (460, 60), (460, 290), (210, 290)]), HALF_WIDTH),
        (polygon([(270, 260), (420, 260), (345, 110)]), HALF_WIDTH),
        (ellipse(110, 300, 70, 32), HALF_WIDTH),
        (polyline([(gap_right, 300), (380, 300), (380, 340), (290, 340), (290, 300), (gap_left, 300)]), HALF_WIDTH),
        # Tiny enclosed specks: rings around a few white pixels.
        (circle(100, 100, 3.2), 1.0),
        (circle(190, 200, 3.2), 1.0),
        (circle(345, 215, 3.2), 1.0),
        (circle(430, 100, 3.2), 1.0),
    ]


def coverage(distance, half_width):
    # The share of the pixel covered by a line of this half width, with a one-pixel soft edge.
    return max(0.0, min(1.0, half_width + 0.5 - distance))


def render():
    drawn = shapes()
    rows = []
    for y in range(HEIGHT):
        row = bytearray()
        for x in range(WIDTH):
            ink = 0.0
            for distance, half_width in drawn:
                ink = max(ink, coverage(distance(x + 0.5, y + 0.5), half_width))
                if ink >= 1.0:
                    break
            row += bytes(round(p + (i - p) * ink) for p, i in zip(PAPER, INK))
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)  # 8-bit RGB
    raw = b"".join(b"\0" + row for row in rows)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    target = pathlib.Path(__file__).resolve().parent / "lineart.png"
    target.write_bytes(png(render()))
    print(f"{target}: {WIDTH} x {HEIGHT}")


if __name__ == "__main__":
    main()
