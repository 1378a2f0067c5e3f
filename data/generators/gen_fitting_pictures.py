#!/usr/bin/python3
"""Author-time generator of the fitting pictures (not part of the build).

Reads the fitting catalogue in data/fittings/*.json and draws one schematic
per base code (the key without its "-s"/"-b" path part) into
data/pictures/<base code>.gif, 240 x 180 pixels: duct walls black on white,
flow arrows blue, the fitting's path names at their ducts and the symbols of
its inputs where they measure. Each base code is drawn by one of the
templates below, chosen from its category and name; a code that no rule
takes, or a symbol that its template cannot place, stops the run.

Run with Debian's Python and python3-pil (fonts-dejavu-core for the text):
    /usr/bin/python3 data/generators/gen_fitting_pictures.py [--sheet out.png]
--sheet also writes a contact sheet of every picture, for checking by eye.
"""

import glob
import json
import math
import os
import sys
from collections import OrderedDict

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "fittings")
OUT = os.path.join(HERE, "..", "pictures")

W, H = 240, 180          # picture size
S = 4                    # drawing is done S times larger, then reduced
BLACK = (0, 0, 0)
BLUE = (20, 90, 225)
PATH_BLUE = (0, 55, 160)
DIM = (60, 60, 60)
GREY = (150, 150, 150)
FILL = (228, 228, 228)
WHITE = (255, 255, 255)

WALL_W = 2.4             # duct wall line width
FLOW_W = 2.0             # flow arrow line width
DIM_W = 1.0              # dimension line width

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"


def font(name, size):
    try:
        return ImageFont.truetype(FONT_DIR + name, size * S)
    except OSError:
        return ImageFont.load_default()


F_SYM = font("DejaVuSerif-Italic.ttf", 14)
F_SUB = font("DejaVuSerif-Italic.ttf", 10)
F_PATH = font("DejaVuSans-Bold.ttf", 11)
F_NOTE = font("DejaVuSans.ttf", 10)

# ---------------------------------------------------------------- symbols

# The duct sizes that each class takes from the ducts it joins, named as its
# axes name them; the fitting's own inputs (InputNames) come on top.
SECTION_SYMBOLS = {
    "TDuctFitConst": [], "TDuctFitL": [], "TDuctFitAngle": [], "TDuctFitAbAo": [],
    "TDuctFitLD0": [], "TDuctFitQbQc": [], "TDuctFitQsQc": [], "TDuctFitntd": [],
    "TDuctFitD": ["D"], "TDuctFitrD": ["D"], "TDuctFitDorD": ["D"], "TDuctFithD": ["D"],
    "TDuctFitDeD": ["D"], "TDuctFitLD": ["D"], "TDuctFitDLt": ["D"], "TDuctFitD0rL": ["D"],
    "TDuctFitAngleLD": ["D"], "TDuctFitLDAngle": ["D"], "TDuctFitDdyLQ": ["D"],
    "TDuctFitVQDAngle": ["D"],
    "TDuctFitLH": ["H"], "TDuctFitHrL": ["H"],
    "TDuctFitHW": ["H", "W"], "TDuctFitH0W0L": ["H", "W"], "TDuctFitHWAngle": ["H", "W"],
    "TDuctFitHWLAngle": ["H", "W"], "TDuctFitHWLt": ["H", "W"], "TDuctFitLHW": ["H", "W"],
    "TDuctFitHWr": ["H", "W"], "TDuctFitHWL": ["H", "W"], "TDuctFitAngleHW": ["H", "W"],
    "TDuctFitHWh": ["H", "W"], "TDuctFitHWNAngle": ["H", "W"], "TDuctFitHWRA": ["H", "W"],
    "TDuctFitHWLQ": ["H", "W"], "TDuctFitHWdyQ": ["H", "W"], "TDuctFitVQHWA": ["H", "W"],
    "TDuctFitLmDQ": ["L", "D"],
    "TDuctFitDbDc": ["Db", "Dc"], "TDuctFitHWbWc": ["H", "Wb", "Wc"],
    "TDuctFitD0D1A": ["D0", "D1"], "TDuctFitD1D0A": ["D0"], "TDuctFitD0D1n": ["D0"],
    "TDuctFitDD0A": ["D0"], "TDuctFitD0H1W1L": ["D0", "H1", "W1"],
    "TDuctFitD0H1W1A": ["D0", "H1", "W1"], "TDuctFitH0W0H1W1n": ["H0", "W0"],
    "TDuctFitH0W0H1W1L": ["H0", "W0"], "TDuctFitH0W0D1r": ["H0", "W0", "D1"],
    "TDuctFitHWoW1": ["H", "Wo", "W1"], "TDuctFitHW1Wo": ["H", "W1", "Wo"],
    "TDuctFitH0W0H1W1Angle": ["H0", "W0", "H1", "W1"], "TDuctFitH1W1HoWoAngle": ["H1", "W1"],
    "TDuctFitHoWoH1W1Angle": ["Ho", "Wo"], "TDuctFitHoH1W1L": ["Ho", "H1", "W1"],
    "TDuctFitHoWoH1W1L": ["Ho", "Wo", "H1", "W1"], "TDuctFitH0W0D1Angle": ["H0", "W0", "D1"],
    "TDuctFitH0H1WAngle": ["H0", "H1", "W"], "TDuctFitHoWoHbWbLmQ": ["Ho", "Wo", "L"],
    "TDuctFitH1W1D0LA": ["H1", "W1", "D0"], "TDuctFitH0W0D1LA": ["H0", "W0", "D1"],
    "TDuctFitH0W0H1W1LA": ["H0", "W0", "H1", "W1"], "TDuctFitH0H1WAQ": ["H0"],
    "TDuctFitH0W0H1W1AQ": ["H0", "W0"],
    "TDuctFitDbDcQbQc": ["Db", "Dc"], "TDuctFitHWbWcQbQc": ["H", "Wb", "Wc"],
    "TDuctFitHbWbHcWcQbQc": ["Hb", "Wb", "Hc", "Wc"], "TDuctFitHcWcDbQbQc": ["Hc", "Wc", "Db"],
    "TDuctFitDsDcQsQc": ["Ds", "Dc"], "TDuctFitHsWsHcWcQsQc": ["Hs", "Ws", "Hc", "Wc"],
    "TDuctFitHWsWcQsQc": ["H", "Ws", "Wc"],
    "TDuctFitDsDcDbQbQc": ["Ds", "Dc", "Db"], "TDuctFitDsDcDbQsQc": ["Ds", "Dc", "Db"],
    "TDuctFitDsDcDbQbQcBySize": ["Ds", "Dc", "Db"], "TDuctFitDsDcDbQsQcBySize": ["Ds", "Dc", "Db"],
    "TDuctFitDsDb1DcQb1Qc": ["Ds", "Db1", "Dc"], "TDuctFitDb1Db2DcQb1Qc": ["Db1", "Db2", "Dc"],
    "TDuctFitDb1Db2DcQb2Qc": ["Db1", "Db2", "Dc"],
    "TDuctFitHWbWcWsQbQc": ["H", "Wb", "Wc", "Ws"], "TDuctFitHWbWcWsQsQc": ["H", "Wb", "Wc", "Ws"],
    "TDuctFitHWWbQb1Qb2Qc": ["H", "W", "Wb"], "TDuctFitHWWbQb1Qb2QcQs": ["H", "W", "Wb"],
    "TDuctFitDcDbQb1Qb2Qc": ["Dc", "Db"], "TDuctFitDcDbQb1Qb2QcQs": ["Dc", "Db"],
}


def split_symbol(sym):
    """Main letter and subscript of a symbol: "Db1" -> ("D", "b1")."""
    if sym == "Angle":
        return "\u03b8", ""
    return sym[0], sym[1:]


# ---------------------------------------------------------------- geometry helpers

def rad(a):
    return math.radians(a)


def polar(c, r, a):
    """Point at distance r from c in direction a (degrees, counter-clockwise, y up)."""
    return (c[0] + r * math.cos(rad(a)), c[1] - r * math.sin(rad(a)))


def arc(c, r, a0, a1, n=None):
    n = n or max(6, int(abs(a1 - a0) / 4))
    return [polar(c, r, a0 + (a1 - a0) * i / n) for i in range(n + 1)]


