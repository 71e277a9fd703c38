#pragma once
// The numbers of the program texts (dvn.dat) that the code asks for by name: one table for
// the core and the windows.

namespace qd {

inline constexpr int kTextOutputBoxFull = 27;
inline constexpr int kTextNameAnOutputFile = 31;
inline constexpr int kTextEnableOutputToFile = 32;
inline constexpr int kTextListIsInTheFile = 33;
inline constexpr int kTextErrorTitle = 34; // the title of input errors and refusals
inline constexpr int kTextCommonWordsQuestion = 40;
inline constexpr int kTextCommonWordsTitle = 42;
inline constexpr int kTextSettingsSaved = 50;
inline constexpr int kTextCountWords = 73;   // the count button at rest
inline constexpr int kTextStop = 74;         // the count button during a run; the stop title
inline constexpr int kTextStopQuestion = 75; // "Do you wish to stop?"
inline constexpr int kTextOutputTooltip = 76;
inline constexpr int kTextApplyingRules = 77; // the status of the first post-count step
inline constexpr int kTextComputingStatistics = 78;
inline constexpr int kTextRankingWords = 79;
// The names of the rules that leave words out: texts 80 to 88, in the order of IgnoreRule.
inline constexpr int kTextFirstIgnoreRule = 80;
inline constexpr int kTextProgramFolder = 310;

} // namespace qd
