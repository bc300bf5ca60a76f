// How the library's events enter the program: the callback the library calls, possibly on a
// thread of its own, turns each into a window message for the player window.
#pragma once

#include <atomic>

#include "moh/MohApi.h"

// The last event code the library reported.
extern std::atomic<int> gLastMohEvent;

// Posts the event, records it as the last one and logs its sentence. Touches no call state.
void MOHAPI_CALL MohEventCallback(int event, int value);

// Adapter: posts WM_MOH_EVENT (event, value) to the main window when there is one.
void PostMohEvent(int event, int value);
