// Start-up's modem choice against a scripted library: silent and interactive choices, the
// failure rows with their log lines and message boxes, and the library's calls in order.
#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>

#include "Fakes.h"
#include "base/InstallOptions.h"
#include "fw/Text.h"
#include "moh/ModemSelection.h"
#include "moh/MohEvents.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

class RecordingUi : public IStartupWindows {
 public:
  int chooseAnswer = -1;  // what the user picks in the dialog; -1 closes it
  std::vector<std::string> shown;

  // The window during which the main window is closed; "" for none.
  std::string closedDuring;
  bool gone = false;

  void ChooseModem() override {
    shown.push_back("modem dialog");
    if (chooseAnswer >= 0) gModem.gModemSelIndex = chooseAnswer;
    gone = gone || closedDuring == "modem dialog";
  }
  void ShowSettings() override {
    shown.push_back("settings");
    gone = gone || closedDuring == "settings";
  }
  void ShowMessage(unsigned id) override { shown.push_back("message " + std::to_string(id)); }
  bool MainWindowGone() override { return gone; }
};

const std::string kMessageNotFound = "message " + std::to_string(IDS_MODEM_NOT_FOUND);

class ModemSelectionTest : public fake::LoggingTest {
 protected:
  std::vector<std::string> Calls() const { return fake::TheLibrary().calls; }
  bool Called(const std::string& prefix) const {
    for (const std::string& call : Calls()) {
      if (call.compare(0, prefix.size(), prefix) == 0) return true;
    }
    return false;
  }

  RecordingUi ui_;
};

TEST(FindSilentChoice, TypeBeforeNameForEachEntryAndEmptyEntriesMatchEmptyWishes) {
  MODEM_ENTRY table[MOH_MAX_MODEMS] = {};
  table[0] = fake::Modem(TELKA, "Erstes");
  table[1] = fake::Modem(BORIN, "Zweites");
  EXPECT_EQ(1, FindSilentChoice(table, BORIN, "Erstes2"));
  EXPECT_EQ(0, FindSilentChoice(table, BORIN, "Erstes"));  // the named modem comes first
  EXPECT_EQ(1, FindSilentChoice(table, NUVIA, "Zweites"));
  EXPECT_EQ(2, FindSilentChoice(table, 0, "Keines"));  // the first empty entry by its type
  EXPECT_EQ(2, FindSilentChoice(table, NUVIA, ""));    // ... or by its empty name
  EXPECT_EQ(-1, FindSilentChoice(table, NUVIA, "Keines"));

  for (int i = 0; i < MOH_MAX_MODEMS; ++i) table[i] = fake::Modem(TELKA, "M" + std::to_string(i));
  EXPECT_EQ(-1, FindSilentChoice(table, BORIN, ""));  // all ten taken, nothing matches
}

TEST_F(ModemSelectionTest, SilentChoiceBindsTheLibraryAndLogsTheStartUp) {
  fake::TheLibrary().modems = {fake::Modem(TELKA, "Oskavel V.92 Data Fax Modem", "COM3"),
                               fake::Modem(BORIN, "Borin Modem", "COM4")};
  gInstall.gModemType = BORIN;
  gInstall.gQCControl = 1;
  EXPECT_EQ(1, SelectModem(1, ui_));
  EXPECT_EQ(1, gModem.gModemSelIndex);
  EXPECT_EQ(2, gModem.gModemCount);
  EXPECT_TRUE(ui_.shown.empty());
  EXPECT_EQ(BORIN, fake::TheLibrary().initializedWith.Type);
  EXPECT_STREQ("Borin Modem", fake::TheLibrary().initializedWith.DisplayName);
  EXPECT_STREQ("COM4", fake::TheLibrary().initializedWith.ComPort);
  EXPECT_EQ(&MohEventCallback, fake::TheLibrary().callback);

  const std::vector<std::string> log = log_.Texts();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(
      (std::vector<std::string>{"PARKO.EXE Version = 1.68B", "MOHAPI.DLL Version = 2.10",
                                "Oskavel Modem Found", "Selected modem=Borin Modem ComPort=COM4",
                                "Modem Type - BORIN", "Current MOH settings"}),
      std::vector<std::string>(log.begin(), log.begin() + 6));
  // Quick Connect: the library holds 9, BORIN resolves it to off and it is written back.
  EXPECT_EQ("MohSetParam(handle=0, id=10, value=0)", Calls().back());
}

