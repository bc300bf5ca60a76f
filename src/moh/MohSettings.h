// The user's call-handling settings: mirrored from the library's parameters at every load,
// plus the two tone switches the program keeps in the registry itself.
#pragma once

#include <cstdint>

constexpr int CW_MODE_MOH = 0;
constexpr int CW_MODE_DISCONNECT = 1;
constexpr int CW_MODE_OFF = 2;

// Quick Connect not controlled by the program.
constexpr uint8_t QC_NOT_CONTROLLED = 9;

// The library's values keep the library's numbers: they are compared as it gives them.
struct MohSettings {
  int gEnableMOH = 0;
  int gWarn = 1;
  int gCallWaiting = CW_MODE_MOH;
  int gMohModemType = 0;  // the family of the bound modem: TELKA, BORIN or NUVIA
  int gCallerID = 1;
  int TimerIndex = 0;
  int gWarnTimeMs = 0;
  char gDialString[16] = {};
  uint8_t gQCFlag = QC_NOT_CONTROLLED;
  // Stored in the registry as 4 bytes; nonzero mutes.
  int32_t MuteRingTone = 0;
  int32_t MuteWarnTone = 0;
  // Start with Windows: mirrors the Run key for the tray menu's check mark; on until start-up
  // reads the registry.
  bool gAutoStart = true;
};
extern MohSettings gSettings;

// The key of the tone switches (and the shortcut bookkeeping) under HKEY_LOCAL_MACHINE.
constexpr const char* kMohRegistryKey = "SOFTWARE\\Tamrix\\MOH";

// The settings as a process starts, before the library was asked.
void ResetMohSettings();

// The warning times the settings offer, by TimerIndex, with their items in the settings' list.
struct WarnTimeChoice {
  int ms;
  const char* item;
};
constexpr WarnTimeChoice kWarnTimes[] = {
    {30000, "30 sec"}, {40000, "40 sec"}, {50000, "50 sec"}, {60000, "60 sec"}};

// The warning time of a TimerIndex: an index outside the choices gives the first.
int WarnTimeForIndex(int index);
// TimerIndex and the warning time it stands for, written together.
void SetTimerIndex(MohSettings& settings, int index);

// Reads the parameters, logs them when logging is on, then the tone switches.
void LoadMohSettings(int handle);
void ReadToneSettings();
// Whether a tone switch stored with this registry type counts; any other type reads as 0.
bool IsToneSwitchType(uint32_t registryType);
// Writes both switches; the key is never created. Nonzero when the key could not be opened.
long SaveToneSettings();
