"""Window and dialog backgrounds: the main window bitmap, the section frame, the dialog frames,
the progress frames and the colour palette picture."""
import colorsys

from PIL import Image

from . import style as S
from .canvas import Canvas

MAIN_SIZE = (1127, 740)


def _corner_brackets(cv, x0, y0, x1, y1, arm=8, colour=S.ACCENT):
    m = cv.mask()
    m.rect(x0, y0, x0 + arm, y0 + 1).rect(x0, y0, x0 + 1, y0 + arm)
    m.rect(x1 - arm, y0, x1, y0 + 1).rect(x1 - 1, y0, x1, y0 + arm)
    m.rect(x0, y1 - 1, x0 + arm, y1).rect(x0, y1 - arm, x0 + 1, y1)
    m.rect(x1 - arm, y1 - 1, x1, y1).rect(x1 - 1, y1 - arm, x1, y1)
    cv.fill(m, colour)


def emblem(cv, cx, top, scale=1.0, colour=S.ACCENT):
    k = scale
    m = cv.mask()
    for dy in (0, 9 * k):
        y = top + dy
        m.polygon([(cx, y), (cx + 14 * k, y + 10 * k), (cx + 8 * k, y + 10 * k), (cx, y + 4.5 * k),
                   (cx - 8 * k, y + 10 * k), (cx - 14 * k, y + 10 * k)])
    cv.glow(m, colour, 2.0, 0.7)
    cv.fill(m, colour)


def main_background():
    w, h = MAIN_SIZE
    cv = Canvas(w, h, S.WINDOW)
    whole = cv.mask().rect(0, 0, w, h)
    cv.radial(whole, w / 2, h / 2, w * 0.62, S.WINDOW_GLOW, S.WINDOW_EDGE, ry=h * 0.75)
    # Fine dot grid in the middle stage, fading out towards the columns.
    dots = cv.mask()
    for y in range(84, 680, 14):
        for x in range(318, 812, 14):
            dots.rect(x, y, x + 1, y + 1)
    fade = cv.mask().rect(300, 70, 830, 690)
    stage = cv.mask()
    stage.img = dots.img
    cv.radial(stage.intersect(fade), 564, 380, 260, S.GRID_DOT, S.with_alpha(S.GRID_DOT, 0), ry=320)
    # Glow and pedestal under the mouse.
    halo = cv.mask().rect(0, 0, w, h)
    cv.radial(halo, 564, 360, 190, S.with_alpha(S.ACCENT, 34), S.with_alpha(S.ACCENT, 0), ry=240)
    for rx, ry, a in ((150, 26, 120), (178, 33, 70), (206, 40, 36)):
        cv.fill(cv.mask().ring(564 - rx, 560 - ry, 564 + rx, 560 + ry, 1), S.with_alpha(S.ACCENT, a))
    pool = cv.mask().ellipse(564 - 140, 560 - 22, 564 + 140, 560 + 22)
    cv.radial(pool, 564, 560, 140, S.with_alpha(S.ACCENT, 60), S.with_alpha(S.ACCENT, 0), ry=22)
    # Column dividers, brightest in the middle.
    for x in (300, 826):
        d = cv.mask().rect(x, 40, x + 1, 690)
        cv.gradient(d, [(0, S.with_alpha(S.LINE, 0)), (0.5, S.LINE), (1, S.with_alpha(S.LINE, 0))], 40, 690)
    # Bottom bar divider with an accent centre.
    d = cv.mask().rect(20, 690, w - 20, 691)
    cv.gradient(d, [(0, S.with_alpha(S.LINE, 0)), (0.3, S.LINE), (0.5, S.ACCENT_DIM), (0.7, S.LINE),
                    (1, S.with_alpha(S.LINE, 0))], 20, w - 20, horizontal=True)
    bar = cv.mask().rect(1, 691, w - 1, h - 1)
    cv.fill(bar, S.with_alpha((0, 0, 0), 70))
    # Top rail: emblem at the left, a hairline running to the window buttons.
    emblem(cv, 48, 10, 0.9)
    rail = cv.mask().rect(76, 19, 430, 20)
    cv.gradient(rail, [(0, S.ACCENT_DIM), (1, S.with_alpha(S.LINE, 0))], 76, 430, horizontal=True)
    rail = cv.mask().rect(708, 19, 1060, 20)
    cv.gradient(rail, [(0, S.with_alpha(S.LINE, 0)), (1, S.LINE)], 708, 1060, horizontal=True)
    # Window edge and corner marks.
    cv.fill(cv.mask().frame(0, 0, w, h), S.LINE)
    _corner_brackets(cv, 3, 3, w - 3, h - 3, 14)
    return cv.image().convert("RGB")


