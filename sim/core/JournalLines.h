// The lines of mohsim.journal: one per call of an operation, its name and arguments, so that a
// test can read what the program asked of the library, in order.
#pragma once

#include <string>

struct MODEM_ENTRY;

namespace sim {

// A text as the journal shows it: quoted, at most `cap` bytes of a buffer that may lack its
// terminator, control characters escaped so one call stays one line.
std::string Quoted(const char* text, std::size_t cap);

std::string JournalGetVersion();
std::string JournalEnumerate(const char* modemName);
std::string JournalInitialize(int handle, const MODEM_ENTRY* entry);
std::string JournalCommand(int handle, int command);
std::string JournalGetParam(int handle, int id, const char* buffer);
std::string JournalSetParam(int handle, int id, int value);
std::string JournalSetParamString(int handle, int id, const char* text);
std::string JournalInitDefaultDialString();
std::string JournalGetDefaultDialString(const char* buffer);
// Not a call of the program's: the engine could not offer its control pipe (error 120 on
// Windows 95, 98 and ME, which have no named-pipe server) and gave up on it.
std::string JournalNoControlPipe(unsigned long error);

}  // namespace sim
