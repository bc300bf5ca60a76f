// The simulated engine's configuration: defaults, every key, and malformed values falling back
// to their key's default.
#include <gtest/gtest.h>

#include <map>

#include "SimConfig.h"

namespace {

using Ini = std::map<std::pair<std::string, std::string>, std::string>;

sim::IniLookup Lookup(const Ini& ini) {
  return [ini](const std::string& section, const std::string& key) -> std::optional<std::string> {
    auto found = ini.find({section, key});
    if (found == ini.end()) return std::nullopt;
    return found->second;
  };
}

TEST(SimConfig, NoFileGivesOneTelkaModemOnCom3GrantingIndex6) {
  const sim::SimConfig config = sim::ReadConfig(Lookup({}));
  EXPECT_EQ(2, config.versionMajor);
  EXPECT_EQ(10, config.versionMinor);
  ASSERT_EQ(1u, config.modems.size());
  EXPECT_EQ(1, config.modems[0].type);
  EXPECT_EQ("Oskavel V.92 Data Fax Modem", config.modems[0].name);
  EXPECT_EQ("COM3", config.modems[0].port);
  EXPECT_FALSE(config.reportedCount.has_value());
  EXPECT_TRUE(config.initSucceeds);
  EXPECT_TRUE(config.initEvents.empty());
  EXPECT_TRUE(config.automatic);
  EXPECT_EQ(sim::HoldAnswer::Grant, config.holdAnswer);
  EXPECT_EQ(6, config.holdIndex);
  EXPECT_EQ("*43#", config.defaultDialString);
}

TEST(SimConfig, ReadsEveryKey) {
  const sim::SimConfig config = sim::ReadConfig(Lookup({
      {{"Library", "Version"}, "3.7"},
      {{"Library", "ReportCount"}, "12"},
      {{"Library", "InitSucceeds"}, "No"},
      {{"Library", "InitEvents"}, "52, 55:3"},
      {{"Library", "DefaultDialString"}, "*70"},
      {{"Engine", "Automatic"}, "off"},
      {{"Engine", "OnlineAfterInit"}, "yes"},
      {{"Engine", "AnswerDelayMs"}, "0"},
      {{"Engine", "FollowUpDelayMs"}, "25"},
      {{"Line", "HoldAnswer"}, "Unsupported"},
      {{"Line", "HoldIndex"}, "13"},
      {{"Line", "CallerId"}, "Nummer :0301234567"},
      {{"Modems", "Count"}, "2"},
      {{"Modem1", "Type"}, "2"},
      {{"Modem1", "Name"}, "Zweites"},
      {{"Modem1", "Port"}, "COM1"},
      {{"Modem2", "Type"}, "3"},
  }));
  EXPECT_EQ(3, config.versionMajor);
  EXPECT_EQ(7, config.versionMinor);
  EXPECT_EQ(12, config.reportedCount.value_or(-1));
  EXPECT_FALSE(config.initSucceeds);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{52, 0}, {55, 3}}), config.initEvents);
  EXPECT_EQ("*70", config.defaultDialString);
  EXPECT_FALSE(config.automatic);
  EXPECT_TRUE(config.onlineAfterInit);
  EXPECT_EQ(0, config.answerDelayMs);
  EXPECT_EQ(25, config.followUpDelayMs);
  EXPECT_EQ(sim::HoldAnswer::Unsupported, config.holdAnswer);
  EXPECT_EQ(13, config.holdIndex);
  EXPECT_EQ("Nummer :0301234567", config.callerId);
  ASSERT_EQ(2u, config.modems.size());
  EXPECT_EQ(2, config.modems[0].type);
  EXPECT_EQ("Zweites", config.modems[0].name);
  EXPECT_EQ("COM1", config.modems[0].port);
  // Keys a modem's section leaves out take the default modem's.
  EXPECT_EQ(3, config.modems[1].type);
  EXPECT_EQ("Oskavel V.92 Data Fax Modem", config.modems[1].name);
}

