#include "app/MohAppWin.h"

#include "app/ProgramRecords.h"
#include "app/SingleInstanceWin.h"
#include "base/EventLog.h"
#include "base/InstallOptions.h"
#include "base/MainWindowWin.h"
#include "base/OpenWindows.h"
#include "base/OsDetect.h"
#include "desktop/AutoStart.h"
#include "desktop/DesktopShellWin.h"
#include "desktop/HtmlHelpWin.h"
#include "fw/StringsWin.h"
#include "moh/ModemSelectDlgWin.h"
#include "moh/ModemSelection.h"
#include "settings/CfgSheetWin.h"
#include "tray/PlayerWndWin.h"
#include "tray/TrayCommands.h"

namespace {

// What start-up shows: the modem dialog and message boxes captioned with the program's name.
class StartupWindows : public IStartupWindows {
 public:
  StartupWindows(HWND owner, std::string caption) : owner_(owner), caption_(std::move(caption)) {}

  void ChooseModem() override {
    CModemSelectDlg dialog;
    dialog.DoModal(nullptr);
  }
  void ShowSettings() override {
    // Whatever the user does in it, start-up goes on.
    ShowSettingsSheet(TheProgramRecords());
    gWindows.gSettingsSheetOpen = false;
  }
  void ShowMessage(unsigned stringId) override {
    MessageBoxA(owner_, fw::LoadText(stringId).c_str(), caption_.c_str(),
                MB_OK | MB_ICONEXCLAMATION);
  }
  bool MainWindowGone() override {
    // The framework forgets the main window as it is destroyed, and frees its object.
    const fw::Application* app = fw::Application::Current();
    return app == nullptr || app->MainWindow() == nullptr;
  }

 private:
  HWND owner_;
  std::string caption_;
};

}  // namespace

bool CMohApp::InitInstance() {
  if (!ClaimSingleInstance(ExeName())) return false;

  CPlayerWnd* player = new CPlayerWnd(TheProgramRecords());
  if (!player->CreateTrayWindow()) {
    // Without its main window the program could neither be reached nor ended.
    delete player;
    return false;
  }
  SetMainWindow(player);
  SetMainWindowHandle(player->Handle());

  DetectOS();
  CheckInstallOptions();
  DetectLanguage();

  QueryStartAutomatically();

  StartupWindows ui(player->Handle(), ExeName());
  // Ends start-up, also when the main window was closed during one of its windows (then the
  // player object is freed): SelectModem returns 0 before anything else runs.
  if (SelectModem(gInstall.gSilentEnumeration, ui) == 0) return false;

  MarkMainWindow(player->Handle(), ExeName());
  if (gInstall.gCreateProgramEntry) {
    DesktopShell shell;
    AddProgramLink(shell);
  }
  return true;
}

int CMohApp::ExitInstance() {
  // Also when start-up ended early: the library is told to close on every exit.
  CloseLibrary(gModem);
  CallHtmlHelp(nullptr, "", HH_CLOSE_ALL_COMMAND, 0);
  CloseLogFile();
  return fw::Application::ExitInstance();
}
