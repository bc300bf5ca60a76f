// The window framework against the real API: dispatch, timers, the lifetime of self-deleting
// windows, the application's loop, modal and modeless dialogs, the property sheet and data
// exchange.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "fw/ApplicationWin.h"
#include "fw/DialogWin.h"
#include "fw/PropSheetWin.h"
#include "fw/StringsWin.h"
#include "fw/SystemLibrariesWin.h"
#include "fw/WindowWin.h"
#include "resource.h"

namespace {

// Pumps this thread's messages until the condition holds or the deadline passes.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 3000) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

constexpr UINT WM_TEST_DESTROY_SELF = WM_APP + 1;
// fw_test.rc: a text of 300 characters.
constexpr UINT kLongTextId = 61000;

struct Journal {
  std::vector<std::string> calls;
  bool deleted = false;
  bool aliveAfterDestroyCall = false;
};

class RecordingWindow : public fw::Window {
 public:
  explicit RecordingWindow(Journal& journal) : journal_(journal) {}
  ~RecordingWindow() override { journal_.deleted = true; }

  bool Create() {
    return CreateEx(WS_EX_TOOLWINDOW, RegisterWndClass(0), "Recording", 0, 0, 0, 0, 0, nullptr,
                    nullptr);
  }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_TEST_DESTROY_SELF) {
      DestroyWindow();
      // Still inside one of our own messages: the object must not be gone yet.
      journal_.aliveAfterDestroyCall = !journal_.deleted;
      journal_.calls.push_back("destroy-self returned");
      return 0;
    }
    return Window::WindowProc(message, wParam, lParam);
  }
  int OnCreate(CREATESTRUCTA* create) override {
    journal_.calls.push_back(std::string("create ") + create->lpszName);
    return 0;
  }
  void OnTimer(UINT_PTR id) override {
    journal_.calls.push_back("timer " + std::to_string(id));
    KillTimer(id);
  }
  bool OnCommand(int id, int, HWND) override {
    journal_.calls.push_back("command " + std::to_string(id));
    return true;
  }
  void OnDestroy() override { journal_.calls.push_back("destroy"); }
  void PostNcDestroy() override {
    journal_.calls.push_back("post-nc-destroy");
    delete this;
  }

 private:
  Journal& journal_;
};

TEST(Window, DispatchesToHandlersAndFreesItselfOnlyAfterItsLastMessage) {
  Journal journal;
  auto* window = new RecordingWindow(journal);
  ASSERT_TRUE(window->Create());
  HWND hwnd = window->Handle();
  EXPECT_EQ(window, fw::Window::FromHandle(hwnd));
  EXPECT_EQ(0, GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

  window->SetTimer(7, 10);
  ASSERT_TRUE(PumpUntil([&] { return journal.calls.size() >= 2; }));
  SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(32771, 0), 0);
  SendMessageA(hwnd, WM_TEST_DESTROY_SELF, 0, 0);

  EXPECT_TRUE(journal.aliveAfterDestroyCall);
  EXPECT_TRUE(journal.deleted);
  EXPECT_FALSE(IsWindow(hwnd));
  const std::vector<std::string> expected = {"create Recording",      "timer 7",
                                             "command 32771",         "destroy",
                                             "destroy-self returned", "post-nc-destroy"};
  EXPECT_EQ(expected, journal.calls);
}

