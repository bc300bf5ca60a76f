// The program's art as its windows show it: the icon (IDR_MAINFRAME) in their title bars and the
// logo (IDB_LOGO) in the call dialog, the settings page and the About box.
#pragma once

#include <windows.h>

// Gives every bitmap static of the dialog the one logo of the process. A bitmap static made
// from a template loads a copy of its own and never frees it; that copy goes here.
void UseSharedLogo(HWND dialog);

// The program's icon as the window's big icon.
void UseProgramIcon(HWND window);
