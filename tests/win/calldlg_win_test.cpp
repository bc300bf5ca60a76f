// The call dialog window in-process: closing it while an outgoing call is being placed cancels
// that call and nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include "GdiObjects.h"

#include "app/MohAppWin.h"
#include "app/ProgramRecords.h"
#include "base/MainWindowWin.h"
#include "base/Messages.h"
#include "base/OpenWindows.h"
#include "call/CallState.h"
#include "calldlg/CallDlgWin.h"

namespace {

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
}

TEST(CallDialogWindow, EveryButtonThatEndsTheAnswerWaitStopsTheMainWindowsAnswerTimer) {
  struct Case {
    const char* button;
    int state, placing, id;
  };
  const Case cases[] = {
      {"Anruf annehmen", 7, 0, IDOK},
      {"Anruf ignorieren", 7, 0, 1035},
      {"Anruf taetigen", 7, 1, IDCANCEL},
      {"Verbindung beenden", 6, 0, IDABORT},
  };
  CMohApp app;
  HWND main = CreateWindowExA(0, "Static", "main", 0, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SetMainWindowHandle(main);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    ResetCallState();
    ResetOpenWindows();
    gCall.gCallState = c.state;
    gCall.gPlacingCall = c.placing;
    gCall.gHoldRemainingMs = 60000;
    ASSERT_NE(0u, SetTimer(main, TIMER_ANSWER, 60000, nullptr));
    auto* dialog = new CCallDlg(DialogRoadOf(TheProgramRecords()));
    HoldCallDialog(dialog);
    ASSERT_TRUE(dialog->Create(nullptr));
    ShowWindow(dialog->Handle(), SW_SHOWNA);  // a button acts only while it can be pressed
    HWND button = GetDlgItem(dialog->Handle(), c.id);
    ASSERT_TRUE(IsWindowVisible(button) && IsWindowEnabled(button));
    SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(c.id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    // Killing a timer that was already stopped fails.
    EXPECT_FALSE(KillTimer(main, TIMER_ANSWER));
    dialog->DestroyWindow();
  }
  DestroyWindow(main);
}

TEST(CallDialogWindow, CloseBoxWhilePlacingCancelsTheCallWithoutPressingAnyButton) {
  CMohApp app;
  ResetCallState();
  ResetOpenWindows();
  gCall.gCallState = 7;
  gCall.gPlacingCall = 1;
  gCall.gHoldRemainingMs = 60000;
  auto* dialog = new CCallDlg(DialogRoadOf(TheProgramRecords()));
  HoldCallDialog(dialog);
  ASSERT_TRUE(dialog->Create(nullptr));
  HWND hwnd = dialog->Handle();
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwnd, IDCANCEL)));  // "Anruf tätigen" is live

  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  Pump();  // anything the close posted would run now
  EXPECT_EQ(15, gCall.gCallState);
  EXPECT_EQ(0, gCall.gPlacingCall);
  EXPECT_EQ(0, gCall.gVoiceActive);  // "Anruf tätigen" would have switched to voice
  EXPECT_TRUE(IsWindow(hwnd));       // the main window replaces it on the next event

  dialog->DestroyWindow();
  EXPECT_EQ(nullptr, HeldCallDialog());  // it freed itself
}

// A call dialog for the state, from a fresh call with a minute of hold left, held as the player
// window holds it; null when it could not be made.
CCallDlg* CallDialogFor(int state) {
  ResetCallState();
  ResetOpenWindows();
  gCall.gCallState = state;
  gCall.gHoldRemainingMs = 60000;
  auto* dialog = new CCallDlg(DialogRoadOf(TheProgramRecords()));
  HoldCallDialog(dialog);
  if (dialog->Create(nullptr)) return dialog;
  delete dialog;
  HoldCallDialog(nullptr);
  return nullptr;
}

