// Whether a window of another process shows every text whole: each control lies inside its
// parent's client area, and each text fits its control. A font handle belongs to its process, so
// the texts are measured in the font the window's template names, made here at the display's
// resolution as the dialog manager makes it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// One line per control whose text or frame runs past the room it has; none when all fit.
std::vector<std::string> TextOverruns(HWND window, const char* face, int points);

}  // namespace e2e
