#include "base/OsDetect.h"

SystemFacts gSystem;

void ResetSystemFacts() { gSystem = SystemFacts{}; }

uint8_t ClassifyOS(unsigned platformId, unsigned major, unsigned minor, unsigned buildNumber) {
  constexpr unsigned kWin32Windows = 1;
  constexpr unsigned kWin32Nt = 2;
  if (platformId == kWin32Windows) {
    if (major > 4 || (major == 4 && minor > 0)) {
      // The high word of a 9x build number repeats the version: only the low word counts.
      return (buildNumber & 0xFFFFu) >= 2400 ? WINDOWS_ME : WINDOWS_98;
    }
    if (major == 4) return WINDOWS_95;
    return WINDOWS_UNKNOWN;
  }
  if (platformId == kWin32Nt) {
    if (major == 4) return WINDOWS_NT4;
    if (major > 4) return WINDOWS_2K;
  }
  return WINDOWS_UNKNOWN;
}

void SetLanguage(int systemLangId) {
  gSystem.gLangID = systemLangId;
  if (gSystem.gLangID != 0) {
    gSystem.gPrimaryLang = gSystem.gLangID & 0x3FF;
  } else {
    gSystem.gLangID = 0x409;
    gSystem.gPrimaryLang = 9;
  }
}
