// The call dialog (template IDD_CALL): a small topmost modeless dialog that lays itself out from
// the shared call state and lives from one event to the next.
#pragma once

#include <windows.h>

#include "call/CallDlgLogic.h"
#include "fw/DialogWin.h"

class CCallDlg : public fw::Dialog, private ICallDialogWindow {
 public:
  // Shows and changes the call of the road's records.
  explicit CCallDlg(const CallDialogRoad& road);
  ~CCallDlg() override;

  // Remembers where the dialog was, so that the next one opens there.
  BOOL DestroyWindow() override;
  // Esc goes to the dialog's own close handling, never to the button with id IDCANCEL.
  bool PreTranslateMessage(const MSG& msg) override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void DoDataExchange(const fw::DataExchange& dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;      // button 1 "Anruf annehmen"
  void OnCancel() override;  // button 2 "Anruf tätigen"
  bool OnCommand(int id, int code, HWND control) override;
  void OnTimer(UINT_PTR id) override;
  void OnClose() override;
  void OnDestroy() override;
  void PostNcDestroy() override;

 private:
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  // A button acts only while the user can see and press it.
  bool IsButtonLive(int id) const;

  // ICallDialogWindow
  std::string LoadText(unsigned id) override;
  void SetItemText(int id, const std::string& text) override;
  void RefreshItem(int id, const std::string& text) override;
  std::string ItemText(int id) override;
  void SetPresence(int id, Presence presence) override;
  void SetCaption(const std::string& caption) override;
  void Place() override;
  void StartTick(unsigned periodMs) override;
  void SetProgress(int low, int high, int step) override;
  void StepProgress() override;
  void Sound(const char* file, SoundMode mode) override;
  void StopAnswerTimer() override;
  void ShowHangUpReminder() override;
  void Dismiss() override;
  void DeclareTimeout() override;

  HWND m_progress = nullptr;
  HWND m_stAnswerTime = nullptr;
  std::string m_strInfo;
  COLORREF m_crCounterText = 0;
  COLORREF m_crCounterBack = 0;
  HBRUSH m_brCounter = nullptr;
  COLORREF m_crInfoText = 0;
  CallDlgMode m_mode = CallDlgMode::StatusOnly;
  const CallDialogRoad m_road;
};

// The call dialog the player window holds, at most one; it lets go of itself as it is freed.
CCallDlg* HeldCallDialog();
void HoldCallDialog(CCallDlg* dialog);
