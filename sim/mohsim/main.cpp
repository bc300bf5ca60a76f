// mohsim.exe: controls the simulated modem-on-hold engine inside a running Parko.
//
//   mohsim                      the control panel
//   mohsim COMMAND [ARGS...]    one command (event, auto, online, offline, call, grant, deny,
//                               warn, timeout, remote-timeout, error, status, burst)
//   mohsim play FILE            the commands of a script, one a line, with "wait MS"
//
// Exit code 0 when the engine took every command; 1 when it refused one; 2 when no engine
// answers. The engine offers its control pipe on Windows NT 4.0 and later only: Windows 95, 98
// and ME have no named-pipe server.
#include <windows.h>

#include <optional>
#include <sstream>
#include <string>

#include "ControlLine.h"
#include "Kernel32Win.h"
#include "Panel.h"
#include "PipeClient.h"
#include "SimFiles.h"

namespace {

void Write(DWORD which, const std::string& text) {
  HANDLE out = GetStdHandle(which);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    // Windows XP and later: the console of the command line that started this program.
    static const auto attachConsole =
        sim::Kernel32Function<decltype(&AttachConsole)>("AttachConsole");
    if (attachConsole != nullptr) attachConsole(ATTACH_PARENT_PROCESS);
    out = GetStdHandle(which);
  }
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void Say(const std::string& text) { Write(STD_OUTPUT_HANDLE, text + "\n"); }
void Complain(const std::string& text) { Write(STD_ERROR_HANDLE, "mohsim: " + text + "\n"); }

constexpr int kRefused = 1;
constexpr int kNoEngine = 2;

int Send(const std::string& line) {
  const std::optional<std::string> reply = mohsim::SendCommand(line);
  if (!reply) {
    Complain(
        "no engine answers (is a program running with the simulated modem? On Windows 95, 98 "
        "and ME the simulator has no control pipe: its line plays only what mohsim.ini says)");
    return kNoEngine;
  }
  if (reply->compare(0, 2, "ok") != 0) {
    Complain(*reply + " (" + line + ")");
    return kRefused;
  }
  Say(*reply);
  return 0;
}

// A script longer than this is not one a person wrote.
constexpr size_t kScriptLimit = 1 << 20;

int Play(const std::string& path) {
  const std::optional<std::string> text = sim::ReadSmallFile(path, kScriptLimit);
  if (!text) {
    Complain("cannot read " + path + " (or it is larger than 1 MB)");
    return kRefused;
  }
  std::istringstream script(*text);
  int lineNumber = 0;
  for (std::string line; std::getline(script, line);) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (sim::IsBlankOrComment(line)) continue;
    std::string error;
    const auto command = sim::ParseControlLine(line, &error);
    if (!command) {
      Complain(path + ":" + std::to_string(lineNumber) + ": " + error);
      return kRefused;
    }
    if (command->kind == sim::ControlCommand::Kind::Wait) {
      Sleep(static_cast<DWORD>(command->first));
      continue;
    }
    if (const int result = Send(line)) return result;
  }
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc <= 1) return mohsim::RunPanel(instance);
  const std::string verb = __argv[1];
  if (verb == "play") {
    if (__argc != 3) {
      Complain("usage: mohsim play FILE");
      return kRefused;
    }
    return Play(__argv[2]);
  }
  std::string line = verb;
  for (int i = 2; i < __argc; ++i) line += std::string(" ") + __argv[i];
  std::string error;
  if (!sim::ParseControlLine(line, &error)) {
    Complain(error);
    return kRefused;
  }
  return Send(line);
}
