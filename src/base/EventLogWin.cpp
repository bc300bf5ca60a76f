// parko.log on disk.
#include <windows.h>

#include "base/EventLog.h"

namespace {

class Win32LogFile : public LogFile {
 public:
  Win32LogFile() { InitializeCriticalSection(&lock_); }

  void Open(HANDLE file) {
    EnterCriticalSection(&lock_);
    file_ = file;
    LeaveCriticalSection(&lock_);
  }

  void Close() {
    EnterCriticalSection(&lock_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
    LeaveCriticalSection(&lock_);
  }

  void WriteLine(const std::string& line) override {
    // The engine's thread logs too; one write under the lock keeps every line whole, and the
    // handle is looked at under it, so a line never goes to a file closed meanwhile.
    EnterCriticalSection(&lock_);
    if (file_ != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(file_, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    LeaveCriticalSection(&lock_);
  }

  LocalTime Now() override {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  CRITICAL_SECTION lock_;
};

// Never freed, not even by the process's static destructors: a library thread that took the
// pointer before the log was closed may still call it while the process ends.
Win32LogFile& TheLogFile() {
  static Win32LogFile* log = new Win32LogFile;
  return *log;
}

}  // namespace

void CreateLogFile() {
  HANDLE file =
      CreateFileA("parko.log", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr);
  // A log that cannot be made leaves logging silently off.
  if (file == INVALID_HANDLE_VALUE) return;
  TheLogFile().Open(file);
  gEventLog = &TheLogFile();
}

void CloseLogFile() {
  if (gEventLog.exchange(nullptr) != nullptr) TheLogFile().Close();
}
