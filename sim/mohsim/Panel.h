// The control panel of mohsim.exe: buttons and fields for the line's happenings and a live
// list of the library's journal, for a person trying Parko.
#pragma once

#include <windows.h>

namespace mohsim {

int RunPanel(HINSTANCE instance);

}  // namespace mohsim
