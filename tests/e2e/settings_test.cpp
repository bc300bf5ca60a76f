// The settings sheet of the real Parko.exe: opened from the icon and at an interactive start,
// what it shows of the library's values, and what its OK and Cancel leave in the library's
// journal, the registry and the log.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "CallCase.h"
#include "Driver.h"

namespace {

const char* const kLoggingTelka =
    "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\nLogging=Yes\r\n";
// The library holds: modem-on-hold answering, caller ID on, warning 40 s, dial string *43#.
const char* const kLibraryValues =
    "[Params]\r\n1=1\r\n3=1\r\n4=0\r\n6=1\r\n8=1\r\n9=*43#\r\n"
    "[Library]\r\nDefaultDialString=*70#0123456789012345678901234567890123456\r\n";
const char* const kToneKey = "SOFTWARE\\Tamrix\\MOH";

class Settings : public Call {
 protected:
  void SetUp() override {
    // The installation made the tone switches' key; the program never creates it.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kToneKey);
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kToneKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegCloseKey(key);
  }
  void TearDown() override { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kToneKey); }

  HWND OpenByDoubleClick() {
    e2e::DoubleClickTrayIcon(main_);
    return e2e::WaitForSettingsSheet(parko_);
  }
  static bool Checked(HWND page, int id) {
    return SendMessageA(e2e::Control(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  static void Click(HWND page, int id) { SendMessageA(e2e::Control(page, id), BM_CLICK, 0, 0); }
  std::vector<std::string> Since(const std::vector<std::string>& lines, size_t from) const {
    return std::vector<std::string>(lines.begin() + std::min(from, lines.size()), lines.end());
  }
  std::vector<std::string> Journal() const {
    return e2e::Lines(install_->ReadFile("mohsim.journal"));
  }
  int ToneSwitch(const char* name) const {
    int32_t value = -1;
    DWORD size = sizeof(value);
    RegGetValueA(HKEY_LOCAL_MACHINE, kToneKey, name, RRF_RT_ANY, nullptr, &value, &size);
    return value;
  }
  bool Gone(HWND window) {
    return e2e::WaitUntil([&] { return !IsWindow(window); }, 5000);
  }
  // Presses OK; what the library was asked after it: the settings written and the new binding.
  std::vector<std::string> OkAndWhatItWrote(HWND sheet) {
    const size_t before = Journal().size();
    e2e::PressSheetButton(sheet, PSBTN_OK);
    EXPECT_TRUE(Gone(sheet)) << Report();
    EXPECT_TRUE(e2e::WaitUntil([&] { return Journal().size() > before + 7; }, 5000)) << Report();
    return Since(Journal(), before);
  }
};

TEST_F(Settings, ADoubleClickShowsTheLibrarysValuesAndOkWritesThemAndBindsTheLibraryAgain) {
  Start(std::string(kQuickLine) + kLibraryValues, kLoggingTelka);
  HWND sheet = OpenByDoubleClick();
  ASSERT_NE(nullptr, sheet) << Report();
  HWND page = e2e::SheetPage(sheet);
  ASSERT_NE(nullptr, page);
  EXPECT_TRUE(Checked(page, 1037) && Checked(page, 1043) && !Checked(page, 1040));
  EXPECT_TRUE(Checked(page, 1038) && Checked(page, 1012) && !Checked(page, 1041));
  EXPECT_EQ(1, SendMessageA(e2e::Control(page, 1022), CB_GETCURSEL, 0, 0));
  EXPECT_EQ("*43#", e2e::Text(e2e::Control(page, 1010)));
  EXPECT_FALSE(e2e::IsEnabled(e2e::Control(page, 1010)));

  // Only OK and Cancel, centred as a pair.
  EXPECT_FALSE(e2e::IsVisible(e2e::Control(sheet, 9)));
  EXPECT_FALSE(e2e::IsVisible(e2e::Control(sheet, 12321)));
  RECT client, ok, cancel;
  GetClientRect(sheet, &client);
  GetWindowRect(e2e::Control(sheet, IDOK), &ok);
  GetWindowRect(e2e::Control(sheet, IDCANCEL), &cancel);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&ok), 2);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&cancel), 2);
  EXPECT_NEAR(ok.left - client.left, client.right - cancel.right, 1);

  // A second double click while it is open shows no second sheet.
  e2e::DoubleClickTrayIcon(main_);
  e2e::WaitUntil([] { return false; }, 700);
  int sheets = 0;
  for (const e2e::WindowInfo& window : parko_.Windows()) {
    if (window.title == "Modem On Hold Einstellungen" && window.visible) ++sheets;
  }
  EXPECT_EQ(1, sheets);

  // Warning 50 s, caller ID off, ring muted, then OK.
  SendMessageA(e2e::Control(page, 1022), CB_SETCURSEL, 2, 0);
  Click(page, 1038);
  Click(page, 1041);
  const std::vector<std::string> written = OkAndWhatItWrote(sheet);
  ASSERT_GE(written.size(), 8u) << Report();
  EXPECT_EQ((std::vector<std::string>{
                "MohSetParam(handle=0, id=1, value=1)", "MohSetParam(handle=0, id=3, value=1)",
                "MohSetParam(handle=0, id=4, value=0)", "MohSetParam(handle=0, id=6, value=0)",
                "MohSetParam(handle=0, id=8, value=2)",
                "MohSetParamString(handle=0, id=9, text=\"*43#\")"}),
            std::vector<std::string>(written.begin(), written.begin() + 6));
  EXPECT_EQ(0u, written[6].find("MohInitialize(handle=0, type=1")) << written[6];
  EXPECT_EQ(1, ToneSwitch("MuteRingTone"));
  EXPECT_EQ(0, ToneSwitch("MuteWarnTone"));
  // The settings were read back from the library and logged.
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        const std::string log = install_->ReadFile("parko.log");
        return log.find("Caller ID disabled") != std::string::npos &&
               log.find("timeout set to 50000 Msec") != std::string::npos;
      },
      5000))
      << install_->ReadFile("parko.log");
  EXPECT_TRUE(parko_.Close()) << Report();
}

