#include "call/CallRoad.h"

CallRoad ProgramCallRoad(IPlayerWindow& player) {
  return {player, gCall, gWindows, gSettings, FamilyOf(gSettings.gMohModemType), gModem};
}
