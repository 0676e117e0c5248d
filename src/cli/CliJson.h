#pragma once
// JSON as qiravel-cli prints it: always valid UTF-8. Bytes that are not (from a damaged case
// file, a file name, a folder the user named) become U+FFFD instead of aborting the dump.
#include <nlohmann/json.hpp>

#include <string>

inline std::string JsonText(const nlohmann::json& j)
{
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}
