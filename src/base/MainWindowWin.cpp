#include "base/MainWindowWin.h"

#include <atomic>

namespace {

std::atomic<HWND> gMainWindow{nullptr};

}  // namespace

HWND MainWindowHandle() { return gMainWindow.load(); }

void SetMainWindowHandle(HWND window) { gMainWindow.store(window); }
