// The fixture of the end-to-end cases that play the line: a silent TELKA installation of the
// real Parko.exe on the simulated modem, its dialogs, and what it asked of the library.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "Driver.h"

inline const char* const kCaller = "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika";
inline const char* const kTitleIncoming = "Annehmen eines Anrufs";

// A silent TELKA installation on a line whose provider answers at once.
inline const char* const kParkoIni =
    "[INSTALL_OPTIONS]\r\nSilentEnumeration=Yes\r\nModemType=1\r\n";
inline const char* const kQuickLine = "[Engine]\r\nAnswerDelayMs=0\r\nFollowUpDelayMs=0\r\n";

// The tray menu's entries, separators not counted.
enum Entry { kSettings = 1, kCallLog, kAutoStart, kPlaceCall, kHelp, kInfo, kDisable };

class Call : public testing::Test {
 protected:
  // nineX: with the builds of the 9x personality (Installation::UseNineXPersonality).
  void Start(const std::string& mohsimIni = kQuickLine, const std::string& parkoIni = kParkoIni,
             bool nineX = false) {
    // The case's name as a folder name: parameterised cases carry '/' and quotes.
    std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '-');
    install_ = std::make_unique<e2e::Installation>(name, parkoIni);
    ASSERT_TRUE(install_->Ok()) << install_->Error();
    ASSERT_TRUE(install_->WriteFile("mohsim.ini", mohsimIni));
    if (nineX) {
      ASSERT_TRUE(install_->UseNineXPersonality());
    }
    ASSERT_TRUE(parko_.Start(*install_));
    main_ = parko_.WaitForMainWindow();
    ASSERT_NE(nullptr, main_);
    ASSERT_TRUE(e2e::WaitUntil([] { return e2e::Mohsim("status").rfind("ok", 0) == 0; }, 10000))
        << Report();
  }
  void Choose(Entry entry) {
    ASSERT_TRUE(e2e::ChooseFromTrayMenu(parko_, main_, entry)) << Report();
  }
  void Line(const std::string& command) {
    ASSERT_EQ(0u, e2e::Mohsim(command).rfind("ok", 0)) << command << "\n" << Report();
  }
  // The visible dialog with this caption, other than `previous`.
  HWND Dialog(const char* caption, HWND previous = nullptr, DWORD timeoutMs = 10000) {
    HWND found = nullptr;
    e2e::WaitUntil(
        [&] {
          for (const e2e::WindowInfo& window : parko_.Windows()) {
            if (window.windowClass == "#32770" && window.visible && window.title == caption &&
                window.hwnd != previous) {
              found = window.hwnd;
              return true;
            }
          }
          return false;
        },
        timeoutMs);
    return found;
  }
  bool NoDialog(DWORD timeoutMs = 10000) {
    return e2e::WaitUntil(
        [&] {
          for (const e2e::WindowInfo& window : parko_.Windows()) {
            if (window.windowClass == "#32770" && window.visible) return false;
          }
          return true;
        },
        timeoutMs);
  }
  std::vector<std::string> Commands() const {
    std::vector<std::string> commands;
    for (const std::string& line : e2e::Lines(install_->ReadFile("mohsim.journal"))) {
      if (line.rfind("MohCommand(", 0) == 0) commands.push_back(line);
    }
    return commands;
  }
  bool CommandSent(int code) const {
    const std::string line = "MohCommand(handle=0, command=" + std::to_string(code) + ")";
    const std::vector<std::string> commands = Commands();
    return std::find(commands.begin(), commands.end(), line) != commands.end();
  }
  // Which of the dialog's controls are visible ("V"), visible but greyed ("D") or hidden ("H").
  static std::string Presence(HWND dialog, std::initializer_list<int> ids) {
    std::string letters;
    for (int id : ids) {
      HWND control = e2e::Control(dialog, id);
      letters += !e2e::IsVisible(control) ? 'H' : e2e::IsEnabled(control) ? 'V' : 'D';
    }
    return letters;
  }
  std::string Report() const {
    return parko_.Describe() + "\nmohsim.journal:\n" + install_->ReadFile("mohsim.journal");
  }

  std::unique_ptr<e2e::Installation> install_;
  e2e::ParkoProcess parko_;
  HWND main_ = nullptr;
};
