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
    // The file's mode grants no one write access: the user made it read-only, and replacing
    // it (compaction, import) would quietly undo that.
    bool IsWriteProtected() const;
    // Hands the descriptor over to the caller, who must close it.
    int Release();

private:
    int fd_ = -1;
};

// Whole-buffer positioned I/O, retried after interruptions and short transfers.
bool ReadAt(int fd, void* buffer, std::size_t size, int64_t offset);
bool WriteAt(int fd, const void* buffer, std::size_t size, int64_t offset);
// Opens a regular file for reading, never through a symlink; -1 for anything else.
// `size` and `mode` receive its size and permission bits.
int OpenRegularNoFollow(const std::filesystem::path& path, int64_t& size, unsigned& mode);
// Reads a whole small regular file (not through a symlink); false on failure.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content);
// Streams `size` bytes of `from` (read from offset 0) into the open file `to`; memory stays
// bounded whatever the size.
bool CopyBytes(int from, int64_t size, int to);
// Replaces `to` with a flushed copy of the regular file `from` (a symlink is refused), streamed
// through a fresh temporary file beside `to`. The copy keeps the mode of the file it replaces,
// or takes that of `from` when `to` is new. False (and `to` untouched) on failure.
bool CopyFileFlushed(const std::filesystem::path& from, const std::filesystem::path& to);
// The same from a file already open; `fromMode` as for a new `to`.
bool CopyOpenFileFlushed(int from, int64_t size, unsigned fromMode, const std::filesystem::path& to);
