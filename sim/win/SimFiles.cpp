#include "SimFiles.h"

#include <vector>

namespace sim {

std::string ModuleDir(HMODULE module) {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return ".";
    if (length < path.size()) {
      const std::string full(path.data(), length);
      const size_t slash = full.find_last_of('\\');
      return slash == std::string::npos ? "." : full.substr(0, slash);
    }
    path.resize(path.size() * 2);
  }
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t limit) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != FALSE) && got > 0) {
    if (content.size() + got > limit) {
      ok = false;
      break;
    }
    content.append(buffer, got);
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return content;
}

IniLookup IniFileLookup(const std::string& path) {
  return [path](const std::string& section, const std::string& key) -> std::optional<std::string> {
    // A default no INI value can hold tells a missing key from an empty one.
    static const char kMissing[] = "\x7f<missing>\x7f";
    std::vector<char> buffer(4096);
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                 static_cast<DWORD>(buffer.size()), path.c_str());
    const std::string value(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
    if (value == kMissing) return std::nullopt;
    return value;
  };
}

void WriteIniValue(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str());
}

JournalFile::JournalFile() { InitializeCriticalSection(&lock_); }

JournalFile::~JournalFile() {
  if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  DeleteCriticalSection(&lock_);
}

void JournalFile::Open(const std::string& path) {
  EnterCriticalSection(&lock_);
  if (file_ == INVALID_HANDLE_VALUE) {
    // Shared for reading and writing: tests and the control panel read it while it grows.
    file_ = CreateFileA(path.c_str(), FILE_APPEND_DATA,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  LeaveCriticalSection(&lock_);
}

void JournalFile::Append(const std::string& line) {
  const std::string whole = line + "\r\n";
  EnterCriticalSection(&lock_);
  if (file_ != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file_, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr);
  }
  LeaveCriticalSection(&lock_);
}

}  // namespace sim
