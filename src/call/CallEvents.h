// The call state machine: every library event, and every event the program feeds itself, ends
// here, one at a time in posting order.
#pragma once

#include <cstdint>
#include <string>

#include "call/CallRoad.h"
#include "res/resource.h"

// Hold time granted for a MOH_GRANTED index, in milliseconds; 0 for index 0 and above 13.
int HoldTimeForIndex(int index);

// The status texts of MOH_ERROR's sub-codes 1 to 12, in order.
constexpr unsigned kErrorTextIds[] = {IDS_ERROR_1, IDS_ERROR_2,  IDS_ERROR_3,  IDS_ERROR_4,
                                      IDS_ERROR_5, IDS_ERROR_6,  IDS_ERROR_7,  IDS_ERROR_8,
                                      IDS_ERROR_9, IDS_ERROR_10, IDS_ERROR_11, IDS_ERROR_12};
// The status text of a MOH_ERROR sub-code's string id; 0 keeps the text as it is.
unsigned ErrorTextId(int subCode, const ModemFamily& family);

// Handles one event: call state, status text, flags, timers, library calls, and the call
// dialog closed and, for states that show it, opened anew. Returns 0, or -1 when a BORIN
// re-initialisation fails (then nothing else happens). An incoming call with caller ID asks the
// library for the caller's text, unless a later call already waits (it is then that call's).
// Only the library's own reports answer a request of ours (a call placed, an offer declined);
// the events the program feeds itself do not. Once the program has begun to end, no event
// changes anything.
enum class EventSource { Library, Program };
int HandleMohEvent(const CallRoad& road, int event, int value,
                   EventSource source = EventSource::Library);
// WM_MOH_DISPATCH: the event is no longer waiting; the program's own carry kOwnEventMark.
int DispatchMohEvent(const CallRoad& road, uintptr_t eventWord, int value);
