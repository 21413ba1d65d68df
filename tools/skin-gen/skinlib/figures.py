"""The mouse and its number marks, the link status pictures and the battery gauge."""
import math

from PIL import ImageChops, ImageFilter

from . import style as S
from .canvas import Canvas

MOUSE_SIZE = (215, 398)
# Where the window draws the number mark of each button, relative to the mouse picture's corner
# (the window places the picture at 457, 171 and the marks at fixed window positions).
MARK_SIZE = 22
MARK_OFFSETS = {1: (38, 60), 2: (151, 60), 3: (96, 80), 4: (10, 140), 5: (14, 189), 6: (156, 210)}

# Left half of the body outline, top centre to bottom centre; the right half is its mirror.
_BODY_LEFT = [(107.5, 6), (82, 8), (60, 15), (44, 31), (35, 56), (30, 95), (26, 135), (23, 175),
              (23, 215), (25, 255), (29, 295), (36, 332), (48, 362), (66, 381), (87, 391), (107.5, 393)]


def _smooth(points, steps=8):
    """Catmull-Rom curve through the points."""
    out = []
    pts = [points[0]] + points + [points[-1]]
    for i in range(1, len(pts) - 2):
        p0, p1, p2, p3 = pts[i - 1], pts[i], pts[i + 1], pts[i + 2]
        for s in range(steps):
            t = s / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(0.5 * ((2 * p1[j]) + (-p0[j] + p2[j]) * t + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                                    + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3) for j in range(2)))
    out.append(points[-1])
    return out


def body_outline():
    w = MOUSE_SIZE[0]
    left = _smooth(_BODY_LEFT)
    right = [(w - x, y) for x, y in reversed(left)]
    return left + right


def _half_x(y):
    """Left edge of the body at height y."""
    pts = _smooth(_BODY_LEFT)
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if y0 <= y <= y1 and y1 > y0:
            return x0 + (x1 - x0) * (y - y0) / (y1 - y0)
    return pts[-1][0]


