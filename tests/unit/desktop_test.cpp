// Desktop integration decided natively: the help page per language, the Run value's text, and
// when and where the Start-menu shortcut is made and recorded.
#include <gtest/gtest.h>

#include <fstream>

#include "Fakes.h"
#include "base/InstallOptions.h"
#include "base/OsDetect.h"
#include "desktop/HelpPage.h"
#include "desktop/ProgramLink.h"
#include "moh/MohSettings.h"

namespace {

TEST(Help, EachSystemLanguageOpensItsPage) {
  struct Case {
    int langId;
    const char* page;
  };
  const Case cases[] = {
      {0x0407, "mohhelpger.htm"}, {0x0807, "mohhelpger.htm"},  // German, Swiss German
      {0x0C04, "mohhelp.htm"},                                 // Chinese (Hong Kong)
      {0x0404, "mohhelptc.htm"},  {0x0804, "mohhelpsc.htm"},
      {0x0416, "mohhelppor.htm"}, {0x0816, "mohhelppor.htm"},  // Portuguese, both
      {0, "mohhelp.htm"},         {0x0409, "mohhelp.htm"},
      {0x042E, "mohhelp.htm"},  // a language without a page of its own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.langId);
    SetLanguage(c.langId);
    EXPECT_EQ(std::string("mohhelp.chm::/") + c.page,
              HelpTopic(gSystem.gLangID, gSystem.gPrimaryLang));
  }
}

TEST(Help, TheHelpFileIsBuiltWithEveryPageTheTableNames) {
  std::ifstream listed(PARKO_HELP_PAGES);
  std::vector<std::string> pages;
  for (std::string line; std::getline(listed, line);) pages.push_back(line);
  EXPECT_EQ(HelpPages(), pages);
}

class RecordingShell : public IDesktopShell {
 public:
  std::vector<std::string> links;
  std::vector<int> folders;
  bool folderKnown = true;

  std::string SpecialFolderPath(int csidl) override {
    folders.push_back(csidl);
    return folderKnown ? "C:\\Programs" + std::to_string(csidl) : "";
  }
  bool SamePathIgnoringCase(const std::string& a, const std::string& b) override {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  }
  std::string LoadText(unsigned id) override { return "<" + std::to_string(id) + ">"; }
  void CreateShellLink(const std::string& target, const std::string& arguments,
                       const std::string& fileName, const std::string& iconPath, int iconIndex,
                       const std::string& folder) override {
    links.push_back(folder + "\\" + fileName + " -> " + target + " [" + arguments + "] " +
                    iconPath + "," + std::to_string(iconIndex));
  }
};

class ProgramLink : public testing::Test {
 protected:
  void SetUp() override {
    fake::ResetAll();
    gInstall.gInstallDir = "C:\\Program Files\\Parko";
    gSystem.OSFound = WINDOWS_2K;
  }
  std::map<std::string, std::string>& Record() {
    return fake::TheRegistryData().keys[kMohRegistryKey];
  }
  RecordingShell shell_;
};

TEST_F(ProgramLink, TheFirstStartRecordsTheFolderThenMakesTheShortcutWhereTheSystemKeepsThem) {
  struct Case {
    uint8_t os;
    int folder;
  };
  for (const Case& c : {Case{WINDOWS_95, 2}, Case{WINDOWS_98, 2}, Case{WINDOWS_ME, 23},
                        Case{WINDOWS_NT4, 23}, Case{WINDOWS_2K, 23}, Case{WINDOWS_UNKNOWN, 23}}) {
    SCOPED_TRACE(static_cast<int>(c.os));
    SetUp();
    shell_ = RecordingShell{};
    gSystem.OSFound = c.os;
    AddProgramLink(shell_);
    const std::string folder = "C:\\Programs" + std::to_string(c.folder);
    EXPECT_EQ(folder + "\\<32888>.lnk", Record()["LinkName"]);  // without the NUL
    EXPECT_EQ(gInstall.gInstallDir, Record()["AppPath"]);
    EXPECT_EQ((std::vector<std::string>{folder +
                                        "\\<32888>.lnk -> C:\\Program Files\\Parko\\Parko.exe [] "
                                        "C:\\Program Files\\Parko\\Parko.exe,0"}),
              shell_.links);
  }
}

TEST_F(ProgramLink, IsMadeAgainOnlyFromAnotherFolderAndNeverWithoutAProgramsFolder) {
  Record()["AppPath"] = "c:\\PROGRAM FILES\\parko";
  AddProgramLink(shell_);
  EXPECT_TRUE(shell_.links.empty());
  EXPECT_TRUE(shell_.folders.empty());

  Record()["AppPath"] = "C:\\Parko";  // moved since
  shell_.folderKnown = false;
  AddProgramLink(shell_);
  EXPECT_TRUE(shell_.links.empty());
  EXPECT_EQ("C:\\Parko", Record()["AppPath"]);  // nothing recorded: the next start tries again

  shell_.folderKnown = true;
  AddProgramLink(shell_);
  EXPECT_EQ(1u, shell_.links.size());
  EXPECT_EQ(gInstall.gInstallDir, Record()["AppPath"]);
}

TEST_F(ProgramLink, ARecordThatFillsItsWholeBufferWithoutATerminatorIsReadWithinIt) {
  Record()["AppPath"] = std::string(260, 'x');
  std::string path;
  ASSERT_TRUE(GetPrevAppPath(path));
  EXPECT_EQ(std::string(260, 'x'), path);
  Record()["AppPath"] = std::string(261, 'x');  // does not fit: no record
  EXPECT_FALSE(GetPrevAppPath(path));
}

}  // namespace
