#pragma once
// The commands of qiravel-cli. Each gets the words after its name and returns the exit code:
// 0 success, 1 a failure of the work asked for, 2 malformed input (thrown as UsageError).
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

using CommandArgs = std::vector<std::string>;

struct Command {
    std::string_view name;
    std::string_view usage;    // argument synopsis
    std::string_view summary;  // one line, Chinese
    int (*run)(const CommandArgs& args, std::ostream& out);
};

int RunJd(const CommandArgs& args, std::ostream& out);
int RunEphem(const CommandArgs& args, std::ostream& out);
int RunCases(const CommandArgs& args, std::ostream& out);
int RunLunar(const CommandArgs& args, std::ostream& out);
int RunSolar(const CommandArgs& args, std::ostream& out);
int RunTerms(const CommandArgs& args, std::ostream& out);
int RunEras(const CommandArgs& args, std::ostream& out);
int RunCalendar(const CommandArgs& args, std::ostream& out);
int RunCast(const CommandArgs& args, std::ostream& out);
int RunClick(const CommandArgs& args, std::ostream& out);

// All commands in the order the help lists them.
const std::vector<Command>& AllCommands();
