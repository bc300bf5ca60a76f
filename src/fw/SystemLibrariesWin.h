// System libraries that only some windows need, loaded when first needed rather than with the
// program: common controls (the property sheet, the progress bar), sounds and COM. A tray
// program that waits for calls most of its life then starts with little more than a bare one.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "fw/Sound.h"

namespace fw {

// comctl32, winmm and ole32, each loaded on its first use and kept: one slot per library.
class LazyLibraries {
 public:
  // The library of that name; null for another name or when it cannot be loaded.
  HMODULE Get(const char* name);

 private:
  struct Slot {
    const char* name;
    HMODULE module;
  };
  Slot slots_[3] = {{"comctl32.dll", nullptr}, {"winmm.dll", nullptr}, {"ole32.dll", nullptr}};
};

// Loads comctl32 and registers its window classes, once; false when it cannot be loaded.
bool EnsureCommonControls();
// Registers the classes through InitCommonControlsEx where comctl32 has it, else through
// InitCommonControls; false when it has neither.
using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
using InitCommonControlsFunction = void(WINAPI*)();
bool InitCommonControlsWith(InitCommonControlsExFunction initEx, InitCommonControlsFunction init);
// PropertySheetA of comctl32; -1 when it cannot be loaded.
INT_PTR PropertySheet(const PROPSHEETHEADERA* header);
// sndPlaySoundA of winmm. Stopping the sound (a null file) before anything was played loads
// nothing: no sound can be playing then.
BOOL PlaySoundFile(const char* file, SoundMode mode);

// COM of ole32 for the time of one task: initialised when made, uninitialised when it goes.
class ComSession {
 public:
  ComSession();
  ~ComSession();
  ComSession(const ComSession&) = delete;
  ComSession& operator=(const ComSession&) = delete;

  bool Ready() const { return ready_; }
  HRESULT CreateInstance(REFCLSID classId, REFIID interfaceId, void** object);

 private:
  bool ready_ = false;
};

}  // namespace fw
