#!/usr/bin/env python3
"""Author-time generator of the catalogue entries of the constant, one- and
two-dimensional families (not part of the build): computes the tables from the
cited correlations and handbook tables and writes them into data/fittings.
New files are written whole; in the shared category files the entries after
the hand-written ones are replaced. Serial numbers are the lowest free ones
below 21 (the three-dimensional families number from 21).

Record of the first computations only: the catalogue's codes and several of
its values have been edited in data/fittings since (see its README), and
running this again would undo them."""

import json
import math
import os
import re

DATA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fittings")

IDELCHIK = "Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed."
ASHRAE09 = "ASHRAE Handbook - Fundamentals (SI), 2009, Duct Design chapter, fitting loss coefficients"
SMACNA = "SMACNA, HVAC Systems - Duct Design, 4th ed., Table A-7 (loss coefficients, elbows)"
ASHRAE_SEF = ("ASHRAE system effect factors for duct elbows at a fan inlet (ASHRAE 1988, as reproduced in "
              "handbooks of HVAC design; after AMCA Publication 201, Fans and Systems)")

# ---------------------------------------------------------------- formulas


def rnd(v):
    if v == 0:
        return 0.0
    a = abs(v)
    if a >= 100:
        return float(round(v))
    if a >= 10:
        return round(v, 1)
    if a >= 1:
        return round(v, 2)
    return round(v, 3)


def orifice_thin(f):
    # Idelchik Diagram 4-14, thin sharp-edged orifice in a duct, duct velocity.
    return (0.707 * (1 - f) ** 0.375 + 1 - f) ** 2 / f ** 2


def orifice_thick(f, lbar, lam=0.02):
    # Idelchik, thick-edged orifice (and perforated plate) in a duct.
    phi = 0.25 + 0.535 * lbar ** 8 / (0.05 + lbar ** 8)
    tau = (2.4 - lbar) * 10 ** (-phi)
    return (0.5 * (1 - f) ** 0.75 + tau * (1 - f) ** 1.375 + (1 - f) ** 2 + lam * lbar) / f ** 2


def screen(f):
    # Idelchik Diagram 8-6, round-wire screen, Re > 1000.
    return 1.3 * (1 - f) + (1 / f - 1) ** 2


def friction_taper(alpha_deg, n_ratio_sq_term, lam=0.02):
    a = math.radians(alpha_deg)
    return lam / (8 * math.sin(a / 2)) * n_ratio_sq_term


def expansion(a_small_over_large, alpha_deg, k):
    """Diffuser loss on the small (inlet) velocity: phi (1 - n)^2 + friction,
    phi = k tan^1.25(alpha/2) limited to the sudden-expansion loss (phi <= 1)."""
    n = a_small_over_large
    phi = min(k * math.tan(math.radians(alpha_deg) / 2) ** 1.25, 1.0)
    return phi * (1 - n) ** 2 + friction_taper(alpha_deg, 1 - n ** 2)


def contraction(n0, alpha_deg):
    """Conical converging section, loss on the small (outlet) velocity
    (Idelchik Diagram 5-23), n0 = small / large area."""
    ar = math.radians(alpha_deg)
    poly = -0.0125 * n0 ** 4 + 0.0224 * n0 ** 3 - 0.00723 * n0 ** 2 + 0.00444 * n0 - 0.00745
    loc = poly * (ar ** 3 - 2 * math.pi * ar ** 2 - 10 * ar)
    return loc + friction_taper(alpha_deg, 1 - n0 ** 2)


def transition_first(y, alpha, k):
    """Coefficient on the velocity of link 0 for a taper from link 0 to link 1,
    y = A0 / A1."""
    if abs(y - 1) < 1e-12:
        return 0.0
    if y < 1:
        return expansion(y, alpha, k)
    return contraction(1 / y, alpha) * y * y


def transition_outlet(x, alpha, k):
    """Coefficient on the outlet duct's velocity, x = A_out / A_in."""
    if abs(x - 1) < 1e-12:
        return 0.0
    if x > 1:
        return expansion(1 / x, alpha, k) * x * x
    return contraction(x, alpha)


def bellmouth_wall(r):
    return interp([0, .01, .02, .03, .04, .05, .06, .08, .10, .12, .16, .20],
                  [.50, .43, .36, .31, .26, .22, .20, .15, .12, .09, .06, .03], r)


BELL_FREE_X = [0, .01, .02, .03, .04, .05, .06, .08, .10, .12, .16, .20]
BELL_FREE = [1.0, .87, .74, .61, .51, .40, .32, .20, .15, .10, .06, .03]


def interp(xs, ys, x):
    for i in range(len(xs) - 1):
        if xs[i] <= x <= xs[i + 1]:
            t = (x - xs[i]) / (xs[i + 1] - xs[i])
            return ys[i] + (ys[i + 1] - ys[i]) * t
    raise ValueError(x)


def table(xs, ys, f):
    """Rows by y, columns by x."""
    return [[rnd(f(x, y)) for x in xs] for y in ys]


def values(xs, f):
    return [rnd(f(x)) for x in xs]


def flat(t):
    return [v for row in t for v in row]


# ---------------------------------------------------------------- data

WALL_LD = [0, 0.002, 0.01, 0.05, 0.2, 0.5, 1.0]
WALL_TD = [0, 0.02, 0.05]
WALL = [[0.50, 0.57, 0.68, 0.80, 0.92, 1.0, 1.0],
        [0.50, 0.51, 0.52, 0.55, 0.66, 0.72, 0.72],
        [0.50, 0.50, 0.50, 0.50, 0.50, 0.50, 0.50]]
WALL_SRC = (IDELCHIK + ", Diagram 3-1 (entrance of a straight duct mounted in a wall, against the wall "
            "thickness t and the projection L, both over the diameter), as tabulated for fitting 1-1 in the "
            "fitting-loss-coefficient supplement of ASHRAE's Principles of HVAC; rectangular ducts use the "
            "hydraulic diameter 2HW/(H+W).")

CONE_ANG = [0, 10, 20, 30, 40, 60, 100, 140, 180]
CONE_LD = [0.025, 0.05, 0.075, 0.10, 0.15, 0.60]
CONE_FREE = [[1.0, 0.96, 0.93, 0.90, 0.86, 0.80, 0.69, 0.59, 0.50],
             [1.0, 0.93, 0.86, 0.80, 0.75, 0.67, 0.58, 0.53, 0.50],
             [1.0, 0.87, 0.75, 0.65, 0.58, 0.50, 0.48, 0.49, 0.50],
             [1.0, 0.80, 0.69, 0.55, 0.48, 0.41, 0.41, 0.44, 0.50],
             [1.0, 0.76, 0.58, 0.43, 0.33, 0.25, 0.27, 0.38, 0.50],
             [1.0, 0.60, 0.40, 0.25, 0.17, 0.13, 0.16, 0.25, 0.50]]
CONE_WALL = [[0.50, 0.47, 0.45, 0.43, 0.41, 0.40, 0.42, 0.45, 0.50],
             [0.50, 0.45, 0.41, 0.36, 0.33, 0.30, 0.35, 0.42, 0.50],
             [0.50, 0.42, 0.35, 0.30, 0.26, 0.23, 0.30, 0.40, 0.50],
             [0.50, 0.39, 0.32, 0.25, 0.22, 0.18, 0.27, 0.38, 0.50],
             [0.50, 0.37, 0.27, 0.20, 0.16, 0.15, 0.25, 0.37, 0.50],
             [0.50, 0.27, 0.18, 0.13, 0.11, 0.12, 0.23, 0.36, 0.50]]
CONE_SRC = (IDELCHIK + ", Section 3 (conical collector {w}), loss coefficient against the total angle and the "
            "collector length L over the duct diameter, as reprinted in ASHRAE Handbook - Fundamentals duct-fitting "
            "data (conical converging bellmouth {w}); referred to the duct velocity. {check}")
CONE_FREE_CHECK = ("No correlation is published for this collector: the values are read from the cited table, "
                   "unchanged.")
CONE_WALL_CHECK = ("Values read from the cited table; every cell agrees with the independent transcription of "
                   "Idelchik's table in Bell, C., fluids (Chemical Engineering Design Library), entrance_beveled, "
                   "method 'Idelchik'.")

HW_ASPECT = [0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0]
MITRE_ANG = [20, 30, 45, 60, 75, 90]
MITRE = {  # columns by H/W
    20: [0.08, 0.08, 0.08, 0.07, 0.07, 0.07, 0.06, 0.06, 0.05, 0.05, 0.05],
    30: [0.18, 0.17, 0.17, 0.16, 0.15, 0.15, 0.13, 0.13, 0.12, 0.12, 0.11],
    45: [0.38, 0.37, 0.36, 0.34, 0.33, 0.31, 0.28, 0.27, 0.26, 0.25, 0.24],
    60: [0.60, 0.59, 0.57, 0.55, 0.52, 0.49, 0.46, 0.43, 0.41, 0.39, 0.38],
    75: [0.89, 0.87, 0.84, 0.81, 0.77, 0.73, 0.67, 0.63, 0.61, 0.58, 0.57],
    90: [1.3, 1.3, 1.2, 1.2, 1.1, 1.1, 0.98, 0.92, 0.89, 0.85, 0.83],
}
SMOOTH_RW = [0.5, 0.75, 1.0, 1.5, 2.0]
SMOOTH = [[1.53, 1.38, 1.29, 1.18, 1.06, 1.00, 1.00, 1.06, 1.12, 1.16, 1.18],
          [0.57, 0.52, 0.48, 0.44, 0.40, 0.39, 0.39, 0.40, 0.42, 0.43, 0.44],
          [0.27, 0.25, 0.23, 0.21, 0.19, 0.18, 0.18, 0.19, 0.20, 0.21, 0.21],
          [0.22, 0.20, 0.19, 0.17, 0.15, 0.14, 0.14, 0.15, 0.16, 0.17, 0.17],
          [0.20, 0.18, 0.16, 0.15, 0.14, 0.13, 0.13, 0.14, 0.14, 0.15, 0.15]]
