// ParkoSetup.exe under Wine, as a user runs it: a silent install into the default folder, the
// program it installed started from its Start-menu shortcut, an install over a running Parko,
// and an uninstall that leaves nothing of the program behind.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"

namespace {

const char* const kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Parko";
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kMohKey = "SOFTWARE\\Tamrix\\MOH";
const char* const kLinkName = "\\Modem On Hold Einstellungen.lnk";
const char* const kFiles[] = {"Parko.exe",   "MOHAPI.DLL", "DefaultDialString.dll",
                              "mohsim.exe",  "ring.wav",   "beep.wav",
                              "mohhelp.chm", "parko.ini",  "uninstall.exe"};

std::string Folder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
  return path;
}

std::string InstallDir() { return Folder(CSIDL_PROGRAM_FILES) + "\\Parko"; }

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Value(HKEY root, const char* key, const char* name) {
  char data[MAX_PATH] = {};
  DWORD size = sizeof(data) - 1;
  if (RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) {
    return "<none>";
  }
  return data;
}

bool KeyExists(const char* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(opened);
  return true;
}

// Runs a program and waits for it; its exit code, or -1.
int RunAndWait(const std::string& exe, const std::string& arguments) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!e2e::StartProgram("\"" + exe + "\" " + arguments, "", false, startup, process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// What of the program there is: one line per file, value and key that exists.
std::vector<std::string> Traces() {
  std::vector<std::string> traces;
  for (const char* file : kFiles) {
    if (Exists(InstallDir() + "\\" + file)) traces.push_back(std::string("file ") + file);
  }
  if (Exists(InstallDir())) traces.push_back("folder " + InstallDir());
  for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS}) {
    if (Exists(Folder(csidl) + kLinkName)) traces.push_back("shortcut in " + Folder(csidl));
  }
  if (Value(HKEY_LOCAL_MACHINE, kRunKey, "Parko") != "<none>") traces.push_back("Run value");
  if (KeyExists(kMohKey)) traces.push_back(std::string("key ") + kMohKey);
  if (KeyExists(kUninstallKey)) traces.push_back("uninstall entry");
  return traces;
}

std::string LinkTarget(const std::string& path) {
  std::string target;
  if (FAILED(CoInitialize(nullptr))) return target;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(wide, STGM_READ))) {
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    target = text;
  }
  if (file != nullptr) file->Release();
  if (link != nullptr) link->Release();
  CoUninitialize();
  return target;
}

bool MakeShortcut(const std::string& path, const std::string& target) {
  if (FAILED(CoInitialize(nullptr))) return false;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  const bool made =
      SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->SetPath(target.c_str())) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Save(wide, TRUE));
  if (file != nullptr) file->Release();
  if (link != nullptr) link->Release();
  CoUninitialize();
  return made;
}

void SetValue(HKEY root, const char* key, const char* name, const std::string& data) {
  HKEY opened = nullptr;
  RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr);
  RegSetValueExA(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>(data.size() + 1));
  RegCloseKey(opened);
}

class Setup : public testing::Test {
 protected:
  void SetUp() override { Uninstall(); }
  void TearDown() override { Uninstall(); }

