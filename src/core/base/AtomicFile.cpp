#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Fresh names tried before giving up; a clash means someone else is creating files there too.
constexpr int kTempNameAttempts = 16;

// Makes a rename inside `dir` durable.
void SyncFolder(const std::filesystem::path& dir)
{
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool WriteAllTo(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        content.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

int CreateTempBeside(const std::filesystem::path& path, std::filesystem::path& temp)
{
    static std::mt19937_64 rng{std::random_device{}()};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(rng()));
        temp = path;
        temp += suffix;
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) return fd;
        if (errno != EEXIST) return -1;
    }
    return -1;
}

bool CopyModeAndOwner(int fd, const std::filesystem::path& like)
{
    struct stat old{};
    if (::lstat(like.c_str(), &old) != 0 || !S_ISREG(old.st_mode)) return true;  // nothing to keep
    // Only the owner or root may give a file away; anyone else keeps the file as theirs.
    [[maybe_unused]] const int rc = ::fchown(fd, old.st_uid, old.st_gid);
    return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view content)
{
    std::filesystem::path temp;
    const int fd = CreateTempBeside(path, temp);
    if (fd < 0) return false;
    const bool written = CopyModeAndOwner(fd, path) && WriteAllTo(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    SyncFolder(path.parent_path());
    return true;
}

bool SyncFile(const std::filesystem::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}
