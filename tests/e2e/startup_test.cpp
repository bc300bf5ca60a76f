// The real Parko.exe starting on the simulated modem: what it logs, what it asks of the
// library (its journal), what it shows, and how it ends.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "Driver.h"

namespace {

const char* const kSilentTelka =
    "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\nLogging=Yes\r\n";

std::string WithoutStamp(const std::string& line) {
  const size_t at = line.find(" - ");
  return at == std::string::npos ? line : line.substr(at + 3);
}

std::vector<std::string> LogTexts(const e2e::Installation& install) {
  std::vector<std::string> texts;
  for (const std::string& line : e2e::Lines(install.ReadFile("parko.log"))) {
    texts.push_back(WithoutStamp(line));
  }
  return texts;
}

bool Contains(const std::vector<std::string>& lines, const std::string& wanted) {
  return std::find(lines.begin(), lines.end(), wanted) != lines.end();
}

bool HasLineStartingWith(const std::vector<std::string>& lines, const std::string& start) {
  return std::any_of(lines.begin(), lines.end(),
                     [&](const std::string& line) { return line.rfind(start, 0) == 0; });
}

const char* const kTwoModems =
    "[Modems]\r\nCount=2\r\n"
    "[Modem1]\r\nType=1\r\nName=Oskavel V.92 Data Fax Modem\r\nPort=COM3\r\n"
    "[Modem2]\r\nType=1\r\nName=Oskavel Zweitmodem\r\nPort=COM4\r\n";

class Startup : public testing::Test {
 protected:
  void Install(const std::string& ini, const std::string& mohsimIni = "") {
    install_ = std::make_unique<e2e::Installation>(
        testing::UnitTest::GetInstance()->current_test_info()->name(), ini);
    ASSERT_TRUE(install_->Ok());
    if (!mohsimIni.empty()) {
      ASSERT_TRUE(install_->WriteFile("mohsim.ini", mohsimIni));
    }
  }
  std::vector<std::string> Journal() const {
    return e2e::Lines(install_->ReadFile("mohsim.journal"));
  }
  // Starts Parko on two modems, asking the user; its modem dialog, or null.
  HWND StartAtModemDialog(e2e::ParkoProcess& parko) {
    Install("[INSTALL_OPTIONS]\r\n", kTwoModems);
    if (!parko.Start(*install_)) return nullptr;
    return parko.WaitForWindow("#32770", "Modem ausw\xE4hlen", 10000);
  }
  // After the user's choice of modem start-up shows the settings sheet; its answer does not
  // matter to start-up.
  void CancelSettingsSheet(const e2e::ParkoProcess& parko) {
    HWND sheet = e2e::WaitForSettingsSheet(parko, 10000);
    ASSERT_NE(nullptr, sheet) << Report(parko);
    e2e::PressSheetButton(sheet, PSBTN_CANCEL);
  }
  // Start-up has bound the library to a modem.
  bool LibraryInitialized() const {
    return e2e::WaitUntil([&] { return HasLineStartingWith(Journal(), "MohInitialize("); }, 10000);
  }
  std::string Report(const e2e::ParkoProcess& parko) const {
    return parko.Describe() + "\nparko.log:\n" + install_->ReadFile("parko.log") +
           "mohsim.journal:\n" + install_->ReadFile("mohsim.journal");
  }
  // Start-up ended by itself: the process is gone, the library was told to close.
  void ExpectEndedAndClosed(e2e::ParkoProcess& parko) {
    ASSERT_TRUE(parko.WaitForExit(10000)) << Report(parko);
    const std::vector<std::string> journal = Journal();
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ("MohCommand(handle=0, command=5)", journal.back());
  }

