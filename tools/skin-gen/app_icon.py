#!/usr/bin/python3
"""Draws the program icon (icon resource 128) into app/res/app.ico: the skin's mouse emblem, lit
in the accent colour, on a dark tile."""
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from skinlib import style as S  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def draw(size):
    s = size * 4  # draw large, scale down for smooth edges
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, s - 1, s - 1], radius=s // 5, fill=S.PANEL + (255,),
                        outline=S.LINE + (255,), width=max(2, s // 64))
    # Mouse body with the accent rim, wheel and emblem.
    body = [s * 0.28, s * 0.12, s * 0.72, s * 0.88]
    glow = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    ImageDraw.Draw(glow).rounded_rectangle(body, radius=int(s * 0.21), outline=S.ACCENT + (255,),
                                           width=max(3, s // 16))
    img.alpha_composite(glow.filter(ImageFilter.GaussianBlur(s / 40)))
    d.rounded_rectangle(body, radius=int(s * 0.21), fill=S.FACE + (255,), outline=S.ACCENT + (255,),
                        width=max(2, s // 26))
    d.line([s * 0.5, s * 0.14, s * 0.5, s * 0.44], fill=S.PANEL_DEEP + (255,), width=max(2, s // 40))
    d.rounded_rectangle([s * 0.465, s * 0.22, s * 0.535, s * 0.36], radius=s // 40, fill=S.ACCENT_LIGHT + (255,))
    cx, k = s * 0.5, s / 100.0
    for top in (58, 67):
        y = top * k
        d.polygon([(cx, y), (cx + 10 * k, y + 7 * k), (cx + 5.5 * k, y + 7 * k), (cx, y + 3.2 * k),
                   (cx - 5.5 * k, y + 7 * k), (cx - 10 * k, y + 7 * k)], fill=S.ACCENT + (255,))
    return img.resize((size, size), Image.LANCZOS)


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    out = argv[0] if argv else os.path.join(ROOT, "app", "res", "app.ico")
    sizes = [16, 24, 32, 48, 64, 256]
    big = draw(256)
    big.save(out, sizes=[(n, n) for n in sizes])


if __name__ == "__main__":
    main()
