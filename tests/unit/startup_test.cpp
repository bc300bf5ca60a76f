// What start-up decides from the system and the installation options file.
#include <gtest/gtest.h>

#include <map>

#include "Fakes.h"
#include "base/InstallOptions.h"
#include "base/OsDetect.h"

namespace {

TEST(ClassifyOS, KnowsEveryWindowsAndCountsLaterNtAsWindows2000) {
  EXPECT_EQ(WINDOWS_95, ClassifyOS(1, 4, 0, 950));
  EXPECT_EQ(WINDOWS_98, ClassifyOS(1, 4, 10, 0x040A08AE));  // 98 SE: the low word is 2222
  EXPECT_EQ(WINDOWS_98, ClassifyOS(1, 4, 10, 2399));
  EXPECT_EQ(WINDOWS_ME, ClassifyOS(1, 4, 90, 3000));
  EXPECT_EQ(WINDOWS_ME, ClassifyOS(1, 4, 10, 2400));
  EXPECT_EQ(WINDOWS_98, ClassifyOS(1, 5, 0, 0));
  EXPECT_EQ(WINDOWS_UNKNOWN, ClassifyOS(1, 3, 95, 0));
  EXPECT_EQ(WINDOWS_NT4, ClassifyOS(2, 4, 0, 1381));
  EXPECT_EQ(WINDOWS_2K, ClassifyOS(2, 5, 0, 2195));
  EXPECT_EQ(WINDOWS_2K, ClassifyOS(2, 6, 1, 7601));
  EXPECT_EQ(WINDOWS_2K, ClassifyOS(2, 10, 0, 19045));
  EXPECT_EQ(WINDOWS_UNKNOWN, ClassifyOS(2, 3, 51, 1057));
  EXPECT_EQ(WINDOWS_UNKNOWN, ClassifyOS(0, 0, 0, 0));  // a failed query's zeroed record
  EXPECT_EQ(WINDOWS_UNKNOWN, ClassifyOS(3, 6, 0, 0));
}

TEST(SetLanguage, TakesThePrimaryLanguageAndCountsNoneAsEnglish) {
  SetLanguage(0x0807);
  EXPECT_EQ(0x0807, gSystem.gLangID);
  EXPECT_EQ(7, gSystem.gPrimaryLang);
  SetLanguage(0);
  EXPECT_EQ(1033, gSystem.gLangID);
  EXPECT_EQ(9, gSystem.gPrimaryLang);
}

TEST(InstallSwitches, AreJudgedByTheirFirstCharacter) {
  for (const char* on : {"Yes", "yes", "Y", "y", "Yellow"}) EXPECT_EQ(true, JudgeSwitch(on)) << on;
  for (const char* off : {"No", "n", "nein"}) EXPECT_EQ(false, JudgeSwitch(off)) << off;
  for (const char* neither : {"", "maybe", "1", " yes"}) {
    EXPECT_FALSE(JudgeSwitch(neither).has_value()) << neither;
  }
  EXPECT_EQ(1, JudgeModemType("12"));
  EXPECT_EQ(3, JudgeModemType("3"));
  EXPECT_EQ(0, JudgeModemType("4"));
  EXPECT_EQ(0, JudgeModemType("TELKA"));
  EXPECT_EQ(0, JudgeModemType(""));
}

TEST(InstallPaths, IniFileAndProgramDirectoryOfAnyLength) {
  EXPECT_EQ("C:\\parko.ini", IniPathIn("C:\\"));
  EXPECT_EQ("C:\\Parko\\parko.ini", IniPathIn("C:\\Parko"));
  EXPECT_EQ("C:\\Program Files\\Parko", DirectoryOf("C:\\Program Files\\Parko\\PARKO.EXE"));
  EXPECT_EQ("C:\\", DirectoryOf("C:\\parko.exe"));
  const std::string deep = "C:\\" + std::string(400, 'd');
  EXPECT_EQ(deep, DirectoryOf(deep + "\\parko.exe"));
  EXPECT_EQ(deep + "\\parko.ini", IniPathIn(deep));
}

class IniValues : public InstallOptionsFile {
 public:
  explicit IniValues(std::map<std::string, std::string> values) : values_(std::move(values)) {}
  std::vector<std::string> readOrder;
  std::vector<int> logsCreatedAtRead;

  std::string Read(const char* key) override {
    readOrder.push_back(key);
    logsCreatedAtRead.push_back(fake::LogFilesCreated());
    auto found = values_.find(key);
    return found == values_.end() ? "" : found->second;
  }

 private:
  std::map<std::string, std::string> values_;
};

class InstallOptionsTest : public testing::Test {
 protected:
  void SetUp() override { fake::ResetAll(); }
  void TearDown() override { gEventLog = nullptr; }
};

TEST_F(InstallOptionsTest, LoggingOpensTheLogBeforeQuickConnectIsReadAndNamesBothFiles) {
  gInstall.gInstallDir = "C:\\Programme\\Parko";
  IniValues ini(std::map<std::string, std::string>{{"Logging", "yes"}});
  ApplyInstallOptions(ini);
  EXPECT_EQ((std::vector<std::string>{"SilentEnumeration", "ModemType", "ModemName", "Logging",
                                      "QuickConnect", "CreateProgramEntry"}),
            ini.readOrder);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0, 1, 1}), ini.logsCreatedAtRead);
  ASSERT_NE(nullptr, gEventLog.load());
  EXPECT_EQ((std::vector<std::string>{"File: C:\\Programme\\Parko\\parko.exe",
                                      "File: C:\\Programme\\Parko\\parko.ini"}),
            static_cast<fake::Log*>(gEventLog.load())->Texts());
  EXPECT_EQ(1, gInstall.gLogging);
  EXPECT_EQ(0, gInstall.gSilentEnumeration);
  EXPECT_EQ(0, gInstall.gModemType);
  EXPECT_EQ(0, gInstall.gQCControl);
  EXPECT_EQ(0, gInstall.gCreateProgramEntry);
}

TEST_F(InstallOptionsTest, EverySwitchAndTheModemName) {
  IniValues ini({{"SilentEnumeration", "Y"},
                 {"ModemType", "2"},
                 {"ModemName", "Oskavel V.92 Data Fax Modem"},
                 {"Logging", "No"},
                 {"QuickConnect", "y"},
                 {"CreateProgramEntry", "Yes"}});
  ApplyInstallOptions(ini);
  EXPECT_EQ(1, gInstall.gSilentEnumeration);
  EXPECT_EQ(2, gInstall.gModemType);
  EXPECT_STREQ("Oskavel V.92 Data Fax Modem", gInstall.gModemName);
  EXPECT_EQ(0, gInstall.gLogging);
  EXPECT_EQ(0, fake::LogFilesCreated());
  EXPECT_EQ(1, gInstall.gQCControl);
  EXPECT_EQ(1, gInstall.gCreateProgramEntry);

  IniValues off(
      std::map<std::string, std::string>{{"QuickConnect", "N"}, {"CreateProgramEntry", "maybe"}});
  ApplyInstallOptions(off);
  EXPECT_EQ(0, gInstall.gQCControl);
  EXPECT_EQ(1, gInstall.gCreateProgramEntry);  // a value that is neither keeps the switch
  EXPECT_STREQ("Oskavel V.92 Data Fax Modem",
               gInstall.gModemName);  // an empty name changes nothing
}

}  // namespace
