#!/usr/bin/python3
# Builds the composer's music font kestrin.ttf (face "8888 8888") from the engraving outlines of an OFL font.
"""Usage: make_music_font.py SOURCE.otf BRACES.otf OUT.ttf

Metrics the score painters rely on, in font units of one staff space (U):
- the character cell is 11 U high, the baseline 5.5 U below its top: a note head, an accidental, a dot or a
  rest is centred on the baseline, so that a glyph drawn with its cell top 5.5 U above a staff position sits
  on that position;
- the average character width is 2.25 U, so that the painters' font widths (18/88 of the height) keep the
  outlines undistorted;
- heads start at x = 0 and end at their advance width; stems up stand at the right edge, stems down at the
  left edge, 3.125 U long for up to two flags;
- accidentals end 0.8 U (1.0 U double sharp, 1.25 U double flat) right of their origin, which the painters
  place one head's width and more left of the note;
- clefs are drawn with their cell top 3.5 U above the middle line: the baseline is the bottom staff line;
- the brace halves are placed for staves 10 U apart, drawn in a cell 11.2 U high.
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.basePen import BasePen
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.cu2quPen import Cu2QuPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

U = 200                      # one staff space
CELL_HALF = 1100             # ascent = descent = 5.5 U
SOURCE_SPACE = 250.0         # one staff space of the source outlines
S = U / SOURCE_SPACE
HEAD_X = 0.9                 # heads a little narrower, so that ledger lines stand out on both sides
ACCIDENTAL_X = 0.75          # accidentals narrower, so that key signatures 0.75 U apart do not collide
STEM = 26                    # stem thickness
STEM_LENGTH = 625            # 3.125 U from the head's centre
GRACE_RAISE = 24             # small heads sit a little above the baseline, where the grace painter expects them


class Glyph:
    """One outline being assembled from source shapes and rectangles, in font units."""

    def __init__(self):
        self.pen = TTGlyphPen(None)
        # Source contours turn anticlockwise; TrueType wants them clockwise.
        self.quadratic = Cu2QuPen(self.pen, 1.0, reverse_direction=True)
        self.advance = 0

    def add(self, source, name, sx, sy, dx, dy):
        source[name].draw(TransformPen(self.quadratic, (sx, 0, 0, sy, dx, dy)))

    def add_polygon(self, points):
        self.quadratic.moveTo(points[0])
        for p in points[1:]:
            self.quadratic.lineTo(p)
        self.quadratic.closePath()

    def rectangle(self, x0, y0, x1, y1):
        self.add_polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def build(self):
        return self.pen.glyph()


def bounds(source, name):
    pen = BoundsPen(source)
    source[name].draw(pen)
    return pen.bounds


class FlatteningPen(BasePen):
    """Turns an outline into polygons, each curve cut into short straight pieces."""

    def __init__(self, steps=24):
        super().__init__(None)
        self.steps = steps
        self.polygons = []

    def _moveTo(self, p):
        self.polygons.append([p])

    def _lineTo(self, p):
        self.polygons[-1].append(p)

    def _curveToOne(self, p1, p2, p3):
        p0 = self.polygons[-1][-1]
        for i in range(1, self.steps + 1):
            t = i / self.steps
            a, b, c, d = (1 - t) ** 3, 3 * (1 - t) ** 2 * t, 3 * (1 - t) * t ** 2, t ** 3
            self.polygons[-1].append((a * p0[0] + b * p1[0] + c * p2[0] + d * p3[0],
                                      a * p0[1] + b * p1[1] + c * p2[1] + d * p3[1]))

    def _closePath(self):
        pass


def clip(polygon, cut, keep_above):
    """The part of the polygon above (or below) the line y = cut."""
    inside = (lambda p: p[1] >= cut) if keep_above else (lambda p: p[1] <= cut)
    out = []
    for i, p in enumerate(polygon):
        q = polygon[(i + 1) % len(polygon)]
        if inside(p):
            out.append(p)
        if inside(p) != inside(q):
            t = (cut - p[1]) / (q[1] - p[1])
            out.append((p[0] + t * (q[0] - p[0]), cut))
    return out


def head(source, name, x_scale=HEAD_X, raise_by=0):
    g = Glyph()
    x0, _, x1, _ = bounds(source, name)
    g.add(source, name, S * x_scale, S, -x0 * S * x_scale, raise_by)
    g.advance = round((x1 - x0) * S * x_scale)
    return g


def note(source, head_name, flags, up, raise_by=0):
    """A note with its stem and 0..4 flags; longer flag runs get longer stems."""
    g = head(source, head_name, raise_by=raise_by)
    length = STEM_LENGTH + max(0, flags - 2) * U
    left = g.advance - STEM if up else 0
    if up:
        g.rectangle(left, raise_by, left + STEM, raise_by + length)
    else:
        g.rectangle(left, raise_by - length, left + STEM, raise_by)
    if flags:
        name = ("flags.u%d" if up else "flags.d%d") % (flags + 2)
        end = raise_by + (length if up else -length)
        g.add(source, name, S, S, left, end)
    return g


def accidental(source, name, right_edge):
    g = Glyph()
    x0, _, x1, _ = bounds(source, name)
    sx = S * ACCIDENTAL_X
    g.add(source, name, sx, S, right_edge - x1 * sx, 0)
    g.advance = right_edge
    return g


def rest(source, name):
    g = Glyph()
    x0, _, x1, _ = bounds(source, name)
    g.add(source, name, S, S, -x0 * S, 0)
    g.advance = round((x1 - x0) * S)
    return g


def block_rest(source):
    """The whole and half rest: a block half a space high standing on the baseline, so that it sits on the
    middle line and, drawn half a space higher, hangs from the line above it."""
    g = Glyph()
    x0, y0, x1, y1 = bounds(source, "rests.1")
    g.add(source, "rests.1", S, (U / 2) / (y1 - y0), -x0 * S, 0)
    g.advance = round((x1 - x0) * S)
    return g


def digit(source, name):
    g = Glyph()
    x0, _, x1, _ = bounds(source, name)
    g.advance = round(1.5 * U)
    g.add(source, name, S, S, (g.advance - (x1 - x0) * S) / 2 - x0 * S, -U)
    return g


def clef(source, name, line_above_bottom):
    g = Glyph()
    x0, _, x1, _ = bounds(source, name)
    g.add(source, name, S, S, -x0 * S, line_above_bottom * U)
    g.advance = round((x1 - x0) * S)
    return g


def brace_half(braces, upper):
    """Half of a brace 14 U high (two staves 10 U apart); each half meets the other at the staves' middle."""
    name = "brace70"
    x0, y0, x1, y1 = bounds(braces, name)
    k = 2750.0 / (y1 - y0)
    flat = FlatteningPen()
    braces[name].draw(TransformPen(flat, (k, 0, 0, k, 40 - x0 * k, -(y0 + y1) / 2 * k)))
    g = Glyph()
    shift = -530 if upper else 668
    for polygon in flat.polygons:
        part = clip(polygon, 0.0, upper)
        if len(part) >= 3:
            g.add_polygon([(x, y + shift) for x, y in part])
    g.advance = round((x1 - x0) * k) + 80
    return g


