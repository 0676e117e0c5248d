#include "ProgramFolder.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Where the installed defaults lie relative to the executable's folder (bin/ → share/qiravel).
#ifndef QIRAVEL_SHARED_DATA_FROM_BIN
#define QIRAVEL_SHARED_DATA_FROM_BIN "../share/qiravel"
#endif

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path HomeFolder()
{
    if (std::string home = Environment("HOME"); !home.empty()) return home;
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && *entry->pw_dir) return entry->pw_dir;
    return {};
}

// Copies one file as a whole: a temporary sibling first, then a hard link to the final name,
// which fails rather than replace a file that appeared meanwhile.
bool CopyNew(const fs::path& source, const fs::path& target)
{
    std::error_code ec;
    fs::path temporary = target;
    temporary += ".seeding-" + std::to_string(::getpid());
    fs::remove(temporary, ec);
    if (!fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec) || ec) {
        fs::remove(temporary, ec);
        return false;
    }
    const bool linked = ::link(temporary.c_str(), target.c_str()) == 0 || errno == EEXIST;
    fs::remove(temporary, ec);
    return linked;
}

}  // namespace

fs::path ExecutableFolder()
{
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
}

fs::path SharedDataFolder(const fs::path& executableFolder)
{
    return (executableFolder / QIRAVEL_SHARED_DATA_FROM_BIN).lexically_normal();
}

fs::path UserDataFolder()
{
    if (fs::path xdg = Environment("XDG_DATA_HOME"); xdg.is_absolute()) return xdg / "qiravel";
    const fs::path home = HomeFolder();
    return home.empty() ? fs::path() : home / ".local" / "share" / "qiravel";
}

bool SeedFolder(const fs::path& from, const fs::path& to)
{
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return true;
    bool complete = true;
    fs::recursive_directory_iterator it(from, ec), end;
    if (ec) return false;
    for (; it != end; it.increment(ec)) {
        if (ec) return false;
        const fs::path target = to / it->path().lexically_relative(from);
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
            complete = complete && !ec && fs::is_directory(target, ec);
        } else if (it->is_regular_file(ec)) {
            std::error_code existsError;
            if (fs::exists(fs::symlink_status(target, existsError))) continue;
            fs::create_directories(target.parent_path(), ec);
            complete = CopyNew(it->path(), target) && complete;
        }
    }
    return complete && !ec;
}

fs::path ResolveProgramFolder(const std::string& homeOption, const fs::path& executableFolder)
{
    if (!homeOption.empty()) return fs::absolute(homeOption);
    if (const std::string env = Environment("QIRAVEL_HOME"); !env.empty()) return fs::absolute(env);
    std::error_code ec;
    if (fs::is_directory(DatFolder(executableFolder), ec)) return executableFolder;
    const fs::path user = UserDataFolder();
    if (user.empty()) return executableFolder;
    fs::create_directories(DatFolder(user), ec);
    // Best effort: what could not be copied now is tried again at the next start, and a
    // folder that cannot be made shows as the failure of the first thing that writes there.
    SeedFolder(SharedDataFolder(executableFolder), user);
    return user;
}

fs::path ResolveProgramFolder(const std::string& homeOption)
{
    return ResolveProgramFolder(homeOption, ExecutableFolder());
}
