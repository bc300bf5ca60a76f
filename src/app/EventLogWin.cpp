// parko.log on disk.
#include <windows.h>

#include "app/EventLog.h"

namespace {

class Win32LogFile : public LogFile {
 public:
  explicit Win32LogFile(HANDLE file) : file_(file) { InitializeCriticalSection(&lock_); }
  ~Win32LogFile() override {
    CloseHandle(file_);
    DeleteCriticalSection(&lock_);
  }

  void WriteLine(const std::string& line) override {
    // The engine's thread logs too; one write under a lock keeps every line whole.
    EnterCriticalSection(&lock_);
    DWORD written = 0;
    WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    LeaveCriticalSection(&lock_);
  }

  LocalTime Now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }

 private:
  HANDLE file_;
  CRITICAL_SECTION lock_;
};

}  // namespace

void CreateLogFile() {
  HANDLE file =
      CreateFileA("parko.log", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
  // A log that cannot be made leaves logging silently off.
  if (file != INVALID_HANDLE_VALUE) gEventLog = new Win32LogFile(file);
}

void CloseLogFile() {
  LogFile* log = gEventLog;
  gEventLog = nullptr;
  delete log;
}
