#!/usr/bin/env python3
"""Writes the skins' vector pictures (data/skin-src/<program>/skin-N/*.svg) and their skin.ini files.

Each skin is one palette applied to one set of shapes; the build rasterises the SVG files into the
BMP pictures that skin.ini names. Run it again after changing a palette, a shape or a layout:
    python3 data/skin-src/generate.py
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)

# ---------------------------------------------------------------- palettes

# key: the colour keyed out of the range markers (and the converter's window face); window: the composer's
# window face, which its main window is erased with (its "transcolor").
PALETTES = {
    "composer-1": dict(name="Blue", key=(255, 0, 255), window=(29, 79, 145), bar="#1d4f91", bar2="#2f6fc4",
                       face="#3f7fd6",
                       face2="#2a5fae", hover="#6aa2f0", press="#173f75", ink="#ffffff", accent="#ffd54a",
                       line="#0f2c55", well="#0e2748", fill="#58b0ff", text=(255, 255, 255)),
    "composer-2": dict(name="Graphite", key=(255, 0, 255), window=(43, 47, 54), bar="#2b2f36", bar2="#3b414b",
                       face="#4a515d",
                       face2="#363b44", hover="#626b79", press="#1f2227", ink="#f2f2f2", accent="#f0a030",
                       line="#15171b", well="#17191d", fill="#f0a030", text=(242, 242, 242)),
    "converter-1": dict(name="Blue", key=(250, 0, 250), key2=(255, 10, 255), bar="#1d4f91", bar2="#2f6fc4",
                        face="#3f7fd6", face2="#2a5fae", hover="#6aa2f0", press="#173f75", ink="#ffffff",
                        accent="#ffd54a", line="#0f2c55", well="#0e2748", fill="#58b0ff", body="#e8eef7",
                        body2="#c9d6ea", text=(255, 255, 255), label=(16, 40, 80)),
    "converter-2": dict(name="Green", key=(250, 0, 250), key2=(255, 10, 255), bar="#1f5e4a", bar2="#2f8466",
                        face="#3a9a78", face2="#2a7a5e", hover="#5cc09a", press="#164636", ink="#ffffff",
                        accent="#ffe08a", line="#0f3528", well="#0d2e24", fill="#6fd6a8", body="#eaf4ef",
                        body2="#cfe5da", text=(255, 255, 255), label=(18, 60, 44)),
}

# ---------------------------------------------------------------- glyphs (24 x 24 design box, white on the face)

GLYPHS = {
    "play": '<path d="M8 5 L19 12 L8 19 Z" fill="{ink}"/>',
    "stop": '<rect x="6.5" y="6.5" width="11" height="11" rx="1" fill="{ink}"/>',
    "pause": '<rect x="6.5" y="5.5" width="4" height="13" fill="{ink}"/><rect x="13.5" y="5.5" width="4" height="13" fill="{ink}"/>',
    "playpart": '<path d="M5 5 L15 12 L5 19 Z" fill="{ink}"/><rect x="16" y="5" width="3" height="14" fill="{accent}"/>',
    "new": '<path d="M6 3 H14 L19 8 V21 H6 Z" fill="{ink}"/><path d="M14 3 V8 H19" fill="none" stroke="{line}" stroke-width="1.2"/>',
    "open": '<path d="M3 7 H9 L11 9 H20 V19 H3 Z" fill="{accent}"/><path d="M3 19 L6 12 H22 L19 19 Z" fill="{ink}"/>',
    "saveas": '<rect x="4" y="4" width="16" height="16" rx="1.5" fill="{ink}"/><rect x="7" y="4" width="10" height="6" fill="{line}"/><rect x="7" y="13" width="10" height="6" fill="{accent}"/>',
    "select": '<path d="M7 3 L7 19 L11 15 L14 21 L16.5 20 L13.5 14 L19 14 Z" fill="{ink}"/>',
    "edit": '<path d="M5 19 L6 14 L16 4 L20 8 L10 18 Z" fill="{ink}"/><path d="M5 19 L6 14 L10 18 Z" fill="{accent}"/>',
    "enter": '<ellipse cx="10" cy="17" rx="4.2" ry="3.2" transform="rotate(-20 10 17)" fill="{ink}"/><rect x="13" y="3" width="1.8" height="14" fill="{ink}"/><path d="M14.8 3 C18 5 19 7 18 10" fill="none" stroke="{ink}" stroke-width="1.8"/>',
    "tools": '<rect x="3" y="3" width="8" height="8" rx="1" fill="{ink}"/><rect x="13" y="3" width="8" height="8" rx="1" fill="{accent}"/><rect x="3" y="13" width="8" height="8" rx="1" fill="{accent}"/><rect x="13" y="13" width="8" height="8" rx="1" fill="{ink}"/>',
    "tracks": '<g fill="{ink}"><rect x="3" y="5" width="18" height="2"/><rect x="3" y="11" width="18" height="2"/><rect x="3" y="17" width="18" height="2"/></g><g fill="{accent}"><circle cx="7" cy="6" r="2.3"/><circle cx="14" cy="12" r="2.3"/><circle cx="10" cy="18" r="2.3"/></g>',
    "clef": '<path d="M12 21 C9 21 9 18 11 18 M12 21 V4 C16 5 15 9 10 12 C5 15 8 20 13 18 C17 16 15 11 11 13" fill="none" stroke="{ink}" stroke-width="1.8" stroke-linecap="round"/>',
    "key": '<g stroke="{ink}" stroke-width="1.6"><path d="M9 4 V20 M14 3 V19"/><path d="M6 10 L17 8 M6 15 L17 13" stroke-width="2.4"/></g>',
    "time": '<text x="12" y="11" font-family="DejaVu Sans" font-weight="bold" font-size="10" text-anchor="middle" fill="{ink}">3</text><text x="12" y="21" font-family="DejaVu Sans" font-weight="bold" font-size="10" text-anchor="middle" fill="{ink}">4</text>',
    "measures": '<g fill="{ink}"><rect x="2" y="7" width="20" height="1.4"/><rect x="2" y="11" width="20" height="1.4"/><rect x="2" y="15" width="20" height="1.4"/><rect x="2" y="6" width="1.6" height="11"/><rect x="11.2" y="6" width="1.6" height="11"/><rect x="20.4" y="6" width="1.6" height="11"/></g>',
    "zoom": '<circle cx="10" cy="10" r="6" fill="none" stroke="{ink}" stroke-width="2.2"/><path d="M14.5 14.5 L20 20" stroke="{ink}" stroke-width="3" stroke-linecap="round"/>',
    "appearance": '<path d="M12 3 C6 3 3 7 3 12 C3 17 7 21 11 21 C13 21 13 19 12 18 C11 16 13 15 15 15 H18 C20 15 21 13 21 11 C21 6 17 3 12 3 Z" fill="{ink}"/><g fill="{accent}"><circle cx="8" cy="10" r="1.6"/><circle cx="12" cy="7" r="1.6"/><circle cx="16" cy="10" r="1.6"/></g>',
    "mididevice": '<rect x="3" y="6" width="18" height="12" rx="1.5" fill="{ink}"/><g fill="{line}"><rect x="6" y="6" width="2" height="7"/><rect x="10" y="6" width="2" height="7"/><rect x="14" y="6" width="2" height="7"/><rect x="18" y="6" width="1.5" height="7"/></g>',
    "note0": '<ellipse cx="12" cy="12" rx="6" ry="4.2" fill="none" stroke="{ink}" stroke-width="2.2"/>',
    "note1": '<ellipse cx="10" cy="17" rx="4.6" ry="3.2" fill="none" stroke="{ink}" stroke-width="2"/><rect x="13.4" y="3" width="1.8" height="14" fill="{ink}"/>',
    "note2": '<ellipse cx="10" cy="17" rx="4.6" ry="3.2" fill="{ink}"/><rect x="13.4" y="3" width="1.8" height="14" fill="{ink}"/>',
    "note3": '<ellipse cx="10" cy="17" rx="4.6" ry="3.2" fill="{ink}"/><rect x="13.4" y="3" width="1.8" height="14" fill="{ink}"/><path d="M15.2 3 C19 6 20 8 18 12" fill="none" stroke="{ink}" stroke-width="1.8"/>',
    "note4": '<ellipse cx="10" cy="17" rx="4.6" ry="3.2" fill="{ink}"/><rect x="13.4" y="3" width="1.8" height="14" fill="{ink}"/><path d="M15.2 3 C19 5 20 7 18 10 M15.2 7 C19 9 20 11 18 14" fill="none" stroke="{ink}" stroke-width="1.8"/>',
    "note5": '<ellipse cx="10" cy="18" rx="4.6" ry="3.2" fill="{ink}"/><rect x="13.4" y="2" width="1.8" height="16" fill="{ink}"/><path d="M15.2 2 C19 4 20 6 18 8 M15.2 6 C19 8 20 10 18 12 M15.2 10 C19 12 20 14 18 16" fill="none" stroke="{ink}" stroke-width="1.6"/>',
    "dot": '<ellipse cx="9" cy="14" rx="4.2" ry="3" fill="{ink}"/><circle cx="17" cy="13" r="2.2" fill="{accent}"/>',
    "addtrack": '<g fill="{ink}"><rect x="2" y="6" width="12" height="1.5"/><rect x="2" y="11" width="12" height="1.5"/><rect x="2" y="16" width="12" height="1.5"/></g><path d="M18 7 V19 M12 13 H24" stroke="{accent}" stroke-width="3"/>',
    "deltrack": '<g fill="{ink}"><rect x="2" y="6" width="12" height="1.5"/><rect x="2" y="11" width="12" height="1.5"/><rect x="2" y="16" width="12" height="1.5"/></g><path d="M12 13 H23" stroke="{accent}" stroke-width="3"/>',
    "close": '<path d="M7 7 L17 17 M17 7 L7 17" stroke="{ink}" stroke-width="2.6" stroke-linecap="round"/>',
    "min": '<rect x="6" y="15" width="12" height="2.6" fill="{ink}"/>',
    "max": '<rect x="6" y="6" width="12" height="11" fill="none" stroke="{ink}" stroke-width="2"/><rect x="6" y="6" width="12" height="3" fill="{ink}"/>',
    "restore": '<rect x="9" y="5" width="10" height="9" fill="none" stroke="{ink}" stroke-width="1.8"/><rect x="5" y="9" width="10" height="9" fill="{face}" stroke="{ink}" stroke-width="1.8"/>',
    "tray": '<path d="M7 7 L12 12 M12 12 V8 M12 12 H8" stroke="{ink}" stroke-width="2" fill="none"/><rect x="5" y="16" width="14" height="2.6" fill="{accent}"/>',
    "home": '<path d="M4 12 L12 4 L20 12 H17 V20 H7 V12 Z" fill="{ink}"/><rect x="10.5" y="14" width="3" height="6" fill="{line}"/>',
    "help": '<text x="12" y="19" font-family="DejaVu Sans" font-weight="bold" font-size="17" text-anchor="middle" fill="{ink}">?</text>',
    "about": '<text x="12" y="19" font-family="DejaVu Serif" font-weight="bold" font-size="17" text-anchor="middle" fill="{ink}">i</text>',
    "register": '<circle cx="9" cy="12" r="4.5" fill="none" stroke="{ink}" stroke-width="2.2"/><path d="M13.5 12 H21 M18 12 V16 M21 12 V15" stroke="{ink}" stroke-width="2.2"/>',
    "exportset": '<circle cx="12" cy="12" r="6.5" fill="none" stroke="{ink}" stroke-width="3.2" stroke-dasharray="3.4 1.7"/><circle cx="12" cy="12" r="3" fill="{ink}"/>',
    "settings": '<g stroke="{ink}" stroke-width="2"><path d="M4 7 H20 M4 12 H20 M4 17 H20"/></g><g fill="{accent}"><circle cx="9" cy="7" r="2.2"/><circle cx="15" cy="12" r="2.2"/><circle cx="7" cy="17" r="2.2"/></g>',
    "openfolder": '<path d="M3 6 H9 L11 8 H21 V19 H3 Z" fill="{ink}"/><path d="M12 10 L16 14 L12 18 M8 14 H16" fill="none" stroke="{line}" stroke-width="1.8"/>',
    "outfolder": '<path d="M3 6 H9 L11 8 H21 V19 H3 Z" fill="{accent}"/><path d="M8 14 H16 M13 11 L16 14 L13 17" fill="none" stroke="{line}" stroke-width="2"/>',
    "add": '<path d="M12 4 V20 M4 12 H20" stroke="{ink}" stroke-width="3.4" stroke-linecap="round"/>',
    "remove": '<path d="M4 12 H20" stroke="{ink}" stroke-width="3.4" stroke-linecap="round"/>',
    "up": '<path d="M12 4 L20 14 H15 V20 H9 V14 H4 Z" fill="{ink}"/>',
    "down": '<path d="M12 20 L20 10 H15 V4 H9 V10 H4 Z" fill="{ink}"/>',
    "panel": '<rect x="4" y="5" width="16" height="14" rx="1" fill="none" stroke="{ink}" stroke-width="1.8"/><rect x="4" y="14" width="16" height="5" fill="{accent}"/>',
    "playclip": '<path d="M9 6 L18 12 L9 18 Z" fill="{ink}"/><path d="M4 5 V19 M21 5 V19" stroke="{accent}" stroke-width="2"/>',
    "blank": '',
}


def rgb(t):
    return "rgb(%d,%d,%d)" % t


def svg(w, h, body, key=None, avoid=None):
    """An SVG document; key = the colour transparent pixels become, avoid = the range no drawn pixel may take."""
    attrs = ""
    if key:
        attrs += ' data-key="%d,%d,%d"' % key
    if avoid:
        attrs += ' data-avoid="%d,%d,%d,%d,%d,%d"' % (avoid[0] + avoid[1])
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d"%s>\n%s\n</svg>\n'
            % (w, h, w, h, attrs, body))


def gradient(gid, top, bottom):
    return ('<defs><linearGradient id="%s" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient></defs>' % (gid, top, bottom))


def glyph(name, p, x, y, size):
    s = size / 24.0
    return '<g transform="translate(%.2f %.2f) scale(%.4f)">%s</g>' % (x, y, s, GLYPHS[name].format(**p))


def button_strip(p, w, h, icon, ground=None):
    """Four frames side by side: normal, hover, pressed or checked, selected.

    A button much wider than high carries a caption drawn by the program, so its glyph keeps to the left.
    """
    faces = [(p["face"], p["face2"]), (p["hover"], p["face"]), (p["press"], p["face2"]), (p["face"], p["press"])]
    body = []
    for f, (top, bottom) in enumerate(faces):
        x = f * w
        gid = "g%d" % f
        body.append(gradient(gid, top, bottom))
        if ground:
            body.append('<rect x="%d" y="0" width="%d" height="%d" fill="%s"/>' % (x, w, h, ground))
        r = min(w, h) * 0.18
        body.append('<rect x="%.1f" y="0.5" width="%d" height="%d" rx="%.1f" fill="url(#%s)" stroke="%s"/>'
                    % (x + 0.5, w - 1, h - 1, r, gid, p["line"]))
        if f == 3:
            body.append('<rect x="%.1f" y="1.5" width="%d" height="%d" rx="%.1f" fill="none" stroke="%s" '
                        'stroke-width="1.6"/>' % (x + 1.5, w - 3, h - 3, r, p["accent"]))
        if icon != "blank":
            size = min(w, h) * 0.78
            dx = 1 if f == 2 else 0
            left = (h - size) / 2 if w > 2 * h else (w - size) / 2
            body.append(glyph(icon, p, x + left + dx, (h - size) / 2 + dx, size))
    return svg(4 * w, h, "\n".join(body))


def check_strip(p, w, h, ground):
    """Toggle with its caption beside a square box: off, hover, on, selected."""
    body = []
    for f in range(4):
        x = f * w
        body.append('<rect x="%d" y="0" width="%d" height="%d" fill="%s"/>' % (x, w, h, ground))
        edge = p["hover"] if f == 1 else p["accent"] if f == 3 else p["ink"]
        # The box keeps to the left edge: the composer writes the caption right after it.
        body.append('<rect x="%.1f" y="%.1f" width="%d" height="%d" rx="2" fill="%s" stroke="%s" '
                    'stroke-width="1.4"/>' % (x + 2.5, 4.5, h - 9, h - 9, p["well"], edge))
        if f >= 2:
            body.append('<path d="M%.1f %.1f l%.1f %.1f l%.1f %.1f" fill="none" stroke="%s" stroke-width="2" '
                        'stroke-linecap="round"/>' % (x + 5, h / 2, 2.5, 3, 4.5, -7, p["accent"]))
    return svg(4 * w, h, "\n".join(body))


def caption(p, w, h, title=None):
    body = [gradient("c", p["bar2"], p["bar"]),
            '<rect width="%d" height="%d" fill="url(#c)"/>' % (w, h),
            '<rect y="%d" width="%d" height="1" fill="%s"/>' % (h - 1, w, p["line"])]
    return svg(w, h, "\n".join(body))


def label(p, w, h):
    body = ['<rect width="%d" height="%d" fill="%s"/>' % (w, h, p["well"]),
            '<rect x="0.5" y="0.5" width="%d" height="%d" fill="none" stroke="%s"/>' % (w - 1, h - 1, p["face2"])]
    return svg(w, h, "\n".join(body))


def slider_track(p, w, h, inset):
    body = ['<rect width="%d" height="%d" fill="%s"/>' % (w, h, p["bar"]),
            '<rect x="%d" y="%.1f" width="%d" height="4" rx="2" fill="%s" stroke="%s"/>'
            % (inset, h / 2 - 2, w - 2 * inset, p["well"], p["face2"])]
    return svg(w, h, "\n".join(body))


def slider_thumb(p, w, h):
    body = [gradient("t", p["hover"], p["face"]),
            '<rect width="%d" height="%d" fill="%s"/>' % (w, h, p["bar"]),
            '<rect x="0.5" y="0.5" width="%d" height="%d" rx="2" fill="url(#t)" stroke="%s"/>' % (w - 1, h - 1, p["line"]),
            '<rect x="%.1f" y="4" width="1" height="%d" fill="%s"/>' % (w / 2 - 0.5, h - 8, p["ink"])]
    return svg(w, h, "\n".join(body))


def range_bar(p, w, h, track):
    l, t, r, b = track
    body = ['<rect width="%d" height="%d" fill="%s"/>' % (w, h, p["bar"]),
            '<rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>' % (l, t, r - l, b - t, p["well"])]
    for i in range(11):
        x = l + (r - l) * i / 10.0
        body.append('<rect x="%.1f" y="%d" width="1" height="3" fill="%s"/>' % (x, b, p["face2"]))
    return svg(w, h, "\n".join(body))


def range_fill(p, w, h):
    body = [gradient("f", p["hover"], p["fill"]), '<rect width="%d" height="%d" fill="url(#f)"/>' % (w, h)]
    return svg(w, h, "\n".join(body))


def marker(p, w, h, down, key=None):
    if down:
        shape = "M0.5 0.5 H%.1f L%.1f %.1f Z" % (w - 0.5, w / 2.0, h - 0.5)
    else:
        shape = "M%.1f 0.5 L%.1f %.1f H0.5 Z" % (w / 2.0, w - 0.5, h - 0.5)
    ground = "" if key else '<rect width="%d" height="%d" fill="%s"/>' % (w, h, p["bar"])
    body = ground + '<path d="%s" fill="%s" stroke="%s"/>' % (shape, p["accent"], p["line"])
    return svg(w, h, body, key=key, avoid=(key, key) if key else None)


def size_grip(p, w, h):
    body = ['<rect width="%d" height="%d" fill="%s"/>' % (w, h, p["bar"])]
    for i in range(3):
        o = 4 + 4 * i
        body.append('<path d="M%d %d L%d %d" stroke="%s" stroke-width="1.4"/>' % (w - 2, o, o, h - 2, p["face2"]))
    return svg(w, h, "\n".join(body))


def converter_background(p, w, h, layout):
    """The converter's window face: shaped by the region colours left outside the rounded outline."""
    key = p["key"]
    body = [gradient("b", p["body"], p["body2"]), gradient("c", p["bar2"], p["bar"]),
            '<rect x="0.5" y="0.5" width="%d" height="%d" rx="18" fill="url(#b)" stroke="%s" stroke-width="1.4"/>'
            % (w - 1, h - 1, p["line"]),
            '<path d="M0.5 32 V18.5 A18 18 0 0 1 18.5 0.5 H%.1f A18 18 0 0 1 %.1f 18.5 V32 Z" fill="url(#c)" '
            'stroke="%s" stroke-width="1.4"/>' % (w - 18.5, w - 0.5, p["line"]),
            '<text x="18" y="22" font-family="DejaVu Sans" font-weight="bold" font-size="15" fill="%s">'
            'Tonwick Converter</text>' % p["ink"]]
    # Wells under the list, the clip bar and the option rows.
    for n in (1, 18):
        x, y, ew, eh = layout[n]
        body.append('<rect x="%.1f" y="%.1f" width="%d" height="%d" rx="4" fill="none" stroke="%s" stroke-width="1.2"/>'
                    % (x - 2.5, y - 2.5, ew + 5, eh + 5, p["face2"]))
    x, y = 8, layout[27][1] - 6
    # Opaque, so that the toggles and the slider, drawn on the same colour, sit on it without an edge.
    body.append('<rect x="%d" y="%d" width="%d" height="%d" rx="6" fill="%s"/>'
                % (x, y, w - 16, layout[35][1] + 24 - y, p["bar"]))
    return svg(w, h, "\n".join(body), key=key, avoid=(key, p["key2"]))


