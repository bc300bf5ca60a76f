#include "fw/Placement.h"

Origin CentredOrigin(int screenWidth, int screenHeight, int width, int height) {
  return {screenWidth / 2 - width / 2, screenHeight / 2 - height / 2};
}
