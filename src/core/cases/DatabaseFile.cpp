#include "DatabaseFile.h"

#include "AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file at `path` can be replaced (compaction, import) or removed (clearing) between our
// open and our lock; a lock on the old file would then guard nothing. Retried this often.
constexpr int kLockAttempts = 4;

bool SameFile(int fd, const std::filesystem::path& path)
{
    struct stat opened{}, named{};
    return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

}  // namespace

DbStatus LockedCaseFile::Open(const std::filesystem::path& path, Mode mode, int64_t& recordCount)
{
    Close();
    recordCount = 0;
    if (path.empty()) return DbStatus::IoError;  // the store was never opened
    int flags = O_CLOEXEC | (mode == Mode::Read ? O_RDONLY : O_RDWR);
    if (mode == Mode::Create) flags |= O_CREAT;
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        const int fd = ::open(path.c_str(), flags, 0644);
        if (fd < 0) {
            return errno == ENOENT && mode != Mode::Create ? DbStatus::Ok : DbStatus::IoError;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            ::close(fd);
            return error == EWOULDBLOCK ? DbStatus::Busy : DbStatus::IoError;
        }
        struct stat st{};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return DbStatus::IoError;
        }
        if (SameFile(fd, path)) {
            fd_ = fd;
            recordCount = static_cast<int64_t>(st.st_size) / static_cast<int64_t>(kCaseRecordSize);
            return DbStatus::Ok;
        }
        ::close(fd);
    }
    return DbStatus::Busy;
}

void LockedCaseFile::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool LockedCaseFile::CloseChecked()
{
    if (fd_ < 0) return true;
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
}

int LockedCaseFile::Release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

namespace {

// Moves `size` bytes with pread or pwrite, going on after interruptions and short transfers.
template <class Transfer, class Byte>
bool TransferAll(Transfer transfer, int fd, Byte* p, std::size_t size, int64_t offset)
{
    while (size > 0) {
        const ssize_t n = transfer(fd, p, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

}  // namespace

bool ReadAt(int fd, void* buffer, std::size_t size, int64_t offset)
{
    return TransferAll(::pread, fd, static_cast<char*>(buffer), size, offset);
}

bool WriteAt(int fd, const void* buffer, std::size_t size, int64_t offset)
{
    return TransferAll(::pwrite, fd, static_cast<const char*>(buffer), size, offset);
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    content.clear();
    char buffer[1 << 16];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok;
}

bool CopyFileFlushed(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::string content;
    return ReadWholeFile(from, content) && WriteFileAtomically(to, content);
}
