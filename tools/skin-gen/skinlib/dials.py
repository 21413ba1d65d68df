"""The report-rate dials and the power-saving half-dial.

The program finds the sector under the pointer with fixed polygons (their table is copied below);
each picture lights the ring segment that covers its polygon, so what lights up is what was hit.
Rates on the dial are numbers, the same in every language, so they are drawn into the pictures.
"""
import math

from . import style as S
from .canvas import Canvas

RATES = (125, 250, 500, 1000, 2000, 4000, 8000)

DIAL_SIZE = 150
DIAL_CENTRE = (75, 75)
RING_IN, RING_OUT = 47, 68

# Hit polygons of the sectors in design units; "C" is the dial's centre.
C = DIAL_CENTRE
DIAL_POLYGONS = {
    250: [[(8, 74), (28, 25), (74, 5), (126, 28), (141, 75)],
          [(8, 75), (34, 126), (74, 141), (125, 118), (141, 75)]],
    1000: [[(74, 6), (28, 24), (7, 74), C], [(7, 75), (27, 121), (74, 140), C],
           [(75, 140), (125, 118), (142, 74), C], [(142, 75), (123, 25), (75, 6), C]],
    2000: [[(75, 7), (39, 18), (12, 53), C], [(12, 53), (12, 95), (33, 125), C],
           [(33, 125), (74, 139), (113, 128), C], [(113, 128), (139, 90), (139, 55), C],
           [(139, 55), (116, 21), (76, 7), C]],
    4000: [[(17, 42), (41, 16), (74, 7), C], [(18, 107), (9, 73), (17, 42), C],
           [(41, 130), (74, 139), (18, 107), C], [(74, 139), (111, 128), (132, 108), C],
           [(132, 108), (141, 71), (133, 42), C], [(133, 42), (111, 18), (75, 7), C]],
    8000: [[(22, 33), (46, 14), (74, 7), C], [(11, 90), (10, 58), (22, 33), C],
           [(47, 133), (24, 115), (11, 90), C], [(104, 133), (75, 140), (47, 133), C],
           [(139, 89), (128, 115), (104, 133), C], [(127, 32), (140, 59), (139, 89), C],
           [(75, 7), (107, 15), (127, 32), C]],
}

POWER_SIZE = (140, 84)
POWER_CENTRE = (70, 71)
POWER_RING_IN, POWER_RING_OUT = 45, 64
# Outer corners of the eight triangular regions of the power dial (they share POWER_CENTRE).
POWER_POINTS = [(3, 71), (7, 51), (17, 32), (40, 13), (70, 5), (100, 14), (121, 31), (131, 51), (134, 71)]
POWER_STEPS = 8


def _angle(centre, p):
    return math.degrees(math.atan2(centre[1] - p[1], p[0] - centre[0])) % 360.0


def sector_span(centre, polygon):
    """(start, end) in degrees counter-clockwise, the smallest arc holding the polygon's outer points."""
    angles = sorted(_angle(centre, p) for p in polygon if p != centre)
    gaps = [((angles[(i + 1) % len(angles)] - a) % 360.0, i) for i, a in enumerate(angles)]
    gap, i = max(gaps)
    start = angles[(i + 1) % len(angles)]
    end = angles[i]
    if end < start:
        end += 360.0
    return start, end


def _segment(cv, centre, r_in, r_out, a0, a1, gap=2.0):
    m = cv.mask().annulus(centre[0], centre[1], r_in, r_out, a0, a1)
    m.cut_ray(centre[0], centre[1], a0, r_out + 2, gap)
    m.cut_ray(centre[0], centre[1], a1, r_out + 2, gap)
    return m


def _label_font_size(text, span):
    return 9 if len(text) <= 3 or span > 70 else 8.5


def _dial_label(cv, text, a0, a1, colour, dark=False):
    mid = math.radians((a0 + a1) / 2.0)
    r = (RING_IN + RING_OUT) / 2.0
    x = DIAL_CENTRE[0] + math.cos(mid) * r
    y = DIAL_CENTRE[1] - math.sin(mid) * r
    m = cv.mask().text(x, y + 0.3, text, _label_font_size(text, a1 - a0), S.FONT_CONDENSED_BOLD)
    cv.fill(m, colour)


def dial_base(top_rate):
    cv = Canvas(DIAL_SIZE, DIAL_SIZE)
    cx, cy = DIAL_CENTRE
    # Outer hairline and a faint halo round the whole dial.
    cv.fill(cv.mask().ring(cx - 73, cy - 73, cx + 73, cy + 73, 1), S.LINE_SOFT)
    for k, poly in enumerate(DIAL_POLYGONS[top_rate]):
        a0, a1 = sector_span(DIAL_CENTRE, poly)
        seg = _segment(cv, DIAL_CENTRE, RING_IN, RING_OUT, a0, a1)
        cv.radial(seg, cx, cy, RING_OUT, S.PANEL_DEEP, S.FACE)
        edge = _segment(cv, DIAL_CENTRE, RING_OUT - 1, RING_OUT, a0, a1)
        cv.fill(edge, S.LINE)
        _dial_label(cv, _rate_text(RATES[k]), a0, a1, S.ICON)
    # The hub: a dark well for the rate text the program writes in the middle.
    hub_r = RING_IN - 1.5   # the hub's edge stays just outside the text band
    hub = cv.mask().circle(cx, cy, hub_r)
    cv.radial(hub, cx, cy, hub_r, S.PANEL, S.PANEL_DEEP)
    cv.fill(cv.mask().annulus(cx, cy, hub_r - 1, hub_r, 0, 360), S.LINE)
    # Two accent arcs above and below the band where the program writes the rate text.
    arcs = cv.mask().annulus(cx, cy, 37, 38.2, 35, 145).annulus(cx, cy, 37, 38.2, 215, 325)
    cv.fill(arcs, S.with_alpha(S.ACCENT, 110))
    return cv.image()


