#pragma once
// The numbered program texts the count run shows, with the program's English wording as the
// fallback when no text file is loaded (tests, a damaged installation).

#include "text/UString.h"

namespace qd {

struct RunState;

inline constexpr int kTextErrorTitle = 34;    // title of input errors
inline constexpr int kTextCountWords = 73;    // the count button at rest
inline constexpr int kTextStop = 74;          // the count button during a run; stop title
inline constexpr int kTextStopQuestion = 75;  // "Do you wish to stop?"
inline constexpr int kTextApplyingRules = 77; // status of the first post-count step
inline constexpr int kTextComputingStatistics = 78;
inline constexpr int kTextRankingWords = 79;

ustring RunText(const RunState& run, int n);

} // namespace qd