def section_frame(w=230, h=82):
    """Stretched behind every section of both columns, to heights from 43 to 205: flat inside, with
    edges that survive the stretch."""
    cv = Canvas(w, h, S.PANEL)
    body = cv.mask().rect(0, 0, w, h)
    cv.gradient(body, [(0, S.PANEL_TOP), (1, S.PANEL_BOTTOM)], 0, h)
    cv.fill(cv.mask().frame(0, 0, w, h), S.LINE_SOFT)
    cv.fill(cv.mask().rect(0, h - 1, w, h), S.LINE)
    glint = cv.mask().rect(1, h - 1, w - 1, h)
    cv.gradient(glint, [(0, S.with_alpha(S.ACCENT, 0)), (0.5, S.with_alpha(S.ACCENT, 140)),
                        (1, S.with_alpha(S.ACCENT, 0))], 1, w - 1, horizontal=True)
    return cv.image().convert("RGB")


def dialog_frame(w, h, glyph=None, wells=()):
    """Frame of a skinned dialog: title band, body, hairline edge with accent corners."""
    cv = Canvas(w, h, S.PANEL)
    body = cv.mask().rect(0, 0, w, h)
    cv.radial(body, w / 2, h * 0.45, w * 0.7, S.PANEL_TOP, S.PANEL_EDGE, ry=h * 0.9)
    band = cv.mask().rect(0, 0, w, 26)
    cv.gradient(band, [(0, S.FACE), (1, S.PANEL)], 0, 26)
    line = cv.mask().rect(0, 26, w, 27)
    cv.gradient(line, [(0, S.ACCENT), (0.4, S.ACCENT_DIM), (1, S.with_alpha(S.LINE, 60))], 0, w, horizontal=True)
    for x0, y0, x1, y1 in wells:
        cv.fill(cv.mask().rect(x0, y0, x1, y1), S.PANEL_DEEP)
        cv.fill(cv.mask().frame(x0 - 1, y0 - 1, x1 + 1, y1 + 1), S.LINE)
    if glyph == "warning":
        tri = cv.mask().polygon([(13, 5), (22, 21), (4, 21)])
        tri.subtract(cv.mask().rect(12, 10, 14, 16).rect(12, 17, 14, 19))
        cv.glow(tri, S.WARN, 1.5, 0.6)
        cv.fill(tri, S.WARN)
    cv.fill(cv.mask().frame(0, 0, w, h), S.LINE)
    _corner_brackets(cv, 0, 0, w, h, 10)
    return cv.image().convert("RGB")


PROGRESS_TRACK = (20, 66, 409, 78)   # x0, y0, x1, y1: the bar rows the progress dialog copies


def progress_frame(lit):
    img = dialog_frame(429, 140)
    cv = Canvas(429, 140)
    cv.img = img.convert("RGBA").resize((429 * S.SS, 140 * S.SS))
    x0, y0, x1, y1 = PROGRESS_TRACK
    cv.fill(cv.mask().rect(x0, y0, x1, y1), S.PANEL_DEEP)
    cv.fill(cv.mask().frame(x0, y0, x1, y1), S.LINE)
    if lit:
        bar = cv.mask().rect(x0 + 2, y0 + 2, x1 - 2, y1 - 2)
        cv.gradient(bar, [(0, S.ACCENT_LIGHT), (0.4, S.ACCENT), (1, S.ACCENT_DIM)], y0 + 2, y1 - 2)
        ticks = cv.mask()
        for x in range(x0 + 10, x1 - 2, 8):
            ticks.rect(x, y0 + 2, x + 1, y1 - 2)
        cv.fill(ticks, S.with_alpha(S.WINDOW, 90))
        cv.fill(cv.mask().frame(x0, y0, x1, y1), S.ACCENT)
    return cv.image().convert("RGB")


# Colour palette: the dialog picks colours inside these rectangles (x0, y0, x1, y1, exclusive end)
# and ignores the background colour; the fields sit 2 pixels inside them.
PALETTE_SIZE = (500, 291)
PICK_AREAS = ((18, 26, 222, 270), (244, 26, 473, 190))
HUE_FIELD = (20, 28, 220, 268)
SWATCH_GRID = (248, 32, 8, 6, 24, 22, 4)   # left, top, columns, rows, cell w, cell h, gap
PREVIEW = (245, 212, 303, 270)


