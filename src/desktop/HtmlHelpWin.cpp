#include "desktop/HtmlHelpWin.h"

#include <string>

#include "base/OsDetect.h"
#include "desktop/HelpPage.h"

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The control's file as its COM registration names it.
std::string RegisteredControlPath() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT,
                    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", 0,
                    KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return {};
  }
  char path[MAX_PATH + 1] = {};
  DWORD size = MAX_PATH;  // one byte spare for the terminator the value may lack
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(path), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  path[size < sizeof(path) ? size : sizeof(path) - 1] = '\0';
  return path;
}

HtmlHelpFn LoadHtmlHelp() {
  HMODULE control = nullptr;
  const std::string registered = RegisteredControlPath();
  if (!registered.empty()) control = LoadLibraryA(registered.c_str());
  if (control == nullptr) control = LoadLibraryA("hhctrl.ocx");
  if (control == nullptr) return nullptr;
  // Export 14 is HtmlHelpA.
  return reinterpret_cast<HtmlHelpFn>(
      reinterpret_cast<void*>(GetProcAddress(control, MAKEINTRESOURCEA(14))));
}

}  // namespace

HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data) {
  static bool tried = false;
  static HtmlHelpFn htmlHelp = nullptr;
  // No help window can be open before the control was loaded: closing them loads nothing.
  if (!tried && command == HH_CLOSE_ALL_COMMAND) return nullptr;
  if (!tried) {
    tried = true;
    htmlHelp = LoadHtmlHelp();
  }
  return htmlHelp != nullptr ? htmlHelp(caller, file, command, data) : nullptr;
}

void ShowHelp() {
  CallHtmlHelp(nullptr, HelpTopic(gSystem.gLangID, gSystem.gPrimaryLang).c_str(),
               HH_DISPLAY_TOPIC_COMMAND, 0);
}
