#pragma once
// Runs a program and captures its standard output, standard error and exit code.
#include <string>
#include <vector>

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` with `args` (no shell), feeding `input` on standard input.
ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::string& input = {});