ANGLE_K_X = [0, 20, 30, 45, 60, 75, 90, 110, 130, 150, 180]
ANGLE_K = [0, 0.31, 0.45, 0.60, 0.78, 0.90, 1.00, 1.13, 1.20, 1.28, 1.40]
SHARP_C1 = [1.10, 1.07, 1.04, 1.00, 0.95, 0.90, 0.83, 0.78, 0.75, 0.72, 0.70]
Z_X = [0, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 2.0, 2.4, 2.8, 3.2, 4.0, 5.0, 6.0, 7.0, 9.0, 10.0]
Z_C = [0, 0.62, 0.90, 1.61, 2.63, 3.61, 4.01, 4.18, 4.22, 4.18, 3.75, 3.31, 3.20, 3.08, 2.92, 2.80, 2.70, 2.50, 2.41]
CONV_W1 = [0.6, 0.8, 1.2, 1.4, 1.6, 2.0]
CONV_H = [0.25, 1.0, 4.0]
CONV = [[1.8, 1.4, 1.1, 1.1, 1.1, 1.1],
        [1.7, 1.4, 1.0, 0.95, 0.90, 0.84],
        [1.5, 1.1, 0.81, 0.76, 0.72, 0.66]]


def conv_elbow(r, h):
    """Bilinear in W1/Wo, logarithmic in H/Wo (clamped to the table's rows)."""
    r = min(max(r, CONV_W1[0]), CONV_W1[-1])  # the axis entries are rounded reciprocals
    lh = math.log(min(max(h, CONV_H[0]), CONV_H[-1]))
    lhs = [math.log(v) for v in CONV_H]
    col = [interp(CONV_W1, row, r) for row in CONV]
    return interp(lhs, col, lh)


