// parko.ini as any bytes: the section is looked up the way GetPrivateProfileStringA looks it up,
// its values go into a buffer as large as the program's, and from there through the program's
// own reading. The switches stay switches, the modem type a family or 0, the name terminated
// within its 128 bytes, and every log line one line.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/EventLog.h"
#include "base/InstallOptions.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string Trim(const std::string& text) {
  const char* blanks = " \t\r";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The file's keys as the system's profile functions find them: the first section of the name,
// "key=value" lines with blanks around both, a value in matching quotes without them.
class FuzzedProfile : public InstallOptionsFile {
 public:
  explicit FuzzedProfile(std::string bytes) {
    size_t start = 0;
    while (start <= bytes.size()) {
      size_t end = bytes.find('\n', start);
      if (end == std::string::npos) end = bytes.size();
      lines_.push_back(bytes.substr(start, end - start));
      start = end + 1;
    }
  }

  std::string Read(const char* key) override {
    char buffer[128];
    std::memset(buffer, 'X', sizeof(buffer));  // what a buffer holds before the call
    const std::string value = Lookup(key);
    const size_t length = value.size() < sizeof(buffer) ? value.size() : sizeof(buffer) - 1;
    std::memcpy(buffer, value.data(), length);
    buffer[length] = '\0';
    return ProfileValue(buffer, sizeof(buffer), static_cast<unsigned long>(length));
  }

 private:
  std::string Lookup(const char* key) const {
    bool inSection = false;
    for (const std::string& raw : lines_) {
      const std::string line = Trim(raw);
      if (!line.empty() && line[0] == '[') {
        const size_t close = line.find(']');
        const std::string name =
            line.substr(1, close == std::string::npos ? std::string::npos : close - 1);
        if (inSection) return {};
        inSection = SameIgnoringCase(Trim(name), "INSTALL_OPTIONS");
        continue;
      }
      const size_t equals = line.find('=');
      if (!inSection || equals == std::string::npos) continue;
      if (!SameIgnoringCase(Trim(line.substr(0, equals)), key)) continue;
      std::string value = Trim(line.substr(equals + 1));
      if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
      }
      return value.c_str();  // the profile functions copy up to a NUL
    }
    return {};
  }

  std::vector<std::string> lines_;
};

struct MemoryLog : LogFile {
  void WriteLine(const std::string& line) override {
    Require(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0);
    Require(line.find('\n') == line.size() - 1);
  }
  LocalTime Now() override { return {2026, 12, 8, 12, 0, 0}; }
};

MemoryLog gMemoryLog;

}  // namespace

void CreateLogFile() { gEventLog = &gMemoryLog; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetInstallOptions();
  gEventLog = nullptr;
  gInstall.gInstallDir = "C:\\Programme\\Parko";
  FuzzedProfile file(std::string(reinterpret_cast<const char*>(data), size));
  ApplyInstallOptions(file);

  Require(gInstall.gModemType >= 0 && gInstall.gModemType <= 3);
  Require(std::memchr(gInstall.gModemName, '\0', sizeof(gInstall.gModemName)) != nullptr);
  Require(gInstall.gLogging == (gEventLog != nullptr));
  return 0;
}
