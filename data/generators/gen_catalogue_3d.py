#!/usr/bin/python3
# Author-time generator of the catalogue entries of the factor, 3-D and 3-D
# junction families (not part of the build). Writes data/fittings/*-3d.json.
# Record of the first computations only: the catalogue's codes and several of
# its values have been edited in data/fittings since (see its README), and
# running this again would undo them.
import json, math, os
import fluids
import fluids.fittings as FF

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'fittings')
HOLE = -11111.0


def r3(v):
    return round(v, 3)


def rng(values, lo_margin=0.0):
    flat = [v for v in values if v != HOLE]
    return min(flat), max(flat)


def flat3(tables):
    return [v for t in tables for row in t for v in row]


def flat2(table):
    return [v for row in table for v in row]


def entry(key, cls, name, source, values, **kw):
    lo, hi = rng(values)
    e = {"key": key, "class": cls, "name": name, "source": source,
         "cmin": math.floor(lo * 100) / 100 if lo < 0 else 0.0,
         "cmax": math.ceil(hi * 100) / 100}
    e.update(kw)
    return e


# ---------------------------------------------------------------- elbows
def elbows():
    fits = []
    # Smooth radius rectangular elbow: Idelchik zeta = A1 B1 C1.
    hw = [0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0]
    c1 = [1.30, 1.17, 1.09, 1.00, 0.90, 0.85, 0.85, 0.90, 0.95, 0.98, 1.00]
    rw = [0.5, 0.75, 1.0, 1.5, 2.0, 3.0]

    def b1(r):
        return 0.21 / r ** 2.5 if r < 1.0 else 0.21 / math.sqrt(r)
    table = [[r3(b1(r) * c) for c in c1] for r in rw]
    ang = [0, 20, 30, 45, 60, 70, 90, 100, 120, 150, 180]

    def a1(d):
        if d <= 70:
            return 0.9 * math.sin(math.radians(d))
        if d == 90:
            return 1.0
        return 0.7 + 0.35 * d / 90.0
    factors = [r3(a1(d)) for d in ang]
    vals = [f * v for f in factors for v in flat2(table)]
    fits.append(entry(
        "CR3-21", "TDuctFitHWRA", "Elbow, rectangular, smooth radius, without vanes, any angle",
        "Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., Diagram 6-1 (smooth bends of rectangular "
        "section): zeta = A1 B1 C1. Cp = B1 C1 with B1 = 0.21 / (r/W)^2.5 for r/W < 1 and 0.21 / (r/W)^0.5 for "
        "r/W >= 1 (W the side in the plane of the bend) and the aspect-ratio factor C1(H/W) of the diagram (1.30 "
        "at 0.25, 1.17 at 0.5, 1.09 at 0.75, 1.0 at 1, 0.90 at 1.5, 0.85 at 2 and 3, 0.90 at 4, 0.95 at 5, 0.98 at "
        "6, 1.0 at 8, read from the diagram; with B1 they reproduce the ASHRAE Handbook - Fundamentals (SI) 2005 "
        "table of fitting CR3-1 within 0.015); the factor K = A1(angle) = 0.9 sin(angle) up to 70 degrees, 1.0 at "
        "90, 0.7 + 0.35 angle/90 from 100 degrees (within 0.04 of SMACNA's angle factors). Wall friction is left to "
        "the duct length. Referred to the duct velocity; rounded to three decimals.",
        vals, inputNames=["r", "Angle"], inputDefaults=[300, 90],
        axisNames=["Angle", "H/W", "r/W"], axisScales=["lin", "lin", "lin"], axisDefaults=[90, -1, -1],
        xAxis=hw, yAxis=rw, table=table, factorAxis=ang, factors=factors))

    # Z-shaped offset of two mitred 90 degree elbows.
    lw = [0.0, 0.4, 0.6, 0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 2.0, 2.4, 2.8, 3.2, 4.0, 5.0, 6.0, 7.0, 9.0, 10.0, 20.0]
    zeta = [0.0, 0.62, 0.90, 1.61, 2.63, 3.61, 4.01, 4.18, 4.22, 4.18, 3.75, 3.31, 3.20, 3.08, 2.92, 2.80,
            2.70, 2.50, 2.41, 2.30]
    hw2 = [0.25, 0.5, 0.75, 1.0, 1.5, 2.0, 3.0, 4.0, 6.0, 8.0]
    c1s = [1.10, 1.07, 1.04, 1.00, 0.95, 0.90, 0.83, 0.78, 0.72, 0.70]
    table = [[r3(z * c) for z in zeta] for c in c1s]
    re = [10, 20, 30, 40, 60, 80, 100, 140, 1000]
    kre = [1.40, 1.26, 1.19, 1.14, 1.09, 1.06, 1.04, 1.00, 1.00]
    vals = [k * v for k in kre for v in flat2(table)]
    fits.append(entry(
        "CR3-22", "TDuctFitHWLQ", "Elbow, rectangular, Z-shaped offset of two mitred 90 degree elbows",
        "Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., Diagram 6-10 (Z-shaped elbow of two 90 "
        "degree sharp elbows): zeta = k_Re C1 zeta_M with zeta_M(L/W) read from the diagram (L the length of the "
        "offset piece, W the side in the plane of the offset; the last column stands for a long offset), the "
        "aspect-ratio factor C1(H/W) of sharp rectangular elbows (Diagram 6-5) and the Reynolds-number factor "
        "k_Re (Re in thousands) that ASHRAE Handbook - Fundamentals gives its mitred rectangular elbows and "
        "offsets (1.40 at Re = 1e4, 1.26 at 2e4, 1.19 at 3e4, 1.14 at 4e4, 1.09 at 6e4, 1.06 at 8e4, 1.04 at 1e5, "
        "1.0 from 1.4e5). All three are read from the cited charts (no correlation is published); C1 agrees within "
        "0.04 with the ratios of the 90-degree row of SMACNA's mitred-elbow table to its H/W = 1 value. Referred "
        "to the duct velocity.",
        vals, inputNames=["L"], inputDefaults=[600],
        axisNames=["Re/1000", "L/W", "H/W"], axisScales=["log", "lin", "lin"], axisDefaults=[-1, -1, -1],
        xAxis=lw, yAxis=hw2, table=table, factorAxis=re, factors=kre))
    return fits


