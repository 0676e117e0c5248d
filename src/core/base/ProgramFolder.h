#pragma once
// The program folder holds all of the program's data: "dat" (settings, the case file),
// the comment folder and "skins". In order, it is the folder named by --home DIR, the one
// named by the environment variable QIRAVEL_HOME, the executable's folder when that already
// holds a "dat" folder (a build folder, or a copy unpacked where the user can write), and
// otherwise the user's own folder $XDG_DATA_HOME/qiravel (~/.local/share/qiravel): an
// installed program cannot write beside its executable.
#include <filesystem>
#include <string>

std::filesystem::path ResolveProgramFolder(const std::string& homeOption = {});

// The same, taking the executable's folder as given. The user's own folder is created when
// missing and filled with whatever of the installed defaults (SharedDataFolder) it lacks.
std::filesystem::path ResolveProgramFolder(const std::string& homeOption,
                                           const std::filesystem::path& executableFolder);

// The executable's own folder (from /proc/self/exe).
std::filesystem::path ExecutableFolder();

// The installed defaults of a program whose executable lies in `executableFolder`:
// share/qiravel beside its bin folder, laid out as a program folder.
std::filesystem::path SharedDataFolder(const std::filesystem::path& executableFolder);

// $XDG_DATA_HOME/qiravel, or ~/.local/share/qiravel when XDG_DATA_HOME is unset or not an
// absolute path. Empty when no home folder can be found.
std::filesystem::path UserDataFolder();

// Copies every file under `from` that `to` lacks into the same place under `to`, creating the
// folders on the way. Never replaces or changes a file that is already there, and a file is
// only ever seen whole: it is copied under a temporary name and then linked into place.
// Returns false when something could not be copied (what could be is kept); a missing
// `from` copies nothing and is no failure.
bool SeedFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// "dat" under the program folder.
inline std::filesystem::path DatFolder(const std::filesystem::path& programFolder)
{
    return programFolder / "dat";
}
