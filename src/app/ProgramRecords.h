// The one place the program's records are bound by name: the player window gets them at its
// creation and hands them on, so that no room below reads a record it does not own.
#pragma once

#include "base/OpenWindows.h"
#include "call/CallRoad.h"
#include "call/CallState.h"
#include "moh/ModemSelection.h"
#include "moh/MohSettings.h"

inline ProgramRecords TheProgramRecords() { return {gCall, gWindows, gSettings, gModem}; }
