#include "desktop/AutoStart.h"

#include <memory>

#include "base/InstallOptions.h"
#include "moh/MohSettings.h"
#include "moh/Registry.h"

void QueryStartAutomatically() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKeyToQuery(kAutoStartKey);
  gSettings.gAutoStart = key != nullptr && key->HasValue(kAutoStartValue);
}

void OnAutoStart() {
  gSettings.gAutoStart = !gSettings.gAutoStart;
  StartAutomatically();
  // The mark shows what the registry holds after the attempt: where the Run key is missing
  // (it is opened, never created) or the write failed, nothing changed.
  QueryStartAutomatically();
}

void StartAutomatically() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kAutoStartKey);
  if (key == nullptr) return;
  if (gSettings.gAutoStart) {
    key->SetString(kAutoStartValue, AutoStartCommand(), true);
  } else if (!gSettings.gAutoStart) {
    key->DeleteValue(kAutoStartValue);
  }
}

std::string AutoStartCommand() { return "\"" + gInstall.gInstallDir + "\\Parko.exe\""; }
