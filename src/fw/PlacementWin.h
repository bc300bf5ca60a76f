// Where the program's modeless dialogs open: the first one of a kind centred on the screen,
// later ones where the last one closed, on top of every other window.
#pragma once

#include <windows.h>

// Remembers where the window is, for the next one of its kind.
void RememberPlacement(HWND window, WINDOWPLACEMENT& placement);
// Centres the window on the screen at its own size, with the show state given, and records
// that as its placement.
void PlaceCentred(HWND window, WINDOWPLACEMENT& placement, UINT show);
// Applies the remembered placement with the show state given.
void PlaceAsRemembered(HWND window, WINDOWPLACEMENT& placement, UINT show);
// Puts the window above every other window at the placement's left and top, its size kept.
void RaiseToTopAt(HWND window, const WINDOWPLACEMENT& placement);
// Moves the window into the work area of the screen (the screen without the task bar), as
// KeptInArea says.
void KeepInWorkArea(HWND window);
