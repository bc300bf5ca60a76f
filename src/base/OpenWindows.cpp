#include "base/OpenWindows.h"

OpenWindows gWindows;

void ResetOpenWindows() { gWindows = OpenWindows{}; }