// The radio group, read from the library and written back: "always disconnect" chosen with the
// mouse goes to the library as modem-on-hold off, and the next sheet shows it chosen.
TEST_F(Settings, TheRadioGroupShowsTheLibrarysModeAndOkHandsTheOtherOneOver) {
  Start(std::string(kQuickLine) + kLibraryValues, kLoggingTelka);
  HWND sheet = OpenByDoubleClick();
  ASSERT_NE(nullptr, sheet) << Report();
  HWND page = e2e::SheetPage(sheet);
  EXPECT_TRUE(Checked(page, 1043) && !Checked(page, 1040));
  Click(page, 1040);
  EXPECT_TRUE(Checked(page, 1040) && !Checked(page, 1043));
  const std::vector<std::string> written = OkAndWhatItWrote(sheet);
  ASSERT_GE(written.size(), 8u) << Report();
  EXPECT_EQ((std::vector<std::string>{
                "MohSetParam(handle=0, id=1, value=0)", "MohSetParam(handle=0, id=3, value=0)",
                "MohSetParam(handle=0, id=4, value=1)", "MohSetParam(handle=0, id=6, value=0)"}),
            std::vector<std::string>(written.begin(), written.begin() + 4));

  HWND again = OpenByDoubleClick();
  ASSERT_NE(nullptr, again) << Report();
  page = e2e::SheetPage(again);
  EXPECT_TRUE(Checked(page, 1040) && !Checked(page, 1043));
  e2e::PressSheetButton(again, PSBTN_CANCEL);
  ASSERT_TRUE(Gone(again)) << Report();
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Settings, CancelWritesNothingAndALongDefaultDialStringDoesNoHarm) {
  Start(std::string(kQuickLine) + kLibraryValues, kLoggingTelka);
  HWND sheet = OpenByDoubleClick();
  ASSERT_NE(nullptr, sheet) << Report();
  HWND page = e2e::SheetPage(sheet);
  // What can be typed is what is kept.
  EXPECT_EQ(15, SendMessageA(e2e::Control(page, 1010), EM_GETLIMITTEXT, 0, 0));
  Click(page, 1061);
  EXPECT_TRUE(e2e::IsEnabled(e2e::Control(page, 1010)));
  // The simulated library writes forty characters; fifteen are kept.
  Click(page, 1062);
  EXPECT_EQ("*70#01234567890", e2e::Text(e2e::Control(page, 1010)));
  EXPECT_FALSE(Checked(page, 1061) || e2e::IsEnabled(e2e::Control(page, 1010)));
  const size_t before = Journal().size();
  e2e::PressSheetButton(sheet, PSBTN_CANCEL);
  ASSERT_TRUE(Gone(sheet)) << Report();
  e2e::WaitUntil([] { return false; }, 300);
  EXPECT_EQ(std::vector<std::string>{}, Since(Journal(), before));
  EXPECT_EQ(-1, ToneSwitch("MuteRingTone"));
  EXPECT_TRUE(parko_.Close()) << Report();
}

TEST_F(Settings, ATelkaModemOnlineIsNotSetUp) {
  // Online as soon as it is bound: the report is queued before anything the test sends.
  Start(std::string(kQuickLine) + "OnlineAfterInit=Yes\r\n" + kLibraryValues, kLoggingTelka);
  e2e::DoubleClickTrayIcon(main_);
  HWND box = e2e::WaitForMessageBox(parko_);
  ASSERT_NE(nullptr, box) << Report();
  EXPECT_EQ("Beenden Sie bitte die Verbindung und versuchen Sie es erneut.",
            e2e::MessageBoxText(box));
  ASSERT_TRUE(e2e::DismissMessageBox(box, IDOK)) << Report();
  EXPECT_EQ(nullptr, e2e::WaitForSettingsSheet(parko_, 500));
}

}  // namespace
