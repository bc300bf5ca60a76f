// DefaultDialString.dll: the modem's default dial string, imported by ordinal.
#pragma once

#include "moh/MohApi.h"

extern "C" {
// Ordinal 3: prepares the library; the result means nothing.
int MOHAPI_CALL InitDefaultDialString(void);
// Ordinal 2: writes the default dial string, at most 15 characters and a NUL, into a buffer of
// MOH_DIAL_STRING_SIZE bytes.
int MOHAPI_CALL GetDefaultDialString(char* buffer);
}
