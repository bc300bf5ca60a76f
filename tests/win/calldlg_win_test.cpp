// The call dialog window in-process: closing it while an outgoing call is being placed cancels
// that call and nothing else.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/MohApp.h"
#include "calldlg/CallDlg.h"
#include "tray/CallState.h"

namespace {

void Pump() {
  MSG msg;
  for (int i = 0; i < 20; ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(5);
  }
}

TEST(CallDialogWindow, CloseBoxWhilePlacingCancelsTheCallWithoutPressingAnyButton) {
  CMohApp app;
  ResetCallState();
  gCallState = 7;
  gPlacingCall = 1;
  gHoldRemainingMs = 60000;
  auto* dialog = new CCallDlg;
  app.m_pCallDlg = dialog;
  ASSERT_TRUE(dialog->Create(nullptr));
  HWND hwnd = dialog->Handle();
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(hwnd, IDCANCEL)));  // "Anruf tätigen" is live

  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  Pump();  // anything the close posted would run now
  EXPECT_EQ(15, gCallState);
  EXPECT_EQ(0, gPlacingCall);
  EXPECT_EQ(0, gVoiceActive);   // "Anruf tätigen" would have switched to voice
  EXPECT_TRUE(IsWindow(hwnd));  // the main window replaces it on the next event

  dialog->DestroyWindow();
  EXPECT_EQ(nullptr, app.m_pCallDlg);  // it freed itself
}

}  // namespace