# ---------------------------------------------------------------- transitions
F_DUCT = 0.02
ANGLES = [10, 20, 30, 45, 60, 90, 120, 180]


def local_loss(ratio, angle):
    """Local loss of a conical transition referred to the upstream velocity,
    ratio = upstream area / downstream area (below 1 an expansion)."""
    if abs(ratio - 1.0) < 1e-12:
        return 0.0
    if ratio < 1.0:  # expansion, upstream the smaller diameter
        return FF.diffuser_conical(math.sqrt(ratio), 1.0, angle=angle, fd=0.0, method='Rennels')
    k2 = FF.contraction_conical(1.0, math.sqrt(1.0 / ratio), angle=angle, fd=0.0, method='Rennels')
    return k2 * ratio * ratio  # from the downstream velocity to the upstream one


def friction_over_length(ratio, length_over_upstream_d, f=F_DUCT):
    """Wall friction of a straight-sided transition of length L referred to
    the upstream velocity: f L/Da (1 - r^-4) / (4 (r - 1)), r = Db/Da."""
    r = math.sqrt(1.0 / ratio)
    g = 1.0 if abs(r - 1.0) < 1e-9 else (1 - r ** -4) / (4 * (r - 1))
    return f * length_over_upstream_d * g


def friction_over_angle(ratio, angle, f):
    """Rennels' friction term of a conical transition, referred to upstream:
    f (1 - beta^4) / (8 sin(angle/2)) with beta the small over the large diameter."""
    if angle >= 180:
        return 0.0
    beta = math.sqrt(min(ratio, 1.0 / ratio))
    k = f * (1 - beta ** 4) / (8 * math.sin(math.radians(angle) / 2))
    return k if ratio < 1.0 else k * ratio * ratio


