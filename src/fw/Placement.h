// Where a window stands when it is first shown. Portable.
#pragma once

struct Origin {
  int x, y;
};
// Centred on the screen, each halving truncated.
Origin CentredOrigin(int screenWidth, int screenHeight, int width, int height);

struct Area {
  int left, top, right, bottom;
};
// Where a window of this size at (x, y) stands once it is moved into the area: as little as
// possible, so that it lies wholly inside. One taller than the area keeps its bottom edge, where
// the program's windows have their buttons, inside; one wider keeps its left edge.
Origin KeptInArea(const Area& area, int x, int y, int width, int height);
