// Where a window stands when it is first shown. Portable.
#pragma once

struct Origin {
  int x, y;
};
// Centred on the screen, each halving truncated.
Origin CentredOrigin(int screenWidth, int screenHeight, int width, int height);
