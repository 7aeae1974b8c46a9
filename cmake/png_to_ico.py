#!/usr/bin/env python3
"""Writes a Windows icon file that holds the given PNG images unchanged, for the resource
script of the Windows build. An icon file may store each image as a whole PNG file; Windows
has read such entries since Vista, and they are the usual form for 256 px images.

Usage: png_to_ico.py output.ico image.png [image.png ...]

Each image must be a PNG file of 1 to 256 pixels a side, and no two may have the same size.
On bad input the output file is left untouched, the reason goes to standard error and the
exit status is 1 (2 for a wrong command line).
"""

import os
import struct
import sys

USAGE = "usage: png_to_ico.py output.ico image.png [image.png ...]"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# Samples per pixel of each PNG colour type.
CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


class IconError(Exception):
    pass


def png_header(data, name):
    """Returns (width, height, bits per pixel) from the PNG's IHDR chunk."""
    if len(data) < 33 or data[:8] != PNG_SIGNATURE or data[12:16] != b"IHDR":
        raise IconError(f"{name}: not a PNG file")
    width, height, depth, colour_type = struct.unpack(">IIBB", data[16:26])
    if colour_type not in CHANNELS:
        raise IconError(f"{name}: unknown PNG colour type {colour_type}")
    if not (1 <= width <= 256 and 1 <= height <= 256):
        raise IconError(f"{name}: {width}x{height} pixels; an icon image has 1 to 256 a side")
    return width, height, depth * CHANNELS[colour_type]


def icon_file(images):
    """Builds the icon file from [(name, PNG data)]: the directory, then the images."""
    if not images:
        raise IconError("no images given")
    headers = [png_header(data, name) for name, data in images]
    seen = {}
    for (name, _data), (width, height, _bits) in zip(images, headers):
        if (width, height) in seen:
            raise IconError(f"{name}: {width}x{height} pixels, as {seen[width, height]}")
        seen[width, height] = name

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for (_name, data), (width, height, bits) in zip(images, headers):
        # A size of 256 is written as 0.
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits,
                                 len(data), offset)
        offset += len(data)
    return directory + b"".join(data for _name, data in images)


def main(argv):
    if len(argv) < 3:
        print(USAGE, file=sys.stderr)
        return 2
    output, inputs = argv[1], argv[2:]
    try:
        images = []
        for path in inputs:
            try:
                with open(path, "rb") as f:
                    images.append((path, f.read()))
            except OSError as error:
                raise IconError(f"{path}: {error.strerror}") from error
        data = icon_file(images)
    except IconError as error:
        print(f"png_to_ico: {error}", file=sys.stderr)
        return 1
    # Written beside the output and renamed, so a failed write leaves no half icon behind.
    partial = output + ".part"
    with open(partial, "wb") as f:
        f.write(data)
    os.replace(partial, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
