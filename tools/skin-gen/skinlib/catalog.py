"""The table of every picture of the skin: where it goes, its design size, how it is drawn and what
uses it. make_skins writes the files and the index from it; the contact sheet shows it; the checks
read it."""
from dataclasses import dataclass, field
from functools import partial
from typing import Callable, Optional

from . import controls as C
from . import dials as D
from . import figures as F
from . import frames as R
from . import icons as I


@dataclass
class Picture:
    path: str                      # relative to the repository root
    size: tuple                    # design size in pixels (width, height)
    draw: Callable                 # returns a PIL image of that size
    uses: str                      # what shows it
    resource: Optional[tuple] = None   # (id, type) when carried in the program file
    extra: bool = False            # not named by the program's layout; offered for owners that want it
    group: str = ""                # heading in the index and the contact sheet


PICTURES = []


def add(path, size, draw, uses, group, resource=None, extra=False):
    PICTURES.append(Picture(path, size, draw, uses, resource, extra, group))


# --- Main window -----------------------------------------------------------------------------
G = "Main window"
add("app/res/main_background.bmp", R.MAIN_SIZE, R.main_background,
    "main window background, stretched to the scaled window", G, (364, "BITMAP"))
add("skins/Frame_Lighting_Setting.bmp", (230, 82), R.section_frame,
    "frame behind the left boxes and the open right-hand sections (stretched to each box)", G)
add("skins/mouse/mouse_nr.png", F.MOUSE_SIZE, F.mouse, "mouse picture 3400 at 457, 171", G)
for n in range(1, 7):
    add(f"skins/mouse/number{n}.png", (F.MARK_SIZE, F.MARK_SIZE), partial(F.number_mark, n),
        f"mark of button {n} over the mouse picture while its assignment field is hovered", G)
for n in range(1, 7):
    add(f"skins/mouse/serial_number{n}.png", (21, 19), partial(F.serial_number, n),
        f"number {n} in front of assignment field 20{12 + n}", G)
for kind, name, cid in (("wired", "Wired", 3409), ("wireless", "Wireless", 3410), ("ble", "BLE", 3408)):
    add(f"skins/Status_{name}.png", (230, 50), partial(F.link_status, kind),
        f"link status picture {cid} at 454, 10", G)
for state in ("nr", "ov"):
    add(f"skins/exit_{state}.png", (15, 15), partial(C.glyph_button, 15, "close", state),
        "close button 2001 (main window) and 2004 (dialogs)", G)
    add(f"skins/min_{state}.png", (15, 15), partial(C.glyph_button, 15, "min", state),
        "minimise button 2002", G)

G = "Buttons, captions and fields"
for state in ("nr", "ov"):
    add(f"skins/button1_{state}.png", (230, 25), partial(C.button_face, 230, 25, state),
        "macro manager button 2062", G)
    add(f"skins/button2_{state}.png", (69, 20), partial(C.button_face, 69, 20, state),
        "profiles 3502, factory reset 2045, OK / cancel / start buttons of the dialogs", G)
    add(f"skins/button4_{state}.png", (215, 45), partial(C.pointer_button, 215, 45, state),
        "desktop-mouse button 3330", G, extra=(state == "ov"))
    add(f"skins/combo2_{state}.png", (162, 21), partial(C.combo, 162, 21, state),
        "button assignment fields 2013..2018", G)
for state in ("nr", "ov", "dn"):
    add(f"skins/header_{state}.png", (262, 25), partial(C.header, 262, 25, state),
        "right-hand section headers 3001, 3004, 3011, 3003, 3014 (dn: open)", G, extra=(state == "dn"))
    add(f"skins/header2_{state}.png", (230, 25), partial(C.header, 230, 25, state, False),
        "left caption bars 3008, 3007, 3010; profile list rows", G, extra=(state == "dn"))
for state in ("nr", "ov", "dn"):
    add(f"skins/check_{state}.png", (15, 15), partial(C.check_box, 15, state),
        "sensor option checks 3540..3542, XY Sync 2019, record-delay check", G)
    add(f"skins/check_button_dpi_{state}.png", (11, 11), partial(C.check_box, 11, state),
        "DPI stage enable checks 3260..3265", G)
    add(f"skins/radio_{state}.png", (15, 15), partial(C.radio, 15, state),
        "lift-off radios 3509..3511, replay mode radios 2031..2033", G)
add("skins/color_select_nr.png", (24, 24), partial(C.colour_frame, 24, False),
    "colour swatch frame (swatch inset by 3)", G)
add("skins/color_select_check.png", (24, 24), partial(C.colour_frame, 24, True),
    "colour swatch frame, chosen", G)
for state in ("nr", "ov", "dn"):
    add(f"skins/record_{state}.png", (69, 20), partial(C.record_button, 69, 20, state),
        "record toggle 2018 of the macro manager (dn: recording)", G, extra=True)

G = "DPI stages"
add("skins/dpi_value.png", (26, 11), partial(C.dpi_plate, 26, 11, "nr"),
    "DPI stage buttons 3290..3295 (value written over it)", G)
add("skins/dpi_value_ov.png", (26, 11), partial(C.dpi_plate, 26, 11, "ov"),
    "DPI stage button under the pointer", G, extra=True)
