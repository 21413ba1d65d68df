"""Writes the pictures of the catalog, the resource script and the index under a root folder."""
import os

from .catalog import PICTURES

RESOURCE_NAMES = {364: "IDB_MAIN_BACKGROUND", 287: "IDB_COLOUR_PALETTE", 151: "IDR_POPUP_BACKGROUND",
                  187: "IDR_SCROLL_DOWN_ARROWS", 188: "IDR_SCROLL_UP_ARROWS"}


def save(picture, root):
    img = picture.draw()
    if img.size != tuple(picture.size):
        raise SystemExit(f"{picture.path}: drawn {img.size}, expected {picture.size}")
    out = os.path.join(root, picture.path)
    os.makedirs(os.path.dirname(out), exist_ok=True)
    if out.endswith(".bmp"):
        img.convert("RGB").save(out, "BMP")
    else:
        img.save(out, "PNG", optimize=True)
    return out


def write_resource_script(root):
    lines = ["// Skin pictures carried in the program file. Written by tools/skin-gen/make_skins.",
             "// PNG pictures use the resource type \"PNG\", which the toolkit's LoadPngResource asks for.",
             '#include "app/res/skin_resource_ids.h"', ""]
    head = ["#pragma once",
            "// Resource numbers of the skin pictures carried in the program file (app/res/skin_resources.rc).",
            "// Written by tools/skin-gen/make_skins."]
    for p in sorted((p for p in PICTURES if p.resource), key=lambda p: p.resource[0]):
        rid, rtype = p.resource
        name = RESOURCE_NAMES[rid]
        head.append(f"#define {name} {rid}")
        lines.append(f'{name} {rtype} "{os.path.basename(p.path)}"')
    # windres does not report the files a script pulls in, so the build is told here which pictures
    # the resource object depends on; a regenerated picture then reaches the program.
    deps = ["# Pictures carried in the program file. Written by tools/skin-gen/make_skins; included by",
            "# app/programs.cmake so that the resource object is rebuilt when one of them changes.",
            "set_property(SOURCE ${GM_ROOT}/app/res/app.rc APPEND PROPERTY OBJECT_DEPENDS"]
    deps += [f"  ${{GM_ROOT}}/{p.path}" for p in sorted((p for p in PICTURES if p.resource), key=lambda p: p.path)]
    deps += ["  ${GM_ROOT}/app/res/app.ico", "  ${GM_ROOT}/app/res/skin_resources.rc",
             "  ${GM_ROOT}/app/res/skin_resource_ids.h)"]
    with open(os.path.join(root, "app/res/skin_resources.cmake"), "w") as f:
        f.write("\n".join(deps) + "\n")
    with open(os.path.join(root, "app/res/skin_resource_ids.h"), "w") as f:
        f.write("\n".join(head) + "\n")
    with open(os.path.join(root, "app/res/skin_resources.rc"), "w") as f:
        f.write("\n".join(lines) + "\n")


def write_index(root):
    out = ["# Skin pictures", "",
           "Every picture here is drawn by `tools/skin-gen/make_skins` (palette and shapes in",
           "`tools/skin-gen/skinlib/style.py`); edit the generator, never the pictures. Sizes are design",
           "pixels: the program stretches each picture to its control's rectangle at the display scale.",
           "`tools/skin-gen/contact_sheet` writes `build/skins-contact.png` with all of them at scales 1,",
           "1.5 and 2; `tools/skin-gen/check_skins` checks names, sizes and the regions the program relies on.",
           "", "Pictures marked *extra* are not named by the window layouts; they are offered for controls",
           "whose layout leaves the picture open (a pressed or open state, the DPI level bars, the record",
           "toggle).", ""]
    group = None
    for p in PICTURES:
        if p.group != group:
            group = p.group
            out += ["", f"## {group}", "", "| picture | size | used by |", "|---|---|---|"]
        name = p.path[len("skins/"):] if p.path.startswith("skins/") else p.path
        size = f"{p.size[0]} × {p.size[1]}"
        use = p.uses + (" *(extra)*" if p.extra else "")
        if p.resource:
            use += f" — resource {p.resource[0]} ({p.resource[1]})"
        out.append(f"| `{name}` | {size} | {use} |")
    out += ["", "## Sizes and places chosen here", "",
            "The layouts name these pictures without fixing their size or inner layout; controls that",
            "use them should take these values:", "",
            "- battery legend marks: 8 × 14, at 165, 441 / 462 / 484 they centre on their 18-high texts;",
            "- number marks over the mouse: 22 × 22, drawn at their natural size;",
            "- folder icons 16 × 16 (tree rows are 20 high), action icons 14 × 14 (drawn at row left − 15);",
            "- scroll bar arrows: cells of 15 × 15, so the scroll bars are 15 wide;",
            "- popup background: 300 × 300, a plain panel with a 1-px edge, stretched to any popup;",
            "- DPI value dialogs: slider bar 340 × 18 with its groove on rows 7..10, knob 18 × 18 on the same rows;",
            "- DPI level bars: `dpi_bar_bg.png` and `dpi_bar_fill.png`, 7 × 132 as the stage controls;",
            "- colour swatch frames: 24 × 24, the swatch is the inside inset by 3;",
            "- record toggle: `record_nr/ov/dn.png`, 69 × 20 like the small buttons, the dot at its left end",
            "  (caption needs a left margin of about 20);",
            "- colour palette (500 × 291): hue field 20, 28 .. 220, 268; swatch grid of 8 × 6 cells of 24 × 22",
            "  from 248, 32 (gap 4); preview swatch 245, 212 .. 303, 270 framed; wells for the red, green and",
            "  blue value texts at 330 .. 396, tops 212, 232, 252, 17 high; a free place for the OK button at",
            "  404, 250 .. 473, 270 and for the close button at 480, 3 .. 495, 18;",
            "- the progress frames carry the bar track at 20, 66 .. 409, 78: the bar picture differs from the",
            "  frame only in those rows.", "",
            "Dialogs without a named background (firmware update and pairing, 429 × 200; download, 319 × 102)",
            "can use `Frame_common.bmp` and `Frame_warning.bmp` stretched.", ""]
    out += ["", "## Program icon", "", "| picture | sizes | used by |", "|---|---|---|",
            "| `app/res/app.ico` | 16, 24, 32, 48, 64, 256 | icon resource 128: window, task bar and notification area (drawn by `tools/skin-gen/app_icon.py`) |", ""]
    with open(os.path.join(root, "skins/README.md"), "w") as f:
        f.write("\n".join(out))