def transitions():
    fits = []
    ratios = [0.1, 0.25, 0.5, 0.75, 1.0, 1.33, 2.0, 4.0, 10.0]  # A0 / A1
    lod = [0.5, 1.0, 2.0, 4.0]
    common_src = ("Local loss from Rennels, D.C. and Hudson, H.M., Pipe Flow: A Practical and Comprehensive Guide, "
                  "2012, conical diffusers (expansion, on the upstream velocity) and conical contractions (on the "
                  "downstream velocity, converted to the upstream velocity by (A0/A1)^2), applied with area-equivalent "
                  "diameters; ")

    def la_tables(length_factor):
        # slices by area ratio; rows by the length ratio; columns by angle
        tables = []
        for z in ratios:
            t = []
            for y in lod:
                t.append([r3(local_loss(z, a) + friction_over_length(z, y * length_factor(z))) for a in ANGLES])
            tables.append(t)
        return tables

    t = la_tables(lambda z: 1.0)
    fits.append(entry(
        "CR4-21", "TDuctFitH1W1D0LA", "Transition, round to rectangular, expanding or contracting",
        common_src + "plus the wall friction of the transition length, f L/D0 (1 - r^-4) / (4 (r - 1)) with r "
        "the ratio of the equivalent diameters and f = 0.02 (galvanised duct). First link the round duct D0, "
        "second the rectangular H1 x W1; A0/A1 below 1 expands. Referred to the velocity of the first link.",
        flat3(t), inputNames=["L", "Angle"], inputDefaults=[600, 30], paths=["0", "1"],
        axisNames=["Angle", "A0/A1", "L/D0"], axisScales=["lin", "log", "lin"], axisDefaults=[30, -1, -1],
        xAxis=ANGLES, zAxis=ratios, yAxes=[lod] * len(ratios), tables=t))

    # L/D1 with D1 the downstream diameter: L/D0 = (L/D1) (D1/D0).
    t = la_tables(lambda z: math.sqrt(1.0 / z))
    fits.append(entry(
        "CR4-22", "TDuctFitH0W0D1LA", "Transition, rectangular to round, expanding or contracting",
        common_src + "plus the wall friction of the transition length, f L/D0 (1 - r^-4) / (4 (r - 1)) with "
        "L/D0 = (L/D1)(D1/D0), r the ratio of the equivalent diameters and f = 0.02 (galvanised duct). First "
        "link the rectangular duct H0 x W0, second the round D1; A0/A1 below 1 expands. Referred to the "
        "velocity of the first link.",
        flat3(t), inputNames=["L", "Angle"], inputDefaults=[600, 30], paths=["0", "1"],
        axisNames=["Angle", "A0/A1", "L/D1"], axisScales=["lin", "log", "lin"], axisDefaults=[30, -1, -1],
        xAxis=ANGLES, zAxis=ratios, yAxes=[lod] * len(ratios), tables=t))

    t = la_tables(lambda z: 1.0)
    fits.append(entry(
        "CR4-23", "TDuctFitH0W0H1W1LA", "Transition, rectangular to rectangular, pyramidal, expanding or contracting",
        common_src + "plus the wall friction of the transition length, f L/Dh0 (1 - r^-4) / (4 (r - 1)) with "
        "Dh0 the hydraulic diameter of the first link, r the ratio of the equivalent diameters and f = 0.02 "
        "(galvanised duct). A0/A1 below 1 expands. Referred to the velocity of the first link.",
        flat3(t), inputNames=["L", "Angle"], inputDefaults=[600, 30], paths=["0", "1"],
        axisNames=["Angle", "A0/A1", "L/Dh0"], axisScales=["lin", "log", "lin"], axisDefaults=[30, -1, -1],
        xAxis=ANGLES, zAxis=ratios, yAxes=[lod] * len(ratios), tables=t))

    # Single-link transitions on the Reynolds number of the upstream duct.
    ratios1 = [0.1, 0.25, 0.5, 1.0, 2.0, 4.0, 10.0]  # A1 / A0
    res = [10, 25, 50, 100, 200, 500]

    def aq_tables(equivalent_angle):
        tables = []
        for z in ratios1:
            up_over_down = 1.0 / z
            t = []
            for re in res:
                f = fluids.friction_factor(Re=re * 1000.0, eD=0.0)
                row = []
                for a in ANGLES:
                    ae = equivalent_angle(a, z)
                    row.append(r3(local_loss(up_over_down, ae) + friction_over_angle(up_over_down, ae, f)))
                t.append(row)
            tables.append(t)
        return tables

    def plane_angle(a, z):
        # Equal length and area ratio: tan(ae/2) = 1.128 tan(a/2) / (sqrt(n) + 1),
        # n the larger over the smaller area, for a square first duct.
        if a >= 180 or z == 1.0:
            return a
        n = max(z, 1.0 / z)
        return math.degrees(2 * math.atan(1.128 * math.tan(math.radians(a) / 2) / (math.sqrt(n) + 1)))

    t = aq_tables(plane_angle)
    fits.append(entry(
        "CR4-24", "TDuctFitH0H1WAQ", "Transition, rectangular, two sides parallel, symmetric, expanding or contracting",
        common_src + "at the equivalent cone angle of equal length and area ratio (tan(ae/2) = 1.128 tan(a/2) / "
        "(sqrt(n) + 1), n the area ratio, after Miller, D.S., Internal Flow Systems, 2nd ed., 1990, ch. 11, "
        "for a square first duct), plus Rennels' friction term f (1 - beta^4) / (8 sin(ae/2)) with f the "
        "Colebrook smooth-wall friction factor at the first duct's Reynolds number. A1/A0 below 1 contracts. "
        "Referred to the velocity of the duct the fitting sits on (the first duct).",
        flat3(t), inputNames=["H1", "W", "Angle"], inputDefaults=[200, 400, 30],
        axisNames=["Angle", "A1/A0", "Re/1000"], axisScales=["lin", "log", "log"], axisDefaults=[30, -1, -1],
        xAxis=ANGLES, zAxis=ratios1, yAxes=[res] * len(ratios1), tables=t))

    t = aq_tables(lambda a, z: a)
    fits.append(entry(
        "CR4-25", "TDuctFitH0W0H1W1AQ", "Transition, rectangular, pyramidal, expanding or contracting",
        common_src + "at the included angle of the pyramid, plus Rennels' friction term f (1 - beta^4) / "
        "(8 sin(a/2)) with f the Colebrook smooth-wall friction factor at the first duct's Reynolds number. "
        "A1/A0 below 1 contracts. Referred to the velocity of the duct the fitting sits on (the first duct).",
        flat3(t), inputNames=["H1", "W1", "Angle"], inputDefaults=[300, 400, 30],
        axisNames=["Angle", "A1/A0", "Re/1000"], axisScales=["lin", "log", "log"], axisDefaults=[30, -1, -1],
        xAxis=ANGLES, zAxis=ratios1, yAxes=[res] * len(ratios1), tables=t))
    return fits


