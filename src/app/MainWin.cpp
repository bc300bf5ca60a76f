// Parko.exe's one application object.
#include "app/MohAppWin.h"

namespace {

CMohApp theApp;

}  // namespace
