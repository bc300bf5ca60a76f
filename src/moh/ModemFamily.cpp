#include "moh/ModemFamily.h"

#include "moh/MohApi.h"
#include "moh/MohSettings.h"
#include "res/resource.h"

namespace {

// clang-format off
const ModemFamily kFamilies[] = {
  // type   name     keepsLine answerMs headroom zeroHold rebind dropData ackRestore uncodedError
  //        disconnected text           resumed text
  //        onlyActive onlyOffline failedRebind qcFixed qcDefault missing typed explains
  {TELKA, "TELKA", true,  15000, 2000, false, false, false, true,  true,
          IDS_DATA_DISCONNECTED,      IDS_DATA_RESUMED_TELKA,
          true,  true,  true,  true,  QC_NOT_CONTROLLED, true,  true,  true},
  {BORIN, "BORIN", false, 60000, 0,    true,  true,  false, false, true,
          IDS_DATA_DISCONNECTED_IDLE, IDS_DATA_RESUMED,
          true,  false, false, false, 0,                 false, false, false},
  {NUVIA, "NUVIA", false, 60000, 0,    true,  false, true,  false, false,
          IDS_DATA_DISCONNECTED_IDLE, IDS_DATA_RESUMED,
          false, false, true,  false, 1,                 false, false, false},
};

const ModemFamily kUnknownFamily =
  {0,     nullptr, false, 0,     0,    false, false, false, false, false,
          0,                          0,
          false, false, true,  false, QC_NOT_CONTROLLED, true,  false, false};
// clang-format on

}  // namespace

const ModemFamily& FamilyOf(int type) {
  for (const ModemFamily& family : kFamilies) {
    if (family.type == type) return family;
  }
  return kUnknownFamily;
}
