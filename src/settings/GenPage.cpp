#include "settings/GenPage.h"

#include <cstring>

#include "base/InstallOptions.h"
#include "fw/Text.h"
#include "moh/DefaultDialString.h"
#include "moh/ModemSelection.h"
#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

// A library may write more than its contract says: it writes into this much room, and only
// the first characters are kept.
constexpr std::size_t kScratchSize = 256;

// Rule E's dependants of "Anrufannahme bestätigen": the modem-on-hold options.
constexpr int kMohOptions[] = {IDC_CALLER_ID,       IDC_WARN,           IDC_WARN_TIME,
                               IDC_DIAL_STRING,     IDC_MUTE_WARN_TONE, IDC_MUTE_RING_TONE,
                               IDC_WARN_TIME_LABEL, IDC_DIAL_LABEL,     IDC_DIAL_TAIL};

void Flip(int& member) { member = member == 0 ? 1 : 0; }

std::string Kept(const char* scratch) {
  return fw::FromBuffer(scratch, kScratchSize).substr(0, kDialStringKept);
}

}  // namespace

void ReadDialString(const SettingsRoad& road) {
  MohSettings& settings = road.settings;
  char scratch[kScratchSize] = {};
  // A library that writes nothing leaves the dial string as it was.
  fw::CopyBounded(scratch, sizeof(scratch), settings.gDialString);
  MohGetParam(road.modem.gMohHandle, MOH_PARAM_DIAL_STRING, scratch);
  fw::CopyBounded(settings.gDialString, sizeof(settings.gDialString), Kept(scratch).c_str());
}

std::string DefaultDialString() {
  char scratch[kScratchSize] = {};
  GetDefaultDialString(scratch);
  return Kept(scratch);
}

int CentredButtonsX(int left, int right, int n, int w, int g) {
  const int total = n * w + (n > 1 ? (n - 1) * g : 0);
  return (left + right - total) / 2;
}

GenPage::GenPage(SettingsRoad road) : road_(road) {
  m.m_bWarn = road_.settings.gWarn;
  InitDefaultDialString();
}

void GenPage::ApplyEnablingRule(IGenPageWindow& page) {
  if (m.m_bCallWaiting == 1) {
    page.Enable(IDC_ALWAYS_DISCONNECT, true);
    page.Enable(IDC_CONFIRM_CALL, true);
    page.Enable(IDC_CONFIRM_CALL_LINE2, true);
    if (m.m_nConfirmCall != 0) {
      for (int id : kMohOptions) page.Enable(id, false);
    } else {
      for (int id : kMohOptions) page.Enable(id, id != IDC_DIAL_STRING);
      page.Enable(IDC_WARN_TIME, m.m_bWarn != 0);
    }
    return;
  }
  for (int id : kMohOptions) page.Enable(id, false);
  page.Enable(IDC_ALWAYS_DISCONNECT, false);
  page.Enable(IDC_CONFIRM_CALL, false);
  page.Enable(IDC_CONFIRM_CALL_LINE2, false);
}

void GenPage::OnInitDialog(IGenPageWindow& page) {
  page.SelectWarnTime(road_.settings.TimerIndex);
  ReadDialString(road_);
  page.SetDialStringText(road_.settings.gDialString);
  page.Enable(IDC_DIAL_STRING, false);
  page.Enable(IDC_RESET_DIAL_STRING, false);

  // Made in memory only: they stay even when the sheet is cancelled.
  if (road_.settings.gCallWaiting == CW_MODE_MOH) {
    m.m_bCallWaiting = 1;
    m.m_nAlwaysDisconnect = 1;
    m.m_nConfirmCall = 0;
    road_.settings.gEnableMOH = 1;
  } else if (road_.settings.gCallWaiting == CW_MODE_DISCONNECT) {
    m.m_bCallWaiting = 1;
    m.m_nAlwaysDisconnect = 0;
    m.m_nConfirmCall = 1;
    road_.settings.gEnableMOH = road_.settings.gCallerID = road_.settings.gWarn = 0;
  } else if (road_.settings.gCallWaiting == CW_MODE_OFF) {
    m.m_bCallWaiting = 0;
  }
  m.m_bCallerID = road_.settings.gCallerID != 0 ? 1 : 0;
  m.m_bWarn = road_.settings.gWarn != 0 ? 1 : 0;
  ApplyEnablingRule(page);
  if (gInstall.gQCControl) m.m_bQuickConnect = road_.settings.gQCFlag == 1 ? 1 : 0;
  m.m_bMuteRingTone = road_.settings.MuteRingTone;
  m.m_bMuteWarnTone = road_.settings.MuteWarnTone;
  page.Refresh();
}

