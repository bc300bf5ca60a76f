// Start with Windows: the value "Parko" in the machine's Run key, and the flag that mirrors it
// for the tray menu's check mark. Portable; the registry is reached through Registry.
#pragma once

#include <string>

constexpr const char* kAutoStartKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kAutoStartValue = "Parko";

// Start-up: on exactly when the value exists, whatever its data.
void QueryStartAutomatically();
// The menu command: flips the flag, then brings the registry in line with it.
void OnAutoStart();
// Writes the value when the flag is on, deletes it when off; the key is opened, never created.
void StartAutomatically();

// What the Run value holds: the program's path in quotation marks, so that a path with blanks
// cannot be taken for a shorter one ("C:\Program.exe").
std::string AutoStartCommand();
