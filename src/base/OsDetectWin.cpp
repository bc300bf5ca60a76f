// The running system's version and language.
#include <windows.h>

#include "base/OsDetect.h"

uint8_t DetectOS() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);  // 148
  GetVersionExA(&info);                     // on failure the zeroed record gives "not recognised"
  gSystem.OSFound =
      ClassifyOS(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber);
  return gSystem.OSFound;
}

void DetectLanguage() { SetLanguage(GetSystemDefaultLangID()); }
