// The program's invisible main window: it owns the tray icon, receives the library's events
// and hands them, one at a time and in posting order, to the call state machine, and runs the
// hold timers.
#pragma once

#include <set>

#include "call/CallRoad.h"
#include "call/IPlayerWindow.h"
#include "tray/TrayCommands.h"
#include "tray/TrayIconWndWin.h"

class CPlayerWnd : public CTrayIconWnd, private IPlayerWindow, private ITrayCommandWindow {
 public:
  // Works on the records, and hands them to the windows it opens.
  explicit CPlayerWnd(const ProgramRecords& records);
  ~CPlayerWnd() override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int OnCreate(CREATESTRUCTA* create) override;
  void OnDestroy() override;
  void OnTimer(UINT_PTR id) override;
  void OnTrayRightClick() override { ShowTrayMenu(); }
  void OnTrayDoubleClick() override;
  // The tray menu's commands.
  bool OnCommand(int id, int code, HWND control) override;

  // WM_MOH_EVENT: re-posts the event to this window as WM_MOH_DISPATCH.
  LRESULT OnMohNotify(WPARAM event, LPARAM value);
  // WM_MOH_DISPATCH: the call state machine.
  virtual LRESULT OnMohEvent(WPARAM event, LPARAM value);

 private:
  void SetTimer(unsigned id, unsigned periodMs) override;
  void KillTimer(unsigned id) override;
  void PostEvent(int event, int value) override;
  uint32_t TickCount() override;
  std::string LoadText(unsigned id) override;
  void Sound(const char* file, SoundMode mode) override;
  void NotifyTray(bool add, const std::string& tip) override;
  void RefreshTrayIcon() override;
  void CloseCallDialog() override;
  void OpenCallDialog() override;
  bool MoreEventsQueued() override;
  void RefreshCallLog() override;

  // ITrayCommandWindow (CloseCallDialog above serves both)
  bool AskYesNo(unsigned stringId) override;
  void ShowMessage(unsigned stringId) override;
  void PostClose() override;
  void ReopenCallDialog() override;
  bool RunSettingsSheet() override;
  void ShowAbout() override;
  void RaiseCallDialogBox() override;

  // A step of the call road on this window and its records.
  CallRoad Road() { return RoadOf(m_records, *this); }
  void ShowTrayMenu();
  void OnCallLog();
  void CreateCallDialog(bool foreground);

  const ProgramRecords m_records;
  HICON m_hIcon[3] = {};
  // The call road's timers this window set and did not kill since: killing one that is not
  // running costs a trip to the system for nothing, thousands of times in a burst of events.
  std::set<unsigned> m_runningTimers;
  // The shell's message after it restarted: the icon must be added again.
  UINT m_taskbarCreated = 0;
};
