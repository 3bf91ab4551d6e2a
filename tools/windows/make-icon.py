#!/usr/bin/env python3
"""Writes apps/windows/velmora.ico from the window icon's PNGs: 16 x 16 and 32 x 32, 16
colours each, transparent where the PNG is. ImageMagick reads the PNGs; the icon file is
written here because ImageMagick's palette icons come out with an opaque mask.

    tools/windows/make-icon.py      (from the top of the repository)
"""
import struct
import subprocess
import sys

SIZES = (16, 32)


def pixels(png, size):
    rgba = subprocess.run(["convert", png, "-depth", "8", "rgba:-"], check=True,
                          capture_output=True).stdout
    assert len(rgba) == size * size * 4, png
    return [tuple(rgba[i:i + 4]) for i in range(0, len(rgba), 4)]


def image(size, rgba):
    opaque = sorted({p[:3] for p in rgba if p[3] >= 128})
    if len(opaque) > 16:
        sys.exit(f"{size} x {size}: {len(opaque)} colours, at most 16 fit")
    palette = opaque + [(0, 0, 0)] * (16 - len(opaque))
    index = {colour: i for i, colour in enumerate(palette)}
    xor = bytearray()
    mask = bytearray()
    mask_row = (size + 31) // 32 * 4
    for y in reversed(range(size)):  # bottom-up rows
        row = rgba[y * size:(y + 1) * size]
        nibbles = [index[p[:3]] if p[3] >= 128 else 0 for p in row]
        xor += bytes((nibbles[x] << 4) | nibbles[x + 1] for x in range(0, size, 2))
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask),
                         0, 0, 16, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours + bytes(xor) + bytes(mask)


def main():
    images = [image(s, pixels(f"ui/resources/velmora-{s}.png", s)) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open("apps/windows/velmora.ico", "wb") as ico:
        ico.write(out + b"".join(images))


main()
