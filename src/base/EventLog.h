// The diagnostic log "parko.log": one English line per event, each with a local time stamp.
#pragma once

#include <atomic>
#include <string>

struct LocalTime {
  int year, month, day, hour, minute, second;
};

// Where log lines go; the Win32 side writes them to the file.
class LogFile {
 public:
  virtual ~LogFile() = default;
  // Writes a whole line at once, so lines from two threads never interleave.
  virtual void WriteLine(const std::string& line) = 0;
  virtual LocalTime Now() = 0;
};

// The open log; null while logging is off. The library's thread reads it too.
extern std::atomic<LogFile*> gEventLog;

// "month-day-year hour:minute:second - ", plain decimals.
std::string LogPrefix(const LocalTime& time);

// A text from outside (the telephone line's caller ID) made safe for one log line: control
// characters become \xHH, so that a CR LF in it cannot start a line of its own.
std::string EscapeControlCharacters(const std::string& text);

// The one logging entry point: a text of the caller's (code and value ignored), or for a null
// text the fixed sentence of the library's event `code` (nothing for a code without one);
// nothing while logging is off.
void LogEvent(int code, int value, const char* text);
inline void LogEvent(int code, int value, const std::string& text) {
  LogEvent(code, value, text.c_str());
}

// The sentences of the library's events belong to the room that knows them (moh/MohEvents.cpp),
// which hands them to the log before anything is logged: its function gives the sentence of a
// code, or null for a code without one.
using EventSentenceTable = const char* (*)(int code);
void SetEventSentences(EventSentenceTable sentences);

// Adapters: open the file in the current directory, emptied; close it at exit. A library
// thread may still log after the close: its lines are dropped, never written to a closed file.
void CreateLogFile();
void CloseLogFile();