def dot(source):
    g = Glyph()
    g.add(source, "dots.dot", S * 1.1, S * 1.1, 0, 0)
    g.advance = round(bounds(source, "dots.dot")[2] * S * 1.1)
    return g


def glyphs(source, braces):
    """Character code -> (glyph name, glyph)."""
    table = {0x20: ("space", Glyph())}
    table[0x20][1].advance = U

    whole = Glyph()
    x0, _, x1, _ = bounds(source, "noteheads.s0")
    sx = 1.55 * U / (x1 - x0)
    whole.add(source, "noteheads.s0", sx, S, -0.2 * U - x0 * sx, 0)
    whole.advance = round(1.35 * U)
    table[0x21] = ("whole", whole)
    notes = [("half", "noteheads.s1", 0), ("quarter", "noteheads.s2", 0), ("eighth", "noteheads.s2", 1),
             ("sixteenth", "noteheads.s2", 2), ("thirtysecond", "noteheads.s2", 3), ("sixtyfourth", "noteheads.s2", 4)]
    for i, (name, head_name, flags) in enumerate(notes):
        down = 0x23 + 2 * i
        table[down] = (name + "Down", note(source, head_name, flags, False))
        table[down - 1] = (name + "Up", note(source, head_name, flags, True))

    table[0x30] = ("headOpen", head(source, "noteheads.s1"))
    table[0x31] = ("headFilled", head(source, "noteheads.s2"))

    table[0x3D] = ("restBlock", block_rest(source))
    for code, level in zip(range(0x3E, 0x43), range(2, 7)):
        table[code] = ("rest%d" % (1 << level), rest(source, "rests.%d" % level))

    digits = ["zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"]
    for d, name in enumerate(digits):
        table[ord("D") + d] = ("time" + name.capitalize(), digit(source, name))

    table[0x5C] = ("naturalCancel", accidental(source, "accidentals.natural", 0.8 * U))
    table[0x5E] = ("doubleSharp", accidental(source, "accidentals.doublesharp", 1.0 * U))
    table[0x5F] = ("sharp", accidental(source, "accidentals.sharp", 0.8 * U))
    table[0x60] = ("natural", accidental(source, "accidentals.natural", 0.8 * U))
    table[0x61] = ("flat", accidental(source, "accidentals.flat", 0.8 * U))
    table[0x62] = ("doubleFlat", accidental(source, "accidentals.flatflat", 1.25 * U))

    table[0x63] = ("braceUpper", brace_half(braces, True))
    table[0x64] = ("braceLower", brace_half(braces, False))
    table[0x65] = ("clefG", clef(source, "clefs.G", 1))
    table[0x66] = ("clefC", clef(source, "clefs.C", 2))
    table[0x67] = ("clefF", clef(source, "clefs.F", 3))

    table[0x71] = ("graceQuarter", note(source, "noteheads.s2", 0, True, GRACE_RAISE))
    table[0x77] = ("graceEighth", note(source, "noteheads.s2", 1, True, GRACE_RAISE))
    table[0x78] = ("graceSixteenth", note(source, "noteheads.s2", 2, True, GRACE_RAISE))
    table[0xA1] = ("dot", dot(source))
    table[0xC0] = ("crossHead", head(source, "noteheads.s2cross"))
    table[0xCF] = ("graceHead", head(source, "noteheads.s2", raise_by=GRACE_RAISE))
    return table


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    source = TTFont(argv[1]).getGlyphSet()
    braces = TTFont(argv[2]).getGlyphSet()
    table = glyphs(source, braces)

    empty = TTGlyphPen(None)
    outlines = {".notdef": empty.glyph()}
    metrics = {".notdef": (U, 0)}
    cmap = {}
    for code in sorted(table):
        name, g = table[code]
        outlines[name] = g.build()
        outlines[name].recalcBounds(outlines)
        metrics[name] = (g.advance, getattr(outlines[name], "xMin", 0))
        cmap[code] = name

    fb = FontBuilder(2 * CELL_HALF, isTTF=True)
    fb.setupGlyphOrder(list(outlines))
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=CELL_HALF, descent=-CELL_HALF)
    fb.setupNameTable({
        "familyName": "8888 8888",
        "styleName": "Regular",
        "uniqueFontIdentifier": "8888 8888 music font",
        "fullName": "8888 8888",
        "psName": "8888-8888",
        "version": "Version 1.000",
        "copyright": "Outlines derived from the LilyPond music font, copyright (c) 1996-2017 The LilyPond authors.",
        "licenseDescription": "This Font Software is licensed under the SIL Open Font License, Version 1.1.",
        "licenseInfoURL": "https://openfontlicense.org",
    })
    fb.setupOS2(sTypoAscender=CELL_HALF, sTypoDescender=-CELL_HALF, sTypoLineGap=0,
                usWinAscent=CELL_HALF, usWinDescent=CELL_HALF, xAvgCharWidth=round(2.25 * U),
                achVendID="NONE", fsType=0)
    fb.setupPost(keepGlyphNames=False)
    fb.font["OS/2"].xAvgCharWidth = round(2.25 * U)
    fb.save(argv[3])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