  static void Install() { ASSERT_EQ(0, RunAndWait(e2e::ImageFile("ParkoSetup.exe"), "/S")); }
  // The uninstaller copies itself away and returns at once: what it removes is waited for.
  static void Uninstall() {
    const std::string uninstaller = InstallDir() + "\\uninstall.exe";
    if (Exists(uninstaller)) RunAndWait(uninstaller, "/S");
    e2e::WaitUntil([] { return !KeyExists(kUninstallKey) && !Exists(InstallDir()); }, 20000);
  }
  // Uninstalls from a folder of the case's own: true once its program and the entry are gone.
  static bool UninstalledFrom(const std::string& dir) {
    RunAndWait(dir + "\\uninstall.exe", "/S");
    return e2e::WaitUntil([&] { return !Exists(dir + "\\Parko.exe") && !KeyExists(kUninstallKey); },
                          20000);
  }
  // Deletes the files a case left in such a folder, and the folder.
  static void RemoveWithFolder(const std::string& dir, std::initializer_list<const char*> files) {
    for (const char* file : files) DeleteFileA((dir + "\\" + file).c_str());
    RemoveDirectoryA(dir.c_str());
  }
  // Starts the installed Parko (chosen modem at start: the silent defaults ask for it) and
  // takes the first modem and the settings as they are.
  void StartInstalled(const std::string& exe) {
    parko_ = std::make_unique<e2e::ParkoProcess>();
    ASSERT_TRUE(parko_->Start(exe, InstallDir()));
    HWND modem = parko_->WaitForWindow("#32770", "Modem ausw\xE4hlen", 10000);
    ASSERT_NE(nullptr, modem) << parko_->Describe();
    e2e::Click(modem, IDOK);
    HWND sheet = e2e::WaitForSettingsSheet(*parko_, 10000);
    ASSERT_NE(nullptr, sheet) << parko_->Describe();
    e2e::PressSheetButton(sheet, PSBTN_CANCEL);
    main_ = parko_->WaitForMainWindow();
    ASSERT_TRUE(e2e::WaitUntil([&] { return GetPropA(main_, "Parko") != nullptr; }, 10000));
  }

  std::unique_ptr<e2e::ParkoProcess> parko_;
  HWND main_ = nullptr;
};

