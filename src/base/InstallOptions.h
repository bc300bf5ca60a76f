// The installation options file "parko.ini" beside the program, section INSTALL_OPTIONS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The switches of the file, and where the program lives.
struct InstallOptions {
  bool gSilentEnumeration = false;
  int gModemType = 0;  // the family the installation was made for; 0 when none was given
  char gModemName[128] = {};
  bool gLogging = false;
  bool gQCControl = false;  // the program sets Quick Connect
  bool gCreateProgramEntry = false;
  // The program's directory, without a trailing backslash.
  std::string gInstallDir;
};
extern InstallOptions gInstall;

// The switches as a process starts.
void ResetInstallOptions();

// A switch is judged by its first character: Y or y on, N or n off, anything else nothing.
std::optional<bool> JudgeSwitch(const std::string& value);
// 1, 2 or 3 by the first character; 0 for anything else.
int JudgeModemType(const std::string& value);

// The INI file in a directory: a backslash between only when the directory is longer than a
// drive root such as "C:\", which ends in one already.
std::string IniPathIn(const std::string& directory);
// The directory part of a file's full path, without its trailing backslash.
std::string DirectoryOf(const std::string& filePath);

// The value GetPrivateProfileStringA left in a buffer of `size` bytes when it reported `length`
// characters: never more than the buffer holds before its last byte, whatever it reported.
std::string ProfileValue(const char* buffer, std::size_t size, unsigned long length);

// The values of the section's keys, each as GetPrivateProfileStringA gives it ("" if missing).
class InstallOptionsFile {
 public:
  virtual ~InstallOptionsFile() = default;
  virtual std::string Read(const char* key) = 0;
};

// Reads the keys in their order and sets the switches; the log is opened right after
// "Logging" was read as on, and its first two lines name the program and the INI file.
void ApplyInstallOptions(InstallOptionsFile& file);

// Adapter: moves into the program's directory, reads parko.ini there.
void CheckInstallOptions();