  std::unique_ptr<e2e::Installation> install_;
};

TEST_F(Startup, LogsItsStartInOrderWhenLoggingIsOn) {
  Install(kSilentTelka);
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(*install_));
  ASSERT_NE(nullptr, parko.WaitForMainWindow());
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        return Contains(LogTexts(*install_), "QC Not controlled by application") &&
               LogTexts(*install_).size() >= 21;
      },
      10000))
      << Report(parko);
  const std::vector<std::string> log = LogTexts(*install_);
  const std::vector<std::string> expected = {
      "File: " + install_->Dir() + "\\parko.exe",
      "File: " + install_->Dir() + "\\parko.ini",
      "PARKO.EXE Version = 1.68B",
      "MOHAPI.DLL Version = 2.10",
      "Oskavel Modem Found",
      "Selected modem=Oskavel V.92 Data Fax Modem ComPort=COM3",
      "Modem Type - TELKA",
      "Current MOH settings",
      "Call Waiting enabled",
      "MOH enabled",
      "Disconnect and Switch to Voice disabled",
      "Caller ID enabled",
      "Warn before tiimeout enabled, timeout set to 30000 Msec",
      "QC Not controlled by application"};
  ASSERT_GE(log.size(), expected.size());
  EXPECT_EQ(expected, std::vector<std::string>(log.begin(), log.begin() + expected.size()));
  // Every line carries the local time as month-day-year hour:minute:second.
  for (const std::string& line : e2e::Lines(install_->ReadFile("parko.log"))) {
    int month, day, year, hour, minute, second;
    EXPECT_EQ(6, sscanf(line.c_str(), "%d-%d-%d %d:%d:%d - ", &month, &day, &year, &hour, &minute,
                        &second))
        << line;
  }
  EXPECT_TRUE(parko.Close()) << Report(parko);
}

TEST_F(Startup, WithoutLoggingNoLogFileIsMade) {
  Install("[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\n");
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(*install_));
  ASSERT_NE(nullptr, parko.WaitForMainWindow());
  ASSERT_TRUE(LibraryInitialized()) << Report(parko);
  EXPECT_FALSE(install_->HasFile("parko.log"));
  EXPECT_TRUE(parko.Close());
}

TEST_F(Startup, FindsItsOwnDirectoryWhenStartedFromElsewhere) {
  Install(kSilentTelka);
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(*install_, "C:\\windows"));
  ASSERT_NE(nullptr, parko.WaitForMainWindow());
  ASSERT_TRUE(
      e2e::WaitUntil([&] { return Contains(LogTexts(*install_), "Oskavel Modem Found"); }, 10000))
      << Report(parko);
  EXPECT_EQ("File: " + install_->Dir() + "\\parko.ini", LogTexts(*install_)[1]);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\windows\\parko.log"));
  EXPECT_TRUE(parko.Close());
}

TEST_F(Startup, AProgramDirectoryNearTheLengthLimitIsLoggedWhole) {
  // 237 characters: the longest folder from which the loader still finds the libraries the
  // program imports (MAX_PATH with "\DefaultDialString.dll"); the file lines are 250 long.
  e2e::Installation install("long", kSilentTelka, 237);
  ASSERT_TRUE(install.Ok()) << install.Dir() << "\n" << install.Error();
  ASSERT_EQ(237u, install.Dir().size());
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(install));
  ASSERT_NE(nullptr, parko.WaitForMainWindow()) << parko.Describe();
  ASSERT_TRUE(
      e2e::WaitUntil([&] { return Contains(LogTexts(install), "Oskavel Modem Found"); }, 10000))
      << parko.Describe() << install.ReadFile("parko.log");
  const std::vector<std::string> log = LogTexts(install);
  EXPECT_EQ("File: " + install.Dir() + "\\parko.exe", log[0]);
  EXPECT_EQ("File: " + install.Dir() + "\\parko.ini", log[1]);
  EXPECT_TRUE(parko.Close());
}

TEST_F(Startup, ASecondCopyEndsAtOnceAndLeavesTheFirstRunningAndMarked) {
  Install(kSilentTelka);
  e2e::ParkoProcess first;
  ASSERT_TRUE(first.Start(*install_));
  HWND main = first.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  ASSERT_TRUE(e2e::WaitUntil([&] { return GetPropA(main, "Parko") != nullptr; }, 10000))
      << Report(first);
  // The single-instance mutex is named after the program file, in capitals.
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "PARKO");
  EXPECT_NE(nullptr, mutex);
  if (mutex != nullptr) CloseHandle(mutex);

  e2e::ParkoProcess second;
  ASSERT_TRUE(second.Start(*install_));
  ASSERT_TRUE(second.WaitForExit(10000)) << second.Describe();
  EXPECT_TRUE(first.IsRunning());
  EXPECT_EQ(reinterpret_cast<HANDLE>(1), GetPropA(main, "Parko"));
  EXPECT_FALSE(e2e::IsVisible(main));  // it was not minimised, so nothing is shown
  EXPECT_TRUE(first.Close()) << Report(first);
}

