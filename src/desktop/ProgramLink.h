// The Start-menu shortcut: made at start-up once per installation folder, with a record in the
// program's registry key of where it was made from. Portable; the shell is reached through
// IDesktopShell and the registry through Registry.
#pragma once

#include <string>

// Special folders by their CSIDL numbers.
constexpr int kUserProgramsFolder = 2;
constexpr int kCommonProgramsFolder = 23;

class IDesktopShell {
 public:
  virtual ~IDesktopShell() = default;
  // The path of a special folder; "" when it cannot be determined.
  virtual std::string SpecialFolderPath(int csidl) = 0;
  // Whether two paths are the same text but for letter case, as the system compares text.
  virtual bool SamePathIgnoringCase(const std::string& a, const std::string& b) = 0;
  virtual std::string LoadText(unsigned id) = 0;
  // Makes (or replaces) the shortcut folder\fileName.
  virtual void CreateShellLink(const std::string& target, const std::string& arguments,
                               const std::string& fileName, const std::string& iconPath,
                               int iconIndex, const std::string& folder) = 0;
};

// Start-up, when the installation options ask for a shortcut.
void AddProgramLink(IDesktopShell& shell);
// The folder recorded when the last shortcut was made; false when there is none.
bool GetPrevAppPath(std::string& path);
// Records the shortcut's path and the program's folder, creating the key when it is missing.
void SaveLinkInfo(const std::string& folder, const std::string& fileName);
