#include "CurrentCase.h"

#include "CategoryList.h"
#include "Gbk.h"

namespace {

// What the birth check accepts (historical years -4713..9999 without 0, in astronomical
// numbering -4712..9999) and what a record's fields can hold.
bool IsPlausible(const CaseRecord& r)
{
    const MDateTime& b = r.birth;
    return !r.name.empty() && b.year >= -4712 && b.year <= 9999 && b.month >= 1 && b.month <= 12 && b.day >= 1 &&
           b.day <= 31 && b.hour >= 0 && b.hour <= 23 && b.minute >= 0 && b.minute <= 59 && r.chartKind <= 2;
}

}  // namespace

void CurrentCase::SetBirthData(const ChartInput& input)
{
    ::SetBirthData(record_, input);
}

SaveOutcome CurrentCase::SaveStored(std::string_view commentRtf)
{
    if (!cast_) return SaveOutcome::NotCast;
    CaseRecord onFile;
    const DbStatus read = store_.Read(storedNumber_, onFile);
    if (read == DbStatus::Deleted || read == DbStatus::OutOfRange) {
        CaseDeleted(storedNumber_);
        return SaveOutcome::CaseGone;
    }
    if (read != DbStatus::Ok) {
        lastStatus_ = read;
        return SaveOutcome::RecordFailed;
    }
    lastStatus_ = store_.SaveComment(record_, commentRtf);
    if (lastStatus_ != DbStatus::Ok) return SaveOutcome::CommentFailed;
    lastStatus_ = store_.Write(storedNumber_, record_);
    if (lastStatus_ != DbStatus::Ok) return SaveOutcome::RecordFailed;
    record_.recordNo = storedNumber_;
    return SaveOutcome::Saved;
}

SaveOutcome CurrentCase::SaveNew(std::string_view category, std::string_view commentRtf, CaseRecord& saved)
{
    if (!cast_) return SaveOutcome::NotCast;
    const auto bytes = GbkByteCount(category);
    if (!bytes || *bytes == 0 || *bytes > kCategoryMaxBytes) return SaveOutcome::BadCategory;
    CaseRecord r = record_;
    r.category = std::string(category);
    r.commentName = store_.MakeCommentName(r);
    const auto path = store_.CommentPath(r);
    std::error_code ec;
    if (!path) {
        lastStatus_ = DbStatus::BadText;
        return SaveOutcome::CommentFailed;
    }
    if (std::filesystem::exists(*path, ec)) return SaveOutcome::CommentExists;
    lastStatus_ = store_.SaveComment(r, commentRtf);
    if (lastStatus_ != DbStatus::Ok) return SaveOutcome::CommentFailed;
    lastStatus_ = store_.Append(r);
    if (lastStatus_ != DbStatus::Ok) {
        store_.DeleteComment(r);
        return SaveOutcome::RecordFailed;
    }
    record_.category = r.category;
    saved = r;
    return SaveOutcome::Saved;
}

ViewOutcome CurrentCase::Read(int32_t number, CaseRecord& record) const
{
    const DbStatus s = store_.Read(number, record);
    if (s == DbStatus::Deleted || s == DbStatus::OutOfRange) return ViewOutcome::NotLive;
    if (s != DbStatus::Ok) return ViewOutcome::Failed;
    return IsPlausible(record) ? ViewOutcome::Ready : ViewOutcome::BadRecord;
}

void CurrentCase::Show(const CaseRecord& record)
{
    record_ = record;
    mode_ = CaseMode::Stored;
    storedNumber_ = record.recordNo;
    commentPath_ = store_.CommentPath(record).value_or(std::filesystem::path());
    cast_ = false;
}

void CurrentCase::New()
{
    mode_ = CaseMode::New;
    storedNumber_ = -1;
    commentPath_.clear();
    cast_ = false;
}

void CurrentCase::CaseMoved(int32_t number, const std::string& category)
{
    if (mode_ == CaseMode::Stored && number == storedNumber_) record_.category = category;
}

void CurrentCase::CategoryRenamed(const std::string& from, const std::string& to)
{
    if (mode_ == CaseMode::Stored && SameCategory(record_.category, from)) record_.category = to;
}

void CurrentCase::CaseDeleted(int32_t number)
{
    if (mode_ != CaseMode::Stored || number != storedNumber_) return;
    New();
}

void CurrentCase::Detach()
{
    New();
}
