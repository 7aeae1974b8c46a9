#!/usr/bin/env python3
"""Writes a Windows icon file holding the given XPM images (32-bit colour with alpha and the
AND mask), for the resource script of the Windows build.

Usage: xpm_to_ico.py output.ico image.xpm [image.xpm ...]
"""

import re
import struct
import sys


def read_xpm(path):
    with open(path, encoding="ascii") as f:
        strings = re.findall(r'"((?:[^"\\]|\\.)*)"', f.read())
    width, height, colours, per_pixel = (int(v) for v in strings[0].split()[:4])
    palette = {}
    for line in strings[1:1 + colours]:
        key, rest = line[:per_pixel], line[per_pixel:].split()
        value = rest[rest.index("c") + 1]
        if value.lower() == "none":
            palette[key] = (0, 0, 0, 0)
            continue
        digits = value.lstrip("#")
        step = len(digits) // 3
        # Keep the most significant byte of each channel, however wide the channel is written.
        red, green, blue = (int(digits[i * step:i * step + 2], 16) for i in range(3))
        palette[key] = (red, green, blue, 255)
    rows = strings[1 + colours:1 + colours + height]
    pixels = [[palette[row[x * per_pixel:(x + 1) * per_pixel]] for x in range(width)]
              for row in rows]
    return width, height, pixels


def icon_image(width, height, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(struct.pack("<BBBB", b, g, r, a)
                      for row in reversed(pixels) for (r, g, b, a) in row)
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_r, _g, _b, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    output, inputs = sys.argv[1], sys.argv[2:]
    images = [read_xpm(path) for path in inputs]
    blobs = [icon_image(*image) for image in images]
    data = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (width, height, _pixels), blob in zip(images, blobs):
        data += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(blob),
                            offset)
        offset += len(blob)
    with open(output, "wb") as f:
        f.write(data + b"".join(blobs))


if __name__ == "__main__":
    main()
