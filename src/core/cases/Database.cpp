// The case store: record operations on the case file.
#include "Database.h"

#include "AtomicFile.h"
#include "DatabaseFile.h"
#include "DatabaseLayout.h"
#include "Gbk.h"
#include "ProgramFolder.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace CaseLayout;

// Records read or written per system call when the whole file is walked.
constexpr int64_t kBatchRecords = 1024;

constexpr int64_t Offset(int64_t number) { return number * static_cast<int64_t>(kCaseRecordSize); }

int32_t ClampCount(int64_t count) { return count > INT32_MAX ? INT32_MAX : static_cast<int32_t>(count); }

// Walks the records of an open file in batches, handing each batch to `visit(first, bytes, n)`.
template <class Visit>
bool ForEachBatch(int fd, int64_t count, Visit visit)
{
    std::vector<uint8_t> buffer(static_cast<std::size_t>(kBatchRecords) * kCaseRecordSize);
    for (int64_t first = 0; first < count; first += kBatchRecords) {
        const int64_t n = std::min(kBatchRecords, count - first);
        if (!ReadAt(fd, buffer.data(), static_cast<std::size_t>(n) * kCaseRecordSize, Offset(first))) return false;
        if (!visit(first, buffer.data(), n)) return false;
    }
    return true;
}

DbStatus ReadRecord(int fd, int64_t count, int32_t number, CaseRecord& record)
{
    if (number < 0 || number >= count) return DbStatus::OutOfRange;
    CaseRecordBytes bytes;
    if (!ReadAt(fd, bytes.data(), bytes.size(), Offset(number))) return DbStatus::IoError;
    record = DecodeCaseRecord(bytes.data());
    record.recordNo = number;  // the position is the number shown and used, whatever is stored
    return record.IsDeleted() ? DbStatus::Deleted : DbStatus::Ok;
}

// One text test of a search, prepared once: the pattern in GBK.
class TextFilter {
public:
    TextFilter(MatchMode mode, const std::string& pattern) : mode_(mode)
    {
        if (mode_ == MatchMode::Unused) return;
        // A pattern GBK cannot hold is in no record's text.
        const auto gbk = Utf8ToGbk(pattern);
        impossible_ = !gbk;
        if (gbk) pattern_ = *gbk;
    }
    bool Accepts(std::string_view text) const
    {
        switch (mode_) {
        case MatchMode::Unused: return true;
        case MatchMode::Contains: return !impossible_ && text.find(pattern_) != std::string_view::npos;
        case MatchMode::Equals: return !impossible_ && text == pattern_;
        }
        return false;
    }

private:
    MatchMode mode_;
    std::string pattern_;
    bool impossible_ = false;
};

}  // namespace

MDataBase::~MDataBase() { EndScan(); }

std::filesystem::path MDataBase::CommentFolder() const { return programFolder_ / kCommentFolderName; }

DbStatus MDataBase::Open(const std::filesystem::path& programFolder)
{
    EndScan();
    programFolder_ = programFolder;
    caseFilePath_ = DatFolder(programFolder) / kCaseFileName;
    std::error_code ec;
    if (!std::filesystem::is_directory(programFolder, ec)) return DbStatus::IoError;
    std::filesystem::create_directory(DatFolder(programFolder), ec);
    if (ec) return DbStatus::IoError;
    const int fd = ::open(caseFilePath_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) return ::close(fd) == 0 ? DbStatus::Ok : DbStatus::IoError;
    if (errno != EEXIST) return DbStatus::IoError;
    if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(caseFilePath_, ec))) return DbStatus::IoError;
    FinishInterruptedImport();
    return DbStatus::Ok;
}

DbStatus MDataBase::Count(int32_t& count) const
{
    LockedCaseFile file;
    int64_t n = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, n); s != DbStatus::Ok) return s;
    count = ClampCount(n);
    return DbStatus::Ok;
}

DbStatus MDataBase::Append(CaseRecord& record)
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Create, count); s != DbStatus::Ok)
        return s;
    if (count >= INT32_MAX) return DbStatus::IoError;
    CaseRecord appended = record;
    appended.recordNo = static_cast<int32_t>(count);
    appended.deleted = 0;
    const auto bytes = EncodeCaseRecord(appended);
    if (!bytes) return DbStatus::BadText;
    if (!WriteAt(file.fd(), bytes->data(), bytes->size(), Offset(count))) {
        // Leave no half-written record behind.
        [[maybe_unused]] const int rc = ::ftruncate(file.fd(), Offset(count));
        return DbStatus::IoError;
    }
    if (!file.CloseChecked()) return DbStatus::IoError;
    appended.image = *bytes;
    record = std::move(appended);
    return DbStatus::Ok;
}

DbStatus MDataBase::Read(int32_t number, CaseRecord& record) const
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, count); s != DbStatus::Ok) return s;
    return ReadRecord(file.fd(), count, number, record);
}

DbStatus MDataBase::Write(int32_t number, const CaseRecord& record)
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::ReadWrite, count); s != DbStatus::Ok)
        return s;
    if (number < 0 || number >= count) return DbStatus::OutOfRange;
    CaseRecord written = record;
    written.recordNo = number;  // a record's number is its position
    const auto bytes = EncodeCaseRecord(written);
    if (!bytes) return DbStatus::BadText;
    if (!WriteAt(file.fd(), bytes->data(), bytes->size(), Offset(number))) return DbStatus::IoError;
    return file.CloseChecked() ? DbStatus::Ok : DbStatus::IoError;
}

DbStatus MDataBase::MarkDeleted(int32_t number)
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::ReadWrite, count); s != DbStatus::Ok)
        return s;
    if (number < 0 || number >= count) return DbStatus::OutOfRange;
    const uint8_t deleted = 1;
    if (!WriteAt(file.fd(), &deleted, 1, Offset(number) + static_cast<int64_t>(kDeleted.offset)))
        return DbStatus::IoError;
    return file.CloseChecked() ? DbStatus::Ok : DbStatus::IoError;
}

