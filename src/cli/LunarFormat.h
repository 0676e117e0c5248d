#pragma once
// Parsing and wording shared by the lunar-calendar commands of qiravel-cli.
#include "MDateTime.h"

#include <string>

// A historical year (-4713..9999, no year 0) typed by the user, as a stored year.
int ParseHistoricalYear(const std::string& text);

// "2024年" or "公元前221年" for a stored year.
std::string YearText(int storedYear);

// A lunar date in words with its historical year: "二○二四年正月初一", "前二二○年闰九月三十".
std::string LunarDateText(const MDateTime& lunar, bool leap);