# ---------------------------------------------------------------- the elements of each program

FONT = "Arial"


def composer_elements():
    """Element -> (w, h, picture, kind, extra); kind drives the drawing."""
    e = {}
    e[0] = dict(size=(400, 22), bg="caption.bmp", kind="caption", fsize=14)
    e[39] = dict(size=(400, 22), bg="caption.bmp", kind="caption", fsize=14)
    tool = dict(zip(range(60, 75), ["new", "open", "saveas", "select", "edit", "enter", "tools", "tracks", "clef",
                                    "key", "time", "measures", "zoom", "appearance", "mididevice"]))
    tool.update({79: "play", 80: "playpart", 81: "stop"})
    for n, icon in tool.items():
        e[n] = dict(size=(30, 30), bg="btn-%s.bmp" % icon, kind="button", icon=icon)
    for n, icon in zip(range(47, 56), ["note0", "note1", "note2", "note3", "note4", "note5", "dot", "addtrack",
                                       "deltrack"]):
        e[n] = dict(size=(24, 24), bg="btn-%s.bmp" % icon, kind="button", icon=icon)
    for n, icon in {40: "close", 42: "about", 56: "max", 57: "min", 58: "restore", 59: "tray", 77: "home",
                    78: "help"}.items():
        e[n] = dict(size=(20, 18), bg="btn-%s.bmp" % icon, kind="caption-button", icon=icon)
    e[14] = dict(size=(24, 24), bg="btn-exportset.bmp", kind="button", icon="exportset")
    e[41] = dict(size=(24, 24), bg="btn-openfolder.bmp", kind="button", icon="openfolder")
    e[16] = dict(size=(96, 28), bg="btn-export.bmp", kind="button", icon="blank", fsize=13)
    e[84] = dict(size=(24, 28), bg="btn-panel.bmp", kind="button", icon="panel")
    for n, icon in {23: "play", 24: "stop", 25: "playpart"}.items():
        e[n] = dict(size=(20, 20), bg="btn-%s-small.bmp" % icon, kind="button", icon=icon)
    e[27] = dict(size=(90, 20), bg="check.bmp", kind="check")
    e[28] = dict(size=(90, 20), bg="check.bmp", kind="check")
    e[36] = dict(size=(120, 20), bg="check-wide.bmp", kind="check")
    e[18] = dict(size=(400, 34), bg="rangebar.bmp", kind="rangebar", fnt="rangefill.bmp", track=(6, 10, 388, 12))
    e[19] = dict(size=(9, 10), bg="posmarker.bmp", kind="posmarker")
    e[20] = dict(size=(9, 12), bg="rangemarker.bmp", kind="rangemarker")
    for n in (29, 46):
        e[n] = dict(size=(120, 16), bg="slider-track.bmp", kind="slider", fnt="slider-thumb.bmp", track=(5, 0, 110, 16))
    e[85] = dict(size=(16, 16), bg="sizegrip.bmp", kind="sizegrip")
    e[26] = dict(size=(200, 20), bg="label-title.bmp", kind="label", fsize=13)
    e[75] = dict(size=(90, 20), bg="label-tempo.bmp", kind="label")
    for n, w in {15: 300, 21: 70, 22: 70, 30: 70, 31: 70, 32: 70, 33: 70, 34: 70, 35: 70, 37: 120}.items():
        e[n] = dict(size=(w, 20 if n == 15 else 18), kind="text")
    return e