FAN_OUT_L = [0, 0.12, 0.25, 0.50, 1.0]
FAN_OUT_AB = [0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
FAN_OUT = [[2.00, 1.00, 0.40, 0.18, 0],
           [2.00, 1.00, 0.40, 0.18, 0],
           [1.00, 0.66, 0.33, 0.14, 0],
           [0.80, 0.40, 0.14, 0, 0],
           [0.47, 0.22, 0.10, 0, 0],
           [0.22, 0.14, 0, 0, 0],
           [0, 0, 0, 0, 0]]
FAN_OUT_SRC = ("Fan outlet system effect of a centrifugal fan against the blast area over the outlet area and the "
               "outlet duct length as a fraction of the effective duct length (Le = sqrt(A) V / 4500 above 13 m/s, "
               "sqrt(A) / 350 below, A in mm2): AMCA Publication 201, Fans and Systems, outlet-duct system effect "
               "curves, as loss coefficients in ASHRAE Handbook - Fundamentals duct-fitting data (fan outlet with "
               "duct); referred to the outlet duct velocity. The coefficients are read from the cited table (the AMCA curves "
               "have no published correlation); the effective length matches AMCA's 2.5 equivalent diameters up to "
               "12.7 m/s plus one diameter per further 5.08 m/s.")

# ---------------------------------------------------------------- entries

ENTRIES = []  # (file, prefix, serial or None, path suffix or None, entry dict)


def add(file, prefix, entry, group=None, path=None):
    ENTRIES.append({"file": file, "prefix": prefix, "group": group, "path": path, "entry": entry})


def one_dim(cls, name, source, inputs, defaults, axis, xs, vs, axis_default=-1, paths=None, scale="lin"):
    e = {"class": cls, "name": name, "source": source,
         "cmin": min(vs), "cmax": max(vs),
         "inputNames": inputs, "inputDefaults": defaults}
    if paths:
        e["paths"] = paths
    if axis is None:
        e.update({"axisNames": [], "axisScales": [], "axisDefaults": []})
    else:
        e.update({"axisNames": [axis], "axisScales": [scale], "axisDefaults": [axis_default]})
    e["xAxis"] = xs
    e["values"] = vs
    return e


def two_dim(cls, name, source, inputs, defaults, axes, xs, ys, t, paths=None, defaults_axes=None):
    e = {"class": cls, "name": name, "source": source,
         "cmin": min(flat(t)), "cmax": max(flat(t)),
         "inputNames": inputs, "inputDefaults": defaults}
    if paths:
        e["paths"] = paths
    e.update({"axisNames": axes, "axisScales": ["lin"] * len(axes),
              "axisDefaults": defaults_axes or [-1] * len(axes)})
    e["xAxis"] = xs
    e["yAxis"] = ys
    e["table"] = t
    return e


def const(name, source, c):
    return {"class": "TDuctFitConst", "name": name, "source": source, "cmin": c, "cmax": c,
            "inputNames": [], "inputDefaults": [], "axisNames": [], "axisScales": [], "axisDefaults": [],
            "c": c}


# ---- 1 entries
F1 = "01-entries.json"
add(F1, "ER1", const("Entry, rectangular duct flush with a wall, sharp edge",
                     IDELCHIK + ", Diagram 3-1 (entrance flush with the wall, sharp edge, hydraulic diameter): zeta = 0.5 "
                     "referred to the duct velocity.", 0.5))
add(F1, "ED1", one_dim("TDuctFitrD", "Entry, smooth converging bellmouth without end wall",
                       IDELCHIK + ", Diagram 3-4 (smooth collector without end wall), loss coefficient against r/D, as "
                       "tabulated for fitting 1-2 in the fitting-loss-coefficient supplement of ASHRAE's Principles of HVAC; "
                       "referred to the duct velocity.",
                       ["r"], [30], "r/D", BELL_FREE_X, BELL_FREE))
add(F1, "ED1", one_dim("TDuctFitLD", "Entry, round duct projecting into a plenum, thin wall",
                       WALL_SRC + " Row t/D = 0 (thin wall).", ["L"], [100], "L/D", WALL_LD, WALL[0]))
add(F1, "ER1", one_dim("TDuctFitH0W0L", "Entry, rectangular duct projecting into a plenum, thin wall",
                       WALL_SRC + " Row t/D = 0 (thin wall), L over the hydraulic diameter.", ["L"], [100], "L/Dh",
                       WALL_LD, WALL[0]))
add(F1, "ED1", two_dim("TDuctFitDLt", "Entry, round duct mounted in a wall (projecting, with wall thickness)",
                       WALL_SRC, ["L", "t"], [100, 2], ["L/D", "t/D"], WALL_LD, WALL_TD, WALL))
add(F1, "ER1", two_dim("TDuctFitHWLt", "Entry, rectangular duct mounted in a wall (projecting, with wall thickness)",
                       WALL_SRC, ["L", "t"], [100, 2], ["L/Dh", "t/Dh"], WALL_LD, WALL_TD, WALL))
add(F1, "ED1", two_dim("TDuctFitAngleLD", "Entry, conical converging bellmouth without end wall",
                       CONE_SRC.format(w="without end wall", check=CONE_FREE_CHECK), ["Angle", "L"], [40, 60], ["Angle", "L/D"],
                       CONE_ANG, CONE_LD, CONE_FREE))
add(F1, "ED1", two_dim("TDuctFitLDAngle", "Entry, conical converging bellmouth with end wall",
                       CONE_SRC.format(w="with end wall", check=CONE_WALL_CHECK), ["L", "Angle"], [60, 40], ["L/D", "Angle"],
                       CONE_LD, CONE_ANG, [list(r) for r in zip(*CONE_WALL)]))
add(F1, "ER1", two_dim("TDuctFitHWLAngle", "Entry, rectangular pyramidal bellmouth without end wall",
                       CONE_SRC.format(w="without end wall", check=CONE_FREE_CHECK) + " For a pyramidal collector of rectangular section "
                       "the length is taken over the hydraulic diameter 2HW/(H+W).",
                       ["L", "Angle"], [60, 40], ["Angle", "L/Dh"], CONE_ANG, CONE_LD, CONE_FREE))
BLEND_L = [0, 0.002, 0.01, 0.05, 0.2, 0.5]
BLEND_S = [(v - 0.5) / 0.5 for v in WALL[0][:6]]
add(F1, "ED1", two_dim("TDuctFitD0rL", "Entry, round bellmouth on a duct projecting from a wall",
                       "Smooth collector (bellmouth) of radius r: " + IDELCHIK + ", Diagram 3-4, with end wall "
                       "(duct flush with the wall, L = 0) and without end wall (L/D >= 0.5); for projections in between "
                       "the two are blended with the weights that Diagram 3-1 gives a thin-walled duct projecting L from "
                       "the wall ((zeta(L) - 0.5) / 0.5 = 0, 0.14, 0.36, 0.60, 0.84, 1 at L/D = 0, 0.002, 0.01, 0.05, 0.2, "
                       "0.5); referred to the duct velocity.",
                       ["r", "L"], [20, 100], ["L/D", "r/D"], BLEND_L, BELL_FREE_X,
                       table(BLEND_L, BELL_FREE_X,
                             lambda l, r: bellmouth_wall(r) + interp(BLEND_L, BLEND_S, l) *
                             (interp(BELL_FREE_X, BELL_FREE, r) - bellmouth_wall(r)))))

# ---- 2 exits
F2 = "02-exits.json"
add(F2, "SR2", const("Exit, rectangular duct discharging freely into a room",
                     "Borda-Carnot sudden expansion into an unbounded space: the whole velocity pressure is lost, C = 1 "
                     "(" + IDELCHIK + ", Diagram 4-1).", 1.0))
DE_X = [1.0, 1.2, 1.5, 2.0, 3.0, 5.0, 10.0]
add(F2, "SD2", one_dim("TDuctFitDeD", "Exit, round duct, abrupt expansion into a larger duct or plenum",
                       "Borda-Carnot sudden expansion, C = (1 - (D/De)^2)^2 referred to the velocity of the duct of "
                       "diameter D, De the diameter (or equivalent diameter) of the space it discharges into ("
                       + IDELCHIK + ", Diagram 4-1).",
                       ["De"], [600], "De/D", DE_X, values(DE_X, lambda x: (1 - 1 / x ** 2) ** 2)))
DIFF_ANG = [8, 10, 14, 20, 30, 45, 60, 90, 180]
DIFF_R = [1.0, 1.2, 1.5, 2.0, 3.0]
add(F2, "SD2", two_dim("TDuctFitDD0A", "Exit, round conical diffuser discharging into a room",
                       "Diffuser loss plus the exit velocity pressure, referred to the duct velocity: C = phi (1 - n)^2 + "
                       "lambda / (8 sin(a/2)) (1 - n^2) + n^2, n = (D0/D)^2 the duct over the outlet area, phi = 3.2 "
                       "tan^1.25(a/2) for conical diffusers, limited to the sudden-expansion loss (phi <= 1), lambda = 0.02 ("
                       + IDELCHIK + ", Diagrams 5-2 and 11-1).",
                       ["D", "Angle"], [400, 14], ["Angle", "D/D0"], DIFF_ANG, DIFF_R,
                       table(DIFF_ANG, DIFF_R,
                             lambda a, r: (expansion(1 / r ** 2, a, 3.2) if r > 1 else 0.0) + 1 / r ** 4)))

# ---- 3 elbows
F3 = "03-elbows.json"
PLEATED_D = [100, 150, 200, 250, 300, 350, 400]
add(F3, "CD3", one_dim("TDuctFitD", "Elbow, round, pleated, 90 degrees, r/D = 1.5",
                       ASHRAE09 + ", ASHRAE fitting CD3-5 (pleated elbow, 90 degrees, r/D = 1.5), C against the diameter in mm.",
                       [], [], "D", PLEATED_D, [0.57, 0.43, 0.34, 0.28, 0.26, 0.25, 0.25]))
GORE_D = [75, 150, 230, 300, 380, 450, 530, 600, 690, 750, 1500]
GORE3_R = [0.75, 1.0, 1.5, 2.0]
GORE3_C = [0.54, 0.42, 0.34, 0.33]
add(F3, "CD3", one_dim("TDuctFitD", "Elbow, round, 5-gore, 90 degrees, r/D = 1.5",
                       ASHRAE09 + ", ASHRAE fitting CD3-9 (5-gore elbow, 90 degrees, r/D = 1.5), C against the diameter in mm.",
                       [], [], "D", GORE_D, [0.51, 0.28, 0.21, 0.18, 0.16, 0.15, 0.14, 0.13, 0.12, 0.12, 0.12]))
STAMP_D = [75, 100, 125, 150, 180, 200, 230, 250]
add(F3, "CD3", one_dim("TDuctFitD", "Elbow, round, die stamped, 90 degrees, r/D = 1.5",
                       ASHRAE09 + ", ASHRAE fitting CD3-1 (die-stamped elbow, 90 degrees, r/D = 1.5), C against the diameter in mm.",
                       [], [], "D", STAMP_D, [0.30, 0.21, 0.16, 0.14, 0.12, 0.11, 0.11, 0.11]))
add(F3, "CD3", one_dim("TDuctFitrD", "Elbow, round, 3-gore, 90 degrees",
                       ASHRAE09 + ", ASHRAE fitting CD3-12 (3-gore elbow, 90 degrees), C against r/D.",
                       ["r"], [300], "r/D", GORE3_R, GORE3_C))
add(F3, "CD3", one_dim("TDuctFitAngle", "Elbow, round, smooth radius, r/D = 1.5, any angle",
                       SMACNA + ": smooth-radius round elbow, C = 0.15 at 90 degrees for R/D = 1.5, times the angle factor "
                       "K of its Note 1 (0 at 0, 0.31 at 20, 0.45 at 30, 0.60 at 45, 0.78 at 60, 0.90 at 75, 1.00 at 90, 1.13 "
                       "at 110, 1.20 at 130, 1.28 at 150, 1.40 at 180 degrees).",
                       ["Angle"], [90], "Angle", ANGLE_K_X, [rnd(0.15 * k) for k in ANGLE_K], axis_default=90))
add(F3, "CR3", one_dim("TDuctFitHW", "Elbow, rectangular, mitred, 90 degrees, without vanes",
                       SMACNA + ", part D (rectangular mitred elbow), the 90-degree row, C against H/W.",
                       [], [], "H/W", HW_ASPECT, MITRE[90]))
SMOOTH_FIXED = [row[:] for row in SMOOTH]
add(F3, "CR3", two_dim("TDuctFitHWr", "Elbow, rectangular, smooth radius, 90 degrees, without vanes",
                       SMACNA + ", part F (rectangular smooth-radius elbow without vanes), C against H/W and r/W; the "
                       "printed 0.27 at r/W = 1.0, H/W = 6 is taken as 0.21, the value of the handbook's own correlation "
                       "(" + IDELCHIK + ", Diagram 6-1: C = B1(r/W) C1(H/W)); the r/W = 0.5 row to two decimals as ASHRAE Handbook - "
                       "Fundamentals (SI), 2005, fitting CR3-1, prints it, within 0.015 of that correlation. Values read "
                       "from the cited tables.",
                       ["r"], [300], ["H/W", "r/W"], HW_ASPECT, SMOOTH_RW, SMOOTH_FIXED))
add(F3, "CR3", two_dim("TDuctFitHWAngle", "Elbow, rectangular, smooth radius, r/W = 1.5, any angle",
                       SMACNA + ", part F (rectangular smooth-radius elbow), the r/W = 1.5 row, times the angle factor K "
                       "of Note 1 of the same table.",
                       ["Angle"], [90], ["H/W", "Angle"], HW_ASPECT, ANGLE_K_X,
                       [[rnd(k * c) for c in SMOOTH[3]] for k in ANGLE_K], defaults_axes=[-1, 90]))
MITRE_T = [[0.0] + [MITRE[a][i] for a in MITRE_ANG] for i in range(len(HW_ASPECT))]
add(F3, "CR3", two_dim("TDuctFitAngleHW", "Elbow, rectangular, mitred, any angle, without vanes",
                       SMACNA + ", part D (rectangular mitred elbow), C against the angle and H/W, with C = 0 at 0 degrees; "
                       "the value 0.71 printed in some reprints at 75 degrees, H/W = 5 is taken as 0.61, between its "
                       "neighbours and as the sharp-bend relation of " + IDELCHIK + ", Diagram 6-5, gives.",
                       ["Angle"], [90], ["Angle", "H/W"], [0] + MITRE_ANG, HW_ASPECT, MITRE_T, defaults_axes=[90, -1]))
add(F3, "CR3", two_dim("TDuctFitHWoW1", "Elbow, rectangular, mitred, 90 degrees, converging or diverging",
                       SMACNA + ", part E (rectangular mitred elbow with converging or diverging flow), C against W1/W "
                       "(outlet over inlet width) and H/W (rows H/W = 0.25, 1.0, 4.0); referred to the velocity of the "
                       "inlet duct, which is the first link.",
                       [], [], ["W1/Wo", "H/Wo"], CONV_W1, CONV_H, CONV, paths=["0", "1"]))
HW1_X = [0.5, 0.625, 0.714, 0.833, 1.25, 1.667]
HW1_Y = [0.25, 0.5, 1.0, 2.0, 4.0]
add(F3, "CR3", two_dim("TDuctFitHW1Wo", "Elbow, rectangular, mitred, 90 degrees, converging or diverging (by outlet width)",
                       SMACNA + ", part E (rectangular mitred elbow with converging or diverging flow), re-tabulated on "
                       "the outlet width: Wo/W1 and H/W1, interpolated linearly in W1/Wo and logarithmically in H/W "
                       "(held at the end rows beyond H/W = 0.25 and 4); referred to the inlet duct velocity.",
                       [], [], ["Wo/W1", "H/W1"], HW1_X, HW1_Y,
                       table(HW1_X, HW1_Y, lambda x, y: conv_elbow(1 / x, y / x)), paths=["0", "1"]))
ZSRC = (IDELCHIK + ", Section 6 (Z-shaped elbow of two 90-degree sharp bends with a straight piece between): C' "
        "against the spacing over the duct side in the plane of the offset (0 at 0, rising to 4.22 at 1.8, falling to "
        "2.41 at 10), times the aspect-ratio factor C1 of sharp bends (1.10 at 0.25, 1.0 at 1, 0.70 at 8), the side "
        "across the offset over the side in its plane. Both are read from the charts (no correlation is published); "
        "C1 agrees within 0.04 (the table's two-figure rounding) with the ratios of the 90-degree row of SMACNA's mitred-elbow table to its H/W = 1 "
        "value. Without the Reynolds-number factor, that is for Re of 1.4e5 and above; the offset with that factor is "
        "a fitting of its own. Referred to the duct velocity.")
add(F3, "CR3", two_dim("TDuctFitLHW", "Offset (Z), rectangular, two mitred 90-degree elbows, offset across H",
                       ZSRC, ["L"], [400], ["L/H", "W/H"], Z_X, HW_ASPECT,
                       table(Z_X, HW_ASPECT, lambda l, a: Z_C[Z_X.index(l)] * SHARP_C1[HW_ASPECT.index(a)])))
add(F3, "CR3", two_dim("TDuctFitHWL", "Offset (Z), rectangular, two mitred 90-degree elbows, offset across W",
                       ZSRC, ["L"], [400], ["H/W", "L/W"], HW_ASPECT, Z_X,
                       table(HW_ASPECT, Z_X, lambda a, l: Z_C[Z_X.index(l)] * SHARP_C1[HW_ASPECT.index(a)])))

# ---- 4 transitions
F4 = "04-transitions-2d.json"
TANG = [10, 15, 20, 30, 45, 60, 90, 120, 180]
TY = [0.1, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0, 5.0, 10.0]
TAPER_SRC = ("Computed, referred to the velocity of {ref}: expansion C = phi (1 - n)^2 + lambda / (8 sin(a/2)) (1 - n^2) "
             "on the smaller duct, phi = {k} tan^1.25(a/2) limited to the sudden-expansion loss (" + IDELCHIK +
             ", Diagrams 5-2 and 5-4); contraction from Idelchik's conical converging-section relation, zeta = "
             "(-0.0125 n^4 + 0.0224 n^3 - 0.00723 n^2 + 0.00444 n - 0.00745)(a^3 - 2 pi a^2 - 10 a) + friction, a in "
             "radians (Diagram 5-23) on the smaller duct; n the smaller over the larger area, lambda = 0.02, and the "
             "smaller duct's coefficient converted by the square of the area ratio.")
add(F4, "CD4", two_dim("TDuctFitD0D1A", "Transition, round, conical, expansion or contraction",
                       TAPER_SRC.format(ref="the first link's duct", k="3.2"), ["Angle"], [30],
                       ["Angle", "A0/A1"], TANG, TY, table(TANG, TY, lambda a, y: transition_first(y, a, 3.2)),
                       paths=["0", "1"]))
TOY = [0.1, 0.2, 0.3, 0.5, 0.7, 1.0, 1.5, 2.0, 3.0, 5.0, 10.0]
add(F4, "CD4", two_dim("TDuctFitD1D0A", "Transition, round, conical, placed on its outlet duct (inlet diameter given)",
                       TAPER_SRC.format(ref="the duct it is placed on, its outlet; A1/A0 is the inlet over the outlet area",
                                        k="3.2"),
                       ["D1", "Angle"], [400, 30], ["Angle", "A1/A0"], TANG, TOY,
                       table(TANG, TOY, lambda a, y: transition_outlet(1 / y, a, 3.2))))
TL = [0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0]
TA = [0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0]


def by_length_round(l, y):
    if abs(y - 1) < 1e-12:
        return 0.0
    d1 = math.sqrt(y)
    a = 2 * math.degrees(math.atan(abs(d1 - 1) / (2 * l)))
    return transition_first(1 / y, a, 3.2)


LEN_SRC = (" The total angle follows from the length: a = 2 arctan(|De1 - De0| / 2L), De the diameter of equal area "
           "{sq}.")
add(F4, "SD4", two_dim("TDuctFitD0H1W1L", "Transition, round to rectangular, by length",
                       TAPER_SRC.format(ref="the round duct, the first link", k="3.2") + LEN_SRC.format(sq=""),
                       ["L"], [400], ["L/D0", "A1/A0"], TL, TA, table(TL, TA, by_length_round), paths=["0", "1"]))
add(F4, "CD4", two_dim("TDuctFitD0H1W1A", "Transition, round to rectangular or rectangular to round, by angle",
                       TAPER_SRC.format(ref="the first link's duct", k="3.2"), ["Angle"], [30],
                       ["Angle", "A0/A1"], TANG, TY, table(TANG, TY, lambda a, y: transition_first(y, a, 3.2)),
                       paths=["0", "1"]))
add(F4, "CR4", two_dim("TDuctFitH0W0D1Angle", "Transition, rectangular to round, by angle",
                       TAPER_SRC.format(ref="the first link's duct", k="3.2"), ["Angle"], [30],
                       ["Angle", "A0/A1"], TANG, TY, table(TANG, TY, lambda a, y: transition_first(y, a, 3.2)),
                       paths=["0", "1"]))
add(F4, "CR4", two_dim("TDuctFitH0W0H1W1Angle", "Transition, rectangular, pyramidal, by angle",
                       TAPER_SRC.format(ref="the first link's duct", k="4.0 (rectangular section)"), ["Angle"], [30],
                       ["Angle", "A0/A1"], TANG, TY, table(TANG, TY, lambda a, y: transition_first(y, a, 4.0)),
                       paths=["0", "1"]))
add(F4, "CR4", two_dim("TDuctFitH0H1WAngle", "Transition, rectangular, height changing, width constant, by angle",
                       TAPER_SRC.format(ref="the first link's duct", k="4.0 (rectangular section)"), ["Angle"], [30],
                       ["Angle", "H0/H1"], TANG, TY, table(TANG, TY, lambda a, y: transition_first(y, a, 4.0)),
                       paths=["0", "1"]))
add(F4, "SR4", two_dim("TDuctFitH1W1HoWoAngle", "Transition, rectangular, pyramidal, placed on its outlet duct",
                       TAPER_SRC.format(ref="the duct it is placed on, its outlet; x is the outlet over the inlet area",
                                        k="4.0 (rectangular section)"),
                       ["H1", "W1", "Ho", "Wo", "Angle"], [400, 600, 400, 400, 30], ["A1/Ao", "Angle"], TY, TANG,
                       table(TY, TANG, lambda x, a: transition_outlet(x, a, 4.0))))
add(F4, "CR4", two_dim("TDuctFitHoWoH1W1Angle", "Transition, rectangular, pyramidal, placed on its inlet duct",
                       TAPER_SRC.format(ref="the duct it is placed on, its inlet; x is the inlet over the outlet area",
                                        k="4.0 (rectangular section)"),
                       ["Ho", "Wo", "H1", "W1", "Angle"], [400, 600, 400, 400, 30], ["Ao/A1", "Angle"], TY, TANG,
                       table(TY, TANG, lambda x, a: transition_first(x, a, 4.0))))


def by_length_height(l, y):
    if abs(y - 1) < 1e-12:
        return 0.0
    a = 2 * math.degrees(math.atan(abs(y - 1) / (2 * l)))
    return transition_first(1 / y, a, 4.0)


add(F4, "CR4", two_dim("TDuctFitHoH1W1L", "Transition, rectangular, height changing, width constant, by length",
                       TAPER_SRC.format(ref="the first link's duct", k="4.0 (rectangular section)") +
                       " The total angle follows from the length: a = 2 arctan(|H1 - Ho| / 2L).",
                       ["L"], [400], ["L/Ho", "A1/Ao"], TL, TA, table(TL, TA, by_length_height), paths=["0", "1"]))


def by_length_rect(l, y):
    if abs(y - 1) < 1e-12:
        return 0.0
    de0 = 2 / math.sqrt(math.pi)  # square duct of side 1: Dh = 1
    a = 2 * math.degrees(math.atan(de0 * abs(math.sqrt(y) - 1) / (2 * l)))
    return transition_first(1 / y, a, 4.0)


add(F4, "CR4", two_dim("TDuctFitHoWoH1W1L", "Transition, rectangular, by length",
                       TAPER_SRC.format(ref="the first link's duct", k="4.0 (rectangular section)") +
                       LEN_SRC.format(sq=", computed for a square inlet (De0 = 1.128 Dh0)"),
                       ["L"], [400], ["L/Dho", "A1/Ao"], TL, TA, table(TL, TA, by_length_rect), paths=["0", "1"]))
RR = [0, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.20]
RY = [1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 10.0]
add(F4, "SR4", two_dim("TDuctFitH0W0D1r", "Contraction, rectangular to round, abrupt with rounded inlet edge",
                       IDELCHIK + ", Diagram 4-9 (sudden contraction with a rounded inlet edge): zeta = zeta'(r/D1) (1 - "
                       "A1/A0)^0.75 on the round outlet duct, zeta' the rounded-entrance coefficient with end wall "
                       "(Diagram 3-4: 0.5 at r = 0 to 0.03 at r/D = 0.2); converted to the velocity of the rectangular "
                       "inlet duct, the first link, by (A0/A1)^2.",
                       ["r"], [20], ["r/D1", "A0/A1"], RR, RY,
                       table(RR, RY, lambda r, y: bellmouth_wall(r) * (1 - 1 / y) ** 0.75 * y * y),
                       paths=["0", "1"]))
EXP_X = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
add(F4, "ED4", one_dim("TDuctFitDbDc", "Expansion, round, abrupt, from a smaller duct into a larger one",
                       "Borda-Carnot sudden expansion, C = (1 - Ab/Ac)^2 referred to the velocity of the smaller duct "
                       "(the branch link, b), Ac the larger duct (the common link, c) (" + IDELCHIK + ", Diagram 4-1).",
                       [], [], "Ab/Ac", EXP_X, values(EXP_X, lambda x: (1 - x) ** 2), paths=["b", "c"]))
CON_X = [1.0, 1.25, 1.5, 2.0, 3.0, 4.0, 6.0]
add(F4, "SR4", one_dim("TDuctFitHWbWc", "Contraction, rectangular, abrupt, equal heights",
                       IDELCHIK + ", Diagram 4-9 (sudden contraction): zeta = 0.5 (1 - Ac/Ab)^0.75 on the narrower duct "
                       "(the common link, c), converted to the velocity of the wider duct (the branch link, b) by "
                       "(Ab/Ac)^2.",
                       [], [], "Ab/Ac", CON_X, values(CON_X, lambda x: 0.5 * (1 - 1 / x) ** 0.75 * x * x),
                       paths=["b", "c"]))

# ---- 5 junctions
F5 = "05-junctions-2d.json"
QX = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9]
AB_Y = [0.1, 0.2, 0.3, 0.4, 0.6, 0.8, 1.0]
AS_Y = [0.3, 0.4, 0.5, 0.6, 0.8, 1.0]


