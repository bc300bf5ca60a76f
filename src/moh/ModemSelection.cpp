#include "moh/ModemSelection.h"

#include <cstring>

#include "ParkoVersion.h"

#include "base/EventLog.h"
#include "base/InstallOptions.h"
#include "fw/Text.h"
#include "moh/ModemFamily.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

ModemChoice gModem;

void ResetModemSelection() { gModem = ModemChoice{}; }

void BeginClosingLibrary(ModemChoice& modem) { modem.gLibraryClosing = true; }

void CloseLibrary(ModemChoice& modem) {
  BeginClosingLibrary(modem);
  MohCommand(modem.gMohHandle, MOH_CMD_CLOSE);
}

namespace {

std::string NameOf(const MODEM_ENTRY& entry) {
  return fw::FromBuffer(entry.DisplayName, sizeof(entry.DisplayName));
}

std::string PortOf(const MODEM_ENTRY& entry) {
  return fw::FromBuffer(entry.ComPort, sizeof(entry.ComPort));
}

int NoModemFound(IStartupWindows& ui) {
  LogEvent(0, 0, "No Oskavel modem is installed");
  if (FamilyOf(gInstall.gModemType).reportsMissingModem) ui.ShowMessage(IDS_MODEM_NOT_FOUND);
  return 0;
}

// Modems were found, but none is the one the installation names.
int NamedModemNotFound(IStartupWindows& ui) {
  LogEvent(0, 0, "Modem Not Found");
  if (FamilyOf(gInstall.gModemType).reportsMissingModem) ui.ShowMessage(IDS_MODEM_NOT_FOUND);
  return 0;
}

void LogModemType(const ModemFamily& family) {
  if (!gInstall.gLogging) return;
  LogEvent(0, 0,
           family.Known() ? std::string("Modem Type - ") + family.name : "Unknown Modem Type");
}

}  // namespace

int FindSilentChoice(const MODEM_ENTRY* table, int type, const char* name) {
  const std::string wanted = fw::FromBuffer(name, 128);
  for (int i = 0; i < MOH_MAX_MODEMS; ++i) {
    if (table[i].Type == type || NameOf(table[i]) == wanted) return i;
  }
  return -1;
}

int SelectModem(int silent, IStartupWindows& ui) {
  const unsigned version = static_cast<unsigned>(MohGetVersion());
  LogEvent(0, 0, "PARKO.EXE Version = " PARKO_VERSION);
  LogEvent(0, 0,
           fw::Format("MOHAPI.DLL Version = %d.%d", static_cast<int>(version >> 16),
                      static_cast<int>(version & 0xFFFFu)));

  const int count = MoHEnumerateModems(gModem.gpModems, gInstall.gModemName);
  // The table holds ten entries: a larger count cannot be believed, and the entries past ten
  // do not exist.
  if (count <= 0 || count > MOH_MAX_MODEMS) return NoModemFound(ui);
  LogEvent(0, 0, "Oskavel Modem Found");
  gModem.gModemCount = count;

  if (!silent) {
    ui.ChooseModem();
    if (ui.MainWindowGone()) return 0;
  } else {
    const int choice = FindSilentChoice(gModem.gpModems, gInstall.gModemType, gInstall.gModemName);
    if (choice < 0) return NamedModemNotFound(ui);
    gModem.gModemSelIndex = choice;
  }
  if (gModem.gModemSelIndex < 0 || gModem.gModemSelIndex >= MOH_MAX_MODEMS)
    gModem.gModemSelIndex = 0;
  const MODEM_ENTRY& chosen = gModem.gpModems[gModem.gModemSelIndex];
  LogEvent(0, 0, "Selected modem=" + NameOf(chosen) + " ComPort=" + PortOf(chosen));

  MODEM_ENTRY local{};
  local.Type = chosen.Type;
  const ModemFamily& family = FamilyOf(local.Type);
  LogModemType(family);
  if (local.Type == 0 && FamilyOf(gInstall.gModemType).needsTypedEntry) {
    LogEvent(0, 0, "Modem Not Found");
    ui.ShowMessage(IDS_MODEM_NOT_FOUND);
    return 0;
  }
  fw::CopyBounded(local.DisplayName, sizeof(local.DisplayName), NameOf(chosen).c_str());
  fw::CopyBounded(local.ComPort, sizeof(local.ComPort), PortOf(chosen).c_str());
  if (family.quickConnectFixed) gInstall.gQCControl = false;

  LoadMohSettings(gModem.gMohHandle);
  if (!silent) {
    ui.ShowSettings();
    if (ui.MainWindowGone()) return 0;
  }
  if (InitializeMoh(gModem.gMohHandle, &local) == 0) {
    LogEvent(0, 0, "MOH Configuration failed");
    if (family.explainsFailedStart) {
      ui.ShowMessage(LastMohEvent() == MOH_ERR_FILTER_DRIVER ? IDS_MODEM_NOT_ACTIVE
                                                             : IDS_CLOSE_PORT);
    }
    return 0;
  }
  LoadMohSettings(gModem.gMohHandle);
  if (gInstall.gQCControl)
    MohSetParam(gModem.gMohHandle, MOH_PARAM_QUICK_CONNECT, gSettings.gQCFlag);
  return 1;
}