TEST_F(ModemSelectionTest, InteractiveChoiceAsksThenShowsTheSettingsBeforeBinding) {
  fake::TheLibrary().modems = {fake::Modem(TELKA, "Erstes"), fake::Modem(TELKA, "Zweites")};
  ui_.chooseAnswer = 1;
  EXPECT_EQ(1, SelectModem(0, ui_));
  EXPECT_EQ((std::vector<std::string>{"modem dialog", "settings"}), ui_.shown);
  EXPECT_STREQ("Zweites", fake::TheLibrary().initializedWith.DisplayName);

  fake::ResetAll();
  fake::TheLibrary().modems = {fake::Modem(TELKA, "Erstes"), fake::Modem(TELKA, "Zweites")};
  RecordingUi closes;  // Escape: the first modem
  EXPECT_EQ(1, SelectModem(0, closes));
  EXPECT_STREQ("Erstes", fake::TheLibrary().initializedWith.DisplayName);
}

// Setup closes a running Parko before it replaces the files, also while start-up asks: start-up
// then ends after that window, before the library is bound, and shows nothing more.
TEST_F(ModemSelectionTest, AMainWindowClosedDuringAWindowOfStartUpEndsItUnbound) {
  for (const char* window : {"modem dialog", "settings"}) {
    SCOPED_TRACE(window);
    fake::ResetAll();
    RecordingUi ui;
    ui.closedDuring = window;
    EXPECT_EQ(0, SelectModem(0, ui));
    EXPECT_EQ(window, ui.shown.back());
    EXPECT_FALSE(Called("MohInitialize"));
  }
}

TEST_F(ModemSelectionTest, NoModemShowsNotFoundExceptForBorinOrNuviaInstallations) {
  fake::TheLibrary().modems.clear();
  EXPECT_EQ(0, SelectModem(1, ui_));
  EXPECT_EQ((std::vector<std::string>{kMessageNotFound}), ui_.shown);
  EXPECT_EQ("No Oskavel modem is installed", log_.Texts().back());
  EXPECT_FALSE(Called("MohInitialize"));
  RecordingUi telka;
  gInstall.gModemType = TELKA;
  EXPECT_EQ(0, SelectModem(1, telka));
  EXPECT_EQ((std::vector<std::string>{kMessageNotFound}), telka.shown);

  for (int type : {BORIN, NUVIA}) {
    RecordingUi quiet;
    gInstall.gModemType = type;
    EXPECT_EQ(0, SelectModem(1, quiet));
    EXPECT_TRUE(quiet.shown.empty()) << type;
  }
}

TEST_F(ModemSelectionTest, ACountAboveTenIsTreatedAsNoModemAndNothingPastTheTableIsRead) {
  fake::TheLibrary().reportedCount = 11;
  EXPECT_EQ(0, SelectModem(0, ui_));
  EXPECT_EQ((std::vector<std::string>{kMessageNotFound}), ui_.shown);
  EXPECT_EQ("No Oskavel modem is installed", log_.Texts().back());
  EXPECT_EQ(0, gModem.gModemCount);
}

// Modems were found, so the log does not go on to say that none is installed.
TEST_F(ModemSelectionTest, SilentSearchThatMatchesNothingEndsWithModemNotFound) {
  fake::TheLibrary().modems.clear();
  for (int i = 0; i < MOH_MAX_MODEMS; ++i) {
    fake::TheLibrary().modems.push_back(fake::Modem(TELKA, "M" + std::to_string(i)));
  }
  gInstall.gModemType = NUVIA;
  EXPECT_EQ(0, SelectModem(1, ui_));
  EXPECT_TRUE(ui_.shown.empty());  // NUVIA installations get no message box
  const std::vector<std::string> logged = log_.Texts();
  EXPECT_EQ("Modem Not Found", logged.back());
  EXPECT_EQ(logged.end(), std::find(logged.begin(), logged.end(), "No Oskavel modem is installed"));
}

