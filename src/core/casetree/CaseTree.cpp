#include "CaseTree.h"

#include <algorithm>
#include <cstdio>

std::string CaseCaption(const CaseRecord& r)
{
    std::string caption = r.name;
    caption += r.isLunar ? "  农" : "  公";
    if (r.isLunar && r.isLeap) caption += "闰";
    const int year = r.birth.year <= 0 ? r.birth.year - 1 : r.birth.year;
    char date[64];
    std::snprintf(date, sizeof date, "%d-%d-%d|%d", year, int(r.birth.month), int(r.birth.day), int(r.recordNo));
    return caption + date;
}

int32_t CaseNumberOfCaption(std::string_view caption)
{
    const auto bar = caption.rfind('|');
    if (bar == std::string_view::npos || bar + 1 >= caption.size()) return -1;
    int64_t n = 0;
    for (char c : caption.substr(bar + 1)) {
        if (c < '0' || c > '9' || n > INT32_MAX) return -1;
        n = n * 10 + (c - '0');
    }
    return n > INT32_MAX ? -1 : int32_t(n);
}

CaseTree::CaseTree(MDataBase& store, std::filesystem::path settingsFile)
    : store_(store), settingsFile_(std::move(settingsFile))
{
}

std::size_t CaseTree::CaseCount() const
{
    std::size_t n = 0;
    for (const CategoryEntry& c : categories_) n += c.cases.size();
    return n;
}

int CaseTree::CategoryFor(const std::string& name)
{
    if (const auto found = FindCategory(name)) return *found;
    categories_.push_back(CategoryEntry{name, {}});
    return int(categories_.size()) - 1;
}

DbStatus CaseTree::Fill(const std::vector<int32_t>& numbers)
{
    categories_.clear();
    for (const std::string& name : List().Read())
        if (!name.empty()) categories_.push_back(CategoryEntry{name, {}});
    if (numbers.empty()) return DbStatus::Ok;
    if (const DbStatus s = store_.BeginScan(); s != DbStatus::Ok) return s;
    DbStatus result = DbStatus::Ok;
    CaseRecord r;
    for (const int32_t n : numbers) {
        const DbStatus s = store_.ReadScanned(n, r);
        if (s == DbStatus::Deleted || s == DbStatus::OutOfRange) continue;
        if (s != DbStatus::Ok) {
            result = s;
            break;
        }
        const int c = CategoryFor(r.category);
        categories_[c].cases.push_back(CaseEntry{r.recordNo, CaseCaption(r), r.isMale != 0});
    }
    store_.EndScan();
    return result;
}

DbStatus CaseTree::FillNewest()
{
    int32_t count = 0;
    if (const DbStatus s = store_.Count(count); s != DbStatus::Ok) {
        Fill({});
        return s;
    }
    std::vector<int32_t> numbers;
    for (int32_t n = count - 1; n >= 0 && n >= count - kStartupCaseCount; --n) numbers.push_back(n);
    return Fill(numbers);
}

ShowAllOutcome CaseTree::ShowAll(DbStatus* failure)
{
    int32_t count = 0;
    DbStatus s = store_.Count(count);
    std::vector<int32_t> found;
    if (s == DbStatus::Ok && count == 0) return ShowAllOutcome::NoRecords;
    if (s == DbStatus::Ok) s = store_.Search(SearchCriteria{}, found);
    if (s == DbStatus::Ok && found.empty()) return ShowAllOutcome::NothingFound;
    if (s == DbStatus::Ok) s = Fill(found);
    if (failure) *failure = s;
    return s == DbStatus::Ok ? ShowAllOutcome::Shown : ShowAllOutcome::Failed;
}

std::optional<int> CaseTree::FindCategory(std::string_view name) const
{
    for (std::size_t i = 0; i < categories_.size(); ++i)
        if (SameCategory(categories_[i].name, name)) return int(i);
    return std::nullopt;
}

std::optional<CasePosition> CaseTree::FindCase(int32_t number) const
{
    for (std::size_t c = 0; c < categories_.size(); ++c) {
        const auto& cases = categories_[c].cases;
        for (std::size_t i = 0; i < cases.size(); ++i)
            if (cases[i].number == number) return CasePosition{int(c), int(i)};
    }
    return std::nullopt;
}

std::vector<int> CaseTree::MoveTargets(int32_t number) const
{
    std::vector<int> targets;
    const auto at = FindCase(number);
    for (int c = 0; c < int(categories_.size()); ++c)
        if (!at || c != at->category) targets.push_back(c);
    return targets;
}

CategoryOutcome CaseTree::AddCategory(std::string_view name, int& index)
{
    const std::string trimmed = TrimBlanks(name);
    if (!IsValidCategoryName(trimmed)) return CategoryOutcome::BadName;
    if (const auto existing = FindCategory(trimmed)) {
        index = *existing;
        return CategoryOutcome::Exists;
    }
    if (!List().Add(trimmed)) return CategoryOutcome::Failed;
    categories_.push_back(CategoryEntry{trimmed, {}});
    index = int(categories_.size()) - 1;
    return CategoryOutcome::Done;
}

