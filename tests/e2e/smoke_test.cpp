// The real Parko.exe from an installation folder: it starts its hidden main window and ends
// cleanly when that window is closed.
#include <gtest/gtest.h>

#include "Driver.h"

namespace {

TEST(Smoke, StartsItsHiddenToolWindowAndEndsWhenItIsClosed) {
  e2e::Installation install("smoke",
                            "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\n");
  ASSERT_TRUE(install.Ok()) << install.Dir();
  e2e::ParkoProcess parko;
  ASSERT_TRUE(parko.Start(install));

  HWND main = parko.WaitForMainWindow();
  ASSERT_NE(nullptr, main) << parko.Describe();
  EXPECT_FALSE(e2e::IsVisible(main)) << parko.Describe();
  EXPECT_TRUE(GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_EQ(1u, parko.Windows().size()) << parko.Describe();

  EXPECT_TRUE(parko.Close()) << "had to be stopped by force\n" << parko.Describe();
  EXPECT_EQ(0u, parko.ExitCode());
}

}  // namespace
