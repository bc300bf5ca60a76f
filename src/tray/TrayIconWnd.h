// The hidden tool window that owns the notification-area icon.
#pragma once

#include "fw/Window.h"

class CTrayIconWnd : public fw::Window {
 public:
  // Creates the hidden tool window "TrayIconHandler"; it is never shown.
  virtual bool CreateTrayWindow();

 protected:
  // The object owns itself: it is freed after the last message of its window.
  void PostNcDestroy() override { delete this; }
};