def bezier(p0, p1, p2, n=24):
    pts = []
    for i in range(n + 1):
        t = i / n
        pts.append(((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
                    (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]))
    return pts


def lerp(p, q, t):
    return (p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t)


def unit(p, q):
    dx, dy = q[0] - p[0], q[1] - p[1]
    n = math.hypot(dx, dy) or 1.0
    return dx / n, dy / n


# ---------------------------------------------------------------- canvas

class Canvas:
    """A picture being drawn: coordinates in picture pixels (y down)."""

    def __init__(self, fit):
        self.fit = fit
        self.img = Image.new("RGB", (W * S, H * S), WHITE)
        self.d = ImageDraw.Draw(self.img)
        self.placed = set()
        self.paths_placed = set()
        self.clipped = []       # texts that leave the picture

    # --- queries
    def has(self, sym):
        return sym in self.fit.syms

    def first(self, *syms):
        for s in syms:
            if s in self.fit.syms and s not in self.placed:
                return s
        return None

    # --- primitives
    @staticmethod
    def _p(pts):
        return [(x * S, y * S) for x, y in pts]

    def line(self, pts, width=DIM_W, color=BLACK, caps=True):
        pts = list(pts)
        self.d.line(self._p(pts), fill=color, width=max(1, round(width * S)), joint="curve")
        if caps and width >= 1.5:
            for p in (pts[0], pts[-1]):
                self.dot(p, width / 2, color)

    def dot(self, p, r, color=BLACK):
        x, y = p
        self.d.ellipse([(x - r) * S, (y - r) * S, (x + r) * S, (y + r) * S], fill=color)

    def circle(self, c, r, width=WALL_W, color=BLACK, fill=None):
        x, y = c
        self.d.ellipse([(x - r) * S, (y - r) * S, (x + r) * S, (y + r) * S], outline=color,
                       fill=fill, width=max(1, round(width * S)))

    def poly(self, pts, fill, outline=None, width=1.0):
        self.d.polygon(self._p(pts), fill=fill)
        if outline:
            self.line(list(pts) + [pts[0]], width, outline, caps=False)

    def rect(self, x0, y0, x1, y1, fill=None, outline=BLACK, width=1.0):
        self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)], fill or WHITE, outline, width)

    def dashed(self, p, q, color=DIM, width=DIM_W, dash=4, gap=3):
        length = math.hypot(q[0] - p[0], q[1] - p[1])
        pos = 0.0
        while pos < length:
            a = lerp(p, q, pos / length)
            b = lerp(p, q, min(length, pos + dash) / length)
            self.line([a, b], width, color, caps=False)
            pos += dash + gap

    def wall(self, pts, width=WALL_W):
        self.line(pts, width, BLACK)

    def head(self, tip, frm, length, half, color):
        ux, uy = unit(frm, tip)
        base = (tip[0] - ux * length, tip[1] - uy * length)
        self.poly([tip, (base[0] - uy * half, base[1] + ux * half),
                   (base[0] + uy * half, base[1] - ux * half)], color)

    def flow(self, pts, width=FLOW_W):
        """A blue flow arrow along pts, its head at the last point."""
        pts = list(pts)
        tip, prev = pts[-1], pts[-2]
        ux, uy = unit(prev, tip)
        stem = pts[:-1] + [(tip[0] - ux * 6, tip[1] - uy * 6)]
        self.line(stem, width, BLUE)
        self.head(tip, prev, 9, 4.2, BLUE)

    def hatch(self, x0, y0, x1, y1, step=5):
        """A cut wall or solid: outline and 45 degree hatching."""
        self.rect(x0, y0, x1, y1, WHITE, BLACK, 1.0)
        w, h = x1 - x0, y1 - y0
        k = -h
        while k < w:
            a = (x0 + max(k, 0), y1 - max(0, -k))
            t = min(w - k, h) if k >= 0 else min(w, h + k)
            b = (a[0] + t, a[1] - t)
            self.line([a, b], 0.8, GREY, caps=False)
            k += step
        self.line([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)], 1.0, BLACK, caps=False)

    # --- text
    def _text(self, xy, s, fnt, color, anchor="mm", halo=True):
        x, y = xy
        box = self.d.textbbox((x * S, y * S), s, font=fnt, anchor=anchor)
        if box[0] < 0 or box[1] < 0 or box[2] > W * S or box[3] > H * S:
            self.clipped.append(s)
        self.d.text((x * S, y * S), s, font=fnt, fill=color, anchor=anchor,
                    stroke_width=(2 * S if halo else 0), stroke_fill=WHITE)

    def text_width(self, s, fnt):
        return fnt.getlength(s) / S

    def symbol_text(self, xy, sym, color=BLACK):
        """A symbol with its subscript, centred on xy."""
        main, sub = split_symbol(sym)
        wm = self.text_width(main, F_SYM)
        ws = self.text_width(sub, F_SUB) if sub else 0
        x0 = xy[0] - (wm + ws) / 2
        self._text((x0, xy[1]), main, F_SYM, color, "lm")
        if sub:
            self._text((x0 + wm + 0.3, xy[1] + 4), sub, F_SUB, color, "lm")

    def symbol_size(self, sym):
        main, sub = split_symbol(sym)
        return self.text_width(main, F_SYM) + (self.text_width(sub, F_SUB) if sub else 0), 14

    def note(self, xy, text, anchor="mm"):
        self._text(xy, text, F_NOTE, DIM, anchor)

    # --- dimensions
    def dim(self, p, q, sym, side=1, off=9, ext=None, force=False, lab="mid"):
        """A dimension line from p to q with arrows at both ends and the symbol
        beside its middle (side 1: left of p->q, -1: right), or beyond its
        end q (lab "end") or its start p (lab "start"). Short spans get their
        arrows from outside."""
        if not force and not (sym and self.has(sym) and sym not in self.placed):
            return False
        for a, b in ext or []:
            self.line([a, b], 0.8, DIM, caps=False)
        length = math.hypot(q[0] - p[0], q[1] - p[1])
        ux, uy = unit(p, q)
        short = length < 16
        if not short:
            self.line([p, q], DIM_W, DIM, caps=False)
            self.head(p, q, 6, 2.4, DIM)
            self.head(q, p, 6, 2.4, DIM)
        else:
            pa = (p[0] - ux * 9, p[1] - uy * 9)
            qa = (q[0] + ux * 9, q[1] + uy * 9)
            self.line([pa, p], DIM_W, DIM, caps=False)
            self.line([qa, q], DIM_W, DIM, caps=False)
            self.line([p, q], DIM_W, DIM, caps=False)
            self.head(p, pa, 5, 2.2, DIM)
            self.head(q, qa, 5, 2.2, DIM)
        w, h = self.symbol_size(sym)
        if lab == "mid":
            mid = lerp(p, q, 0.5)
            nx, ny = uy, -ux      # left normal of p->q (y down)
            reach = off + (abs(nx) * w + abs(ny) * h) / 2 - 4
            at = (mid[0] + nx * reach * side, mid[1] + ny * reach * side)
        else:
            end, sgn = (q, 1) if lab == "end" else (p, -1)
            reach = (9 if short else 0) + 3 + (abs(ux) * w + abs(uy) * h) / 2
            at = (end[0] + ux * reach * sgn, end[1] + uy * reach * sgn)
        self.symbol_text(at, sym)
        self.placed.add(sym)
        return True

    def dim_angle(self, c, r, a0, a1, sym, lab_r=None):
        """An angle arc about c from a0 to a1 (degrees, y up) with arrows."""
        if not (sym and self.has(sym) and sym not in self.placed):
            return False
        pts = arc(c, r, a0, a1)
        self.line(pts, DIM_W, DIM, caps=False)
        self.head(pts[0], pts[2], 5.5, 2.3, DIM)
        self.head(pts[-1], pts[-3], 5.5, 2.3, DIM)
        self.symbol_text(polar(c, lab_r or r + 9, (a0 + a1) / 2), sym)
        self.placed.add(sym)
        return True

    def dim_radius(self, c, r, a, sym, lab=None):
        """A radius: a line from the centre c to the arc at angle a, arrow on the arc."""
        if not (sym and self.has(sym) and sym not in self.placed):
            return False
        tip = polar(c, r, a)
        self.line([c, tip], DIM_W, DIM, caps=False)
        self.head(tip, c, 6, 2.4, DIM)
        self.dot(c, 1.4, DIM)
        self.symbol_text(lab or polar(c, r * 0.5, a + 18), sym)
        self.placed.add(sym)
        return True

    def leader(self, xy, target, sym):
        """A symbol at xy with a thin leader to the point it names."""
        if not (sym and self.has(sym) and sym not in self.placed):
            return False
        self.line([xy, target], 0.8, DIM, caps=False)
        self.dot(target, 1.6, DIM)
        self.symbol_text(xy, sym)
        self.placed.add(sym)
        return True

    # --- paths and sections
    def path(self, xy, name):
        """The path name of the duct at xy, when the fitting has that path."""
        if name not in self.fit.shown_paths:
            return
        wide = len(name) > 1
        x, y = xy
        rx = 9.5 if wide else 7.5
        self.d.ellipse([(x - rx) * S, (y - 7.5) * S, (x + rx) * S, (y + 7.5) * S],
                       fill=WHITE, outline=PATH_BLUE, width=round(1.2 * S))
        self._text((x, y + 0.3), name, F_PATH, PATH_BLUE, "mm", halo=False)
        self.paths_placed.add(name)

    def section(self, xy, shape, across=None):
        """A small cross-section of a duct: a circle for round, a rectangle for
        rectangular with the symbol of its horizontal side beneath."""
        x, y = xy
        if shape == "round":
            self.circle((x, y), 8, 1.4, BLACK, FILL)
            return
        self.poly([(x - 11, y - 7), (x + 11, y - 7), (x + 11, y + 7), (x - 11, y + 7)], FILL, BLACK, 1.4)
        if across and self.has(across) and across not in self.placed:
            self.symbol_text((x, y + 16), across)
            self.placed.add(across)

    def finish(self):
        small = self.img.resize((W, H), Image.LANCZOS)
        return small.quantize(colors=64, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)


# ---------------------------------------------------------------- shared pieces

CY = 88          # centre line of a horizontal duct
HW = 22          # half its drawn size


def duct(cv, x0, x1, cy=CY, hw=HW):
    cv.wall([(x0, cy - hw), (x1, cy - hw)])
    cv.wall([(x0, cy + hw), (x1, cy + hw)])


def vduct(cv, y0, y1, cx, hw):
    cv.wall([(cx - hw, y0), (cx - hw, y1)])
    cv.wall([(cx + hw, y0), (cx + hw, y1)])


def wall_band(cv, x, y0, y1, thick=7):
    """A building wall cut through, its face at x toward the incoming air."""
    cv.hatch(x, y0, x + thick, y1)
    cv.wall([(x, y0), (x, y1)])


def offset_polyline(pts, d):
    """The polyline at distance d beside pts, mitred at the corners; positive
    d lies to the left of the direction of travel as seen on the screen."""
    out = []
    for i, p in enumerate(pts):
        if i == 0 or i == len(pts) - 1:
            a, b = (pts[0], pts[1]) if i == 0 else (pts[-2], pts[-1])
            ux, uy = unit(a, b)
            out.append((p[0] + uy * d, p[1] - ux * d))
            continue
        u1, u2 = unit(pts[i - 1], p), unit(p, pts[i + 1])
        n1, n2 = (u1[1], -u1[0]), (u2[1], -u2[0])
        bx, by = n1[0] + n2[0], n1[1] + n2[1]
        bl = math.hypot(bx, by)
        bx, by = bx / bl, by / bl
        cos_half = bx * n1[0] + by * n1[1]
        out.append((p[0] + bx * d / cos_half, p[1] + by * d / cos_half))
    return out


