#pragma once
// The case store: every saved person is a case, one fixed-size record in the case file
// "dat/ZiWei.dat", with one rich-text comment document in the comment folder "ZiWei_f".
// The store keeps no cache; every operation opens the case file under an exclusive lock,
// does its work and closes it again, so the file on disk is the only truth and a second
// running copy of the program is turned away (DbStatus::Busy) instead of corrupting it.
#include "MDateTime.h"
#include "ZiweiexTypes.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kStoreName = "ZiWei";
inline constexpr std::string_view kCaseFileName = "ZiWei.dat";        // in "dat"
inline constexpr std::string_view kCommentFolderName = "ZiWei_f";     // in the program folder
inline constexpr std::string_view kCompactionWorkFileName = "ming.bak";  // in "dat"
inline constexpr std::string_view kCommentExtension = ".rtf";
// The folder an export goes into, inside the folder the user picks.
inline constexpr std::string_view kExportFolderName = "Qiravel_导出数据";

// One case as a record of the case file: 152 bytes, little-endian, texts in GBK.
inline constexpr std::size_t kCaseRecordSize = 152;
using CaseRecordBytes = std::array<uint8_t, kCaseRecordSize>;

// Longest texts, in GBK bytes, that a record takes (each field keeps room for a terminating NUL).
inline constexpr std::size_t kCaseNameMaxBytes = 8;
inline constexpr std::size_t kCategoryMaxBytes = 13;
inline constexpr std::size_t kCommentNameMaxBytes = 32;

// The fields of a case record, texts in UTF-8.
struct CaseRecord {
    int32_t recordNo = 0;     // position in the case file; set by Append, renumbered by Compact
    uint8_t deleted = 0;      // non-zero: deleted
    std::string name;         // Latin letters in lower case
    std::string category;
    MDateTime birth{};        // as entered: astronomical year; a lunar date when isLunar
    uint8_t isLunar = 0;
    uint8_t isLeap = 0;       // the lunar month is the leap month (read only when isLunar)
    uint8_t isMale = 1;
    int16_t provinceIndex = 0;  // into the province list; its last entry is "未知地"
    int16_t cityIndex = 0;      // into that province's cities
    float longitude = 120.0f;   // degrees east
    float latitude = 30.0f;     // degrees north
    uint32_t chartKind = 0;     // ChartKind
    std::string commentName;    // file name of the comment document, without folder and ".rtf"

    // The record's bytes as last read from or written to the case file; zero for a new record.
    // Writing starts from them, so the reserved bytes, whatever follows a text's terminator and
    // texts left unchanged survive a read and write-back byte for byte.
    CaseRecordBytes image{};

    bool IsDeleted() const { return deleted != 0; }
    friend bool operator==(const CaseRecord&, const CaseRecord&) = default;
};

// The record's fields from 152 bytes; never fails (undecodable text reads as U+FFFD).
CaseRecord DecodeCaseRecord(const uint8_t* bytes);
// The 152 bytes of a record; nullopt when a changed text cannot be written in GBK or is longer
// than its field allows.
std::optional<CaseRecordBytes> EncodeCaseRecord(const CaseRecord& record);

// The birth data of a case is a ChartInput less its place text.
void SetBirthData(CaseRecord& record, const ChartInput& input);
ChartInput BirthDataOf(const CaseRecord& record);

enum class MatchMode : uint8_t {
    Unused = 0,
    Contains = 1,  // the record's text contains the pattern as a byte substring
    Equals = 2,    // the record's text equals the pattern byte for byte
};

// What Search looks for. Texts compare as GBK bytes: case-sensitive, and an empty pattern is
// contained in every text.
struct SearchCriteria {
    std::string namePattern;      // UTF-8
    std::string categoryPattern;  // UTF-8
    uint8_t sexValue = 0;         // 1 male, 0 female
    int16_t yearFrom = 0;         // astronomical years, inclusive bounds
    int16_t yearTo = 0;
    int16_t provinceIndex = -1;   // -1: any province
    MatchMode nameMode = MatchMode::Unused;
    MatchMode categoryMode = MatchMode::Unused;
    bool sexFilter = false;
    bool yearFilter = false;
};

enum class DbStatus : uint8_t {
    Ok,
    OutOfRange,  // no record of that number
    Deleted,     // the record exists and is marked deleted (Read still hands back its bytes)
    Busy,        // the case file is held by another operation, here or in another running copy
    IoError,     // a file could not be opened, read, written, flushed, copied, renamed or deleted
    BadText,     // a text cannot be written in GBK or is longer than its field
    OwnFolder,   // an export or import folder that is the program's own
    WriteProtected,  // the case file is read-only; it is not replaced behind the user's back
    NotCaseFile,     // an import source that is no case file: a symlink, or not whole records
};

// Steps of a compaction, reported to a probe as each one completes (tests stop the
// compaction there to check that a crash at that point loses nothing).
enum class CompactionStep : uint8_t {
    WorkFileCreated,
    BatchWritten,     // after every batch of records written to the work file
    WorkFileFlushed,
    WorkFileClosed,
    Replaced,         // the work file has been renamed over the case file
};

class MDataBase {
public:
    MDataBase() = default;
    virtual ~MDataBase();
    MDataBase(const MDataBase&) = delete;
    MDataBase& operator=(const MDataBase&) = delete;

