#pragma once
// Constant tables of the new-moon and solar-term computation.
#include <array>
#include <span>
#include <string_view>

// Mean values used for ancient dates: from `start` (JD) on, events repeat every `period` days.
struct MeanPeriod {
    double start;
    double period;
};

struct MeanTable {
    std::span<const MeanPeriod> pairs;
    double end;  // JD where the table stops
};

extern const MeanTable kNewMoonMeans;  // -721 .. 619
extern const MeanTable kTermMeans;     // -221 .. 1645

// Month number of provisional month value v mod 12; value 0 is the solstice month, the 11th.
extern const std::array<int, 12> kMonthNumberOf;

// The run letters of stored correction texts and the digits each stands for.
struct CorrectionRun {
    char letter;
    std::string_view digits;
};
extern const std::array<CorrectionRun, 30> kCorrectionRuns;
