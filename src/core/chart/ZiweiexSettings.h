#pragma once
// The chart options: section "ziwei" of dat/set.ini in the program folder.
#include "ZiweiexTypes.h"

#include <filesystem>
#include <string>

inline constexpr const char* kChartSettingsSection = "ziwei";

// dat/set.ini under the program folder.
std::filesystem::path ChartSettingsFile(const std::filesystem::path& programFolder);

// Reads the twelve options; a missing file, section or key, or a value that is not a number,
// gives the default. Integer options are kept as they are stored, so that the rules can give
// an unexpected value the meaning of the last choice (tg7=5 acts as 2); a value outside
// 0..255 is held as 255, which keeps that meaning in one byte. Booleans read true for any
// value other than 0.
ChartSettings ReadChartSettings(const std::filesystem::path& programFolder);

// Writes the twelve options in the order tg5, tg7, tg9, tm, run, ileft, save, showfu,
// showxiao, zishi, idate, miaoxian (booleans as 1 and 0), creating dat/ when it is missing.
// False at the first write that fails.
bool WriteChartSettings(const std::filesystem::path& programFolder, const ChartSettings& settings);

// The choice, among `choices`, that an option value stands for: a value past the last choice
// acts as the last, as the rules read it.
int OptionChoice(uint8_t value, int choices);

// The report indent as typed: a decimal integer, or -1 when the text is not one (an empty text
// included), so that it is refused.
int ParseTextIndent(const std::string& text);