CategoryOutcome CaseTree::RenameCategory(int& index, std::string_view name)
{
    if (index < 0 || index >= int(categories_.size())) return CategoryOutcome::Failed;
    const std::string trimmed = TrimBlanks(name);
    if (!IsValidCategoryName(trimmed)) return CategoryOutcome::BadName;
    if (const auto existing = FindCategory(trimmed)) {
        index = *existing;
        return CategoryOutcome::Exists;
    }
    // Every live record of the category, not only those the tree shows now: a record left
    // under the old name would bring the old category back at the next start.
    const std::string old = categories_[index].name;
    std::vector<int32_t> all;
    if (store_.Search(SearchCriteria{}, all) != DbStatus::Ok) return CategoryOutcome::Failed;
    for (const int32_t n : all) {
        CaseRecord r;
        if (store_.Read(n, r) != DbStatus::Ok || !SameCategory(r.category, old)) continue;
        r.category = trimmed;
        if (store_.Write(n, r) != DbStatus::Ok) return CategoryOutcome::Failed;
    }
    if (!List().Rename(old, trimmed)) return CategoryOutcome::Failed;
    categories_[index].name = trimmed;
    return CategoryOutcome::Done;
}

DbStatus CaseTree::DeleteCategory(int index, std::vector<int32_t>& deleted)
{
    deleted.clear();
    if (index < 0 || index >= int(categories_.size())) return DbStatus::OutOfRange;
    auto& cases = categories_[index].cases;
    while (!cases.empty()) {
        const int32_t n = cases.front().number;
        CaseRecord r;
        DbStatus s = store_.Read(n, r);
        if (s == DbStatus::Ok) s = store_.MarkDeleted(n);
        if (s != DbStatus::Ok && s != DbStatus::Deleted && s != DbStatus::OutOfRange) return s;
        if (s == DbStatus::Ok) store_.DeleteComment(r);  // a comment left behind harms no case
        deleted.push_back(n);
        cases.erase(cases.begin());
    }
    categories_.erase(categories_.begin() + index);
    return DbStatus::Ok;
}

void CaseTree::MoveCategory(int from, int before)
{
    const int n = int(categories_.size());
    if (from < 0 || from >= n || before < 0 || before >= n || from == before) return;
    CategoryEntry moving = std::move(categories_[from]);
    categories_.erase(categories_.begin() + from);
    if (before > from) --before;
    categories_.insert(categories_.begin() + before, std::move(moving));
}

bool CaseTree::SaveCategories()
{
    std::vector<std::string> names;
    for (const CategoryEntry& c : categories_) names.push_back(c.name);
    return List().WriteAll(names);
}

DbStatus CaseTree::MoveCase(int32_t number, int target)
{
    const auto at = FindCase(number);
    if (!at || target < 0 || target >= int(categories_.size())) return DbStatus::OutOfRange;
    const std::string& name = categories_[target].name;
    if (!FitsCaseRecord(name)) return DbStatus::BadText;
    CaseRecord r;
    if (const DbStatus s = store_.Read(number, r); s != DbStatus::Ok) return s;
    r.category = name;
    if (const DbStatus s = store_.Write(number, r); s != DbStatus::Ok) return s;
    CaseEntry entry = categories_[at->category].cases[at->index];
    entry.male = r.isMale != 0;
    categories_[at->category].cases.erase(categories_[at->category].cases.begin() + at->index);
    categories_[target].cases.push_back(std::move(entry));
    return DbStatus::Ok;
}

DbStatus CaseTree::DeleteCase(int32_t number)
{
    CaseRecord r;
    DbStatus s = store_.Read(number, r);
    if (s == DbStatus::Ok) s = store_.MarkDeleted(number);
    if (s != DbStatus::Ok && s != DbStatus::Deleted && s != DbStatus::OutOfRange) return s;
    if (const auto at = FindCase(number))
        categories_[at->category].cases.erase(categories_[at->category].cases.begin() + at->index);
    // The record first: should the comment stay behind, no live case has lost its comment.
    return s == DbStatus::Ok ? store_.DeleteComment(r) : DbStatus::Ok;
}

std::optional<CasePosition> CaseTree::UpdateCase(const CaseRecord& record)
{
    const auto at = FindCase(record.recordNo);
    if (!at) return std::nullopt;
    CaseEntry& e = categories_[at->category].cases[at->index];
    e.caption = CaseCaption(record);
    e.male = record.isMale != 0;
    return at;
}

CasePosition CaseTree::AddCase(const CaseRecord& record)
{
    const int c = CategoryFor(record.category);
    categories_[c].cases.push_back(CaseEntry{record.recordNo, CaseCaption(record), record.isMale != 0});
    return CasePosition{c, int(categories_[c].cases.size()) - 1};
}
