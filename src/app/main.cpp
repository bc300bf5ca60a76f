// Parko.exe's one application object.
#include "app/MohApp.h"

namespace {

CMohApp theApp;

}  // namespace