    // Remembers the program folder and creates "dat" and an empty case file when missing.
    // Finishes an import that was cut short after its case file was in place. Call first; the
    // program folder itself must exist.
    DbStatus Open(const std::filesystem::path& programFolder);

    const std::filesystem::path& ProgramFolder() const { return programFolder_; }
    const std::filesystem::path& CaseFilePath() const { return caseFilePath_; }
    std::filesystem::path CommentFolder() const;

    // Records in the file, live and deleted; stray bytes after the last whole record are ignored.
    DbStatus Count(int32_t& count) const;

    // Writes the record after the last whole record (over any stray bytes). Sets its number to
    // that position and clears its deleted flag, in the caller's record too.
    DbStatus Append(CaseRecord& record);

    // Ok: the record is live. Deleted: the record's fields are in `record` all the same.
    // Any other result leaves `record` untouched. The record's number is its position, whatever
    // number a foreign or damaged file stores in it.
    DbStatus Read(int32_t number, CaseRecord& record) const;

    // Overwrites record `number`, which must exist; the record number stored is `number`.
    DbStatus Write(int32_t number, const CaseRecord& record);

    DbStatus MarkDeleted(int32_t number);

    // Deletes a case as the user asks for it: reads record `number`, marks it deleted and removes
    // its comment document, all under one hold of the case file, so that no compaction can
    // renumber the file in between. `record` receives the case deleted. Results as for Read
    // when the record is not live; IoError when the comment could not be removed (the record
    // is deleted all the same).
    DbStatus DeleteCase(int32_t number, CaseRecord& record);

    // A scan reads many records through one open, locked case file: BeginScan, any number of
    // ReadScanned (results as for Read, against the count taken at BeginScan), EndScan.
    // Every other operation is turned away as Busy until EndScan.
    DbStatus BeginScan();
    DbStatus ReadScanned(int32_t number, CaseRecord& record) const;
    void EndScan();

    // Numbers of the live records that meet the criteria, ascending.
    DbStatus Search(const SearchCriteria& criteria, std::vector<int32_t>& found) const;

    // Rewrites the case file without its deleted records, renumbering the live ones from 0 in
    // file order. WriteProtected for a read-only case file; the new file keeps the old one's mode
    // and owner. The new file is written and flushed in full before it replaces the old one
    // in a single rename, so a crash at any moment leaves one of the two whole. Comment
    // documents stay as they are: a case finds its comment by name, not by number.
    DbStatus Compact();
    // Called after each step of Compact; for tests.
    void SetCompactionProbe(std::function<void(CompactionStep)> probe) { compactionProbe_ = std::move(probe); }

    // Copies the case file to folder/"ZiWei.dat" and every comment document into
    // folder/"ZiWei_f" (created when missing), replacing files of the same names. The folder
    // must exist and must not be the program folder. Goes on after a failed copy and reports it.
    DbStatus ExportTo(const std::filesystem::path& folder) const;

    // Replaces the cases with those of a folder laid out as an export ("ZiWei.dat" and
    // optionally "ZiWei_f", names matched ignoring letter case). Everything is copied into
    // place beside the current files first; only then does the new case file replace the old
    // one and the old comment documents give way to the imported ones. Any failure before that
    // leaves the current cases as they were. Refuses the program folder itself, a case file that
    // is a symlink or not a whole number of records (NotCaseFile), and a read-only case file
    // (WriteProtected). Symlinked comment documents are skipped. It replaces the cases on its
    // own: clearing them first (ClearAll) would only put them at risk. Should the program stop
    // after the new case file is in place, Open finishes moving the imported comments next time.
    DbStatus ImportFrom(const std::filesystem::path& folder);

    // Deletes the case file and every comment document; the next Open creates an empty file.
    DbStatus ClearAll();

    // Comment documents.
    // A new comment name for a record: its name and stored birth minute ("name_YYYYMMDDhhmm"),
    // made safe as a file name, with "_0", "_1" … appended while a document of that name exists.
    std::string MakeCommentName(const CaseRecord& record) const;
    // The path of the record's comment document; nullopt when the record's comment name is
    // empty or could reach outside the comment folder.
    std::optional<std::filesystem::path> CommentPath(const CaseRecord& record) const;
    // Writes the record's comment document (replacing it whole), creating the comment folder
    // when missing.
    DbStatus SaveComment(const CaseRecord& record, std::string_view rtf) const;
    // Deletes the record's comment document; a missing document is no failure.
    DbStatus DeleteComment(const CaseRecord& record) const;

private:
    void FinishInterruptedImport();
    bool FinishImport(const std::filesystem::path& staging) const;
    void Probe(CompactionStep step) const
    {
        if (compactionProbe_) compactionProbe_(step);
    }

    std::filesystem::path programFolder_;
    std::filesystem::path caseFilePath_;
    int scanFd_ = -1;
    bool scanning_ = false;
    int32_t scanCount_ = 0;
    std::function<void(CompactionStep)> compactionProbe_;
};

// Whether a comment name can be used as a file name inside the comment folder.
bool IsSafeCommentName(std::string_view name);
// The case name and stored birth minute as the base of a comment name, made safe as a file name.
std::string CommentBaseName(std::string_view name, const MDateTime& birth);
// The entry of `folder` named `name` ignoring letter case, as folders written on Windows may
// spell "ZiWei.dat" and "ZiWei_f"; nullopt when there is none.
std::optional<std::filesystem::path> FindEntryIgnoringCase(const std::filesystem::path& folder,
                                                            std::string_view name);