# ---------------------------------------------------------------- obstructions
def cylinder_cd(re_thousands):
    re = re_thousands * 1000.0
    return 1.0 + 10.0 / re ** (2.0 / 3.0)


def channel_factor(y_over_h):
    # (u / u_mean)^2 of the 1/7-power profile between parallel walls.
    yw = min(y_over_h, 1.0 - y_over_h)
    return ((8.0 / 7.0) * (2 * yw) ** (1.0 / 7.0)) ** 2


def pipe_chord_factor(y_over_d, n=400):
    # (u / u_mean)^2 of the 1/7-power pipe profile, averaged along the chord
    # at distance y from the wall.
    R = 0.5
    c = abs(R - y_over_d)  # distance of the chord from the axis
    half = math.sqrt(max(R * R - c * c, 0.0))
    s = 0.0
    for i in range(n):
        x = -half + (i + 0.5) * 2 * half / n
        r = math.sqrt(x * x + c * c)
        u = (60.0 / 49.0) * max((R - r) / R, 0.0) ** (1.0 / 7.0)
        s += u * u
    return s / n


def obstructions():
    fits = []
    sm = [0.05, 0.1, 0.15, 0.2, 0.25, 0.3]
    pos = [0.1, 0.2, 0.3, 0.4, 0.5]
    res = [0.5, 1, 2, 5, 10, 20, 50, 100, 200]
    src = ("Drag of a smooth circular cylinder across the duct: C = k C_D (Sm/A) / (1 - Sm/A)^3, the blockage form "
           "of Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., section 4 (bodies in a duct), with C_D = 1 + "
           "10 / Re^(2/3) (White, F.M., Viscous Fluid Flow, curve fit for a cylinder, Re of the bar diameter at the "
           "duct velocity) and the position factor k = (u/u_mean)^2 of the 1/7-power turbulent velocity profile")

    def tables(factor):
        out = []
        for z in pos:
            k = factor(z)
            out.append([[r3(k * cylinder_cd(re) * s / (1 - s) ** 3) for s in sm] for re in res])
        return out

    t = tables(channel_factor)
    fits.append(entry(
        "CR6-21", "TDuctFitHWdyQ", "Obstruction, round bar or pipe across a rectangular duct",
        src + " between parallel walls at the bar's distance y from the wall (bar parallel to W). Referred to the "
        "duct velocity.",
        flat3(t), inputNames=["d", "y"], inputDefaults=[50, 150],
        axisNames=["Sm/A", "y/H", "Re/1000"], axisScales=["lin", "lin", "log"], axisDefaults=[-1, 0.5, -1],
        xAxis=sm, zAxis=pos, yAxes=[res] * len(pos), tables=t))
    t = tables(pipe_chord_factor)
    fits.append(entry(
        "CD6-21", "TDuctFitDdyLQ", "Obstruction, round bar or pipe across a round duct",
        src + " of a round duct, averaged along the bar's chord at distance y from the wall (Sm = d L). Referred "
        "to the duct velocity.",
        flat3(t), inputNames=["d", "y", "L"], inputDefaults=[50, 200, 400],
        axisNames=["Sm/A", "y/D", "Re/1000"], axisScales=["lin", "lin", "log"], axisDefaults=[-1, 0.5, -1],
        xAxis=sm, zAxis=pos, yAxes=[res] * len(pos), tables=t))
    return fits


