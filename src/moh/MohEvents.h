// How the library's events enter the program: the callback the library calls, possibly on a
// thread of its own, turns each into a window message for the player window.
#pragma once

#include <atomic>
#include <string>

#include "moh/MohApi.h"

// The last event code the library reported; 0 before the first.
int LastMohEvent();

// The fixed sentence the log writes for an event the library reports, or null for an event
// without one.
const char* EventSentence(int code);

// Posts the event, records it as the last one and logs its sentence. Touches no call state and
// calls nothing of the library: the library may hold a lock of its own while it calls back.
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
// The player window re-posts each event to its handler: RepostedEvent when that worked,
// ForgetPostedEvent when it failed (a full queue). A lost event waits nowhere any more; a lost
// incoming call no longer waits behind the one being handled, but the library holds its text,
// so the calls re-posted before it are handled without caller ID.
void RepostedEvent(int event);
void ForgetPostedEvent(int event);

// The incoming calls the callback posted, counted as they are posted. The library holds one
// caller's text, the newest call's: a call handled while a later one already waits is handled
// as a call without caller ID, so that no call is ever shown with another call's caller.
// TakeIncomingCall: the handler takes the one it handles (never below zero); true when a newer
// call was lost meanwhile, whose text the library holds.
bool TakeIncomingCall();
// True while an incoming call posted by the callback waits unhandled.
bool LaterIncomingCallWaiting();
