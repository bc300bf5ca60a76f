#include "call/CallRoad.h"

CallRoad RoadOf(const ProgramRecords& records, IPlayerWindow& player) {
  return {player,
          records.call,
          records.windows,
          records.settings,
          FamilyOf(records.settings.gMohModemType),
          records.modem};
}

CallDialogRoad DialogRoadOf(const ProgramRecords& records) {
  return {records.call, records.windows, records.settings, records.modem};
}

CallDialogRoad DialogRoadOf(const CallRoad& road) {
  return {road.call, road.windows, road.settings, road.modem};
}

void SetSession(const CallRoad& road, bool value) {
  if (road.family.keepsLineState) SetMohSessionLocked(road.call, value);
}