def mouse():
    w, h = MOUSE_SIZE
    cx = w / 2.0
    cv = Canvas(w, h)
    outline = body_outline()
    body = cv.mask().polygon(outline)
    # Contact shadow under the body.
    shadow = cv.mask().polygon([(x, y + 3) for x, y in outline])
    cv.glow(shadow, (0, 0, 0), 4.0, 0.9)
    cv.radial(body, cx, 230, 150, S.FACE_HI, S.PANEL_DEEP, ry=230)
    # Buttons: the front part, split in the middle, ends in a shallow curve.
    split_y = 168
    seam = cv.mask().line([(_half_x(split_y - 12) + 1, split_y - 14), (cx - 30, split_y - 2), (cx, split_y),
                           (cx + 30, split_y - 2), (w - _half_x(split_y - 12) - 1, split_y - 14)], 1.6)
    seam.line([(cx, 8), (cx, split_y)], 1.6)
    cv.fill(seam, S.PANEL_DEEP)
    front = cv.mask().polygon(outline).intersect(cv.mask().rect(0, 0, w, split_y - 4))
    cv.gradient(front, [(0, S.with_alpha((255, 255, 255), 18)), (1, S.with_alpha((255, 255, 255), 0))], 0, split_y)
    # Accent light along the front edges and round the rear.
    rim = cv.mask().line(outline[:len(outline) // 2], 1.2).line(outline[len(outline) // 2:], 1.2)
    cv.fill(rim, S.LINE_HI)
    rear = cv.mask().rect(0, 250, w, h).intersect(rim)
    lit = cv.mask()
    lit.img = rear.img.filter(ImageFilter.GaussianBlur(3.0 * S.SS)).point(lambda v: min(255, int(v * 2.2)))
    lit.img = ImageChops.lighter(lit.img, rear.img)
    cv.gradient(lit, [(0, S.with_alpha(S.ACCENT, 0)), (0.35, S.ACCENT), (1, S.ACCENT)], 250, h)
    # Scroll wheel in its slot.
    slot = cv.mask().rrect(cx - 10, 66, cx + 10, 118, 6)
    cv.fill(slot, S.SLOT)
    wheel = cv.mask().rrect(cx - 6, 70, cx + 6, 114, 5)
    cv.gradient(wheel, [(0, S.LINE), (0.5, S.LINE_HI), (1, S.LINE)], 70, 114)
    ridges = cv.mask()
    for y in range(74, 112, 3):
        ridges.rect(int(cx - 5), y, int(cx + 6), y + 1)
    cv.fill(ridges, S.with_alpha(S.WINDOW, 150))
    cv.fill(cv.mask().rframe(cx - 10, 66, cx + 10, 118, 6), S.with_alpha(S.ACCENT, 120))
    # Stage button behind the wheel.
    dpi = cv.mask().rrect(cx - 6, 126, cx + 6, 148, 4)
    cv.fill(dpi, S.FACE)
    cv.fill(cv.mask().rframe(cx - 6, 126, cx + 6, 148, 4), S.LINE_HI)
    cv.fill(cv.mask().rect(int(cx) - 3, 132, int(cx) + 4, 133).rect(int(cx) - 3, 136, int(cx) + 4, 137)
            .rect(int(cx) - 3, 140, int(cx) + 4, 141), S.with_alpha(S.ACCENT, 160))
    # Side buttons (4 and 5 on the left flank, 6 on the top right).
    for y0, y1 in ((134, 168), (183, 217)):
        x0 = _half_x((y0 + y1) / 2) - 5
        pill = cv.mask().rrect(x0, y0, x0 + 13, y1, 5)
        cv.gradient(pill, [(0, S.FACE_HI), (1, S.FACE)], y0, y1)
        cv.fill(cv.mask().rframe(x0, y0, x0 + 13, y1, 5), S.LINE_HI)
    six = cv.mask().rrect(160, 205, 174, 237, 6)
    cv.gradient(six, [(0, S.FACE_HI), (1, S.FACE)], 205, 237)
    cv.fill(cv.mask().rframe(160, 205, 174, 237, 6), S.LINE_HI)
    # Emblem on the palm.
    emblem = cv.mask().polygon([(cx, 280), (cx + 16, 300), (cx + 8, 300), (cx, 290), (cx - 8, 300), (cx - 16, 300)])
    emblem.polygon([(cx, 298), (cx + 16, 318), (cx + 8, 318), (cx, 308), (cx - 8, 318), (cx - 16, 318)])
    cv.glow(emblem, S.ACCENT, 2.5, 0.8)
    cv.fill(emblem, S.ACCENT)
    # Sheen on the palm.
    sheen = cv.mask().ellipse(cx - 55, 190, cx + 25, 330)
    cv.radial(sheen, cx - 15, 260, 40, S.with_alpha((255, 255, 255), 16), S.with_alpha((255, 255, 255), 0), ry=70)
    return cv.image()


def number_mark(n):
    """Mark over the mouse picture of the button whose assignment is under the pointer."""
    s = MARK_SIZE
    cv = Canvas(s, s)
    c = s / 2.0
    disc = cv.mask().circle(c, c, c - 2.5)
    cv.glow(disc, S.ACCENT, 1.8, 0.9)
    cv.radial(disc, c, c - 2, c, S.ACCENT_LIGHT, S.ACCENT)
    cv.fill(cv.mask().ring(2.5, 2.5, s - 2.5, s - 2.5, 1), (255, 255, 255, 200))
    cv.fill(cv.mask().text(c, c + 0.5, str(n), 11, S.FONT_BOLD), S.WINDOW)
    return cv.image()


def serial_number(n, w=21, h=19):
    """Number badge in front of each button's assignment field."""
    cv = Canvas(w, h)
    plate = cv.mask().rrect(1, 1, w - 1, h - 1, 3)
    cv.gradient(plate, [(0, S.FACE), (1, S.PANEL)], 0, h)
    cv.fill(cv.mask().rframe(1, 1, w - 1, h - 1, 3), S.ACCENT_DIM)
    cv.fill(cv.mask().text(w / 2.0, h / 2.0 + 0.5, str(n), 10.5, S.FONT_BOLD), S.ACCENT_LIGHT)
    return cv.image()


def link_status(kind, w=230, h=50):
    cv = Canvas(w, h)
    cx, cy = w / 2.0, h / 2.0
    # Fading rails either side of the capsule.
    rails = cv.mask().rect(4, int(cy), 72, int(cy) + 1)
    cv.gradient(rails, [(0, S.with_alpha(S.ACCENT, 0)), (1, S.with_alpha(S.ACCENT, 150))], 4, 72, horizontal=True)
    rails = cv.mask().rect(w - 72, int(cy), w - 4, int(cy) + 1)
    cv.gradient(rails, [(0, S.with_alpha(S.ACCENT, 150)), (1, S.with_alpha(S.ACCENT, 0))], w - 72, w - 4, horizontal=True)
    half = 52
    cap = cv.mask().rrect(cx - half, 7, cx + half, h - 7, 18)
    cv.gradient(cap, [(0, S.FACE), (1, S.PANEL_DEEP)], 7, h - 7)
    cv.fill(cv.mask().rframe(cx - half, 7, cx + half, h - 7, 18), S.LINE)
    # Three dots each side: the link is live.
    dots = cv.mask()
    for i in range(3):
        dots.circle(cx - 38 + i * 6, cy, 1.3, 255 - i * 60)
        dots.circle(cx + 38 - i * 6, cy, 1.3, 255 - i * 60)
    cv.fill(dots, S.ACCENT)
    icon = cv.mask()
    if kind == "wired":
        icon.line([(cx - 19, cy), (cx - 9, cy)], 2.4)
        icon.rrect(cx - 10, cy - 8, cx + 5, cy + 8, 2.5)
        icon.rect(int(cx + 5), int(cy - 5), int(cx + 16), int(cy + 5))
        inner = cv.mask().rect(int(cx + 8), int(cy - 3), int(cx + 11), int(cy)).rect(int(cx + 12), int(cy - 3), int(cx + 15), int(cy))
        icon.subtract(inner)
    elif kind == "wireless":
        base = cy + 10
        icon.circle(cx, base - 1.5, 2.6)
        for r in (8, 14, 20):
            icon.annulus(cx, base, r - 2.3, r, 47, 133)
    else:  # BLE rune
        k = 1.5
        pts = [(-5, -5), (5, 5), (0, 10), (0, -10), (5, -5), (-5, 5)]
        icon.line([(cx + x * k, cy + y * k) for x, y in pts], 2.3, joint="curve")
    cv.glow(icon, S.ACCENT, 2.0, 0.8)
    cv.fill(icon, S.ACCENT_LIGHT)
    return cv.image()


# Battery gauge: the fill zone is rows 7..56 (50 rows), as the gauge cuts its pictures there.
BATTERY_SIZE = (30, 61)
BATTERY_FILL_TOP, BATTERY_FILL_ROWS = 7, 50


def _battery_shell(cv, colour):
    w, h = BATTERY_SIZE
    cv.fill(cv.mask().rrect(10, 0, 20, 4, 1), colour)
    cv.fill(cv.mask().rframe(3, 4, w - 3, h, 3), colour)


def battery(kind):
    w, h = BATTERY_SIZE
    cv = Canvas(w, h)
    if kind == "lighting":
        bolt = cv.mask().polygon([(17, 19), (9, 34), (14.5, 34), (12, 46), (21, 29), (15.5, 29), (18.5, 19)])
        cv.glow(bolt, (0, 0, 0), 1.5, 0.9)
        cv.fill(bolt, (255, 255, 255))
        cv.fill(cv.mask().polygon([(17, 19), (9, 34), (14.5, 34), (12, 46), (21, 29), (15.5, 29), (18.5, 19)])
                .subtract(cv.mask().polygon([(16.5, 21.5), (11, 32.5), (15.5, 32.5), (13.8, 41), (19.5, 30.5), (14.8, 30.5), (16.8, 21.5)])),
                S.ACCENT)
        return cv.image()
    inside = cv.mask().rect(4, 5, w - 4, h - 1)
    cv.fill(inside, S.PANEL_DEEP)
    zone = cv.mask().rect(6, BATTERY_FILL_TOP, w - 6, BATTERY_FILL_TOP + BATTERY_FILL_ROWS)
    if kind == "empty":
        ticks = cv.mask()
        for y in range(BATTERY_FILL_TOP + 9, BATTERY_FILL_TOP + BATTERY_FILL_ROWS, 10):
            ticks.rect(6, y, w - 6, y + 1)
        cv.fill(ticks, S.LINE_SOFT)
        _battery_shell(cv, S.LINE_HI)
    else:
        if kind == "full":
            cv.gradient(zone, [(0, S.ACCENT_LIGHT), (0.15, S.ACCENT), (1, S.ACCENT_DIM)],
                        BATTERY_FILL_TOP, BATTERY_FILL_TOP + BATTERY_FILL_ROWS)
        else:  # charging: lighter, with diagonal stripes
            cv.gradient(zone, [(0, S.ACCENT_LIGHT), (1, S.ACCENT)], BATTERY_FILL_TOP,
                        BATTERY_FILL_TOP + BATTERY_FILL_ROWS)
            stripes = cv.mask()
            for i in range(-30, 70, 6):
                stripes.line([(0, i), (w, i + w)], 2.0)
            stripes.intersect(zone)
            cv.fill(stripes, S.with_alpha(S.ACCENT_DIM, 110))
        seg = cv.mask()
        for y in range(BATTERY_FILL_TOP + 9, BATTERY_FILL_TOP + BATTERY_FILL_ROWS, 10):
            seg.rect(6, y, w - 6, y + 1)
        cv.fill(seg, S.with_alpha(S.WINDOW, 150))
        _battery_shell(cv, S.mix(S.LINE_HI, S.ACCENT, 0.55))
    return cv.image()


def battery_mark(colour, w=8, h=14):
    cv = Canvas(w, h)
    pill = cv.mask().rrect(1, 1, w - 1, h - 1, 2)
    cv.glow(pill, colour, 1.0, 0.5)
    cv.gradient(pill, [(0, S.mix(colour, (255, 255, 255), 0.35)), (1, colour)], 1, h - 1)
    return cv.image()
