// One running copy of the program: a named mutex, and a mark on the main window of a copy
// that finished its start-up.
#pragma once

#include <windows.h>

#include <string>

// True for the first copy. A later copy gets false; if the running copy's marked window is
// minimised, it is restored first.
bool ClaimSingleInstance(const std::string& exeName);

// From now on later copies find this window.
void MarkMainWindow(HWND window, const std::string& exeName);
