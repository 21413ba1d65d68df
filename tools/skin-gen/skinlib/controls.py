"""Buttons, caption bars, fields, menus, check boxes, radios and the small glyph buttons.

Captions are never drawn here: the program writes them over these faces from the language file.
States: "nr" at rest, "ov" under the pointer, "dn" pressed, checked or selected.
"""
from . import style as S
from PIL import Image

from .canvas import Canvas


def _inner_glow(cv, body, strength=0.55, width=3.0):
    """Light leaking in from the outline, kept inside the body."""
    ring = cv.mask()
    ring.img = body.img.copy()
    inner = cv.mask()
    inner.img = body.img.copy()
    from PIL import ImageFilter, ImageChops
    shrunk = body.img.filter(ImageFilter.MinFilter(5))
    ring.img = ImageChops.subtract(body.img, shrunk)
    blurred = ring.img.filter(ImageFilter.GaussianBlur(width * S.SS))
    inner.img = ImageChops.multiply(blurred.point(lambda v: min(255, int(v * 3))), body.img)
    cv.fill(inner, S.ACCENT, strength)


def button_face(w, h, state, radius=S.RADIUS):
    cv = Canvas(w, h)
    body = cv.mask().rrect(0, 0, w, h, radius)
    if state == "nr":
        cv.gradient(body, [(0, S.FACE_HI), (1, S.FACE)], 0, h)
        cv.fill(cv.mask().rframe(0, 0, w, h, radius), S.LINE)
        cv.fill(cv.mask().rect(radius, 1, w - radius, 2), (255, 255, 255, 16))
    else:
        top = S.mix(S.FACE_HI, S.ACCENT, 0.22 if state == "ov" else 0.35)
        bottom = S.mix(S.FACE, S.ACCENT_DEEP, 0.6)
        cv.gradient(body, [(0, top), (1, bottom)], 0, h)
        _inner_glow(cv, body, 0.45 if state == "ov" else 0.7)
        cv.fill(cv.mask().rframe(0, 0, w, h, radius), S.ACCENT)
        cv.fill(cv.mask().rect(radius, 1, w - radius, 2), (255, 255, 255, 40))
    return cv.image()


def pointer_button(w, h, state):
    """The desktop-mouse button: a button face with a pointer glyph at its left end (it opens the
    system's own mouse settings)."""
    cv = Canvas(w, h)
    cv.img = button_face(w, h, state).resize((w * S.SS, h * S.SS), Image.NEAREST)
    x, y = 16, h / 2.0 - 8
    arrow = cv.mask().polygon([(x, y), (x, y + 14), (x + 3.5, y + 10.8), (x + 6, y + 16), (x + 8.2, y + 15),
                               (x + 5.8, y + 9.9), (x + 10.2, y + 9.9)])
    if state != "nr":
        cv.glow(arrow, S.ACCENT, 1.5, 0.6)
    cv.fill(arrow, S.ACCENT_LIGHT if state != "nr" else S.ICON)
    return cv.image()


def _chevron(mask, cx, cy, size, direction, width=1.4):
    s = size / 2.0
    pts = {
        "right": [(cx - s / 2, cy - s), (cx + s / 2, cy), (cx - s / 2, cy + s)],
        "left": [(cx + s / 2, cy - s), (cx - s / 2, cy), (cx + s / 2, cy + s)],
        "down": [(cx - s, cy - s / 2), (cx, cy + s / 2), (cx + s, cy - s / 2)],
        "up": [(cx - s, cy + s / 2), (cx, cy - s / 2), (cx + s, cy + s / 2)],
    }[direction]
    mask.line(pts, width, joint="curve")
    return mask


def header(w, h, state, chevron=True):
    """Caption bar of a section; the right-hand ones carry a chevron that turns when opened."""
    cv = Canvas(w, h)
    body = cv.mask().rect(0, 0, w, h)
    hot = state != "nr"
    cv.gradient(body, [(0, S.FACE_HI if hot else S.FACE), (1, S.PANEL)], 0, h)
    if hot:
        cv.gradient(cv.mask().rect(0, 0, w, h), [(0, S.with_alpha(S.ACCENT, 70)),
                                                 (0.45, S.with_alpha(S.ACCENT, 0))], 0, w,
                    horizontal=True)
    cv.fill(cv.mask().rect(0, 0, w, 1), S.LINE_HI if hot else S.LINE)
    cv.fill(cv.mask().rect(0, h - 1, w, h), S.ACCENT if state == "dn" else S.LINE)
    bar = cv.mask().rect(0, 0, 3, h)
    if hot:
        cv.glow(bar, S.ACCENT, 2.0, 0.6)
    cv.fill(bar, S.ACCENT if hot else S.ACCENT_DIM)
    if chevron:
        m = _chevron(cv.mask(), w - 13, h / 2, 7, "down" if state == "dn" else "right")
        cv.fill(m, S.ACCENT if state == "dn" else (S.ICON_HI if hot else S.ICON))
    return cv.image()