TEST_F(Startup, ACopyStartedWhileTheFirstAsksForTheModemEndsAtOnce) {
  Install("[INSTALL_OPTIONS]\r\nLogging=Yes\r\n");
  e2e::ParkoProcess first;
  ASSERT_TRUE(first.Start(*install_));
  HWND dialog = first.WaitForWindow("#32770", "Modem ausw\xE4hlen", 10000);
  ASSERT_NE(nullptr, dialog) << Report(first);

  e2e::ParkoProcess second;
  ASSERT_TRUE(second.Start(*install_));
  ASSERT_TRUE(second.WaitForExit(10000)) << second.Describe();
  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(e2e::IsVisible(dialog));

  e2e::Click(dialog, IDOK);
  CancelSettingsSheet(first);
  ASSERT_TRUE(LibraryInitialized()) << Report(first);
  EXPECT_TRUE(first.Close());
}

// Setup posts WM_CLOSE to a running Parko before it replaces the files, also while start-up
// shows the modem dialog or the settings sheet: Parko ends there, cleanly, without binding the
// library and without touching its freed main window (Wine's heap checking is on).
TEST_F(Startup, ClosingTheMainWindowDuringAWindowOfStartUpEndsParkoUnbound) {
  for (const bool atSettings : {false, true}) {
    SCOPED_TRACE(atSettings ? "settings sheet" : "modem dialog");
    Install("[INSTALL_OPTIONS]\r\nSilentEnumeration=No\r\nCreateProgramEntry=Yes\r\n", kTwoModems);
    e2e::ParkoProcess parko;
    ASSERT_TRUE(parko.Start(*install_));
    HWND main = parko.WaitForMainWindow();
    ASSERT_NE(nullptr, main) << Report(parko);
    HWND dialog = parko.WaitForWindow("#32770", "Modem ausw\xE4hlen", 10000);
    ASSERT_NE(nullptr, dialog) << Report(parko);
    if (atSettings) {
      e2e::Click(dialog, IDOK);
      ASSERT_NE(nullptr, e2e::WaitForSettingsSheet(parko, 10000)) << Report(parko);
    }
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(parko.WaitForExit(10000)) << Report(parko);
    EXPECT_EQ(0u, parko.ExitCode()) << Report(parko);
    EXPECT_FALSE(HasLineStartingWith(Journal(), "MohInitialize(")) << Report(parko);
  }
}

TEST_F(Startup, NoModemSaysSoClosesTheLibraryAndKeepsTheLog) {
  Install(kSilentTelka, "[Modems]\r\nCount=0\r\n");
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(*install_));
  HWND box = e2e::WaitForMessageBox(parko, 10000);
  ASSERT_NE(nullptr, box) << Report(parko);
  EXPECT_EQ("Modem nicht gefunden.", e2e::MessageBoxText(box));
  EXPECT_EQ("Parko", e2e::Text(box));
  ASSERT_TRUE(e2e::DismissMessageBox(box, IDOK)) << Report(parko);
  ExpectEndedAndClosed(parko);
  const std::vector<std::string> log = LogTexts(*install_);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ("No Oskavel modem is installed", log.back());
}

TEST_F(Startup, NoModemForABorinOrNuviaInstallationEndsWithoutAMessage) {
  for (const char* type : {"2", "3"}) {
    Install(std::string("[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=") + type + "\r\n",
            "[Modems]\r\nCount=0\r\n");
    e2e::ParkoProcess parko;
    ASSERT_TRUE(parko.Start(*install_));
    ExpectEndedAndClosed(parko);
    EXPECT_EQ(nullptr, e2e::WaitForMessageBox(parko, 0));
  }
}

TEST_F(Startup, TwoModemsAreOfferedInTableOrderAndOkTakesTheChosenOne) {
  e2e::ParkoProcess parko;
  HWND dialog = StartAtModemDialog(parko);
  ASSERT_NE(nullptr, dialog) << Report(parko);
  HWND list = e2e::Control(dialog, 1034);
  EXPECT_EQ(2, e2e::ListCount(list));
  EXPECT_EQ(0, e2e::ListSelection(list));
  EXPECT_EQ("OK", e2e::Text(e2e::Control(dialog, IDOK)));
  EXPECT_FALSE(e2e::IsVisible(e2e::Control(dialog, IDCANCEL)));

  SendMessageA(list, LB_SETCURSEL, 1, 0);
  e2e::Click(dialog, IDOK);
  CancelSettingsSheet(parko);
  ASSERT_TRUE(LibraryInitialized()) << Report(parko);
  EXPECT_TRUE(Contains(Journal(),
                       "MohInitialize(handle=0, type=1, name=\"Oskavel Zweitmodem\", "
                       "port=\"COM4\")"))
      << Report(parko);
  EXPECT_TRUE(parko.Close());
}

