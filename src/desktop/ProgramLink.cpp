#include "desktop/ProgramLink.h"

#include <memory>

#include "base/InstallOptions.h"
#include "base/OsDetect.h"
#include "fw/Text.h"
#include "moh/MohSettings.h"
#include "moh/Registry.h"
#include "res/resource.h"

namespace {

constexpr uint32_t kAppPathSize = 260;

}  // namespace

bool GetPrevAppPath(std::string& path) {
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kMohRegistryKey);
  if (key == nullptr) return false;
  // One byte more than the value may fill: data without a terminator still ends here.
  char buffer[kAppPathSize + 1] = {};
  uint32_t type = 0;
  if (!key->Query("AppPath", buffer, kAppPathSize, &type)) return false;
  path = fw::FromBuffer(buffer, sizeof(buffer));
  return true;
}

void SaveLinkInfo(const std::string& folder, const std::string& fileName) {
  if (!TheRegistry().CreateMachineKey(kMohRegistryKey)) return;
  std::unique_ptr<RegistryKey> key = TheRegistry().OpenMachineKey(kMohRegistryKey);
  if (key == nullptr) return;
  key->SetString("LinkName", folder + "\\" + fileName, false);
  key->SetString("AppPath", gInstall.gInstallDir, false);
  key->Close();
}

void AddProgramLink(IDesktopShell& shell) {
  std::string previous;
  if (GetPrevAppPath(previous) && shell.SamePathIgnoringCase(previous, gInstall.gInstallDir))
    return;
  const bool nineX = gSystem.OSFound == WINDOWS_95 || gSystem.OSFound == WINDOWS_98;
  const std::string folder =
      shell.SpecialFolderPath(nineX ? kUserProgramsFolder : kCommonProgramsFolder);
  // Without a folder there is nowhere to put it: nothing is recorded, the next start tries again.
  if (folder.empty()) return;
  const std::string fileName = shell.LoadText(IDS_CALL_DLG_CAPTION) + ".lnk";
  const std::string target = gInstall.gInstallDir + "\\Parko.exe";
  SaveLinkInfo(folder, fileName);
  shell.CreateShellLink(target, "", fileName, target, 0, folder);
}