void GenPage::OnClicked(IGenPageWindow& page, int id) {
  switch (id) {
    case IDC_CALL_WAITING:
      Flip(m.m_bCallWaiting);
      ApplyEnablingRule(page);
      page.Refresh();
      break;
    case IDC_ALWAYS_DISCONNECT:
      m.m_nAlwaysDisconnect = 0;
      m.m_nConfirmCall = 1;
      m.m_bCallerID = 0;
      m.m_bWarn = 0;
      ApplyEnablingRule(page);
      page.Refresh();
      break;
    case IDC_CONFIRM_CALL:
      m.m_nAlwaysDisconnect = 1;
      m.m_nConfirmCall = 0;
      ApplyEnablingRule(page);
      page.Refresh();
      break;
    case IDC_WARN:
      Flip(m.m_bWarn);
      page.Enable(IDC_WARN_TIME, m.m_bWarn != 0);
      page.Refresh();
      break;
    case IDC_CALLER_ID:
      Flip(m.m_bCallerID);
      break;
    case IDC_QUICK_CONNECT:
      Flip(m.m_bQuickConnect);
      break;
    case IDC_MUTE_WARN_TONE:
      Flip(m.m_bMuteWarnTone);
      break;
    case IDC_MUTE_RING_TONE:
      Flip(m.m_bMuteRingTone);
      break;
    case IDC_CHANGE_DIAL_STRING:
      Flip(m.m_bChangeDialString);
      page.Enable(IDC_DIAL_STRING, m.m_bChangeDialString != 0);
      page.Enable(IDC_RESET_DIAL_STRING, m.m_bChangeDialString != 0);
      break;
    case IDC_RESET_DIAL_STRING: {
      m.m_bChangeDialString = 0;
      page.Check(IDC_CHANGE_DIAL_STRING, false);
      const std::string dialString = DefaultDialString();
      page.SetDialStringText(dialString);
      fw::CopyBounded(road_.settings.gDialString, sizeof(road_.settings.gDialString),
                      dialString.c_str());
      page.Enable(IDC_DIAL_STRING, false);
      m.m_bResetDialString = 0;
      page.Check(IDC_RESET_DIAL_STRING, false);
      page.Enable(IDC_RESET_DIAL_STRING, false);
      break;
    }
    default:
      break;
  }
}

void GenPage::OnOK(IGenPageWindow& page) {
  road_.settings.gEnableMOH = m.m_nConfirmCall == 0 ? 1 : 0;
  road_.settings.gWarn = m.m_bWarn;
  road_.settings.gCallerID = m.m_bCallerID != 0 ? 1 : 0;
  if (m.m_bCallWaiting == 1) {
    road_.settings.gCallWaiting = road_.settings.gEnableMOH == 1 ? CW_MODE_MOH : CW_MODE_DISCONNECT;
  } else {
    road_.settings.gCallWaiting = CW_MODE_OFF;
  }
  fw::CopyBounded(road_.settings.gDialString, sizeof(road_.settings.gDialString),
                  page.DialStringText(kDialStringTyped).substr(0, kDialStringTyped).c_str());
  const int selection = page.WarnTimeSelection();
  SetTimerIndex(road_.settings, selection >= 1 && selection <= 3 ? selection : 0);
  if (gInstall.gQCControl) {
    road_.settings.gQCFlag = m.m_bQuickConnect != 0 ? 1 : 0;
  } else {
    road_.settings.gQCFlag = QC_NOT_CONTROLLED;
  }
  road_.settings.MuteRingTone = m.m_bMuteRingTone;
  road_.settings.MuteWarnTone = m.m_bMuteWarnTone;

  MohSetParam(road_.modem.gMohHandle, MOH_PARAM_ENABLE_MOH, road_.settings.gEnableMOH);
  MohSetParam(road_.modem.gMohHandle, MOH_PARAM_WARN, road_.settings.gWarn);
  MohSetParam(road_.modem.gMohHandle, MOH_PARAM_CALL_WAITING, road_.settings.gCallWaiting);
  MohSetParam(road_.modem.gMohHandle, MOH_PARAM_CALLER_ID, road_.settings.gCallerID);
  MohSetParam(road_.modem.gMohHandle, MOH_PARAM_TIMER_INDEX, road_.settings.TimerIndex);
  MohSetParamString(road_.modem.gMohHandle, MOH_PARAM_DIAL_STRING, road_.settings.gDialString);
  if (gInstall.gQCControl)
    MohSetParam(road_.modem.gMohHandle, MOH_PARAM_QUICK_CONNECT, road_.settings.gQCFlag);
  SaveToneSettings();
}
