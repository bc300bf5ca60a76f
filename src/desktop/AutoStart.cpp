#include "desktop/AutoStart.h"

int gAutoStart;

namespace {

const bool kAutoStartReset = (ResetAutoStart(), true);

}  // namespace

void ResetAutoStart() { gAutoStart = 1; }
