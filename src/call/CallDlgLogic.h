// What the call dialog shows and does, decided from the shared call state: its mode, the
// layout and texts of each mode, the button actions, the close request and the countdown
// tick. Portable; they take the records through CallDialogRoad, and the dialog window carries
// them out through ICallDialogWindow.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "call/CallRoad.h"
#include "fw/Sound.h"
#include "res/resource.h"

// The call dialog's buttons, by their ids in the dialog template; the first three are the
// template's OK, Cancel and Abort buttons.
enum CallDlgButton : int {
  kButtonAnswer = 1,                  // "Anruf annehmen"
  kButtonPlace = 2,                   // "Anruf tätigen"
  kButtonDrop = 3,                    // "Verbindung beenden. Umschalten auf Sprache"
  kButtonIgnore = IDC_IGNORE_CALL,    // "Anruf ignorieren"
  kButtonRestore = IDC_RESTORE_DATA,  // "Meine Internetverbindung wiederherstellen"
};

enum class CallDlgMode { Incoming, Placing, OnHold, NoHold, TimedOut, Reconnecting, StatusOnly };

enum class Presence { Shown, Disabled, Hidden };

struct ControlPresence {
  int id;
  Presence presence;
};

CallDlgMode ModeFor(int callState, int placingCall);
// The modes in which the user has nothing left to do for the call, or may decline to act: the
// close box, Alt+F4 and Esc close them. The others end by themselves, and the on-hold dialog is
// the user's only way back to the data connection.
bool ClosesOnRequest(CallDlgMode mode);
// The ten controls the modes arrange, in a fixed order.
std::vector<ControlPresence> LayoutFor(CallDlgMode mode);

class ICallDialogWindow : public ISoundPlayer {
 public:
  virtual ~ICallDialogWindow() = default;
  virtual std::string LoadText(unsigned id) = 0;
  virtual void SetItemText(int id, const std::string& text) = 0;
  // Sets the text and repaints the control with its background erased.
  virtual void RefreshItem(int id, const std::string& text) = 0;
  virtual std::string ItemText(int id) = 0;
  virtual void SetPresence(int id, Presence presence) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Centred the first time, then where the last dialog closed; always topmost.
  virtual void Place() = 0;
  // Timer 20 of the dialog.
  virtual void StartTick(unsigned periodMs) = 0;
  virtual void SetProgress(int low, int high, int step) = 0;
  virtual void StepProgress() = 0;
  // KillTimer of the main window's TIMER_ANSWER.
  virtual void StopAnswerTimer() = 0;
  // The reminder to hang up first, owned by the dialog; returns when it is dismissed, or closed
  // with the dialog (the box runs a message loop, in which an event may replace the dialog).
  virtual void ShowHangUpReminder() = 0;
  // Closes this dialog at the user's request; the object frees itself.
  virtual void Dismiss() = 0;
  // The dialog declares the hold timed out as if the library had said so.
  virtual void DeclareTimeout() = 0;
};

// A call dialog that is never shown: laid out by InitCallDialog, it makes every change of the
// shared state and asks for every sound a shown one would, but has no window, timer or place.
class HeadlessCallDialog : public ICallDialogWindow {
 public:
  // Texts and sounds come from the window that would have owned the dialog.
  HeadlessCallDialog(std::function<std::string(unsigned)> loadText, ISoundPlayer& sound)
      : loadText_(std::move(loadText)), sound_(sound) {}

  std::string LoadText(unsigned id) override { return loadText_(id); }
  void Sound(const char* file, SoundMode mode) override { sound_.Sound(file, mode); }
  void SetItemText(int id, const std::string& text) override { texts_[id] = text; }
  void RefreshItem(int id, const std::string& text) override { texts_[id] = text; }
  std::string ItemText(int id) override { return texts_[id]; }
  void SetPresence(int, Presence) override {}
  void SetCaption(const std::string&) override {}
  void Place() override {}
  void StartTick(unsigned) override {}
  void SetProgress(int, int, int) override {}
  void StepProgress() override {}
  void StopAnswerTimer() override {}
  void ShowHangUpReminder() override {}
  void Dismiss() override {}
  void DeclareTimeout() override;

 private:
  std::function<std::string(unsigned)> loadText_;
  ISoundPlayer& sound_;
  std::map<int, std::string> texts_;
};

// The hold sentence of the on-hold modes.
std::string HoldSentence(ICallDialogWindow& dialog, int holdDurationMs);

// WM_INITDIALOG after the window's own set-up (icon, colours). Returns the mode laid out; it
// stays the dialog's mode for its life.
CallDlgMode InitCallDialog(const CallDialogRoad& road, ICallDialogWindow& dialog);
// WM_SHOWWINDOW after its default processing.
void CallDialogShown(const CallDialogRoad& road, ICallDialogWindow& dialog);
// The countdown tick of the dialog's own timer (TIMER_CALL_DIALOG).
void CallDialogTick(const CallDialogRoad& road, ICallDialogWindow& dialog);

// The buttons, in the order of CallDlgButton: answer, ignore, restore, place, drop.
void OnAnswerCall(const CallDialogRoad& road, ICallDialogWindow& dialog);
void OnIgnoreCall(const CallDialogRoad& road, ICallDialogWindow& dialog);
void OnRestoreData(const CallDialogRoad& road, ICallDialogWindow& dialog);
void OnPlaceCallButton(const CallDialogRoad& road, ICallDialogWindow& dialog);
void OnDropData(const CallDialogRoad& road, ICallDialogWindow& dialog);
// The close box and Alt+F4: while an outgoing call is being placed it cancels that call; in a
// mode that closes on request it closes the dialog and sends nothing.
void OnCloseCallDialog(const CallDialogRoad& road, ICallDialogWindow& dialog, CallDlgMode mode);
// Esc: never takes, places, cancels or drops a call; closes a dialog that closes on request.
void OnEscapeCallDialog(ICallDialogWindow& dialog, CallDlgMode mode);
