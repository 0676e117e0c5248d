#pragma once
// Runs the real qiravel-cli binary of this build.
#include "RunProcess.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

inline ProcessResult Cli(const std::vector<std::string>& args, const std::string& input = {})
{
    return RunProcess(QIRAVEL_CLI, args, input);
}

// The JSON a successful command prints.
inline nlohmann::json CliJson(const std::vector<std::string>& args)
{
    const ProcessResult r = Cli(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return nlohmann::json::parse(r.out, nullptr, false);
}