add("skins/dpi_value_dn.png", (26, 11), partial(C.dpi_plate, 26, 11, "dn"),
    "DPI stage button selected", G, extra=True)
add("skins/dpi_bar_bg.png", (7, 132), partial(C.level_bar, 7, 132, False),
    "DPI level bars 3300..3305, background", G, extra=True)
add("skins/dpi_bar_fill.png", (7, 132), partial(C.level_bar, 7, 132, True),
    "DPI level bars 3300..3305, fill (cut from below)", G, extra=True)
add("skins/Slider_bar.png", (340, 18), partial(C.slider_bar, 340, 18),
    "slider bar (image control 2020) of the DPI value dialogs", G)
add("skins/Slider_Circle.png", (18, 18), partial(C.slider_knob, 18),
    "slider knob of the DPI value dialogs", G)

G = "Report rate"
for top, cls_id in ((250, 3041), (1000, 3042), (2000, 3043), (4000, 3044), (8000, 3045)):
    add(f"skins/pollingRate/{top}Hz.png", (150, 150), partial(D.dial_base, top),
        f"report-rate dial {cls_id}, base", G)
    for k in range(len(D.DIAL_POLYGONS[top])):
        add(f"skins/pollingRate/{top}Hz_{D.RATES[k]}.png", (150, 150), partial(D.dial_highlight, top, k),
            f"report-rate dial {cls_id}, sector {k} ({D.RATES[k]} Hz) selected or hovered", G)

G = "Battery and power"
for kind in ("full", "empty", "charging", "lighting"):
    add(f"skins/battery_{kind}.png", F.BATTERY_SIZE, partial(F.battery, kind),
        f"battery gauge 3406, {kind} picture", G)
for name, colour in (("green", F.S.GOOD), ("orange", F.S.WARN), ("red", F.S.BAD)):
    add(f"skins/battery_{name}.png", (8, 14), partial(F.battery_mark, colour),
        "battery legend mark 3401", G)
for step in range(8):
    add(f"skins/power_manage_{step + 3}min.png", D.POWER_SIZE, partial(D.power_dial, step),
        f"power-saving dial 3500, step {step}", G)

G = "Menus and popups"
add("skins/menu_nr.png", (162, 22), partial(C.menu_row, 162, 22, "nr", False), "assignment menu entry", G)
add("skins/menu_ov.png", (162, 22), partial(C.menu_row, 162, 22, "ov", False), "assignment menu entry, hovered", G)
add("skins/menusub_nr.png", (162, 22), partial(C.menu_row, 162, 22, "nr", True), "menu entry with submenu", G)
add("skins/menusub_ov.png", (162, 22), partial(C.menu_row, 162, 22, "ov", True), "menu entry with submenu, hovered", G)
add("app/res/popup_background.png", (300, 300), partial(C.popup_background, 300, 300),
    "background of every popup, stretched to it", G, (151, "PNG"))

G = "Macro manager"
add("skins/foldr_open.png", (16, 16), partial(I.folder, True), "open folder in the macro tree 2015", G)
add("skins/foldr_close.png", (16, 16), partial(I.folder, False), "closed folder in the macro tree 2015", G)
add("skins/macro_down.png", (14, 14), partial(I.arrow, "down"), "press action in the action list 2020", G)
add("skins/macro_up.png", (14, 14), partial(I.arrow, "up"), "release action in the action list 2020", G)
add("skins/macro_time.png", (14, 14), I.clock, "delay action in the action list 2020", G)
add("app/res/scroll_up.png", (45, 15), partial(C.scroll_arrows, 15, "up"),
    "scroll bar up arrow (three 15 × 15 cells: rest, hover, pressed)", G, (188, "PNG"))
add("app/res/scroll_down.png", (45, 15), partial(C.scroll_arrows, 15, "down"),
    "scroll bar down arrow (three cells)", G, (187, "PNG"))

G = "Dialogs"
add("skins/Frame_warning.bmp", (319, 102), partial(R.dialog_frame, 319, 102, "warning"), "notice dialog", G)
add("skins/Frame_common.bmp", (429, 140), partial(R.dialog_frame, 429, 140),
    "factory-reset confirmation, shortcut and profile name dialogs", G)
add("skins/Frame_progress_nr.bmp", (429, 140), partial(R.progress_frame, False), "progress dialog frame", G)
add("skins/Frame_progress_ov.bmp", (429, 140), partial(R.progress_frame, True),
    "progress dialog bar (rows 66..77 copied over the frame)", G)
add("skins/Frame_DPI.bmp", (429, 140), partial(R.dialog_frame, 429, 140), "DPI value dialog", G)
add("skins/Frame_DPI_Sync.bmp", (429, 217), partial(R.dialog_frame, 429, 217), "X/Y DPI value dialog", G)
add("skins/Frame_Macro_Manager.bmp", (528, 365),
    partial(R.dialog_frame, 528, 365, None, ((24, 53, 169, 324), (189, 53, 334, 324))),
    "macro manager and macro selection dialogs (list wells at 24, 53-169, 324 and 189, 53-334, 324)", G)
add("app/res/colour_palette.bmp", R.PALETTE_SIZE, R.colour_palette,
    "colour palette dialog (fields on 15, 15, 15)", G, (287, "BITMAP"))