def across_dim(cv, c, u, hw, sym, side=1, off=9, lab="mid"):
    """A size across a duct whose centre line passes c in direction u."""
    nx, ny = u[1], -u[0]
    return cv.dim((c[0] + nx * hw, c[1] + ny * hw), (c[0] - nx * hw, c[1] - ny * hw), sym, side, off, lab=lab)


def geom_shape(cv):
    return "round" if cv.fit.geom == "D" else "rect"


def section_glyph(cv, xy, shape=None, across_sym=None):
    """The section of a duct; a rectangular one is labelled with the side that
    the view does not show."""
    shape = shape or geom_shape(cv)
    if shape == "rect" and across_sym is None:
        across_sym = cv.first("W", "H")
    cv.section(xy, shape, across_sym)


def included_angle(cv, apex, r, toward, half, lab_r=None):
    """The included angle of two walls meeting (when extended) at apex, drawn
    as an arc of radius r centred on the direction toward (degrees)."""
    cv.dim_angle(apex, r, toward - half, toward + half, "Angle", lab_r=lab_r)


def inflow(cv, x_tip, spread=14, x0=12, reach=58, cy=CY, middle=True):
    """Streamlines converging from the left into an opening at x_tip."""
    for s in (-1, 1):
        cv.flow(bezier((x0, cy + s * reach), (x_tip - 40, cy + s * (spread + 6)), (x_tip, cy + s * spread)))
    if middle:
        cv.flow([(x0 + 4, cy), (x_tip + 2, cy)])


def name_note(cv, sym, text):
    """A ratio that no line measures, explained in a note at the bottom."""
    if cv.has(sym) and sym not in cv.placed:
        cv.note((W / 2, H - 9), text)
        cv.placed.add(sym)


# ---------------------------------------------------------------- templates

TEMPLATES = OrderedDict()


def template(*names):
    def register(fn):
        for name in names:
            TEMPLATES[name] = fn
        return fn
    return register


# --- entries and exits

@template("entry")
def draw_entry(cv, mount, mouth):
    """Entry from a plenum or room into a duct: mount "wall" (end wall at the
    mouth), "projecting" (duct standing out of a wall by L) or "free" (no
    wall); mouth "sharp", "round" (radius r), "cone" (length L, angle
    theta), "thin" or "thick" (wall thickness t)."""
    size = cv.first("D", "H")
    top, bot = CY - HW, CY + HW
    x_end = 228
    xm = {"projecting": 70, "free": 108}.get(mount, 86)
    xw = 150
    lip = xm
    t = 5 if mouth == "thick" else 0
    duct(cv, xm, x_end)
    if mouth == "sharp":
        wall_band(cv, xm, 10, top)
        wall_band(cv, xm, bot, 170)
    elif mouth == "round":
        r = 15
        for s in (-1, 1):
            c = (xm, CY + s * (HW + r))
            cv.wall(arc(c, r, 90 if s > 0 else 270, 180))
            if mount == "wall":
                yb = CY + s * (HW + r)
                wall_band(cv, xm - r, *((10, yb) if s < 0 else (yb, 170)))
        lip = xm - r
        cv.dim_radius((xm, CY - HW - r), r, 225, "r", lab=(xm + 9, CY - HW - r - 9))
    elif mouth == "cone":
        angle, lc = 60.0, 30
        spread = lc * math.tan(rad(angle / 2))
        lip = xm - lc
        for s in (-1, 1):
            cv.wall([(xm, CY + s * HW), (lip, CY + s * (HW + spread))])
        if mount == "wall":
            # the end wall is a flange round the mouth
            cv.hatch(lip - 6, 10, lip, CY - HW - spread)
            cv.hatch(lip - 6, CY + HW + spread, lip, 170)
            cv.wall([(lip - 6, 10), (lip - 6, CY - HW - spread), (lip, CY - HW - spread)])
            cv.wall([(lip - 6, 170), (lip - 6, CY + HW + spread), (lip, CY + HW + spread)])
        apex_x = xm + HW / math.tan(rad(angle / 2))
        for s in (-1, 1):
            cv.dashed((xm, CY + s * HW), (apex_x, CY))
        included_angle(cv, (apex_x, CY), 20, 180, angle / 2, lab_r=29)
        ytop = CY - HW - spread - 10
        cv.dim((lip, ytop), (xm, ytop), "L", side=1,
               ext=[((lip, CY - HW - spread - 3), (lip, ytop - 4)), ((xm, CY - HW - 3), (xm, ytop - 4))])
    elif t:
        for s in (-1, 1):
            y0, y1 = sorted((CY + s * HW, CY + s * (HW + t)))
            cv.hatch(xm, y0, xw, y1, step=4)
            cv.wall([(xm, CY + s * HW), (xw, CY + s * HW)])
        cv.dim((xm + 24, CY - HW - t), (xm + 24, CY - HW), "t", side=1, off=6)
    if mount == "projecting":
        wall_band(cv, xw, 10, CY - HW - t)
        wall_band(cv, xw, CY + HW + t, 170)
        y = CY + HW + t + 16
        cv.dim((lip, y), (xw, y), "L", side=-1, ext=[((lip, CY + HW + t + 3), (lip, y + 4))])
    # flows and sizes
    inflow(cv, lip + 6, spread=HW - 9, middle=mouth != "cone")
    x_size = 200
    cv.flow([(max(lip, xm) + (52 if mouth == "cone" else 26), CY), (x_size - 8, CY)])
    cv.dim((x_size, CY - HW), (x_size, CY + HW), size, side=1)
    section_glyph(cv, (212, 148))


@template("exit")
def draw_exit(cv, kind):
    """Discharge of a duct: "free" into a room, "abrupt" into a larger duct or
    plenum (De), or through a "diffuser" (outlet size, included angle)."""
    size = cv.first("D0", "Ho", "D", "H")
    cv.dim((28, CY - HW), (28, CY + HW), size, side=-1)
    if kind == "free":
        duct(cv, 12, 140)
        cv.flow([(42, CY), (126, CY)])
        for dy in (-20, -9, 9, 20):
            cv.flow([(150, CY + dy * 0.7), (222, CY + dy * 1.9)])
        cv.flow([(150, CY), (226, CY)])
        section_glyph(cv, (60, 148))
    elif kind == "abrupt":
        xe, big = 104, HW + 32
        duct(cv, 12, xe)
        cv.wall([(xe, CY - HW), (xe, CY - big), (228, CY - big)])
        cv.wall([(xe, CY + HW), (xe, CY + big), (228, CY + big)])
        cv.flow([(42, CY), (96, CY)])
        for dy in (-14, 0, 14):
            cv.flow([(112, CY + dy * 0.6), (176, CY + dy * 1.9)])
        cv.dim((204, CY - big), (204, CY + big), "De", side=1)
        section_glyph(cv, (60, 154))
    else:
        x0, length, grow = 98, 50, 22
        half = math.degrees(math.atan(grow / length))
        x1 = x0 + length
        duct(cv, 12, x0)
        for s in (-1, 1):
            cv.wall([(x0, CY + s * HW), (x1, CY + s * (HW + grow))])
        apex_x = x0 - HW / math.tan(rad(half))
        included_angle(cv, (apex_x, CY), (x0 + x1) / 2 - apex_x, 0, half, lab_r=(x0 + x1) / 2 - apex_x + 11)
        cv.flow([(42, CY), (x0 - 4, CY)])
        for dy in (-16, 0, 16):
            cv.flow([(x1 + 26, CY + dy), (228, CY + dy * 1.5)])
        cv.dim((x1 + 3, CY - HW - grow), (x1 + 3, CY + HW + grow), cv.first("D", "H1"), side=1, off=6)
        if cv.fit.geom == "R":
            cv.section((60, 150), "rect", "Wo")
            cv.section((x1 - 22, 150), "rect", "W1")
        else:
            cv.section((60, 150), "round")


# --- elbows and offsets

def elbow_geometry(angle, r, cx=96, cy=88):
    """Centre of curvature, inlet centre line height and outlet direction of
    an elbow turning from rightward travel upward by angle degrees."""
    c = (cx, cy)
    u_out = (math.cos(rad(angle)), -math.sin(rad(angle)))
    return c, cy + r, u_out


