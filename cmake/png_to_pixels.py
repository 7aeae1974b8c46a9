#!/usr/bin/env python3
"""Writes PNG images into a C++ header as ready-to-use pixels, so that the program shows its
icon without decoding anything at start-up.

Usage: png_to_pixels.py output.h NAME=image.png [NAME=image.png ...]

Each image becomes `inline constexpr uint32_t NAME[]`: its pixels row by row from the top, each
0xAARRGGBB with the colour premultiplied by alpha (the layout Qt calls ARGB32_Premultiplied).
The images must be 8-bit RGBA or RGB PNGs without interlacing, as rsvg-convert writes them. On
bad input the output is left untouched, the reason goes to standard error and the exit status is
1 (2 for a wrong command line).
"""

import os
import struct
import sys
import zlib

USAGE = "usage: png_to_pixels.py output.h NAME=image.png [NAME=image.png ...]"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {2: 3, 6: 4}  # RGB, RGBA


class PixelError(Exception):
    pass


def chunks(data, name):
    if data[:8] != PNG_SIGNATURE:
        raise PixelError(f"{name}: not a PNG file")
    at = 8
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, bpp):
    """The image's bytes without the per-row filter bytes and filtering."""
    stride = width * bpp
    rows = []
    prior = bytearray(stride)
    at = 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = line[i - bpp] if i >= bpp else 0
            up = prior[i]
            upleft = prior[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, upleft)) & 0xFF
            elif kind != 0:
                raise PixelError(f"unknown row filter {kind}")
        rows.append(line)
        prior = line
    return rows


def premultiplied_pixels(path):
    with open(path, "rb") as f:
        data = f.read()
    header, idat = None, b""
    for kind, body in chunks(data, path):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
    if not header:
        raise PixelError(f"{path}: no image header")
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace:
        raise PixelError(f"{path}: not an 8-bit RGB or RGBA image without interlacing")
    bpp = CHANNELS[colour]
    try:
        rows = unfilter(zlib.decompress(idat), width, height, bpp)
    except (zlib.error, IndexError) as error:
        raise PixelError(f"{path}: damaged image data ({error})") from error
    pixels = []
    for line in rows:
        for x in range(0, width * bpp, bpp):
            r, g, b = line[x:x + 3]
            a = line[x + 3] if bpp == 4 else 255
            r, g, b = ((c * a + 127) // 255 for c in (r, g, b))
            pixels.append(a << 24 | r << 16 | g << 8 | b)
    return pixels


def main(argv):
    if len(argv) < 3 or any("=" not in arg for arg in argv[2:]):
        print(USAGE, file=sys.stderr)
        return 2
    output = argv[1]
    text = ["// Generated from the icon's PNG images at build time; do not edit.", "#pragma once",
            "", "#include <cstdint>"]
    try:
        for arg in argv[2:]:
            name, path = arg.split("=", 1)
            pixels = premultiplied_pixels(path)
            text.append(f"\ninline constexpr uint32_t {name}[] = {{")
            for at in range(0, len(pixels), 8):
                text.append("    " + " ".join(f"0x{p:08x}," for p in pixels[at:at + 8]))
            text.append("};")
    except (OSError, PixelError) as error:
        print(f"png_to_pixels.py: {error}", file=sys.stderr)
        return 1
    with open(output + ".tmp", "w", encoding="utf-8") as f:
        f.write("\n".join(text) + "\n")
    os.replace(output + ".tmp", output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
