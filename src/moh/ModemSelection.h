// Start-up's choice of the modem: enumerate what the library supports, choose one silently
// from the installation options or by asking, and bind the library to it.
#pragma once

#include "moh/MohApi.h"

// The modems the library supports, the one chosen, and the library's handle.
struct ModemChoice {
  MODEM_ENTRY gpModems[MOH_MAX_MODEMS] = {};
  int gModemCount = 0;
  int gModemSelIndex = 0;
  int gMohHandle = 0;
  // The program has begun to end: from now on the library gets nothing but MOH_CMD_CLOSE.
  bool gLibraryClosing = false;
};
extern ModemChoice gModem;

// The program begins to end: nothing but MOH_CMD_CLOSE goes to the library any more.
void BeginClosingLibrary(ModemChoice& modem);
// Begins to end and sends MOH_CMD_CLOSE.
void CloseLibrary(ModemChoice& modem);

// No modem chosen, no handle: as a process starts.
void ResetModemSelection();

// What start-up shows the user while it chooses.
class IStartupWindows {
 public:
  virtual ~IStartupWindows() = default;
  // The modem selection dialog, modally; OK leaves the choice in gModem.gModemSelIndex.
  virtual void ChooseModem() = 0;
  // The settings sheet, modally, after an interactive choice.
  virtual void ShowSettings() = 0;
  // Whether the program's main window is gone: it can be closed while a window of start-up is
  // open (setup closes a running Parko before it replaces the files). Start-up then ends.
  virtual bool MainWindowGone() = 0;
  // A message box with the exclamation icon and a text of the string table.
  virtual void ShowMessage(unsigned stringId) = 0;
};

// The index the silent search chooses among all ten entries: the first whose type equals
// `type`, or else whose name equals `name`, the type test first for each entry; -1 when no
// entry matches.
int FindSilentChoice(const MODEM_ENTRY* table, int type, const char* name);

// 1 when the library is bound to the chosen modem, 0 when start-up must end (each failure is
// logged and, where the user must know, shown; a main window closed meanwhile ends it too,
// before the library is bound).
int SelectModem(int silent, IStartupWindows& ui);
