// What one step of the call road works on: the window that carries it out, the call it
// changes, the open windows it closes and marks, the settings it obeys, the family they name
// and the modem the library is bound to. The handlers take it whole, so that their signatures say
// what they touch; the player window builds it from the program's records, which the
// composition root hands it.
#pragma once

#include "base/OpenWindows.h"
#include "call/CallState.h"
#include "call/IPlayerWindow.h"
#include "moh/ModemFamily.h"
#include "moh/ModemSelection.h"
#include "moh/MohSettings.h"

struct CallRoad {
  IPlayerWindow& player;
  CallInProgress& call;
  OpenWindows& windows;
  const MohSettings& settings;
  const ModemFamily& family;  // of settings.gMohModemType, looked up once
  ModemChoice& modem;         // the chosen modem, the library's handle, whether it is closing
};

// The records the program keeps, bound once where it is put together and handed down from
// the player window to each window it opens.
struct ProgramRecords {
  CallInProgress& call;
  OpenWindows& windows;
  MohSettings& settings;
  ModemChoice& modem;
};

// A step of the call road carried out by the player window on the program's records.
CallRoad RoadOf(const ProgramRecords& records, IPlayerWindow& player);

// What the call dialog's decisions work on: the call it shows and answers, the open windows (its
// title and open flag), the settings it rings and warns by, and the library it commands.
struct CallDialogRoad {
  CallInProgress& call;
  OpenWindows& windows;
  const MohSettings& settings;
  const ModemChoice& modem;
};
// The program's records, for a call dialog that has a window.
CallDialogRoad DialogRoadOf(const ProgramRecords& records);
// The records a step of the call road works on, for the dialog it lays out without a window.
CallDialogRoad DialogRoadOf(const CallRoad& road);

// Writes the call's session flag (under its lock) where the program keeps the line's state;
// elsewhere the library keeps it and the call changes nothing.
void SetSession(const CallRoad& road, bool value);
