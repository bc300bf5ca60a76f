// DefaultDialString.dll of the simulated modem: the default dial string comes from
// mohsim.ini ([Library] DefaultDialString) beside the DLL. It is written whole, up to 63
// characters: a default longer than the contract's 15 stands for a library that overruns its
// caller's buffer.
//
// Like MOHAPI.DLL it carries a static TLS directory (MinGW's runtime): on Windows 95 it works
// only bound when the program loads, as Parko.exe imports it, never through LoadLibrary.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "JournalLines.h"
#include "SimConfig.h"
#include "SimFiles.h"
#include "fw/Text.h"
#include "moh/DefaultDialString.h"

namespace {

HMODULE gModule = nullptr;

constexpr size_t kMostWritten = 63;

struct DialStringLibrary {
  sim::JournalFile journal;
  std::string dialString;

  DialStringLibrary() {
    const std::string dir = sim::ModuleDir(gModule);
    journal.Open(dir + "\\mohsim.journal");
    dialString = sim::ReadConfig(sim::IniFileLookup(dir + "\\mohsim.ini")).defaultDialString;
  }
};

DialStringLibrary& Library() {
  static DialStringLibrary* library = new DialStringLibrary;
  return *library;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
  if (reason == DLL_PROCESS_ATTACH) {
    DisableThreadLibraryCalls(instance);
    gModule = instance;
  }
  return TRUE;
}

extern "C" {

int MOHAPI_CALL InitDefaultDialString(void) {
  Library().journal.Append(sim::JournalInitDefaultDialString());
  return 1;
}

int MOHAPI_CALL GetDefaultDialString(char* buffer) {
  DialStringLibrary& library = Library();
  library.journal.Append(sim::JournalGetDefaultDialString(buffer));
  if (buffer == nullptr) return 0;
  const size_t length = std::min(library.dialString.size(), kMostWritten);
  std::memcpy(buffer, library.dialString.c_str(), length);
  buffer[length] = '\0';
  return 1;
}

}  // extern "C"
