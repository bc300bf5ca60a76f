#include "moh/MohEvents.h"

#include "app/EventLog.h"
#include "app/InstallOptions.h"

std::atomic<int> gLastMohEvent{0};

namespace {

std::atomic<bool> gOwnInitRunning{false};
std::atomic<int> gModemActiveEchoes{0};

}  // namespace

int InitializeMoh(int handle, MODEM_ENTRY* entry) {
  gOwnInitRunning = true;
  const int result = MohInitialize(handle, entry, &MohEventCallback);
  gOwnInitRunning = false;
  return result;
}

bool TakeModemActiveEcho() {
  int echoes = gModemActiveEchoes.load();
  while (echoes > 0) {
    if (gModemActiveEchoes.compare_exchange_weak(echoes, echoes - 1)) return true;
  }
  return false;
}

void ResetModemActiveEchoes() { gModemActiveEchoes = 0; }

void MOHAPI_CALL MohEventCallback(int event, int value) {
  // Counted before it is posted, so that the handler finds the mark.
  if (event == MOH_MODEM_ACTIVE && gOwnInitRunning) ++gModemActiveEchoes;
  PostMohEvent(event, value);
  gLastMohEvent = event;
  if (gLogging == 1) LogEvent(event, value, nullptr);
}
