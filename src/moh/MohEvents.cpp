#include "moh/MohEvents.h"

#include "app/EventLog.h"
#include "app/InstallOptions.h"

std::atomic<int> gLastMohEvent{0};

void MOHAPI_CALL MohEventCallback(int event, int value) {
  PostMohEvent(event, value);
  gLastMohEvent = event;
  if (gLogging == 1) LogEvent(event, value, nullptr);
}
