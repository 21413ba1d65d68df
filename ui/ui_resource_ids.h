#pragma once
// Resource numbers of the toolkit (shared by its resource script and its code). The picture
// resources it loads (PNG 151, 187, 188; the background bitmap) come with the program's skin
// resources.
#define IDD_SKINNED_DIALOG 152
#define IDR_POPUP_BACKGROUND_PNG 151
#define IDR_SCROLL_DOWN_ARROW_PNG 187
#define IDR_SCROLL_UP_ARROW_PNG 188
