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
    """One icon image; small sizes get a fuller body and thicker lines so they stay readable."""
    s = size * 4  # draw large, scale down for smooth edges
    small = size <= 32
    px = 4.0  # one target pixel at the drawing scale
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, s - 1, s - 1], radius=s // 5, fill=S.PANEL + (255,),
                        outline=S.LINE + (255,), width=max(int(px), s // 64))
    # Mouse body with the accent rim, wheel and emblem.
    body = [s * 0.24, s * 0.08, s * 0.76, s * 0.92] if small else [s * 0.28, s * 0.12, s * 0.72, s * 0.88]
    rim = max(int(px * (1.6 if small else 1)), s // 26)
    glow = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    ImageDraw.Draw(glow).rounded_rectangle(body, radius=int(s * 0.22), outline=S.ACCENT + (255,),
                                           width=rim * 2)
    img.alpha_composite(glow.filter(ImageFilter.GaussianBlur(s / 40)))
    d.rounded_rectangle(body, radius=int(s * 0.22), fill=S.FACE + (255,), outline=S.ACCENT + (255,),
                        width=rim)
    cx, k = s * 0.5, s / 100.0
    if not small:
        d.line([cx, s * 0.14, cx, s * 0.44], fill=S.PANEL_DEEP + (255,), width=max(2, s // 40))
    wheel_w = max(px * (1.5 if small else 1), s * 0.035)
    d.rounded_rectangle([cx - wheel_w, s * (0.2 if small else 0.22), cx + wheel_w, s * (0.4 if small else 0.36)],
                        radius=int(wheel_w), fill=S.ACCENT_LIGHT + (255,))
    if size >= 24:
        for top in ((56, 67) if not small else (58, 70)):
            y = top * k
            d.polygon([(cx, y), (cx + 11 * k, y + 8 * k), (cx + 5.5 * k, y + 8 * k), (cx, y + 3.6 * k),
                       (cx - 5.5 * k, y + 8 * k), (cx - 11 * k, y + 8 * k)], fill=S.ACCENT + (255,))
    return img.resize((size, size), Image.LANCZOS)


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    out = argv[0] if argv else os.path.join(ROOT, "app", "res", "app.ico")
    sizes = [16, 24, 32, 48, 64, 256]
    images = [draw(n) for n in sizes]
    images[-1].save(out, sizes=[(n, n) for n in sizes], append_images=images[:-1])


if __name__ == "__main__":
    main()