# Converter window layout: element -> rectangle (left, top, width, height) on the 532 x 413 face.
CONVERTER_LAYOUT = {
    0: (0, 0, 532, 413), 1: (16, 76, 500, 140), 13: (16, 76, 500, 140),
    6: (500, 7, 20, 18), 8: (478, 7, 20, 18), 10: (456, 7, 20, 18), 9: (434, 7, 20, 18), 42: (412, 7, 20, 18),
    11: (390, 7, 20, 18), 39: (0, 0, 400, 22), 40: (500, 7, 20, 18),
    2: (16, 40, 28, 28), 3: (48, 40, 28, 28), 4: (80, 40, 28, 28), 5: (112, 40, 28, 28),
    14: (156, 40, 28, 28), 41: (188, 40, 28, 28), 38: (220, 40, 28, 28), 26: (260, 45, 256, 18),
    18: (16, 226, 500, 34), 19: (0, 0, 9, 10), 20: (0, 0, 9, 12),
    # The preview buttons are wide enough that a centred caption clears the glyph at their left.
    23: (100, 264, 104, 26), 24: (214, 264, 104, 26), 25: (328, 264, 104, 26),
    # The toggles' captions are centred on the whole picture: wide enough that they clear the box.
    27: (16, 300, 96, 20), 28: (116, 300, 96, 20), 36: (216, 300, 150, 20), 29: (372, 302, 60, 16),
    37: (436, 301, 80, 18),
    # Each caption stands just before its value: start, end, duration, size.
    30: (16, 326, 56, 18), 21: (72, 326, 66, 18), 31: (142, 326, 56, 18), 22: (198, 326, 66, 18),
    32: (268, 326, 56, 18), 34: (324, 326, 66, 18), 33: (394, 326, 56, 18), 35: (450, 326, 66, 18),
    # The status and export-folder rows, and below them a row of their own for a batch's progress and file.
    15: (16, 354, 300, 18), 17: (16, 372, 300, 18), 43: (16, 390, 160, 18), 44: (180, 390, 236, 18),
    16: (420, 366, 96, 32), 45: (420, 366, 96, 32),
}


