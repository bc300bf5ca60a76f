// The driver's start of a Windows program: only a start that Wine itself could not set up is
// tried again, and not for ever.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Driver.h"

namespace {

struct StartCase {
  const char* name;
  std::vector<DWORD> errors;  // one per attempt; 0 starts the program
  bool started;
  size_t attempts;
  DWORD lastError;
};

TEST(StartProgram, TriesAgainOnlyWhenWineCouldNotSetUpTheProcess) {
  const StartCase cases[] = {
      {"starts at once", {0}, true, 1, 0},
      {"Wine fails once", {ERROR_INTERNAL_ERROR, 0}, true, 2, 0},
      {"Wine fails every time",
       {ERROR_INTERNAL_ERROR, ERROR_INTERNAL_ERROR, ERROR_INTERNAL_ERROR, 0},
       false,
       3,
       ERROR_INTERNAL_ERROR},
      {"no such program", {ERROR_FILE_NOT_FOUND, 0}, false, 1, ERROR_FILE_NOT_FOUND},
      {"a DLL missing", {ERROR_DLL_NOT_FOUND, 0}, false, 1, ERROR_DLL_NOT_FOUND},
  };
  for (const StartCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines;
    auto create = [&](char* commandLine, const char* directory, BOOL inherit, STARTUPINFOA*,
                      PROCESS_INFORMATION*) -> BOOL {
      EXPECT_STREQ("C:\\parko", directory);
      EXPECT_TRUE(inherit);
      lines.push_back(commandLine);
      commandLine[0] = 'X';  // as CreateProcessA may
      const DWORD error = c.errors.at(lines.size() - 1);
      SetLastError(error);
      return error == 0;
    };
    STARTUPINFOA startup{};
    PROCESS_INFORMATION process{};
    EXPECT_EQ(c.started,
              e2e::StartProgram("\"a.exe\" x", "C:\\parko", true, startup, process, create));
    if (!c.started) {
      EXPECT_EQ(c.lastError, GetLastError());
    }
    EXPECT_EQ(std::vector<std::string>(c.attempts, "\"a.exe\" x"), lines);
  }
}

TEST(StartProgram, AMissingProgramFailsWithItsError) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  EXPECT_FALSE(
      e2e::StartProgram("\"C:\\parko-e2e\\no such program.exe\"", "", false, startup, process));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

}  // namespace
