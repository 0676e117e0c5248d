// The case store: comment documents and their names.
#include "AtomicFile.h"
#include "Database.h"

#include <cstdio>
#include <cstring>

namespace {

// The candidate numbered this is taken even when a document of that name exists.
constexpr int kLastCommentSuffix = 99999;

// Characters that cannot stand in a file name here or on the systems exports travel to.
bool IsForbiddenInFileName(unsigned char c)
{
    return c < 0x20 || c == 0x7F || std::strchr("/\\:*?\"<>|", c) != nullptr;
}

bool DocumentExists(const std::filesystem::path& folder, const std::string& commentName)
{
    std::error_code ec;
    return std::filesystem::exists(folder / (commentName + std::string(kCommentExtension)), ec);
}

}  // namespace

bool IsSafeCommentName(std::string_view name)
{
    if (name.empty() || name == "." || name.find("..") != std::string_view::npos) return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || c == '/' || c == '\\') return false;
    }
    return true;
}

std::string CommentBaseName(std::string_view name, const MDateTime& birth)
{
    std::string safe;
    for (const char c : name) {
        const bool dotRun = c == '.' && (safe.empty() || safe.back() == '.');
        safe += IsForbiddenInFileName(static_cast<unsigned char>(c)) || dotRun ? '_' : c;
    }
    char stamp[40];
    std::snprintf(stamp, sizeof stamp, "_%04d%02d%02d%02d%02d", birth.year, birth.month, birth.day, birth.hour,
                  birth.minute);
    return safe + stamp;
}

std::string MDataBase::MakeCommentName(const CaseRecord& record) const
{
    const std::string base = CommentBaseName(record.name, record.birth);
    const std::filesystem::path folder = CommentFolder();
    if (!DocumentExists(folder, base)) return base;
    for (int i = 0;; ++i) {
        std::string candidate = base + "_" + std::to_string(i);
        if (i == kLastCommentSuffix || !DocumentExists(folder, candidate)) return candidate;
    }
}

std::optional<std::filesystem::path> MDataBase::CommentPath(const CaseRecord& record) const
{
    if (programFolder_.empty() || !IsSafeCommentName(record.commentName)) return std::nullopt;
    return CommentFolder() / (record.commentName + std::string(kCommentExtension));
}

DbStatus MDataBase::SaveComment(const CaseRecord& record, std::string_view rtf) const
{
    const auto path = CommentPath(record);
    if (!path) return DbStatus::BadText;
    std::error_code ec;
    std::filesystem::create_directory(CommentFolder(), ec);
    if (ec) return DbStatus::IoError;
    return WriteFileAtomically(*path, rtf) ? DbStatus::Ok : DbStatus::IoError;
}

DbStatus MDataBase::DeleteComment(const CaseRecord& record) const
{
    const auto path = CommentPath(record);
    if (!path) return DbStatus::Ok;  // no document of ours can have that name
    std::error_code ec;
    std::filesystem::remove(*path, ec);
    return ec ? DbStatus::IoError : DbStatus::Ok;
}
