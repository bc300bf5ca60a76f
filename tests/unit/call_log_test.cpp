// Caller-ID texts split into the call log's fields, and the log's ten records, newest first.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "call/CallState.h"
#include "calllog/CallLog.h"

namespace {

struct SplitCase {
  const char* what;
  std::string text;
  bool stored;
  CCallerID expected;
};

std::string Field(const CCallerID& r) {
  return "[" + r.m_Date + "|" + r.m_Time + "|" + r.m_Number + "|" + r.m_Name + "]";
}

TEST(CallerId, SplitsEachFieldByItsLabelOrItsColon) {
  const std::string highBytes = "Datum :\xE4\xF6\xFC\xDF\x80\xFF Uhrzeit :\xFF\xFE Name :\xC4rger";
  const std::string wide = ":" + std::string(248, '7') + "Name :";
  const SplitCase cases[] = {
      {"every label",
       "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika Mustermann",
       true,
       {"07.12.", "09:05 ", "0301234567", "Erika Mustermann"}},
      {"the name is cut at 16",
       "Datum :07.12. Uhrzeit :09:05 Nummer :030 Name :Erika Mustermann-Schulz",
       true,
       {"07.12.", "09:05 ", "030", "Erika Mustermann"}},
      {"no name: a 16-character number",
       "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567890123456789",
       true,
       {"07.12.", "09:05 ", "0301234567890123", ""}},
      {"no number label: the number from the text's start up to the name label",
       "Datum :07.12. Uhrzeit :09:05 0301234567 Name :Erika",
       true,
       {"07.12.", "09:05 ", "Datum :07.12. Uhrzeit :09:05 0301234567 ", "Erika"}},
      {"no date or time label: after the first colon and the next one",
       "D:071203 T:0905 N:0301",
       true,
       {"071203", "0905 N", "D:071203 T:0905 ", ""}},
      {"no colon at all", "07.12. 09.05 0301234567 Erika", false, {}},
      {"empty", "", false, {}},
      {"one byte", "x", false, {}},
      {"one colon: no time can be placed", ":", false, {}},
      {"two colons", "::", true, {":", "", "::", ""}},
      {"only the date label, at the end", "Datum :", false, {}},
      {"labels at the very end", "Datum :Uhrzeit :", true, {"Uhrzei", "", "Datum :Uhrzeit :", ""}},
      {"the name label last", "Nummer :0301 Name :", true, {"0301 N", "", "0301", ""}},
      {"the name before the number: no number",
       "Name :Erika Datum :0712 Uhrzeit :0905 Nummer :0301",
       true,
       {"0712 U", "0905 N", "", "Erika Datum :071"}},
      {"bytes above 0x7F stay as they are",
       highBytes,
       true,
       {"\xE4\xF6\xFC\xDF\x80\xFF", "\xFF\xFE Nam", highBytes.substr(0, 26), "\xC4rger"}},
      {"255 bytes with the name label at the end",
       wide,
       true,
       {"777777", "", wide.substr(0, 249), ""}},
  };
  for (const SplitCase& c : cases) {
    SCOPED_TRACE(c.what);
    CCallerID record{"old", "old", "old", "old"};
    ASSERT_EQ(c.stored, SplitCallerId(c.text, record));
    if (c.stored) {
      EXPECT_EQ(Field(c.expected), Field(record));
    }
  }
}

TEST(CallerId, TheLogKeepsTheTenNewestCallersNewestFirst) {
  fake::ResetAll();
  for (int call = 1; call <= 11; ++call) {
    gCall.gCallerIdText = "Datum :" + std::to_string(call) +
                          " Uhrzeit :0905 Nummer :" + std::to_string(call) + " Name :Caller";
    ParseCallerId(gCall.gCallerIdText);
    gCall.gCallerIdText = "no caller record";  // stores nothing
    ParseCallerId(gCall.gCallerIdText);
  }
  const std::deque<CCallerID>& records = gCallLog.Records();
  ASSERT_EQ(10u, records.size());
  EXPECT_EQ("11", records.front().m_Number);
  EXPECT_EQ("2", records.back().m_Number);
}

// The list's lines are TAB-separated columns: a TAB, CR or LF of the caller's text shows as a
// blank and never opens a column or a line; the record itself keeps the text as it came.
TEST(CallerId, ControlCharactersOfAFieldShowAsBlanksInTheLogsLine) {
  CCallerID record;
  record.m_Date = "07.12.";
  record.m_Time = "09:05";
  record.m_Number = "030\t123";
  record.m_Name = "Erika\r\nMuster\x7F";
  EXPECT_EQ("07.12.\t09:05\t030 123\tErika  Muster ", CallLogLine(record));
  EXPECT_EQ("030\t123", record.m_Number);
}

}  // namespace
