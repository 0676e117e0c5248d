#pragma once
// The case file opened under an exclusive advisory lock (flock), the way every case-store
// operation opens it; and the plain file I/O the store needs. Internal to the Database unit.
#include "Database.h"

#include <cstdint>
#include <filesystem>
#include <string>

class LockedCaseFile {
public:
    enum class Mode { Read, ReadWrite, Create };

    LockedCaseFile() = default;
    ~LockedCaseFile() { Close(); }
    LockedCaseFile(const LockedCaseFile&) = delete;
    LockedCaseFile& operator=(const LockedCaseFile&) = delete;

    // Opens and locks `path` and counts its whole records. A missing file is created in Create
    // mode; in the others it counts as an empty file that is not open (Ok, count 0, !IsOpen()).
    // Busy when another opener holds the lock.
    DbStatus Open(const std::filesystem::path& path, Mode mode, int64_t& recordCount);
    void Close();
    // Closes and reports whether the close succeeded (a late write error shows here).
    bool CloseChecked();

    bool IsOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    // Hands the descriptor over to the caller, who must close it.
    int Release();

private:
    int fd_ = -1;
};

// Whole-buffer positioned I/O, retried after interruptions and short transfers.
bool ReadAt(int fd, void* buffer, std::size_t size, int64_t offset);
bool WriteAt(int fd, const void* buffer, std::size_t size, int64_t offset);
// Reads a whole file; false on failure.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content);
// Replaces `to` with a flushed copy of `from`; false (and `to` untouched) on failure.
bool CopyFileFlushed(const std::filesystem::path& from, const std::filesystem::path& to);
