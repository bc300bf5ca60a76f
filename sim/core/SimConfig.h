// The simulated engine's configuration (mohsim.ini beside MOHAPI.DLL) and its parameter store.
// Portable: the file is read through a lookup function, so the rules are tested natively.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sim {

enum class HoldAnswer { Grant, Deny, Unsupported };

struct ModemSpec {
  int type;
  std::string name;
  std::string port;
};

struct SimConfig {
  int versionMajor = 2;
  int versionMinor = 10;
  std::vector<ModemSpec> modems{{1, "Oskavel V.92 Data Fax Modem", "COM3"}};
  // When set, enumeration returns this count whatever it wrote into the table.
  std::optional<int> reportedCount;
  bool initSucceeds = true;
  // Events reported through the callback while MohInitialize runs: code and value.
  std::vector<std::pair<int, int>> initEvents;
  bool automatic = true;
  bool onlineAfterInit = false;
  HoldAnswer holdAnswer = HoldAnswer::Grant;
  int holdIndex = 6;
  int answerDelayMs = 1000;   // the provider's answer to a call or an originate
  int followUpDelayMs = 200;  // the line's reaction to a command
  std::string callerId = "Datum :07.12. Uhrzeit :09:05 Nummer :0301234567 Name :Erika Mustermann";
  std::string defaultDialString = "*43#";
};

// A value of the INI file, or nothing when the key (or file) is missing.
using IniLookup =
    std::function<std::optional<std::string>(const std::string& section, const std::string& key)>;

// Reads the configuration; a missing or malformed value takes the default of its key.
SimConfig ReadConfig(const IniLookup& ini);

// Strict number parsing: optional sign, digits only, within [low, high].
std::optional<int> ParseInt(const std::string& text, int low, int high);
std::optional<bool> ParseSwitch(const std::string& text);

// Parameters 1..10 of the library; the library is their store of record ([Params] in the
// configuration). Parameter 5 is the modem family and 7 the caller-ID text: both read only.
class ParamStore {
 public:
  static constexpr std::size_t kDialStringMax = 15;

  void Load(const IniLookup& ini);
  // A scalar parameter's value; the family is passed in because it depends on the modem.
  int Get(int id, int family) const;
  // False for an id that cannot be written.
  bool Set(int id, int value);
  const std::string& DialString() const { return dialString_; }
  // Keeps at most kDialStringMax characters.
  void SetDialString(const std::string& text);
  // The text stored for a parameter in the configuration file.
  std::string StoredText(int id) const;

 private:
  std::map<int, int> scalars_{{1, 1}, {2, 0}, {3, 1}, {4, 0}, {6, 1}, {8, 0}, {10, 9}};
  std::string dialString_ = "*43#";
};

}  // namespace sim
