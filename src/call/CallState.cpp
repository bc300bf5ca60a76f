#include "call/CallState.h"

#include "fw/Lock.h"
#include "fw/Text.h"

bool ShowsCallDialog(int state) {
  return state != CALLSTATE_MODEM_ACTIVE && state != CALLSTATE_MODEM_IDLE &&
         state != CALLSTATE_INCOMING_CALL && state != CALLSTATE_TIMEOUT &&
         state != CALLSTATE_DATA_RESUMED;
}

bool HoldRunning(int state) {
  return state == CALLSTATE_GRANTED || state == CALLSTATE_SWITCH_TO_VOICE ||
         state == CALLSTATE_TIMEOUT_WARNING;
}

bool CanTakeCall(int state, int voiceActive) {
  return state == CALLSTATE_GRANTED || (state == CALLSTATE_TIMEOUT_WARNING && voiceActive == 0);
}

bool InVoiceCallOnHold(int state, int voiceActive) {
  return (state == CALLSTATE_SWITCH_TO_VOICE || state == CALLSTATE_TIMEOUT_WARNING) &&
         voiceActive == 1;
}

bool HoldStillHeld(int state) {
  return state == CALLSTATE_SWITCH_TO_VOICE || state == CALLSTATE_TIMEOUT_WARNING;
}

int WarnSeconds(int warnTimeMs) { return static_cast<int>(warnTimeMs * 0.001); }

std::string WarnSecondsText(int warnTimeMs) { return fw::Format(" %3d ", WarnSeconds(warnTimeMs)); }

CallInProgress gCall;

void ResetCallState() { gCall = CallInProgress{}; }

void ResetCountdownTexts(CallInProgress& call) {
  call.gHoldText = kNoHoldText;
  call.gAnswerText = kNoAnswerText;
}

namespace {

fw::Lock gOnlineLock;
fw::Lock gMohSessionLock;

}  // namespace

void SetOnlineLocked(CallInProgress& call, bool value) {
  fw::Held lock(gOnlineLock);
  call.gOnline = value;
}

void SetMohSessionLocked(CallInProgress& call, bool value) {
  fw::Held lock(gMohSessionLock);
  call.gMohSession = value;
}