# ---------------------------------------------------------------- hoods
def hoods():
    vr = [0.25, 0.5, 0.75, 1.0, 1.5, 2.0]
    hw = [0.25, 1.0, 4.0]
    ang = [15, 30, 45, 60, 90, 120, 150, 180]
    taper = [0.25, 0.16, 0.15, 0.17, 0.25, 0.35, 0.48, 0.50]
    one = [[r3(1.78 * x * x + f) for x in vr] for f in taper]
    t = [one for _ in hw]
    return [entry(
        "ER10-21", "TDuctFitVQHWA", "Hood, slot with tapered plenum, rectangular duct",
        "ACGIH, Industrial Ventilation: A Manual of Recommended Practice, hood entry losses: slot entry 1.78 "
        "slot velocity pressures plus the entry loss of a tapered rectangular hood by its included angle (0.25 at "
        "15, 0.16 at 30, 0.15 at 45, 0.17 at 60, 0.25 at 90, 0.35 at 120, 0.48 at 150, 0.50 at 180 degrees), "
        "referred to the duct velocity: C = 1.78 (Vs/V)^2 + F(angle). The source gives no dependence on the "
        "duct's aspect ratio, so the H/W slices repeat.",
        flat3(t), inputNames=["Vs", "Angle"], inputDefaults=[10, 90],
        axisNames=["Vs/V", "H/W", "Angle"], axisScales=["lin", "log", "lin"], axisDefaults=[-1, -1, 90],
        xAxis=vr, zAxis=hw, yAxes=[ang] * len(hw), tables=t)]


# ---------------------------------------------------------------- junctions
Q = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9]
AS = [0.5, 0.75, 1.0]
AB = [0.1, 0.2, 0.3, 0.4, 0.6, 0.8, 1.0]


def div_branch(q, ab, angle=90.0):
    """Crane TP-410 (after Idelchik) diverging branch on the common velocity."""
    v = q / ab
    if angle < 75:
        if ab <= 0.35:
            g = 1.1 - 0.7 * q if q <= 0.4 else 0.85
        else:
            g = 1.0 - 0.6 * q if q <= 0.6 else 0.6
        return g * (1 + v * v - 2 * v * math.cos(math.radians(angle)))
    g = 1.0 if ab <= 2.0 / 3.0 else 1 + 0.3 * q * q
    h = 0.3 if ab == 1.0 else 1.0
    return g * (1 + h * v * v)


def div_straight(qs, as_):
    ws = qs / as_
    return 0.4 * (1 - ws) ** 2


def conv_a(q, ab):
    if ab <= 0.35:
        return 1.0
    return 0.55 if q > 0.4 else 0.9 * (1 - q)


def conv_branch(qb, ab, as_):
    qs = 1 - qb
    return conv_a(qb, ab) * (1 + (qb / ab) ** 2 - 2 * qs * qs / as_)


def conv_straight(qs, as_):
    qb = 1 - qs
    return 1 + (qs / as_) ** 2 - 2 * qs * qs / as_ - 0.45 * qb


def on_own(zeta, velocity_ratio):
    return r3(zeta / velocity_ratio ** 2)


