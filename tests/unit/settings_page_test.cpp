// The settings page's decisions: what it opens with by call-waiting mode, which controls the
// user may touch, its clicks, and what OK writes to the settings, the library and the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "Fakes.h"
#include "ProgramRoads.h"
#include "base/InstallOptions.h"
#include "moh/MohSettings.h"
#include "res/resource.h"
#include "settings/GenPage.h"

namespace {

using Calls = std::vector<std::string>;

class RecordingPage : public IGenPageWindow {
 public:
  explicit RecordingPage(const GenPageMembers& members) : m_(members) {}

  std::set<int> disabled;
  std::map<int, bool> checks;  // as the last refresh or check left them
  int selection = -1;
  std::string dialText;

  void Enable(int id, bool enable) override {
    if (enable) {
      disabled.erase(id);
    } else {
      disabled.insert(id);
    }
  }
  void Check(int id, bool check) override { checks[id] = check; }
  void Refresh() override {
    checks[IDC_WARN] = m_.m_bWarn == 1;
    checks[IDC_CALLER_ID] = m_.m_bCallerID == 1;
    checks[IDC_ALWAYS_DISCONNECT] = m_.m_nAlwaysDisconnect == 0;
    checks[IDC_CALL_WAITING] = m_.m_bCallWaiting == 1;
    checks[IDC_CONFIRM_CALL] = m_.m_nConfirmCall == 0;
    checks[IDC_QUICK_CONNECT] = m_.m_bQuickConnect == 1;
    checks[IDC_MUTE_RING_TONE] = m_.m_bMuteRingTone == 1;
  }
  void SelectWarnTime(int index) override { selection = index >= 0 && index <= 3 ? index : -1; }
  int WarnTimeSelection() override { return selection; }
  void SetDialStringText(const std::string& text) override { dialText = text; }
  std::string DialStringText(std::size_t maxChars) override { return dialText.substr(0, maxChars); }

  bool Enabled(int id) const { return disabled.count(id) == 0; }

 private:
  const GenPageMembers& m_;
};

class SettingsPage : public fake::LoggingTest {
 protected:
  void SetUp() override {
    fake::LoggingTest::SetUp();
    gSettings.gEnableMOH = 1;
    gSettings.gCallerID = 1;
    gSettings.gWarn = 1;
    gSettings.TimerIndex = 2;
    gInstall.gQCControl = 1;
    gSettings.gQCFlag = 1;
    fake::TheRegistryData().keys[kMohRegistryKey] = {};
  }
  // Opens the page as the sheet does; the calls of the construction are left out.
  void Open() {
    page_ = std::make_unique<GenPage>(ProgramSettingsRoad());
    window_ = std::make_unique<RecordingPage>(page_->m);
    LibraryCalls();
    page_->OnInitDialog(*window_);
  }
  void Click(int id) { page_->OnClicked(*window_, id); }
  // Which of the modem-on-hold options may be touched, as letters: E enabled, - not.
  std::string MohOptions() const {
    std::string letters;
    for (int id : {IDC_CALLER_ID, IDC_WARN, IDC_WARN_TIME, IDC_DIAL_STRING, IDC_MUTE_WARN_TONE,
                   IDC_MUTE_RING_TONE}) {
      letters += window_->Enabled(id) ? 'E' : '-';
    }
    return letters;
  }

