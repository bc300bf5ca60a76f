// The player window as the call handling sees it, recording every effect in order, with a
// clock the test moves and a string table that names each text by its id.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "call/IPlayerWindow.h"

class RecordingPlayer : public IPlayerWindow {
 public:
  std::vector<std::string> effects;
  uint32_t now = 1000;

  // "<32805>" for a text of the string table; "" for the ids that have none.
  static std::string Text(unsigned id);

  // "TIMER_FALLBACK" for 12, the number for an unknown id.
  static std::string TimerName(unsigned id);
  // "MOH_DENIED" for 6, the number for an unknown code.
  static std::string EventName(int event);

  void SetTimer(unsigned id, unsigned periodMs) override {
    effects.push_back("SetTimer " + TimerName(id) + " " + std::to_string(periodMs));
  }
  void KillTimer(unsigned id) override { effects.push_back("KillTimer " + TimerName(id)); }
  void PostEvent(int event, int value) override {
    effects.push_back("Post " + EventName(event) + " " + std::to_string(value));
  }
  uint32_t TickCount() override { return now; }
  std::string LoadText(unsigned id) override { return Text(id); }
  void Sound(const char* file, SoundMode mode) override {
    effects.push_back(file ? "Sound " + std::string(file) +
                                 (mode == SoundMode::Loop ? " loop" : " once")
                           : "Sound stop");
  }
  void NotifyTray(bool add, const std::string& tip) override {
    effects.push_back(std::string(add ? "Tray add " : "Tray modify ") + tip);
  }
  // The window's own refresh, on the program's records.
  void RefreshTrayIcon() override;
  void CloseCallDialog() override { effects.push_back("CloseDialog"); }
  void OpenCallDialog() override { effects.push_back("OpenDialog"); }
  bool MoreEventsQueued() override { return moreEventsQueued; }
  bool moreEventsQueued = false;
  void RefreshCallLog() override { effects.push_back("RefreshCallLog"); }

  // The effects since the last call, tray refreshes left out.
  std::vector<std::string> Take();
};
