// The call state shared by the event handling, the hold timer and the call dialog. Plain
// globals of the user-interface thread; only gOnline and gMohSession are also guarded by a
// lock each, for their writes on TELKA paths.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

extern int gCallState;
extern std::string gStatusText;
extern std::string gCallerIdText;
extern int gOnline;
extern int gMohSession;
extern int gVoiceActive;
extern int gPlacingCall;

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
// The last split of the hold time.
extern int gHoldHours, gHoldMinutes, gHoldSeconds;

// The notification-area icon: added yet, and the icon last sent.
extern int gTrayIconAdded;
extern const void* gLastTrayIcon;

// Writes of the two flags, each inside its own lock, never both together.
void SetOnlineLocked(int value);
void SetMohSessionLocked(int value);

// The call state as a process starts.
void ResetCallState();
