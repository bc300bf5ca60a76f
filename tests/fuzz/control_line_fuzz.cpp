// The simulator's control line as any bytes from its pipe or a play script: a line is a command
// or an error that says why, and a command's numbers are within the ranges its verb allows.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ControlLine.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using Kind = sim::ControlCommand::Kind;
  const std::string line(reinterpret_cast<const char*>(data), size);
  std::string error;
  const auto command = sim::ParseControlLine(line, &error);
  sim::IsBlankOrComment(line);
  if (!command) {
    Require(!error.empty());
    return 0;
  }
  switch (command->kind) {
    case Kind::Grant:
      Require(command->first >= 0);
      break;
    case Kind::Burst:
      Require(command->first >= 1 && command->first <= 100000);
      break;
    case Kind::Latency:
      Require(command->first >= 0);
      break;
    case Kind::Wait:
      Require(command->first >= 0 && command->first <= 3600000);
      break;
    case Kind::Call:
      // The text is the line's rest with \xHH decoded: never longer than the line.
      Require(command->text.size() <= line.size());
      break;
    default:
      break;
  }
  return 0;
}