def div_branch(x, y, alpha):
    r = x / y  # wb / wc
    return (1 + r * r - 2 * r * math.cos(math.radians(alpha))) / (r * r)


def div_straight(x, y):
    r = x / y  # ws / wc
    return 0.4 * (1 - r) ** 2 / (r * r)


def conv_branch(x, y):
    if y <= 0.35:
        a = 1.0
    else:
        a = 0.9 * (1 - x) if x <= 0.4 else 0.55
    r = x / y
    return a * (1 + r * r - 2 * (1 - x) ** 2) / (r * r)


def conv_straight(x, y):
    r = x / y
    qb = 1 - x
    z = 1.55 * qb - qb * qb + (1 - r) ** 2 + 2 * r * (1 - x) - (1 - x * x)
    return z / (r * r)


DIV_B_SRC = (IDELCHIK + ", Section 7 (diverging tee, branch): zeta_c.b = A' [1 + (wb/wc)^2 - 2 (wb/wc) cos a] on the "
             "common velocity, with A' = 1 (the handbook's lower A' at high branch velocities is not taken, erring "
             "high); converted to the branch velocity by (wc/wb)^2, wb/wc = (Qb/Qc) / (Ab/Ac).")
DIV_S_SRC = (IDELCHIK + ", Section 7 (diverging junction, straight passage): zeta_c.s = 0.4 (1 - ws/wc)^2 on the common "
             "velocity, converted to the straight-through velocity by (wc/ws)^2, ws/wc = (Qs/Qc) / (As/Ac).")
