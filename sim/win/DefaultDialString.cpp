// DefaultDialString.dll of the simulated modem: the default dial string comes from
// mohsim.ini ([Library] DefaultDialString) beside the DLL.
#include <windows.h>

#include "JournalLines.h"
#include "SimConfig.h"
#include "SimFiles.h"
#include "fw/Text.h"
#include "moh/DefaultDialString.h"

namespace {

HMODULE gModule = nullptr;

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
  fw::CopyBounded(buffer, MOH_DIAL_STRING_SIZE, library.dialString.c_str());
  return 1;
}

}  // extern "C"
