// The start-up adapters against the real API: the modem dialog, the event relay of the main
// window, the log file written from several threads, the registry's tone switches and what
// the system reports.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/MohAppWin.h"
#include "app/ProgramRecords.h"
#include "base/EventLog.h"
#include "base/MainWindowWin.h"
#include "base/Messages.h"
#include "base/OsDetect.h"
#include "moh/ModemSelectDlgWin.h"
#include "moh/ModemSelection.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "tray/PlayerWndWin.h"

namespace {

bool PumpUntil(bool (*condition)(), DWORD timeoutMs = 5000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

MODEM_ENTRY Entry(int type, const char* name, const char* port) {
  MODEM_ENTRY entry{};
  entry.Type = type;
  std::strcpy(entry.DisplayName, name);
  std::strcpy(entry.ComPort, port);
  return entry;
}

// The dialog as the user meets it, then a choice of the second modem.
class ObservedModemDialog : public CModemSelectDlg {
 public:
  std::vector<std::string> items;
  int selection = -2;
  std::string caption, okText;
  bool cancelVisible = true;
  int pick = 1;

 protected:
  BOOL OnInitDialog() override {
    const BOOL result = CModemSelectDlg::OnInitDialog();
    HWND list = Item(IDC_MODEM_LIST);
    for (int i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
      char text[300] = {};
      SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    selection = static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0));
    caption = TextOf(Handle());
    okText = GetItemText(IDOK);
    cancelVisible = IsWindowVisible(Item(IDCANCEL));
    SendMessageA(list, LB_SETCURSEL, pick, 0);
    Post(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    return result;
  }
};

TEST(ModemSelectDialog, ListsTheModemsInTableOrderAndOkTakesTheSelection) {
  std::memset(gModem.gpModems, 0, sizeof(gModem.gpModems));
  // Sorted, the list would put "Anderes" first: explicit positions keep the table's order.
  gModem.gpModems[0] = Entry(TELKA, "Oskavel V.92 Data Fax Modem", "COM3");
  gModem.gpModems[1] = Entry(TELKA, "Anderes Modem", "COM4");
  gModem.gModemCount = 2;
  gModem.gModemSelIndex = 0;
  ObservedModemDialog dialog;
  dialog.DoModal();
  EXPECT_EQ((std::vector<std::string>{"Oskavel V.92 Data Fax Modem", "Anderes Modem"}),
            dialog.items);
  EXPECT_EQ(0, dialog.selection);
  EXPECT_EQ("Modem ausw\xE4hlen", dialog.caption);
  EXPECT_EQ("OK", dialog.okText);
  EXPECT_FALSE(dialog.cancelVisible);
  EXPECT_EQ(1, gModem.gModemSelIndex);

  ObservedModemDialog nothingSelected;
  nothingSelected.pick = -1;  // the user clears the selection
  nothingSelected.DoModal();
  EXPECT_EQ(1, gModem.gModemSelIndex);  // the earlier choice stands, no index -1
}

// The main window's relay, observed where the state machine would take over.
std::vector<std::pair<int, int>> gDispatched;

class ObservedPlayer : public CPlayerWnd {
 public:
  ObservedPlayer() : CPlayerWnd(TheProgramRecords()) {}

 protected:
  LRESULT OnMohEvent(WPARAM event, LPARAM value) override {
    gDispatched.emplace_back(static_cast<int>(event), static_cast<int>(value));
    return 0;
  }
};

DWORD WINAPI RaiseEvents(void*) {
  for (int i = 0; i < 500; ++i) MohEventCallback(MOH_ERROR, i);
  return 0;
}

TEST(EventRelay, EventsFromTheLibrarysThreadReachTheHandlerInOrder) {
  CMohApp app;
  auto* player = new ObservedPlayer;
  ASSERT_TRUE(player->CreateTrayWindow());
  SetMainWindowHandle(player->Handle());
  gDispatched.clear();

  HANDLE thread = CreateThread(nullptr, 0, &RaiseEvents, nullptr, 0, nullptr);
  ASSERT_TRUE(PumpUntil([] { return gDispatched.size() >= 500; }));
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  for (int i = 0; i < 500; ++i) ASSERT_EQ(std::make_pair(MOH_ERROR, i), gDispatched[i]);
  EXPECT_EQ(MOH_ERROR, LastMohEvent());

  // The relay itself posts: the handler never runs inside the sender's call.
  SendMessageA(player->Handle(), WM_MOH_EVENT, 6, 0);
  EXPECT_EQ(500u, gDispatched.size());
  ASSERT_TRUE(PumpUntil([] { return gDispatched.size() >= 501; }));
  EXPECT_EQ(std::make_pair(6, 0), gDispatched[500]);

  player->DestroyWindow();
  SetMainWindowHandle(nullptr);
}

DWORD WINAPI LogLines(void* tag) {
  const std::string text = std::string(static_cast<const char*>(tag), 1) + std::string(200, '.');
  for (int i = 0; i < 300; ++i) LogEvent(0, 0, text.c_str());
  return 0;
}

TEST(LogFile, LinesFromSeveralThreadsNeverInterleave) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string dir = std::string(temp) + "parko-log-test";
  CreateDirectoryA(dir.c_str(), nullptr);
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof(previous), previous);
  SetCurrentDirectoryA(dir.c_str());
  CreateLogFile();
  ASSERT_NE(nullptr, gEventLog.load());

