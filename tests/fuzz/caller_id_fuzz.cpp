// The caller-ID parser against whatever a library may put in its 256-byte buffer: every field
// stays within its width and is a piece of the text, and the log never holds more than ten.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "call/CallState.h"
#include "calllog/CallLog.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsPieceOf(const std::string& field, const std::string& text) {
  return field.empty() || text.find(field) != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The program keeps the buffer's text up to its terminator, at most 255 bytes.
  std::string text(reinterpret_cast<const char*>(data), size < 255 ? size : 255);
  text = text.c_str();

  CCallerID record;
  if (SplitCallerId(text, record)) {
    Require(record.m_Date.size() <= kDateWidth);
    Require(record.m_Time.size() <= kTimeWidth);
    Require(record.m_Name.size() <= kNameWidth);
    Require(record.m_Number.size() <= text.size());
    Require(IsPieceOf(record.m_Date, text) && IsPieceOf(record.m_Time, text) &&
            IsPieceOf(record.m_Number, text) && IsPieceOf(record.m_Name, text));
  } else {
    // Only a text without a colon, or without one for the time, is not a caller record.
    Require(text.find(':') == std::string::npos || text.find(':') == text.rfind(':') ||
            text.find("Datum :") != std::string::npos);
  }

  gCall.gCallerIdText = text;
  ParseCallerId(gCall.gCallerIdText);
  Require(gCallLog.Records().size() <= kCallLogSize);
  return 0;
}
