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

int WarnSeconds(int warnTimeMs) { return static_cast<int>(warnTimeMs * 0.001); }

std::string WarnSecondsText(int warnTimeMs) { return fw::Format(" %3d ", WarnSeconds(warnTimeMs)); }

// Defined without initialisers: ResetCallState holds every default, once, and also runs as the
// process starts.
int gCallState;
std::string gStatusText;
std::string gCallerIdText;
int gOnline;
int gMohSession;
int gVoiceActive;
int gPlacingCall;
bool gOriginatePending;
bool gAnswerDeclined;

int gHoldDurationMs;
int gHoldRemainingMs;
int gAnswerRemainingMs;
uint32_t gLastTickCount;
int gAnswerSeconds;
std::string gAnswerSecondsText;
int gWarnSeconds;
std::string gWarnSecondsText;
std::string gSecondsWord;
std::string gHoldText;
std::string gAnswerText;
int gBeepCount;

int gTrayIconAdded;
const void* gLastTrayIcon;

void ResetCallState() {
  gCallState = CALLSTATE_MODEM_IDLE;
  gStatusText.clear();
  gCallerIdText.clear();
  gOnline = gMohSession = gVoiceActive = gPlacingCall = 0;
  gOriginatePending = gAnswerDeclined = false;
  gHoldDurationMs = gHoldRemainingMs = gAnswerRemainingMs = 0;
  gLastTickCount = 0;
  gAnswerSeconds = gWarnSeconds = 0;
  gAnswerSecondsText.clear();
  gWarnSecondsText.clear();
  gSecondsWord.clear();
  ResetCountdownTexts();
  gBeepCount = 3;
  gTrayIconAdded = 0;
  gLastTrayIcon = nullptr;
}

void ResetCountdownTexts() {
  gHoldText = "00:00:00";
  gAnswerText = "00:00";
}

namespace {

const bool kCallStateReset = (ResetCallState(), true);

fw::Lock gOnlineLock;
fw::Lock gMohSessionLock;

}  // namespace

void SetOnlineLocked(int value) {
  fw::Held lock(gOnlineLock);
  gOnline = value;
}

void SetMohSessionLocked(int value) {
  fw::Held lock(gMohSessionLock);
  gMohSession = value;
}