# Converter elements that sit on the light face rather than on the caption or the option bar.
CONVERTER_ON_FACE = (1, 2, 3, 4, 5, 13, 14, 15, 16, 17, 23, 24, 25, 26, 38, 41, 43, 44, 45)


def converter_elements():
    e = {}
    e[0] = dict(bg="background.bmp", kind="background", fsize=14)
    e[39] = dict(bg="caption.bmp", kind="caption", fsize=14)
    for n, icon in {2: "add", 3: "remove", 4: "up", 5: "down", 14: "outfolder", 41: "openfolder",
                    38: "settings"}.items():
        e[n] = dict(bg="btn-%s.bmp" % icon, kind="button", icon=icon)
    for n, icon in {6: "close", 40: "close", 8: "min", 9: "home", 10: "help", 11: "register", 42: "about"}.items():
        e[n] = dict(bg="btn-%s.bmp" % icon, kind="caption-button", icon=icon)
    for n, icon in {23: "play", 24: "pause", 25: "playclip"}.items():
        e[n] = dict(bg="btn-%s.bmp" % icon, kind="wide-button", icon=icon)
    e[16] = dict(bg="btn-convert.bmp", kind="button", icon="blank", fsize=14)
    e[45] = dict(bg="btn-convert.bmp", kind="button", icon="blank", fsize=14)
    e[27] = dict(bg="check.bmp", kind="check")
    e[28] = dict(bg="check.bmp", kind="check")
    e[36] = dict(bg="check-wide.bmp", kind="check")
    e[18] = dict(bg="rangebar.bmp", kind="rangebar", fnt="rangefill.bmp", track=(6, 10, 488, 12))
    e[19] = dict(bg="posmarker.bmp", kind="posmarker")
    e[20] = dict(bg="rangemarker.bmp", kind="rangemarker")
    e[29] = dict(bg="slider-track.bmp", kind="slider", fnt="slider-thumb.bmp", track=(5, 0, 50, 16))
    for n in (1, 13, 15, 17, 21, 22, 26, 30, 31, 32, 33, 34, 35, 37, 43, 44):
        e[n] = dict(kind="text")
    for n, item in e.items():
        item["size"] = CONVERTER_LAYOUT[n][2:]
        item["at"] = CONVERTER_LAYOUT[n][:2]
    return e


