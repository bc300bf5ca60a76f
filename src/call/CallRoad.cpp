#include "call/CallRoad.h"

CallRoad ProgramCallRoad(IPlayerWindow& player) {
  return {player, gCall, gWindows, gSettings, FamilyOf(gSettings.gMohModemType), gModem};
}

CallDialogRoad ProgramCallDialogRoad() { return {gCall, gWindows, gSettings, gModem}; }

CallDialogRoad DialogRoadOf(const CallRoad& road) {
  return {road.call, road.windows, road.settings, road.modem};
}

void SetSession(const CallRoad& road, bool value) {
  if (road.family.keepsLineState) SetMohSessionLocked(road.call, value);
}
