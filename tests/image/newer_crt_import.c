/* A program that imports a C runtime function the msvcrt.dll of Windows NT 4.0 lacks. */
#include <sys/stat.h>

int main(void) {
  struct _stat64 status;
  return _fstat64(0, &status);
}
