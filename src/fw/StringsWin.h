// Texts of the string table.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// The text of a string id in the program's resources, whatever its length; "" for an id
// without text. Loaded once per id.
std::string LoadText(UINT id);

}  // namespace fw
