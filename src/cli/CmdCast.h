#pragma once
// qiravel-cli cast: what one cast asks for and how its result is written.
#include "Ziweiex.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <set>
#include <string>

class CliArgs;

struct CastRequest {
    ChartInput input;
    std::optional<MDateTime> annual;  // solar date-time of the annual chart
    bool dailyHourly = false;
};

// The options of one birth (and its annual chart) that cast and click share.
extern const std::set<std::string> kCastOptions;  // those that take a value
extern const std::set<std::string> kCastFlags;

CastRequest RequestFromOptions(const CliArgs& args);

// Casts the natal chart and the annual chart asked for; false leaves the reason in the engine.
bool Cast(MZiWeiEx& engine, const CastRequest& request);

// The natal chart (and the annual chart when one was cast) as one JSON object.
nlohmann::json CastJson(const MZiWeiEx& engine);

// The chart as the centre box and the cells show it.
void PrintCast(const MZiWeiEx& engine, std::ostream& out);
