#include "desktop/DesktopShellWin.h"

#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

#include "fw/StringsWin.h"
#include "fw/SystemLibrariesWin.h"

namespace {

// Every step of making the link; the destructor releases what was obtained and ends COM.
class ShellLinkSession {
 public:
  ShellLinkSession() = default;
  ~ShellLinkSession() {
    if (file_ != nullptr) file_->Release();
    if (link_ != nullptr) link_->Release();
  }
  ShellLinkSession(const ShellLinkSession&) = delete;
  ShellLinkSession& operator=(const ShellLinkSession&) = delete;

  bool Make(const std::string& target, const std::string& arguments, const std::string& linkPath,
            const std::string& iconPath, int iconIndex) {
    if (FAILED(com_.CreateInstance(CLSID_ShellLink, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link_)))) {
      return false;
    }
    if (FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) {
      return false;
    }
    if (FAILED(link_->SetPath(target.c_str()))) return false;
    if (FAILED(link_->SetArguments(arguments.c_str()))) return false;
    wchar_t widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH) == 0) {
      return false;
    }
    if (FAILED(file_->Save(widePath, TRUE))) return false;
    if (FAILED(link_->SetIconLocation(iconPath.c_str(), iconIndex))) {
      char system[MAX_PATH] = {};
      const UINT length = GetSystemDirectoryA(system, MAX_PATH);
      if (length == 0 || length >= MAX_PATH) return false;
      const std::string shell32 = std::string(system, length) + "\\shell32.dll";
      if (FAILED(link_->SetIconLocation(shell32.c_str(), 1))) return false;
    }
    char iconLocation[MAX_PATH] = {};
    int index = 0;
    if (FAILED(link_->GetIconLocation(iconLocation, MAX_PATH, &index))) return false;
    return SUCCEEDED(file_->Save(widePath, TRUE));
  }

 private:
  // Declared first: COM ends after both interfaces were released.
  fw::ComSession com_;
  IShellLinkA* link_ = nullptr;
  IPersistFile* file_ = nullptr;
};

}  // namespace

std::string DesktopShell::SpecialFolderPath(int csidl) {
  LPITEMIDLIST folder = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &folder)) || folder == nullptr) return {};
  char path[MAX_PATH] = {};
  const BOOL found = SHGetPathFromIDListA(folder, path);
  // The shell's allocator frees the list on every version (ILFree is exported by name only
  // from Windows 2000 on).
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator != nullptr) {
    allocator->Free(folder);
    allocator->Release();
  }
  if (!found) return {};
  path[MAX_PATH - 1] = '\0';
  return path;
}

bool DesktopShell::SamePathIgnoringCase(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) ==
         CSTR_EQUAL;
}

std::string DesktopShell::LoadText(unsigned id) { return fw::LoadText(id); }

void DesktopShell::CreateShellLink(const std::string& target, const std::string& arguments,
                                   const std::string& fileName, const std::string& iconPath,
                                   int iconIndex, const std::string& folder) {
  ShellLinkSession session;
  session.Make(target, arguments, folder + "\\" + fileName, iconPath, iconIndex);
}