TEST(Window, ControlHelpersReadAndChangeChildren) {
  Journal journal;
  auto* window = new RecordingWindow(journal);
  ASSERT_TRUE(window->Create());
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 100, 20, window->Handle(),
                              reinterpret_cast<HMENU>(1010), GetModuleHandleA(nullptr), nullptr);
  HWND check = CreateWindowExA(0, "Button", "x", WS_CHILD | BS_AUTOCHECKBOX, 0, 30, 100, 20,
                               window->Handle(), reinterpret_cast<HMENU>(1012),
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  ASSERT_NE(nullptr, check);

  const std::string longText(600, 'w');  // longer than any fixed buffer would be
  window->SetItemText(1010, longText);
  EXPECT_EQ(longText, window->GetItemText(1010));
  window->RefreshItem(1010, "*43#");
  EXPECT_EQ("*43#", window->GetItemText(1010));

  window->ShowItem(1010, true);
  EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE);
  window->ShowItem(1010, false);
  EXPECT_FALSE(GetWindowLongA(edit, GWL_STYLE) & WS_VISIBLE);
  window->EnableItem(1010, false);
  EXPECT_FALSE(IsWindowEnabled(edit));
  window->EnableItem(1010, true);
  EXPECT_TRUE(IsWindowEnabled(edit));
  window->CheckItem(1012, true);
  EXPECT_TRUE(window->IsItemChecked(1012));
  window->CheckItem(1012, false);
  EXPECT_FALSE(window->IsItemChecked(1012));
  EXPECT_EQ("", window->GetItemText(4711));  // no such control

  window->DestroyWindow();
  EXPECT_TRUE(journal.deleted);
}

class TestApp : public fw::Application {
 public:
  std::function<bool(TestApp&)> init;
  bool exited = false;

 protected:
  bool InitInstance() override { return init(*this); }
  int ExitInstance() override {
    exited = true;
    return ExitCode() + 40;
  }
};

TEST(Application, LoopEndsWhenTheMainWindowIsDestroyed) {
  TestApp app;
  Journal journal;
  app.init = [&journal](TestApp& self) {
    auto* window = new RecordingWindow(journal);
    window->Create();
    self.SetMainWindow(window);
    window->Post(WM_CLOSE);
    return true;
  };
  EXPECT_EQ(40, app.Run(GetModuleHandleA(nullptr)));
  EXPECT_TRUE(app.exited);
  EXPECT_TRUE(journal.deleted);
  EXPECT_EQ(nullptr, app.MainWindow());
  EXPECT_EQ("win_fw_test", app.ExeName());
}

TEST(Application, FailedStartDestroysTheMainWindowAndStillRunsTheExitHook) {
  TestApp app;
  Journal journal;
  app.init = [&journal](TestApp& self) {
    auto* window = new RecordingWindow(journal);
    window->Create();
    self.SetMainWindow(window);
    return false;
  };
  EXPECT_EQ(40, app.Run(GetModuleHandleA(nullptr)));
  EXPECT_TRUE(app.exited);
  EXPECT_TRUE(journal.deleted);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

// A dialog on the modem-selection template that fills its list and answers itself.
class ListDialog : public fw::Dialog {
 public:
  ListDialog() : fw::Dialog(IDD_MODEM_SELECT) {}
  std::vector<std::string> events;
  int chosen = -2;
  UINT answer = IDOK;

 protected:
  BOOL OnInitDialog() override {
    fw::Dialog::OnInitDialog();
    SendItemMessage(IDC_MODEM_LIST, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("Zweites"));
    SendItemMessage(IDC_MODEM_LIST, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("Erstes"));
    SendItemMessage(IDC_MODEM_LIST, LB_SETCURSEL, 1, 0);
    events.push_back("init " + TextOf(Handle()));
    Post(WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
    return TRUE;
  }
  void OnOK() override {
    chosen = static_cast<int>(SendItemMessage(IDC_MODEM_LIST, LB_GETCURSEL));
    events.push_back("ok");
    fw::Dialog::OnOK();
  }
  void OnCancel() override {
    events.push_back("cancel");
    fw::Dialog::OnCancel();
  }
};

TEST(Dialog, ModalDialogRunsFromItsTemplateAndEndsWithItsCode) {
  ListDialog dialog;
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(1, dialog.chosen);
  EXPECT_EQ((std::vector<std::string>{"init Modem ausw\xE4hlen", "ok"}), dialog.events);
  EXPECT_EQ(nullptr, dialog.Handle());

  ListDialog cancelled;
  cancelled.answer = IDCANCEL;
  EXPECT_EQ(IDCANCEL, cancelled.DoModal());
  EXPECT_EQ(-2, cancelled.chosen);
  EXPECT_EQ((std::vector<std::string>{"init Modem ausw\xE4hlen", "cancel"}), cancelled.events);
}

// A modeless dialog that owns itself, as the call dialog and the call log do.
class ModelessDialog : public fw::Dialog {
 public:
  explicit ModelessDialog(bool& deleted) : fw::Dialog(IDD_CALL), deleted_(deleted) {}
  ~ModelessDialog() override { deleted_ = true; }
  std::string closeSeenAfterDefault;

 protected:
  BOOL OnInitDialog() override {
    RefreshItem(IDC_BODY_TEXT, fw::LoadText(IDS_CALL_OFFERED));
    ShowItem(IDCANCEL, false);
    EnableItem(IDC_IGNORE_CALL, false);
    return TRUE;
  }
  void PostNcDestroy() override { delete this; }

 private:
  bool& deleted_;
};

TEST(Dialog, ModelessDialogIsNavigableAndFreesItselfWhenDestroyed) {
  TestApp app;  // the loop's owner of modeless dialogs
  bool deleted = false;
  auto* dialog = new ModelessDialog(deleted);
  ASSERT_TRUE(dialog->Create(nullptr));
  HWND hwnd = dialog->Handle();
  EXPECT_FALSE(IsWindowVisible(hwnd));  // the template is not visible
  EXPECT_EQ(fw::LoadText(IDS_CALL_OFFERED), dialog->GetItemText(IDC_BODY_TEXT));
  EXPECT_FALSE(GetWindowLongA(GetDlgItem(hwnd, IDCANCEL), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd, IDC_IGNORE_CALL)));

  ShowWindow(hwnd, SW_SHOW);
  dialog->DestroyWindow();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(hwnd));
}