# Texts of the elements: (title id, tip id) in the language files, as the shipped skin.ini files name them.
COMPOSER_TEXTS = {14: (None, "x100"), 16: ("x101", "x102"), 23: (None, "x103"), 24: (None, "x104"),
                  25: (None, "x105"), 26: ("x106", None), 27: ("x107", "x108"), 28: ("x109", "x110"),
                  29: (None, "x111"), 30: ("x112", None), 31: ("x113", None), 32: ("x114", None),
                  33: ("x115", None), 36: ("x116", "x117"), 37: ("x118", None), 40: (None, "x119"),
                  41: (None, "x120"), 42: (None, "x121"), 46: (None, "x122"), 77: (None, "x151"),
                  78: (None, "x152"), 79: (None, "x153"), 80: (None, "x154"), 81: (None, "x155"),
                  84: (None, "x156")}
COMPOSER_TEXTS.update({n: (None, "x%d" % (123 + n - 47)) for n in range(47, 56)})
COMPOSER_TEXTS.update({n: (None, "x%d" % (132 + n - 56)) for n in range(56, 60)})
COMPOSER_TEXTS.update({n: (None, "x%d" % (136 + n - 60)) for n in range(60, 75)})

CONVERTER_TEXTS = {2: (None, "x157"), 3: (None, "x158"), 4: (None, "x159"), 5: (None, "x160"), 6: (None, "x161"),
                   8: (None, "x162"), 9: (None, "x163"), 10: (None, "x164"), 11: (None, "x165"),
                   14: (None, "x166"), 16: ("x167", "x168"), 17: ("x169", None), 23: ("x170", "x171"),
                   24: ("x172", "x173"), 25: ("x174", "x175"), 26: ("x176", None), 27: ("x107", "x108"),
                   28: ("x109", "x110"), 29: (None, "x177"), 30: ("x112", None), 31: ("x113", None),
                   32: ("x114", None), 33: ("x115", None), 36: ("x116", "x117"), 37: ("x118", None),
                   38: (None, "x178"), 40: (None, "x179"), 41: (None, "x180"), 42: (None, "x181"),
                   43: ("x182", None), 44: ("x183", None), 45: ("x184", "x185")}