DbStatus MDataBase::DeleteCase(int32_t number, CaseRecord& record)
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::ReadWrite, count); s != DbStatus::Ok)
        return s;
    CaseRecord found;
    if (const DbStatus s = ReadRecord(file.fd(), count, number, found); s != DbStatus::Ok) {
        if (s == DbStatus::Deleted) record = std::move(found);
        return s;
    }
    // The record first: should anything fail, no live case is left without its comment.
    const uint8_t deleted = 1;
    if (!WriteAt(file.fd(), &deleted, 1, Offset(number) + static_cast<int64_t>(kDeleted.offset)) ||
        ::fsync(file.fd()) != 0)
        return DbStatus::IoError;
    found.deleted = 1;
    found.image[kDeleted.offset] = 1;
    const DbStatus comment = DeleteComment(found);
    record = std::move(found);
    if (!file.CloseChecked()) return DbStatus::IoError;
    return comment;
}

DbStatus MDataBase::BeginScan()
{
    EndScan();
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, count); s != DbStatus::Ok) return s;
    scanCount_ = ClampCount(count);
    scanFd_ = file.Release();
    scanning_ = true;
    return DbStatus::Ok;
}

DbStatus MDataBase::ReadScanned(int32_t number, CaseRecord& record) const
{
    if (!scanning_) return DbStatus::IoError;
    return ReadRecord(scanFd_, scanCount_, number, record);
}

void MDataBase::EndScan()
{
    if (scanFd_ >= 0) ::close(scanFd_);
    scanFd_ = -1;
    scanning_ = false;
    scanCount_ = 0;
}

DbStatus MDataBase::Search(const SearchCriteria& c, std::vector<int32_t>& found) const
{
    found.clear();
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, count); s != DbStatus::Ok) return s;
    count = ClampCount(count);

    const TextFilter name(c.nameMode, c.namePattern);
    const TextFilter category(c.categoryMode, c.categoryPattern);
    const auto taken = [&](const uint8_t* r) {
        if (r[kDeleted.offset] != 0) return false;
        if (!name.Accepts(FieldText(r, kName)) || !category.Accepts(FieldText(r, kCategory))) return false;
        if (c.sexFilter && r[kIsMale.offset] != c.sexValue) return false;
        if (c.yearFilter) {
            const int16_t year = LoadI16(r + kBirth.offset);
            if (year < c.yearFrom || year > c.yearTo) return false;
        }
        return c.provinceIndex == -1 || LoadI16(r + kProvinceIndex.offset) == c.provinceIndex;
    };
    const bool ok = ForEachBatch(file.fd(), count, [&](int64_t first, const uint8_t* bytes, int64_t n) {
        for (int64_t i = 0; i < n; ++i)
            if (taken(bytes + i * static_cast<int64_t>(kCaseRecordSize)))
                found.push_back(static_cast<int32_t>(first + i));
        return true;
    });
    if (!ok) {
        found.clear();
        return DbStatus::IoError;
    }
    return DbStatus::Ok;
}

DbStatus MDataBase::Compact()
{
    LockedCaseFile file;
    int64_t count = 0;
    if (const DbStatus s = file.Open(caseFilePath_, LockedCaseFile::Mode::Read, count); s != DbStatus::Ok) return s;
    if (!file.IsOpen()) return DbStatus::Ok;  // no case file: nothing to compact
    if (file.IsWriteProtected()) return DbStatus::WriteProtected;

    // A work file left behind goes; a new one is created exclusively, so a symlink planted under
    // its fixed name is removed, never followed.
    const std::filesystem::path workPath = DatFolder(programFolder_) / kCompactionWorkFileName;
    if (::unlink(workPath.c_str()) != 0 && errno != ENOENT) return DbStatus::IoError;
    const int work = ::open(workPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (work < 0) return DbStatus::IoError;
    if (!CopyModeAndOwner(work, caseFilePath_)) {
        ::close(work);
        std::remove(workPath.c_str());
        return DbStatus::IoError;
    }
    Probe(CompactionStep::WorkFileCreated);

    std::vector<uint8_t> out(static_cast<std::size_t>(kBatchRecords) * kCaseRecordSize);
    int64_t written = 0;
    bool ok = ForEachBatch(file.fd(), count, [&](int64_t, const uint8_t* bytes, int64_t n) {
        std::size_t used = 0;
        const int64_t firstOut = written;
        for (int64_t i = 0; i < n; ++i) {
            const uint8_t* r = bytes + i * static_cast<int64_t>(kCaseRecordSize);
            if (r[kDeleted.offset] != 0) continue;
            std::copy(r, r + kCaseRecordSize, out.data() + used);
            StoreI32(out.data() + used + kRecordNo.offset, static_cast<int32_t>(written++));
            used += kCaseRecordSize;
        }
        if (!WriteAt(work, out.data(), used, Offset(firstOut))) return false;
        Probe(CompactionStep::BatchWritten);
        return true;
    });
    ok = ok && ::fsync(work) == 0;
    if (ok) Probe(CompactionStep::WorkFileFlushed);
    ok = ::close(work) == 0 && ok;
    if (ok) Probe(CompactionStep::WorkFileClosed);
    if (!ok || std::rename(workPath.c_str(), caseFilePath_.c_str()) != 0) {
        std::remove(workPath.c_str());
        return DbStatus::IoError;
    }
    Probe(CompactionStep::Replaced);
    // The rename is in place; making it durable is worth trying, and the data is safe either way.
    SyncFile(DatFolder(programFolder_));
    return DbStatus::Ok;
}