TEST_F(ModemSelectionTest, TelkaWantedButOnlyAnEmptyEntryMatchesGivesModemNotFound) {
  fake::TheLibrary().modems = {fake::Modem(BORIN, "Borin")};
  gInstall.gModemType = TELKA;
  EXPECT_EQ(0, SelectModem(1, ui_));
  EXPECT_EQ(1, gModem.gModemSelIndex);
  EXPECT_EQ((std::vector<std::string>{kMessageNotFound}), ui_.shown);
  const std::vector<std::string> log = log_.Texts();
  EXPECT_EQ("Selected modem= ComPort=", log[log.size() - 3]);
  EXPECT_EQ("Unknown Modem Type", log[log.size() - 2]);
  EXPECT_EQ("Modem Not Found", log.back());

  // The other families take the entry without a type and leave the outcome to the library:
  // a modem of no known family keeps Quick Connect under control, and its failed start is not
  // explained.
  for (int type : {BORIN, NUVIA}) {
    for (int initResult : {1, 0}) {
      SCOPED_TRACE(testing::Message() << type << " " << initResult);
      fake::ResetAll();
      fake::TheLibrary().modems = {fake::Modem(TELKA, "Telka")};
      fake::TheLibrary().initResult = initResult;
      gInstall.gModemType = type;
      gInstall.gQCControl = true;
      RecordingUi quiet;
      EXPECT_EQ(initResult, SelectModem(1, quiet));
      EXPECT_EQ(1, gModem.gModemSelIndex);
      EXPECT_TRUE(quiet.shown.empty());
      EXPECT_EQ(initResult == 1, Called("MohSetParam(handle=0, id=10"));
    }
  }
}

TEST_F(ModemSelectionTest, NoWishesChooseTheFirstEmptyEntryAndLeaveTheOutcomeToTheLibrary) {
  fake::TheLibrary().modems = {fake::Modem(TELKA, "Oskavel")};
  EXPECT_EQ(1, SelectModem(1, ui_));  // type 0 matches the empty entry 1
  EXPECT_EQ(1, gModem.gModemSelIndex);
  EXPECT_EQ(0, fake::TheLibrary().initializedWith.Type);
}

TEST_F(ModemSelectionTest, FailedInitialisationMessagesDependOnFamilyAndLastEvent) {
  struct Case {
    int type;
    std::vector<std::pair<int, int>> events;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {TELKA, {{MOH_ERR_FILTER_DRIVER, 0}}, {"message " + std::to_string(IDS_MODEM_NOT_ACTIVE)}},
      {TELKA, {{MOH_ERR_OPEN_PORT, 0}}, {"message " + std::to_string(IDS_CLOSE_PORT)}},
      {TELKA, {}, {"message " + std::to_string(IDS_CLOSE_PORT)}},
      {BORIN, {{MOH_ERR_FILTER_DRIVER, 0}}, {}},
      {NUVIA, {}, {}},
  };
  for (const Case& c : cases) {
    fake::ResetAll();
    gEventLog = &log_;
    log_.lines.clear();
    gInstall.gLogging = 1;
    fake::TheLibrary().modems = {fake::Modem(c.type, "Modem")};
    fake::TheLibrary().initResult = 0;
    fake::TheLibrary().initEvents = c.events;
    gInstall.gModemType = c.type;
    RecordingUi ui;
    EXPECT_EQ(0, SelectModem(1, ui));
    EXPECT_EQ(c.shown, ui.shown) << c.type;
    EXPECT_EQ("MOH Configuration failed", log_.Texts().back());
    // The events the library reported during the initialisation were posted and logged.
    EXPECT_EQ(c.events, fake::PostedEvents());
  }
}

