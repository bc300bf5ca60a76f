#include "base/EventLog.h"

#include "fw/Text.h"

std::atomic<LogFile*> gEventLog{nullptr};

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

const char* EventSentence(int code) {
  switch (code) {
    case 5:
      return "Incoming call detected.";
    case 6:
      return "MOH Request denied by server.";
    case 7:
      return "MOH Request granted by server.";
    case 8:
      return "MOH switch to voice call.";
    case 11:
      return "Data call disconnected.";
    case 15:
      return "MOH session terminated.";
    case 18:
      return "MOH is not supported on this server, probably a V90 server";
    case 51:
      return "Failed to load filter/hook drivers. Drivers may be missing.";
    case 52:
      return "Cannot open port. Port may be in use by another application.";
    case 53:
      return "Cannot configure device. Driver is probably not a V92 driver";
    case 54:
      return "Cannot access device drivers. Device is probably not installed properly.";
    case 55:
      return "Failed to filter modem driver. Modem probably not active.";
    default:
      return nullptr;
  }
}

void LogEvent(int code, int /*value*/, const char* text) {
  LogFile* log = gEventLog;
  if (log == nullptr) return;
  if (text == nullptr) text = EventSentence(code);
  if (text == nullptr) return;
  log->WriteLine(LogPrefix(log->Now()) + text + "\r\n");
}
