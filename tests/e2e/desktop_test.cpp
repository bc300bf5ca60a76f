// Desktop integration of the real Parko.exe: the About box and the help from its menu, start
// with Windows, and the Start-menu shortcut per Windows version.
#include <windows.h>

#include <shlobj.h>

#include <gtest/gtest.h>

#include "CallCase.h"
#include "Driver.h"

namespace {

const char* const kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kMohKey = "SOFTWARE\\Tamrix\\MOH";
const char* const kLinkName = "\\Modem On Hold Einstellungen.lnk";

std::string RunValue() {
  char data[MAX_PATH] = {};
  DWORD size = sizeof(data) - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, kRunKey, "Parko", RRF_RT_REG_SZ, nullptr, data, &size) !=
      ERROR_SUCCESS) {
    return "<none>";
  }
  return data;
}

void SetRunValue(const char* data) {
  HKEY key = nullptr;
  RegCreateKeyA(HKEY_LOCAL_MACHINE, kRunKey, &key);
  if (data != nullptr) {
    RegSetValueExA(key, "Parko", 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                   static_cast<DWORD>(strlen(data) + 1));
  } else {
    RegDeleteValueA(key, "Parko");
  }
  RegCloseKey(key);
}

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
  return path;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Desktop : public Call {
 protected:
  void TearDown() override {
    SetRunValue(nullptr);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMohKey);
    DeleteFileA((Folder(CSIDL_PROGRAMS) + kLinkName).c_str());
    DeleteFileA((Folder(CSIDL_COMMON_PROGRAMS) + kLinkName).c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Parko.exe\\DllOverrides");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Parko.exe");
  }
  HWND About() {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
          for (const e2e::WindowInfo& window : parko_.Windows()) {
            if (window.windowClass == "#32770" && window.visible &&
                e2e::Control(window.hwnd, 1050) != nullptr) {
              found = window.hwnd;
            }
          }
          return found != nullptr;
        },
        5000);
    return found;
  }
};