TEST_F(Setup, ASilentInstallPlacesTheProgramItsOptionsAndItsUninstallEntry) {
  Install();
  for (const char* file : kFiles) EXPECT_TRUE(Exists(InstallDir() + "\\" + file)) << file;
  const std::string ini = InstallDir() + "\\parko.ini";
  const auto option = [&](const char* key) {
    char value[64] = {};
    GetPrivateProfileStringA("INSTALL_OPTIONS", key, "<none>", value, sizeof(value), ini.c_str());
    return std::string(value);
  };
  EXPECT_EQ("No", option("SilentEnumeration"));
  EXPECT_EQ("No", option("Logging"));
  EXPECT_EQ("Yes", option("CreateProgramEntry"));
  EXPECT_EQ("Parko 1.68B", Value(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"));
  EXPECT_EQ("1.68B", Value(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayVersion"));
  EXPECT_EQ("Tamrix", Value(HKEY_LOCAL_MACHINE, kUninstallKey, "Publisher"));
  EXPECT_EQ("\"" + InstallDir() + "\\uninstall.exe\"",
            Value(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
  EXPECT_EQ(InstallDir(), Value(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));
  EXPECT_EQ("<none>", Value(HKEY_LOCAL_MACHINE, kRunKey, "Parko"));
}

TEST_F(Setup, TheInstalledParkoStartsFromItsShortcutAndTakesACall) {
  Install();
  StartInstalled(InstallDir() + "\\Parko.exe");  // its first start makes the shortcut
  ASSERT_TRUE(parko_->Close()) << parko_->Describe();
  const std::string target = LinkTarget(Folder(CSIDL_COMMON_PROGRAMS) + kLinkName);
  ASSERT_EQ(InstallDir() + "\\Parko.exe", target);

  StartInstalled(target);
  ASSERT_TRUE(e2e::WaitUntil([] { return e2e::Mohsim("status").rfind("ok", 0) == 0; }, 10000));
  ASSERT_EQ(0u, e2e::Mohsim("online").rfind("ok", 0));
  ASSERT_EQ(0u, e2e::Mohsim("call Datum :07.12. Uhrzeit :09:05").rfind("ok", 0));
  EXPECT_NE(nullptr, parko_->WaitForWindow("#32770", "Annehmen eines Anrufs", 10000))
      << parko_->Describe();
  EXPECT_TRUE(parko_->Close()) << parko_->Describe();
}

TEST_F(Setup, AnInstallOverARunningParkoEndsItFirstAndLeavesAWorkingProgram) {
  Install();
  StartInstalled(InstallDir() + "\\Parko.exe");
  Install();
  EXPECT_TRUE(parko_->WaitForExit(10000));
  EXPECT_EQ(0u, parko_->ExitCode());  // asked to close, not killed
  WIN32_FILE_ATTRIBUTE_DATA installed{}, image{};
  GetFileAttributesExA((InstallDir() + "\\Parko.exe").c_str(), GetFileExInfoStandard, &installed);
  GetFileAttributesExA(e2e::ImageFile("Parko.exe").c_str(), GetFileExInfoStandard, &image);
  EXPECT_EQ(image.nFileSizeLow, installed.nFileSizeLow);

  StartInstalled(InstallDir() + "\\Parko.exe");
  EXPECT_TRUE(parko_->Close()) << parko_->Describe();
  // The second installation's record names the first one's files too.
  Uninstall();
  EXPECT_EQ(std::vector<std::string>{}, Traces());
}

TEST_F(Setup, UninstallingLeavesNothingOfTheProgram) {
  Install();
  StartInstalled(InstallDir() + "\\Parko.exe");  // shortcut, its record, the log's options
  ASSERT_TRUE(e2e::ChooseFromTrayMenu(*parko_, main_, 3));  // "Bei Start ausführen"
  ASSERT_TRUE(
      e2e::WaitUntil([] { return Value(HKEY_LOCAL_MACHINE, kRunKey, "Parko") != "<none>"; }, 5000));
  const std::vector<std::string> before = Traces();
  RecordProperty("before", testing::PrintToString(before));
  EXPECT_GE(before.size(), 13u) << testing::PrintToString(before);

  Uninstall();  // with Parko still running: the uninstaller ends it first
  EXPECT_TRUE(parko_->WaitForExit(10000));
  EXPECT_EQ(std::vector<std::string>{}, Traces()) << "before: " << testing::PrintToString(before);
}

std::string Contents(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

// The files a folder's record of installed files names that are not there (as files).
std::vector<std::string> RecordedButMissing(const std::string& dir) {
  std::vector<std::string> missing;
  for (const std::string& line : e2e::Lines(Contents(dir + "\\installed.lst"))) {
    const DWORD attributes = GetFileAttributesA((dir + "\\" + line).c_str());
    const bool file =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (!line.empty() && !file) missing.push_back(line);
  }
  return missing;
}

void Write(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

// A vendor's modem-on-hold library where Parko is installed: the simulator is off by default,
// the library is neither overwritten nor removed by the uninstaller, which removes its own.
TEST_F(Setup, AVendorsLibraryInTheFolderTurnsTheSimulatorOffAndOutlivesTheUninstall) {
  const std::string dir = "C:\\ParkoBesideVendor";
  const std::string vendor = "the vendor's modem-on-hold library";
  CreateDirectoryA(dir.c_str(), nullptr);
  Write(dir + "\\MOHAPI.DLL", vendor);
  Write(dir + "\\DefaultDialString.dll", vendor);

  ASSERT_EQ(0, RunAndWait(e2e::ImageFile("ParkoSetup.exe"), "/S /D=" + dir));
  EXPECT_TRUE(Exists(dir + "\\Parko.exe"));
  EXPECT_FALSE(Exists(dir + "\\mohsim.exe"));  // the simulator was not chosen
  EXPECT_EQ(vendor, Contents(dir + "\\MOHAPI.DLL"));
  EXPECT_EQ(vendor, Contents(dir + "\\DefaultDialString.dll"));

  EXPECT_TRUE(UninstalledFrom(dir));
  EXPECT_EQ(vendor, Contents(dir + "\\MOHAPI.DLL"));
  EXPECT_EQ(vendor, Contents(dir + "\\DefaultDialString.dll"));
  RemoveWithFolder(dir, {"MOHAPI.DLL", "DefaultDialString.dll"});
}

// One in the system folder would be hidden by the simulator's in the program's folder: off too.
// Without either the simulator is installed (the silent install above).
TEST_F(Setup, ALibraryInTheSystemFolderTurnsTheSimulatorOff) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string library = std::string(system) + "\\MOHAPI.DLL";
  ASSERT_FALSE(Exists(library));
  Write(library, "the vendor's modem-on-hold library");
  Install();
  DeleteFileA(library.c_str());
  EXPECT_TRUE(Exists(InstallDir() + "\\Parko.exe"));
  EXPECT_FALSE(Exists(InstallDir() + "\\MOHAPI.DLL"));
  EXPECT_FALSE(Exists(InstallDir() + "\\mohsim.exe"));
}

// The uninstaller deletes the shortcut that the registry names only when it is the shortcut this
// folder's Parko made: not a file the record was pointed at, not a shortcut of that name that
// points elsewhere.
TEST_F(Setup, TheUninstallerDeletesNoFileThatTheShortcutRecordNames) {
  const std::string precious = "C:\\precious.txt";
  const std::string foreign = Folder(CSIDL_PROGRAMS) + kLinkName;
  for (const bool aShortcut : {false, true}) {
    SCOPED_TRACE(aShortcut ? "a shortcut of that name to another program" : "any file");
    DeleteFileA((aShortcut ? foreign : precious).c_str());  // left by a run that failed
    Install();
    const std::string named = aShortcut ? foreign : precious;
    if (aShortcut) {
      ASSERT_TRUE(MakeShortcut(foreign, "C:\\windows\\notepad.exe"));
    } else {
      Write(precious, "mine");
    }
    SetValue(HKEY_LOCAL_MACHINE, kMohKey, "LinkName", named);
    SetValue(HKEY_LOCAL_MACHINE, kMohKey, "AppPath", InstallDir());
    Uninstall();
    EXPECT_TRUE(Exists(named));
    EXPECT_FALSE(Exists(InstallDir()));
    DeleteFileA(named.c_str());
  }
}

// Entries that no setup wrote into the record of installed files: a wildcard deletes nothing,
// nor does a name setup never installs, so the user's and the vendor's files stay.
TEST_F(Setup, ATamperedRecordOfInstalledFilesDeletesOnlyWhatSetupInstalled) {
  Install();
  const std::string dir = InstallDir();
  Write(dir + "\\notes.txt", "mine");
  Write(dir + "\\vendor.dll", "the vendor's");
  const std::string record = dir + "\\installed.lst";
  Write(record, Contents(record) + "*\r\n*.dll\r\nvendor.dll\r\nnotes.txt\r\n?otes.txt\r\n");
  EXPECT_TRUE(UninstalledFrom(dir));
  EXPECT_EQ("mine", Contents(dir + "\\notes.txt"));
  EXPECT_EQ("the vendor's", Contents(dir + "\\vendor.dll"));
  for (const char* file : {"MOHAPI.DLL", "DefaultDialString.dll", "mohsim.exe", "ring.wav"}) {
    EXPECT_FALSE(Exists(dir + "\\" + file)) << file;
  }
  RemoveWithFolder(dir, {"notes.txt", "vendor.dll"});
}

// A vendor's library in the system folder without its partner DefaultDialString.dll, which
// Parko.exe imports: setup brings ours, and the Parko it reports installed starts.
TEST_F(Setup, AVendorLibraryWithoutItsPartnerStillLeavesAParkoThatStarts) {
  char system[MAX_PATH] = {};
  GetSystemDirectoryA(system, MAX_PATH);
  const std::string dir = system;
  ASSERT_FALSE(Exists(dir + "\\MOHAPI.DLL"));
  ASSERT_FALSE(Exists(dir + "\\DefaultDialString.dll"));
  // A working library stands for the vendor's: the simulator's, in the system folder.
  ASSERT_TRUE(
      CopyFileA(e2e::ImageFile("MOHAPI.DLL").c_str(), (dir + "\\MOHAPI.DLL").c_str(), TRUE));
  Install();
  EXPECT_FALSE(Exists(InstallDir() + "\\MOHAPI.DLL"));
  EXPECT_FALSE(Exists(InstallDir() + "\\mohsim.exe"));
  EXPECT_TRUE(Exists(InstallDir() + "\\DefaultDialString.dll"));
  parko_ = std::make_unique<e2e::ParkoProcess>();
  ASSERT_TRUE(parko_->Start(InstallDir() + "\\Parko.exe", InstallDir()));
  EXPECT_NE(nullptr, parko_->WaitForWindow("#32770", "Modem ausw\xE4hlen", 10000))
      << parko_->Describe();
  parko_.reset();
  Uninstall();
  for (const char* file : {"MOHAPI.DLL", "mohsim.ini", "mohsim.journal"}) {
    DeleteFileA((dir + "\\" + file).c_str());
  }
}

// Two folders: the second installation takes over the uninstall entry. Removing it leaves what
// the first one's Parko set up (start with Windows, its shortcut and their record); the first
// one's own uninstaller removes those.
TEST_F(Setup, UninstallingOneOfTwoFoldersLeavesTheOthersStartEntries) {
  const std::string first = "C:\\ParkoErste";
  const std::string second = "C:\\ParkoZweite";
  const std::string link = Folder(CSIDL_PROGRAMS) + kLinkName;
  DeleteFileA(link.c_str());  // left by a run that failed
  ASSERT_EQ(0, RunAndWait(e2e::ImageFile("ParkoSetup.exe"), "/S /D=" + first));
  // What the first one's Parko writes when it is started, set to start with Windows.
  SetValue(HKEY_LOCAL_MACHINE, kRunKey, "Parko", "\"" + first + "\\Parko.exe\"");
  ASSERT_TRUE(MakeShortcut(link, first + "\\Parko.exe"));
  SetValue(HKEY_LOCAL_MACHINE, kMohKey, "LinkName", link);
  SetValue(HKEY_LOCAL_MACHINE, kMohKey, "AppPath", first);
  ASSERT_EQ(0, RunAndWait(e2e::ImageFile("ParkoSetup.exe"), "/S /D=" + second));
  ASSERT_EQ(second, Value(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));

  RunAndWait(second + "\\uninstall.exe", "/S");
  EXPECT_TRUE(e2e::WaitUntil([&] { return !Exists(second); }, 20000));
  EXPECT_EQ("\"" + first + "\\Parko.exe\"", Value(HKEY_LOCAL_MACHINE, kRunKey, "Parko"));
  EXPECT_TRUE(Exists(link));
  EXPECT_EQ(link, Value(HKEY_LOCAL_MACHINE, kMohKey, "LinkName"));

  RunAndWait(first + "\\uninstall.exe", "/S");
  EXPECT_TRUE(e2e::WaitUntil([&] { return !Exists(first); }, 20000));
  EXPECT_EQ("<none>", Value(HKEY_LOCAL_MACHINE, kRunKey, "Parko"));
  EXPECT_FALSE(Exists(link));
  EXPECT_FALSE(KeyExists(kMohKey));
}

// A file setup cannot write fails the installation: a silent setup ends with a non-zero exit
// code, writes no uninstall entry and records no file that is not there.
TEST_F(Setup, AFolderInThePlaceOfTheProgramFailsTheInstall) {
  const std::string dir = "C:\\ParkoDirExe";
  ASSERT_FALSE(KeyExists(kUninstallKey));
  CreateDirectoryA(dir.c_str(), nullptr);
  ASSERT_TRUE(CreateDirectoryA((dir + "\\Parko.exe").c_str(), nullptr));
  EXPECT_NE(0, RunAndWait(e2e::ImageFile("ParkoSetup.exe"), "/S /D=" + dir));
  EXPECT_FALSE(KeyExists(kUninstallKey));
  EXPECT_EQ(std::vector<std::string>{}, RecordedButMissing(dir));
  // Whatever a setup that went on anyway left: its files and its entry.
  RemoveDirectoryA((dir + "\\Parko.exe").c_str());
  for (const char* file : kFiles) DeleteFileA((dir + "\\" + file).c_str());
  if (Value(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation") == dir) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
  }
  RemoveWithFolder(dir, {"installed.lst"});
}

// A Parko.exe held open without write sharing (a copy that did not end in time, a scanner):
// the installation fails and the program that was there stays, recorded as before.
TEST_F(Setup, AProgramHeldOpenFailsTheInstallAndTheOldOneStays) {
  Install();
  const std::string exe = InstallDir() + "\\Parko.exe";
  HANDLE held =
      CreateFileA(exe.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  const int code = RunAndWait(e2e::ImageFile("ParkoSetup.exe"), "/S");
  CloseHandle(held);
  EXPECT_NE(0, code);
  EXPECT_TRUE(Exists(exe));
  EXPECT_EQ(std::vector<std::string>{}, RecordedButMissing(InstallDir()));
  EXPECT_NE(std::string::npos, Contents(InstallDir() + "\\installed.lst").find("Parko.exe"));
}

}  // namespace
