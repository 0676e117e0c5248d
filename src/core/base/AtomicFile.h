#pragma once
// Replacing a file so that a crash at any moment leaves either the old or the new content.
#include <filesystem>
#include <string_view>

// Writes `content` to a new temporary file beside `path`, flushes it to disk and renames it
// over `path`. The temporary file is created exclusively under a fresh name, so nothing planted
// beside the target (a symlink, say) is ever followed. A file being replaced keeps its mode and,
// where the system allows, its owner. Returns false (and leaves `path` untouched) on any failure.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Creates a new, empty file beside `path` under a fresh name with O_EXCL|O_NOFOLLOW and opens it
// for writing; -1 on failure. `temp` receives its path. Mode 0644 less the umask.
int CreateTempBeside(const std::filesystem::path& path, std::filesystem::path& temp);

// Gives the open file `fd` the mode and owner of the regular file at `like`, when there is one
// (ownership only where the system allows it). False when the mode cannot be set.
bool CopyModeAndOwner(int fd, const std::filesystem::path& like);

// Writes all of `content` to `fd`, going on after interruptions and short writes.
bool WriteAllTo(int fd, std::string_view content);

// Flushes a file that was written by other means to disk; false on failure.
bool SyncFile(const std::filesystem::path& path);
