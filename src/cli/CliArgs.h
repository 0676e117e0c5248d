#pragma once
// Command-line arguments of one qiravel-cli command, and the parsing of user dates.
#include "BirthInput.h"
#include "MDateTime.h"
#include "ZiweiexTypes.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// Raised for malformed arguments; the message is shown to the user on one line (exit code 2).
struct UsageError {
    std::string message;
};

// A message on one line: each line break becomes "；".
std::string OneLine(std::string_view text);

class CliArgs {
public:
    // Splits argv into positional words and options. `valued` names the options that take a
    // value (--name VALUE or --name=VALUE), `flags` those that do not; anything else is an error.
    CliArgs(const std::vector<std::string>& argv, const std::set<std::string>& valued,
            const std::set<std::string>& flags);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& option) const;
    std::optional<std::string> value(const std::string& option) const;
    std::string require(const std::string& option) const;

    // The one positional argument a command takes; UsageError naming `what` when missing.
    std::string single(const std::string& what) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> options_;
};

struct ParsedDateTime {
    MDateTime value;   // astronomical year
    bool hasTime = false;
};

// "Y-M-D" or "Y-M-DTHH:MM" with a historical year (negative = BC, no year 0, -4713..9999).
// Checks the shape and ranges of the fields, not that the day exists in its month.
ParsedDateTime ParseDateTime(const std::string& text, bool timeAllowed = true);

// "HH:MM".
void ParseClock(const std::string& text, MDateTime& into);

// A text shown back to the user, cut to a readable length (never inside a character).
std::string Abbreviated(const std::string& text, std::size_t maxBytes = 200);

// The program folder the command's --home names, else the usual one; an empty --home is an error.
std::filesystem::path HomeFolder(const CliArgs& args);

// A whole decimal number within [low, high]; `what` names it in the error.
int ParseInt(const std::string& text, int low, int high, const std::string& what);
double ParseDouble(const std::string& text, double low, double high, const std::string& what);

// "Y-M-D HH:MM" with the historical year, as users read it.
std::string FormatDateTime(const MDateTime& t, bool withTime = true);

// The options describing a person's birth, shared by the commands that take one:
// --name NAME --date Y-M-D --time HH:MM --sex 男|女 [--lunar [--leap]] [--province N] [--city N]
// [--longitude DEG] [--latitude DEG] [--kind 天盘|地盘|人盘]. Historical years.
extern const std::set<std::string> kBirthOptions;  // those that take a value
extern const std::set<std::string> kBirthFlags;

// The birth options as the birth check takes them; only their shapes are checked here (the date
// "Y-M-D", the time "HH:MM", numbers), the birth check decides the rest. Without a province the
// place is "未知地" (the last province) at 120°E 30°N; a named province needs its city's
// coordinates. The place text is left empty.
BirthEntry BirthEntryFromOptions(const CliArgs& args);

// The fields of a birth date "Y-M-D" (historical year) and time "HH:MM" as typed.
void SplitBirthDate(const std::string& text, BirthEntry& into);
void SplitBirthTime(const std::string& text, BirthEntry& into);

// The checked birth; UsageError with the fault's text when the check refuses it.
ChartInput CheckedBirth(const BirthEntry& entry);
