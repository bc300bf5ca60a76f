#include "call/CallRoad.h"

CallRoad ProgramCallRoad(IPlayerWindow& player) {
  return {player, gCall, gWindows, gSettings, FamilyOf(gSettings.gMohModemType), gModem};
}

void SetSession(const CallRoad& road, bool value) {
  if (road.family.keepsLineState) SetMohSessionLocked(road.call, value);
}
