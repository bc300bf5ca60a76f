// The user's call-handling settings: mirrored from the library's parameters at every load,
// plus the two tone switches the program keeps in the registry itself.
#pragma once

#include <cstdint>

constexpr int CW_MODE_MOH = 0;
constexpr int CW_MODE_DISCONNECT = 1;
constexpr int CW_MODE_OFF = 2;

// Quick Connect not controlled by the program.
constexpr uint8_t QC_NOT_CONTROLLED = 9;

extern int gEnableMOH;
extern int gWarn;
extern int gCallWaiting;
extern int gMohModemType;
extern int gCallerID;
extern int TimerIndex;
extern int gWarnTimeMs;
extern char gDialString[16];
extern uint8_t gQCFlag;
extern int32_t MuteRingTone;
extern int32_t MuteWarnTone;

// The key of the tone switches (and the shortcut bookkeeping) under HKEY_LOCAL_MACHINE.
constexpr const char* kMohRegistryKey = "SOFTWARE\\Tamrix\\MOH";

// The settings as a process starts, before the library was asked.
void ResetMohSettings();

// 1 -> 40000, 2 -> 50000, 3 -> 60000, anything else -> 30000.
int WarnTimeForIndex(int index);

// Reads the parameters, logs them when logging is on, then the tone switches.
void LoadMohSettings(int handle);
void ReadToneSettings();
// Whether a tone switch stored with this registry type counts; any other type reads as 0.
bool IsToneSwitchType(uint32_t registryType);
// Writes both switches; the key is never created. Nonzero when the key could not be opened.
long SaveToneSettings();
