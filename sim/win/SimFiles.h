// The simulator's files beside its DLL: the configuration mohsim.ini and the journal
// mohsim.journal.
#pragma once

#include <windows.h>

#include <string>

#include "SimConfig.h"

namespace sim {

// The folder that holds the module (DLL or program) with this handle, without a trailing
// backslash.
std::string ModuleDir(HMODULE module);

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
