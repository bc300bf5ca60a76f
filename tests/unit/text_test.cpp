#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fw/Text.h"

namespace {

TEST(CopyBounded, CopiesWhatFitsAndAlwaysTerminates) {
  char dst[8];
  std::memset(dst, 'x', sizeof(dst));
  EXPECT_TRUE(fw::CopyBounded(dst, sizeof(dst), "COM3"));
  EXPECT_STREQ("COM3", dst);

  EXPECT_TRUE(fw::CopyBounded(dst, sizeof(dst), "1234567"));  // exactly the room there is
  EXPECT_STREQ("1234567", dst);

  EXPECT_FALSE(fw::CopyBounded(dst, sizeof(dst), "12345678"));
  EXPECT_STREQ("1234567", dst);

  EXPECT_TRUE(fw::CopyBounded(dst, sizeof(dst), nullptr));
  EXPECT_STREQ("", dst);
}

TEST(CopyBounded, NeverWritesPastTheBuffer) {
  char guarded[12];
  std::memset(guarded, '#', sizeof(guarded));
  EXPECT_FALSE(fw::CopyBounded(guarded + 2, 6, "a long modem name"));
  EXPECT_STREQ("a lon", guarded + 2);
  EXPECT_EQ('#', guarded[0]);
  EXPECT_EQ('#', guarded[1]);
  for (size_t i = 8; i < sizeof(guarded); ++i) EXPECT_EQ('#', guarded[i]) << i;
}

TEST(FromBuffer, StopsAtTheTerminatorOrTheEndOfAnUnterminatedBuffer) {
  const char terminated[8] = {'*', '4', '3', '#', '\0', 'z', 'z', 'z'};
  EXPECT_EQ("*43#", fw::FromBuffer(terminated, sizeof(terminated)));
  EXPECT_EQ(4u, fw::BoundedLength(terminated, sizeof(terminated)));

  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ("abcd", fw::FromBuffer(unterminated, sizeof(unterminated)));
  EXPECT_EQ(4u, fw::BoundedLength(unterminated, sizeof(unterminated)));

  EXPECT_EQ("", fw::FromBuffer(nullptr, 16));
}

TEST(Format, FormatsTextsOfAnyLength) {
  EXPECT_EQ("MOHAPI.DLL Version = 2.10", fw::Format("MOHAPI.DLL Version = %d.%d", 2, 10));
  EXPECT_EQ("00:01:05", fw::Format("%.2d:%.2d:%.2d", 0, 1, 5));
  EXPECT_EQ("", fw::Format("%s", ""));

  const std::string longName(1000, 'M');
  const std::string line = fw::Format("Selected modem=%s ComPort=%s", longName.c_str(), "COM3");
  EXPECT_EQ(15u + 1000u + 13u, line.size());
  EXPECT_EQ(" ComPort=COM3", line.substr(line.size() - 13));
}

}  // namespace
