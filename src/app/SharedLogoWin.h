// The logo (bitmap 174) that the call dialog, the settings page and the About box show.
#pragma once

#include <windows.h>

// Gives every bitmap static of the dialog the one logo of the process. A bitmap static made
// from a template loads a copy of its own and never frees it; that copy goes here.
void UseSharedLogo(HWND dialog);
