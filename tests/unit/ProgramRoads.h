// The roads on the program's own records, as the player window and the settings sheet build
// them, for tests that drive the decisions without those windows.
#pragma once

#include "app/ProgramRecords.h"
#include "call/CallRoad.h"
#include "settings/GenPage.h"

inline CallRoad ProgramCallRoad(IPlayerWindow& player) {
  return RoadOf(TheProgramRecords(), player);
}
inline CallDialogRoad ProgramCallDialogRoad() { return DialogRoadOf(TheProgramRecords()); }
inline SettingsRoad ProgramSettingsRoad() {
  const ProgramRecords records = TheProgramRecords();
  return {records.settings, records.modem};
}
