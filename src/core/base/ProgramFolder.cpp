#include "ProgramFolder.h"

#include <cstdlib>
#include <system_error>

std::filesystem::path ExecutableFolder()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path ResolveProgramFolder(const std::string& homeOption)
{
    if (!homeOption.empty()) return std::filesystem::absolute(homeOption);
    if (const char* env = std::getenv("QIRAVEL_HOME"); env && *env)
        return std::filesystem::absolute(env);
    return ExecutableFolder();
}
