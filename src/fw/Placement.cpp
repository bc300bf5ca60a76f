#include "fw/Placement.h"

Origin CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {screenWidth / 2 - width / 2, screenHeight / 2 - height / 2};
}

namespace {

int KeptInSpan(int low, int high, int at, int size, bool keepHighEdge) {
  if (size > high - low) return keepHighEdge ? high - size : low;
  if (at < low) return low;
  if (at + size > high) return high - size;
  return at;
}

}  // namespace

Origin KeptInArea(const Area& area, int x, int y, int width, int height) {
  return {KeptInSpan(area.left, area.right, x, width, false),
          KeptInSpan(area.top, area.bottom, y, height, true)};
}
