// Talks to the running engine through its control pipe: one command, one reply.
#pragma once

#include <optional>
#include <string>

namespace mohsim {

// Sends one command line; the engine's reply, or nothing when no engine answers.
std::optional<std::string> SendCommand(const std::string& line);

}  // namespace mohsim
