// The simulator's files beside its DLL: the configuration mohsim.ini and the journal
// mohsim.journal.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "SimConfig.h"

namespace sim {

// The folder that holds the module (DLL or program) with this handle, without a trailing
// backslash.
std::string ModuleDir(HMODULE module);

// The whole content of a file of at most `limit` bytes; nothing when it cannot be read or is
// larger. Read with the system's calls: the C++ file streams of this compiler need _fstat64,
// which the C runtime of Windows 95, 98 and NT 4.0 lacks.
std::optional<std::string> ReadSmallFile(const std::string& path, size_t limit);

// Reads keys of an INI file; a missing key is nothing.
IniLookup IniFileLookup(const std::string& path);
void WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value);

// Appends whole lines to a file, each with one write, from any thread.
class JournalFile {
 public:
  JournalFile();
  ~JournalFile();
  JournalFile(const JournalFile&) = delete;
  JournalFile& operator=(const JournalFile&) = delete;

  void Open(const std::string& path);
  void Append(const std::string& line);

 private:
  CRITICAL_SECTION lock_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace sim
