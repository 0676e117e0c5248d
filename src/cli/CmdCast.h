#pragma once
// qiravel-cli cast: what one cast asks for and how its result is written.
#include "Ziweiex.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>

struct CastRequest {
    ChartInput input;
    std::optional<MDateTime> annual;  // solar date-time of the annual chart
    bool dailyHourly = false;
};

// The natal chart (and the annual chart when one was cast) as one JSON object.
nlohmann::json CastJson(const MZiWeiEx& engine);

// The chart as the centre box and the cells show it.
void PrintCast(const MZiWeiEx& engine, std::ostream& out);