def draw(item, p, ground):
    w, h = item["size"]
    kind = item["kind"]
    if kind in ("button", "wide-button"):
        return {item["bg"]: button_strip(p, w, h, item["icon"], ground)}
    if kind == "caption-button":
        return {item["bg"]: button_strip(p, w, h, item["icon"], p["bar"])}
    if kind == "caption":
        return {item["bg"]: caption(p, w, h)}
    if kind == "check":
        return {item["bg"]: check_strip(p, w, h, ground)}
    if kind == "rangebar":
        l, t, tw, th = item["track"]
        return {item["bg"]: range_bar(p, w, h, (l, t, l + tw, t + th)), item["fnt"]: range_fill(p, w, th)}
    if kind == "posmarker":
        return {item["bg"]: marker(p, w, h, True)}
    if kind == "rangemarker":
        return {item["bg"]: marker(p, w, h, False, key=p["key"])}
    if kind == "slider":
        return {item["bg"]: slider_track(p, w, h, item["track"][0]), item["fnt"]: slider_thumb(p, 10, h)}
    if kind == "sizegrip":
        return {item["bg"]: size_grip(p, w, h)}
    if kind == "label":
        return {item["bg"]: label(p, w, h)}
    if kind == "background":
        return {item["bg"]: converter_background(p, w, h, {n: r for n, r in CONVERTER_LAYOUT.items()})}
    return {}


