#include "DatabaseFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <vector>
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
    // Never through a symlink: the case file is replaced by rename, which would leave the link
    // pointing at the old file (or, for a dangling link, create whatever it names).
    int flags = O_CLOEXEC | O_NOFOLLOW | (mode == Mode::Read ? O_RDONLY : O_RDWR);
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

bool LockedCaseFile::IsWriteProtected() const
{
    struct stat st{};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 && (st.st_mode & 0222) == 0;
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

int OpenRegularNoFollow(const std::filesystem::path& path, int64_t& size, unsigned& mode)
{
    // O_NONBLOCK: a FIFO planted here must not hang the open; it is refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st{};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    size = static_cast<int64_t>(st.st_size);
    mode = static_cast<unsigned>(st.st_mode & 07777);
    return fd;
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content)
{
    int64_t size = 0;
    unsigned mode = 0;
    const int fd = OpenRegularNoFollow(path, size, mode);
    if (fd < 0) return false;
    content.assign(static_cast<std::size_t>(size), '\0');
    const bool ok = ReadAt(fd, content.data(), content.size(), 0);
    ::close(fd);
    return ok;
}

bool CopyBytes(int from, int64_t size, int to)
{
    std::vector<char> buffer(1 << 16);
    int64_t offset = 0;
    while (offset < size) {
        const auto n = static_cast<std::size_t>(std::min<int64_t>(static_cast<int64_t>(buffer.size()), size - offset));
        if (!ReadAt(from, buffer.data(), n, offset) || !WriteAllTo(to, std::string_view(buffer.data(), n)))
            return false;
        offset += static_cast<int64_t>(n);
    }
    return true;
}

bool CopyOpenFileFlushed(int from, int64_t size, unsigned fromMode, const std::filesystem::path& to)
{
    struct stat existing{};
    const bool replacing = ::lstat(to.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    std::filesystem::path temp;
    const int fd = CreateTempBeside(to, temp);
    if (fd < 0) return false;
    // A new copy is no more open than its source: a private document stays private.
    struct stat created{};
    bool ok = replacing ? CopyModeAndOwner(fd, to)
                        : ::fstat(fd, &created) == 0 && ::fchmod(fd, created.st_mode & fromMode & 0666) == 0;
    ok = ok && CopyBytes(from, size, fd) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (!ok || std::rename(temp.c_str(), to.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool CopyFileFlushed(const std::filesystem::path& from, const std::filesystem::path& to)
{
    int64_t size = 0;
    unsigned mode = 0;
    const int fd = OpenRegularNoFollow(from, size, mode);
    if (fd < 0) return false;
    const bool ok = CopyOpenFileFlushed(fd, size, mode, to);
    ::close(fd);
    return ok;
}
