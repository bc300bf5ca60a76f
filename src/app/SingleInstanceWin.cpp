#include "app/SingleInstanceWin.h"

bool ClaimSingleInstance(const std::string& exeName) {
  std::string upper = exeName;
  if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
  // Owned for the life of the process; never closed.
  CreateMutexA(nullptr, TRUE, upper.c_str());
  if (GetLastError() != ERROR_ALREADY_EXISTS) return true;

  for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (GetPropA(window, exeName.c_str()) != nullptr) {
      if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
      break;
    }
  }
  return false;
}

void MarkMainWindow(HWND window, const std::string& exeName) {
  SetPropA(window, exeName.c_str(), reinterpret_cast<HANDLE>(1));
}
