#pragma once
// Calendar data compiled in from resources/calendar (generated at build time).
#include <cstdint>
#include <span>
#include <string_view>

// One reign era: it covers the stored years firstYear .. firstYear + span - 1, and year y of it
// is counted as y - firstYear + offset + 1. Texts are UTF-8; in GBK they fit 10 bytes (dynasty,
// ruler, era name) and 30 bytes (personal name, may be empty).
struct EraRecord {
    int16_t firstYear;
    int16_t span;
    int16_t offset;
    std::string_view dynasty;
    std::string_view ruler;
    std::string_view personalName;
    std::string_view eraName;
};

// The era table: grouped by dynasty, ascending within each, from 夏 禹 (-2069) to the 1949 row.
std::span<const EraRecord> EraTable();

// The stored correction texts of the quick new-moon and solar-term formulas: digits, possibly
// with run letters (see SSQ_class::DecodeCorrections).
std::string_view StoredNewMoonCorrections();
std::string_view StoredTermCorrections();
