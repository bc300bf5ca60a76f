#include "base/EventLog.h"

#include "fw/Text.h"

std::atomic<LogFile*> gEventLog{nullptr};

namespace {

// Written once, during static initialisation, before any thread logs.
EventSentenceTable gEventSentences = nullptr;

}  // namespace

void SetEventSentences(EventSentenceTable sentences) { gEventSentences = sentences; }

std::string LogPrefix(const LocalTime& time) {
  return fw::Format("%d-%d-%d %d:%d:%d - ", time.month, time.day, time.year, time.hour, time.minute,
                    time.second);
}

std::string EscapeControlCharacters(const std::string& text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      escaped += fw::Format("\\x%02X", byte);
    } else {
      escaped += c;
    }
  }
  return escaped;
}

void LogEvent(int code, int /*value*/, const char* text) {
  LogFile* log = gEventLog;
  if (log == nullptr) return;
  if (text == nullptr && gEventSentences != nullptr) text = gEventSentences(code);
  if (text == nullptr) return;
  log->WriteLine(LogPrefix(log->Now()) + text + "\r\n");
}