def _hue_colour(u, v):
    """Hue along u (0..1); v runs from near white (0) through full colour (0.5) to dark (1)."""
    r, g, b = colorsys.hsv_to_rgb(u, 1.0, 1.0)
    if v < 0.5:
        t = v / 0.5
        r, g, b = (1 - t * (1 - r) * 0.92 - 0.0, 1 - t * (1 - g) * 0.92, 1 - t * (1 - b) * 0.92)
        r, g, b = colorsys.hsv_to_rgb(u, 0.08 + 0.92 * t, 1.0)
    else:
        t = (v - 0.5) / 0.5
        r, g, b = colorsys.hsv_to_rgb(u, 1.0, 1.0 - 0.8 * t)
    return tuple(int(round(c * 255)) for c in (r, g, b))


def swatch_colours():
    cols, rows = SWATCH_GRID[2], SWATCH_GRID[3]
    out = []
    greys = [255, 214, 170, 128, 90, 60, 36, 0]
    out.append([(g, g, g) for g in greys])
    hues = [0.0, 0.07, 0.14, 0.3, 0.47, 0.58, 0.72, 0.86]
    for sat, val in ((0.35, 1.0), (0.7, 1.0), (1.0, 1.0), (1.0, 0.7), (1.0, 0.42)):
        out.append([tuple(int(round(c * 255)) for c in colorsys.hsv_to_rgb(hh, sat, val)) for hh in hues])
    return out[:rows]


def colour_palette():
    w, h = PALETTE_SIZE
    img = Image.new("RGB", (w, h), S.PALETTE_FIELD)
    px = img.load()
    x0, y0, x1, y1 = HUE_FIELD
    for y in range(y0, y1):
        v = (y - y0) / (y1 - y0 - 1)
        for x in range(x0, x1):
            c = _hue_colour((x - x0) / (x1 - x0), v)
            if c == S.PALETTE_FIELD:
                c = (c[0] + 1, c[1], c[2])
            px[x, y] = c
    gx, gy, cols, rows, cw, ch, gap = SWATCH_GRID
    for r, row in enumerate(swatch_colours()):
        for c, colour in enumerate(row):
            sx, sy = gx + c * (cw + gap), gy + r * (ch + gap)
            for y in range(sy, sy + ch):
                for x in range(sx, sx + cw):
                    px[x, y] = colour
    # Hairlines round the fields and the preview swatch, outside the pick areas.
    cv = Canvas(w, h)
    m = cv.mask()
    m.frame(HUE_FIELD[0] - 4, HUE_FIELD[1] - 4, HUE_FIELD[2] + 4, HUE_FIELD[3] + 4)
    m.frame(PICK_AREAS[1][0] - 3, PICK_AREAS[1][1] - 3, PICK_AREAS[1][2] + 3, PICK_AREAS[1][3] + 3)
    m.frame(PREVIEW[0] - 3, PREVIEW[1] - 3, PREVIEW[2] + 3, PREVIEW[3] + 3)
    cv.fill(m, S.LINE)
    # Title band and edge like the other dialogs, clear of the pick areas (they start at row 26).
    band = cv.mask().rect(0, 0, w, PALETTE_BAND)
    cv.gradient(band, [(0, S.FACE), (1, S.PANEL)], 0, PALETTE_BAND)
    line = cv.mask().rect(0, PALETTE_BAND, w, PALETTE_BAND + 1)
    cv.gradient(line, [(0, S.ACCENT), (0.4, S.ACCENT_DIM), (1, S.with_alpha(S.LINE, 60))], 0, w, horizontal=True)
    cv.fill(cv.mask().frame(0, 0, w, h), S.LINE)
    _corner_brackets(cv, 0, 0, w, h, 10)
    # Wells for the red, green and blue value texts, each with its channel's dot.
    for i, colour in enumerate(((228, 64, 64), (72, 200, 112), (53, 120, 232))):
        top = PALETTE_VALUE_ROWS[i]
        cv.fill(cv.mask().rect(330, top, 396, top + 17), S.PANEL_DEEP)
        cv.fill(cv.mask().frame(330, top, 396, top + 17), S.LINE)
        cv.fill(cv.mask().circle(322, top + 8.5, 3), colour)
    overlay = cv.image()
    img = img.convert("RGBA")
    img.alpha_composite(overlay)
    return img.convert("RGB")


PALETTE_VALUE_ROWS = (212, 232, 252)
PALETTE_BAND = 20
