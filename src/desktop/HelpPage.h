// Which page of the help file a system language opens. Portable.
#pragma once

#include <string>
#include <vector>

// "mohhelp.chm::/<page>" for the language (its full identifier and its primary language).
std::string HelpTopic(int langId, int primaryLang);
// Every page the topics name, the English default first.
std::vector<std::string> HelpPages();
