#include "calllog/CallLog.h"

#include <algorithm>
#include <utility>

CallLog gCallLog;

namespace {

constexpr long kNotFound = -1;

long Find(const std::string& text, const char* what, long from = 0) {
  const std::size_t at = text.find(what, static_cast<std::size_t>(from));
  return at == std::string::npos ? kNotFound : static_cast<long>(at);
}

// `count` characters from `position`: a position before the text counts as its start, a
// negative count gives nothing, and the count stops at the end of the text.
std::string Extract(const std::string& text, long position, long count) {
  position = std::max(position, 0L);
  const long length = static_cast<long>(text.size());
  if (count <= 0 || position >= length) return {};
  return text.substr(static_cast<std::size_t>(position),
                     static_cast<std::size_t>(std::min(count, length - position)));
}

}  // namespace

bool SplitCallerId(const std::string& text, CCallerID& record) {
  long date = Find(text, "Datum :");
  if (date != kNotFound) {
    date += 7;
  } else {
    const long colon = Find(text, ":");
    if (colon == kNotFound) return false;
    date = colon + 1;
  }

  long time = Find(text, "Uhrzeit :");
  if (time != kNotFound) {
    time += 9;
  } else {
    const long colon = Find(text, ":", date);
    if (colon == kNotFound) return false;
    time = colon + 1;
  }

  long number = Find(text, "Nummer :");
  number = number != kNotFound ? number + 8 : -1;

  record = CCallerID{};
  record.m_Date = Extract(text, date, kDateWidth);
  record.m_Time = Extract(text, time, kTimeWidth);
  const long name = Find(text, "Name :");
  if (name != kNotFound) {
    record.m_Number = Extract(text, number, name - 1 - number);
    record.m_Name = Extract(text, name + 6, kNameWidth);
  } else {
    record.m_Number = Extract(text, number, kNumberWidth);
  }
  return true;
}

namespace {

// A field as the log's list shows it: control characters of the caller-ID text (a TAB would
// shift the columns, CR and LF break the line) as blanks.
std::string Shown(std::string field) {
  for (char& c : field) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  return field;
}

}  // namespace

std::string CallLogLine(const CCallerID& record) {
  return Shown(record.m_Date) + '\t' + Shown(record.m_Time) + '\t' + Shown(record.m_Number) + '\t' +
         Shown(record.m_Name);
}

void CallLog::Add(CCallerID record) {
  while (records_.size() >= kCallLogSize) records_.pop_back();
  records_.push_front(std::move(record));
}

void ParseCallerId(const std::string& callerIdText) {
  CCallerID record;
  if (SplitCallerId(callerIdText, record)) gCallLog.Add(std::move(record));
}

void ResetCallLog() { gCallLog.Clear(); }
