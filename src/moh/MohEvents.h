// How the library's events enter the program: the callback the library calls, possibly on a
// thread of its own, turns each into a window message for the player window.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "moh/MohApi.h"

// The last event code the library reported; 0 before the first.
int LastMohEvent();

// The fixed sentence the log writes for an event the library reports, or null for an event
// without one.
const char* EventSentence(int code);

// Posts the event, records it as the last one and logs its sentence. Touches no call state.
void MOHAPI_CALL MohEventCallback(int event, int value);

// MohInitialize with MohEventCallback. A library may report "modem active" while it
// initialises; such a report is the echo of this call, not news of the line, and must not
// start another initialisation (a BORIN line answers every one with the next echo).
int InitializeMoh(int handle, MODEM_ENTRY* entry);
// True, once per echo, when the "modem active" being handled was reported during one of the
// program's own initialisations.
bool TakeModemActiveEcho();
// Forgets the echoes counted so far and the last event (tests).
void ResetModemActiveEchoes();

// Adapter: posts WM_MOH_EVENT (event, value) to the main window when there is one; false when
// nothing was posted.
bool PostMohEvent(int event, int value);

// The events posted to the main window and not handled yet, as the program's own posts count
// them: the handler learns that more wait without asking the system, thousands of times in a
// burst. Counted before each post and taken back when it fails; one is taken as each is
// handled, never below zero, so that an event posted from outside can make the count short
// (a dialog is then built that the next event replaces) but never long.
void CountPostedEvent();
void UncountPostedEvent();
bool PostedEventsWaiting();

// Marks a posted event whose caller-ID text the callback took from the library when the call
// was reported: by the time the event is handled the library may hold a later call's text.
constexpr int kCallerIdTaken = 0x10000;
// The oldest text taken and not yet handed out; the handler of each marked event takes one.
std::optional<std::string> TakeCallerIdSnapshot();
// Forgets the texts taken so far (tests).
void ResetCallerIdSnapshots();