@template("elbow smooth", "elbow gored", "elbow mitred", "elbow vaned")
def draw_elbow(cv, style, angle=90, gores=0, vanes=None, marks=None):
    """An elbow turning the flow from rightward to upward by angle degrees:
    style "smooth" (centre-line radius r), "gored" (gores pieces), "mitred",
    "vaned" (mitred with turning vanes "single"/"double" of a small or large
    radius) or "splitter" (smooth with one splitter vane). marks: "pleats"
    or "seams" on a smooth elbow."""
    hw = 21
    r = 44 if angle == 90 else 48
    if angle == 90:
        c, y_in, u = elbow_geometry(angle, r, cx=112, cy=84)
        out_len = 70
    else:
        c, y_in, u = elbow_geometry(angle, r, cx=92, cy=96)
        out_len = 108
    start = (c[0], y_in)
    end = polar(c, r, 270 + angle)
    if style in ("mitred", "vaned"):
        vertex = (c[0] + r * math.tan(rad(angle / 2)), y_in)
        centre = [(12, y_in), vertex, (vertex[0] + u[0] * (out_len + r), vertex[1] + u[1] * (out_len + r))]
    elif style == "gored":
        step = angle / (gores - 1)
        rv = r / math.cos(rad(step / 2))
        centre = [(12, y_in), start] + [polar(c, rv, 270 + step * (k + 0.5)) for k in range(gores - 1)] + \
                 [end, (end[0] + u[0] * out_len, end[1] + u[1] * out_len)]
    else:
        centre = [(12, y_in)] + arc(c, r, 270, 270 + angle, 30) + [(end[0] + u[0] * out_len, end[1] + u[1] * out_len)]
    inner, outer = offset_polyline(centre, hw), offset_polyline(centre, -hw)
    cv.wall(inner)
    cv.wall(outer)
    size = cv.first("D", "W")
    shape = geom_shape(cv)
    if style == "gored":
        for k in range(2, len(centre) - 2):
            cv.line([inner[k], outer[k]], 1.0, BLACK, caps=False)
    if marks == "pleats":
        for k in range(1, 12):
            a = 270 + angle * k / 12
            cv.line([polar(c, r - hw, a), polar(c, r + hw, a)], 0.8, GREY, caps=False)
    if marks == "seams":
        for a in (270, 270 + angle):
            cv.line([polar(c, r - hw, a), polar(c, r + hw, a)], 1.0, BLACK, caps=False)
    if style == "vaned":
        corner_in, corner_out = inner[1], outer[1]
        count, rv = (4, 11) if vanes[1] == "small" else (3, 16)
        for k in range(count):
            m = lerp(corner_in, corner_out, (k + 1) / (count + 1))
            vc = (m[0] - rv * 0.7071, m[1] - rv * 0.7071)
            pts = arc(vc, rv, 270, 360, 16)
            if vanes[0] == "double":
                vc2 = (vc[0] - rv * 0.5, vc[1] - rv * 0.5)
                r2 = math.hypot(pts[0][0] - vc2[0], pts[0][1] - vc2[1])
                a0 = math.degrees(math.atan2(-(pts[0][1] - vc2[1]), pts[0][0] - vc2[0]))
                a1 = math.degrees(math.atan2(-(pts[-1][1] - vc2[1]), pts[-1][0] - vc2[0]))
                back = arc(vc2, r2, a1 % 360, a0 % 360, 16)
                cv.poly(pts + back, BLACK)
            else:
                cv.line(pts, 1.6, BLACK)
    if style == "splitter":
        vane = [(c[0] - 14, y_in)] + arc(c, r, 270, 270 + angle, 30) + [(end[0] + u[0] * 14, end[1] + u[1] * 14)]
        cv.line(vane, 1.6, BLACK)
    # flows, beside the splitter vane rather than on it
    shift = 10 if style == "splitter" else 0
    cv.flow([(50, y_in + shift), (c[0] - 16, y_in + shift)])
    o0 = (end[0] + u[0] * 18 - shift, end[1] + u[1] * 18)
    o1 = (end[0] + u[0] * (out_len - 4) - shift, end[1] + u[1] * (out_len - 4))
    cv.flow([o0, o1])
    cv.dim((30, y_in - hw), (30, y_in + hw), size, side=-1)
    if style in ("smooth", "gored", "splitter"):
        cv.dim_radius(c, r, 270 + angle / 2, "r", lab=polar(c, r * 0.42, 270 + angle / 2 + 24))
    if angle != 90:
        vertex = (c[0] + r * math.tan(rad(angle / 2)), y_in)
        cv.dashed(vertex, (vertex[0] + 40, y_in))
        if style not in ("mitred", "vaned"):
            cv.dashed(vertex, end)
        cv.dim_angle(vertex, 30, 0, angle, "Angle", lab_r=40)
    section_glyph(cv, (40, 30), shape, cv.first("H"))


@template("elbow mitred tapered")
def draw_elbow_tapered(cv):
    """A mitred 90 degree elbow whose inlet width (Wo) differs from its outlet
    width (W1)."""
    h0, h1 = 14, 24
    yc, xc = 118, 120
    cv.wall([(12, yc - h0), (xc - h1, yc - h0), (xc - h1, 10)])
    cv.wall([(12, yc + h0), (xc + h1, yc + h0), (xc + h1, 10)])
    cv.flow([(46, yc), (xc - h1 - 10, yc)])
    cv.flow([(xc, yc - h0 - 10), (xc, 22)])
    cv.dim((30, yc - h0), (30, yc + h0), cv.first("Wo", "W1"), side=-1)
    cv.dim((xc - h1, 46), (xc + h1, 46), cv.first("W1", "Wo"), side=1, off=7)
    cv.path((22, yc - h0 - 12), "0")
    cv.path((xc + h1 + 14, 20), "1")
    section_glyph(cv, (60, 152), "rect", cv.first("H"))


@template("offset")
def draw_offset(cv, plane):
    """Two mitred elbows making a Z offset of length L; plane names the side
    (H or W) that lies in the drawing."""
    hw = 17
    xv, y_low, y_high = 96, 140, 50
    centre = [(12, y_low), (xv, y_low), (xv, y_high), (228, y_high)]
    cv.wall(offset_polyline(centre, hw))
    cv.wall(offset_polyline(centre, -hw))
    cv.flow([(50, y_low), (xv - 16, y_low)])
    cv.flow([(xv, y_low - 12), (xv, y_high + 12)])
    cv.flow([(xv + 16, y_high), (196, y_high)])
    other = "W" if plane == "H" else "H"
    cv.dim((30, y_low - hw), (30, y_low + hw), plane, side=-1)
    xd = xv + hw + 16
    cv.dim((xd, y_high + hw), (xd, y_low + hw), "L", side=1,
           ext=[((xv + hw + 3, y_low + hw), (xd + 4, y_low + hw))])
    section_glyph(cv, (190, 140), "rect", other)


# --- transitions

@template("transition")
def draw_transition(cv, contraction, shapes, swap=False):
    """A gradual transition between two ducts (paths 0 and 1 or b and c): by
    length L and/or included angle; shapes name the inlet and outlet
    sections; swap: the inlet is D1 and the outlet D0 (a transition placed
    on its outlet duct)."""
    x0, lt = 84, 62
    h0, h1 = (30, 15) if contraction else (15, 30)
    x1 = x0 + lt
    duct(cv, 12, x0, hw=h0)
    duct(cv, x1, 228, hw=h1)
    for s in (-1, 1):
        cv.wall([(x0, CY + s * h0), (x1, CY + s * h1)])
    half = math.degrees(math.atan(abs(h1 - h0) / lt))
    if cv.has("Angle"):
        if contraction:
            apex = (x1 + h1 / math.tan(rad(half)), CY)
            rr = apex[0] - (x0 + x1) / 2
            included_angle(cv, apex, rr, 180, half, lab_r=rr + 11)
        else:
            apex = (x0 - h0 / math.tan(rad(half)), CY)
            rr = (x0 + x1) / 2 - apex[0]
            included_angle(cv, apex, rr, 0, half, lab_r=rr + 11)
    big = max(h0, h1)
    y = CY + big + 12
    cv.dim((x0, y), (x1, y), "L", side=-1,
           ext=[((x0, CY + h0 + 3), (x0, y + 4)), ((x1, CY + h1 + 3), (x1, y + 4))])
    cv.flow([(40, CY), (x0 - 6, CY)])
    cv.flow([(x1 + 8, CY), (196, CY)])
    inlet, outlet = ("D1", "D0") if swap else (cv.first("D0", "H0", "Ho", "H"), cv.first("D1", "H1", "H"))
    cv.dim((26, CY - h0), (26, CY + h0), inlet, side=-1)
    cv.dim((208, CY - h1), (208, CY + h1), outlet, side=1)
    cv.section((46, CY + h0 + 30), shapes[0], cv.first("W0", "Wo", "W"))
    cv.section((190, CY + h1 + 26), shapes[1], cv.first("W1", "W"))
    names = cv.fit.paths
    if len(names) == 2:
        cv.path((22, CY - h0 - 12), names[0])
        cv.path((218, CY - h1 - 12), names[1])


@template("transition abrupt")
def draw_transition_abrupt(cv, contraction, rounded=False):
    """An abrupt expansion or contraction; the smaller duct is path b, the
    larger c (or paths 0 and 1 in flow order); rounded: an inlet edge of
    radius r on the smaller duct."""
    xs = 112
    hs, hb = 15, 34
    h_in, h_out = (hb, hs) if contraction else (hs, hb)
    duct(cv, 12, xs, hw=h_in)
    duct(cv, xs, 228, hw=h_out)
    if rounded:
        r = 10
        for s in (-1, 1):
            cv.wall([(xs, CY + s * hb), (xs, CY + s * (hs + r))])
            cv.wall(arc((xs + r, CY + s * (hs + r)), r, 180, 270 if s < 0 else 90))
        cv.dim_radius((xs + r, CY - hs - r), r, 225, "r", lab=(xs + r + 9, CY - hs - r - 9))
    else:
        for s in (-1, 1):
            cv.wall([(xs, CY + s * hs), (xs, CY + s * hb)])
    cv.flow([(42, CY), (xs - 8, CY)])
    cv.flow([(xs + (22 if rounded else 10), CY), (192, CY)])
    small, large = ("Db", "Dc") if cv.has("Db") else ("Wb", "Wc")
    in_sym, out_sym = (large, small) if contraction else (small, large)
    if cv.has("H0"):
        in_sym, out_sym = "H0", "D1"
    cv.dim((26, CY - h_in), (26, CY + h_in), in_sym, side=-1)
    cv.dim((206, CY - h_out), (206, CY + h_out), out_sym, side=1)
    names = cv.fit.paths
    if names == ["0", "1"]:
        cv.path((22, CY - h_in - 12), "0")
        cv.path((218, CY - h_out - 12), "1")
        for x, sym in ((60, in_sym), (180, out_sym)):
            cv.section((x, 148), "round" if sym.startswith("D") else "rect", cv.first("W" + sym[1:]))
    else:
        cv.path((22, CY - h_in - 12), "c" if contraction else "b")
        cv.path((218, CY - h_out - 12), "b" if contraction else "c")
        section_glyph(cv, (60, 148) if contraction else (180, 148), None, cv.first("H"))


# --- junctions

MAIN_Y = 116     # centre line of a junction's main duct
MAIN_HW = 20


