// Loading the settings from the library and the tone switches from the registry.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "base/InstallOptions.h"
#include "moh/MohSettings.h"

namespace {

class MohSettingsTest : public fake::LoggingTest {
 protected:
  std::vector<std::string> LoadAndLog() {
    log_.lines.clear();
    LoadMohSettings(0);
    return log_.Texts();
  }
};

TEST_F(MohSettingsTest, ReadsTheParametersInOrderIntoTheSettings) {
  fake::TheLibrary().params = {{1, 1}, {2, 5}, {3, 0}, {4, 1}, {6, 0}, {8, 2}, {10, 1}};
  LoadMohSettings(0);
  EXPECT_EQ((std::vector<std::string>{
                "MohGetParam(handle=0, id=1, null)", "MohGetParam(handle=0, id=2, null)",
                "MohGetParam(handle=0, id=3, null)", "MohGetParam(handle=0, id=4, null)",
                "MohGetParam(handle=0, id=5, null)", "MohGetParam(handle=0, id=6, null)",
                "MohGetParam(handle=0, id=8, null)"}),
            fake::TheLibrary().calls);
  EXPECT_EQ(1, gSettings.gEnableMOH);
  EXPECT_EQ(0, gSettings.gWarn);
  EXPECT_EQ(1, gSettings.gCallWaiting);
  EXPECT_EQ(TELKA, gSettings.gMohModemType);
  EXPECT_EQ(0, gSettings.gCallerID);
  EXPECT_EQ(2, gSettings.TimerIndex);
  EXPECT_EQ(50000, gSettings.gWarnTimeMs);
  EXPECT_EQ(QC_NOT_CONTROLLED, gSettings.gQCFlag);  // parameter 10 is not read without control
}

TEST_F(MohSettingsTest, OutOfRangeValuesFallBack) {
  fake::TheLibrary().params[8] = 7;
  fake::TheLibrary().params[4] = 5;
  const std::vector<std::string> log = LoadAndLog();
  EXPECT_EQ(7, gSettings.TimerIndex);
  EXPECT_EQ(30000, gSettings.gWarnTimeMs);
  EXPECT_EQ(CW_MODE_OFF, gSettings.gCallWaiting);
  EXPECT_EQ((std::vector<std::string>{"Current MOH settings", "Call Waiting Disabled",
                                      "QC Not controlled by application"}),
            log);
  for (int index : {-1, 0, 4, 100}) EXPECT_EQ(30000, WarnTimeForIndex(index));
  EXPECT_EQ(40000, WarnTimeForIndex(1));
  EXPECT_EQ(60000, WarnTimeForIndex(3));
}

TEST_F(MohSettingsTest, LogLinesOfEachCallWaitingMode) {
  fake::TheLibrary().params[8] = 7;
  EXPECT_EQ(
      (std::vector<std::string>{"Current MOH settings", "Call Waiting enabled", "MOH enabled",
                                "Disconnect and Switch to Voice disabled", "Caller ID enabled",
                                "Warn before tiimeout enabled, timeout set to 30000 Msec",
                                "QC Not controlled by application"}),
      LoadAndLog());

  fake::TheLibrary().params[3] = 0;
  fake::TheLibrary().params[6] = 0;
  const std::vector<std::string> quiet = LoadAndLog();
  EXPECT_EQ("Caller ID disabled", quiet[4]);
  EXPECT_EQ("Warn before timeout disabled", quiet[5]);

  fake::TheLibrary().params[4] = CW_MODE_DISCONNECT;
  EXPECT_EQ((std::vector<std::string>{"Current MOH settings", "Call Waiting Enabled",
                                      "MOH disabled", "Disconnect and Switch to Voice enabled",
                                      "QC Not controlled by application"}),
            LoadAndLog());

  gInstall.gLogging = 0;
  EXPECT_TRUE(LoadAndLog().empty());
  EXPECT_EQ(CW_MODE_DISCONNECT, gSettings.gCallWaiting);  // loaded all the same
}

TEST_F(MohSettingsTest, QuickConnectNotSetInTheLibraryIsResolvedByFamily) {
  gInstall.gQCControl = 1;
  struct Case {
    int family;
    int stored;
    uint8_t flag;
    const char* line;
  };
  for (const Case& c : {Case{BORIN, 9, 0, "QC Disabled"}, Case{NUVIA, 9, 1, "QC Enabled"},
                        Case{TELKA, 9, 9, "QC Enabled"}, Case{NUVIA, 0x100, 0, "QC Disabled"},
                        Case{BORIN, 1, 1, "QC Enabled"}, Case{7, 9, 9, "QC Enabled"}}) {
    fake::TheLibrary().modems = {fake::Modem(c.family, "M")};
    fake::TheLibrary().params[10] = c.stored;
    const std::vector<std::string> log = LoadAndLog();
    EXPECT_EQ(c.flag, gSettings.gQCFlag) << c.family << " " << c.stored;
    EXPECT_EQ(c.line, log.back()) << c.family << " " << c.stored;
  }
}

TEST_F(MohSettingsTest, ToneSwitchesComeFromTheRegistryAndMalformedValuesReadAsOff) {
  auto& keys = fake::TheRegistryData().keys;
  keys["SOFTWARE\\Tamrix\\MOH"] = {{"MuteRingTone", fake::Bytes(1)},
                                   {"MuteWarnTone", fake::Bytes(1) + fake::Bytes(0)}};
  LoadMohSettings(0);
  EXPECT_EQ(1, gSettings.MuteRingTone);
  EXPECT_EQ(0, gSettings.MuteWarnTone);  // eight bytes do not fit the switch

  gSettings.MuteWarnTone = 1;
  EXPECT_EQ(0, SaveToneSettings());
  EXPECT_EQ(fake::Bytes(1), keys["SOFTWARE\\Tamrix\\MOH"]["MuteWarnTone"]);
}

TEST_F(MohSettingsTest, OnlyANumberStoredAsBinaryOrDwordMutesATone) {
  struct Case {
    uint32_t type;
    std::string data;
    int32_t reads;
  };
  const Case cases[] = {
      {REGISTRY_BINARY, fake::Bytes(1), 1},
      {REGISTRY_DWORD, fake::Bytes(1), 1},
      {REGISTRY_DWORD, fake::Bytes(0), 0},
      {REGISTRY_SZ, std::string("0\0", 2), 0},
      {REGISTRY_SZ, std::string("no\0", 3), 0},
      {REGISTRY_SZ, std::string("1\0", 2), 0},
      {REGISTRY_MULTI_SZ, std::string("0\0\0", 3), 0},
      {0 /* REG_NONE */, fake::Bytes(1), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " data " << c.data.size() << " bytes");
    fake::TheRegistryData().keys["SOFTWARE\\Tamrix\\MOH"] = {{"MuteRingTone", c.data},
                                                             {"MuteWarnTone", c.data}};
    fake::TheRegistryData().types["SOFTWARE\\Tamrix\\MOH"] = {{"MuteRingTone", c.type},
                                                              {"MuteWarnTone", c.type}};
    gSettings.MuteRingTone = gSettings.MuteWarnTone = 7;
    ReadToneSettings();
    EXPECT_EQ(c.reads, gSettings.MuteRingTone);
    EXPECT_EQ(c.reads, gSettings.MuteWarnTone);
  }
}

TEST_F(MohSettingsTest, AMissingKeyLeavesTheSwitchesAndIsNeverCreated) {
  gSettings.MuteRingTone = 0;
  LoadMohSettings(0);
  EXPECT_EQ(0, gSettings.MuteRingTone);
  EXPECT_EQ(0, gSettings.MuteWarnTone);
  gSettings.MuteRingTone = 1;
  EXPECT_NE(0, SaveToneSettings());
  EXPECT_TRUE(fake::TheRegistryData().keys.empty());
}

}  // namespace
