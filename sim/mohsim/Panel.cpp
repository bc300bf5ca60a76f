#include "Panel.h"

#include <algorithm>
#include <string>
#include <vector>

#include "PipeClient.h"
#include "SimFiles.h"
#include "fw/ApplicationWin.h"
#include "fw/StringsWin.h"
#include "fw/WindowWin.h"
#include "resource.h"

namespace mohsim {

namespace {

enum ControlId {
  kOnline = 200,
  kOffline,
  kCall,
  kWithCallerId,
  kCallerIdText,
  kGrant,
  kGrantIndex,
  kDeny,
  kWarn,
  kTimeout,
  kRemoteTimeout,
  kError,
  kErrorCode,
  kEvent,
  kEventCode,
  kEventValue,
  kStatus,
  kAutomatic,
  kReply,
  kJournalLabel,
  kJournal,
};

constexpr UINT_PTR kJournalTimer = 1;
constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 520;
// About half the width of Parko's call dialog on the screen.
constexpr int kCallDialogHalfWidth = 200;
constexpr UINT kJournalPollMs = 500;

class PanelWindow : public fw::Window {
 public:
  bool Create(HINSTANCE instance) {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MOHSIM));
    const char* windowClass =
        RegisterWndClass(CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
    journalPath_ = sim::ModuleDir(nullptr) + "\\mohsim.journal";
    const sim::SimConfig config =
        sim::ReadConfig(sim::IniFileLookup(sim::ModuleDir(nullptr) + "\\mohsim.ini"));
    callerId_ = config.callerId;
    // Parko's call dialog opens centred on the screen: the panel stands to its left, so that
    // both can be seen (on a screen too narrow for that, at the left edge).
    const int x =
        std::max(0, GetSystemMetrics(SM_CXSCREEN) / 2 - kCallDialogHalfWidth - kPanelWidth - 8);
    return CreateEx(0, windowClass, fw::LoadText(IDS_PANEL_TITLE).c_str(),
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE, x, 40,
                    kPanelWidth, kPanelHeight, nullptr, nullptr);
  }

 protected:
  int OnCreate(CREATESTRUCTA*) override {
    font_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const int w = 150;
    Button(kOnline, IDS_ONLINE, 10, 10, 90);
    Button(kOffline, IDS_OFFLINE, 110, 10, 90);
    Button(kStatus, IDS_STATUS, 210, 10, 90);
    Add("Button", fw::LoadText(IDS_AUTOMATIC), kAutomatic, BS_AUTOCHECKBOX, 320, 10, 220, 24);
    CheckItem(kAutomatic, true);

    Button(kCall, IDS_CALL, 10, 44, 90);
    Add("Button", fw::LoadText(IDS_WITH_CALLER_ID), kWithCallerId, BS_AUTOCHECKBOX, 110, 44, w, 24);
    CheckItem(kWithCallerId, true);
    Edit(kCallerIdText, callerId_, 10, 72, 600);

    Button(kGrant, IDS_GRANT, 10, 106, 200);
    Edit(kGrantIndex, "6", 220, 106, 60);
    Button(kDeny, IDS_DENY, 300, 106, 150);

    Button(kWarn, IDS_WARN, 10, 140, 140);
    Button(kTimeout, IDS_TIMEOUT, 160, 140, 140);
    Button(kRemoteTimeout, IDS_REMOTE_TIMEOUT, 310, 140, 220);

    Button(kError, IDS_ERROR, 10, 174, 140);
    Edit(kErrorCode, "0", 160, 174, 60);
    Button(kEvent, IDS_EVENT, 240, 174, 170);
    Edit(kEventCode, "5", 420, 174, 60);
    Edit(kEventValue, "0", 490, 174, 60);

    Add("Static", "", kReply, SS_LEFT | SS_SUNKEN, 10, 208, 600, 60);
    Add("Static", fw::LoadText(IDS_JOURNAL), kJournalLabel, SS_LEFT, 10, 276, 300, 18);
    Add("ListBox", "", kJournal, WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT, 10, 296, 600, 180);
    SetTimer(kJournalTimer, kJournalPollMs);
    PollJournal();
    return 0;
  }

  bool OnCommand(int id, int code, HWND) override {
    if (code != BN_CLICKED) return false;
    switch (id) {
      case kOnline:
        return Run("online");
      case kOffline:
        return Run("offline");
      case kStatus:
        return Run("status");
      case kAutomatic:
        return Run(IsItemChecked(kAutomatic) ? "auto on" : "auto off");
      case kCall:
        return Run(IsItemChecked(kWithCallerId) ? "call " + GetItemText(kCallerIdText) : "call");
      case kGrant:
        return Run("grant " + GetItemText(kGrantIndex));
      case kDeny:
        return Run("deny");
      case kWarn:
        return Run("warn");
      case kTimeout:
        return Run("timeout");
      case kRemoteTimeout:
        return Run("remote-timeout");
      case kError:
        return Run("error " + GetItemText(kErrorCode));
      case kEvent:
        return Run("event " + GetItemText(kEventCode) + " " + GetItemText(kEventValue));
      default:
        return false;
    }
  }

  void OnTimer(UINT_PTR id) override {
    if (id == kJournalTimer) PollJournal();
  }

  void PostNcDestroy() override { delete this; }

 private:
  void Add(const char* windowClass, const std::string& text, int id, DWORD style, int x, int y,
           int width, int height) {
    HWND control = CreateWindowExA(
        lstrcmpiA(windowClass, "Edit") == 0 ? WS_EX_CLIENTEDGE : 0, windowClass, text.c_str(),
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, width, height, Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  }
  void Button(int id, UINT textId, int x, int y, int width) {
    Add("Button", fw::LoadText(textId), id, BS_PUSHBUTTON, x, y, width, 26);
  }
  void Edit(int id, const std::string& text, int x, int y, int width) {
    Add("Edit", text, id, ES_AUTOHSCROLL, x, y, width, 24);
  }

  bool Run(const std::string& line) {
    const std::optional<std::string> reply = SendCommand(line);
    std::string shown = reply ? *reply : fw::LoadText(IDS_NO_ENGINE);
    // Lines of a status reply: the static control wants CR LF.
    std::string text;
    for (char c : shown) {
      if (c == '\n') text += '\r';
      text += c;
    }
    SetItemText(kReply, "> " + line + "\r\n" + text);
    PollJournal();
    return true;
  }

  // Appends what the journal gained since the last look.
  void PollJournal() {
    HANDLE file = CreateFileA(journalPath_.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    // A journal stays far below 4 GB: the 32-bit size and offset of every Windows version do.
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || size < journalOffset_) journalOffset_ = 0;  // a new journal
    SetFilePointer(file, static_cast<LONG>(journalOffset_), nullptr, FILE_BEGIN);
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) {
      pending_.append(buffer, got);
      journalOffset_ += got;
    }
    CloseHandle(file);
    HWND list = Item(kJournal);
    for (size_t end; (end = pending_.find('\n')) != std::string::npos;) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const LRESULT index =
          SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
      SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
  }

  HFONT font_ = nullptr;
  std::string journalPath_;
  std::string callerId_;
  DWORD journalOffset_ = 0;
  std::string pending_;
};

class PanelApp : public fw::Application {
 protected:
  bool InitInstance() override {
    auto* panel = new PanelWindow;
    if (!panel->Create(Instance())) {
      delete panel;
      return false;
    }
    SetMainWindow(panel);
    return true;
  }
};

}  // namespace

int RunPanel(HINSTANCE instance) {
  PanelApp app;
  return app.Run(instance);
}

}  // namespace mohsim
