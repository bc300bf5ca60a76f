// Finding the program's directory and reading parko.ini there.
#include <windows.h>

#include <vector>

#include "base/InstallOptions.h"

namespace {

std::string CurrentDirectory() {
  DWORD size = MAX_PATH;
  for (;;) {
    std::vector<char> buffer(size + 1);
    const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) return std::string(buffer.data(), length);
    size = length;  // the size it needs, terminator included
  }
}

// The directory of the running program as the search path finds "parko.exe"; empty when the
// search fails.
std::string SearchProgramDir() {
  DWORD size = MAX_PATH;
  for (;;) {
    std::vector<char> buffer(size + 1);
    char* filePart = nullptr;
    const DWORD length = SearchPathA(nullptr, "parko.exe", nullptr,
                                     static_cast<DWORD>(buffer.size()), buffer.data(), &filePart);
    if (length == 0) return {};
    if (length < buffer.size()) return DirectoryOf(std::string(buffer.data(), length));
    size = length;
  }
}

class ProfileFile : public InstallOptionsFile {
 public:
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}
  std::string Read(const char* key) override {
    char value[128] = {};
    const DWORD length =
        GetPrivateProfileStringA("INSTALL_OPTIONS", key, "", value, sizeof(value), path_.c_str());
    return ProfileValue(value, sizeof(value), length);
  }

 private:
  std::string path_;
};

}  // namespace

void CheckInstallOptions() {
  std::string workingPath = CurrentDirectory();
  const std::string programDir = SearchProgramDir();
  if (!programDir.empty() && SetCurrentDirectoryA(programDir.c_str())) {
    workingPath = programDir;
    SetCurrentDirectoryA(workingPath.c_str());
  }
  gInstall.gInstallDir = CurrentDirectory();
  ProfileFile file(IniPathIn(workingPath));
  ApplyInstallOptions(file);
}
