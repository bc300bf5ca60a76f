#include "base/InstallOptions.h"

#include <cstring>

#include "base/EventLog.h"
#include "fw/Text.h"

InstallOptions gInstall;

void ResetInstallOptions() { gInstall = InstallOptions{}; }

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

std::string ProfileValue(const char* buffer, std::size_t size, unsigned long length) {
  if (size == 0) return {};
  return std::string(buffer, length < size ? length : size - 1);
}

void ApplyInstallOptions(InstallOptionsFile& file) {
  gInstall.gSilentEnumeration = JudgeSwitch(file.Read("SilentEnumeration")).value_or(false) ? 1 : 0;
  gInstall.gModemType = JudgeModemType(file.Read("ModemType"));
  const std::string modemName = file.Read("ModemName");
  if (!modemName.empty())
    fw::CopyBounded(gInstall.gModemName, sizeof(gInstall.gModemName), modemName.c_str());

  if (JudgeSwitch(file.Read("Logging")).value_or(false)) {
    gInstall.gLogging = true;
    CreateLogFile();
    LogEvent(0, 0, "File: " + gInstall.gInstallDir + "\\parko.exe");
    LogEvent(0, 0, "File: " + gInstall.gInstallDir + "\\parko.ini");
  } else {
    gInstall.gLogging = false;
  }

  if (auto quickConnect = JudgeSwitch(file.Read("QuickConnect")))
    gInstall.gQCControl = *quickConnect;
  if (auto entry = JudgeSwitch(file.Read("CreateProgramEntry")))
    gInstall.gCreateProgramEntry = *entry;
}
