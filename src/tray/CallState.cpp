#include "tray/CallState.h"

int gCallState = 4;
std::string gStatusText;
std::string gCallerIdText;
int gOnline = 0;
int gMohSession = 0;
int gVoiceActive = 0;
int gPlacingCall = 0;

int gHoldDurationMs = 0;
int gHoldRemainingMs = 0;
int gAnswerRemainingMs = 0;
uint32_t gLastTickCount = 0;
int gAnswerSeconds = 0;
std::string gAnswerSecondsText;
int gWarnSeconds = 0;
std::string gWarnSecondsText;
std::string gSecondsWord;
std::string gHoldText = "00:00:00";
std::string gAnswerText = "00:00";
int gBeepCount = 3;
int gHoldHours = 0, gHoldMinutes = 0, gHoldSeconds = 0;

int gTrayIconAdded = 0;
const void* gLastTrayIcon = nullptr;

namespace {

std::mutex gOnlineLock;
std::mutex gMohSessionLock;

}  // namespace

void SetOnlineLocked(int value) {
  std::lock_guard<std::mutex> lock(gOnlineLock);
  gOnline = value;
}

void SetMohSessionLocked(int value) {
  std::lock_guard<std::mutex> lock(gMohSessionLock);
  gMohSession = value;
}

void ResetCallState() {
  gCallState = 4;
  gStatusText.clear();
  gCallerIdText.clear();
  gOnline = gMohSession = gVoiceActive = gPlacingCall = 0;
  gHoldDurationMs = gHoldRemainingMs = gAnswerRemainingMs = 0;
  gLastTickCount = 0;
  gAnswerSeconds = gWarnSeconds = 0;
  gAnswerSecondsText.clear();
  gWarnSecondsText.clear();
  gSecondsWord.clear();
  gHoldText = "00:00:00";
  gAnswerText = "00:00";
  gBeepCount = 3;
  gHoldHours = gHoldMinutes = gHoldSeconds = 0;
  gTrayIconAdded = 0;
  gLastTrayIcon = nullptr;
}
