// The answers of message boxes and modal windows, numbered as the platform numbers them, for
// the portable code that asks through its windows.
#pragma once

constexpr int kAnswerOk = 1;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;
