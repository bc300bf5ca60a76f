#include "moh/MohSettings.h"

#include "base/EventLog.h"
#include "base/InstallOptions.h"
#include "fw/Text.h"
#include "moh/ModemFamily.h"
#include "moh/MohApi.h"
#include "moh/Registry.h"

#include <cstring>
#include <utility>

MohSettings gSettings;

void ResetMohSettings() { gSettings = MohSettings{}; }

int WarnTimeForIndex(int index) {
  constexpr int kChoices = static_cast<int>(sizeof(kWarnTimes) / sizeof(kWarnTimes[0]));
  return kWarnTimes[index >= 0 && index < kChoices ? index : 0].ms;
}

void SetTimerIndex(MohSettings& settings, int index) {
  settings.TimerIndex = index;
  settings.gWarnTimeMs = WarnTimeForIndex(index);
}

bool IsToneSwitchType(uint32_t registryType) {
  return registryType == REGISTRY_BINARY || registryType == REGISTRY_DWORD;
}

namespace {

void LogSettings() {
  LogEvent(0, 0, "Current MOH settings");
  switch (gSettings.gCallWaiting) {
    case CW_MODE_MOH:
      LogEvent(0, 0, "Call Waiting enabled");
      LogEvent(0, 0, "MOH enabled");
      LogEvent(0, 0, "Disconnect and Switch to Voice disabled");
      LogEvent(0, 0, gSettings.gCallerID != 0 ? "Caller ID enabled" : "Caller ID disabled");
      if (gSettings.gWarn != 0) {
        LogEvent(0, 0,
                 fw::Format("Warn before tiimeout enabled, timeout set to %d Msec",
                            gSettings.gWarnTimeMs));
      } else {
        LogEvent(0, 0, "Warn before timeout disabled");
      }
      break;
    case CW_MODE_DISCONNECT:
      LogEvent(0, 0, "Call Waiting Enabled");
      LogEvent(0, 0, "MOH disabled");
      LogEvent(0, 0, "Disconnect and Switch to Voice enabled");
      break;
    default:
      LogEvent(0, 0, "Call Waiting Disabled");
      break;
  }
  if (gInstall.gQCControl) {
    LogEvent(0, 0, gSettings.gQCFlag != 0 ? "QC Enabled" : "QC Disabled");
  } else {
    LogEvent(0, 0, "QC Not controlled by application");
  }
}

}  // namespace

void LoadMohSettings(int handle) {
  gSettings.gEnableMOH = MohGetParam(handle, MOH_PARAM_ENABLE_MOH, nullptr);
  MohGetParam(handle, MOH_PARAM_2, nullptr);  // read as the library expects; meaning unknown
  gSettings.gWarn = MohGetParam(handle, MOH_PARAM_WARN, nullptr);
  gSettings.gCallWaiting = MohGetParam(handle, MOH_PARAM_CALL_WAITING, nullptr);
  gSettings.gMohModemType = MohGetParam(handle, MOH_PARAM_MODEM_TYPE, nullptr);
  gSettings.gCallerID = MohGetParam(handle, MOH_PARAM_CALLER_ID, nullptr);
  SetTimerIndex(gSettings, MohGetParam(handle, MOH_PARAM_TIMER_INDEX, nullptr));
  if (gInstall.gQCControl) {
    gSettings.gQCFlag =
        static_cast<uint8_t>(MohGetParam(handle, MOH_PARAM_QUICK_CONNECT, nullptr) & 0xFF);
    // The library holds no setting: the family decides.
    if (gSettings.gQCFlag == QC_NOT_CONTROLLED) {
      gSettings.gQCFlag = FamilyOf(gSettings.gMohModemType).quickConnectDefault;
    }
  }
  if (gSettings.gCallWaiting != CW_MODE_MOH && gSettings.gCallWaiting != CW_MODE_DISCONNECT)
    gSettings.gCallWaiting = CW_MODE_OFF;
  if (gInstall.gLogging) LogSettings();
  ReadToneSettings();
}

void ReadToneSettings() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kMohRegistryKey);
  if (!key) return;
  // Room for exactly four bytes: a value stored wider reads as off; a narrower one fills only
  // the low bytes of a cleared switch. Only a number counts: a text such as "0" or "no" would
  // otherwise read as nonzero and silence the ring or the timeout warning.
  for (auto [name, tone] : {std::make_pair("MuteRingTone", &gSettings.MuteRingTone),
                            std::make_pair("MuteWarnTone", &gSettings.MuteWarnTone)}) {
    *tone = 0;
    uint32_t type = 0;
    if (!key->Query(name, tone, sizeof(*tone), &type) || !IsToneSwitchType(type)) *tone = 0;
  }
  key->Close();
}

long SaveToneSettings() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kMohRegistryKey);
  if (!key) return 1;
  key->SetBinary("MuteRingTone", &gSettings.MuteRingTone, sizeof(gSettings.MuteRingTone));
  key->SetBinary("MuteWarnTone", &gSettings.MuteWarnTone, sizeof(gSettings.MuteWarnTone));
  return key->Close();
}
