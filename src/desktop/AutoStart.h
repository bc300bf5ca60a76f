// Whether the program starts with Windows: the tray menu's check mark. Portable.
#pragma once

extern int gAutoStart;
// As a process starts: on, until start-up reads the registry.
void ResetAutoStart();