def junctions():
    fits = []
    DIV = ("Crane Co., Flow of Fluids Through Valves, Fittings and Pipe, TP-410 (2009, with errata), diverging tees "
           "and wyes after Idelchik: branch zeta_c = G [1 + H (wb/wc)^2 - J (wb/wc) cos(angle)]; straight-through "
           "zeta_c = 0.4 (1 - ws/wc)^2 (Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., ch. 7, diverging "
           "tees; equal to Crane's 0.4 (Qb/Qc)^2 when As = Ac)")
    CONV = ("Momentum balance of a converging junction (Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., "
            "ch. 7): branch zeta_c = A [1 + (Qb Ac / (Qc Ab))^2 - 2 (Ac/As) (Qs/Qc)^2] with Crane TP-410's factor A "
            "(1 for Ab/Ac <= 0.35, else 0.9 (1 - Qb/Qc) up to Qb/Qc = 0.4 and 0.55 above); straight-through "
            "zeta_c = 1 + (Ac/As)^2 (Qs/Qc)^2 - 2 (Ac/As) (Qs/Qc)^2 - 0.45 Qb/Qc, which is Crane's 1.55 Qb/Qc - "
            "(Qb/Qc)^2 when As = Ac")
    OWN = " Converted from the common velocity to the velocity of the path's own duct by (wc/w)^2; rounded to three decimals."

    def tee(key_s, key_b, geo, name, diverging, cls_s, cls_b, paths, names):
        if diverging:
            tb = [[[on_own(div_branch(q, ab), q / ab) for q in Q] for ab in AB] for _ in AS]
            ts = [[[on_own(div_straight(q, a), q / a) for q in Q] for _ in AB] for a in AS]
            src = DIV
        else:
            tb = [[[on_own(conv_branch(q, ab, a), q / ab) for q in Q] for ab in AB] for a in AS]
            ts = [[[on_own(conv_straight(q, a), q / a) for q in Q] for _ in AB] for a in AS]
            src = CONV
        common = dict(paths=paths, axisNames=names, axisScales=["lin", "lin"], axisDefaults=[-1, -1],
                      xAxis=Q, zAxis=AS, yAxes=[AB] * len(AS))
        return [
            entry(key_s, cls_s, name + ", straight-through path", src + "; 90 degree branch." + OWN, flat3(ts),
                  tables=ts, **common),
            entry(key_b, cls_b, name + ", branch path", src + "; 90 degree branch." + OWN, flat3(tb),
                  tables=tb, **common)]

    fits += tee("SD5-21-s", "SD5-21-b", "D", "Tee, round, 90 degrees, diverging (supply)", True,
                "TDuctFitDsDcDbQsQc", "TDuctFitDsDcDbQbQc", ["c", "s", "b"], ["As/Ac", "Ab/Ac"])
    fits += tee("ED5-21-s", "ED5-21-b", "D", "Tee, round, 90 degrees, converging (exhaust)", False,
                "TDuctFitDsDcDbQsQc", "TDuctFitDsDcDbQbQc", ["c", "s", "b"], ["As/Ac", "Ab/Ac"])
    fits += tee("SR5-21-s", "SR5-21-b", "R", "Tee, rectangular, equal heights, 90 degrees, diverging (supply)", True,
                "TDuctFitHWbWcWsQsQc", "TDuctFitHWbWcWsQbQc", ["c", "s", "b"], ["As/Ac", "Ab/Ac"])
    fits += tee("ER5-21-s", "ER5-21-b", "R", "Tee, rectangular, equal heights, 90 degrees, converging (exhaust)", False,
                "TDuctFitHWbWcWsQsQc", "TDuctFitHWbWcWsQbQc", ["c", "s", "b"], ["As/Ac", "Ab/Ac"])

    # Diverging cross: each branch as a 90 degree diverging branch.
    tb = [[[on_own(div_branch(q, ab), q / ab) for q in Q] for ab in AB] for _ in AS]
    ts = [[[on_own(div_straight(q, a), q / a) for q in Q] for _ in AB] for a in AS]
    cross = dict(paths=["c", "s", "b1", "b2"], axisScales=["lin", "lin"], axisDefaults=[-1, -1], xAxis=Q, zAxis=AS,
                 yAxes=[AB] * len(AS))
    fits.append(entry("SD5-22-s", "TDuctFitDsDcDbQsQc", "Cross, round, 90 degrees, diverging (supply), straight-through path",
                      DIV + "; the two opposite branches take Qb = Qb1 + Qb2 from the straight-through flow." + OWN,
                      flat3(ts), axisNames=["As/Ac", "Ab/Ac"], tables=ts, **cross))
    fits.append(entry("SD5-22-b", "TDuctFitDsDb1DcQb1Qc", "Cross, round, 90 degrees, diverging (supply), branch paths",
                      DIV + "; each branch on its own flow and area ratio." + OWN,
                      flat3(tb), axisNames=["As/Ac", "Ab1/Ac"], tables=tb, **cross))

    # Wyes of two 45 degree branches, no straight-through path.
    ab12 = [0.25, 0.35, 0.5, 0.65, 0.8, 1.0]
    wye = dict(paths=["c", "b1", "b2"], axisNames=["Ab1/Ac", "Ab2/Ac"], axisScales=["lin", "lin"],
               axisDefaults=[-1, -1], xAxis=Q, zAxis=ab12, yAxes=[ab12] * len(ab12))
    # Diverging: tabulated on the other branch's flow ratio x = Qb2/Qc, own flow 1 - x.
    tdiv = [[[on_own(div_branch(1 - x, a1, 45.0), (1 - x) / a1) for x in Q] for _ in ab12] for a1 in ab12]
    fits.append(entry("SD5-23-b", "TDuctFitDb1Db2DcQb2Qc", "Wye, round, two 45 degree branches, diverging (supply), branch paths",
                      DIV + "; 45 degree branches, no straight-through path, so the table runs on the other branch's "
                      "flow ratio Qb2/Qc = 1 - Qb1/Qc." + OWN, flat3(tdiv), tables=tdiv, **wye))
    c45 = math.cos(math.radians(45))

    def conv_wye(q1, a1, a2):
        q2 = 1 - q1
        return 1 + (q1 / a1) ** 2 - 2 * q1 * q1 / a1 * c45 - 2 * q2 * q2 / a2 * c45
    tconv = [[[on_own(conv_wye(x, a1, a2), x / a1) for x in Q] for a2 in ab12] for a1 in ab12]
    fits.append(entry("ED5-23-b", "TDuctFitDb1Db2DcQb1Qc", "Wye, round, two 45 degree branches, converging (exhaust), branch paths",
                      "Momentum balance of a converging junction of two branches at 45 degrees to the common duct "
                      "(Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., ch. 7): zeta_c = 1 + (Qb1 Ac / (Qc "
                      "Ab1))^2 - 2 (Ac/Ab1) (Qb1/Qc)^2 cos 45 - 2 (Ac/Ab2) (Qb2/Qc)^2 cos 45 with Qb2 = Qc - Qb1." + OWN,
                      flat3(tconv), tables=tconv, **wye))

    # Converging crosses: opposite 90 degree branches of equal size, As = Ac.
    qx = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8]
    ratio21 = [0.25, 0.5, 1.0, 2.0, 4.0]  # Qb2 / Qb1
    abx = [0.2, 0.35, 0.5, 0.75, 1.0]

    def branch_cell(q1, y, ab):
        qs = 1 - q1 * (1 + y)
        if qs < -1e-9:
            return HOLE
        return on_own(conv_a(q1, ab) * (1 + (q1 / ab) ** 2 - 2 * qs * qs), q1 / ab)

    tcb = [[[branch_cell(q1, y, ab) for q1 in qx] for y in ratio21] for ab in abx]
    qsx = [0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9]
    tcs = [[[on_own(1.55 * (1 - qs) - (1 - qs) ** 2, qs) for qs in qsx] for _ in ratio21] for _ in abx]
    XB = ("Momentum balance of a converging cross with opposite 90 degree branches of equal size and As = Ac "
          "(Idelchik, I.E., Handbook of Hydraulic Resistance, 3rd ed., ch. 7): branch zeta_c = A [1 + (Qb1 Ac / "
          "(Qc Ab))^2 - 2 (Qs/Qc)^2], Qs = Qc - Qb1 - Qb2, with Crane TP-410's factor A on the branch's own flow "
          "ratio; flows that leave no straight-through flow are holes in the table.")
    XS = ("Straight-through path of a converging cross with opposite 90 degree branches and As = Ac: Crane TP-410 "
          "(after Idelchik) converging tee run, zeta_c = 1.55 Qb/Qc - (Qb/Qc)^2 with Qb = Qb1 + Qb2 = Qc - Qs; the "
          "split between the branches and their size do not enter, so the slices repeat.")
    for geo, name, cls_b, cls_s in (("D", "Cross, round", "TDuctFitDcDbQb1Qb2Qc", "TDuctFitDcDbQb1Qb2QcQs"),
                                    ("R", "Cross, rectangular, equal heights", "TDuctFitHWWbQb1Qb2Qc",
                                     "TDuctFitHWWbQb1Qb2QcQs")):
        base = "E" + geo + "5-24"
        xc = dict(paths=["c", "s", "b1", "b2"], axisNames=["Ab/Ac"], axisScales=["lin"], axisDefaults=[-1],
                  zAxis=abx, yAxes=[ratio21] * len(abx))
        fits.append(entry(base + "-s", cls_s, name + ", 90 degrees, converging (exhaust), straight-through path",
                          XS + OWN, flat3(tcs), xAxis=qsx, tables=tcs, **xc))
        fits.append(entry(base + "-b", cls_b, name + ", 90 degrees, converging (exhaust), branch paths",
                          XB + OWN, flat3(tcb), xAxis=qx, tables=tcb, **xc))

    # Converging wyes with a 45 degree branch.
    c45 = math.cos(math.radians(45))

    def conv45_branch(q, ab, as_):
        return conv_a(q, ab) * (1 + (q / ab) ** 2 - 2 * (1 - q) ** 2 / as_ - 2 * c45 * q * q / ab)

    def conv45_straight(qs, as_, ab):
        qb = 1 - qs
        return 1 + (qs / as_) ** 2 - 2 * qs * qs / as_ - 2 * c45 * qb * qb / ab
    W45 = ("Momentum balance of a converging wye with a 45 degree branch (Idelchik, I.E., Handbook of Hydraulic "
           "Resistance, 3rd ed., ch. 7): branch zeta_c = A [1 + (Qb Ac / (Qc Ab))^2 - 2 (Ac/As) (Qs/Qc)^2 - 2 cos 45 "
           "(Ac/Ab) (Qb/Qc)^2] with Crane TP-410's factor A (1 for Ab/Ac <= 0.35, else 0.9 (1 - Qb/Qc) up to Qb/Qc = "
           "0.4 and 0.55 above); straight-through zeta_c = 1 + (Ac/As)^2 (Qs/Qc)^2 - 2 (Ac/As) (Qs/Qc)^2 - 2 cos 45 "
           "(Ac/Ab) (Qb/Qc)^2. With As = Ac both are Crane TP-410's (2009) converging wye relations for 45 degrees "
           "(F = 1.41). Negative values are the gain of a slow stream driven by a fast one.")
    tb = [[[on_own(conv45_branch(q, ab, a), q / ab) for q in Q] for ab in AB] for a in AS]
    ts = [[[on_own(conv45_straight(q, a, ab), q / a) for q in Q] for ab in AB] for a in AS]
    for geo, name, cls_s, cls_b in (("D", "Wye, round, 45 degrees, converging (exhaust)", "TDuctFitDsDcDbQsQc",
                                     "TDuctFitDsDcDbQbQc"),
                                    ("R", "Wye, rectangular, equal heights, 45 degrees, converging (exhaust)",
                                     "TDuctFitHWbWcWsQsQc", "TDuctFitHWbWcWsQbQc")):
        common = dict(paths=["c", "s", "b"], axisNames=["As/Ac", "Ab/Ac"], axisScales=["lin", "lin"],
                      axisDefaults=[-1, -1], xAxis=Q, zAxis=AS, yAxes=[AB] * len(AS))
        base = "E" + geo + "5-25"
        fits.append(entry(base + "-s", cls_s, name + ", straight-through path", W45 + OWN, flat3(ts), tables=ts,
                          **common))
        fits.append(entry(base + "-b", cls_b, name + ", branch path", W45 + OWN, flat3(tb), tables=tb, **common))
    return fits


