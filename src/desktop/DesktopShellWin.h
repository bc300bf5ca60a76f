// The shell as the Start-menu shortcut needs it: special folders, path comparison, texts and
// the shell-link object.
#pragma once

#include "desktop/ProgramLink.h"

class DesktopShell : public IDesktopShell {
 public:
  std::string SpecialFolderPath(int csidl) override;
  bool SamePathIgnoringCase(const std::string& a, const std::string& b) override;
  std::string LoadText(unsigned id) override;
  void CreateShellLink(const std::string& target, const std::string& arguments,
                       const std::string& fileName, const std::string& iconPath, int iconIndex,
                       const std::string& folder) override;
};
