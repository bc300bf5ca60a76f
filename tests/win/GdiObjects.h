// The number of GDI objects the calling process holds.
#pragma once

#include <windows.h>

// Wine's GetGuiResources is a stub. Its GDI accepts a handle whose upper word is 0 for any
// live object of the process, so counting those counts the objects; Windows counts itself.
inline int CountGdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return static_cast<int>(counted);
  int objects = 0;
  for (UINT_PTR index = 1; index <= 0xFFFF; ++index) {
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++objects;
  }
  return objects;
}
