#!/usr/bin/env python3
"""Writes the programs' picture resources: icons, cursors, bitmaps, DIB strips and JPEG page backgrounds.

    python3 data/res-src/generate.py      (needs rsvg-convert and ffmpeg)

The pictures are drawn here as SVG and rasterised; the outputs are committed under data/res/ (both
programs) and data/res-converter/ (the converter's own icon), because the resource table is built from
those folders when the build is configured.
"""
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(DATA, "skin-src"))
from rasterise import decode_png, write_bmp  # noqa: E402


def render(svg_body, w, h, vw=None, vh=None):
    """RGBA rows of an SVG drawn at w x h (the body's own box is vw x vh)."""
    text = ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">%s</svg>'
            % (w, h, vw or w, vh or h, svg_body))
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(text)
    try:
        png = subprocess.run(["rsvg-convert", "-f", "png", f.name], check=True, capture_output=True).stdout
    finally:
        os.remove(f.name)
    return decode_png(png)[2]


def icon_entry(rows, size):
    """A 32-bit icon image with its AND mask, rows bottom-up as the format wants."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(v for x in range(size) for v in (row[4 * x + 2], row[4 * x + 1], row[4 * x], row[4 * x + 3]))
                      for row in reversed(rows))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x in range(size):
            if row[4 * x + 3] < 128:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + bytes(mask)


def write_icon_file(path, images, kind=1, hotspot=(0, 0)):
    """images: list of (size, rows). kind 1 icon, 2 cursor (the hot spot replaces planes and bit count)."""
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, rows in images:
        blob = icon_entry(rows, size)
        a, b = (1, 32) if kind == 1 else hotspot
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    write(path, out + b"".join(blobs))


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def opaque_bmp(path, rows, w, h, ground=(255, 255, 255)):
    pixels = []
    for row in rows:
        line = []
        for x in range(w):
            r, g, b, a = row[4 * x:4 * x + 4]
            line.append(tuple((c * a + k * (255 - a)) // 255 for c, k in zip((r, g, b), ground)))
        pixels.append(line)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    write_bmp(path, w, h, pixels)


# ---------------------------------------------------------------- icons

COMPOSER_ICON = ('<rect x="2" y="2" width="44" height="44" rx="9" fill="#2f6fc4" stroke="#0f2c55" stroke-width="2"/>'
                 '<g stroke="#ffffff" stroke-width="1.4" opacity="0.55"><path d="M8 14 H40 M8 20 H40 M8 26 H40 M8 32 H40 M8 38 H40"/></g>'
                 '<ellipse cx="18" cy="34" rx="6.5" ry="4.8" transform="rotate(-20 18 34)" fill="#ffd54a"/>'
                 '<rect x="23" y="9" width="3" height="26" fill="#ffd54a"/>'
                 '<path d="M26 9 C33 12 36 16 33 23" fill="none" stroke="#ffd54a" stroke-width="3"/>')
CONVERTER_ICON = ('<rect x="2" y="2" width="44" height="44" rx="9" fill="#2f8466" stroke="#0f3528" stroke-width="2"/>'
                  '<path d="M6 24 L10 16 L14 30 L18 10 L22 36 L26 14 L30 30 L34 20 L38 26 L42 24" fill="none" '
                  'stroke="#ffffff" stroke-width="2.6" stroke-linejoin="round"/>'
                  '<rect x="15" y="6" width="3" height="36" fill="#ffe08a"/><rect x="31" y="6" width="3" height="36" fill="#ffe08a"/>')


def icons():
    for path, body in ((os.path.join(DATA, "res", "ICON", "128.ico"), COMPOSER_ICON),
                       (os.path.join(DATA, "res-converter", "ICON", "128.ico"), CONVERTER_ICON)):
        write_icon_file(path, [(s, render(body, s, s, 48, 48)) for s in (16, 32, 48)])
    # Desktop-menu icons beside the program folder's files.
    for name, body in (("kestrin", COMPOSER_ICON), ("tonwick-converter", CONVERTER_ICON)):
        svg = ('<svg xmlns="http://www.w3.org/2000/svg" width="48" height="48" viewBox="0 0 48 48">%s</svg>\n' % body)
        write(os.path.join(DATA, "desktop", name + ".svg"), svg.encode())


# ---------------------------------------------------------------- cursors (32 x 32; hot spot where the shape points)

OUTLINE = 'stroke="#000000" stroke-width="1.2" stroke-linejoin="round"'
ARROW = '<path d="M1 1 V22 L6 17 L10 26 L13.5 24.5 L9.5 16 H16 Z" fill="#ffffff" %s/>' % OUTLINE
CURSORS = {
    # Over an element: pointing hand.
    132: ('<path d="M11 2 C13 2 13 3 13 5 V14 L14 9 C16 8 17 9 17 11 L18 10 C20 9 21 10 21 12 L22 11 C24 10 25 11 '
          '25 13 V21 C25 26 22 29 18 29 H15 C12 29 10 27 8 24 L3 16 C2 14 4 12 6 14 L9 17 V5 C9 3 9 2 11 2 Z" '
          'fill="#ffffff" %s/>' % OUTLINE, (11, 2)),
    # Note entry: a pen nib.
    133: ('<path d="M2 30 L4 22 L22 4 L28 10 L10 28 Z" fill="#ffffff" %s/><path d="M2 30 L4 22 L10 28 Z" fill="#000"/>'
          % OUTLINE, (2, 30)),
    # Panning: four arrows.
    134: ('<path d="M16 1 L21 7 H18 V14 H25 V11 L31 16 L25 21 V18 H18 V25 H21 L16 31 L11 25 H14 V18 H7 V21 L1 16 L7 11 '
          'V14 H14 V7 H11 Z" fill="#ffffff" %s/>' % OUTLINE, (16, 16)),
    # Selecting: the arrow.
    144: (ARROW, (1, 1)),
    # Selecting over an element: the arrow with a move sign.
    145: (ARROW + '<path d="M22 14 L25 18 H23.5 V21 H27 V19.5 L31 22.5 L27 25.5 V24 H23.5 V27 H25 L22 31 L19 27 H20.5 '
          'V24 H17 V25.5 L13 22.5 L17 19.5 V21 H20.5 V18 H19 Z" fill="#ffffff" %s/>' % OUTLINE, (1, 1)),
    # Placing a symbol: cross hair with a small plus.
    146: ('<path d="M16 2 V30 M2 16 H30" stroke="#ffffff" stroke-width="3.4"/><path d="M16 2 V30 M2 16 H30" '
          'stroke="#000000" stroke-width="1.4"/><path d="M24 4 V10 M21 7 H27" stroke="#000" stroke-width="1.6"/>',
          (16, 16)),
    # Dragging sideways (a range, a slider thumb, an edge).
    153: ('<path d="M1 16 L8 9 V13 H24 V9 L31 16 L24 23 V19 H8 V23 Z" fill="#ffffff" %s/>' % OUTLINE, (16, 16)),
    # Converter: moving the clip range.
    254: ('<path d="M1 16 L8 9 V13 H24 V9 L31 16 L24 23 V19 H8 V23 Z" fill="#ffffff" %s/>'
          '<rect x="14.5" y="4" width="3" height="24" fill="#000"/>' % OUTLINE, (16, 16)),
    # Converter: dragging a marker.
    256: ('<rect x="14" y="2" width="4" height="28" fill="#ffffff" %s/><path d="M4 16 L10 11 V21 Z M28 16 L22 11 V21 Z" '
          'fill="#000"/>' % OUTLINE, (16, 16)),
}


def cursors():
    for number, (body, hotspot) in CURSORS.items():
        folder = "res"
        write_icon_file(os.path.join(DATA, folder, "CURSOR", "%d.cur" % number), [(32, render(body, 32, 32))],
                        kind=2, hotspot=hotspot)


# ---------------------------------------------------------------- bitmaps and DIB strips

def frames(glyph, fw, fh, face=("#3f7fd6", "#6aa2f0", "#173f75", "#2a5fae")):
    body = []
    for f, colour in enumerate(face):
        x = f * fw
        body.append('<rect x="%.1f" y="0.5" width="%d" height="%d" rx="3" fill="%s" stroke="#0f2c55"/>'
                    % (x + 0.5, fw - 1, fh - 1, colour))
        body.append('<g transform="translate(%d 0)">%s</g>' % (x + (1 if f == 2 else 0), glyph))
    return "".join(body)


DIB_STRIPS = {
    3001: ('<path d="M7 5 L15 10 L7 15 Z" fill="#fff"/>', 20, 20),
    3002: ('<path d="M5 5 L12 10 L5 15 Z" fill="#fff"/><rect x="13" y="5" width="2.5" height="10" fill="#ffd54a"/>', 20, 20),
    3003: ('<rect x="6" y="6" width="8" height="8" fill="#fff"/>', 20, 20),
    3054: ('<circle cx="9" cy="9" r="5" fill="none" stroke="#fff" stroke-width="1.8"/><path d="M12.5 12.5 L17 17" '
           'stroke="#fff" stroke-width="2.4"/><path d="M9 6.5 V11.5 M6.5 9 H11.5" stroke="#fff" stroke-width="1.6"/>', 20, 20),
    3055: ('<circle cx="9" cy="9" r="5" fill="none" stroke="#fff" stroke-width="1.8"/><path d="M12.5 12.5 L17 17" '
           'stroke="#fff" stroke-width="2.4"/><path d="M6.5 9 H11.5" stroke="#fff" stroke-width="1.6"/>', 20, 20),
    303: ('<rect x="4.5" y="5.5" width="9" height="9" fill="none" stroke="#fff" stroke-width="1.6"/>'
          '<rect x="4.5" y="5.5" width="9" height="2.5" fill="#fff"/>', 18, 20),
    304: ('<rect x="7" y="4" width="7" height="7" fill="none" stroke="#fff" stroke-width="1.4"/>'
          '<rect x="4" y="8" width="7" height="7" fill="#3f7fd6" stroke="#fff" stroke-width="1.4"/>', 18, 20),
}


def bitmaps():
    for number, (glyph, fw, fh) in DIB_STRIPS.items():
        opaque_bmp(os.path.join(DATA, "res", "DIB", "%d.bmp" % number), render(frames(glyph, fw, fh), 4 * fw, fh),
                   4 * fw, fh)
    # Track list images, 16 pixels each on the red mask colour: hidden, shown, and the row's state image.
    images = ('<rect x="2.5" y="2.5" width="11" height="11" fill="#fff" stroke="#555"/>'
              '<rect x="18.5" y="2.5" width="11" height="11" fill="#fff" stroke="#555"/>'
              '<path d="M20 8 L23 11.5 L28 4.5" fill="none" stroke="#1d7a2a" stroke-width="2.2"/>'
              '<ellipse cx="38" cy="12" rx="3.4" ry="2.5" fill="#1d4f91"/><rect x="40.5" y="2" width="1.4" height="10" fill="#1d4f91"/>')
    opaque_bmp(os.path.join(DATA, "res", "BITMAP", "159.bmp"), render(images, 48, 16), 48, 16, ground=(255, 0, 0))
    # The key-signature preview's staff: five lines eight pixels apart, a treble clef at the left.
    staff = ('<g stroke="#000" stroke-width="1"><path d="M2 18.5 H168 M2 26.5 H168 M2 34.5 H168 M2 42.5 H168 '
             'M2 50.5 H168"/><path d="M2.5 18 V51 M167.5 18 V51"/></g>'
             '<path d="M22 60 C17 60 17 55 20.5 55 M22 60 V8 C30 10 28 20 18 28 C9 36 14 48 24 45 C31 42 28 32 21 35" '
             'fill="none" stroke="#000" stroke-width="2" stroke-linecap="round"/>')
    opaque_bmp(os.path.join(DATA, "res", "BITMAP", "2000.bmp"), render(staff, 170, 69), 170, 69)


# ---------------------------------------------------------------- page backgrounds (A4 proportion, JPEG)

PAPERS = {700: "0xfbf8f0", 701: "0xf4f1e6", 702: "0xf3f5f8", 703: "0xf6eedc"}


def papers():
    for number, colour in PAPERS.items():
        out = os.path.join(DATA, "res", "DIB", "%d.jpg" % number)
        os.makedirs(os.path.dirname(out), exist_ok=True)
        # Faint grain and a slightly darker rim read as paper without distracting from the notes.
        subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        "color=c=%s:s=595x842,noise=alls=5:allf=u,gblur=sigma=0.6,vignette=angle=0.35" % colour,
                        "-frames:v", "1", "-q:v", "5", out], check=True)


def main():
    icons()
    cursors()
    bitmaps()
    papers()


if __name__ == "__main__":
    main()
