#pragma once
// Resource numbers of the skin pictures carried in the program file (app/res/skin_resources.rc).
// Written by tools/skin-gen/make_skins.
#define IDR_POPUP_BACKGROUND 151
#define IDR_SCROLL_DOWN_ARROWS 187
#define IDR_SCROLL_UP_ARROWS 188
#define IDB_COLOUR_PALETTE 287
#define IDB_MAIN_BACKGROUND 364