// The settings page's members, exchanged with its check boxes, radio buttons and edit field.
class SettingsPage : public fw::PropPage {
 public:
  SettingsPage() : fw::PropPage(IDD_GENERAL_PAGE) {}
  int callWaiting = 1;
  int alwaysDisconnect = 1;  // not selected
  int confirmCall = 0;       // selected
  std::string dialString = "*43#";
  bool okSeen = false;
  bool cancelSeen = false;
  int displayedConfirm = -1;
  int displayedDisconnect = -1;

  void DoDataExchange(const fw::DataExchange& dx) override {
    fw::DdxCheck(dx, IDC_CALL_WAITING, callWaiting);
    fw::DdxRadio(dx, IDC_ALWAYS_DISCONNECT, alwaysDisconnect);
    fw::DdxRadio(dx, IDC_CONFIRM_CALL, confirmCall);
    fw::DdxText(dx, IDC_DIAL_STRING, dialString);
  }

 protected:
  BOOL OnInitDialog() override {
    fw::PropPage::OnInitDialog();  // members to controls
    displayedConfirm = IsItemChecked(IDC_CONFIRM_CALL);
    displayedDisconnect = IsItemChecked(IDC_ALWAYS_DISCONNECT);
    // What a user does: clear call waiting, pick the other radio button, type a dial string.
    CheckItem(IDC_CALL_WAITING, false);
    CheckItem(IDC_CONFIRM_CALL, false);
    CheckItem(IDC_ALWAYS_DISCONNECT, true);
    SetItemText(IDC_DIAL_STRING, "*70");
    return TRUE;
  }
  void OnOK() override { okSeen = true; }
  void OnCancel() override { cancelSeen = true; }
};

class TestSheet : public fw::PropSheet {
 public:
  TestSheet(int button)
      : fw::PropSheet("Modem On Hold Einstellungen", nullptr, 0), button_(button) {
    AddPage(&page);
  }
  SettingsPage page;
  std::string captionAtInit;

 protected:
  BOOL OnInitDialog() override {
    captionAtInit = TextOf(Handle());
    ::PostMessageA(Handle(), PSM_PRESSBUTTON, button_, 0);
    return TRUE;
  }

 private:
  int button_;
};