def ini_for(elements, texts, p, converter):
    lines = ["; Written by data/skin-src/generate.py.", "[common]", "name=%s" % p["name"],
             "transcolor=%d,%d,%d" % p.get("window", p["key"])]
    if converter:
        lines.append("transcolor2=%d,%d,%d" % p["key2"])
    for n in sorted(elements):
        item = elements[n]
        w, h = item["size"]
        x, y = item.get("at", (0, 0))
        lines += ["", "[textbtn%02d]" % n, "position=%d,%d,%d,%d" % (x, y, w, h)]
        if "bg" in item:
            lines.append("bgimage=%s" % item["bg"])
        title, tip = texts.get(n, (None, None))
        if title:
            lines.append("title=%s" % title)
        if tip:
            lines.append("tip=%s" % tip)
        if "fnt" in item:
            lines += ["fntname=%s" % item["fnt"], "fntsize=12", "fntcolor=%d,%d,%d,%d" % item["track"]]
        elif item["kind"] == "rangemarker":
            lines += ["fntname=%s" % FONT, "fntsize=12", "fntcolor=%d,%d,%d" % p["key"]]
        else:
            # Converter texts on the light face are dark; those on the option bar and on buttons light.
            on_face = converter and n in CONVERTER_ON_FACE and item["kind"] == "text"
            colour = p["label"] if on_face else p["text"]
            lines += ["fntname=%s" % FONT, "fntsize=%d" % item.get("fsize", 12), "fntcolor=%d,%d,%d" % colour]
    return "\n".join(lines) + "\n"


def write(path, text, newline="\n"):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline=newline) as out:
        out.write(text)


def main():
    for program, folder, elements, texts in (("composer", "skin-com", composer_elements(), COMPOSER_TEXTS),
                                             ("converter", "skin", converter_elements(), CONVERTER_TEXTS)):
        for number in (1, 2):
            p = PALETTES["%s-%d" % (program, number)]
            src = os.path.join(HERE, folder, "skin-%d" % number)
            pictures = {}
            for n, item in elements.items():
                ground = p["bar"]
                if program == "converter" and n in CONVERTER_ON_FACE:
                    ground = p["body"]
                pictures.update(draw(item, p, ground))
            if os.path.isdir(src):
                for old in os.listdir(src):
                    os.remove(os.path.join(src, old))
            for name, text in pictures.items():
                write(os.path.join(src, name[:-4] + ".svg"), text)
            write(os.path.join(DATA, folder, "skin-%d" % number, "skin.ini"),
                  ini_for(elements, texts, p, program == "converter"), newline="\r\n")


if __name__ == "__main__":
    main()
