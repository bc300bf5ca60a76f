// Link-time fakes of what the portable code reaches outside itself: the library's operations
// (a recorder with a scripted library behind it), the main window's message posting, the log
// file and the registry. Each records honestly what it was asked; tests reset them.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/EventLog.h"
#include "moh/MohApi.h"
#include "moh/Registry.h"

#include <gtest/gtest.h>

namespace fake {

// The library as a test scripts it.
struct Library {
  int version = (2 << 16) | 10;
  std::vector<MODEM_ENTRY> modems;
  int reportedCount = -1;  // -1: the number of modems written
  int initResult = 1;
  std::vector<std::pair<int, int>> initEvents;  // reported through the callback during init
  std::map<int, int> params{{1, 1}, {2, 0}, {3, 1}, {4, 0}, {6, 1}, {8, 0}, {10, 9}};
  std::string callerId;
  bool callerIdFillsBuffer = false;  // writes all 256 bytes with no terminator
  // Runs while the caller's text is asked for (the line reports the next call meanwhile).
  std::function<void()> whileCallerIdRead;
  std::string dialString = "*43#";
  std::string defaultDialString = "*70";
  int originateResult = 1;
  // Sees each command as it arrives, after it is recorded.
  std::function<void(int command)> onCommand;

  std::vector<std::string> calls;  // one line per call, in the simulator's journal format
  MODEM_ENTRY initializedWith{};
  MOH_EVENT_CALLBACK callback = nullptr;
};
Library& TheLibrary();

MODEM_ENTRY Modem(int type, const std::string& name, const std::string& port = "COM3");

// Events posted to the main window.
std::vector<std::pair<int, int>>& PostedEvents();
// Where the callback's posts go instead, when set: the post fails when it returns false.
std::function<bool(int event, int value)>& PostTarget();

// The log file: whole lines as written, with a fixed clock.
struct Log : LogFile {
  std::vector<std::string> lines;
  LocalTime now{2003, 12, 7, 9, 5, 3};
  void WriteLine(const std::string& line) override { lines.push_back(line); }
  LocalTime Now() override { return now; }
  // The lines' texts, without time stamp and line end.
  std::vector<std::string> Texts() const;
};
// How many times CreateLogFile ran since the last reset.
int& LogFilesCreated();

// An in-memory HKEY_LOCAL_MACHINE.
struct RegistryData {
  std::map<std::string, std::map<std::string, std::string>> keys;  // path -> name -> bytes
  // path -> name -> type, for values stored other than as REGISTRY_BINARY
  std::map<std::string, std::map<std::string, uint32_t>> types;
  int opened = 0;
};
RegistryData& TheRegistryData();
std::string Bytes(int32_t value);

// Resets every fake and every global of the program that the portable code uses.
void ResetAll();

// A test with every fake reset and logging on into a memory log.
class LoggingTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { gEventLog = nullptr; }
  // The library calls made since the last look, in the simulator's journal format.
  std::vector<std::string> LibraryCalls();
  Log log_;
};

}  // namespace fake
