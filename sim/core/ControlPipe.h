// The named pipe through which mohsim.exe controls the engine inside a running program.
#pragma once

namespace sim {

constexpr const char* kControlPipe = "\\\\.\\pipe\\mohsim";

}  // namespace sim
