// Log lines: the time stamp, the event sentences, and texts that win over codes.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "base/EventLog.h"
#include "moh/MohEvents.h"

namespace {

using EventLogTest = fake::LoggingTest;

TEST_F(EventLogTest, PrefixHasMonthDayYearAndTimeWithoutLeadingZeros) {
  EXPECT_EQ("12-7-2003 9:5:3 - ", LogPrefix({2003, 12, 7, 9, 5, 3}));
  EXPECT_EQ("1-31-2027 23:59:0 - ", LogPrefix({2027, 1, 31, 23, 59, 0}));
}

// An event code without a text writes that code's sentence, exactly; every other code nothing.
TEST_F(EventLogTest, EventCodesWriteTheirSentenceAndOthersNothing) {
  const std::pair<int, const char*> sentences[] = {
      {5, "Incoming call detected."},
      {6, "MOH Request denied by server."},
      {7, "MOH Request granted by server."},
      {8, "MOH switch to voice call."},
      {11, "Data call disconnected."},
      {15, "MOH session terminated."},
      {18, "MOH is not supported on this server, probably a V90 server"},
      {51, "Failed to load filter/hook drivers. Drivers may be missing."},
      {52, "Cannot open port. Port may be in use by another application."},
      {53, "Cannot configure device. Driver is probably not a V92 driver"},
      {54, "Cannot access device drivers. Device is probably not installed properly."},
      {55, "Failed to filter modem driver. Modem probably not active."},
  };
  for (const auto& [code, sentence] : sentences) {
    log_.lines.clear();
    LogEvent(code, 3, nullptr);
    EXPECT_EQ((std::vector<std::string>{std::string("12-7-2003 9:5:3 - ") + sentence + "\r\n"}),
              log_.lines)
        << code;
  }
  log_.lines.clear();
  for (int code : {0, 1, 2, 3, 4, 9, 10, 12, 13, 14, 16, 17, 19, 50, 56, -1}) {
    LogEvent(code, 3, nullptr);
  }
  EXPECT_TRUE(log_.lines.empty());
}

TEST_F(EventLogTest, ATextWinsOverTheCodeAndIsWrittenUnchanged) {
  LogEvent(0, 0, "Datum :07.12. %s 100%");
  LogEvent(5, 1, "Answering incoming voice call.");
  EXPECT_EQ((std::vector<std::string>{"Datum :07.12. %s 100%", "Answering incoming voice call."}),
            log_.Texts());
}

TEST_F(EventLogTest, NothingIsWrittenWhileLoggingIsOff) {
  gEventLog = nullptr;
  LogEvent(7, 0, nullptr);
  LogEvent(0, 0, "text");
  EXPECT_TRUE(log_.lines.empty());
}

}  // namespace

namespace {

TEST(LogEscaping, ControlCharactersOfAForeignTextAreEscapedAndNothingElseChanges) {
  const std::pair<std::string, std::string> cases[] = {
      {"Name :Erika", "Name :Erika"},
      {"A\r\n12-7-2003 9:5:3 - MOH Request granted by server.",
       "A\\x0D\\x0A12-7-2003 9:5:3 - MOH Request granted by server."},
      {std::string("\x01\x1F\x7F\t", 4), "\\x01\\x1F\\x7F\\x09"},
      {"M\xFCller \\x0D 100%", "M\xFCller \\x0D 100%"},  // umlauts, backslashes and % stay
      {"", ""},
  };
  for (const auto& [raw, logged] : cases) EXPECT_EQ(logged, EscapeControlCharacters(raw));
}

}  // namespace