TEST(PropSheet, OkReadsTheControlsIntoTheMembersBeforeThePageSeesIt) {
  TestSheet sheet(PSBTN_OK);
  EXPECT_EQ(IDOK, sheet.DoModal());
  EXPECT_EQ("Modem On Hold Einstellungen", sheet.captionAtInit);
  EXPECT_EQ(1, sheet.page.displayedConfirm);
  EXPECT_EQ(0, sheet.page.displayedDisconnect);
  EXPECT_TRUE(sheet.page.okSeen);
  EXPECT_FALSE(sheet.page.cancelSeen);
  EXPECT_EQ(0, sheet.page.callWaiting);
  EXPECT_EQ(0, sheet.page.alwaysDisconnect);
  EXPECT_EQ(-1, sheet.page.confirmCall);
  EXPECT_EQ("*70", sheet.page.dialString);
}

TEST(PropSheet, CancelLeavesThePageUnconfirmed) {
  TestSheet sheet(PSBTN_CANCEL);
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  EXPECT_FALSE(sheet.page.okSeen);
  EXPECT_TRUE(sheet.page.cancelSeen);
}

// What the sheet shows of a page made in a larger font than its own, read once it is up.
class LargeFontPage : public fw::PropPage {
 public:
  LargeFontPage() : fw::PropPage(61001) {}
  bool measured = false;
  bool textInsidePageArea = false;
  bool buttonsUnderPageArea = false;
  bool buttonsOnWorkArea = false;
  int tabs = 0;
  std::string secondTab;

 protected:
  BOOL OnInitDialog() override {
    ::PostMessageA(Handle(), WM_APP, 0, 0);
    return fw::PropPage::OnInitDialog();
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_APP) return fw::PropPage::WindowProc(message, wParam, lParam);
    HWND sheet = GetParent(Handle());
    HWND tabControl = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    RECT area{};
    GetClientRect(tabControl, &area);
    SendMessageA(tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tabControl, nullptr, reinterpret_cast<POINT*>(&area), 2);
    RECT text{};
    GetWindowRect(Item(61011), &text);
    RECT both{};
    IntersectRect(&both, &text, &area);
    textInsidePageArea = EqualRect(&both, &text) != 0;
    RECT ok{};
    RECT cancel{};
    GetWindowRect(GetDlgItem(sheet, IDOK), &ok);
    GetWindowRect(GetDlgItem(sheet, IDCANCEL), &cancel);
    buttonsUnderPageArea = ok.top >= area.bottom && cancel.top >= area.bottom;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    buttonsOnWorkArea = ok.top >= work.top && ok.bottom <= work.bottom;
    tabs = static_cast<int>(SendMessageA(tabControl, TCM_GETITEMCOUNT, 0, 0));
    char name[32] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = name;
    item.cchTextMax = sizeof(name);
    SendMessageA(tabControl, TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&item));
    secondTab = name;
    measured = true;
    ::PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return 0;
  }
};

class TwoPageSheet : public fw::PropSheet {
 public:
  TwoPageSheet() : fw::PropSheet("Zwei Seiten", nullptr, 0) {
    AddPage(&large);
    AddPage(&second);
  }
  LargeFontPage large;
  fw::PropPage second{61002};
};

TEST(PropSheet, MakesRoomForAPageInALargerFontAndReadsEveryPageOfTheArray) {
  TwoPageSheet sheet;
  EXPECT_EQ(IDCANCEL, sheet.DoModal());
  ASSERT_TRUE(sheet.large.measured);
  EXPECT_TRUE(sheet.large.textInsidePageArea);
  EXPECT_TRUE(sheet.large.buttonsUnderPageArea);
  // Taller than the screen: its buttons are kept on it.
  EXPECT_TRUE(sheet.large.buttonsOnWorkArea);
  EXPECT_EQ(2, sheet.large.tabs);
  EXPECT_EQ("Zweite", sheet.large.secondTab);
}

int gErasures = 0;
WNDPROC gStaticProc = nullptr;
LRESULT CALLBACK CountErasures(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) ++gErasures;
  return CallWindowProcA(gStaticProc, hwnd, message, wParam, lParam);
}

