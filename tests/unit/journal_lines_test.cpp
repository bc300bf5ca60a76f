// Journal lines: one line a call, bounded and escaped whatever the program passes.
#include <gtest/gtest.h>

#include <cstring>

#include "JournalLines.h"
#include "moh/MohApi.h"

namespace {

TEST(JournalLines, NameEachOperationWithItsArguments) {
  EXPECT_EQ("MohGetVersion()", sim::JournalGetVersion());
  EXPECT_EQ("MoHEnumerateModems(table, name=\"\")", sim::JournalEnumerate(""));
  EXPECT_EQ("MohCommand(handle=0, command=5)", sim::JournalCommand(0, 5));
  char buffer[16];
  EXPECT_EQ("MohGetParam(handle=0, id=9, buffer)", sim::JournalGetParam(0, 9, buffer));
  EXPECT_EQ("MohGetParam(handle=0, id=1, null)", sim::JournalGetParam(0, 1, nullptr));
  EXPECT_EQ("MohSetParam(handle=0, id=10, value=0)", sim::JournalSetParam(0, 10, 0));
  EXPECT_EQ("MohSetParamString(handle=0, id=9, text=\"*43#\")",
            sim::JournalSetParamString(0, 9, "*43#"));
  EXPECT_EQ("InitDefaultDialString()", sim::JournalInitDefaultDialString());
  EXPECT_EQ("GetDefaultDialString(buffer)", sim::JournalGetDefaultDialString(buffer));

  MODEM_ENTRY entry{};
  entry.Type = TELKA;
  std::strcpy(entry.DisplayName, "Oskavel V.92 Data Fax Modem");
  std::strcpy(entry.ComPort, "COM3");
  EXPECT_EQ("MohInitialize(handle=0, type=1, name=\"Oskavel V.92 Data Fax Modem\", port=\"COM3\")",
            sim::JournalInitialize(0, &entry));
  EXPECT_EQ("MohInitialize(handle=0, entry=null)", sim::JournalInitialize(0, nullptr));
}

TEST(JournalLines, StayOneBoundedLineWhateverTheTextHolds) {
  MODEM_ENTRY entry;
  std::memset(&entry, 'A', sizeof(entry));  // no terminator anywhere
  entry.Type = 2;
  const std::string line = sim::JournalInitialize(0, &entry);
  EXPECT_NE(std::string::npos, line.find("name=\"" + std::string(256, 'A') + "\""));
  EXPECT_NE(std::string::npos, line.find("port=\"AAAAAAAA\")"));

  EXPECT_EQ("\"a\\\"b\\\\c\\x0D\\x0Ad\"", sim::Quoted("a\"b\\c\r\nd", 64));
  EXPECT_EQ("null", sim::Quoted(nullptr, 64));
}

}  // namespace
