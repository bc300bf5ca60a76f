// Parko's main window and call dialogs in this process, 200 calls (or as many as the argument
// says) through them: prints the GDI objects and committed bytes before and after
// ("gdi BEFORE AFTER private BEFORE AFTER").
// Another process's GDI objects cannot be counted under Wine (GetGuiResources is a stub), so
// the calls are played here, where each live object can be found.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

#include "GdiObjects.h"
#include "app/MohAppWin.h"
#include "app/ProgramRecords.h"
#include "base/Messages.h"
#include "call/CallState.h"
#include "calldlg/CallDlgWin.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "tray/PlayerWndWin.h"

namespace {

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                       sizeof(counters));
  // Wine leaves PrivateUsage at 0; the committed bytes are the same figure on Windows.
  return counters.PagefileUsage;
}

// Handles messages until the condition holds (or two seconds passed).
template <typename Condition>
bool PumpUntil(Condition done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 2000) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  return true;
}

bool Call(HWND main) {
  PostMessageA(main, WM_MOH_DISPATCH, MOH_INCOMING_CALL, 1);
  PostMessageA(main, WM_MOH_DISPATCH, MOH_GRANTED, 5);
  if (!PumpUntil([&] { return HeldCallDialog() != nullptr; })) return false;
  PostMessageA(main, WM_MOH_DISPATCH, MOH_DATA_RESUMED, 0);
  return PumpUntil(
      [&] { return HeldCallDialog() == nullptr && gCall.gCallState == MOH_DATA_RESUMED; });
}

}  // namespace

int main(int argc, char** argv) {
  const int calls = argc > 1 ? std::atoi(argv[1]) : 200;
  CMohApp app;
  auto* player = new CPlayerWnd(TheProgramRecords());
  if (!player->CreateTrayWindow()) return 1;
  gSettings.gMohModemType = TELKA;
  gCall.gOnline = true;
  gSettings.gEnableMOH = gSettings.gCallerID = 1;
  // The first calls load what every later one shares.
  for (int i = 0; i < 10; ++i) {
    if (!Call(player->Handle())) return 1;
  }
  const int gdiBefore = CountGdiObjects();
  const SIZE_T privateBefore = PrivateBytes();
  for (int i = 0; i < calls; ++i) {
    if (!Call(player->Handle())) return 1;
  }
  std::printf("gdi %d %d private %lu %lu\n", gdiBefore, CountGdiObjects(),
              static_cast<unsigned long>(privateBefore),
              static_cast<unsigned long>(PrivateBytes()));
  player->DestroyWindow();
  return 0;
}