def fmt(v, ind):
    pad = " " * ind
    if isinstance(v, list) and v and all(isinstance(x, list) for x in v):
        inner = ",\n".join(pad + "  " + fmt(x, ind + 2) for x in v)
        return "[\n" + inner + "\n" + pad + "]"
    if isinstance(v, list):
        return "[" + ", ".join(json.dumps(x) for x in v) + "]"
    return json.dumps(v)


def write(name, category, title, fits):
    out = ['{', '  "category": %d,' % category, '  "title": %s,' % json.dumps(title), '  "fittings": [']
    for i, e in enumerate(fits):
        lines = ['    {']
        order = ["key", "class", "name", "source", "cmin", "cmax", "inputNames", "inputDefaults", "paths",
                 "axisNames", "axisScales", "axisDefaults", "xAxis", "values", "yAxis", "table", "factorAxis",
                 "factors", "yAxes", "zAxis", "tables"]
        items = sorted(e.items(), key=lambda kv: order.index(kv[0]))
        for j, (k, v) in enumerate(items):
            lines.append('      %s: %s%s' % (json.dumps(k), fmt(v, 6), "," if j < len(items) - 1 else ""))
        lines.append('    }' + ("," if i < len(fits) - 1 else ""))
        out += lines
    out += ['  ]', '}']
    with open(os.path.join(OUT, name), 'w') as f:
        f.write("\n".join(out) + "\n")


write("03-elbows-3d.json", 3, "Elbows", elbows())
write("04-transitions-3d.json", 4, "Transitions", transitions())
write("05-junctions-3d.json", 5, "Junctions", junctions())
write("06-obstructions-3d.json", 6, "Obstructions", obstructions())
write("10-hoods-3d.json", 10, "Hoods", hoods())
