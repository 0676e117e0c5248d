#pragma once
// Replacing a file so that a crash at any moment leaves either the old or the new content.
#include <filesystem>
#include <string_view>

// Writes `content` to a sibling temporary file, flushes it to disk and renames it over `path`.
// Returns false (and leaves `path` untouched) on any failure.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// Flushes a file that was written by other means to disk; false on failure.
bool SyncFile(const std::filesystem::path& path);
