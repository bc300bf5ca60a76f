#include "moh/MohSettings.h"

#include "base/EventLog.h"
#include "base/InstallOptions.h"
#include "fw/Text.h"
#include "moh/MohApi.h"
#include "moh/Registry.h"

#include <cstring>
#include <utility>

// Defined without initialisers: the reset below holds every default, once, and also runs as
// the process starts.
int gEnableMOH;
int gWarn;
int gCallWaiting;
int gMohModemType;
int gCallerID;
int TimerIndex;
int gWarnTimeMs;
char gDialString[16];
uint8_t gQCFlag;
int32_t MuteRingTone;
int32_t MuteWarnTone;

void ResetMohSettings() {
  gEnableMOH = 0;
  gWarn = 1;
  gCallWaiting = 0;
  gMohModemType = 0;
  gCallerID = 1;
  TimerIndex = 0;
  gWarnTimeMs = 0;
  std::memset(gDialString, 0, sizeof(gDialString));
  gQCFlag = QC_NOT_CONTROLLED;
  MuteRingTone = MuteWarnTone = 0;
}

int WarnTimeForIndex(int index) {
  switch (index) {
    case 1:
      return 40000;
    case 2:
      return 50000;
    case 3:
      return 60000;
    default:
      return 30000;
  }
}

bool IsToneSwitchType(uint32_t registryType) {
  return registryType == REGISTRY_BINARY || registryType == REGISTRY_DWORD;
}

namespace {

const bool kMohSettingsReset = (ResetMohSettings(), true);

void LogSettings() {
  LogEvent(0, 0, "Current MOH settings");
  switch (gCallWaiting) {
    case CW_MODE_MOH:
      LogEvent(0, 0, "Call Waiting enabled");
      LogEvent(0, 0, "MOH enabled");
      LogEvent(0, 0, "Disconnect and Switch to Voice disabled");
      LogEvent(0, 0, gCallerID != 0 ? "Caller ID enabled" : "Caller ID disabled");
      if (gWarn != 0) {
        LogEvent(0, 0,
                 fw::Format("Warn before tiimeout enabled, timeout set to %d Msec", gWarnTimeMs));
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
  if (gQCControl != 0) {
    LogEvent(0, 0, gQCFlag != 0 ? "QC Enabled" : "QC Disabled");
  } else {
    LogEvent(0, 0, "QC Not controlled by application");
  }
}

}  // namespace

void LoadMohSettings(int handle) {
  gEnableMOH = MohGetParam(handle, MOH_PARAM_ENABLE_MOH, nullptr);
  MohGetParam(handle, MOH_PARAM_2, nullptr);  // read as the library expects; meaning unknown
  gWarn = MohGetParam(handle, MOH_PARAM_WARN, nullptr);
  gCallWaiting = MohGetParam(handle, MOH_PARAM_CALL_WAITING, nullptr);
  gMohModemType = MohGetParam(handle, MOH_PARAM_MODEM_TYPE, nullptr);
  gCallerID = MohGetParam(handle, MOH_PARAM_CALLER_ID, nullptr);
  TimerIndex = MohGetParam(handle, MOH_PARAM_TIMER_INDEX, nullptr);
  gWarnTimeMs = WarnTimeForIndex(TimerIndex);
  if (gQCControl != 0) {
    gQCFlag = static_cast<uint8_t>(MohGetParam(handle, MOH_PARAM_QUICK_CONNECT, nullptr) & 0xFF);
    if (gQCFlag == QC_NOT_CONTROLLED) {
      // The library holds no setting: the family decides.
      if (gMohModemType == BORIN) gQCFlag = 0;
      if (gMohModemType == NUVIA) gQCFlag = 1;
    }
  }
  if (gCallWaiting != CW_MODE_MOH && gCallWaiting != CW_MODE_DISCONNECT) gCallWaiting = CW_MODE_OFF;
  if (gLogging != 0) LogSettings();
  ReadToneSettings();
}

void ReadToneSettings() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kMohRegistryKey);
  if (!key) return;
  // Room for exactly four bytes: a value stored wider reads as off; a narrower one fills only
  // the low bytes of a cleared switch. Only a number counts: a text such as "0" or "no" would
  // otherwise read as nonzero and silence the ring or the timeout warning.
  for (auto [name, tone] : {std::make_pair("MuteRingTone", &MuteRingTone),
                            std::make_pair("MuteWarnTone", &MuteWarnTone)}) {
    *tone = 0;
    uint32_t type = 0;
    if (!key->Query(name, tone, sizeof(*tone), &type) || !IsToneSwitchType(type)) *tone = 0;
  }
  key->Close();
}

long SaveToneSettings() {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kMohRegistryKey);
  if (!key) return 1;
  key->SetBinary("MuteRingTone", &MuteRingTone, sizeof(MuteRingTone));
  key->SetBinary("MuteWarnTone", &MuteWarnTone, sizeof(MuteWarnTone));
  return key->Close();
}
