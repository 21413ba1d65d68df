"""Small icons of the macro lists: folders and the key/delay marks. They sit on the list's grey
(75, 75, 75) and on its blue selected row, so they are light glyphs with a dark edge."""
from . import style as S
from .canvas import Canvas

EDGE = (20, 21, 25)
LIGHT = (226, 230, 236)


def folder(open_):
    cv = Canvas(16, 16)
    back = cv.mask().polygon([(1, 3), (6, 3), (7.5, 5), (15, 5), (15, 14), (1, 14)])
    cv.fill(back, EDGE)
    cv.fill(cv.mask().polygon([(2, 4), (5.5, 4), (7, 6), (14, 6), (14, 13), (2, 13)]), (188, 194, 204))
    if open_:
        flap = cv.mask().polygon([(3.5, 7.5), (15.8, 7.5), (13.2, 14), (0.6, 14)])
        cv.fill(flap, EDGE)
        cv.fill(cv.mask().polygon([(4.2, 8.5), (14.4, 8.5), (12.5, 13), (2.2, 13)]), S.ACCENT_LIGHT)
    else:
        cv.fill(cv.mask().rect(2, 7, 14, 13), LIGHT)
        cv.fill(cv.mask().rect(2, 7, 14, 8), (255, 255, 255))
    return cv.image()


def arrow(direction):
    """Down: a key or button press; up: its release."""
    cv = Canvas(14, 14)
    if direction == "down":
        pts = [(5, 1), (9, 1), (9, 7), (12.5, 7), (7, 13), (1.5, 7), (5, 7)]
    else:
        pts = [(5, 13), (9, 13), (9, 7), (12.5, 7), (7, 1), (1.5, 7), (5, 7)]
    m = cv.mask().polygon(pts)
    cv.glow(m, EDGE, 0.8, 1.0)
    cv.fill(m, LIGHT if direction == "down" else S.ACCENT_LIGHT)
    return cv.image()


def clock():
    cv = Canvas(14, 14)
    cv.fill(cv.mask().circle(7, 7, 6.6), EDGE)
    cv.fill(cv.mask().circle(7, 7, 5.5), LIGHT)
    hands = cv.mask().line([(7, 3.2), (7, 7), (9.8, 8.6)], 1.4)
    cv.fill(hands, EDGE)
    return cv.image()
