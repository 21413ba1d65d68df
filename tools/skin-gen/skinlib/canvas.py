"""Supersampled drawing: shapes are drawn into coverage masks at SS times the design size, then
filled, graded or made to glow, and the finished picture is reduced with a box filter.

All coordinates are design pixels. Rectangles are given by their pixel edges (x0, y0, x1, y1) with
x1 and y1 exclusive, so rect(0, 0, 10, 1) covers exactly the ten pixels of row 0 and stays a crisp
1-px line after reduction.
"""
import math

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from . import style

SS = style.SS


def _font(path, size):
    return ImageFont.truetype(path, max(1, int(round(size * SS))))


class Mask:
    """Coverage (0..255) of a shape, at supersampled resolution."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.img = Image.new("L", (w * SS, h * SS), 0)
        self.d = ImageDraw.Draw(self.img)

    @staticmethod
    def _box(x0, y0, x1, y1):
        return [x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1]

    def rect(self, x0, y0, x1, y1, value=255):
        self.d.rectangle(self._box(x0, y0, x1, y1), fill=value)
        return self

    def frame(self, x0, y0, x1, y1, width=1, value=255):
        """A rectangular outline `width` pixels wide, inside the given edges."""
        self.rect(x0, y0, x1, y0 + width, value)
        self.rect(x0, y1 - width, x1, y1, value)
        self.rect(x0, y0, x0 + width, y1, value)
        self.rect(x1 - width, y0, x1, y1, value)
        return self

    def rrect(self, x0, y0, x1, y1, r, value=255):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * SS, fill=value)
        return self

    def rframe(self, x0, y0, x1, y1, r, width=1, value=255):
        self.d.rounded_rectangle(self._box(x0, y0, x1, y1), radius=r * SS, outline=value,
                                 width=int(round(width * SS)))
        return self

    def ellipse(self, x0, y0, x1, y1, value=255):
        self.d.ellipse(self._box(x0, y0, x1, y1), fill=value)
        return self

    def ring(self, x0, y0, x1, y1, width=1, value=255):
        self.d.ellipse(self._box(x0, y0, x1, y1), outline=value, width=int(round(width * SS)))
        return self

    def circle(self, cx, cy, r, value=255):
        self.d.ellipse([(cx - r) * SS, (cy - r) * SS, (cx + r) * SS, (cy + r) * SS], fill=value)
        return self

    def polygon(self, points, value=255):
        self.d.polygon([(x * SS, y * SS) for x, y in points], fill=value)
        return self

    def line(self, points, width=1, value=255, joint="curve"):
        self.d.line([(x * SS, y * SS) for x, y in points], fill=value, width=int(round(width * SS)),
                    joint=joint)
        return self

    def annulus(self, cx, cy, r_in, r_out, a0, a1, value=255):
        """The part of a ring between two angles, in degrees counter-clockwise from 3 o'clock."""
        box_out = [(cx - r_out) * SS, (cy - r_out) * SS, (cx + r_out) * SS, (cy + r_out) * SS]
        seg = Image.new("L", self.img.size, 0)
        sd = ImageDraw.Draw(seg)
        sd.pieslice(box_out, -a1, -a0, fill=value)
        if r_in > 0:
            sd.ellipse([(cx - r_in) * SS, (cy - r_in) * SS, (cx + r_in) * SS, (cy + r_in) * SS], fill=0)
        self.img = ImageChops.lighter(self.img, seg)
        self.d = ImageDraw.Draw(self.img)
        return self

    def cut_ray(self, cx, cy, angle, length, width):
        """Erases a straight cut from the centre outwards (gaps between ring segments)."""
        a = math.radians(angle)
        self.line([(cx, cy), (cx + math.cos(a) * length, cy - math.sin(a) * length)], width, 0)
        return self

    def text(self, x, y, s, size, font=style.FONT_BOLD, anchor="mm", value=255):
        self.d.text((x * SS, y * SS), s, font=_font(font, size), fill=value, anchor=anchor)
        return self

    def subtract(self, other):
        self.img = ImageChops.subtract(self.img, other.img)
        self.d = ImageDraw.Draw(self.img)
        return self

    def intersect(self, other):
        self.img = ImageChops.multiply(self.img, other.img)
        self.d = ImageDraw.Draw(self.img)
        return self