def combo(w, h, state):
    """Drop-down field of a button assignment; the arrow cell sits at the right end."""
    cv = Canvas(w, h)
    hot = state != "nr"
    body = cv.mask().rrect(0, 0, w, h, S.RADIUS)
    cv.gradient(body, [(0, S.PANEL_DEEP), (1, S.PANEL)], 0, h)
    if hot:
        _inner_glow(cv, body, 0.4)
    cell = cv.mask().rect(w - h, 1, w - 1, h - 1)
    cv.fill(cell, S.mix(S.FACE, S.ACCENT_DEEP, 0.7) if hot else S.FACE)
    cv.fill(cv.mask().rect(w - h - 1, 3, w - h, h - 3), S.LINE)
    cv.fill(_chevron(cv.mask(), w - h / 2 - 0.5, h / 2, 7, "down"), S.ACCENT if hot else S.ICON)
    cv.fill(cv.mask().rframe(0, 0, w, h, S.RADIUS), S.ACCENT if hot else S.LINE)
    return cv.image()


def menu_row(w, h, state, submenu):
    """One entry of a popup menu; rows are stacked, so only a faint divider closes each one."""
    cv = Canvas(w, h)
    hot = state != "nr"
    cv.fill(cv.mask().rect(0, 0, w, h), S.MENU)
    if hot:
        cv.gradient(cv.mask().rect(0, 0, w, h), [(0, S.mix(S.MENU, S.ACCENT, 0.38)),
                                                 (1, S.mix(S.MENU, S.ACCENT, 0.12))], 0, w,
                    horizontal=True)
    cv.fill(cv.mask().rect(6, h - 1, w - 6, h), S.LINE_SOFT)
    # Side edges: stacked rows cover the popup, so they carry its left and right edge themselves.
    cv.fill(cv.mask().rect(0, 0, 1, h).rect(w - 1, 0, w, h), S.LINE)
    if hot:
        cv.fill(cv.mask().rect(0, 0, 2, h), S.ACCENT)
    if submenu:
        cv.fill(_chevron(cv.mask(), w - 11, h / 2, 7, "right"), S.ICON_HI if hot else S.ICON)
    return cv.image()


def popup_background(w, h):
    cv = Canvas(w, h)
    cv.fill(cv.mask().rect(0, 0, w, h), S.MENU)
    cv.fill(cv.mask().frame(0, 0, w, h), S.LINE)
    return cv.image()


def check_box(size, state):
    cv = Canvas(size, size)
    r = 2 if size >= 13 else 1.5
    body = cv.mask().rrect(0, 0, size, size, r)
    if state == "dn":
        cv.gradient(body, [(0, S.ACCENT_LIGHT), (0.35, S.ACCENT), (1, S.mix(S.ACCENT, S.ACCENT_DIM, 0.5))], 0, size)
        k = size / 15.0
        tick = cv.mask().line([(3.6 * k, 7.6 * k), (6.3 * k, 10.4 * k), (11.4 * k, 4.6 * k)],
                              max(1.3, 2.0 * k))
        cv.fill(tick, S.WINDOW)
    else:
        cv.gradient(body, [(0, S.PANEL_DEEP), (1, S.FACE)], 0, size)
        if state == "ov":
            _inner_glow(cv, body, 0.6, 2.0)
        cv.fill(cv.mask().rframe(0, 0, size, size, r), S.ACCENT if state == "ov" else S.LINE_HI)
    return cv.image()


def radio(size, state):
    cv = Canvas(size, size)
    body = cv.mask().ellipse(0, 0, size, size)
    cv.gradient(body, [(0, S.PANEL_DEEP), (1, S.FACE)], 0, size)
    if state != "nr":
        _inner_glow(cv, body, 0.5, 2.0)
    cv.fill(cv.mask().ring(0, 0, size, size), S.ACCENT if state != "nr" else S.LINE_HI)
    if state == "dn":
        dot = cv.mask().circle(size / 2, size / 2, size * 0.22)
        cv.glow(dot, S.ACCENT, 1.5, 0.9)
        cv.fill(dot, S.ACCENT_LIGHT)
    return cv.image()


def glyph_button(size, glyph, state):
    """Close and minimise buttons of the window corners."""
    cv = Canvas(size, size)
    hot = state != "nr"
    if hot:
        plate = cv.mask().rrect(0, 0, size, size, 2)
        cv.fill(plate, S.mix(S.WINDOW, S.ACCENT, 0.22))
        cv.fill(cv.mask().rframe(0, 0, size, size, 2), S.ACCENT)
    m = cv.mask()
    c = size / 2.0
    if glyph == "close":
        d = size * 0.24
        m.line([(c - d, c - d), (c + d, c + d)], 1.5).line([(c - d, c + d), (c + d, c - d)], 1.5)
    else:
        m.rect(int(c - size * 0.27), int(c + 2), int(c + size * 0.27) + 1, int(c + 2) + 2)
    if hot:
        cv.glow(m, S.ACCENT_LIGHT, 1.2, 0.5)
    cv.fill(m, S.ICON_HI if hot else S.ICON)
    return cv.image()


