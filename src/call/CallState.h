// The call in progress, shared by the event handling, the hold timer and the call dialog: a
// record of the user-interface thread; only its online and session flags are also guarded by a
// lock each, for their writes on TELKA paths.
#pragma once

#include <cstdint>
#include <string>

#include "moh/MohApi.h"

// The countdown texts before any hold.
constexpr const char* kNoHoldText = "00:00:00";
constexpr const char* kNoAnswerText = "00:00";

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
// The data connection is still held after the user went to the voice call: the hold has not
// run out, the data are not back and the session is not over.
bool HoldStillHeld(int state);

// The warning time in whole seconds, and as the warning texts quote it (" %3d ").
int WarnSeconds(int warnTimeMs);
std::string WarnSecondsText(int warnTimeMs);

// The call in progress, as the events, the countdown and the user's answers leave it.
struct CallInProgress {
  int gCallState = CALLSTATE_MODEM_IDLE;
  std::string gStatusText;
  std::string gCallerIdText;
  bool gOnline = false;
  bool gMohSession = false;
  bool gVoiceActive = false;
  bool gPlacingCall = false;
  // An outgoing call was asked of the library and it has not answered yet: no second request,
  // for at most the family's answer window from the tick count the request was sent at.
  bool gOriginatePending = false;
  uint32_t gOriginateSentMs = 0;
  // The answer window ran out and declined the call: the buttons that take it do nothing until
  // the library's next event.
  bool gAnswerDeclined = false;

  int gHoldDurationMs = 0;
  int gHoldRemainingMs = 0;
  int gAnswerRemainingMs = 0;
  uint32_t gLastTickCount = 0;
  std::string gHoldText = kNoHoldText;
  std::string gAnswerText = kNoAnswerText;
  // Ticks since the last warning beep; the first tick of a warning beeps.
  int gBeepCount = 3;
};
extern CallInProgress gCall;

// Writes of the two flags, each inside its own lock, never both together. Every write runs on
// the window's thread; the locks stay on purpose, as TELKA's line state has always been guarded.
void SetOnlineLocked(CallInProgress& call, bool value);
void SetMohSessionLocked(CallInProgress& call, bool value);

// The call state as a process starts.
void ResetCallState();
// The countdown texts before any hold.
void ResetCountdownTexts(CallInProgress& call);
