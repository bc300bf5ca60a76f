// The tray menu and the call log in-process, against the real API: the menu's items as the
// right click shows them, and the call log's lines, texts, placement and every way to close it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MohAppWin.h"
#include "app/OsDetect.h"
#include "call/CallState.h"
#include "res/resource.h"
#include "tray/CallLog.h"
#include "tray/CallLogDlgWin.h"
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
    ResetCallLog();
    gCallLog.Add({"06.12.", "18:30 ", "0407654321", "Max"});
    gCallLog.Add({"07.12.", "09:05 ", "0301234567", "Erika Mustermann"});
    player_ = new CPlayerWnd;
    ASSERT_TRUE(player_->CreateTrayWindow());
  }
  void TearDown() override {
    if (player_ != nullptr) player_->DestroyWindow();
  }
  HWND OpenLog() {
    SendMessageA(player_->Handle(), WM_COMMAND, ID_CALL_LOG, 0);
    return app_.m_pCallLogDlg != nullptr ? app_.m_pCallLogDlg->Handle() : nullptr;
  }
  static std::vector<std::string> Lines(HWND log) {
    std::vector<std::string> lines;
    HWND list = GetDlgItem(log, IDC_CALL_LIST);
    for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
      char text[128] = {};
      if (SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof(text))) {
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      }
      lines.push_back(text);
    }
    return lines;
  }
  static RECT Rect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
  }
  // Closed for good: no window, no object held, the log may open again.
  void ExpectClosed(HWND log) {
    Pump();
    EXPECT_FALSE(IsWindow(log));
    EXPECT_EQ(nullptr, app_.m_pCallLogDlg);
    EXPECT_EQ(0, gCallLogOpen);
  }

  CMohApp app_;
  CPlayerWnd* player_ = nullptr;
};

TEST_F(CallLogWindow, ListsTheCallersNewestFirstCentredTheFirstTime) {
  HWND log = OpenLog();
  ASSERT_NE(nullptr, log);
  EXPECT_TRUE(IsWindowVisible(log));
  EXPECT_EQ((std::vector<std::string>{"07.12.\t09:05 \t0301234567\tErika Mustermann",
                                      "06.12.\t18:30 \t0407654321\tMax"}),
            Lines(log));
  EXPECT_EQ("Rufprotokoll", fw::Window::TextOf(log));
  EXPECT_EQ("Details zum ankommenden Ruf",
            fw::Window::TextOf(GetDlgItem(log, IDC_CALL_LOG_HEADER)));
  EXPECT_EQ("Abbrechen", fw::Window::TextOf(GetDlgItem(log, IDCANCEL)));
  EXPECT_NE(0, SendMessageA(log, WM_GETICON, ICON_BIG, 0));
  const RECT rect = Rect(log);
  EXPECT_NEAR(GetSystemMetrics(SM_CXSCREEN) / 2, (rect.left + rect.right) / 2, 1);
  EXPECT_NEAR(GetSystemMetrics(SM_CYSCREEN) / 2, (rect.top + rect.bottom) / 2, 1);

  // Asked again while it is open: the same log stays.
  EXPECT_EQ(log, OpenLog());
  SendMessageA(log, WM_COMMAND, IDCANCEL, 0);
  ExpectClosed(log);
}

TEST_F(CallLogWindow, EveryWayToCloseItLeavesNothingAndTheNextOpensWhereItWasOnTop) {
  struct Way {
    const char* what;
    UINT message;
    WPARAM wParam;
  };
  const Way ways[] = {{"Abbrechen", WM_COMMAND, IDCANCEL},
                      {"Enter", WM_COMMAND, IDOK},
                      {"close box", WM_SYSCOMMAND, SC_CLOSE}};
  int x = 40;
  for (const Way& way : ways) {
    SCOPED_TRACE(way.what);
    HWND log = OpenLog();
    ASSERT_NE(nullptr, log);
    SetWindowPos(log, nullptr, x, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(log, way.message, way.wParam, 0);
    ExpectClosed(log);

    HWND next = OpenLog();
    ASSERT_NE(nullptr, next);
    EXPECT_EQ(x, Rect(next).left);
    EXPECT_EQ(60, Rect(next).top);
    EXPECT_TRUE(GetWindowLongA(next, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SendMessageA(next, WM_COMMAND, IDCANCEL, 0);
    ExpectClosed(next);
    x += 30;
  }
}

TEST_F(CallLogWindow, TheCallersGoWithThePlayerWindow) {
  HWND log = OpenLog();
  ASSERT_NE(nullptr, log);
  player_->DestroyWindow();
  player_ = nullptr;
  EXPECT_FALSE(IsWindow(log));
  EXPECT_EQ(nullptr, app_.m_pCallLogDlg);
  EXPECT_TRUE(gCallLog.Records().empty());
}

}  // namespace
