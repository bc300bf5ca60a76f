// The program's invisible main window.
#pragma once

#include "tray/TrayIconWnd.h"

class CPlayerWnd : public CTrayIconWnd {};
