#include "base/InstallOptions.h"

#include <cstring>

#include "base/EventLog.h"
#include "fw/Text.h"

// Defined without initialisers: the reset below holds every default, once, and also runs as
// the process starts.
int gSilentEnumeration;
int gModemType;
char gModemName[128];
int gLogging;
uint8_t gQCControl;
int gCreateProgramEntry;
std::string gInstallDir;

void ResetInstallOptions() {
  gSilentEnumeration = gModemType = gLogging = gCreateProgramEntry = 0;
  std::memset(gModemName, 0, sizeof(gModemName));
  gQCControl = 0;
  gInstallDir.clear();
}

namespace {
const bool kInstallOptionsReset = (ResetInstallOptions(), true);
}  // namespace

std::optional<bool> JudgeSwitch(const std::string& value) {
  if (value.empty()) return std::nullopt;
  if (value[0] == 'Y' || value[0] == 'y') return true;
  if (value[0] == 'N' || value[0] == 'n') return false;
  return std::nullopt;
}

int JudgeModemType(const std::string& value) {
  if (value.empty()) return 0;
  if (value[0] >= '1' && value[0] <= '3') return value[0] - '0';
  return 0;
}

std::string IniPathIn(const std::string& directory) {
  return directory + (directory.size() > 3 ? "\\" : "") + "parko.ini";
}

std::string DirectoryOf(const std::string& filePath) {
  const size_t slash = filePath.find_last_of('\\');
  if (slash == std::string::npos) return {};
  // "C:" alone would mean the current directory of drive C, not its root.
  return slash == 2 && filePath[1] == ':' ? filePath.substr(0, 3) : filePath.substr(0, slash);
}

void ApplyInstallOptions(InstallOptionsFile& file) {
  gSilentEnumeration = JudgeSwitch(file.Read("SilentEnumeration")).value_or(false) ? 1 : 0;
  gModemType = JudgeModemType(file.Read("ModemType"));
  const std::string modemName = file.Read("ModemName");
  if (!modemName.empty()) fw::CopyBounded(gModemName, sizeof(gModemName), modemName.c_str());

  if (JudgeSwitch(file.Read("Logging")).value_or(false)) {
    gLogging = 1;
    CreateLogFile();
    LogEvent(0, 0, "File: " + gInstallDir + "\\parko.exe");
    LogEvent(0, 0, "File: " + gInstallDir + "\\parko.ini");
  } else {
    gLogging = 0;
  }

  if (auto quickConnect = JudgeSwitch(file.Read("QuickConnect"))) gQCControl = *quickConnect;
  if (auto entry = JudgeSwitch(file.Read("CreateProgramEntry"))) gCreateProgramEntry = *entry;
}