def junction_main(cv, x_gaps, y=MAIN_Y, hw=MAIN_HW, bottom_gaps=()):
    """The main duct of a junction with openings in its top wall (x_gaps) and
    bottom wall (bottom_gaps), each a pair of x."""
    for gaps, yy in ((x_gaps, y - hw), (bottom_gaps, y + hw)):
        xs = [12] + [v for g in gaps for v in g] + [228]
        for k in range(0, len(xs), 2):
            cv.wall([(xs[k], yy), (xs[k + 1], yy)])


def junction_ends(cv, converging, syms, cross=False):
    """Flow arrows, path names and sizes at the two ends of the main duct:
    diverging flow enters at c (left) and leaves at s (right); converging
    flow enters at s (left) and leaves at c (right)."""
    y, hw = MAIN_Y, MAIN_HW
    left, right = ("s", "c") if converging else ("c", "s")
    has_s = "s" in cv.fit.paths
    cv.flow([(44, y), (84, y)])
    if has_s or not converging:
        cv.flow([(156, y), (200, y)])
    cv.path((24, y + hw + 13), left)
    cv.path((216, y + hw + 13), right)
    sym = {"c": syms.get("c"), "s": syms.get("s")}
    cv.dim((28, y - hw), (28, y + hw), sym[left], side=-1)
    cv.dim((212, y - hw), (212, y + hw), sym[right], side=1)


def junction_syms(cv):
    """The size symbols of the main duct's ends and the branches."""
    def pick(*c):
        return cv.first(*c)
    return {"c": pick("Dc", "Wc", "W"), "s": pick("Ds", "Ws"),
            "b": pick("Db", "Wb"), "b1": pick("Db1"), "b2": pick("Db2")}


def junction_sections(cv, shapes):
    """Small sections of the ducts where rectangular sizes out of the plan
    (the heights) are named: shapes maps a place to (shape, symbol)."""
    spots = {"left": (66, 154), "right": (172, 154), "top": (40, 30), "base": (120, 156)}
    for spot, (shape, sym) in shapes.items():
        cv.section(spots[spot], shape, sym)


def standard_sections(cv, branch_shape=None):
    g = geom_shape(cv)
    hs = [s for s in ("H", "Hc", "Hs", "Hb") if cv.has(s)]
    if g == "round":
        junction_sections(cv, {"base": ("round", None)})
    elif hs == ["H"] or not hs:
        junction_sections(cv, {"base": ("rect", "H")})
    else:
        conv = "converging" in cv.fit.name.lower()
        left, right = ("Hs", "Hc") if conv else ("Hc", "Hs")
        shapes = {"left": ("rect", left), "right": ("rect", right)}
        if "Hb" in hs:
            shapes["top"] = ("rect", "Hb")
        elif branch_shape:
            shapes["top"] = (branch_shape, None)
        junction_sections(cv, shapes)


@template("tee", "tee converging")
def draw_tee(cv, converging, branch_shape=None):
    """A 90 degree tee: the main duct with paths c and s, a branch b."""
    y, hw = MAIN_Y, MAIN_HW
    bx, bh = 120, 17
    junction_main(cv, [(bx - bh, bx + bh)])
    vduct(cv, 8, y - hw, bx, bh)
    syms = junction_syms(cv)
    junction_ends(cv, converging, syms)
    if converging:
        cv.flow([(bx, 30), (bx, y - 4)])
    else:
        cv.flow([(bx, y - 4), (bx, 22)])
    cv.path((bx - bh - 14, 20), "b")
    cv.dim((bx - bh, 44), (bx + bh, 44), syms["b"], lab="end")
    standard_sections(cv, branch_shape)


def branch_walls(cv, j, angle, hb, length, y_top):
    """Walls of a branch leaving the main duct's top wall (at height y_top)
    from the centre-line point j at angle degrees; returns the gap it cuts
    in the top wall and its centre-line end."""
    u = (math.cos(rad(angle)), -math.sin(rad(angle)))
    n = (u[1], -u[0])
    ends = []
    for s in (1, -1):
        p = (j[0] + n[0] * hb * s, j[1] + n[1] * hb * s)
        # where this wall line meets the top wall of the main duct
        t = (y_top - p[1]) / u[1]
        start = (p[0] + u[0] * t, y_top)
        stop = (p[0] + u[0] * (t + length), y_top + u[1] * length)
        cv.wall([start, stop])
        ends.append(start[0])
    tip = (j[0] + u[0] * ((y_top - j[1]) / u[1] + length), y_top + u[1] * length)
    return tuple(sorted(ends)), u, tip


@template("wye", "wye converging")
def draw_wye(cv, converging, angle=45):
    """A branch at angle degrees (45 for a wye) off the main duct."""
    y, hw = MAIN_Y, MAIN_HW
    hb = 15
    j = (92, y)
    gap, u, tip = branch_walls(cv, j, angle, hb, 92 if angle == 45 else 86, y - hw)
    junction_main(cv, [gap])
    syms = junction_syms(cv)
    if cv.has("V"):
        cv.flow([(44, y), (84, y)])
        cv.symbol_text((64, y - 10), "V")
        cv.placed.add("V")
        cv.flow([(156, y), (200, y)])
    else:
        junction_ends(cv, converging, syms)
    a = (j[0] + u[0] * 44, j[1] + u[1] * 44)
    b = (j[0] + u[0] * 84, j[1] + u[1] * 84)
    cv.flow([b, a] if converging else [a, b])
    n = (u[1], -u[0])
    cv.path((tip[0] + n[0] * (hb + 12), tip[1] + n[1] * (hb + 12) + 6), "b")
    m = (j[0] + u[0] * 100, j[1] + u[1] * 100)
    if syms["b"] is None:
        syms["b"] = cv.first("D")
    across_dim(cv, m, u, hb, syms["b"], lab="end")
    if cv.has("Angle"):
        cv.dashed((j[0] + 10, y), (j[0] + 58, y))
        cv.dim_angle(j, 42, 0, angle, "Angle", lab_r=51)
    standard_sections(cv)


@template("double wye")
def draw_double_wye(cv, converging):
    """A symmetric wye: the common duct c splits into branches b1 (up) and b2
    (down) at 45 degrees."""
    hw, hb = 19, 15
    xj = 104
    # branch centre lines start on the axis at xj
    for s, name in ((1, "b1"), (-1, "b2")):
        u = (math.cos(rad(45)), -s * math.sin(rad(45)))
        n = (u[1], -u[0])
        outer_off = hb * s
        po = (xj + n[0] * outer_off, CY + n[1] * outer_off)
        pi = (xj - n[0] * outer_off, CY - n[1] * outer_off)
        # outer wall meets the common duct's wall line
        t = ((CY - s * hw) - po[1]) / u[1]
        start_o = (po[0] + u[0] * t, CY - s * hw)
        length = 80
        cv.wall([(12, CY - s * hw), start_o, (start_o[0] + u[0] * length, start_o[1] + u[1] * length)])
        # inner walls of both branches meet on the axis
        t_in = (CY - pi[1]) / u[1]
        crotch = (pi[0] + u[0] * t_in, CY)
        cv.wall([crotch, (crotch[0] + u[0] * (length + 14), crotch[1] + u[1] * (length + 14))])
        a, b = (xj + u[0] * 36, CY + u[1] * 36), (xj + u[0] * 70, CY + u[1] * 70)
        cv.flow([b, a] if converging else [a, b])
        across_dim(cv, (xj + u[0] * 84, CY + u[1] * 84), u, hb, cv.first(name == "b1" and "Db1" or "Db2"),
                   lab="end" if s > 0 else "start")
        cv.path((xj + u[0] * 114, CY + u[1] * 114), name)
    cv.flow([(44, CY), (84, CY)] if not converging else [(84, CY), (44, CY)])
    cv.dim((28, CY - hw), (28, CY + hw), cv.first("Dc"), side=-1)
    cv.path((24, CY - hw - 13), "c")
    section_glyph(cv, (40, 150), "round")


@template("bullhead", "bullhead converging")
def draw_bullhead(cv, converging):
    """A bullhead tee: the common duct c meets the run head on and splits
    into branches b1 (left) and b2 (right)."""
    y, hw = 70, 20
    cx, ch = 120, 20
    cv.wall([(12, y - hw), (228, y - hw)])
    cv.wall([(12, y + hw), (cx - ch, y + hw), (cx - ch, 172)])
    cv.wall([(cx + ch, 172), (cx + ch, y + hw), (228, y + hw)])
    if converging:
        cv.flow([(40, y), (cx - 34, y)])
        cv.flow([(200, y), (cx + 34, y)])
        cv.flow([(cx, y + hw + 8), (cx, 160)])
    else:
        cv.flow([(cx, 160), (cx, y + hw + 8)])
        cv.flow([(cx - 34, y), (40, y)])
        cv.flow([(cx + 34, y), (200, y)])
    cv.path((24, y - hw - 13), "b1")
    cv.path((216, y - hw - 13), "b2")
    cv.path((cx + ch + 14, 112), "c")
    cv.dim((28, y - hw), (28, y + hw), cv.first("Db1", "Db", "Wb"), side=-1)
    cv.dim((cx - ch, 132), (cx + ch, 132), cv.first("Dc", "Wc"), lab="end")
    if geom_shape(cv) == "rect":
        hb, hc = cv.first("Hb", "H"), cv.first("Hc")
        junction_sections(cv, {"left": ("rect", hb), "right": ("rect", hc)} if hc else {"right": ("rect", hb)})
    else:
        cv.section((185, 150), "round")