def dial_highlight(top_rate, k):
    cv = Canvas(DIAL_SIZE, DIAL_SIZE)
    cx, cy = DIAL_CENTRE
    a0, a1 = sector_span(DIAL_CENTRE, DIAL_POLYGONS[top_rate][k])
    seg = _segment(cv, DIAL_CENTRE, RING_IN, RING_OUT, a0, a1)
    cv.glow(seg, S.ACCENT, 3.0, 0.7)
    cv.radial(seg, cx, cy, RING_OUT, S.ACCENT_DIM, S.ACCENT)
    rim = _segment(cv, DIAL_CENTRE, RING_OUT - 1.5, RING_OUT, a0, a1)
    cv.fill(rim, S.ACCENT_LIGHT)
    arc = _segment(cv, DIAL_CENTRE, RING_OUT + 2, RING_OUT + 4, a0 + 1, a1 - 1, 0.1)
    cv.glow(arc, S.ACCENT, 1.5, 0.8)
    cv.fill(arc, S.ACCENT_LIGHT)
    _dial_label(cv, _rate_text(RATES[k]), a0, a1, (255, 255, 255))
    return cv.image()


def _rate_text(rate):
    return str(rate)


def power_spans():
    spans = []
    for k in range(POWER_STEPS):
        a = _angle(POWER_CENTRE, POWER_POINTS[k + 1])
        b = _angle(POWER_CENTRE, POWER_POINTS[k])
        spans.append((a, b if b >= a else b + 360.0))
    return spans


def power_dial(step):
    """Half-dial with segments 0..step lit like a gauge; the chosen one glows brightest."""
    w, h = POWER_SIZE
    cx, cy = POWER_CENTRE
    cv = Canvas(w, h)
    spans = power_spans()
    cv.fill(cv.mask().rect(0, cy + 1, w, cy + 2), S.LINE_SOFT)
    for k, (a0, a1) in enumerate(spans):
        seg = _segment(cv, POWER_CENTRE, POWER_RING_IN, POWER_RING_OUT, a0, a1)
        if k < step:
            t = k / max(1, step)
            cv.radial(seg, cx, cy, POWER_RING_OUT, S.mix(S.ACCENT_DEEP, S.ACCENT_DIM, 0.6),
                      S.mix(S.ACCENT_DIM, S.ACCENT, 0.35 + 0.4 * t))
        elif k == step:
            cv.glow(seg, S.ACCENT, 2.5, 0.75)
            cv.radial(seg, cx, cy, POWER_RING_OUT, S.ACCENT_DIM, S.ACCENT)
            rim = _segment(cv, POWER_CENTRE, POWER_RING_OUT - 1.5, POWER_RING_OUT, a0, a1)
            cv.fill(rim, S.ACCENT_LIGHT)
        else:
            cv.radial(seg, cx, cy, POWER_RING_OUT, S.PANEL_DEEP, S.FACE)
            cv.fill(_segment(cv, POWER_CENTRE, POWER_RING_OUT - 1, POWER_RING_OUT, a0, a1), S.LINE)
    # Hub with a power glyph.
    hub = cv.mask().annulus(cx, cy, 0, POWER_RING_IN - 4, 0, 180)
    cv.radial(hub, cx, cy, POWER_RING_IN - 4, S.PANEL, S.PANEL_DEEP)
    cv.fill(cv.mask().annulus(cx, cy, POWER_RING_IN - 5, POWER_RING_IN - 4, 0, 180), S.LINE)
    gy = cy - 20
    glyph = cv.mask().annulus(cx, gy, 7.5, 9.5, 125, 415)
    glyph.line([(cx, gy - 11), (cx, gy - 2)], 2.0)
    cv.glow(glyph, S.ACCENT, 1.5, 0.6)
    cv.fill(glyph, S.ACCENT_LIGHT)
    # Ticks round the hub, one per step; the chosen one is lit.
    for k, (a0, a1) in enumerate(spans):
        mid = math.radians((a0 + a1) / 2.0)
        r0, r1 = POWER_RING_IN - 10, POWER_RING_IN - 7
        tick = cv.mask().line([(cx + math.cos(mid) * r0, cy - math.sin(mid) * r0),
                               (cx + math.cos(mid) * r1, cy - math.sin(mid) * r1)], 1.3)
        if k == step:
            cv.glow(tick, S.ACCENT, 1.2, 0.8)
        cv.fill(tick, S.ACCENT_LIGHT if k == step else S.LINE_HI)
    return cv.image()
