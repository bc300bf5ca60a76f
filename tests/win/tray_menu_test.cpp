// The tray menu and the call log in-process, against the real API: the menu's items as the
// right click shows them, and the call log's texts, placement and lifetime.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MohAppWin.h"
#include "app/ProgramRecords.h"
#include "base/OpenWindows.h"
#include "base/OsDetect.h"
#include "call/CallState.h"
#include "calllog/CallLog.h"
#include "calllog/CallLogDlgWin.h"
#include "res/resource.h"
#include "tray/PlayerWndWin.h"
#include "tray/TrayMenuWin.h"

namespace {

void Pump() {
  MSG msg;
  for (int i = 0; i < 10; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
}

// "id text" for an item, with "(default)" and "(checked)" marks; "-" for a separator.
std::vector<std::string> Items(HMENU popup) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(popup); ++i) {
    MENUITEMINFOA info{};
    char text[64] = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = sizeof(text) - 1;
    GetMenuItemInfoA(popup, i, TRUE, &info);
    if (info.fType & MFT_SEPARATOR) {
      items.push_back("-");
      continue;
    }
    std::string item = std::to_string(info.wID) + " " + text;
    if (info.fState & MFS_DEFAULT) item += " (default)";
    if (info.fState & MFS_CHECKED) item += " (checked)";
    if (info.fState & MFS_GRAYED) item += " (greyed)";
    items.push_back(item);
  }
  return items;
}

// Windows 95 and NT 4 accept only the MENUITEMINFOA of their time (44 bytes on 32-bit
// Windows), and Wine any: the size the menu passes is checked here, not by its effect.
TEST(TrayMenu, ItemInfoHasTheSizeEveryWindowsAccepts) {
#if defined(_WIN64)
  EXPECT_EQ(72u, kMenuItemInfoSize);
#else
  EXPECT_EQ(44u, kMenuItemInfoSize);
#endif
}

TEST(TrayMenu, ShowsTheTextsOfTheStringTableTheDefaultItemAndTheAutostartMark) {
  struct Case {
    uint8_t os;
    int autoStart;
    const char* settings;
    const char* autostart;
  };
  const Case cases[] = {
      {WINDOWS_2K, 1, "32771 Modem On Hold Einstellungen (default)",
       "32797 Bei Start ausf\xFChren (checked)"},
      {WINDOWS_98, 0, "32771 Modem On Hold Einstellungen (default)",
       "32797 Bei Start ausf\xFChren"},
      {WINDOWS_NT4, 1, "32771 Modem On Hold Einstellungen",
       "32797 Bei Start ausf\xFChren (checked)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.os));
    TrayMenu menu(c.os, c.autoStart);
    ASSERT_NE(nullptr, menu.Popup());
    EXPECT_EQ((std::vector<std::string>{c.settings, "-", "32796 Rufprotokoll", "-", c.autostart,
                                        "-", "32799 Anruf t\xE4tigen", "-", "57670 Hilfe",
                                        "32781 Info", "32782 Modem On Hold deaktivieren"}),
              Items(menu.Popup()));
  }
}

class CallLogWindow : public testing::Test {
 protected:
  void SetUp() override {
    ResetCallState();
    ResetOpenWindows();
    ResetCallLog();
    gCallLog.Add({"06.12.", "18:30 ", "0407654321", "Max"});
    gCallLog.Add({"07.12.", "09:05 ", "0301234567", "Erika Mustermann"});
    player_ = new CPlayerWnd(TheProgramRecords());
    ASSERT_TRUE(player_->CreateTrayWindow());
  }
  void TearDown() override {
    if (player_ != nullptr) player_->DestroyWindow();
  }
  HWND OpenLog() {
    SendMessageA(player_->Handle(), WM_COMMAND, ID_CALL_LOG, 0);
    return HeldCallLog() != nullptr ? HeldCallLog()->Handle() : nullptr;
  }
  static RECT Rect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  CMohApp app_;
  CPlayerWnd* player_ = nullptr;
};

TEST_F(CallLogWindow, OpensOnceCentredThenWhereItClosedOnTopAndGoesWithThePlayerWindow) {
  HWND log = OpenLog();
  ASSERT_NE(nullptr, log);
  EXPECT_TRUE(IsWindowVisible(log));
  EXPECT_EQ(2, SendDlgItemMessageA(log, IDC_CALL_LIST, LB_GETCOUNT, 0, 0));
  EXPECT_EQ("Rufprotokoll", fw::Window::TextOf(log));
  EXPECT_EQ("Details zum ankommenden Ruf",
            fw::Window::TextOf(GetDlgItem(log, IDC_CALL_LOG_HEADER)));
  EXPECT_EQ("Abbrechen", fw::Window::TextOf(GetDlgItem(log, IDCANCEL)));
  EXPECT_NE(0, SendMessageA(log, WM_GETICON, ICON_BIG, 0));
  const RECT first = Rect(log);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (first.left + first.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (first.top + first.bottom) / 2, 1);
  // Asked again while it is open: the same log stays.
  EXPECT_EQ(log, OpenLog());

  SetWindowPos(log, nullptr, 40, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(log, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_FALSE(IsWindow(log));
  EXPECT_EQ(nullptr, HeldCallLog());
  EXPECT_EQ(0, gWindows.gCallLogOpen);

  HWND next = OpenLog();
  ASSERT_NE(nullptr, next);
  EXPECT_EQ(40, Rect(next).left);
  EXPECT_EQ(60, Rect(next).top);
  EXPECT_TRUE(GetWindowLongA(next, GWL_EXSTYLE) & WS_EX_TOPMOST);

  // The program ends: the log goes with its owner, and the callers with the player window.
  player_->DestroyWindow();
  player_ = nullptr;
  EXPECT_FALSE(IsWindow(next));
  EXPECT_EQ(nullptr, HeldCallLog());
  EXPECT_TRUE(gCallLog.Records().empty());
}

}  // namespace
