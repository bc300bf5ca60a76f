// The control language that mohsim.exe speaks to the engine.
#include <gtest/gtest.h>

#include "ControlLine.h"
#include "ResponseTimer.h"

namespace {

using Kind = sim::ControlCommand::Kind;

sim::ControlCommand Parse(const std::string& line) {
  std::string error;
  auto command = sim::ParseControlLine(line, &error);
  EXPECT_TRUE(command.has_value()) << line << ": " << error;
  return command.value_or(sim::ControlCommand{});
}

std::string Refusal(const std::string& line) {
  std::string error;
  EXPECT_FALSE(sim::ParseControlLine(line, &error).has_value()) << line;
  return error;
}

TEST(ControlLine, ParsesEveryCommand) {
  auto event = Parse("event 13 4");
  EXPECT_EQ(Kind::Event, event.kind);
  EXPECT_EQ(13, event.first);
  EXPECT_EQ(4, event.second);
  EXPECT_EQ(-1, Parse("event 99 -1").second);

  EXPECT_TRUE(Parse("auto on").on);
  EXPECT_FALSE(Parse("auto off").on);
  EXPECT_EQ(Kind::Online, Parse("online").kind);
  EXPECT_EQ(Kind::Offline, Parse("offline").kind);
  EXPECT_EQ(Kind::Deny, Parse("deny").kind);
  EXPECT_EQ(Kind::Warn, Parse("warn").kind);
  EXPECT_EQ(Kind::Timeout, Parse("timeout").kind);
  EXPECT_EQ(Kind::RemoteTimeout, Parse("remote-timeout").kind);
  EXPECT_EQ(Kind::Status, Parse("status").kind);
  EXPECT_EQ(7, Parse("grant 7").first);
  EXPECT_EQ(10, Parse("latency 10").first);
  EXPECT_EQ(0, Parse("latency").first);
  EXPECT_EQ(0, Parse("error 0").first);
  EXPECT_EQ(1000, Parse("burst 1000 13").first);
  EXPECT_EQ(250, Parse("  wait 250  ").first);
}

TEST(ControlLine, CallTakesTheRestOfTheLineAsCallerIdText) {
  const auto call = Parse("call Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika M");
  EXPECT_EQ(Kind::Call, call.kind);
  EXPECT_EQ("Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika M", call.text);
  EXPECT_EQ("Name :Erika  Mustermann", Parse("call \"Name :Erika  Mustermann\"").text);
  EXPECT_EQ("A\r\nB \\x4 \\xZZ \xFC\\", Parse("call A\\x0D\\x0aB \\x4 \\xZZ \\xfc\\").text);
  EXPECT_EQ("", Parse("call").text);
  EXPECT_EQ("", Parse("call   ").text);
}

TEST(ControlLine, RefusesMalformedCommandsWithAReason) {
  EXPECT_EQ("empty command", Refusal("   "));
  EXPECT_EQ("unknown command: ring", Refusal("ring"));
  EXPECT_EQ("usage: event CODE VALUE", Refusal("event 5"));
  EXPECT_EQ("usage: event CODE VALUE", Refusal("event five 1"));
  EXPECT_EQ("usage: auto on|off", Refusal("auto maybe"));
  EXPECT_EQ("usage: grant INDEX", Refusal("grant"));
  EXPECT_EQ("usage: grant INDEX", Refusal("grant -1"));
  EXPECT_EQ("online takes no arguments", Refusal("online now"));
  EXPECT_EQ("usage: burst COUNT CODE", Refusal("burst 0 5"));
  EXPECT_EQ("usage: wait MS", Refusal("wait soon"));
}

TEST(ControlLine, ScriptsSkipBlankLinesAndComments) {
  EXPECT_TRUE(sim::IsBlankOrComment(""));
  EXPECT_TRUE(sim::IsBlankOrComment("   \t"));
  EXPECT_TRUE(sim::IsBlankOrComment("  # the call"));
  EXPECT_FALSE(sim::IsBlankOrComment("online # up"));
}

TEST(ResponseTimer, PairsEachCommandWithTheOldestUnansweredEventOfItsCode) {
  sim::ResponseTimer timer;
  timer.Commanded(0.1);  // not timing yet
  timer.Start(10);
  timer.Delivered(10, 0.0);
  timer.Delivered(5, 0.5);  // another code
  timer.Delivered(10, 1.0);
  timer.Commanded(0.4);
  timer.Commanded(3.0);
  timer.Commanded(4.0);  // nothing left to answer
  EXPECT_EQ("ok 2 400 2000 2000", timer.Report());
  timer.Delivered(10, 5.0);  // stopped by the report
  timer.Commanded(6.0);
  EXPECT_EQ("ok 2 400 2000 2000", timer.Report());
}

}  // namespace