CONV_B_SRC = (IDELCHIK + ", Section 7 (converging tee, 90 degrees, As = Ac): zeta_c.b = A [1 + (Qb Ac / Qc Ab)^2 - 2 (1 - "
              "Qb/Qc)^2] on the common velocity, A = 1 for Ab/Ac <= 0.35, otherwise 0.9 (1 - Qb/Qc) up to Qb/Qc = 0.4 "
              "and 0.55 above (the same values as CIBSE Guide C, Table 4.132); converted to the branch velocity by "
              "(wc/wb)^2.")
CONV_S_SRC = (IDELCHIK + ", Section 7 (converging tee, 90 degrees): zeta_c.s = 1.55 Qb/Qc - (Qb/Qc)^2 on the common "
              "velocity for As = Ac; for As < Ac the change that the one-dimensional momentum balance gives, (1 - r)^2 + "
              "2 r Qb/Qc - (1 - (Qs/Qc)^2) with r = ws/wc, is added; converted to the straight-through velocity by "
              "(wc/ws)^2.")
JPATHS = ["s", "b", "c"]


def junction(prefix, group, name, cls_s, cls_b, s_src, b_src, fs, fb, s_axis, b_axis, s_y=AS_Y, b_y=AB_Y, sx=QX, bx=QX):
    add(F5, prefix, two_dim(cls_s, name + ", straight-through path", s_src, [], [], [s_axis], sx, s_y,
                            table(sx, s_y, fs), paths=JPATHS), group=group, path="s")
    add(F5, prefix, two_dim(cls_b, name + ", branch path", b_src, [], [], [b_axis], bx, b_y,
                            table(bx, b_y, fb), paths=JPATHS), group=group, path="b")


junction("SD5", "tee-round-div", "Tee, round, 90 degrees, diverging", "TDuctFitDsDcQsQc", "TDuctFitDbDcQbQc",
         DIV_S_SRC, DIV_B_SRC, div_straight, lambda x, y: div_branch(x, y, 90), "As/Ac", "Ab/Ac")
junction("SD5", "wye-round-div", "Wye, round, 45 degrees, diverging", "TDuctFitDsDcQsQc", "TDuctFitDbDcQbQc",
         DIV_S_SRC, DIV_B_SRC, div_straight, lambda x, y: div_branch(x, y, 45), "As/Ac", "Ab/Ac")
CQ = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
CAS = [0.5, 0.75, 1.0]
junction("ED5", "tee-round-conv", "Tee, round, 90 degrees, converging", "TDuctFitDsDcQsQc", "TDuctFitDbDcQbQc",
         CONV_S_SRC, CONV_B_SRC, conv_straight, conv_branch, "As/Ac", "Ab/Ac", s_y=CAS, sx=CQ, bx=CQ)
junction("SR5", "tee-rect-div", "Tee, rectangular, 90 degrees, equal heights, diverging", "TDuctFitHWsWcQsQc",
         "TDuctFitHWbWcQbQc", DIV_S_SRC, DIV_B_SRC, div_straight, lambda x, y: div_branch(x, y, 90), "Ws/Wc", "Wb/Wc")
junction("ER5", "tee-rect-conv", "Tee, rectangular, 90 degrees, converging", "TDuctFitHsWsHcWcQsQc",
         "TDuctFitHbWbHcWcQbQc", CONV_S_SRC, CONV_B_SRC, conv_straight, conv_branch, "As/Ac", "Ab/Ac",
         s_y=CAS, sx=CQ, bx=CQ)
junction("SR5", "tap-rect-round-div", "Tee, rectangular main to round tap, 90 degrees, diverging",
         "TDuctFitHsWsHcWcQsQc", "TDuctFitHcWcDbQbQc", DIV_S_SRC, DIV_B_SRC, div_straight,
         lambda x, y: div_branch(x, y, 90), "As/Ac", "Ab/Ac")
add(F5, "ED5", one_dim("TDuctFitQsQc", "Tee, round, 90 degrees, converging, all three ducts of one size, straight-through path",
                       CONV_S_SRC + " As = Ab = Ac.", [], [], None, CQ,
                       values(CQ, lambda x: conv_straight(x, 1.0)), paths=JPATHS), group="tee-equal-conv", path="s")
add(F5, "ED5", one_dim("TDuctFitQbQc", "Tee, round, 90 degrees, converging, all three ducts of one size, branch path",
                       CONV_B_SRC + " As = Ab = Ac.", [], [], None, CQ,
                       values(CQ, lambda x: conv_branch(x, 1.0)), paths=JPATHS), group="tee-equal-conv", path="b")
VX = [0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0]
VANG = [30, 45, 60, 90]
add(F5, "SD5", two_dim("TDuctFitVQDAngle", "Branch takeoff from a main duct at an angle, round branch (main velocity given)",
                       IDELCHIK + ", Section 7 (diverging tee, branch): zeta_c.b = A' [1 + (wb/wc)^2 - 2 (wb/wc) cos a], A' "
                       "= 1, referred to the branch velocity: C = 1 + x^2 - 2 x cos a with x = V/v, V the main (common) "
                       "velocity and v the branch velocity.",
                       ["V", "Angle"], [6, 90], ["V/v", "Angle"], VX, VANG,
                       table(VX, VANG, lambda x, a: 1 + x * x - 2 * x * math.cos(math.radians(a))),
                       defaults_axes=[-1, 90]))

