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

TEST_F(EventLogTest, EventCodesWriteTheirSentenceAndOthersNothing) {
  for (int code : {7, 14, 55, 0, 99}) LogEvent(code, 3, EventSentence(code));
  EXPECT_EQ((std::vector<std::string>{"12-7-2003 9:5:3 - MOH Request granted by server.\r\n",
                                      "12-7-2003 9:5:3 - Failed to filter modem driver. Modem "
                                      "probably not active.\r\n"}),
            log_.lines);
  for (int code : {5, 6, 8, 11, 15, 18, 51, 52, 53, 54}) {
    EXPECT_NE(nullptr, EventSentence(code)) << code;
  }
  for (int code : {1, 2, 3, 4, 9, 10, 12, 13, 14, 16, 17, 19, 50, 56}) {
    EXPECT_EQ(nullptr, EventSentence(code)) << code;
  }
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