TEST(SimConfig, MalformedValuesFallBackToTheirKeysDefault) {
  const sim::SimConfig config = sim::ReadConfig(Lookup({
      {{"Library", "Version"}, "two"},
      {{"Library", "InitSucceeds"}, "maybe"},
      {{"Library", "InitEvents"}, "55,x"},
      {{"Engine", "AnswerDelayMs"}, "-5"},
      {{"Line", "HoldAnswer"}, "sometimes"},
      {{"Line", "HoldIndex"}, "6a"},
      {{"Modems", "Count"}, "lots"},
  }));
  EXPECT_EQ(2, config.versionMajor);
  EXPECT_EQ(10, config.versionMinor);
  EXPECT_TRUE(config.initSucceeds);
  EXPECT_TRUE(config.initEvents.empty());
  EXPECT_EQ(1000, config.answerDelayMs);
  EXPECT_EQ(sim::HoldAnswer::Grant, config.holdAnswer);
  EXPECT_EQ(6, config.holdIndex);
  EXPECT_EQ(1u, config.modems.size());
}

TEST(SimConfig, AModemSectionWithoutACountShapesTheDefaultModem) {
  const sim::SimConfig config =
      sim::ReadConfig(Lookup({{{"Modem1", "Type"}, "2"}, {{"Modem1", "Name"}, "Borin"}}));
  ASSERT_EQ(1u, config.modems.size());
  EXPECT_EQ(2, config.modems[0].type);
  EXPECT_EQ("Borin", config.modems[0].name);
  EXPECT_EQ("COM3", config.modems[0].port);
}

TEST(SimConfig, ZeroModemsIsAnEmptyTable) {
  EXPECT_TRUE(sim::ReadConfig(Lookup({{{"Modems", "Count"}, "0"}})).modems.empty());
}

TEST(ParseInt, AcceptsOnlyWholeNumbersInRange) {
  EXPECT_EQ(42, sim::ParseInt(" 42 ", 0, 100).value_or(-1));
  EXPECT_EQ(-7, sim::ParseInt("-7", -10, 10).value_or(0));
  EXPECT_FALSE(sim::ParseInt("", 0, 10));
  EXPECT_FALSE(sim::ParseInt("-", 0, 10));
  EXPECT_FALSE(sim::ParseInt("4 2", 0, 100));
  EXPECT_FALSE(sim::ParseInt("101", 0, 100));
  EXPECT_FALSE(sim::ParseInt("99999999999999999999", 0, 100));
}

TEST(ParamStore, DefaultsDescribeAUserWithModemOnHoldOn) {
  sim::ParamStore params;
  params.Load(Lookup({}));
  EXPECT_EQ(1, params.Get(1, 1));
  EXPECT_EQ(0, params.Get(2, 1));
  EXPECT_EQ(1, params.Get(3, 1));
  EXPECT_EQ(0, params.Get(4, 1));
  EXPECT_EQ(3, params.Get(5, 3));  // the family, whatever is stored
  EXPECT_EQ(1, params.Get(6, 1));
  EXPECT_EQ(0, params.Get(8, 1));
  EXPECT_EQ("*43#", params.DialString());
  EXPECT_EQ(9, params.Get(10, 1));
}

TEST(ParamStore, LoadsStoredValuesKeepsDefaultsForBadOnesAndBoundsTheDialString) {
  sim::ParamStore params;
  params.Load(Lookup(
      {{{"Params", "4"}, "2"}, {{"Params", "8"}, "x"}, {{"Params", "9"}, "*70#1234567890123456"}}));
  EXPECT_EQ(2, params.Get(4, 1));
  EXPECT_EQ(0, params.Get(8, 1));
  EXPECT_EQ("*70#12345678901", params.DialString());
  EXPECT_EQ(15u, params.DialString().size());

  EXPECT_TRUE(params.Set(10, 1));
  EXPECT_EQ("1", params.StoredText(10));
  EXPECT_FALSE(params.Set(7, 1));
  EXPECT_FALSE(params.Set(11, 1));
}

}  // namespace