@template("cross", "cross converging")
def draw_cross(cv, converging):
    """A cross: main duct c and s, branches b1 (up) and b2 (down)."""
    y, hw = 90, 19
    bx, bh = 120, 14
    for yy, sgn in ((y - hw, -1), (y + hw, 1)):
        cv.wall([(12, yy), (bx - bh, yy), (bx - bh, yy + sgn * 66)])
        cv.wall([(bx + bh, yy + sgn * 66), (bx + bh, yy), (228, yy)])
    left, right = ("s", "c") if converging else ("c", "s")
    cv.flow([(44, y), (88, y)])
    cv.flow([(152, y), (198, y)])
    cv.path((24, y - hw - 13), left)
    cv.path((216, y - hw - 13), right)
    if converging:
        cv.flow([(bx, 12), (bx, y - hw - 6)])
        cv.flow([(bx, 168), (bx, y + hw + 6)])
    else:
        cv.flow([(bx, y - hw - 6), (bx, 12)])
        cv.flow([(bx, y + hw + 6), (bx, 168)])
    cv.path((bx - bh - 14, 20), "b1")
    cv.path((bx - bh - 14, 160), "b2")
    c_sym = cv.first("Dc", "W")
    cv.dim((28, y - hw), (28, y + hw), cv.first("Ds") if left == "s" else c_sym, side=-1)
    cv.dim((212, y - hw), (212, y + hw), c_sym if right == "c" else cv.first("Ds"), side=1)
    b1 = cv.first("Db1", "Db", "Wb")
    cv.dim((bx - bh, 40), (bx + bh, 40), b1, lab="end")
    b2 = cv.first("Db2", "Db", "Wb")
    if b2 is None:
        b2 = "Db" if cv.has("Db") else ("Wb" if cv.has("Wb") else None)
        if b2:
            cv.placed.discard(b2)
    cv.dim((bx - bh, 140), (bx + bh, 140), b2, lab="end")
    if geom_shape(cv) == "rect":
        cv.section((185, 150), "rect", "H")
    else:
        cv.section((185, 150), "round")


# --- obstructions

def area_labels(cv, inner_target, glyph_xy):
    """Ab names the free area at inner_target, Ao the duct's area at its section."""
    cv.leader((inner_target[0] + 26, 28), inner_target, "Ab")
    if cv.has("Ao"):
        cv.leader((glyph_xy[0] + 30, glyph_xy[1] - 4), (glyph_xy[0] + 4, glyph_xy[1]), "Ao")


SH = 30          # half size of a straight duct holding an obstruction or damper


def plain_duct(cv, x_size=30, hw=SH):
    duct(cv, 12, 228, hw=hw)
    cv.dim((x_size, CY - hw), (x_size, CY + hw), cv.first("D0", "D", "H0", "H"), side=-1)


@template("orifice")
def draw_orifice(cv, kind):
    """An orifice plate across the duct: kind "thin", "thick" (thickness l,
    ratio n) or "throat" (a short restriction of length L)."""
    hw = SH
    xp = 112
    plain_duct(cv)
    bore = 13
    if kind == "thin":
        for s in (-1, 1):
            cv.poly([(xp - 1.5, CY + s * hw), (xp + 1.5, CY + s * hw), (xp + 1.5, CY + s * bore),
                     (xp - 1.5, CY + s * bore)], BLACK)
    else:
        thick = 14 if kind == "thick" else 40
        x0 = xp - thick / 2
        for s in (-1, 1):
            y0, y1 = sorted((CY + s * hw, CY + s * bore))
            cv.hatch(x0, y0, x0 + thick, y1, step=4)
        y = CY + hw + 12
        cv.dim((x0, y), (x0 + thick, y), "L" if kind == "throat" else "l", side=-1,
               ext=[((x0, CY + hw + 3), (x0, y + 4)), ((x0 + thick, CY + hw + 3), (x0 + thick, y + 4))],
               force=kind != "throat")
        if kind == "thick":
            m = [part for part in cv.fit.name.split(",") if "n =" in part]
            name_note(cv, "n", m[0].strip().replace("by thickness ratio ", "") if m else "n = l / D")
    cv.flow([(44, CY), (xp - 22, CY)])
    x_bore = xp + (26 if kind == "throat" else 14)
    cv.dim((x_bore, CY - bore), (x_bore, CY + bore), cv.first("Do", "D1", "H1"), side=1, off=6)
    cv.flow([(x_bore + 26, CY), (206, CY)])
    glyph = (60, 152)
    if geom_shape(cv) == "rect":
        cv.section(glyph, "rect", cv.first("W0", "W"))
        cv.section((200, 152), "rect", cv.first("W1"))
    else:
        cv.section(glyph, "round")
    area_labels(cv, (xp, CY - bore + 3), glyph)


@template("screen")
def draw_screen(cv, mesh):
    """A wire screen across the duct: mesh "fine", "coarse" or "plain"."""
    hw = SH
    xs = 120
    plain_duct(cv)
    cv.line([(xs, CY - hw), (xs, CY + hw)], 0.8, GREY, caps=False)
    pitch = {"fine": 4.4, "coarse": 8.8}.get(mesh, 6.3)
    wire = {"fine": 1.1, "coarse": 1.8}.get(mesh, 1.4)
    y = CY - hw + pitch / 2
    while y < CY + hw - 1:
        cv.dot((xs, y), wire, BLACK)
        y += pitch
    cv.flow([(44, CY), (xs - 12, CY)])
    cv.flow([(xs + 12, CY), (200, CY)])
    glyph = (60, 152)
    section_glyph(cv, glyph)
    area_labels(cv, (xs, CY - hw + 8), glyph)


def perforated_plate(cv, xp):
    """A perforated plate across the duct at xp: thickness t, holes of size d."""
    hw = SH
    t, holes, d = 6, 5, 4.2
    pitch = 2 * hw / holes
    edges = [CY - hw]
    for k in range(holes):
        yc = CY - hw + pitch * (k + 0.5)
        edges += [yc - d / 2, yc + d / 2]
    edges.append(CY + hw)
    for y0, y1 in zip(edges[0::2], edges[1::2]):
        cv.poly([(xp, y0), (xp + t, y0), (xp + t, y1), (xp, y1)], BLACK)
    yc = CY - hw + pitch * 0.5
    cv.dim((xp - 10, yc - d / 2), (xp - 10, yc + d / 2), "d", side=-1, off=5)
    cv.dim((xp, CY - hw - 10), (xp + t, CY - hw - 10), "t", side=1, off=5,
           ext=[((xp, CY - hw - 3), (xp, CY - hw - 14)), ((xp + t, CY - hw - 3), (xp + t, CY - hw - 14))])


@template("perforated plate")
def draw_perforated(cv):
    """A perforated plate across the duct (holes d, thickness t, free-area ratio n)."""
    hw = SH
    xp = 118
    plain_duct(cv)
    perforated_plate(cv, xp)
    cv.flow([(44, CY), (xp - 24, CY)])
    cv.flow([(xp + 16, CY), (200, CY)])
    name_note(cv, "n", "n = free-area ratio of the plate")
    glyph = (60, 152)
    section_glyph(cv, glyph)
    area_labels(cv, (xp + 3, CY - hw + 10), glyph)


@template("equipment")
def draw_equipment(cv):
    """Duct-mounted equipment: a perforated plate evening the flow ahead of
    a coil or filter bank."""
    hw = SH
    xp = 84
    plain_duct(cv)
    perforated_plate(cv, xp)
    x0, x1 = 136, 176
    cv.rect(x0, CY - hw, x1, CY + hw, FILL, BLACK, 1.2)
    for k in range(4):
        for j in range(3):
            cv.circle((x0 + 7 + j * 13, CY - hw + 6 + k * 11.3), 3, 1.0, BLACK, WHITE)
    cv.flow([(40, CY), (xp - 22, CY)])
    cv.flow([(xp + 12, CY), (x0 - 6, CY)])
    cv.flow([(x1 + 6, CY), (210, CY)])
    cv.note((156, CY - hw - 10), "coil / filter")
    name_note(cv, "n", "n = free-area ratio of the plate")
    section_glyph(cv, (60, 152))


@template("bar")
def draw_bar(cv):
    """A round bar or pipe of diameter d across the duct at height y; the
    section beside shows its length L across a round duct."""
    hw = SH
    x_end = 150
    duct(cv, 12, x_end, hw=hw)
    cv.dim((26, CY - hw), (26, CY + hw), cv.first("D", "H"), side=-1)
    bc = (98, CY + hw - 20)
    d = 12
    cv.circle(bc, d / 2, 1.2, BLACK, FILL)
    cv.dot(bc, 1.2, BLACK)
    cv.dim((bc[0] + 14, bc[1] - d / 2), (bc[0] + 14, bc[1] + d / 2), "d", side=1, off=5)
    cv.dim((bc[0] - 22, bc[1]), (bc[0] - 22, CY + hw), "y", side=-1, off=6,
           ext=[((bc[0] - 26, bc[1]), (bc[0] - 7, bc[1]))])
    cv.flow([(44, CY - 14), (84, CY - 14)])
    cv.flow([(108, CY - 14), (x_end - 8, CY - 14)])
    # section across the duct
    sc = (194, CY)
    if geom_shape(cv) == "round":
        cv.circle(sc, hw + 6, WALL_W)
        yb = sc[1] + hw + 6 - 20
        half = math.sqrt((hw + 6) ** 2 - (yb - sc[1]) ** 2)
        cv.poly([(sc[0] - half, yb - d / 2), (sc[0] + half, yb - d / 2), (sc[0] + half, yb + d / 2),
                 (sc[0] - half, yb + d / 2)], FILL, BLACK, 1.0)
        cv.dim((sc[0] - half, yb - 14), (sc[0] + half, yb - 14), "L", side=1, off=6)
    else:
        x0, x1, y0, y1 = sc[0] - 30, sc[0] + 30, sc[1] - hw, sc[1] + hw
        cv.wall([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)])
        yb = y1 - 20
        cv.poly([(x0, yb - d / 2), (x1, yb - d / 2), (x1, yb + d / 2), (x0, yb + d / 2)], FILL, BLACK, 1.0)
        cv.dim((x0, y1 + 12), (x1, y1 + 12), "W", side=-1, off=6,
               ext=[((x0, y1 + 3), (x0, y1 + 16)), ((x1, y1 + 3), (x1, y1 + 16))])
    cv.note((sc[0], 22), "section")


# --- dampers