  static const char* const kTags = "ABCD";
  HANDLE threads[4];
  for (int i = 0; i < 4; ++i) {
    threads[i] = CreateThread(nullptr, 0, &LogLines, const_cast<char*>(kTags + i), 0, nullptr);
  }
  WaitForMultipleObjects(4, threads, TRUE, 20000);
  for (HANDLE thread : threads) CloseHandle(thread);
  CloseLogFile();
  SetCurrentDirectoryA(previous);

  FILE* file = std::fopen((dir + "\\parko.log").c_str(), "rb");
  ASSERT_NE(nullptr, file);
  std::string content;
  char buffer[4096];
  for (size_t got; (got = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) {
    content.append(buffer, got);
  }
  std::fclose(file);
  DeleteFileA((dir + "\\parko.log").c_str());
  RemoveDirectoryA(dir.c_str());

  int lines = 0;
  for (size_t start = 0; start < content.size();) {
    const size_t end = content.find("\r\n", start);
    ASSERT_NE(std::string::npos, end);
    const std::string line = content.substr(start, end - start);
    const size_t text = line.find(" - ");
    ASSERT_NE(std::string::npos, text) << line;
    const std::string body = line.substr(text + 3);
    ASSERT_EQ(201u, body.size()) << line;
    ASSERT_EQ(std::string(200, '.'), body.substr(1)) << line;
    ++lines;
    start = end + 2;
  }
  EXPECT_EQ(1200, lines);
}

// A log that cannot be made (here a folder already has its name) leaves logging off: nothing
// is written, and logging goes on working for nobody.
TEST(LogFile, ALogThatCannotBeCreatedLeavesLoggingOff) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string dir = std::string(temp) + "parko-nolog-test";
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\parko.log").c_str(), nullptr);
  char previous[MAX_PATH];
  GetCurrentDirectoryA(sizeof(previous), previous);
  SetCurrentDirectoryA(dir.c_str());
  CreateLogFile();
  EXPECT_EQ(nullptr, gEventLog.load());
  LogEvent(0, 0, "nowhere");
  LogEvent(MOH_INCOMING_CALL, 1, nullptr);
  CloseLogFile();
  SetCurrentDirectoryA(previous);
  EXPECT_NE(0u, GetFileAttributesA((dir + "\\parko.log").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  RemoveDirectoryA((dir + "\\parko.log").c_str());
  RemoveDirectoryA(dir.c_str());
}

struct ToneKey {
  ToneKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMohRegistryKey); }
  ~ToneKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kMohRegistryKey); }
  void Set(const char* name, const void* data, DWORD size, DWORD type = REG_BINARY) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kMohRegistryKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                    &key, nullptr);
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  static bool Exists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kMohRegistryKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }
};

TEST(ToneSwitches, ComeFromTheMachineKeyAndAnEightByteValueReadsAsOff) {
  ToneKey key;
  const int32_t on = 1;
  const int64_t wide = 1;
  key.Set("MuteRingTone", &on, sizeof(on));
  key.Set("MuteWarnTone", &wide, sizeof(wide));
  gSettings.MuteRingTone = 0;
  gSettings.MuteWarnTone = 1;
  ReadToneSettings();
  EXPECT_EQ(1, gSettings.MuteRingTone);
  EXPECT_EQ(0, gSettings.MuteWarnTone);

  gSettings.MuteWarnTone = 1;
  EXPECT_EQ(ERROR_SUCCESS, SaveToneSettings());
  gSettings.MuteWarnTone = 0;
  ReadToneSettings();
  EXPECT_EQ(1, gSettings.MuteWarnTone);
  // Written as four binary bytes each, as the installation made them.
  for (const char* name : {"MuteRingTone", "MuteWarnTone"}) {
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_LOCAL_MACHINE, kMohRegistryKey, name, RRF_RT_ANY,
                                          &type, nullptr, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type) << name;
    EXPECT_EQ(4u, size) << name;
  }
}

TEST(ToneSwitches, ATextInTheRegistryNeverMutesATone) {
  ToneKey key;
  const int32_t on = 1;
  key.Set("MuteRingTone", "0", 2, REG_SZ);
  key.Set("MuteWarnTone", &on, sizeof(on), REG_DWORD);
  gSettings.MuteRingTone = 1;
  gSettings.MuteWarnTone = 0;
  ReadToneSettings();
  EXPECT_EQ(0, gSettings.MuteRingTone);
  EXPECT_EQ(1, gSettings.MuteWarnTone);
}

TEST(ToneSwitches, AMissingKeyLeavesBothAsTheyAreAndIsNotCreated) {
  ToneKey key;
  gSettings.MuteRingTone = 0;
  gSettings.MuteWarnTone = 0;
  ReadToneSettings();
  EXPECT_EQ(0, gSettings.MuteRingTone);
  EXPECT_EQ(0, gSettings.MuteWarnTone);
  gSettings.MuteRingTone = 1;
  EXPECT_NE(0, SaveToneSettings());
  EXPECT_FALSE(ToneKey::Exists());
}

TEST(SystemFacts, WineReportsAnNtSystemAndTheGermanLanguage) {
  EXPECT_EQ(WINDOWS_2K, DetectOS());  // a default prefix reports Windows 7
  DetectLanguage();
  EXPECT_EQ(0x0407, gSystem.gLangID);
  EXPECT_EQ(7, gSystem.gPrimaryLang);
}

}  // namespace
