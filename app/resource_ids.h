#pragma once
// Resource numbers of the program file (shared by the resource script and the code).
#define IDD_MAIN_WINDOW 102
#define IDI_APPLICATION_ICON 128
// The English texts (config/Lan_En.txt as built), type RCDATA: the fallback of the language load.
#define IDR_ENGLISH_TEXTS 410
