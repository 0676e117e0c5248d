#pragma once
// The chart options: section "ziwei" of dat/set.ini in the program folder.
#include "ZiweiexTypes.h"

#include <filesystem>

inline constexpr const char* kChartSettingsSection = "ziwei";

// dat/set.ini under the program folder.
std::filesystem::path ChartSettingsFile(const std::filesystem::path& programFolder);

// Reads the twelve options; a missing file, section or key, or a value that is not a number,
// gives the default. Integer options are kept as they are stored, so that the rules can give
// an unexpected value the meaning of the last choice (tg7=5 acts as 2); a value outside
// 0..255 is held as 255, which keeps that meaning in one byte. Booleans read true for any
// value other than 0.
ChartSettings ReadChartSettings(const std::filesystem::path& programFolder);
