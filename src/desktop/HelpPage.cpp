#include "desktop/HelpPage.h"

namespace {

struct LanguagePage {
  int primaryLang;
  const char* page;
};

constexpr const char* kDefaultPage = "mohhelp.htm";
constexpr const char* kTraditionalChinese = "mohhelptc.htm";
constexpr const char* kSimplifiedChinese = "mohhelpsc.htm";
constexpr int kChinese = 4;

constexpr LanguagePage kPages[] = {
    {5, "mohhelpcze.htm"},  {6, "mohhelpden.htm"},  {7, "mohhelpger.htm"},  {8, "mohhelpgre.htm"},
    {10, "mohhelpsp.htm"},  {11, "mohhelpfin.htm"}, {12, "mohhelpfr.htm"},  {16, "mohhelpit.htm"},
    {17, "mohhelpjp.htm"},  {18, "mohhelpkor.htm"}, {19, "mohhelpdut.htm"}, {20, "mohhelpnor.htm"},
    {21, "mohhelppol.htm"}, {22, "mohhelppor.htm"}, {25, "mohhelprus.htm"}, {29, "mohhelpswe.htm"},
    {31, "mohhelptur.htm"},
};

const char* PageFor(int langId, int primaryLang) {
  if (primaryLang == kChinese) {
    if (langId == 0x0404) return kTraditionalChinese;
    if (langId == 0x0804) return kSimplifiedChinese;
    return kDefaultPage;
  }
  for (const LanguagePage& entry : kPages) {
    if (entry.primaryLang == primaryLang) return entry.page;
  }
  return kDefaultPage;
}

}  // namespace

std::string HelpTopic(int langId, int primaryLang) {
  return std::string("mohhelp.chm::/") + PageFor(langId, primaryLang);
}

std::vector<std::string> HelpPages() {
  std::vector<std::string> pages{kDefaultPage, kTraditionalChinese, kSimplifiedChinese};
  for (const LanguagePage& entry : kPages) pages.push_back(entry.page);
  return pages;
}
