// Which Windows the program runs on, and the system language. Portable: the version numbers
// come from the adapter.
#pragma once

#include <cstdint>

constexpr uint8_t WINDOWS_NT4 = 1;
constexpr uint8_t WINDOWS_2K = 2;
constexpr uint8_t WINDOWS_95 = 3;
constexpr uint8_t WINDOWS_98 = 4;
constexpr uint8_t WINDOWS_ME = 5;
constexpr uint8_t WINDOWS_UNKNOWN = 255;

struct SystemFacts {
  uint8_t OSFound = WINDOWS_UNKNOWN;
  int gLangID = 0;
  int gPrimaryLang = 0;
};
extern SystemFacts gSystem;

// The facts as a process starts: nothing detected yet.
void ResetSystemFacts();

// The kind of system for what GetVersionExA reports (platform 1: 9x, 2: NT).
uint8_t ClassifyOS(unsigned platformId, unsigned major, unsigned minor, unsigned buildNumber);

// Sets gSystem.gLangID and gSystem.gPrimaryLang from the system default language id; 0 counts as
// English.
void SetLanguage(int systemLangId);

// Adapters: fill the globals from the running system.
uint8_t DetectOS();
void DetectLanguage();