class Canvas:
    def __init__(self, w, h, background=None):
        self.w, self.h = w, h
        bg = (0, 0, 0, 0) if background is None else tuple(background[:3]) + ((background[3],) if len(background) > 3 else (255,))
        self.img = Image.new("RGBA", (w * SS, h * SS), bg)

    def mask(self):
        return Mask(self.w, self.h)

    def _paint(self, layer, mask, opacity=1.0):
        alpha = mask.img if opacity >= 1.0 else mask.img.point(lambda v: int(v * opacity))
        layer.putalpha(ImageChops.multiply(layer.getchannel("A"), alpha))
        self.img = Image.alpha_composite(self.img, layer)

    def fill(self, mask, colour, opacity=1.0):
        c = tuple(colour[:3]) + ((colour[3],) if len(colour) > 3 else (255,))
        self._paint(Image.new("RGBA", self.img.size, c), mask, opacity)
        return self

    def gradient(self, mask, stops, y0=0, y1=None, horizontal=False, opacity=1.0):
        """Fills the mask with a linear gradient through `stops` [(t, colour), ...] from y0 to y1
        (or x0 to x1 when horizontal)."""
        span_px = self.img.size[0] if horizontal else self.img.size[1]
        y1 = (self.w if horizontal else self.h) if y1 is None else y1
        strip = Image.new("RGBA", (span_px, 1) if horizontal else (1, span_px))
        px = strip.load()
        for i in range(span_px):
            t = ((i + 0.5) / SS - y0) / max(1e-6, (y1 - y0))
            t = min(1.0, max(0.0, t))
            c = _sample(stops, t)
            c = tuple(c[:3]) + ((c[3],) if len(c) > 3 else (255,))
            if horizontal:
                px[i, 0] = c
            else:
                px[0, i] = c
        layer = strip.resize(self.img.size, Image.NEAREST)
        self._paint(layer, mask, opacity)
        return self

    def radial(self, mask, cx, cy, radius, inner, outer, ry=None, opacity=1.0):
        """Fills the mask with a radial blend from `inner` at the centre to `outer` at `radius`
        (an ellipse when `ry` differs)."""
        ry = radius if ry is None else ry
        g = _unit_radial()
        g = g.resize((max(1, int(2 * radius * SS)), max(1, int(2 * ry * SS))), Image.BILINEAR)
        t = Image.new("L", self.img.size, 255)
        t.paste(g, (int(round((cx - radius) * SS)), int(round((cy - ry) * SS))))
        a = Image.new("RGBA", self.img.size, _rgba(inner))
        b = Image.new("RGBA", self.img.size, _rgba(outer))
        self._paint(Image.composite(b, a, t), mask, opacity)
        return self

    def glow(self, mask, colour, radius=style.GLOW_RADIUS, strength=style.GLOW_STRENGTH):
        """A soft halo of the mask's shape (drawn before the shape itself)."""
        blurred = mask.img.filter(ImageFilter.GaussianBlur(radius * SS))
        blurred = blurred.point(lambda v: min(255, int(v * strength * 1.6)))
        soft = Mask(self.w, self.h)
        soft.img = blurred
        return self.fill(soft, colour)

    def image(self):
        return self.img.resize((self.w, self.h), Image.BOX)


def _sample(stops, t):
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return style.mix(c0, c1, (t - t0) / max(1e-9, t1 - t0))
    return stops[-1][1]


def _rgba(c):
    return tuple(c[:3]) + ((c[3],) if len(c) > 3 else (255,))


_UNIT = None


def _unit_radial():
    """256 x 256: 0 at the centre rising to 255 at radius 128 (and beyond)."""
    global _UNIT
    if _UNIT is None:
        img = Image.new("L", (256, 256))
        px = img.load()
        for y in range(256):
            for x in range(256):
                d = math.hypot(x + 0.5 - 128, y + 0.5 - 128) / 128.0
                px[x, y] = min(255, int(d * 255))
        _UNIT = img
    return _UNIT
