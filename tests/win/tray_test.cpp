// The tray icon's window against the real API: the notification messages become the right
// click handlers with the real double-click timer, and the icon comes back when the shell
// restarts.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MohAppWin.h"
#include "app/ProgramRecords.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallState.h"
#include "tray/PlayerWndWin.h"
#include "tray/TrayIconWndWin.h"

namespace {

std::vector<std::string> gClicks;

bool PumpFor(DWORD ms, bool (*done)() = nullptr) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) {
    if (done != nullptr && done()) return true;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done == nullptr || done();
}

class ObservedTray : public CTrayIconWnd {
 public:
  ObservedTray() : CTrayIconWnd(gWindows) {}

 protected:
  void OnTrayRightClick() override { gClicks.push_back("right"); }
  void OnTrayClick() override { gClicks.push_back("single"); }
  void OnTrayDoubleClick() override { gClicks.push_back("double"); }
};

class TrayClicks : public testing::Test {
 protected:
  void SetUp() override {
    gClicks.clear();
    tray_ = new ObservedTray;
    ASSERT_TRUE(tray_->CreateTrayWindow());
  }
  void TearDown() override { tray_->DestroyWindow(); }
  void Notify(UINT icon, UINT mouse) { PostMessageA(tray_->Handle(), WM_TRAYNOTIFY, icon, mouse); }
  // Long enough for the double-click time to run out.
  void Settle() { PumpFor(GetDoubleClickTime() + 300); }

  ObservedTray* tray_ = nullptr;
};

TEST_F(TrayClicks, ASingleClickIsReportedOnceAfterTheDoubleClickTime) {
  Notify(kTrayIconId, WM_LBUTTONDOWN);
  Notify(kTrayIconId, WM_LBUTTONUP);
  PumpFor(50);
  EXPECT_TRUE(gClicks.empty());  // not before the double-click time
  Settle();
  EXPECT_EQ((std::vector<std::string>{"single"}), gClicks);
}

TEST_F(TrayClicks, ADoubleClickIsReportedOnTheSecondReleaseWithoutASingleClick) {
  Notify(kTrayIconId, WM_LBUTTONDOWN);
  Notify(kTrayIconId, WM_LBUTTONUP);
  Notify(kTrayIconId, WM_LBUTTONDBLCLK);
  PumpFor(50);
  EXPECT_TRUE(gClicks.empty());
  Notify(kTrayIconId, WM_LBUTTONUP);
  Settle();
  EXPECT_EQ((std::vector<std::string>{"double"}), gClicks);
}

TEST_F(TrayClicks, ARightClickIsReportedOnReleaseAndOtherIconsAreIgnored) {
  Notify(kTrayIconId, WM_RBUTTONDOWN);
  PumpFor(50);
  EXPECT_TRUE(gClicks.empty());
  Notify(kTrayIconId, WM_RBUTTONUP);
  Notify(kTrayIconId + 1, WM_RBUTTONUP);
  Notify(kTrayIconId + 1, WM_LBUTTONDOWN);
  Settle();
  EXPECT_EQ((std::vector<std::string>{"right"}), gClicks);
}

TEST(TrayIcon, IsAddedAtCreationAndAddedAgainAfterTheShellRestarts) {
  CMohApp app;
  ResetCallState();
  ResetOpenWindows();
  auto* player = new CPlayerWnd(TheProgramRecords());
  ASSERT_TRUE(player->CreateTrayWindow());
  EXPECT_EQ(1, gWindows.gTrayIconAdded);
  const void* icon = gWindows.gLastTrayIcon;
  EXPECT_NE(nullptr, icon);

  PostMessageA(player->Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  ASSERT_TRUE(PumpFor(2000, [] { return gWindows.gTrayIconAdded == 0; }));
  EXPECT_EQ(nullptr, gWindows.gLastTrayIcon);
  // The next refresh adds the icon again, image included.
  ASSERT_TRUE(PumpFor(5000, [] { return gWindows.gTrayIconAdded == 1; }));
  EXPECT_EQ(icon, gWindows.gLastTrayIcon);

  player->DestroyWindow();
}

}  // namespace
