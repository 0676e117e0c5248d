#pragma once
// The program folder holds all of the program's data: "dat" (settings, the case file),
// the comment folder and "skins". It is the executable's folder unless the user names
// another with --home DIR or the environment variable QIRAVEL_HOME (--home wins).
#include <filesystem>
#include <string>

std::filesystem::path ResolveProgramFolder(const std::string& homeOption = {});

// The executable's own folder (from /proc/self/exe).
std::filesystem::path ExecutableFolder();

// "dat" under the program folder.
inline std::filesystem::path DatFolder(const std::filesystem::path& programFolder)
{
    return programFolder / "dat";
}
