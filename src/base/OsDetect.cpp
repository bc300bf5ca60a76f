#include "base/OsDetect.h"

// Defined without initialisers: the reset below holds every default, once, and also runs as
// the process starts.
uint8_t OSFound;
int gLangID;
int gPrimaryLang;

void ResetSystemFacts() {
  OSFound = WINDOWS_UNKNOWN;
  gLangID = gPrimaryLang = 0;
}

namespace {
const bool kSystemFactsReset = (ResetSystemFacts(), true);
}  // namespace

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
  gLangID = systemLangId;
  if (gLangID != 0) {
    gPrimaryLang = gLangID & 0x3FF;
  } else {
    gLangID = 0x409;
    gPrimaryLang = 9;
  }
}
