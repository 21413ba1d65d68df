#pragma once
// Resource numbers of the program file (shared by the resource script and the code).
#define IDD_MAIN_WINDOW 102
#define IDI_APPLICATION_ICON 128
