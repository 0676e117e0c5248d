// The case store as a whole: export, import and clearing.
#include "AtomicFile.h"
#include "Database.h"
#include "DatabaseFile.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Where an import waits, beside the comment folder, until the new case file is in place: the
// new case file, the imported comment documents and, written last, the list of their names.
// The rename of the staged case file over the old one is the moment the import happens; a
// staging folder holding the list but no case file is an import whose comments must still move.
constexpr std::string_view kImportStagingSuffix = ".import";
constexpr std::string_view kImportListName = "imported.lst";

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// Comment documents are matched the way the Windows wildcard "*.rtf" matches: ignoring case.
// Symlinks are no documents: following one could copy out a file the link merely points at.
bool IsCommentDocument(const fs::directory_entry& entry)
{
    std::error_code ec;
    return fs::is_regular_file(entry.symlink_status(ec)) &&
           EqualsIgnoringCase(entry.path().extension().string(), kCommentExtension);
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

    // A missing case file exports as an empty one. The copy is streamed from the locked file.
    struct stat st{};
    bool ok = !file.IsOpen() ? WriteFileAtomically(folder / kCaseFileName, {})
                             : ::fstat(file.fd(), &st) == 0 &&
                                   CopyOpenFileFlushed(file.fd(), count * static_cast<int64_t>(kCaseRecordSize),
                                                       static_cast<unsigned>(st.st_mode), folder / kCaseFileName);

    fs::create_directory(comments, ec);
    if (ec || fs::is_symlink(comments, ec)) return DbStatus::IoError;
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
    if (!sourceCases) return DbStatus::IoError;
    auto sourceComments = FindEntryIgnoringCase(folder, kCommentFolderName);
    if (sourceComments && !fs::is_directory(*sourceComments, ec)) sourceComments.reset();
    if (SameLocation(*sourceCases, caseFilePath_) || (sourceComments && SameLocation(*sourceComments, CommentFolder())))
        return DbStatus::OwnFolder;
    if (sourceComments && fs::is_symlink(*sourceComments, ec)) return DbStatus::NotCaseFile;
    // Checked through the one open the copy reads from, so the file cannot change in between.
    int64_t size = 0;
    unsigned sourceMode = 0;
    const int source = OpenRegularNoFollow(*sourceCases, size, sourceMode);
    if (source < 0 || size % static_cast<int64_t>(kCaseRecordSize) != 0) {
        if (source >= 0) ::close(source);
        return DbStatus::NotCaseFile;
    }
    struct SourceCloser {
        int fd;
        ~SourceCloser() { ::close(fd); }
    } closer{source};

    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Create, count); s != DbStatus::Ok)
        return s;
    if (file.IsWriteProtected()) return DbStatus::WriteProtected;

    // Stage everything beside the current files; until the case file is replaced, a failure
    // leaves the current cases as they were.
    fs::path staging = CommentFolder();
    staging += kImportStagingSuffix;
    fs::remove_all(staging, ec);
    std::vector<fs::path> imported;
    bool staged = !ec && fs::create_directory(staging, ec) && !ec;
    staged = staged && (fs::create_directory(CommentFolder(), ec) || !ec) && fs::is_directory(CommentFolder(), ec);
    const fs::path stagedCases = staging / kCaseFileName;
    if (staged) {
        const int out = ::open(stagedCases.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        staged = out >= 0 && CopyModeAndOwner(out, caseFilePath_) && CopyBytes(source, size, out) && ::fsync(out) == 0;
        if (out >= 0) staged = ::close(out) == 0 && staged;
    }
    if (staged && sourceComments) staged = ListCommentDocuments(*sourceComments, imported);
    std::string names;
    for (const fs::path& document : imported) {
        staged = staged && CopyFileFlushed(document, staging / document.filename());
        names += document.filename().string() + '\n';
    }
    staged = staged && WriteFileAtomically(staging / kImportListName, names) && SyncFile(staging);
    if (!staged || std::rename(stagedCases.c_str(), caseFilePath_.c_str()) != 0) {
        fs::remove_all(staging, ec);
        return DbStatus::IoError;
    }
    SyncFile(caseFilePath_.parent_path());
    return FinishImport(staging) ? DbStatus::Ok : DbStatus::IoError;
}

bool MDataBase::FinishImport(const fs::path& staging) const
{
    // The imported cases are in place: now their comment documents take over the comment folder.
    // A document that cannot be moved stays in the staging folder, for the next Open to move.
    std::string list;
    if (!ReadWholeFile(staging / kImportListName, list)) return false;
    std::set<std::string> importedNames;
    std::error_code ec;
    bool moved = true;
    for (std::size_t start = 0, end; (end = list.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string name = list.substr(start, end - start);
        if (!IsSafeCommentName(name)) continue;
        importedNames.insert(name);
        if (!fs::exists(fs::symlink_status(staging / name, ec))) continue;  // moved before a crash
        fs::rename(staging / name, CommentFolder() / name, ec);
        moved = moved && !ec;
    }
    if (!moved) return false;
    bool ok = true;
    std::vector<fs::path> current;
    ok = ListCommentDocuments(CommentFolder(), current);
    for (const fs::path& document : current) {
        if (importedNames.count(document.filename().string())) continue;
        fs::remove(document, ec);
        ok = ok && !ec;
    }
    SyncFile(CommentFolder());
    if (ok) fs::remove_all(staging, ec);
    return ok && !ec;
}

void MDataBase::FinishInterruptedImport()
{
    fs::path staging = CommentFolder();
    staging += kImportStagingSuffix;
    std::error_code ec;
    if (!fs::is_directory(fs::symlink_status(staging, ec))) return;
    LockedCaseFile file;
    int64_t count = 0;
    // An import running right now holds the case file; its staging folder is its own business.
    if (file.Open(caseFilePath_, LockedCaseFile::Mode::ReadWrite, count) != DbStatus::Ok) return;
    const bool committed = fs::exists(fs::symlink_status(staging / kImportListName, ec)) &&
                           !fs::exists(fs::symlink_status(staging / kCaseFileName, ec));
    if (committed) FinishImport(staging);  // what cannot be moved now is tried again next time
    else fs::remove_all(staging, ec);      // the import never happened
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
