#include "moh/MohEvents.h"

#include <algorithm>

#include "base/EventLog.h"
#include "base/InstallOptions.h"
#include "base/Messages.h"

namespace {

std::atomic<int> gLastMohEvent{0};

std::atomic<bool> gOwnInitRunning{false};
std::atomic<int> gModemActiveEchoes{0};

// Events posted to the main window and not handled yet (PostedEventsWaiting).
std::atomic<int> gPostedEvents{0};
// Incoming calls the callback posted that the player window has not handled yet.
std::atomic<int> gIncomingCallsWaiting{0};
// Of those, the ones re-posted to the handler (the user-interface thread's alone).
int gIncomingCallsReposted = 0;
// Calls to be handled that are older than one whose re-post was lost: the library holds that
// call's text, not theirs.
int gCallsOlderThanALostOne = 0;

// Takes one off a count that two threads share, never below zero; false when it was zero.
bool TakeOne(std::atomic<int>& count) {
  int now = count.load();
  while (now > 0) {
    if (count.compare_exchange_weak(now, now - 1)) return true;
  }
  return false;
}

}  // namespace

int InitializeMoh(int handle, MODEM_ENTRY* entry) {
  gOwnInitRunning = true;
  const int result = MohInitialize(handle, entry, &MohEventCallback);
  gOwnInitRunning = false;
  return result;
}

bool TakeModemActiveEcho() { return TakeOne(gModemActiveEchoes); }

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

namespace {

// The log writes these sentences for an event code logged without a text.
[[maybe_unused]] const bool kSentencesGiven = (SetEventSentences(&EventSentence), true);

}  // namespace

int LastMohEvent() { return gLastMohEvent; }

void CountPostedEvent() { ++gPostedEvents; }

void UncountPostedEvent() { TakeOne(gPostedEvents); }

bool PostedEventsWaiting() { return gPostedEvents.load() > 0; }

void RepostedEvent(int event) {
  if (event == MOH_INCOMING_CALL) ++gIncomingCallsReposted;
}

void ForgetPostedEvent(int event) {
  UncountPostedEvent();
  if (event != MOH_INCOMING_CALL) return;
  TakeOne(gIncomingCallsWaiting);
  // The re-posts go in posting order: every call re-posted and not handled yet is older.
  gCallsOlderThanALostOne = std::max(gCallsOlderThanALostOne, gIncomingCallsReposted);
}

void ResetModemActiveEchoes() {
  gModemActiveEchoes = 0;
  gLastMohEvent = 0;
  gPostedEvents = 0;
  gIncomingCallsWaiting = 0;
  gIncomingCallsReposted = 0;
  gCallsOlderThanALostOne = 0;
}

bool TakeIncomingCall() {
  TakeOne(gIncomingCallsWaiting);
  if (gIncomingCallsReposted > 0) --gIncomingCallsReposted;
  if (gCallsOlderThanALostOne == 0) return false;
  --gCallsOlderThanALostOne;
  return true;
}

bool LaterIncomingCallWaiting() { return gIncomingCallsWaiting.load() > 0; }

void MOHAPI_CALL MohEventCallback(int event, int value) {
  // Counted before it is posted, so that the handler finds the mark.
  if (event == MOH_MODEM_ACTIVE && gOwnInitRunning) ++gModemActiveEchoes;
  // Likewise, so that the handler of an earlier call knows that this one waits behind it.
  if (event == MOH_INCOMING_CALL) ++gIncomingCallsWaiting;
  // A code that looks like one of the program's own events is none the program knows.
  const int posted = (static_cast<unsigned>(event) & kOwnEventMask) == kOwnEventMark ? 0 : event;
  if (!PostMohEvent(posted, value) && event == MOH_INCOMING_CALL) TakeOne(gIncomingCallsWaiting);
  gLastMohEvent = event;
  if (gInstall.gLogging) LogEvent(event, value, nullptr);
}