TEST_F(Desktop, TheAboutBoxShowsTheVersionAndClosesWithOkEnterAndEscape) {
  Start();
  for (UINT way : {0u, static_cast<UINT>(VK_RETURN), static_cast<UINT>(VK_ESCAPE)}) {
    SCOPED_TRACE(way);
    Choose(kInfo);
    HWND about = About();
    ASSERT_NE(nullptr, about) << Report();
    EXPECT_EQ(0u, e2e::Text(e2e::Control(about, 1050)).find("Version 1.68B\n"));
    EXPECT_EQ("OK", e2e::Text(e2e::Control(about, IDOK)));
    if (way == 0) {
      PostMessageA(e2e::Control(about, IDOK), BM_CLICK, 0, 0);
    } else {
      PostMessageA(e2e::Control(about, IDOK), WM_KEYDOWN, way, 0);
    }
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(about); }, 5000)) << Report();
  }
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Desktop, HelpOpensTheHelpFileAndExitClosesIt) {
  Start();
  Choose(kHelp);
  EXPECT_NE(nullptr, parko_.WaitForWindow("HH Parent", "Parko Hilfe", 10000)) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Desktop, WithoutTheHtmlHelpControlHelpShowsNothingAndParkoCarriesOn) {
  // Wine's own switch for this program: the control cannot be loaded, by path or by name.
  HKEY key = nullptr;
  RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Parko.exe\\DllOverrides", &key);
  RegSetValueExA(key, "hhctrl.ocx", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
  RegCloseKey(key);
  Start();
  Choose(kHelp);
  // The menu's commands run in order: once the About box shows, the help command is done.
  Choose(kInfo);
  HWND about = About();
  ASSERT_NE(nullptr, about) << Report();
  EXPECT_EQ(nullptr, parko_.WaitForWindow("HH Parent", nullptr, 0));
  PostMessageA(e2e::Control(about, IDOK), BM_CLICK, 0, 0);
  EXPECT_TRUE(parko_.Close()) << Report();
}

class StartWithWindows : public Desktop, public testing::WithParamInterface<bool> {};

TEST_P(StartWithWindows, TheMenuItemFlipsWhatStartUpFound) {
  const bool on = GetParam();
  SetRunValue(on ? "" : nullptr);
  Start();
  Choose(kAutoStart);
  const std::string expected = on ? "<none>" : "\"" + install_->Dir() + "\\Parko.exe\"";
  EXPECT_TRUE(e2e::WaitUntil([&] { return RunValue() == expected; }, 5000)) << RunValue();
  EXPECT_TRUE(parko_.Close()) << Report();
}

INSTANTIATE_TEST_SUITE_P(Desktop, StartWithWindows, testing::Bool());

struct ShortcutCase {
  const char* windowsVersion;  // the program's AppDefaults version; null: the prefix's own
  bool createEntry;
  int folder;  // CSIDL of the folder that gets the shortcut; -1: none
  // The builds in which what 95, 98 and ME only stub fails as there (CreateSemaphoreW,
  // GetModuleHandleW, LoadLibraryW, CreateThread without a thread id).
  bool nineX = false;
};

void PrintTo(const ShortcutCase& c, std::ostream* out) {
  *out << (c.windowsVersion ? c.windowsVersion : "default") << (c.createEntry ? " asked" : "")
       << (c.nineX ? " with the 9x stubs" : "");
}

// Under each Windows the program tells apart: start-up with its shortcut, the settings confirmed
// (the library bound again), a call taken and held, and the tray menu's call log.
class EveryWindows : public Desktop, public testing::WithParamInterface<ShortcutCase> {};

TEST_P(EveryWindows, StartsTakesACallAndPutsItsShortcutWhereThatWindowsKeepsPrograms) {
  const ShortcutCase c = GetParam();
  if (c.windowsVersion != nullptr) {
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\Parko.exe", &key);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.windowsVersion),
                   static_cast<DWORD>(strlen(c.windowsVersion) + 1));
    RegCloseKey(key);
  }
  Start(kQuickLine,
        std::string(kParkoIni) + "CreateProgramEntry=" + (c.createEntry ? "Yes" : "No") + "\r\n",
        c.nineX);
  // The shortcut is made at the end of start-up, after the main window was marked: wait for
  // the one expected, not only for the mark.
  ASSERT_TRUE(e2e::WaitUntil([&] { return GetPropA(main_, "Parko") != nullptr; }, 10000));
  const std::string user = Folder(CSIDL_PROGRAMS) + kLinkName;
  const std::string common = Folder(CSIDL_COMMON_PROGRAMS) + kLinkName;
  if (c.folder != -1) {
    const std::string expected = c.folder == CSIDL_PROGRAMS ? user : common;
    EXPECT_TRUE(e2e::WaitUntil([&] { return Exists(expected); }, 10000)) << expected;
  }
  EXPECT_EQ(c.folder == CSIDL_PROGRAMS, Exists(user));
  EXPECT_EQ(c.folder == CSIDL_COMMON_PROGRAMS, Exists(common));
  HKEY record = nullptr;
  const bool recorded =
      RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMohKey, 0, KEY_QUERY_VALUE, &record) == ERROR_SUCCESS &&
      RegQueryValueExA(record, "AppPath", nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  if (record != nullptr) RegCloseKey(record);
  EXPECT_EQ(c.folder != -1, recorded);

  // Offline, where a TELKA modem is set up: OK hands the settings over and binds again.
  // The library is bound again once Parko reads the settings back after a new initialisation:
  // until then the engine restarts, and a command to it could reach the pipe it is closing.
  const auto bindings = [&] {
    size_t count = 0;
    bool readBack = false;
    for (const std::string& line : e2e::Lines(install_->ReadFile("mohsim.journal"))) {
      if (line.rfind("MohInitialize(", 0) == 0) ++count, readBack = false;
      if (line.rfind("MohGetParam(", 0) == 0) readBack = true;
    }
    return readBack ? count : 0;
  };
  const size_t bound = bindings();
  e2e::DoubleClickTrayIcon(main_);
  HWND sheet = e2e::WaitForSettingsSheet(parko_);
  ASSERT_NE(nullptr, sheet) << Report();
  e2e::PressSheetButton(sheet, PSBTN_OK);
  ASSERT_TRUE(e2e::WaitUntil([&] { return bindings() == bound + 1; }, 10000)) << Report();

  Line("online");
  Line(std::string("call ") + kCaller);
  HWND offered = Dialog("Annehmen eines Anrufs");
  ASSERT_NE(nullptr, offered) << Report();
  e2e::Click(offered, IDOK);
  HWND held = nullptr;
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        held = Dialog("Annehmen eines Anrufs", offered, 0);
        return held != nullptr && e2e::IsVisible(e2e::Control(held, 1036));
      },
      10000))
      << Report();
  Choose(kCallLog);
  HWND log = Dialog("Rufprotokoll");
  ASSERT_NE(nullptr, log) << Report();
  EXPECT_EQ(1, e2e::ListCount(e2e::Control(log, 1034)));
  EXPECT_TRUE(parko_.Close()) << Report();
}

INSTANTIATE_TEST_SUITE_P(Desktop, EveryWindows,
                         testing::Values(ShortcutCase{"win95", true, CSIDL_PROGRAMS, true},
                                         ShortcutCase{"win98", true, CSIDL_PROGRAMS, true},
                                         ShortcutCase{"winme", true, CSIDL_COMMON_PROGRAMS, true},
                                         ShortcutCase{"nt40", true, CSIDL_COMMON_PROGRAMS},
                                         ShortcutCase{"win2k", true, CSIDL_COMMON_PROGRAMS},
                                         ShortcutCase{"winxp", true, CSIDL_COMMON_PROGRAMS},
                                         ShortcutCase{"win10", true, CSIDL_COMMON_PROGRAMS},
                                         ShortcutCase{nullptr, false, -1}),
                         [](const testing::TestParamInfo<ShortcutCase>& info) {
                           return info.param.createEntry ? std::string(info.param.windowsVersion)
                                                         : std::string("NoShortcutAsked");
                         });

}  // namespace
