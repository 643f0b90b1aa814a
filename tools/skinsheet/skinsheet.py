#!/usr/bin/env python3
"""Review sheets: every picture of every skin on one page, labelled with its element numbers.

    skinsheet.py PROGRAM_DIR OUT_DIR [RSVG_CONVERT]

Writes OUT_DIR/<skin-com|skin>-skin-N.png (and the .svg it is drawn from) for each skin folder under
PROGRAM_DIR, from the BMP files skin.ini names, so the pictures are shown as the programs load them.
"""
import base64
import configparser
import os
import struct
import subprocess
import sys
import zlib

SHEET_WIDTH = 1100


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 24:
        raise ValueError("%s: %d bits per pixel" % (path, bits))
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        src = height - 1 - y if height > 0 else y
        line = data[offset + src * stride:offset + src * stride + width * 3]
        rows.append(bytes(v for x in range(width) for v in (line[3 * x + 2], line[3 * x + 1], line[3 * x])))
    return width, abs(height), rows


def png(width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def embedded(path):
    """A BMP as a PNG data address, with its size; None when the file is missing."""
    if not os.path.exists(path):
        return None
    w, h, rows = read_bmp(path)
    return w, h, base64.b64encode(png(w, h, rows)).decode()


def window_preview(skin_dir, ini, top):
    """A window whose face is element 0's picture (the converter): every element's first frame at its place."""
    face = embedded(os.path.join(skin_dir, ini.get("textbtn00", "bgimage", fallback="")))
    # A skin whose elements are all placed by the program (the composer's) has no layout to show.
    placed = [s for s in ini.sections() if s.startswith("textbtn") and s != "textbtn00"
              and ini.get(s, "position", fallback="0,0").split(",")[:2] != ["0", "0"]]
    if not face or not placed:
        return "", top
    fw, fh, data = face
    parts = ['<text x="16" y="%d" font-family="DejaVu Sans" font-size="12">The window as laid out (first frames; '
             'dashed: elements without a picture)</text>' % (top - 6),
             '<image x="16" y="%d" width="%d" height="%d" href="data:image/png;base64,%s"/>' % (top, fw, fh, data)]
    for section in ini.sections():
        if not section.startswith("textbtn") or section == "textbtn00":
            continue
        x, y, w, h = (int(v) for v in (ini.get(section, "position", fallback="0,0,0,0").split(",") + ["0"] * 4)[:4])
        if x == 0 and y == 0:
            continue
        picture = embedded(os.path.join(skin_dir, ini.get(section, "bgimage", fallback="NULL")))
        if picture:
            pw, ph, data = picture
            parts.append('<svg x="%d" y="%d" width="%d" height="%d" viewBox="0 0 %d %d" preserveAspectRatio="none">'
                         '<image width="%d" height="%d" href="data:image/png;base64,%s"/></svg>'
                         % (16 + x, top + y, w, h, w, h, pw, ph, data))
        else:
            parts.append('<rect x="%d" y="%d" width="%d" height="%d" fill="none" stroke="#c05" stroke-dasharray="3 2"/>'
                         % (16 + x + 0.5, top + y + 0.5, w - 1, h - 1))
        parts.append('<text x="%d" y="%d" font-family="DejaVu Sans" font-size="9" fill="#c05">%s</text>'
                     % (16 + x + 1, top + y + 9, section[7:]))
    return "\n".join(parts), top + fh + 24


def pictures(skin_dir):
    """The skin's name, picture file -> element numbers that name it (bgimage, or fntname when it is a file),
    and the parsed skin.ini."""
    ini = configparser.ConfigParser(interpolation=None, strict=False)
    ini.read(os.path.join(skin_dir, "skin.ini"), encoding="utf-8")
    found = {}
    for section in ini.sections():
        if not section.startswith("textbtn"):
            continue
        for key in ("bgimage", "fntname"):
            name = ini.get(section, key, fallback="")
            if "." in name:
                found.setdefault(name, []).append(int(section[7:]))
    return ini.get("common", "name", fallback="?"), found, ini


def sheet(skin_dir, title):
    name, found, ini = pictures(skin_dir)
    parts, x, y, row_height = [], 16, 56, 0
    for picture, elements in sorted(found.items(), key=lambda item: min(item[1])):
        path = os.path.join(skin_dir, picture)
        label = "%s  %s" % (",".join("%02d" % n for n in sorted(elements)), picture)
        if not os.path.exists(path):
            w, h, image = 120, 20, None
        else:
            w, h, rows = read_bmp(path)
            image = base64.b64encode(png(w, h, rows)).decode()
        box = max(w, 7 * len(label))
        if x + box > SHEET_WIDTH - 16:
            x, y, row_height = 16, y + row_height + 34, 0
        parts.append('<text x="%d" y="%d" font-family="DejaVu Sans" font-size="11">%s</text>' % (x, y, label))
        if image:
            parts.append('<rect x="%d" y="%d" width="%d" height="%d" fill="none" stroke="#999" stroke-dasharray="2 2"/>'
                         % (x - 1, y + 5, w + 2, h + 2))
            parts.append('<image x="%d" y="%d" width="%d" height="%d" href="data:image/png;base64,%s"/>'
                         % (x, y + 6, w, h, image))
        else:
            parts.append('<text x="%d" y="%d" font-family="DejaVu Sans" font-size="12" fill="#c00">MISSING</text>'
                         % (x, y + 22))
        x += box + 24
        row_height = max(row_height, h)
    preview, height = window_preview(skin_dir, ini, y + row_height + 60)
    if not preview:
        height = y + row_height + 40
    head = ('<text x="16" y="30" font-family="DejaVu Sans" font-weight="bold" font-size="18">%s: %s</text>'
            % (title, name))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d">\n<rect width="100%%" height="100%%" '
            'fill="#f4f4f4"/>\n%s\n%s\n%s\n</svg>\n' % (SHEET_WIDTH, height, head, "\n".join(parts), preview))


def main():
    program, out = sys.argv[1], sys.argv[2]
    rsvg = sys.argv[3] if len(sys.argv) > 3 else "rsvg-convert"
    os.makedirs(out, exist_ok=True)
    for folder in ("skin-com", "skin"):
        root = os.path.join(program, folder)
        if not os.path.isdir(root):
            continue
        for skin in sorted(os.listdir(root)):
            skin_dir = os.path.join(root, skin)
            if not os.path.exists(os.path.join(skin_dir, "skin.ini")):
                continue
            base = os.path.join(out, "%s-%s" % (folder, skin))
            with open(base + ".svg", "w", encoding="utf-8") as f:
                f.write(sheet(skin_dir, "%s/%s" % (folder, skin)))
            subprocess.run([rsvg, "-o", base + ".png", base + ".svg"], check=True)


if __name__ == "__main__":
    main()
