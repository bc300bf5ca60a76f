/* A program that imports a function Windows 95 to XP lack: the image check must name it. */
#include <windows.h>

int main(void) { return (int)(GetTickCount64() & 1); }