def dpi_plate(w, h, state):
    """Plate under a stage's DPI value; the program writes the value over it."""
    cv = Canvas(w, h)
    body = cv.mask().rrect(0, 0, w, h, 2)
    fill = {"nr": S.PANEL_DEEP, "ov": S.FACE, "dn": S.ACCENT_DEEP}[state]
    cv.fill(body, fill)
    cv.fill(cv.mask().rframe(0, 0, w, h, 2), {"nr": S.LINE_SOFT, "ov": S.LINE_HI, "dn": S.ACCENT}[state])
    return cv.image()


def level_bar(w, h, filled):
    """DPI level bar of one stage: a segmented track, and the lit segments that fill it from below."""
    cv = Canvas(w, h)
    track = cv.mask().rect(0, 0, w, h)
    if not filled:
        cv.fill(track, S.PANEL_DEEP)
        cv.fill(cv.mask().frame(0, 0, w, h), S.LINE_SOFT)
        seg = cv.mask()
        for y in range(2, h - 2, 4):
            seg.rect(2, y, w - 2, y + 3)
        cv.fill(seg, S.LINE_SOFT)
    else:
        cv.gradient(track, [(0, S.ACCENT_LIGHT), (0.25, S.ACCENT), (1, S.ACCENT_DIM)], 0, h)
        cv.fill(cv.mask().frame(0, 0, w, h), S.mix(S.ACCENT, S.WINDOW, 0.25))
        gaps = cv.mask()
        for y in range(1, h - 1, 4):
            gaps.rect(1, y + 3, w - 1, y + 4)
        cv.fill(gaps, S.with_alpha(S.WINDOW, 170))
    return cv.image()


def slider_bar(w, h):
    cv = Canvas(w, h)
    cy = h // 2
    groove = cv.mask().rrect(0, cy - 2, w, cy + 2, 2)
    cv.fill(groove, S.PANEL_DEEP)
    cv.fill(cv.mask().rframe(0, cy - 2, w, cy + 2, 2), S.LINE)
    lit = cv.mask().rect(2, cy - 1, w - 2, cy + 1)
    cv.gradient(lit, [(0, S.ACCENT_DIM), (1, S.ACCENT)], 0, w, horizontal=True, opacity=0.6)
    return cv.image()


def slider_knob(size):
    cv = Canvas(size, size)
    c = size / 2.0
    halo = cv.mask().circle(c, c, c - 2.5)
    cv.glow(halo, S.ACCENT, 1.6, 0.7)
    body = cv.mask().circle(c, c, c - 2.5)
    cv.gradient(body, [(0, S.FACE_HI), (1, S.FACE)], 0, size)
    cv.fill(cv.mask().ring(2.5, 2.5, size - 2.5, size - 2.5, 1.5), S.ACCENT)
    cv.fill(cv.mask().circle(c, c, 2), S.ACCENT_LIGHT)
    return cv.image()


def colour_frame(size, checked):
    """Frame round a colour swatch; the program fills the inside (inset by 3) with the colour."""
    cv = Canvas(size, size)
    outer = cv.mask().rrect(0, 0, size, size, 3)
    hole = cv.mask().rect(3, 3, size - 3, size - 3)
    ring = cv.mask()
    ring.img = outer.img
    ring.subtract(hole)
    cv.fill(ring, S.FACE_HI if checked else S.FACE)
    cv.fill(cv.mask().rframe(0, 0, size, size, 3), S.ACCENT if checked else S.LINE_HI)
    if checked:
        _inner_glow(cv, ring, 0.6, 1.5)
    return cv.image()


def record_button(w, h, state):
    """Record toggle of the macro manager: a button face with a record dot, lit while recording."""
    img = button_face(w, h, "nr" if state == "nr" else "ov")
    cv = Canvas(w, h)
    cv.img = img.resize((w * S.SS, h * S.SS))
    dot = cv.mask().circle(11, h / 2, 4)
    if state == "dn":
        cv.glow(dot, S.BAD, 1.8, 0.9)
        cv.fill(dot, S.BAD)
    else:
        cv.fill(dot, S.ICON_HI if state == "ov" else S.ICON)
    return cv.image()


def scroll_arrows(cell, direction):
    """Three cells side by side: at rest, under the pointer, pressed."""
    from PIL import Image
    out = Image.new("RGBA", (cell * 3, cell))
    for i, state in enumerate(("nr", "ov", "dn")):
        cv = Canvas(cell, cell, S.SCROLL_FIELD)
        box = cv.mask().rect(1, 1, cell - 1, cell - 1)
        cv.fill(box, {"nr": S.SCROLL_CELL, "ov": S.SCROLL_CELL_HI, "dn": S.ACCENT_DEEP}[state])
        cv.fill(cv.mask().frame(1, 1, cell - 1, cell - 1), {"nr": S.SCROLL_EDGE, "ov": S.ACCENT, "dn": S.ACCENT}[state])
        chev = _chevron(cv.mask(), cell / 2, cell / 2 + (0.5 if direction == "down" else -0.5) * 0,
                        cell * 0.46, direction, 1.5)
        cv.fill(chev, {"nr": S.ICON, "ov": S.ICON_HI, "dn": S.ACCENT_LIGHT}[state])
        out.paste(cv.image(), (i * cell, 0))
    return out