@template("damper butterfly")
def draw_butterfly(cv):
    """A single-blade (butterfly) damper turned theta from fully open."""
    hw = SH
    plain_duct(cv)
    pc = (122, CY)
    angle = 35
    half = hw - 3
    a = polar(pc, half, angle)
    b = polar(pc, half, angle + 180)
    cv.line([a, b], 3.0, BLACK)
    cv.circle(pc, 2.6, 1.0, BLACK, WHITE)
    cv.dashed((pc[0] - 4, pc[1]), (pc[0] + 40, pc[1]))
    cv.dim_angle(pc, 30, 0, angle, "Angle", lab_r=38)
    cv.flow([(44, CY + 10), (92, CY + 10)])
    cv.flow([(164, CY + 14), (210, CY + 14)])
    section_glyph(cv, (60, 152))


@template("damper gate")
def draw_gate(cv):
    """A gate (slide) damper closing the duct from above, leaving an opening h."""
    hw = SH
    xg = 120
    h = 22
    duct(cv, 12, xg - 4, hw=hw)
    duct(cv, xg + 4, 228, hw=hw)
    # housing above the duct
    cv.wall([(xg - 4, CY - hw), (xg - 4, CY - hw - 30), (xg + 4, CY - hw - 30), (xg + 4, CY - hw)])
    cv.wall([(xg - 4, CY + hw), (xg + 4, CY + hw)])
    cv.poly([(xg - 2, CY - hw - 24), (xg + 2, CY - hw - 24), (xg + 2, CY + hw - h), (xg - 2, CY + hw - h)], BLACK)
    cv.dim((xg - 12, CY + hw - h), (xg - 12, CY + hw), "h", side=-1, off=5)
    cv.dim((30, CY - hw), (30, CY + hw), cv.first("D", "H"), side=-1)
    y_flow = CY + hw - h / 2
    cv.flow([(46, y_flow), (xg - 34, y_flow)])
    cv.flow([(xg + 12, y_flow), (200, y_flow)])
    section_glyph(cv, (60, 152))


@template("damper blades")
def draw_blades(cv, opposed):
    """A multi-blade damper: N blades turned theta, opposed or parallel."""
    hw = SH
    plain_duct(cv)
    xc = 122
    n = 4
    pitch = 2 * hw / n
    half = pitch * 0.62
    angle = 35
    for k in range(n):
        pc = (xc, CY - hw + pitch * (k + 0.5))
        a = angle if not opposed or k % 2 == 0 else -angle
        cv.line([polar(pc, half, a), polar(pc, half, a + 180)], 2.4, BLACK)
        cv.dot(pc, 1.6, WHITE)
    pc = (xc, CY - hw + pitch * 0.5)
    cv.dashed((pc[0] + 4, pc[1]), (pc[0] + 30, pc[1]))
    cv.dim_angle(pc, 20, 0, angle, "Angle", lab_r=27)
    # the blade count, bracketed on the right
    xb = 164
    cv.line([(xb, CY - hw + pitch / 2), (xb, CY + hw - pitch / 2)], 1.0, DIM, caps=False)
    for k in range(n):
        yk = CY - hw + pitch * (k + 0.5)
        cv.line([(xb - 4, yk), (xb, yk)], 1.0, DIM, caps=False)
    if cv.has("N"):
        cv.symbol_text((xb + 9, CY), "N")
        cv.placed.add("N")
        cv.note((W / 2, H - 9), "N = number of blades")
    cv.flow([(44, CY), (xc - 26, CY)])
    cv.flow([(176, CY + 10), (214, CY + 10)])
    section_glyph(cv, (60, 140))


# --- hoods

@template("hood")
def draw_hood(cv, kind):
    """A hood drawing air up into a vertical duct: kind "plain", "flanged",
    "tapered" (included angle) or "wall" (a duct end projecting L from a
    wall)."""
    cx, hw = 120, 20
    y_mouth = 118
    size = cv.first("D0", "D", "H")
    if kind == "tapered":
        y_top = 64
        spread = 40
        vduct(cv, 8, y_top, cx, hw)
        for s in (-1, 1):
            cv.wall([(cx + s * hw, y_top), (cx + s * (hw + spread), y_mouth)])
        half = math.degrees(math.atan(spread / (y_mouth - y_top)))
        apex = (cx, y_top - hw / math.tan(rad(half)))
        rr = (y_mouth + y_top) / 2 + 6 - apex[1]
        included_angle(cv, apex, rr, 270, half, lab_r=rr + 11)
        mouth_half = hw + spread
    else:
        vduct(cv, 8, y_mouth, cx, hw)
        mouth_half = hw
        if kind == "flanged":
            for s in (-1, 1):
                cv.wall([(cx + s * hw, y_mouth), (cx + s * (hw + 30), y_mouth)])
        if kind == "wall":
            y_wall = 56
            cv.hatch(12, y_wall - 8, cx - hw, y_wall)
            cv.hatch(cx + hw, y_wall - 8, 228, y_wall)
            cv.wall([(12, y_wall), (cx - hw, y_wall)])
            cv.wall([(cx + hw, y_wall), (228, y_wall)])
            x = cx + hw + 16
            cv.dim((x, y_wall), (x, y_mouth), "L", side=1, ext=[((cx + hw + 3, y_mouth), (x + 4, y_mouth))])
    # air drawn in from below and the sides
    for s in (-1, 1):
        cv.flow(bezier((cx + s * (mouth_half + 66), y_mouth + 30), (cx + s * (mouth_half + 10), y_mouth + 12),
                       (cx + s * (mouth_half - 8), y_mouth - 6)))
    cv.flow([(cx, 172), (cx, y_mouth + 6)])
    cv.flow([(cx, 62 if kind == "tapered" else 96), (cx, 40)])
    cv.dim((cx - hw, 26), (cx + hw, 26), size, lab="end")
    section_glyph(cv, (40, 30))


@template("slot hood")
def draw_slot_hood(cv):
    """A slot hood: a tapered plenum (included angle) ending in a slot where
    the air enters at velocity Vs."""
    cx, hw = 120, 18
    y_top, y_slot = 58, 128
    slot = 5
    vduct(cv, 8, y_top, cx, hw)
    spread = 44
    y_wide = 100
    for s in (-1, 1):
        cv.wall([(cx + s * hw, y_top), (cx + s * (hw + spread), y_wide), (cx + s * (hw + spread), y_slot),
                 (cx + s * slot, y_slot)])
    half = math.degrees(math.atan(spread / (y_wide - y_top)))
    apex = (cx, y_top - hw / math.tan(rad(half)))
    rr = (y_top + y_wide) / 2 - apex[1] + 4
    included_angle(cv, apex, rr, 270, half, lab_r=rr + 11)
    cv.flow([(cx, 168), (cx, y_slot + 4)])
    if cv.has("Vs"):
        cv.symbol_text((cx + 14, 156), "Vs")
        cv.placed.add("Vs")
    cv.flow([(cx, 62), (cx, 40)])
    cv.dim((cx - hw, 26), (cx + hw, 26), cv.first("H"), lab="end")
    section_glyph(cv, (40, 30), "rect", "W")


# --- fans

def fan_box(cv, x0, y0, x1, y1):
    """A fan housing with its impeller, seen from the side."""
    cv.wall([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)])
    c = ((x0 + x1) / 2 + 4, (y0 + y1) / 2)
    cv.circle(c, 19, 1.2, BLACK, FILL)
    for k in range(8):
        a = k * 45
        cv.line([polar(c, 8, a), polar(c, 18, a + 20)], 1.2, BLACK, caps=False)
    cv.circle(c, 5, 1.2, BLACK, WHITE)
    cv.note((c[0], y1 - 9), "fan")


@template("fan inlet")
def draw_fan_inlet(cv, vanes, diameters):
    """A square elbow (inner radius r, turning vanes or none) and a straight
    duct of length L (diameters: counted in duct diameters) ahead of a fan
    inlet."""
    hw = 19
    y_c = 70            # centre line of the horizontal leg into the fan
    x_c = 50            # centre line of the rising leg
    x_fan = 166
    r = 14
    # inner wall: rising leg right wall, rounded corner of radius r
    xi, yi = x_c + hw, y_c + hw
    cv.wall([(xi, 172), (xi, yi + r)] + arc((xi + r, yi + r), r, 180, 90, 12) + [(xi + r, yi), (x_fan, yi)])
    cv.wall([(x_c - hw, 172), (x_c - hw, y_c - hw), (x_fan, y_c - hw)])
    fan_box(cv, x_fan, 24, 228, 150)
    cv.dim_radius((xi + r, yi + r), r, 135, "r", lab=(xi + r + 8, yi + r + 10))
    if vanes:
        # three vanes concentric with the inner wall, spread across the duct
        for k in range(3):
            cv.line(arc((xi + r, yi + r), r + (k + 1) * 2 * hw / 4, 180, 90, 16), 1.6, BLACK)
    cv.flow([(x_c, 166), (x_c, y_c + 18)])
    cv.flow([(x_c + 24, y_c), (x_fan - 8, y_c)])
    y = y_c - hw - 12
    cv.dim((x_c + hw + r, y), (x_fan, y), "L", side=1,
           ext=[((x_c + hw + r, yi - 2 * hw - 3), (x_c + hw + r, y - 4)), ((x_fan, y_c - hw - 3), (x_fan, y - 4))])
    cv.dim((x_c - hw, 150), (x_c + hw, 150), cv.first("H"), side=-1, off=7)
    if diameters:
        cv.note((120, H - 9), "L in duct diameters")
    section_glyph(cv, (120, 150), geom_shape(cv), cv.first("W"))


