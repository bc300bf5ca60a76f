// What the settings page decides: the values it opens with, which controls the user may touch
// (its enabling rule), its click handlers and what OK writes to the settings, the library and the
// registry. Portable; the page window carries it out through IGenPageWindow.
#pragma once

#include <cstddef>
#include <string>

#include "moh/ModemSelection.h"
#include "moh/MohSettings.h"

// The page's members, each mirroring one control. Check boxes hold 0 or 1; the two radio
// buttons are groups of one: 0 selected, -1 (or 1) not.
struct GenPageMembers {
  int m_bWarn = 0;
  int m_bCallerID = 0;
  int m_nAlwaysDisconnect = -1;
  int m_bCallWaiting = 0;
  int m_nConfirmCall = -1;
  int m_bQuickConnect = 0;
  int m_bMuteWarnTone = 0;
  int m_bMuteRingTone = 0;
  int m_bChangeDialString = 0;
  int m_bResetDialString = 0;
};

class IGenPageWindow {
 public:
  virtual ~IGenPageWindow() = default;
  virtual void Enable(int id, bool enable) = 0;
  virtual void Check(int id, bool check) = 0;
  // Every control from the members.
  virtual void Refresh() = 0;
  // The warning-time list: an index outside its items selects none; -1 when none is.
  virtual void SelectWarnTime(int index) = 0;
  virtual int WarnTimeSelection() = 0;
  // The dial-string field; reading stops after maxChars characters.
  virtual void SetDialStringText(const std::string& text) = 0;
  virtual std::string DialStringText(std::size_t maxChars) = 0;
};

// Characters OK takes from the dial-string field, which takes no more: as many as the library's
// 16-byte buffer holds, so that a dial string read from it goes back unchanged.
constexpr std::size_t kDialStringTyped = 15;
// Characters kept of a dial string the libraries hand over.
constexpr std::size_t kDialStringKept = 15;

// What the settings page works on: the settings it shows and writes, and the library it hands
// them to.
struct SettingsRoad {
  MohSettings& settings;
  const ModemChoice& modem;
};

class GenPage {
 public:
  // Takes the warning switch from the settings and prepares the default-dial-string library.
  explicit GenPage(SettingsRoad road);

  GenPageMembers m;

  // After the platform's initialisation, with the list items in place.
  void OnInitDialog(IGenPageWindow& page);
  // A click of a check box or radio button, by control id.
  void OnClicked(IGenPageWindow& page, int id);
  // OK, after the controls were read into the members.
  void OnOK(IGenPageWindow& page);

 private:
  void ApplyEnablingRule(IGenPageWindow& page);

  SettingsRoad road_;
};

// The library's dial string into the settings' gDialString, at most 15 characters, whatever the
// library writes into its buffer.
void ReadDialString(const SettingsRoad& road);
// The default dial string of DefaultDialString.dll, at most 15 characters, likewise.
std::string DefaultDialString();

// Where the first of n buttons of width w with gaps g goes so that they stand centred between
// left and right.
int CentredButtonsX(int left, int right, int n, int w, int g);