TEST_F(Startup, EscapeInTheModemDialogTakesTheFirstModem) {
  e2e::ParkoProcess parko;
  HWND dialog = StartAtModemDialog(parko);
  ASSERT_NE(nullptr, dialog) << Report(parko);
  HWND list = e2e::Control(dialog, 1034);
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  PostMessageA(list, WM_KEYDOWN, VK_ESCAPE, 0);
  CancelSettingsSheet(parko);
  ASSERT_TRUE(LibraryInitialized()) << Report(parko);
  EXPECT_TRUE(Contains(Journal(),
                       "MohInitialize(handle=0, type=1, name=\"Oskavel V.92 Data Fax Modem\", "
                       "port=\"COM3\")"))
      << Report(parko);
  EXPECT_TRUE(parko.Close());
}

struct InitFailure {
  const char* modemType;
  const char* initEvents;
  const char* message;  // null: no message box
};

TEST_F(Startup, FailingInitialisationTellsTheUserByFamilyAndLastEvent) {
  const InitFailure cases[] = {
      {"1", "55", "Modem ist nicht aktiv. Wiederholen Sie die Installation."},
      {"1", "52",
       "Schlie\xDF"
       "en Sie bitte den Port und versuchen Sie es erneut!"},
      {"2", "55", nullptr},
  };
  for (const InitFailure& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.modemType << " events " << c.initEvents);
    Install(std::string("[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nLogging=Yes\r\nModemType=") +
                c.modemType + "\r\n",
            std::string("[Modem1]\r\nType=") + c.modemType +
                "\r\n[Library]\r\nInitSucceeds=No\r\nInitEvents=" + c.initEvents + "\r\n");
    e2e::ParkoProcess parko;
    ASSERT_TRUE(parko.Start(*install_));
    if (c.message != nullptr) {
      HWND box = e2e::WaitForMessageBox(parko, 10000);
      ASSERT_NE(nullptr, box) << Report(parko);
      EXPECT_EQ(c.message, e2e::MessageBoxText(box));
      ASSERT_TRUE(e2e::DismissMessageBox(box, IDOK)) << Report(parko);
    }
    ExpectEndedAndClosed(parko);
    if (c.message == nullptr) {
      EXPECT_EQ(nullptr, e2e::WaitForMessageBox(parko, 0));
    }
    const std::vector<std::string> log = LogTexts(*install_);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ("MOH Configuration failed", log.back());
    // The library's report during the initialisation reached the log through the callback.
    EXPECT_TRUE(Contains(log, std::string(c.initEvents) == "55"
                                  ? "Failed to filter modem driver. Modem probably not active."
                                  : "Cannot open port. Port may be in use by another "
                                    "application."));
  }
}

TEST_F(Startup, QuickConnectIsLeftAloneForTelkaAndResolvedForBorin) {
  Install("[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\nQuickConnect=Yes\r\n");
  {
    e2e::ParkoProcess parko;
    ASSERT_TRUE(parko.Start(*install_));
    ASSERT_TRUE(LibraryInitialized());
    EXPECT_TRUE(parko.Close());
    for (const std::string& line : Journal()) {
      EXPECT_EQ(std::string::npos, line.find("id=10")) << line;
    }
  }

  Install("[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=2\r\nQuickConnect=Yes\r\n",
          "[Modem1]\r\nType=2\r\nName=Borin Modem\r\n");
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(*install_));
  ASSERT_TRUE(e2e::WaitUntil(
      [&] { return Contains(Journal(), "MohSetParam(handle=0, id=10, value=0)"); }, 10000))
      << Report(parko);
  EXPECT_TRUE(Contains(Journal(), "MohGetParam(handle=0, id=10, null)"));
  EXPECT_TRUE(parko.Close());
}

}  // namespace
