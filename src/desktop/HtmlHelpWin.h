// The system's HTML Help control, loaded when first needed, and the program's help.
#pragma once

#include <windows.h>

constexpr UINT HH_DISPLAY_TOPIC_COMMAND = 0x0000;
constexpr UINT HH_CLOSE_ALL_COMMAND = 0x0012;

// HtmlHelpA of the control; 0 without effect when the control cannot be loaded, and then it
// is not tried again.
HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data);

// The menu's "Hilfe": the help file's page for the system's language.
void ShowHelp();
