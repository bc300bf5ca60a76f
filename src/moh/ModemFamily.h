// What sets the three modem families apart, as data: the program looks its family up once and
// reads these answers instead of asking which family it has. A type the program does not know
// gets a record whose calls change nothing.
#pragma once

#include <cstdint>

struct ModemFamily {
  int type;
  // As the event log names it; null for a type the program does not know.
  const char* name;
  // The program follows the line itself: its online and session flags are set from the events
  // (under their locks), and the hold events count only while it is online with a session. In
  // the other families the library keeps that state and its events always count.
  bool keepsLineState;

  // The user has this long to answer a granted hold before it is declined.
  int answerWindowMs;
  // The countdown starts this far below the granted hold time.
  int holdHeadroomMs;
  // A grant without hold time goes on into the granted state with a 0 ms hold, whose first
  // countdown step then times out behind the denial.
  bool zeroHoldOnDenial;
  // "Modem active" from the line means the binding was lost: the library is initialised again.
  bool rebindsWhenActive;
  // The hold's timeout is answered by dropping the data call.
  bool dropsDataOnTimeout;
  // "Restoring" is acknowledged to the library.
  bool acknowledgesRestore;
  // An error without a sub-code shows the general error text (else the status text stays).
  bool showsUncodedError;
  // The status texts of a dropped and of a resumed data call; 0: the text stays.
  unsigned dataDisconnectedText;
  unsigned dataResumedText;

  // "Anruf tätigen" asks the library only while online with nothing pending; otherwise at any
  // time, and a request the library refuses is forgotten at once.
  bool placesCallsOnlyWhenActive;
  // The settings cannot be changed while the modem is online.
  bool settingsOnlyOffline;
  // A failed initialisation after the settings is reported to the user.
  bool reportsFailedRebind;

  // Quick Connect: never controlled by the program, or the value the family uses when the
  // library holds none (QC_NOT_CONTROLLED: no value of its own).
  bool quickConnectFixed;
  uint8_t quickConnectDefault;
  // At start-up: "no modem found" is shown when the enumeration finds none (the other families
  // come without one on some machines), an entry without a type is no modem, and a failed
  // initialisation is explained.
  bool reportsMissingModem;
  bool needsTypedEntry;
  bool explainsFailedStart;

  bool Known() const { return name != nullptr; }
};

// The record of a family; the record of an unknown family for any other type.
const ModemFamily& FamilyOf(int type);