# ---- 6 obstructions
F6 = "06-obstructions.json"
DO_X = [0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
add(F6, "CD6", one_dim("TDuctFitDorD", "Orifice plate, thin and sharp-edged, round, by orifice diameter",
                       IDELCHIK + ", Diagram 4-14 (thin sharp-edged orifice in a straight duct, Re > 1e5): zeta = (0.707 (1 "
                       "- f)^0.375 + 1 - f)^2 / f^2, f = (Do/D)^2, referred to the duct velocity.",
                       ["Do"], [150], "Do/D", DO_X, values(DO_X, lambda d: orifice_thin(d * d) if d < 1 else 0.0)))
SCR_X = [0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
add(F6, "CD6", one_dim("TDuctFitAbAo", "Screen, round-wire mesh, across a duct",
                       IDELCHIK + ", Diagram 8-6 (screen of circular wires, Re > 1000): zeta = 1.3 (1 - f) + (1/f - 1)^2, f "
                       "= Ab/Ao the free over the total area, referred to the duct velocity.",
                       ["Ab", "Ao"], [0.6, 1.0], "Ab/Ao", SCR_X, values(SCR_X, screen)))
TN = [0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.5, 2.0]
TF = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9]
THICK_SRC = (IDELCHIK + ", Diagrams 4-15 and 8-3 (thick-edged orifice and perforated plate): zeta = [0.5 (1 - f)^0.75 + "
             "tau (1 - f)^1.375 + (1 - f)^2 + lambda l/dh] / f^2, tau = (2.4 - l/dh) 10^-phi, phi = 0.25 + 0.535 "
             "(l/dh)^8 / (0.05 + (l/dh)^8), lambda = 0.02, f the open over the duct area, l/dh the thickness over the "
             "opening's hydraulic diameter; referred to the duct velocity.")
add(F6, "CD6", two_dim("TDuctFitD0D1n", "Orifice plate, thick, round, by thickness ratio n = l/D1",
                       THICK_SRC, ["D1", "n"], [150, 0.4], ["n", "A1/A0"], TN, TF,
                       table(TN, TF, lambda n, f: orifice_thick(f, n))))
add(F6, "CR6", two_dim("TDuctFitH0W0H1W1n", "Orifice plate, thick, rectangular opening, by thickness ratio n = l/Dh1",
                       THICK_SRC, ["H1", "W1", "n"], [200, 300, 0.4], ["n", "A1/A0"], TN, TF,
                       table(TN, TF, lambda n, f: orifice_thick(f, n))))
add(F6, "CR6", two_dim("TDuctFitH0W0H1W1L", "Restriction, rectangular duct, short rectangular throat of length L",
                       THICK_SRC, ["H1", "W1", "L"], [200, 300, 100], ["A1/A0", "L/Dh1"], TF, TN,
                       table(TF, TN, lambda f, n: orifice_thick(f, n))))
PN = [0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8]
PT = [0, 0.2, 0.4, 0.6, 0.8, 1.0, 1.5, 2.0]
add(F6, "CD6", two_dim("TDuctFitntd", "Perforated plate across a duct, by free-area ratio and plate thickness",
                       THICK_SRC.replace("the open over the duct area", "the free-area ratio n") .replace(
                           "the thickness over the opening's hydraulic diameter", "the plate thickness over the hole "
                           "diameter t/d"), ["n", "t", "d"], [0.5, 2, 5], ["n", "t/d"], PN, PT,
                       table(PN, PT, lambda n, t: orifice_thick(n, t))))

# ---- 7 fan system effects
F7 = "07-fan-system-2d.json"
add(F7, "ER7", two_dim("TDuctFitHrL", "Fan inlet, square elbow with inlet transition, no turning vanes",
                       ASHRAE_SEF + ": square elbow with inlet transition, no turning vanes, C against R/H and the duct "
                       "length between elbow and fan inlet (no duct, 2 and 5 diameters, taken here in elbow heights); "
                       "referred to the fan inlet velocity.",
                       ["r", "L"], [400, 800], ["L/H", "r/H"], [0, 2, 5], [0.5, 0.75, 1.0, 2.0],
                       [[2.50, 1.60, 0.80], [2.00, 1.20, 0.66], [1.20, 0.66, 0.33], [0.80, 0.47, 0.26]]))
add(F7, "ER7", two_dim("TDuctFitHrL", "Fan inlet, square elbow with inlet transition, three long turning vanes",
                       ASHRAE_SEF + ": square elbow with inlet transition and three long turning vanes, C against R/H "
                       "and the duct length between elbow and fan inlet (no duct, 2 and 5 diameters, taken here in elbow "
                       "heights); referred to the fan inlet velocity.",
                       ["r", "L"], [400, 800], ["L/H", "r/H"], [0, 2, 5], [0.5, 1.0, 2.0],
                       [[0.80, 0.47, 0.26], [0.53, 0.33, 0.18], [0.26, 0.22, 0.14]]))
add(F7, "ER7", one_dim("TDuctFitLH", "Fan inlet, square elbow R/H = 1.0, no vanes, by duct length to the fan",
                       ASHRAE_SEF + ": square elbow with inlet transition, no turning vanes, the R/H = 1.0 row, against "
                       "the duct length between elbow and fan inlet in elbow heights.",
                       ["L"], [800], "L/H", [0, 2, 5], [1.20, 0.66, 0.33]))
add(F7, "ER7", one_dim("TDuctFitL", "Fan inlet, square elbow R/H = 1.0, three long turning vanes, by duct length",
                       ASHRAE_SEF + ": square elbow with inlet transition and three long turning vanes, the R/H = 1.0 "
                       "row, against the duct length between elbow and fan inlet in diameters.",
                       ["L"], [2], "L (diameters)", [0, 2, 5], [0.53, 0.33, 0.18]))
add(F7, "SD7", one_dim("TDuctFitLmDQ", "Fan outlet, centrifugal fan with round outlet duct, blast area ratio 0.6",
                       FAN_OUT_SRC + " The Ab/Ao = 0.6 row.", [], [], "L/Le", FAN_OUT_L, FAN_OUT[2]))
add(F7, "SR7", two_dim("TDuctFitHoWoHbWbLmQ", "Fan outlet, centrifugal fan with rectangular outlet duct",
                       FAN_OUT_SRC, ["Hb", "Wb"], [300, 400], ["L/Le", "Ab/Ao"], FAN_OUT_L, FAN_OUT_AB, FAN_OUT))

# ---- 8 duct-mounted equipment
F8 = "08-duct-equipment-2d.json"
add(F8, "CD8", two_dim("TDuctFitntd", "Flow equaliser, perforated plate ahead of a coil or filter",
                       THICK_SRC.replace("the open over the duct area", "the free-area ratio n").replace(
                           "the thickness over the opening's hydraulic diameter", "the plate thickness over the hole "
                           "diameter t/d"), ["n", "t", "d"], [0.5, 1.5, 5], ["n", "t/d"], PN, PT,
                       table(PN, PT, lambda n, t: orifice_thick(n, t))))

# ---- 9 dampers
F9 = "09-dampers.json"


def segment_fraction(h):
    # open fraction of a circle of diameter 1 below a chord at height h
    r = 0.5
    if h >= 1:
        return 1.0
    return (r * r * math.acos((r - h) / r) - (r - h) * math.sqrt(2 * r * h - h * h)) / (math.pi * r * r)


GATE_H = [0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
add(F9, "CD9", one_dim("TDuctFithD", "Damper, gate (slide), round duct, by opening height",
                       "Computed from the thin sharp-edged orifice relation of " + IDELCHIK + ", Diagram 4-14, zeta = "
                       "(0.707 (1 - f)^0.375 + 1 - f)^2 / f^2 referred to the duct velocity, f the open fraction of the "
                       "duct's circle left below a gate raised to the height h.",
                       ["h"], [300], "h/D", GATE_H,
                       values(GATE_H, lambda h: orifice_thin(segment_fraction(h)) if h < 1 else 0.0), axis_default=1.0))
RGATE = [0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
RASP = [0.25, 1.0, 4.0]
add(F9, "CR9", two_dim("TDuctFitHWh", "Damper, gate (slide), rectangular duct, by opening height",
                       "Computed from the thin sharp-edged orifice relation of " + IDELCHIK + ", Diagram 4-14, zeta = "
                       "(0.707 (1 - f)^0.375 + 1 - f)^2 / f^2 referred to the duct velocity, f = h/H; the relation has "
                       "no dependence on the aspect ratio, so the rows for H/W are equal.",
                       ["h"], [300], ["h/H", "H/W"], RGATE, RASP,
                       table(RGATE, RASP, lambda h, a: orifice_thin(h) if h < 1 else 0.0), defaults_axes=[1.0, -1]))
DAMP_ANG = [0, 10, 20, 30, 40, 50, 60, 70, 80]
DAMP_R = [0.3, 0.4, 0.5, 0.6, 0.8, 1.0, 1.5]
OPPOSED = [[0.52, 0.85, 2.1, 4.1, 9.0, 21, 73, 284, 807],
           [0.52, 0.92, 2.2, 5.0, 11, 28, 100, 332, 915],
           [0.52, 1.0, 2.3, 5.4, 13, 33, 122, 408, 1045],
           [0.52, 1.0, 2.3, 6.0, 14, 38, 148, 508, 1121],
           [0.52, 1.1, 2.4, 6.6, 18, 54, 188, 600, 1300],
           [0.52, 1.2, 2.7, 7.3, 21, 65, 245, 754, 1521],
           [0.52, 1.4, 3.2, 9.0, 28, 90, 361, 1114, 1660]]
add(F9, "CR9", two_dim("TDuctFitHWNAngle", "Damper, rectangular, multi-blade, opposed blades",
                       "ASHRAE Handbook - Fundamentals duct-fitting data, rectangular damper with opposed blades: C "
                       "against the blade angle (0 = open) and x = N W / 2 (H + W), N blades of length W, the blade "
                       "length over the duct perimeter; referred to the duct velocity. Values read from the cited table (no published "
                       "correlation); they rise with the angle and with x throughout.",
                       ["N", "Angle"], [4, 0], ["Angle", "NW/2(H+W)"], DAMP_ANG, DAMP_R, OPPOSED,
                       defaults_axes=[0, -1]))

# ---- 10 hoods
F10 = "10-hoods-2d.json"
add(F10, "ED10", const("Hood, plain duct opening, unflanged",
                       "ACGIH, Industrial Ventilation - A Manual of Recommended Practice, hood entry loss factors: plain "
                       "duct end, Fh = 0.93 velocity pressures, which is 1/Ce^2 - 1 for the published coefficient of entry Ce = "
                       "0.72.", 0.93))
add(F10, "ED10", const("Hood, plain duct opening, flanged",
                       "ACGIH, Industrial Ventilation - A Manual of Recommended Practice, hood entry loss factors: flanged "
                       "duct end, Fh = 0.49 velocity pressures, which is 1/Ce^2 - 1 for the published coefficient of entry Ce = "
                       "0.82.", 0.49))
add(F10, "ED10", one_dim("TDuctFitLD0", "Hood, plain round duct end projecting from a wall",
                         WALL_SRC + " Row t/D = 0 (thin wall); the hood's duct diameter D0 is given with the projection L.",
                         ["L", "D0"], [100, 300], "L/D0", WALL_LD, WALL[0]))
add(F10, "ED10", one_dim("TDuctFitAngle", "Hood, tapered, round, by included taper angle",
                         "ACGIH, Industrial Ventilation - A Manual of Recommended Practice, entry loss of tapered hoods "
                         "(round) against the included angle, in duct velocity pressures; values read from the cited chart (no "
                         "correlation is published). Lowest near 45 degrees and 0.50 at 180 (a flanged opening), the "
                         "trend of Idelchik's conical collectors with end wall.",
                         ["Angle"], [45], "Angle", [15, 30, 45, 60, 90, 120, 150, 180],
                         [0.15, 0.08, 0.06, 0.08, 0.15, 0.26, 0.40, 0.50], axis_default=45))

# ---------------------------------------------------------------- additions
# Appended after the first catalogue so that the serial numbers above keep
# their keys; each goes to its category's file.

# ---- 1 entries: rectangular counterparts of the round bellmouths
BELL_WALL_X = [0, .01, .02, .03, .04, .05, .06, .08, .10, .12, .16, .20]
add(F1, "ER1", one_dim("TDuctFitH0W0L", "Entry, rectangular duct flush with a wall, rounded inlet edge",
                       IDELCHIK + ", Diagram 3-4 (smooth collector with end wall), loss coefficient against the edge "
                       "radius over the hydraulic diameter 2HW/(H+W), which the diagram takes for rectangular sections; "
                       "values read from the cited diagram as tabulated in ASHRAE's fitting-loss-coefficient supplement "
                       "(0.50 at r = 0 to 0.03 at r/Dh = 0.2), within 0.01 of the independent transcription in Bell, C., "
                       "fluids, entrance_rounded, method 'Idelchik'; referred to the duct velocity.",
                       ["r"], [30], "r/Dh", BELL_WALL_X, values(BELL_WALL_X, bellmouth_wall)))
add(F1, "ER1", one_dim("TDuctFitH0W0L", "Entry, rectangular smooth bellmouth without end wall",
                       IDELCHIK + ", Diagram 3-4 (smooth collector without end wall), loss coefficient against the edge "
                       "radius over the hydraulic diameter 2HW/(H+W), as tabulated for fitting 1-2 in the "
                       "fitting-loss-coefficient supplement of ASHRAE's Principles of HVAC; values read from the cited "
                       "table; referred to the duct velocity.",
                       ["r"], [30], "r/Dh", BELL_FREE_X, BELL_FREE))

# ---- 2 exits: rectangular diffuser
EX_AR = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
EX_ANG = [8, 10, 14, 20, 30, 45, 60, 90, 180]
add(F2, "SR2", two_dim("TDuctFitHoWoH1W1Angle", "Exit, rectangular pyramidal diffuser discharging into a room",
                       "Diffuser loss plus the exit velocity pressure, referred to the duct velocity: C = phi (1 - n)^2 + "
                       "lambda / (8 sin(a/2)) (1 - n^2) + n^2, n = Ao/A1 the duct over the outlet area, phi = 4.0 "
                       "tan^1.25(a/2) for pyramidal diffusers (a the larger divergence angle), limited to the "
                       "sudden-expansion loss (phi <= 1), lambda = 0.02 (" + IDELCHIK + ", Diagrams 5-4 and 11-1); n = 1 "
                       "is the plain duct end, C = 1.",
                       ["Ho", "Wo", "H1", "W1", "Angle"], [400, 400, 600, 600, 14], ["Ao/A1", "Angle"], EX_AR, EX_ANG,
                       table(EX_AR, EX_ANG, lambda n, a: (expansion(n, a, 4.0) if n < 1 else 0.0) + n * n),
                       defaults_axes=[-1, 14]))

# ---- 3 elbows
add(F3, "CD3", two_dim("TDuctFitAngleLD", "Elbow, round, 3-gore, any angle",
                       ASHRAE09 + ", ASHRAE fitting CD3-12 (3-gore elbow, 90 degrees: 0.54, 0.42, 0.34, 0.33 at r/D = "
                       "0.75, 1.0, 1.5, 2.0), times the angle factor K that " + SMACNA + ", Note 1, gives elbows other "
                       "than 90 degrees (0.31 at 20, 0.45 at 30, 0.60 at 45, 0.78 at 60, 0.90 at 75 degrees); values "
                       "read from the cited tables. The input r is the centre-line radius.",
                       ["Angle", "r"], [45, 300], ["Angle", "r/D"], ANGLE_K_X[:7], GORE3_R,
                       table(ANGLE_K_X[:7], GORE3_R,
                             lambda a, r: ANGLE_K[ANGLE_K_X.index(a)] * GORE3_C[GORE3_R.index(r)]),
                       defaults_axes=[45, -1]))
BEND_ANG = [0, 20, 30, 45, 60, 70, 90, 100, 120, 150, 180]
BEND_R = [0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0]


def smooth_bend(delta, r):
    """Idelchik's smooth bend of circular section: A1 B1 + friction."""
    if delta <= 70:
        a1 = 0.9 * math.sin(math.radians(delta))
    elif delta <= 90:  # the diagram gives 1.0 at 90 only; linear from 70
        a1 = 0.9 * math.sin(math.radians(70)) + (1.0 - 0.9 * math.sin(math.radians(70))) * (delta - 70) / 20
    else:
        a1 = 0.7 + 0.35 * delta / 90
    b1 = 0.21 / r ** 2.5 if r < 1 else 0.21 / math.sqrt(r)
    return a1 * b1 + 0.0175 * 0.02 * delta * r


add(F3, "CD3", two_dim("TDuctFitAngleLD", "Elbow, round, smooth radius, any angle",
                       IDELCHIK + ", Diagram 6-1 (smooth bend, circular section): zeta = A1 B1 + zeta_fr with A1 = 0.9 "
                       "sin(delta) up to 70 degrees, 1.0 at 90, 0.7 + 0.35 delta/90 from 100 degrees, B1 = 0.21 / (R/D)^2.5 "
                       "for R/D < 1 and 0.21 / (R/D)^0.5 for R/D >= 1, zeta_fr = 0.0175 lambda delta R/D with lambda = "
                       "0.02; the 90-degree column equals the 90-degree smooth elbow by r/D. The input r is the "
                       "centre-line radius; referred to the duct velocity; rounded to three decimals.",
                       ["Angle", "r"], [90, 300], ["Angle", "r/D"], BEND_ANG, BEND_R,
                       [[round(smooth_bend(a, r), 3) for a in BEND_ANG] for r in BEND_R], defaults_axes=[90, -1]))
VANES = ("SMACNA, HVAC Systems - Duct Design, Table A-7 (rectangular mitred elbow, 90 degrees, with {kind} turning "
         "vanes), as reprinted in ASHRAE Handbook - Fundamentals duct-fitting data: design with vane radius {r} mm, "
         "spacing {s} mm{edge}: C = {cs} at 5, 7.5, 10 and 12.5 m/s; the value at 10 m/s is taken, the others are "
         "within 0.03 of it. Values read from the cited table; referred to the duct velocity. Double-thickness "
         "vanes lose more than single-thickness vanes of the same size, as the handbooks note.")
add(F3, "CR3", const("Elbow, rectangular, mitred, 90 degrees, single-thickness turning vanes, 50 mm radius",
                     VANES.format(kind="single-thickness", r=50, s=38, edge=", trailing edge 19 mm",
                                  cs="0.24, 0.23, 0.22, 0.20"), 0.22))
add(F3, "CR3", const("Elbow, rectangular, mitred, 90 degrees, single-thickness turning vanes, 114 mm radius",
                     VANES.format(kind="single-thickness", r=114, s=83, edge=", trailing edge 41 mm",
                                  cs="0.26, 0.24, 0.23, 0.22"), 0.23))
add(F3, "CR3", const("Elbow, rectangular, mitred, 90 degrees, double-thickness turning vanes, 50 mm radius",
                     VANES.format(kind="double-thickness", r=50, s=38, edge="",
                                  cs="0.43, 0.42, 0.41, 0.40"), 0.41))
add(F3, "CR3", const("Elbow, rectangular, mitred, 90 degrees, double-thickness turning vanes, 114 mm radius",
                     VANES.format(kind="double-thickness", r=114, s=83, edge="",
                                  cs="0.27, 0.25, 0.24, 0.23"), 0.24))
SPLIT_HW = [0.25, 0.5, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0]
SPLIT_RW = [0.55, 0.60, 0.65, 0.70, 0.75, 0.80, 0.85, 0.90, 0.95, 1.00]
SPLIT = [[0.52, 0.40, 0.43, 0.49, 0.55, 0.66, 0.75, 0.84, 0.93, 1.01, 1.09],
         [0.36, 0.27, 0.25, 0.28, 0.30, 0.35, 0.39, 0.42, 0.46, 0.49, 0.52],
         [0.28, 0.21, 0.18, 0.19, 0.20, 0.22, 0.25, 0.26, 0.28, 0.30, 0.32],
         [0.22, 0.16, 0.14, 0.14, 0.15, 0.16, 0.17, 0.18, 0.19, 0.20, 0.21],
         [0.18, 0.13, 0.11, 0.11, 0.11, 0.12, 0.13, 0.14, 0.14, 0.15, 0.15],
         [0.15, 0.11, 0.09, 0.09, 0.09, 0.09, 0.10, 0.10, 0.11, 0.11, 0.12],
         [0.13, 0.09, 0.08, 0.07, 0.07, 0.08, 0.08, 0.08, 0.08, 0.09, 0.09],
         [0.11, 0.08, 0.07, 0.06, 0.06, 0.06, 0.06, 0.07, 0.07, 0.07, 0.07],
         [0.10, 0.07, 0.06, 0.05, 0.05, 0.05, 0.05, 0.05, 0.06, 0.06, 0.06],
         [0.09, 0.06, 0.05, 0.05, 0.04, 0.04, 0.04, 0.05, 0.05, 0.05, 0.05]]
add(F3, "CR3", two_dim("TDuctFitHWr", "Elbow, rectangular, smooth radius, one splitter vane, 90 degrees",
                       "ASHRAE Handbook - Fundamentals (SI), 2005, Duct Design chapter, fitting CR3-3 (smooth-radius "
                       "elbow with one splitter vane at the curve ratio the handbook gives), C against H/W and the "
                       "centre-line radius over the width r/W (throat radius r - W/2); values read from the cited "
                       "table; referred to the duct velocity.",
                       ["r"], [300], ["H/W", "r/W"], SPLIT_HW, SPLIT_RW, SPLIT))

# ---- 4 transitions: the missing abrupt counterparts
add(F4, "SD4", one_dim("TDuctFitDbDc", "Contraction, round, abrupt, from a larger duct into a smaller one",
                       IDELCHIK + ", Diagram 4-9 (sudden contraction): zeta = 0.5 (1 - Ac/Ab)^0.75 on the smaller duct "
                       "(the common link, c), converted to the velocity of the larger duct (the branch link, b) by "
                       "(Ab/Ac)^2.",
                       [], [], "Ab/Ac", CON_X, values(CON_X, lambda x: 0.5 * (1 - 1 / x) ** 0.75 * x * x),
                       paths=["b", "c"]))
add(F4, "ER4", one_dim("TDuctFitHWbWc", "Expansion, rectangular, abrupt, equal heights",
                       "Borda-Carnot sudden expansion, C = (1 - Ab/Ac)^2 referred to the velocity of the narrower duct "
                       "(the branch link, b), Ac the wider duct (the common link, c) (" + IDELCHIK + ", Diagram 4-1).",
                       [], [], "Ab/Ac", EXP_X, values(EXP_X, lambda x: (1 - x) ** 2), paths=["b", "c"]))

# ---- 6 obstructions: rectangular counterparts
add(F6, "CR6", one_dim("TDuctFitAbAo", "Screen, round-wire mesh, across a rectangular duct",
                       IDELCHIK + ", Diagram 8-6 (screen of circular wires, Re > 1000): zeta = 1.3 (1 - f) + (1/f - 1)^2, f "
                       "= Ab/Ao the free over the total area, referred to the duct velocity.",
                       ["Ab", "Ao"], [0.6, 1.0], "Ab/Ao", SCR_X, values(SCR_X, screen)))
PERF_SRC = THICK_SRC.replace("the open over the duct area", "the free-area ratio n").replace(
    "the thickness over the opening's hydraulic diameter", "the plate thickness over the hole diameter t/d")
add(F6, "CR6", two_dim("TDuctFitntd", "Perforated plate across a rectangular duct, by free-area ratio and plate thickness",
                       PERF_SRC, ["n", "t", "d"], [0.5, 2, 5], ["n", "t/d"], PN, PT,
                       table(PN, PT, lambda n, t: orifice_thick(n, t))))

# ---- 8 duct-mounted equipment
BLEVINS = "Blevins, R.D., Applied Fluid Dynamics Handbook, 1984, round-wire screens: K = beta(Re) (1 - f^2) / f^2"
BLEVINS_RE = [20.0, 30.0, 40.0, 60.0, 80.0, 100.0, 200.0, 400.0]
BLEVINS_BETA = [1.3, 1.1, 0.95, 0.83, 0.75, 0.7, 0.6, 0.52]


def blevins_screen(f, re):
    beta = interp(BLEVINS_RE, BLEVINS_BETA, min(max(re, BLEVINS_RE[0]), BLEVINS_RE[-1]))
    return beta * (1 - f * f) / (f * f)


INSECT_F = 0.65
INSECT = ("Insect screen, fine square wire mesh (free area 0.65), across a duct",
          BLEVINS + " (beta from 1.3 at Re = 20 to 0.52 at 400 and above, as transcribed in Bell, C., "
          "fluids, round_edge_screen), for an 18 x 16 mesh of 0.28 mm wire, f = 0.65, at Re = 70, taken on the wire "
          "diameter and the velocity in the openings at about 2.5 m/s face velocity (taken on the opening width, Re "
          "is about 300 and K 0.76); at these low Reynolds numbers the loss exceeds the 0.75 that " + IDELCHIK +
          ", Diagram 8-6, gives for Re > 1000. Referred to the duct velocity.")
BIRD_F = (1 - 1.6 / 12.7) ** 2
BIRD = ("Bird screen, 12.7 mm square mesh of 1.6 mm wire (free area 0.76), across a duct",
        IDELCHIK + ", Diagram 8-6 (screen of circular wires, Re > 1000): zeta = 1.3 (1 - f) + (1/f - 1)^2 with f = (1 - "
        "1.6/12.7)^2 = 0.764; " + BLEVINS + " gives 0.37 with beta = 0.52. Referred to the duct velocity.")
PERF_X = [0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0]
PERF_THIN = ("Perforated plate, plate thickness half the hole diameter, by free-area ratio",
             THICK_SRC.replace("the open over the duct area", "the free area Ab over the duct area Ao").replace(
                 "the thickness over the opening's hydraulic diameter", "the plate thickness over the hole diameter, "
                 "here 0.5") + " For comparison, Blevins' thin square-edged plate, K = (0.5 (1 - f) + 1 - f^2) / f^2, gives 4.0 at f = 0.5.")


def equipment(geo):
    prefix = "C" + geo + "8"
    add(F8, prefix, const(INSECT[0], INSECT[1], rnd(blevins_screen(INSECT_F, 70))))
    add(F8, prefix, const(BIRD[0], BIRD[1], rnd(screen(BIRD_F))))
    add(F8, prefix, one_dim("TDuctFitAbAo", PERF_THIN[0], PERF_THIN[1], ["Ab", "Ao"], [0.4, 1.0], "Ab/Ao", PERF_X,
                            values(PERF_X, lambda f: orifice_thick(f, 0.5) if f < 1 else 0.0)))


add(F8, "CR8", two_dim("TDuctFitntd", "Flow equaliser, perforated plate ahead of a coil or filter, rectangular duct",
                       PERF_SRC, ["n", "t", "d"], [0.5, 1.5, 5], ["n", "t/d"], PN, PT,
                       table(PN, PT, lambda n, t: orifice_thick(n, t))))
equipment("D")
equipment("R")

# ---- 9 dampers
BUTTERFLY_ANG = [0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60, 65, 70]
BUTTERFLY_RECT = [0.04, 0.28, 0.45, 0.77, 1.34, 2.16, 3.54, 5.72, 9.27, 15.1, 24.9, 42.5, 77.4, 158, 368]
add(F9, "CR9", one_dim("TDuctFitAngle", "Damper, butterfly (single blade), rectangular duct (0 degrees = fully open)",
                       IDELCHIK + ", Diagram 9-5 (butterfly valve in a rectangular duct, thin plate; Weisbach's "
                       "measurements), loss coefficient against the blade angle, referred to the duct velocity; values "
                       "read from the cited table (no correlation is published). Below the round-duct values at every "
                       "angle from 10 degrees, as the diagram shows.",
                       ["Angle"], [0], "Angle", BUTTERFLY_ANG, BUTTERFLY_RECT, axis_default=0))
PAR_ANG = [0, 10, 20, 30, 40, 50, 60, 70]
PAR_R = [0.3, 0.5, 1.0, 1.5]


def parallel_blades(theta):
    f = 1 - math.sin(math.radians(theta))
    return 0.52 + (1 / f - 1) ** 2


add(F9, "CR9", two_dim("TDuctFitHWNAngle", "Damper, rectangular, multi-blade, parallel blades",
                       "Estimated, for want of a published correlation: the open-damper loss of 0.52 of the opposed-blade "
                       "damper of ASHRAE Handbook - Fundamentals duct-fitting data (same frame and blades) plus the "
                       "Borda-Carnot loss (1/f - 1)^2 of the jets leaving the blade passages, f = 1 - sin(angle) the free "
                       "area of thin parallel blades (" + IDELCHIK + ", Diagram 4-1); parallel blades guide the jets, so no "
                       "further contraction is taken. The estimate lies below the opposed-blade table at every angle, as "
                       "measurements of the two kinds show; it has no dependence on x = N W / 2 (H + W), so the rows are "
                       "equal. Referred to the duct velocity.",
                       ["N", "Angle"], [4, 0], ["Angle", "NW/2(H+W)"], PAR_ANG, PAR_R,
                       table(PAR_ANG, PAR_R, lambda a, x: parallel_blades(a)), defaults_axes=[0, -1]))

# ---- 10 hoods: rectangular counterparts
add(F10, "ER10", const("Hood, plain rectangular duct opening, unflanged",
                       "ACGIH, Industrial Ventilation - A Manual of Recommended Practice, hood entry loss factors: plain "
                       "duct end, Fh = 0.93 velocity pressures (1/Ce^2 - 1 with Ce = 0.72), for round and rectangular "
                       "openings alike.", 0.93))
add(F10, "ER10", const("Hood, plain rectangular duct opening, flanged",
                       "ACGIH, Industrial Ventilation - A Manual of Recommended Practice, hood entry loss factors: flanged "
                       "duct end, Fh = 0.49 velocity pressures (1/Ce^2 - 1 with Ce = 0.82), for round and rectangular "
                       "openings alike.", 0.49))
add(F10, "ER10", one_dim("TDuctFitAngle", "Hood, tapered, rectangular, by included taper angle",
                         "ACGIH, Industrial Ventilation - A Manual of Recommended Practice, entry loss of tapered hoods "
                         "(rectangular) against the included angle, in duct velocity pressures; values read from the "
                         "cited chart (no correlation is published).",
                         ["Angle"], [45], "Angle", [15, 30, 45, 60, 90, 120, 150, 180],
                         [0.25, 0.16, 0.15, 0.17, 0.25, 0.35, 0.48, 0.50], axis_default=45))

# ---------------------------------------------------------------- writing

MINE_NEW = [F4, F5, F7, F8, F10]
APPEND = [F1, F2, F3, F6, F9]
TITLES = {F4: (4, "Transitions"), F5: (5, "Junctions"), F7: (7, "Fan and system interactions"),
          F8: (8, "Duct-mounted equipment"), F10: (10, "Hoods")}


# The hand-written entries that the shared category files start with; this
# generator's entries follow them.
HAND_WRITTEN = {F1: ["ED1-1", "ED1-2"], F2: ["SD2-1"], F3: ["CD3-1", "CD3-2"], F6: ["CD6-1"], F9: ["CD9-1"]}


def base_text(name):
    """The file up to the end of its last hand-written entry."""
    text = open(os.path.join(DATA, name)).read()
    start = text.index('"key": "%s"' % HAND_WRITTEN[name][-1])
    start = text.rindex("{", 0, start)
    depth = 0
    for i in range(start, len(text)):
        depth += {"{": 1, "}": -1}.get(text[i], 0)
        if depth == 0:
            return text[: i + 1] + "\n  ]\n}\n"
    raise SystemExit(name + ": unbalanced braces")


def used_keys():
    keys = {k for ks in HAND_WRITTEN.values() for k in ks}
    for name in os.listdir(DATA):
        if not name.endswith(".json") or name in MINE_NEW or name in APPEND:
            continue
        for m in re.finditer(r'"key"\s*:\s*"([^"]+)"', open(os.path.join(DATA, name)).read()):
            keys.add(m.group(1).upper())
    return keys


def assign_keys():
    taken = used_keys()
    serial_of_group = {}
    next_serial = {}
    for item in ENTRIES:
        prefix = item["prefix"]
        if item["group"] and (prefix, item["group"]) in serial_of_group:
            n = serial_of_group[(prefix, item["group"])]
        else:
            n = next_serial.get(prefix, 1)
            while any(k == f"{prefix}-{n}" or k.startswith(f"{prefix}-{n}-") for k in taken):
                n += 1
            next_serial[prefix] = n + 1
            if item["group"]:
                serial_of_group[(prefix, item["group"])] = n
        if n >= 21:
            raise SystemExit(f"serial {n} for {prefix} reaches the other family's range")
        key = f"{prefix}-{n}" + (f"-{item['path']}" if item["path"] else "")
        item["entry"] = {"key": key, **item["entry"]}


def fmt_value(v):
    if isinstance(v, float) and v.is_integer() and abs(v) < 1e15:
        return str(int(v)) if abs(v) >= 100 else repr(v)
    return json.dumps(v)


def fmt_list(vs):
    return "[" + ", ".join(fmt_value(v) for v in vs) + "]"


def fmt_entry(e):
    lines = []
    for k, v in e.items():
        if k in ("table",):
            rows = ",\n        ".join(fmt_list(r) for r in v)
            lines.append(f'      "{k}": [\n        {rows}\n      ]')
        elif isinstance(v, list) and (not v or not isinstance(v[0], str)):
            lines.append(f'      "{k}": {fmt_list(v)}')
        else:
            lines.append(f'      "{k}": {json.dumps(v)}')
    return "    {\n" + ",\n".join(lines) + "\n    }"


def write():
    by_file = {}
    for item in ENTRIES:
        by_file.setdefault(item["file"], []).append(item["entry"])
    for name, entries in by_file.items():
        body = ",\n".join(fmt_entry(e) for e in entries)
        path = os.path.join(DATA, name)
        if name in APPEND:
            text = base_text(name).rstrip()
            assert text.endswith("]\n}") or text.endswith("]\n}"), name
            head = text[: text.rindex("]")].rstrip()
            text = head + ",\n" + body + "\n  ]\n}\n"
        else:
            cat, title = TITLES[name]
            text = '{\n  "category": %d,\n  "title": "%s",\n  "fittings": [\n%s\n  ]\n}\n' % (cat, title, body)
        json.loads(text)
        open(path, "w").write(text)
        print(name, len(entries))


if __name__ == "__main__":
    assign_keys()
    write()
