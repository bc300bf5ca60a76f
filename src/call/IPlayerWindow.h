// What the call handling asks of the player window: its timers, posting to itself, the clock,
// texts, sound, the tray icon and the lifetimes of the call dialog and the call log. The Win32
// window implements it; tests record it.
#pragma once

#include <cstdint>
#include <string>

#include "fw/Sound.h"

class IPlayerWindow : public ISoundPlayer {
 public:
  virtual ~IPlayerWindow() = default;
  virtual void SetTimer(unsigned id, unsigned periodMs) = 0;
  virtual void KillTimer(unsigned id) = 0;
  // WM_MOH_EVENT to the player window itself.
  virtual void PostEvent(int event, int value) = 0;
  virtual uint32_t TickCount() = 0;
  // A text of the string table; "" for an id without text.
  virtual std::string LoadText(unsigned id) = 0;
  // Adds (add) or modifies the tray icon with the program's icon and the tip text.
  virtual void NotifyTray(bool add, const std::string& tip) = 0;
  // The window's tray refresh (the icon added where the shell has none of ours, else modified),
  // as its timers run it: the hold countdown's first step, made at once, runs it too.
  virtual void RefreshTrayIcon() = 0;
  // Closes the open call dialog, if any.
  virtual void CloseCallDialog() = 0;
  // Creates a call dialog for the current state, shows it and brings it to the foreground.
  virtual void OpenCallDialog() = 0;
  // Whether more of the library's events wait in the window's queue already.
  virtual bool MoreEventsQueued() = 0;
  // A caller-ID text was fetched and parsed: an open call log is re-created at its place, so
  // that it shows the newest caller.
  virtual void RefreshCallLog() = 0;
};
