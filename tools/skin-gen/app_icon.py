#!/usr/bin/python3
"""Draws the program icon (a stylised mouse on a dark tile) into app/res/app.ico."""
import os
import sys
from PIL import Image, ImageDraw

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def draw(size):
    s = size * 4  # draw large, scale down for smooth edges
    img = Image.new("RGBA", (s, s), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rounded_rectangle([0, 0, s - 1, s - 1], radius=s // 6, fill=(22, 22, 26, 255))
    body = [s * 0.30, s * 0.14, s * 0.70, s * 0.86]
    d.rounded_rectangle(body, radius=int(s * 0.2), fill=(48, 48, 56, 255), outline=(230, 40, 60, 255),
                        width=max(2, s // 24))
    d.line([s * 0.5, s * 0.16, s * 0.5, s * 0.42], fill=(230, 40, 60, 255), width=max(2, s // 32))
    d.rounded_rectangle([s * 0.47, s * 0.24, s * 0.53, s * 0.36], radius=s // 40, fill=(240, 240, 240, 255))
    return img.resize((size, size), Image.LANCZOS)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "app", "res", "app.ico")
    sizes = [16, 24, 32, 48, 64, 256]
    big = draw(256)
    big.save(out, sizes=[(n, n) for n in sizes])


if __name__ == "__main__":
    main()
