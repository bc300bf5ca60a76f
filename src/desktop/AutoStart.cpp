#include "desktop/AutoStart.h"

#include <memory>

#include "base/InstallOptions.h"
#include "moh/Registry.h"

int gAutoStart;

namespace {

const bool kAutoStartReset = (ResetAutoStart(), true);

}  // namespace

void ResetAutoStart() { gAutoStart = 1; }

void QueryStartAutomatically() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKeyToQuery(kAutoStartKey);
  gAutoStart = key != nullptr && key->HasValue(kAutoStartValue) ? 1 : 0;
}

void OnAutoStart() {
  gAutoStart = gAutoStart == 0 ? 1 : 0;
  StartAutomatically();
  // The mark shows what the registry holds after the attempt: where the Run key is missing
  // (it is opened, never created) or the write failed, nothing changed.
  QueryStartAutomatically();
}

void StartAutomatically() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kAutoStartKey);
  if (key == nullptr) return;
  if (gAutoStart == 1) {
    key->SetString(kAutoStartValue, AutoStartCommand(), true);
  } else if (gAutoStart == 0) {
    key->DeleteValue(kAutoStartValue);
  }
}

std::string AutoStartCommand() { return "\"" + gInstallDir + "\\Parko.exe\""; }
