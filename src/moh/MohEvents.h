// How the library's events enter the program: the callback the library calls, possibly on a
// thread of its own, turns each into a window message for the player window.
#pragma once

#include <atomic>

#include "moh/MohApi.h"

// The last event code the library reported.
extern std::atomic<int> gLastMohEvent;

// Posts the event, records it as the last one and logs its sentence. Touches no call state.
void MOHAPI_CALL MohEventCallback(int event, int value);

// MohInitialize with MohEventCallback. A library may report "modem active" while it
// initialises; such a report is the echo of this call, not news of the line, and must not
// start another initialisation (a BORIN line answers every one with the next echo).
int InitializeMoh(int handle, MODEM_ENTRY* entry);
// True, once per echo, when the "modem active" being handled was reported during one of the
// program's own initialisations.
bool TakeModemActiveEcho();
// Forgets the echoes counted so far (tests).
void ResetModemActiveEchoes();

// Adapter: posts WM_MOH_EVENT (event, value) to the main window when there is one.
void PostMohEvent(int event, int value);
