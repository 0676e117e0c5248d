#pragma once
// What a painter shows of a cast: the input, the chart, the annual layer, the settings and the
// birth moments the centre box prints. A read-only window onto the engine's records, so the
// drawing depends on the chart records, not on the engine that casts them.
#include "MDateTime.h"
#include "ZiweiexTypes.h"

enum class ChartState : int16_t { None = 0, Natal = 1, Annual = 2 };

struct ChartView {
    const ChartInput& input;
    const ChartData& chart;
    const AnnualData& annual;
    const ChartSettings& settings;
    ChartState state;
    MDateTime solarBirth;  // after the clock-time kind
    MDateTime lunarBirth;  // and the 23:00 rule
    bool lunarLeap;
};
