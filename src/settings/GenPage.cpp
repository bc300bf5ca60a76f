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

void ReadDialString() {
  char scratch[kScratchSize] = {};
  // A library that writes nothing leaves the dial string as it was.
  fw::CopyBounded(scratch, sizeof(scratch), gSettings.gDialString);
  MohGetParam(gModem.gMohHandle, MOH_PARAM_DIAL_STRING, scratch);
  fw::CopyBounded(gSettings.gDialString, sizeof(gSettings.gDialString), Kept(scratch).c_str());
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

GenPage::GenPage() {
  m.m_bWarn = gSettings.gWarn;
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
  page.SelectWarnTime(gSettings.TimerIndex);
  ReadDialString();
  page.SetDialStringText(gSettings.gDialString);
  page.Enable(IDC_DIAL_STRING, false);
  page.Enable(IDC_RESET_DIAL_STRING, false);

  // Made in memory only: they stay even when the sheet is cancelled.
  if (gSettings.gCallWaiting == CW_MODE_MOH) {
    m.m_bCallWaiting = 1;
    m.m_nAlwaysDisconnect = 1;
    m.m_nConfirmCall = 0;
    gSettings.gEnableMOH = 1;
  } else if (gSettings.gCallWaiting == CW_MODE_DISCONNECT) {
    m.m_bCallWaiting = 1;
    m.m_nAlwaysDisconnect = 0;
    m.m_nConfirmCall = 1;
    gSettings.gEnableMOH = gSettings.gCallerID = gSettings.gWarn = 0;
  } else if (gSettings.gCallWaiting == CW_MODE_OFF) {
    m.m_bCallWaiting = 0;
  }
  m.m_bCallerID = gSettings.gCallerID != 0 ? 1 : 0;
  m.m_bWarn = gSettings.gWarn != 0 ? 1 : 0;
  ApplyEnablingRule(page);
  if (gInstall.gQCControl) m.m_bQuickConnect = gSettings.gQCFlag == 1 ? 1 : 0;
  m.m_bMuteRingTone = gSettings.MuteRingTone;
  m.m_bMuteWarnTone = gSettings.MuteWarnTone;
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
      fw::CopyBounded(gSettings.gDialString, sizeof(gSettings.gDialString), dialString.c_str());
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
  gSettings.gEnableMOH = m.m_nConfirmCall == 0 ? 1 : 0;
  gSettings.gWarn = m.m_bWarn;
  gSettings.gCallerID = m.m_bCallerID != 0 ? 1 : 0;
  if (m.m_bCallWaiting == 1) {
    gSettings.gCallWaiting = gSettings.gEnableMOH == 1 ? CW_MODE_MOH : CW_MODE_DISCONNECT;
  } else {
    gSettings.gCallWaiting = CW_MODE_OFF;
  }
  fw::CopyBounded(gSettings.gDialString, sizeof(gSettings.gDialString),
                  page.DialStringText(kDialStringTyped).substr(0, kDialStringTyped).c_str());
  const int selection = page.WarnTimeSelection();
  SetTimerIndex(gSettings, selection >= 1 && selection <= 3 ? selection : 0);
  if (gInstall.gQCControl) {
    gSettings.gQCFlag = m.m_bQuickConnect != 0 ? 1 : 0;
  } else {
    gSettings.gQCFlag = QC_NOT_CONTROLLED;
  }
  gSettings.MuteRingTone = m.m_bMuteRingTone;
  gSettings.MuteWarnTone = m.m_bMuteWarnTone;

  MohSetParam(gModem.gMohHandle, MOH_PARAM_ENABLE_MOH, gSettings.gEnableMOH);
  MohSetParam(gModem.gMohHandle, MOH_PARAM_WARN, gSettings.gWarn);
  MohSetParam(gModem.gMohHandle, MOH_PARAM_CALL_WAITING, gSettings.gCallWaiting);
  MohSetParam(gModem.gMohHandle, MOH_PARAM_CALLER_ID, gSettings.gCallerID);
  MohSetParam(gModem.gMohHandle, MOH_PARAM_TIMER_INDEX, gSettings.TimerIndex);
  MohSetParamString(gModem.gMohHandle, MOH_PARAM_DIAL_STRING, gSettings.gDialString);
  if (gInstall.gQCControl)
    MohSetParam(gModem.gMohHandle, MOH_PARAM_QUICK_CONNECT, gSettings.gQCFlag);
  SaveToneSettings();
}
