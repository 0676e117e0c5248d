// The case store as a whole: export, import and clearing.
#include "AtomicFile.h"
#include "Database.h"
#include "DatabaseFile.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace fs = std::filesystem;

namespace {

// Where imported comment documents wait, beside the comment folder, until the new case file is
// in place.
constexpr std::string_view kImportStagingSuffix = ".import";

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Comment documents are matched the way the Windows wildcard "*.rtf" matches: ignoring case.
bool IsCommentDocument(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_regular_file(ec) && EqualsIgnoringCase(entry.path().extension().string(), kCommentExtension);
}

// The comment documents directly in `folder` (none when it does not exist); false when the
// folder exists but cannot be listed.
bool ListCommentDocuments(const fs::path& folder, std::vector<fs::path>& documents)
{
    documents.clear();
    std::error_code ec;
    if (!fs::exists(folder, ec)) return !ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec))
        if (IsCommentDocument(*it)) documents.push_back(it->path());
    return !ec;
}

bool SameLocation(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

}  // namespace

std::optional<fs::path> FindEntryIgnoringCase(const fs::path& folder, std::string_view name)
{
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return folder / name;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec))
        if (EqualsIgnoringCase(it->path().filename().string(), name)) return it->path();
    return std::nullopt;
}

DbStatus MDataBase::ExportTo(const fs::path& folder) const
{
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) return DbStatus::IoError;
    const fs::path comments = folder / kCommentFolderName;
    if (SameLocation(folder, programFolder_) || SameLocation(comments, CommentFolder())) return DbStatus::OwnFolder;
    // Held to the end, so that no one changes the cases half way through the copy.
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, count); s != DbStatus::Ok) return s;

    bool ok = true;
    std::string cases;  // a missing case file exports as an empty one
    if (file.IsOpen()) ok = ReadWholeFile(caseFilePath_, cases);
    ok = ok && WriteFileAtomically(folder / kCaseFileName, cases);

    fs::create_directory(comments, ec);
    if (ec) return DbStatus::IoError;
    std::vector<fs::path> documents;
    ok = ListCommentDocuments(CommentFolder(), documents) && ok;
    for (const fs::path& document : documents) ok = CopyFileFlushed(document, comments / document.filename()) && ok;
    return ok ? DbStatus::Ok : DbStatus::IoError;
}

DbStatus MDataBase::ImportFrom(const fs::path& folder)
{
    std::error_code ec;
    if (programFolder_.empty() || !fs::is_directory(folder, ec)) return DbStatus::IoError;
    if (SameLocation(folder, programFolder_)) return DbStatus::OwnFolder;
    const auto sourceCases = FindEntryIgnoringCase(folder, kCaseFileName);
    if (!sourceCases || !fs::is_regular_file(*sourceCases, ec)) return DbStatus::IoError;
    auto sourceComments = FindEntryIgnoringCase(folder, kCommentFolderName);
    if (sourceComments && !fs::is_directory(*sourceComments, ec)) sourceComments.reset();
    if (SameLocation(*sourceCases, caseFilePath_) || (sourceComments && SameLocation(*sourceComments, CommentFolder())))
        return DbStatus::OwnFolder;

    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Create, count); s != DbStatus::Ok)
        return s;

    // Stage everything beside the current files; until the case file is replaced, a failure
    // leaves the current cases as they were.
    fs::path staging = CommentFolder();
    staging += kImportStagingSuffix;
    fs::remove_all(staging, ec);
    std::vector<fs::path> imported;
    std::string cases;
    bool staged = !ec && fs::create_directory(staging, ec) && !ec;
    staged = staged && (fs::create_directory(CommentFolder(), ec) || !ec);
    if (staged && sourceComments) staged = ListCommentDocuments(*sourceComments, imported);
    for (const fs::path& document : imported)
        staged = staged && CopyFileFlushed(document, staging / document.filename());
    staged = staged && ReadWholeFile(*sourceCases, cases) && WriteFileAtomically(caseFilePath_, cases);
    if (!staged) {
        fs::remove_all(staging, ec);
        return DbStatus::IoError;
    }

    // The imported cases are in place: now their comment documents take over the comment folder.
    // A document that cannot be moved stays in the staging folder rather than being lost.
    bool moved = true;
    std::set<fs::path> importedNames;
    for (const fs::path& document : imported) {
        importedNames.insert(document.filename());
        fs::rename(staging / document.filename(), CommentFolder() / document.filename(), ec);
        moved = moved && !ec;
    }
    if (moved) fs::remove_all(staging, ec);
    bool ok = moved;
    std::vector<fs::path> current;
    ok = ListCommentDocuments(CommentFolder(), current) && ok;
    for (const fs::path& document : current) {
        if (importedNames.count(document.filename())) continue;
        fs::remove(document, ec);
        ok = ok && !ec;
    }
    SyncFile(CommentFolder());
    return ok ? DbStatus::Ok : DbStatus::IoError;
}

DbStatus MDataBase::ClearAll()
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, count); s != DbStatus::Ok) return s;
    std::error_code ec;
    bool ok = !file.IsOpen() || fs::remove(caseFilePath_, ec);
    std::vector<fs::path> documents;
    ok = ListCommentDocuments(CommentFolder(), documents) && ok;
    for (const fs::path& document : documents) ok = fs::remove(document, ec) && ok;
    return ok ? DbStatus::Ok : DbStatus::IoError;
}