@template("fan outlet")
def draw_fan_outlet(cv):
    """A centrifugal fan's scroll and its outlet duct: L from the outlet,
    the blast area (Hb, Wb) at the cut-off, the duct (Ho, Wo or D)."""
    c = (72, 108)
    r0, r1 = 34, 56
    cut = polar(c, r0, 20)
    pts = []
    for k in range(61):
        a = 20 - 290 * k / 60
        rr = r0 + (r1 - r0) * k / 60
        pts.append(polar(c, rr, a))
    top = pts[-1]
    x_out = c[0] + 44
    y_bot = cut[1] + 6
    cv.wall(pts + [(228, top[1])])
    cv.wall([cut, (x_out, y_bot), (228, y_bot)])
    cv.line([(x_out, top[1]), (x_out, y_bot)], 0.8, GREY, caps=False)
    cv.circle(c, 22, 1.2, BLACK, FILL)
    for k in range(10):
        a = k * 36
        cv.line([polar(c, 12, a), polar(c, 21, a - 22)], 1.2, BLACK, caps=False)
    cv.circle(c, 5, 1.2, BLACK, WHITE)
    cv.flow(arc(c, (r0 + r1) / 2 - 4, 200, 110, 16))
    cv.flow([(x_out + 10, (top[1] + y_bot) / 2), (186, (top[1] + y_bot) / 2)])
    cv.dim((204, top[1]), (204, y_bot), cv.first("D", "Ho"), side=1)
    cv.dim((cut[0] - 10, top[1]), (cut[0] - 10, cut[1]), "Hb", side=-1, off=6,
           ext=[((cut[0] - 14, cut[1]), (cut[0] - 2, cut[1]))])
    y = y_bot + 14
    cv.dim((x_out, y), (220, y), "L", side=-1, ext=[((x_out, y_bot + 3), (x_out, y + 4))])
    if geom_shape(cv) == "rect":
        cv.section((150, 148), "rect", "Wo")
        cv.section((204, 148), "rect", "Wb")
    else:
        cv.section((170, 148), "round")
    cv.note((c[0], 172), "centrifugal fan")


# ---------------------------------------------------------------- catalogue

class Fit:
    def __init__(self, code, category):
        self.code = code
        self.category = category
        self.geom = code[1]
        self.names = []
        self.classes = []
        self.syms = []
        self.paths = []

    @property
    def name(self):
        return self.names[0]

    def add(self, e):
        self.names.append(e["name"])
        self.classes.append(e["class"])
        for s in SECTION_SYMBOLS[e["class"]] + list(e.get("inputNames") or []):
            if s not in self.syms:
                self.syms.append(s)
        for p in e.get("paths") or []:
            if p not in self.paths:
                self.paths.append(p)

    @property
    def shown_paths(self):
        # A fitting of one path ("s" when it names none) needs no letter.
        return set(self.paths) if len(self.paths) > 1 else set()


def base_code(key):
    return "-".join(key.split("-")[:2])


def load_catalogue():
    fits = OrderedDict()
    for path in sorted(glob.glob(os.path.join(SOURCE, "*.json"))):
        with open(path, encoding="utf-8") as f:
            data = json.load(f)
        for e in data["fittings"]:
            code = base_code(e["key"])
            if code not in fits:
                fits[code] = Fit(code, data["category"])
            fits[code].add(e)
    return fits


def classify(fit):
    """The template and its options for a base code, from its category and name."""
    n = fit.name.lower()
    c = fit.category
    conv = "converging" in n

    def has(*words):
        return all(w in n for w in words)

    if c == 1:
        if has("bellmouth", "with end wall"):
            return "entry", dict(mount="wall", mouth="cone")
        if has("bellmouth", "without end wall") and ("conical" in n or "pyramidal" in n):
            return "entry", dict(mount="free", mouth="cone")
        if has("bellmouth", "without end wall"):
            return "entry", dict(mount="free", mouth="round")
        if has("bellmouth", "projecting"):
            return "entry", dict(mount="projecting", mouth="round")
        if has("projecting", "thickness"):
            return "entry", dict(mount="projecting", mouth="thick")
        if has("projecting"):
            return "entry", dict(mount="projecting", mouth="thin")
        if has("flush", "rounded"):
            return "entry", dict(mount="wall", mouth="round")
        if has("flush"):
            return "entry", dict(mount="wall", mouth="sharp")
    if c == 2:
        for word, kind in (("freely", "free"), ("abrupt", "abrupt"), ("diffuser", "diffuser")):
            if word in n:
                return "exit", dict(kind=kind)
    if c == 3:
        angle = 90 if "90 degree" in n else 60
        if has("offset") or has("z-shaped"):
            return "offset", dict(plane="H" if has("across h") else "W")
        if has("turning vanes"):
            return "elbow vaned", dict(style="vaned", vanes=("double" if "double" in n else "single",
                                                              "small" if "50 mm" in n else "large"))
        if has("splitter"):
            return "elbow smooth", dict(style="splitter", angle=angle)
        if has("converging or diverging"):
            return "elbow mitred tapered", {}
        if has("mitred"):
            return "elbow mitred", dict(style="mitred", angle=angle)
        if has("gore"):
            return "elbow gored", dict(style="gored", angle=angle, gores=5 if "5-gore" in n else 3)
        if has("pleated"):
            return "elbow smooth", dict(style="smooth", marks="pleats", angle=angle)
        if has("die stamped"):
            return "elbow smooth", dict(style="smooth", marks="seams", angle=angle)
        if has("smooth"):
            return "elbow smooth", dict(style="smooth", angle=angle)
    if c == 4:
        if has("abrupt"):
            return "transition abrupt", dict(contraction=has("contraction"), rounded=has("rounded"))
        if has("round to rectangular or rectangular to round") or has("round to rectangular"):
            shapes = ("round", "rect")
        elif has("rectangular to round"):
            shapes = ("rect", "round")
        elif has("rectangular"):
            shapes = ("rect", "rect")
        else:
            shapes = ("round", "round")
        return "transition", dict(contraction=n.startswith("contraction"), shapes=shapes,
                                  swap=fit.classes == ["TDuctFitD1D0A"])
    if c == 5:
        if has("cross"):
            return ("cross converging" if conv else "cross"), dict(converging=conv)
        if has("two 45 degree branches"):
            return "double wye", dict(converging=conv)
        if has("takeoff", "at an angle"):
            return "wye", dict(converging=False, angle=60)
        if has("bullhead"):
            return ("bullhead converging" if conv else "bullhead"), dict(converging=conv)
        if has("wye") and has("branch 90 degrees"):
            return ("tee converging" if conv else "tee"), dict(converging=conv, branch_shape=None)
        if has("wye"):
            return ("wye converging" if conv else "wye"), dict(
                converging=conv, angle=30 if has("30 degrees") else 45)
        if has("tee"):
            return ("tee converging" if conv else "tee"), dict(
                converging=conv, branch_shape="round" if has("round tap") else None)
    if c in (6, 8):
        if has("flow equaliser"):
            return "equipment", {}
        if has("bar or pipe"):
            return "bar", {}
        if has("screen"):
            return "screen", dict(mesh="fine" if has("insect") else "coarse" if has("bird") else "plain")
        if has("perforated plate"):
            return "perforated plate", {}
        if has("orifice", "thick"):
            return "orifice", dict(kind="thick")
        if has("orifice"):
            return "orifice", dict(kind="thin")
        if has("restriction") or has("throat"):
            return "orifice", dict(kind="throat")
    if c == 7:
        if has("fan inlet"):
            return "fan inlet", dict(vanes=has("turning vanes") and not has("no vanes") and not has("no turning"),
                                     diameters=fit.classes == ["TDuctFitL"])
        if has("fan outlet"):
            return "fan outlet", {}
    if c == 9:
        if has("butterfly"):
            return "damper butterfly", {}
        if has("gate"):
            return "damper gate", {}
        if has("multi-blade"):
            return "damper blades", dict(opposed=has("opposed"))
    if c == 10:
        if has("slot"):
            return "slot hood", {}
        if has("tapered"):
            return "hood", dict(kind="tapered")
        if has("projecting from a wall"):
            return "hood", dict(kind="wall")
        if has("unflanged"):
            return "hood", dict(kind="plain")
        if has("flanged"):
            return "hood", dict(kind="flanged")
    return None, None


def draw(fit):
    name, opts = classify(fit)
    if name is None:
        raise SystemExit("no template for %s (%s)" % (fit.code, fit.name))
    cv = Canvas(fit)
    TEMPLATES[name](cv, **opts)
    missing = [s for s in fit.syms if s not in cv.placed]
    unplaced_paths = fit.shown_paths - cv.paths_placed
    if missing or unplaced_paths or cv.clipped:
        raise SystemExit("%s (%s, %s): symbols %s, paths %s not drawn, texts %s cut off"
                         % (fit.code, name, fit.name, missing, sorted(unplaced_paths), cv.clipped))
    return name, cv.finish()


def main(argv):
    only = None
    sheet = None
    args = list(argv)
    if "--sheet" in args:
        i = args.index("--sheet")
        sheet = args[i + 1]
        del args[i:i + 2]
    if args:
        only = set(args)
    fits = load_catalogue()
    os.makedirs(OUT, exist_ok=True)
    used = OrderedDict()
    pictures = []
    for code, fit in fits.items():
        if only and code not in only and fit.category not in {int(a) for a in only if a.isdigit()}:
            continue
        name, img = draw(fit)
        used.setdefault(name, []).append(code)
        img.save(os.path.join(OUT, code + ".gif"))
        pictures.append((code, img))
    for name, codes in used.items():
        print("%-18s %3d  %s" % (name, len(codes), " ".join(codes)))
    if sheet:
        cols = 6
        rows = (len(pictures) + cols - 1) // cols
        board = Image.new("RGB", (cols * (W + 6), rows * (H + 20)), (200, 200, 200))
        dr = ImageDraw.Draw(board)
        for i, (code, img) in enumerate(pictures):
            x, y = (i % cols) * (W + 6), (i // cols) * (H + 20)
            board.paste(img.convert("RGB"), (x, y))
            dr.text((x + 4, y + H + 4), code, fill=(0, 0, 0))
        board.save(sheet)


if __name__ == "__main__":
    main(sys.argv[1:])
