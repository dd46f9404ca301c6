#!/usr/bin/env python3
"""Writes the bundled colour swatch files: presets/colors/NAME.txt -> presets/Color Swatches/NAME.aco.

A colour list holds one colour a line, six hexadecimal digits RRGGBB (a leading '#' allowed) and then the
colour's name; empty lines and lines starting with '#' followed by a space are comments. Each swatch file gets
a version-1 section (the colours, which the filter reads) and a version-2 section (the same colours with their
names, which editors show). Run it again after changing a list.
"""
import pathlib
import re
import struct
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
LISTS = ROOT / "presets" / "colors"
SWATCHES = ROOT / "presets" / "Color Swatches"
COLOR_LINE = re.compile(r"^#?([0-9A-Fa-f]{6})\s+(.+?)\s*$")
RGB_SPACE = 0


def read_colors(path):
    colors = []
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("# ") or line.strip() == "#":
            continue
        match = COLOR_LINE.match(line)
        if not match:
            sys.exit(f"{path}:{number}: expected RRGGBB and a name, found {line!r}")
        value = int(match.group(1), 16)
        rgb = ((value >> 16) & 255, (value >> 8) & 255, value & 255)
        colors.append((rgb, match.group(2)))
    if not colors:
        sys.exit(f"{path}: no colours")
    return colors


def color_record(rgb):
    # Components are 16-bit: an 8-bit channel v becomes v * 257 (255 -> 65535).
    return struct.pack(">5H", RGB_SPACE, rgb[0] * 257, rgb[1] * 257, rgb[2] * 257, 0)


def name_record(name):
    units = name.encode("utf-16-be") + b"\0\0"
    return struct.pack(">I", len(units) // 2) + units


def swatch_file(colors):
    data = struct.pack(">2H", 1, len(colors))
    data += b"".join(color_record(rgb) for rgb, _ in colors)
    data += struct.pack(">2H", 2, len(colors))
    data += b"".join(color_record(rgb) + name_record(name) for rgb, name in colors)
    return data


def main():
    SWATCHES.mkdir(parents=True, exist_ok=True)
    for listing in sorted(LISTS.glob("*.txt")):
        target = SWATCHES / (listing.stem + ".aco")
        colors = read_colors(listing)
        target.write_bytes(swatch_file(colors))
        print(f"{target.relative_to(ROOT)}: {len(colors)} colours")


if __name__ == "__main__":
    main()