TEST_F(ModemSelectionTest, QuickConnectIsLeftAloneExactlyWhenTheChosenModemIsTelka) {
  struct Case {
    const char* what;
    int modemType;  // ModemType of the installation options
    const char* modemName;
    int chosenFamily;
    uint8_t quickConnectAfter;
  };
  const Case cases[] = {
      {"TELKA by its type", TELKA, "", TELKA, 0},
      {"TELKA by its name, no ModemType", 0, "Telka Modem", TELKA, 0},
      {"BORIN by its name although ModemType=1", TELKA, "Borin Modem", BORIN, 1},
      {"NUVIA by its type", NUVIA, "", NUVIA, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    // Only the modem of the chosen family is listed, so that the name is what picks it.
    fake::TheLibrary().modems = {fake::Modem(c.chosenFamily, c.modemName[0] ? c.modemName : "M")};
    gInstall.gQCControl = 1;
    gInstall.gModemType = c.modemType;
    fw::CopyBounded(gInstall.gModemName, sizeof(gInstall.gModemName), c.modemName);
    EXPECT_EQ(1, SelectModem(1, ui_));
    EXPECT_EQ(c.chosenFamily, fake::TheLibrary().initializedWith.Type);
    EXPECT_EQ(c.quickConnectAfter, gInstall.gQCControl);
    EXPECT_EQ(c.quickConnectAfter != 0, Called("MohGetParam(handle=0, id=10"));
  }
}

TEST_F(ModemSelectionTest, LongNamesAreLoggedWholeAndUnterminatedOnesStayInTheirEntry) {
  MODEM_ENTRY longName = fake::Modem(TELKA, std::string(255, 'L'), "COM1234");
  fake::TheLibrary().modems = {longName};
  gInstall.gModemType = TELKA;
  EXPECT_EQ(1, SelectModem(1, ui_));
  EXPECT_EQ("Selected modem=" + std::string(255, 'L') + " ComPort=COM1234", log_.Texts()[3]);

  fake::ResetAll();
  gEventLog = &log_;
  log_.lines.clear();
  MODEM_ENTRY unterminated;
  std::memset(&unterminated, 'U', sizeof(unterminated));
  unterminated.Type = TELKA;
  fake::TheLibrary().modems = {unterminated};
  gInstall.gModemType = TELKA;
  EXPECT_EQ(1, SelectModem(1, ui_));
  EXPECT_EQ(std::string(255, 'U'), fake::TheLibrary().initializedWith.DisplayName);
  EXPECT_STREQ("UUUUUUU", fake::TheLibrary().initializedWith.ComPort);
  EXPECT_EQ("Selected modem=" + std::string(256, 'U') + " ComPort=UUUUUUUU", log_.Texts()[3]);
}

TEST_F(ModemSelectionTest, TheCallbackPostsRecordsAndLogs) {
  MohEventCallback(MOH_GRANTED, 6);
  MohEventCallback(14, 0);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{MOH_GRANTED, 6}, {14, 0}}), fake::PostedEvents());
  EXPECT_EQ(14, LastMohEvent());
  EXPECT_EQ((std::vector<std::string>{"MOH Request granted by server."}), log_.Texts());
  gInstall.gLogging = 0;
  MohEventCallback(MOH_INCOMING_CALL, 1);
  EXPECT_EQ(1u, log_.lines.size());
}

}  // namespace

// The library fills a table of ten 268-byte records that it lays out itself; on either word size
// the struct must read what it wrote, record by record.
TEST(LibraryLayout, ATableWrittenAsTheLibraryWritesItReadsBackThroughTheStruct) {
  constexpr std::size_t kRecord = 268;
  unsigned char bytes[kRecord * MOH_MAX_MODEMS] = {};
  for (int i = 0; i < MOH_MAX_MODEMS; ++i) {
    unsigned char* record = bytes + kRecord * static_cast<std::size_t>(i);
    record[0] = static_cast<unsigned char>(i + 1);  // Type, little endian
    std::memcpy(record + 4, "Modem", 5);
    record[9] = static_cast<unsigned char>('0' + i);
    std::memcpy(record + 260, "COM", 3);
    record[263] = static_cast<unsigned char>('A' + i);
  }
  MODEM_ENTRY table[MOH_MAX_MODEMS];
  static_assert(sizeof(table) == sizeof(bytes), "ten records without padding between them");
  static_assert(sizeof(int) == 4, "the library's int arguments and results are 32-bit");
  std::memcpy(table, bytes, sizeof(bytes));
  for (int i = 0; i < MOH_MAX_MODEMS; ++i) {
    EXPECT_EQ(i + 1, table[i].Type);
    EXPECT_EQ("Modem" + std::to_string(i), std::string(table[i].DisplayName));
    EXPECT_EQ(std::string("COM") + static_cast<char>('A' + i), std::string(table[i].ComPort));
  }
}
