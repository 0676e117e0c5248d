#pragma once
// The date-time record every calendar interface exchanges, and the two year numberings.
#include <cstdint>

struct MDateTime {
    int16_t year = 2000;   // astronomical numbering: 0 is 1 BC, -1 is 2 BC
    int16_t month = 1;     // 1..12 (a lunar month number when the record carries a lunar date)
    int16_t day = 1;       // 1..31
    int16_t hour = 0;      // 0..23
    int16_t minute = 0;    // 0..59

    friend bool operator==(const MDateTime&, const MDateTime&) = default;
};

// Users type and read historical years (-4713..9999, no year 0, negative = BC);
// the engine keeps astronomical years (-4712..9999).
constexpr int kFirstHistoricalYear = -4713;
constexpr int kLastYear = 9999;

constexpr int HistoricalToStoredYear(int typed) { return typed < 0 ? typed + 1 : typed; }
constexpr int StoredToHistoricalYear(int stored) { return stored <= 0 ? stored - 1 : stored; }
