// Start with Windows and the Start-menu shortcut against the prefix's real registry and shell;
// the shortcut is also read by a tool of its own (lnkinfo of liblnk).
#include <windows.h>

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "base/InstallOptions.h"
#include "base/OsDetect.h"
#include "desktop/AutoStart.h"
#include "desktop/DesktopShellWin.h"
#include "desktop/ProgramLink.h"
#include "moh/MohSettings.h"
#include "moh/Registry.h"

namespace {

const char* const kLinkName = "Modem On Hold Einstellungen.lnk";

std::string StringValue(const char* path, const char* name, DWORD* size = nullptr) {
  char data[600] = {};
  DWORD length = sizeof(data) - 1;
  if (RegGetValueA(HKEY_LOCAL_MACHINE, path, name, RRF_RT_REG_SZ | RRF_NOEXPAND, nullptr, data,
                   &length) != ERROR_SUCCESS) {
    return "<none>";
  }
  HKEY key = nullptr;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key);
  DWORD raw = 0;
  RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &raw);
  RegCloseKey(key);
  if (size != nullptr) *size = raw;
  return data;
}

bool KeyExists(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

class RunKey : public testing::Test {
 protected:
  void SetUp() override {
    UseRegistry(nullptr);
    Restore();
  }
  void TearDown() override { Restore(); }
  // The Run key as a fresh system has it: present, without our value.
  static void Restore() {
    HKEY key = nullptr;
    RegCreateKeyA(HKEY_LOCAL_MACHINE, kAutoStartKey, &key);
    RegDeleteValueA(key, kAutoStartValue);
    RegCloseKey(key);
  }
  static void SetValue(const std::string& data) {
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kAutoStartKey, 0, KEY_ALL_ACCESS, &key);
    RegSetValueExA(key, kAutoStartValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
  }
};

TEST_F(RunKey, AnyValueCountsAsOnAndTheMenuItemDeletesIt) {
  for (const std::string data : {"", "C:\\Other\\Program.exe"}) {
    SetValue(data);
    gSettings.gAutoStart = 0;
    QueryStartAutomatically();
    EXPECT_EQ(1, gSettings.gAutoStart);
    OnAutoStart();
    EXPECT_EQ(0, gSettings.gAutoStart);
    EXPECT_EQ("<none>", StringValue(kAutoStartKey, kAutoStartValue));
  }
}

TEST_F(RunKey, SwitchedOnItWritesThePathQuotedWithItsTerminatorCounted) {
  gInstall.gInstallDir = "C:\\Program Files\\Parko";
  QueryStartAutomatically();
  EXPECT_EQ(0, gSettings.gAutoStart);
  OnAutoStart();
  EXPECT_EQ(1, gSettings.gAutoStart);
  DWORD size = 0;
  const std::string quoted = "\"C:\\Program Files\\Parko\\Parko.exe\"";
  EXPECT_EQ(quoted, StringValue(kAutoStartKey, kAutoStartValue, &size));
  EXPECT_EQ(quoted.size() + 1, size);
}

TEST_F(RunKey, WithoutTheKeyNothingIsWrittenAndTheMarkStaysOff) {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAutoStartKey);
  QueryStartAutomatically();
  EXPECT_EQ(0, gSettings.gAutoStart);
  OnAutoStart();
  EXPECT_EQ(0, gSettings.gAutoStart);  // the menu's mark: nothing starts Parko with Windows
  EXPECT_FALSE(KeyExists(kAutoStartKey));
}

// A shortcut as IShellLinkA reads it back: "target|arguments|icon,index".
std::string ReadLink(const std::string& path) {
  std::string result = "<unreadable>";
  if (FAILED(CoInitialize(nullptr))) return result;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(wide, STGM_READ))) {
    char target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, icon[MAX_PATH] = {};
    int index = -1;
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, MAX_PATH);
    link->GetIconLocation(icon, MAX_PATH, &index);
    result = std::string(target) + "|" + arguments + "|" + icon + "," + std::to_string(index);
  }
  if (file != nullptr) file->Release();
  if (link != nullptr) link->Release();
  CoUninitialize();
  return result;
}

std::string FileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// What Debian's lnkinfo says of the file, run as a Unix program from Wine, once it has said
// `expected` or ten seconds passed. (Wine's handle of a Unix process does not tell when it
// ended, so the output is waited for instead.)
std::string LnkInfo(const std::string& path, const std::string& expected) {
  using UnixName = char*(CDECL*)(const WCHAR*);
  auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (unixName == nullptr) return "<not under Wine>";
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  char* unixPath = unixName(wide);
  if (unixPath == nullptr) return "<no unix path>";
  std::string commandLine = std::string("/usr/bin/lnkinfo \"") + unixPath + "\"";
  HeapFree(GetProcessHeap(), 0, unixPath);

  char tempDir[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, tempDir);
  const std::string output = std::string(tempDir) + "lnkinfo.txt";
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE out = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = out;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessA("Z:\\usr\\bin\\lnkinfo", &commandLine[0], nullptr, nullptr,
                                      TRUE, 0, nullptr, nullptr, &startup, &process);
  CloseHandle(out);
  if (!started) return "<lnkinfo did not start>";
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::string text;
  for (const DWORD start = GetTickCount(); GetTickCount() - start < 10000; Sleep(50)) {
    text = FileText(output);
    if (text.find(expected) != std::string::npos) break;
  }
  DeleteFileA(output.c_str());
  return text;
}

class StartMenuShortcut : public testing::Test {
 protected:
  void SetUp() override {
    UseRegistry(nullptr);
    gSystem.OSFound = WINDOWS_2K;
    folder_ = shell_.SpecialFolderPath(kCommonProgramsFolder);
    ASSERT_FALSE(folder_.empty());
    CleanUp();
  }
  void TearDown() override { CleanUp(); }
  void CleanUp() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMohRegistryKey);
    DeleteFileA(Link().c_str());
  }
  std::string Link() const { return folder_ + "\\" + kLinkName; }

  DesktopShell shell_;
  std::string folder_;
};

TEST_F(StartMenuShortcut, IsMadeOncePerInstallationFolder) {
  gInstall.gInstallDir = "C:\\Parko Test";
  AddProgramLink(shell_);
  EXPECT_EQ(Link(), StringValue(kMohRegistryKey, "LinkName"));
  EXPECT_EQ(gInstall.gInstallDir, StringValue(kMohRegistryKey, "AppPath"));
  EXPECT_EQ("C:\\Parko Test\\Parko.exe||C:\\Parko Test\\Parko.exe,0", ReadLink(Link()));
  const std::string info = LnkInfo(Link(), "C:\\Parko Test\\Parko.exe");
  EXPECT_NE(std::string::npos, info.find("C:\\Parko Test\\Parko.exe")) << info;

  // The same folder in other letters: nothing is made again.
  ASSERT_TRUE(DeleteFileA(Link().c_str()));
  gInstall.gInstallDir = "c:\\PARKO TEST";
  AddProgramLink(shell_);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(Link().c_str()));

  // Moved: the shortcut of the same name now leads to the new folder.
  gInstall.gInstallDir = "C:\\Parko Neu";
  AddProgramLink(shell_);
  EXPECT_EQ("C:\\Parko Neu\\Parko.exe||C:\\Parko Neu\\Parko.exe,0", ReadLink(Link()));
  EXPECT_EQ("C:\\Parko Neu", StringValue(kMohRegistryKey, "AppPath"));
}

}  // namespace
