// The player window, to which the library's callback posts its events from the library's own
// thread: set before the library is first initialised, cleared as the window goes.
#pragma once

#include <windows.h>

HWND MainWindowHandle();
void SetMainWindowHandle(HWND window);
