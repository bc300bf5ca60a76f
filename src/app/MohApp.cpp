#include "app/MohApp.h"

#include "tray/PlayerWnd.h"

namespace {

CMohApp theApp;

}  // namespace

bool CMohApp::InitInstance() {
  CPlayerWnd* player = new CPlayerWnd;
  if (!player->CreateTrayWindow()) {
    delete player;
    return false;
  }
  SetMainWindow(player);
  m_hMainWnd = player->Handle();
  return true;
}

int CMohApp::ExitInstance() { return fw::Application::ExitInstance(); }
