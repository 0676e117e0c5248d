#pragma once
// qiravel-cli cast: what one cast asks for and how its result is written.
#include "Ziweiex.h"

#include <nlohmann/json.hpp>

#include <cstddef>
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

// One batch line: name, date, time, sex, lunar, leap, kind, longitude [, annual date-time],
// separated by tabs. UsageError for a malformed line.
CastRequest RequestFromLine(const std::string& line);

// Longest batch line taken, in bytes; a longer one is reported and skipped.
inline constexpr std::size_t kMaxBatchLineBytes = 4096;

// The lines of a batch read from a file descriptor, with read errors told apart from the end.
class BatchLineReader {
public:
    enum class Result { Line, TooLong, End, Failed };
    explicit BatchLineReader(int fd) : fd_(fd) {}
    // The next line without its "\n" (and "\r"); at most kMaxBatchLineBytes of a longer one
    // come back, with TooLong, and the rest of it is skipped.
    Result Next(std::string& line);

private:
    bool Fill();
    int fd_;
    char buffer_[1 << 14];
    std::size_t begin_ = 0, end_ = 0;
    bool atEnd_ = false, failed_ = false;
};

// Casts the natal chart and the annual chart asked for; false leaves the reason in the engine.
bool Cast(MZiWeiEx& engine, const CastRequest& request);

// The natal chart (and the annual chart when one was cast) as one JSON object.
nlohmann::json CastJson(const MZiWeiEx& engine);

// The chart as the centre box and the cells show it.
void PrintCast(const MZiWeiEx& engine, std::ostream& out);
