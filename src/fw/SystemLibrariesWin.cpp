#include "fw/SystemLibrariesWin.h"

#include "fw/Sound.h"

namespace fw {

HMODULE LazyLibraries::Get(const char* name) {
  for (Slot& slot : slots_) {
    if (lstrcmpiA(slot.name, name) != 0) continue;
    if (slot.module == nullptr) slot.module = LoadLibraryA(slot.name);
    return slot.module;
  }
  return nullptr;
}

namespace {

// The libraries of the process, each loaded on its first use and kept.
HMODULE Library(const char* name) {
  static LazyLibraries libraries;
  return libraries.Get(name);
}

template <typename Function>
Function Entry(const char* library, const char* name) {
  HMODULE module = Library(library);
  return module != nullptr
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
             : nullptr;
}

SoundGate gSounds;

}  // namespace

bool InitCommonControlsWith(InitCommonControlsExFunction initEx, InitCommonControlsFunction init) {
  if (initEx != nullptr) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    return initEx(&controls) != FALSE;
  }
  // The common controls of Windows 95 and NT 4 without a later update (4.00) have only this
  // one, which registers the same classes, the progress bar among them.
  if (init == nullptr) return false;
  init();
  return true;
}

bool EnsureCommonControls() {
  static const bool ready = InitCommonControlsWith(
      Entry<InitCommonControlsExFunction>("comctl32.dll", "InitCommonControlsEx"),
      Entry<InitCommonControlsFunction>("comctl32.dll", "InitCommonControls"));
  return ready;
}

INT_PTR PropertySheet(const PROPSHEETHEADERA* header) {
  using Function = INT_PTR(WINAPI*)(const PROPSHEETHEADERA*);
  if (!EnsureCommonControls()) return -1;
  const auto propertySheet = Entry<Function>("comctl32.dll", "PropertySheetA");
  return propertySheet != nullptr ? propertySheet(header) : -1;
}

BOOL PlaySoundFile(const char* file, SoundMode mode) {
  if (!gSounds.Pass(file)) return TRUE;
  using Function = BOOL(WINAPI*)(LPCSTR, UINT);
  const auto play = Entry<Function>("winmm.dll", "sndPlaySoundA");
  const UINT flags = SND_ASYNC | (mode == SoundMode::Loop ? SND_LOOP : 0);
  return play != nullptr ? play(file, flags) : FALSE;
}

ComSession::ComSession() {
  using Function = HRESULT(WINAPI*)(LPVOID);
  const auto initialize = Entry<Function>("ole32.dll", "CoInitialize");
  ready_ = initialize != nullptr && SUCCEEDED(initialize(nullptr));
}

ComSession::~ComSession() {
  using Function = void(WINAPI*)();
  if (!ready_) return;
  if (const auto uninitialize = Entry<Function>("ole32.dll", "CoUninitialize")) uninitialize();
}

HRESULT ComSession::CreateInstance(REFCLSID classId, REFIID interfaceId, void** object) {
  using Function = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
  const auto create = Entry<Function>("ole32.dll", "CoCreateInstance");
  if (!ready_ || create == nullptr) return E_FAIL;
  return create(classId, nullptr, CLSCTX_INPROC_SERVER, interfaceId, object);
}

}  // namespace fw