// The counters are green on black: the dialog colours them when the system asks (a black
// figure on the black background would pass any test of the texts).
TEST(CallDialogWindow, TheCountersAreGreenOnBlack) {
  CMohApp app;
  CCallDlg* dialog = CallDialogFor(8);
  ASSERT_NE(nullptr, dialog);
  HDC dc = CreateCompatibleDC(nullptr);
  for (int id : {1017, 1018}) {
    SCOPED_TRACE(id);
    SetTextColor(dc, RGB(0, 0, 0));
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(dialog->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog->Handle(), id))));
    EXPECT_EQ(RGB(0, 255, 0), GetTextColor(dc));
    LOGBRUSH fill{};
    ASSERT_NE(0, GetObjectA(brush, sizeof(fill), &fill));
    EXPECT_EQ(RGB(0, 0, 0), fill.lbColor);
  }
  DeleteDC(dc);
  dialog->DestroyWindow();
}

// A command for a button the mode hides, posted from outside, acts as little as the hidden
// button: "restore" in the incoming-call mode neither stops the answer timer nor ends the voice
// call.
TEST(CallDialogWindow, APostedRestoreWhileItsButtonIsHiddenDoesNothing) {
  CMohApp app;
  HWND main = CreateWindowExA(0, "Static", "main", 0, 0, 0, 0, 0, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  SetMainWindowHandle(main);
  CCallDlg* dialog = CallDialogFor(7);
  ASSERT_NE(nullptr, dialog);
  gCall.gVoiceActive = 1;
  ASSERT_NE(0u, SetTimer(main, TIMER_ANSWER, 60000, nullptr));
  ShowWindow(dialog->Handle(), SW_SHOWNA);
  ASSERT_FALSE(IsWindowVisible(GetDlgItem(dialog->Handle(), 1036)));
  PostMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(1036, BN_CLICKED), 0);
  Pump();
  EXPECT_EQ(1, gCall.gVoiceActive);
  EXPECT_TRUE(KillTimer(main, TIMER_ANSWER));  // still running
  dialog->DestroyWindow();
  DestroyWindow(main);
}

void OpenAndCloseCallDialog(int state) {
  gCall.gCallState = state;
  auto* dialog = new CCallDlg(DialogRoadOf(TheProgramRecords()));
  HoldCallDialog(dialog);
  ASSERT_TRUE(dialog->Create(nullptr));
  ShowWindow(dialog->Handle(), SW_SHOWNA);
  Pump();
  dialog->DestroyWindow();
  ASSERT_EQ(nullptr, HeldCallDialog());
}

TEST(CallDialogWindow, FiftyDialogsLeaveTheNumberOfGdiObjectsAsItWas) {
  CMohApp app;
  ResetCallState();
  ResetOpenWindows();
  gCall.gHoldRemainingMs = 60000;
  // The first dialogs load what every later one shares (the logo, fonts, brushes of the system).
  for (int i = 0; i < 3; ++i) OpenAndCloseCallDialog(7);
  const int before = CountGdiObjects();
  ASSERT_GT(before, 0);
  for (int i = 0; i < 50; ++i) OpenAndCloseCallDialog(i % 2 == 0 ? 8 : 13);
  EXPECT_LE(CountGdiObjects(), before + 2) << "before: " << before;

  // The shared logo is still the one each new dialog shows.
  auto* dialog = new CCallDlg(DialogRoadOf(TheProgramRecords()));
  HoldCallDialog(dialog);
  ASSERT_TRUE(dialog->Create(nullptr));
  HWND logoStatic = nullptr;
  for (HWND child = GetWindow(dialog->Handle(), GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) logoStatic = child;
  }
  ASSERT_NE(nullptr, logoStatic);
  const HGDIOBJ logo =
      reinterpret_cast<HGDIOBJ>(SendMessageA(logoStatic, STM_GETIMAGE, IMAGE_BITMAP, 0));
  EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(logo));
  dialog->DestroyWindow();
}

}  // namespace
