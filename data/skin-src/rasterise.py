#!/usr/bin/env python3
"""Rasterises the skins' SVG pictures into the 24-bit BMP files skin.ini names.

    rasterise.py SOURCE_DIR PROGRAM_DIR [RSVG_CONVERT]

SOURCE_DIR/<skin-com|skin>/skin-N/NAME.svg becomes PROGRAM_DIR/<skin-com|skin>/skin-N/NAME.bmp.
A picture's transparent pixels become the colour of the SVG's data-key attribute, and no drawn pixel
may fall inside its data-avoid colour range: such a pixel is moved one step off, so that only the
places left transparent on purpose are cut out or keyed away.
"""
import os
import struct
import subprocess
import sys
import zlib


def decode_png(data):
    """RGBA rows of an 8-bit, non-interlaced RGB or RGBA PNG as written by rsvg-convert."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError("unexpected PNG layout")
            channels = 4 if colour == 6 else 3
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        prev = line
        if channels == 3:
            line = bytearray(b"".join(bytes(line[3 * x:3 * x + 3]) + b"\xff" for x in range(width)))
        rows.append(line)
    return width, height, rows


def attribute(svg_text, name):
    start = svg_text.find(' %s="' % name)
    if start < 0:
        return None
    start += len(name) + 3
    return [int(v) for v in svg_text[start:svg_text.index('"', start)].split(",")]


def inside(pixel, low, high):
    return all(low[i] <= pixel[i] <= high[i] for i in range(3))


def to_pixels(width, height, rows, key, avoid):
    """RGB rows: transparent -> key; a drawn pixel inside the avoided range is nudged out of it."""
    out = []
    for line in rows:
        pixels = []
        for x in range(width):
            r, g, b, a = line[4 * x:4 * x + 4]
            if a < 128 and key:
                pixels.append(tuple(key))
                continue
            pixel = [r, g, b]
            if avoid and inside(pixel, avoid[:3], avoid[3:]):
                # Green is 0..10 in every keyed range: lifting it past the range keeps the hue.
                pixel[1] = min(255, avoid[4] + 1)
                if inside(pixel, avoid[:3], avoid[3:]):
                    pixel[0] = max(0, avoid[0] - 1)
            pixels.append(tuple(pixel))
        out.append(pixels)
    return out


def write_bmp(path, width, height, pixels):
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for y in range(height - 1, -1, -1):
        for r, g, b in pixels[y]:
            body += bytes((b, g, r))
        body += bytes(stride - width * 3)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    tmp = path + ".tmp"
    with open(tmp, "wb") as out:
        out.write(header + info + body)
    os.replace(tmp, path)


def rasterise(svg_path, bmp_path, rsvg):
    with open(svg_path, encoding="utf-8") as f:
        text = f.read()
    png = subprocess.run([rsvg, "-f", "png", svg_path], check=True, capture_output=True).stdout
    width, height, rows = decode_png(png)
    key = attribute(text, "data-key")
    avoid = attribute(text, "data-avoid")
    if key and not avoid:
        avoid = key + key
    write_bmp(bmp_path, width, height, to_pixels(width, height, rows, key, avoid))


def main():
    source, program = sys.argv[1], sys.argv[2]
    rsvg = sys.argv[3] if len(sys.argv) > 3 else "rsvg-convert"
    for folder in ("skin-com", "skin"):
        root = os.path.join(source, folder)
        if not os.path.isdir(root):
            continue
        for skin in sorted(os.listdir(root)):
            out_dir = os.path.join(program, folder, skin)
            os.makedirs(out_dir, exist_ok=True)
            for name in sorted(os.listdir(os.path.join(root, skin))):
                if name.endswith(".svg"):
                    rasterise(os.path.join(root, skin, name), os.path.join(out_dir, name[:-4] + ".bmp"), rsvg)


if __name__ == "__main__":
    main()