TEST(Window, RefreshingAControlRepaintsItWithItsBackgroundErased) {
  // A transparent counter repainted without its background would draw new digits over old.
  Journal journal;
  auto* window = new RecordingWindow(journal);
  ASSERT_TRUE(window->Create());
  HWND counter =
      CreateWindowExA(0, "Static", "00:15", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, window->Handle(),
                      reinterpret_cast<HMENU>(1017), GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, counter);
  SetWindowPos(window->Handle(), nullptr, 0, 0, 120, 60, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window->Handle(), SW_SHOWNA);
  UpdateWindow(window->Handle());
  ASSERT_TRUE(IsWindowVisible(counter));
  gStaticProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(counter, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountErasures)));
  gErasures = 0;
  window->RefreshItem(1017, "00:14");
  UpdateWindow(counter);
  EXPECT_EQ(1, gErasures);
  EXPECT_EQ("00:14", window->GetItemText(1017));
  window->DestroyWindow();
}

TEST(Strings, LoadTextGivesWholeTextsAndEmptyForIdsWithoutText) {
  const std::string longest = fw::LoadText(IDS_MODEM_UNAVAILABLE);
  EXPECT_GT(longest.size(), 160u);
  EXPECT_EQ("erneut.", longest.substr(longest.size() - 7));
  // A text of the test's own resources, longer than any first guess of a buffer.
  const std::string long300 = fw::LoadText(kLongTextId);
  ASSERT_EQ(300u, long300.size());
  EXPECT_EQ(std::string(299, 'L') + "!", long300);
  EXPECT_EQ("", fw::LoadText(IDS_EVENT_1));
  EXPECT_EQ("", fw::LoadText(65000));
}

int gInitExCalls = 0;
DWORD gClassesAsked = 0;
BOOL WINAPI RecordInitEx(const INITCOMMONCONTROLSEX* controls) {
  ++gInitExCalls;
  gClassesAsked = controls->dwICC;
  return TRUE;
}

// Common controls 4.00 (Windows 95, NT 4) have no InitCommonControlsEx: the first registration
// must still make the classes the program uses, the progress bar among them.
TEST(CommonControls, FallBackToTheFirstRegistrationWhereTheExtendedOneIsMissing) {
  HMODULE comctl = LoadLibraryA("comctl32.dll");
  ASSERT_NE(nullptr, comctl);
  const auto init = reinterpret_cast<fw::InitCommonControlsFunction>(
      reinterpret_cast<void*>(GetProcAddress(comctl, "InitCommonControls")));
  ASSERT_NE(nullptr, init);

  EXPECT_TRUE(fw::InitCommonControlsWith(&RecordInitEx, init));
  EXPECT_EQ(1, gInitExCalls);
  EXPECT_NE(0u, gClassesAsked & ICC_PROGRESS_CLASS);

  EXPECT_TRUE(fw::InitCommonControlsWith(nullptr, init));
  EXPECT_EQ(1, gInitExCalls);
  HWND progress = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_POPUP, 0, 0, 100, 10, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
  EXPECT_NE(nullptr, progress);
  DestroyWindow(progress);

  EXPECT_FALSE(fw::InitCommonControlsWith(nullptr, nullptr));
}

// Whatever order the sheet, the sounds and the shortcut first need their library in, each gets
// its own module, at once and ever after.
TEST(LazyLibraries, EachNameGetsItsOwnModuleInEveryOrder) {
  std::vector<std::string> names = {"comctl32.dll", "ole32.dll", "winmm.dll"};
  do {
    SCOPED_TRACE(names[0] + " " + names[1] + " " + names[2]);
    fw::LazyLibraries libraries;
    for (int round = 0; round < 2; ++round) {
      for (const std::string& name : names) {
        HMODULE module = libraries.Get(name.c_str());
        EXPECT_NE(nullptr, module) << name;
        EXPECT_EQ(GetModuleHandleA(name.c_str()), module) << name;
      }
    }
    EXPECT_EQ(nullptr, libraries.Get("shell32.dll"));
  } while (std::next_permutation(names.begin(), names.end()));
}

}  // namespace
