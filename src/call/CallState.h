// The call state shared by the event handling, the hold timer and the call dialog. Plain
// globals of the user-interface thread; only gOnline and gMohSession are also guarded by a
// lock each, for their writes on TELKA paths.
#pragma once

#include <cstdint>
#include <string>

#include "moh/MohApi.h"

// gCallState: the code of the event that last set it.
constexpr int CALLSTATE_EVENT_1 = MOH_EVENT_1;                          // as the event; shown
constexpr int CALLSTATE_MODEM_ACCESS_FAILED = MOH_MODEM_ACCESS_FAILED;  // opening the modem failed
constexpr int CALLSTATE_MODEM_ACTIVE = MOH_MODEM_ACTIVE;                // online, nothing pending
constexpr int CALLSTATE_MODEM_IDLE = MOH_MODEM_IDLE;                // offline; the initial state
constexpr int CALLSTATE_INCOMING_CALL = MOH_INCOMING_CALL;          // ringing, no hold asked yet
constexpr int CALLSTATE_DENIED = MOH_DENIED;                        // no hold for this call
constexpr int CALLSTATE_GRANTED = MOH_GRANTED;                      // held, the user must answer
constexpr int CALLSTATE_SWITCH_TO_VOICE = MOH_SWITCH_TO_VOICE;      // in the voice call, data held
constexpr int CALLSTATE_TIMEOUT_WARNING = MOH_TIMEOUT_WARNING;      // the hold is about to run out
constexpr int CALLSTATE_TIMEOUT = MOH_TIMEOUT;                      // the hold ran out
constexpr int CALLSTATE_DATA_DISCONNECTED = MOH_DATA_DISCONNECTED;  // the data call was dropped
constexpr int CALLSTATE_DATA_RESUMED = MOH_DATA_RESUMED;            // back online after the hold
constexpr int CALLSTATE_ERROR = MOH_ERROR;
constexpr int CALLSTATE_RESTORING = MOH_RESTORING;  // restoring the data connection
constexpr int CALLSTATE_SESSION_TERMINATED = MOH_SESSION_TERMINATED;  // waiting for the restore
constexpr int CALLSTATE_REMOTE_TIMEOUT = MOH_REMOTE_TIMEOUT;          // the hold ran out remotely
constexpr int CALLSTATE_MODEM_UNAVAILABLE = MOH_MODEM_UNAVAILABLE;    // the modem cannot be reached

// Whether the main window shows a call dialog after an event that left this state.
bool ShowsCallDialog(int state);
// The states in which the granted hold is counted down.
bool HoldRunning(int state);
// Whether "Anruf annehmen" and "Anruf tätigen" may take the call: offered, or about to time
// out before the user went to the voice call.
bool CanTakeCall(int state, int voiceActive);
// In the voice call with the data connection held.
bool InVoiceCallOnHold(int state, int voiceActive);

// The warning time in whole seconds, and as the warning texts quote it (" %3d ").
int WarnSeconds(int warnTimeMs);
std::string WarnSecondsText(int warnTimeMs);

extern int gCallState;
extern std::string gStatusText;
extern std::string gCallerIdText;
extern int gOnline;
extern int gMohSession;
extern int gVoiceActive;
extern int gPlacingCall;
// An outgoing call was asked of the library and it has not answered yet: no second request.
extern bool gOriginatePending;
// The answer window ran out and declined the call: the buttons that take it do nothing until
// the library's next event.
extern bool gAnswerDeclined;

extern int gHoldDurationMs;
extern int gHoldRemainingMs;
extern int gAnswerRemainingMs;
extern uint32_t gLastTickCount;
extern int gAnswerSeconds;
extern std::string gAnswerSecondsText;
extern int gWarnSeconds;
extern std::string gWarnSecondsText;
extern std::string gSecondsWord;
extern std::string gHoldText;
extern std::string gAnswerText;
extern int gBeepCount;

// The notification-area icon: added yet, and the icon last sent.
extern int gTrayIconAdded;
extern const void* gLastTrayIcon;

// Writes of the two flags, each inside its own lock, never both together.
void SetOnlineLocked(int value);
void SetMohSessionLocked(int value);

// The call state as a process starts.
void ResetCallState();
// The countdown texts before any hold: "00:00:00" and "00:00".
void ResetCountdownTexts();
