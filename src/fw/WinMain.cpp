// The program's entry point: hands control to the one application object.
#include <windows.h>

#include "fw/ApplicationWin.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  fw::Application* app = fw::Application::Current();
  return app != nullptr ? app->Run(instance) : 1;
}
