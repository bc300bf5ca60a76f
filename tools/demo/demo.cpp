// The unattended run of tools/run: starts the installed Parko.exe, shows what a person would
// see as screenshots in the given folder, and ends Parko again.
//
//   parko_demo.exe PARKO_EXE SCREENSHOT_DIR
#include <windows.h>

#include <cstdio>
#include <string>

#include "Driver.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: parko_demo PARKO_EXE SCREENSHOT_DIR\n");
    return 2;
  }
  const std::string exe = argv[1];
  const std::string shots = argv[2];
  const std::string dir = exe.substr(0, exe.find_last_of('\\'));

  e2e::ParkoProcess parko;
  if (!parko.Start(exe, dir)) {
    std::fprintf(stderr, "demo: could not start %s\n", exe.c_str());
    return 1;
  }
  if (parko.WaitForMainWindow() == nullptr) {
    std::fprintf(stderr, "demo: Parko did not come up\n%s\n", parko.Describe().c_str());
    return 1;
  }
  std::printf("demo: Parko runs\n%s\n", parko.Describe().c_str());

  const std::string screen = shots + "\\01-desktop.bmp";
  if (e2e::SaveScreenshot(nullptr, screen)) std::printf("demo: screenshot %s\n", screen.c_str());

  const bool clean = parko.Close();
  std::printf("demo: Parko %s, exit code %lu\n", clean ? "ended" : "had to be stopped",
              parko.ExitCode());
  return clean ? 0 : 1;
}
