"""The look of the whole skin in one place: palette, fonts and the recurring shape sizes.

Every picture is drawn from these values, so restyling the skin means editing this file and
running tools/skin-gen/make_skins again. Colours are (red, green, blue) or (red, green, blue, alpha).
"""

# Supersampling factor: shapes are drawn this many times larger and reduced with a box filter, so
# straight edges on whole pixels stay crisp 1-px lines and curves come out anti-aliased.
SS = 4

# Background layers, darkest first.
WINDOW = (11, 12, 14)          # main window field
WINDOW_EDGE = (7, 7, 9)        # vignette towards the window edges
PANEL = (19, 20, 24)           # frames behind sections and dialogs
PANEL_DEEP = (14, 15, 18)      # wells: lists, tracks, text fields
FACE = (30, 32, 37)            # raised control face
FACE_HI = (40, 43, 50)         # raised control face under the pointer
LINE = (50, 53, 61)            # 1-px outlines
LINE_SOFT = (36, 38, 44)       # dividers
LINE_HI = (78, 82, 94)         # outlines of controls under the pointer (before the accent)
WINDOW_GLOW = (17, 18, 22)     # the window field's lighter middle
GRID_DOT = (40, 44, 52)        # dot grid of the middle stage
PANEL_TOP = (22, 23, 28)       # frames: lighter top of their gradient...
PANEL_BOTTOM = (17, 18, 22)    # ...and darker bottom
PANEL_EDGE = (14, 15, 18)      # dialog body towards its edges
MENU = (23, 24, 29)            # popups sit a step lighter than the window behind them
SLOT = (6, 6, 8)               # the mouse's wheel slot
SCROLL_CELL = (28, 28, 30)     # scroll arrow cells on the scroll bar's own field
SCROLL_CELL_HI = (36, 38, 44)
SCROLL_EDGE = (40, 40, 44)
ICON = (150, 154, 164)         # glyphs at rest
ICON_HI = (236, 238, 242)      # glyphs under the pointer

# The one accent colour. It matches the selection colour the toolkit paints into lists and the
# hovered scroll thumb, so pictures and painted parts read as one product.
ACCENT = (53, 160, 222)
# Its shades follow from it, so changing ACCENT restyles every picture.
_INK = (8, 10, 14)
ACCENT_DIM = tuple(int(round(a + (b - a) * 0.58)) for a, b in zip(ACCENT, _INK))
ACCENT_DEEP = tuple(int(round(a + (b - a) * 0.78)) for a, b in zip(ACCENT, _INK))
ACCENT_LIGHT = tuple(int(round(a + (255 - a) * 0.48)) for a in ACCENT)

# Signal colours, used only where a picture carries a meaning (battery level, recording).
GOOD = (72, 200, 112)
WARN = (240, 154, 40)
BAD = (228, 64, 64)

# The scroll bar fills its own rectangle with this colour; its arrow cells sit on it.
SCROLL_FIELD = (16, 16, 16)
# The colour palette picture: its colour fields lie on this background, which the palette dialog
# treats as "no colour".
PALETTE_FIELD = (15, 15, 15)

# Soft glow for hot and pressed states.
GLOW_RADIUS = 2.2
GLOW_STRENGTH = 0.85

# Corner radius of buttons and fields (design pixels).
RADIUS = 3

FONT_DIR = "/usr/share/fonts/truetype/dejavu/"
FONT_BOLD = FONT_DIR + "DejaVuSans-Bold.ttf"
FONT_CONDENSED_BOLD = FONT_DIR + "DejaVuSansCondensed-Bold.ttf"


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1); keeps alpha when both carry one."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def with_alpha(colour, alpha):
    return tuple(colour[:3]) + (int(alpha),)
