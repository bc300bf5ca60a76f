#include "moh/MohEvents.h"

#include <deque>

#include "base/EventLog.h"
#include "base/InstallOptions.h"
#include "fw/Lock.h"
#include "moh/ModemSelection.h"
#include "moh/MohSettings.h"

namespace {

std::atomic<int> gLastMohEvent{0};

std::atomic<bool> gOwnInitRunning{false};
std::atomic<int> gModemActiveEchoes{0};

// Caller-ID texts taken in the callback, oldest first: written on the library's thread, taken
// on the player window's.
fw::Lock gSnapshotLock;
std::deque<std::string> gCallerIdSnapshots;

// Param 7 as the library holds it now, terminated whatever it wrote.
std::string LibraryCallerId() {
  char buffer[MOH_CALLER_ID_SIZE] = {};
  MohGetParam(gModem.gMohHandle, MOH_PARAM_CALLER_ID_DATA, buffer);
  buffer[sizeof(buffer) - 1] = '\0';
  return buffer;
}

}  // namespace

std::optional<std::string> TakeCallerIdSnapshot() {
  fw::Held lock(gSnapshotLock);
  if (gCallerIdSnapshots.empty()) return std::nullopt;
  std::string text = std::move(gCallerIdSnapshots.front());
  gCallerIdSnapshots.pop_front();
  return text;
}

void ResetCallerIdSnapshots() {
  fw::Held lock(gSnapshotLock);
  gCallerIdSnapshots.clear();
}

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

const char* EventSentence(int code) {
  switch (code) {
    case MOH_INCOMING_CALL:
      return "Incoming call detected.";
    case MOH_DENIED:
      return "MOH Request denied by server.";
    case MOH_GRANTED:
      return "MOH Request granted by server.";
    case MOH_SWITCH_TO_VOICE:
      return "MOH switch to voice call.";
    case MOH_DATA_DISCONNECTED:
      return "Data call disconnected.";
    case MOH_SESSION_TERMINATED:
      return "MOH session terminated.";
    case MOH_NOT_SUPPORTED:
      return "MOH is not supported on this server, probably a V90 server";
    case MOH_ERR_LOAD_DRIVERS:
      return "Failed to load filter/hook drivers. Drivers may be missing.";
    case MOH_ERR_OPEN_PORT:
      return "Cannot open port. Port may be in use by another application.";
    case MOH_ERR_CONFIGURE_DEVICE:
      return "Cannot configure device. Driver is probably not a V92 driver";
    case MOH_ERR_ACCESS_DRIVERS:
      return "Cannot access device drivers. Device is probably not installed properly.";
    case MOH_ERR_FILTER_DRIVER:
      return "Failed to filter modem driver. Modem probably not active.";
    default:
      return nullptr;
  }
}

int LastMohEvent() { return gLastMohEvent; }

namespace {
std::atomic<int> gPostedEvents{0};
}  // namespace

void CountPostedEvent() { ++gPostedEvents; }

void UncountPostedEvent() {
  int posted = gPostedEvents.load();
  while (posted > 0 && !gPostedEvents.compare_exchange_weak(posted, posted - 1)) {
  }
}

bool PostedEventsWaiting() { return gPostedEvents.load() > 0; }

void ResetModemActiveEchoes() {
  gModemActiveEchoes = 0;
  gLastMohEvent = 0;
  gPostedEvents = 0;
}

void MOHAPI_CALL MohEventCallback(int event, int value) {
  // Counted before it is posted, so that the handler finds the mark.
  if (event == MOH_MODEM_ACTIVE && gOwnInitRunning) ++gModemActiveEchoes;
  // The caller's text is the library's now, while the call is the newest it reported.
  if (event == MOH_INCOMING_CALL && value == 1 && gSettings.gCallerID != 0) {
    fw::Held lock(gSnapshotLock);
    gCallerIdSnapshots.push_back(LibraryCallerId());
    // Under the lock: the handler cannot take it before it is posted and known to be.
    if (!PostMohEvent(event | kCallerIdTaken, value)) gCallerIdSnapshots.pop_back();
  } else {
    PostMohEvent(event, value);
  }
  gLastMohEvent = event;
  if (gInstall.gLogging) LogEvent(event, value, EventSentence(event));
}