  std::unique_ptr<GenPage> page_;
  std::unique_ptr<RecordingPage> window_;
};

TEST_F(SettingsPage, OpensByTheCallWaitingModeAndItsInMemoryChangesStayWithoutOk) {
  struct Case {
    int mode;
    bool callWaiting, disconnect, confirm, radiosEnabled;
    const char* options;
    int enableMohAfter, callerIdAfter, warnAfter;
  };
  const Case cases[] = {
      {CW_MODE_MOH, true, false, true, true, "EEE-EE", 1, 1, 1},
      {CW_MODE_DISCONNECT, true, true, false, true, "------", 0, 0, 0},
      {CW_MODE_OFF, false, false, false, false, "------", 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    SetUp();
    gSettings.gCallWaiting = c.mode;
    Open();
    EXPECT_EQ(c.callWaiting, window_->checks[IDC_CALL_WAITING]);
    EXPECT_EQ(c.disconnect, window_->checks[IDC_ALWAYS_DISCONNECT]);
    EXPECT_EQ(c.confirm, window_->checks[IDC_CONFIRM_CALL]);
    EXPECT_EQ(c.radiosEnabled, window_->Enabled(IDC_ALWAYS_DISCONNECT));
    EXPECT_EQ(c.radiosEnabled, window_->Enabled(IDC_CONFIRM_CALL_LINE2));
    EXPECT_EQ(c.options, MohOptions());
    EXPECT_FALSE(window_->Enabled(IDC_RESET_DIAL_STRING));
    EXPECT_TRUE(window_->Enabled(IDC_QUICK_CONNECT));
    EXPECT_EQ(2, window_->selection);
    // Cancelled: nothing reaches the library, the in-memory changes stay.
    EXPECT_EQ((Calls{"MohGetParam(handle=0, id=9, buffer)"}), LibraryCalls());
    EXPECT_EQ(c.enableMohAfter, gSettings.gEnableMOH);
    EXPECT_EQ(c.callerIdAfter, gSettings.gCallerID);
    EXPECT_EQ(c.warnAfter, gSettings.gWarn);
  }
}

TEST_F(SettingsPage, TheRadioButtonsAndTheWarningSwitchKeepTheOptionsConsistent) {
  gSettings.gCallWaiting = CW_MODE_OFF;
  Open();
  Click(IDC_CALL_WAITING);
  EXPECT_TRUE(window_->Enabled(IDC_ALWAYS_DISCONNECT) && window_->Enabled(IDC_CONFIRM_CALL));
  EXPECT_EQ("------", MohOptions());  // no answering mode chosen yet

  Click(IDC_CONFIRM_CALL);
  EXPECT_EQ("EEE-EE", MohOptions());
  Click(IDC_ALWAYS_DISCONNECT);
  EXPECT_EQ("------", MohOptions());
  EXPECT_FALSE(window_->checks[IDC_CALLER_ID] || window_->checks[IDC_WARN]);
  Click(IDC_CONFIRM_CALL);
  EXPECT_EQ("EE--EE", MohOptions());  // enabled again, but left unchecked: no warning time
  EXPECT_FALSE(window_->checks[IDC_CALLER_ID] || window_->checks[IDC_WARN]);
  Click(IDC_WARN);
  EXPECT_TRUE(window_->Enabled(IDC_WARN_TIME));
  Click(IDC_WARN);
  EXPECT_FALSE(window_->Enabled(IDC_WARN_TIME));
}

TEST_F(SettingsPage, OkWritesTheLibraryInOrderAndTheTonesToTheRegistry) {
  gSettings.gCallWaiting = CW_MODE_MOH;
  Open();
  Click(IDC_CALLER_ID);       // off
  Click(IDC_MUTE_RING_TONE);  // on
  Click(IDC_QUICK_CONNECT);   // off
  window_->selection = 2;
  window_->dialText = "*43#12345678901234567";  // twenty-one characters typed
  LibraryCalls();
  page_->OnOK(*window_);
  EXPECT_EQ((Calls{"MohSetParam(handle=0, id=1, value=1)", "MohSetParam(handle=0, id=3, value=1)",
                   "MohSetParam(handle=0, id=4, value=0)", "MohSetParam(handle=0, id=6, value=0)",
                   "MohSetParam(handle=0, id=8, value=2)",
                   "MohSetParamString(handle=0, id=9, text=\"*43#12345678901\")",
                   "MohSetParam(handle=0, id=10, value=0)"}),
            LibraryCalls());
  EXPECT_EQ(50000, gSettings.gWarnTimeMs);
  EXPECT_EQ(1, gSettings.MuteRingTone);
  EXPECT_EQ(fake::Bytes(1), fake::TheRegistryData().keys[kMohRegistryKey]["MuteRingTone"]);
  EXPECT_EQ(fake::Bytes(0), fake::TheRegistryData().keys[kMohRegistryKey]["MuteWarnTone"]);
}

TEST_F(SettingsPage, OkStoresModeOneWithoutARadioNoEntryAsThirtySecondsAndNineWithoutQuickConnect) {
  gSettings.gCallWaiting = CW_MODE_OFF;
  gSettings.TimerIndex = 5;
  gInstall.gQCControl = 0;
  Open();
  EXPECT_EQ(-1, window_->selection);
  Click(IDC_CALL_WAITING);
  Click(IDC_QUICK_CONNECT);
  page_->OnOK(*window_);
  EXPECT_EQ(CW_MODE_DISCONNECT, gSettings.gCallWaiting);
  EXPECT_EQ(0, gSettings.gEnableMOH);
  EXPECT_EQ(0, gSettings.TimerIndex);
  EXPECT_EQ(30000, gSettings.gWarnTimeMs);
  EXPECT_EQ(QC_NOT_CONTROLLED, gSettings.gQCFlag);
  for (const std::string& call : LibraryCalls()) EXPECT_EQ(std::string::npos, call.find("id=10"));
}

TEST_F(SettingsPage, DialStringsFromLibrariesThatWriteTooMuchAreCutToFifteen) {
  // Both libraries write forty characters into whatever they are given.
  fake::TheLibrary().dialString = std::string(40, '1');
  fake::TheLibrary().defaultDialString = std::string(40, '2');
  Open();
  EXPECT_EQ(std::string(15, '1'), gSettings.gDialString);
  EXPECT_EQ(std::string(15, '1'), window_->dialText);
  // OK without a change gives the library back what it holds, all fifteen.
  LibraryCalls();
  page_->OnOK(*window_);
  const Calls written = LibraryCalls();
  EXPECT_NE(written.end(),
            std::find(written.begin(), written.end(),
                      "MohSetParamString(handle=0, id=9, text=\"" + std::string(15, '1') + "\")"));

  Click(IDC_CHANGE_DIAL_STRING);
  EXPECT_TRUE(window_->Enabled(IDC_DIAL_STRING) && window_->Enabled(IDC_RESET_DIAL_STRING));
  Click(IDC_RESET_DIAL_STRING);
  EXPECT_EQ(std::string(15, '2'), gSettings.gDialString);
  EXPECT_EQ(std::string(15, '2'), window_->dialText);
  EXPECT_FALSE(window_->checks[IDC_CHANGE_DIAL_STRING] || window_->checks[IDC_RESET_DIAL_STRING]);
  EXPECT_FALSE(window_->Enabled(IDC_DIAL_STRING) || window_->Enabled(IDC_RESET_DIAL_STRING));
}

// Unchecking "Wählparameter ändern" locks the field and its reset again; opening the page,
// changing it and OK write nothing to the event log.
TEST_F(SettingsPage, UncheckingTheDialStringChangeLocksTheFieldAndThePageLogsNothing) {
  Open();
  Click(IDC_CHANGE_DIAL_STRING);
  EXPECT_TRUE(window_->Enabled(IDC_DIAL_STRING) && window_->Enabled(IDC_RESET_DIAL_STRING));
  Click(IDC_CHANGE_DIAL_STRING);
  EXPECT_FALSE(window_->Enabled(IDC_DIAL_STRING) || window_->Enabled(IDC_RESET_DIAL_STRING));
  page_->OnOK(*window_);
  EXPECT_EQ(std::vector<std::string>{}, log_.Texts());
}

TEST(SheetButtons, OkAndCancelStandCentredAsAPair) {
  EXPECT_EQ(100, CentredButtonsX(0, 400, 2, 90, 20));  // 200 wide in all
  EXPECT_EQ(155, CentredButtonsX(0, 400, 1, 90, 20));
  EXPECT_EQ(-5, CentredButtonsX(0, 10, 2, 10, 1));  // halved towards zero
}

}  // namespace
