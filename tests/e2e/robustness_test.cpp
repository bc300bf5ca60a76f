// Parko against a library that misbehaves within what its interface allows.
#include <gtest/gtest.h>

#include "Driver.h"

namespace {

TEST(LateCallbacks, ALibraryThatLogsAfterItWasClosedNeverMakesTheExitFault) {
  // Its thread calls back, and so logs, for two seconds after MOH_CMD_CLOSE returned: every
  // exit races the closing of the log against a writer.
  for (int round = 0; round < 10; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    e2e::Installation install(
        "late" + std::to_string(round),
        "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\nLogging=Yes\r\n");
    ASSERT_TRUE(install.Ok()) << install.Error();
    ASSERT_TRUE(install.CopyIn(e2e::BesideTestProgram("late\\MOHAPI.DLL"), "MOHAPI.DLL"));
    e2e::ParkoProcess parko;
    ASSERT_TRUE(parko.Start(install));
    ASSERT_NE(nullptr, parko.WaitForMainWindow()) << parko.Describe();
    EXPECT_TRUE(parko.Close()) << parko.Describe();
  }
}

}  // namespace
