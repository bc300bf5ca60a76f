// The callers of the last ten calls, split from the library's caller-ID text into date, time,
// number and name. Kept in memory only, newest first. Portable.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

struct CCallerID {
  std::string m_Date;    // at most 6 characters
  std::string m_Time;    // at most 6 characters
  std::string m_Number;  // at most as long as the text it came from
  std::string m_Name;    // at most 16 characters
};

constexpr std::size_t kDateWidth = 6;
constexpr std::size_t kTimeWidth = 6;
constexpr std::size_t kNameWidth = 16;
// Without a name label the number is this wide.
constexpr std::size_t kNumberWidth = 16;
constexpr std::size_t kCallLogSize = 10;

// Splits a caller-ID text by its labels "Datum :", "Uhrzeit :", "Nummer :" and "Name :", or by
// its colons where the date and time labels are missing. False when no date or no time can be
// placed: such a text is not a caller record.
bool SplitCallerId(const std::string& text, CCallerID& record);

// The list line of a record: date, time, number and name, separated by tabs.
std::string CallLogLine(const CCallerID& record);

// The stored records, the newest at the front; adding the eleventh drops the oldest.
class CallLog {
 public:
  void Add(CCallerID record);
  const std::deque<CCallerID>& Records() const { return records_; }
  void Clear() { records_.clear(); }

 private:
  std::deque<CCallerID> records_;
};

extern CallLog gCallLog;

// Parses a caller-ID text (the call's gCallerIdText) and stores the caller at the head of
// gCallLog; a text that is not a caller record stores nothing.
void ParseCallerId(const std::string& callerIdText);

// No records: as a process starts.
void ResetCallLog();
