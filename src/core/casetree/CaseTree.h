#pragma once
// The case tree as data: a root, one entry per category in display order, one entry per case
// under its category. The desktop tree widget mirrors it; every operation here does the file
// work (case store, category list) and changes the data, and the widget then changes the nodes
// the operation names. Categories compare ignoring the case of Latin letters.
#include "CategoryList.h"
#include "Database.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

inline constexpr std::string_view kCaseTreeRootCaption = "命例";
// At start the tree shows the cases at the last this many record positions, newest first.
inline constexpr int32_t kStartupCaseCount = 1000;

// The caption of a case: name, "  农" or "  公", "闰" for a lunar leap month, the date with the
// year in historical numbering, "|" and the record number. Example: 某人  农闰1990-4-12|15.
std::string CaseCaption(const CaseRecord& record);
// The number after the last "|" of a caption; -1 when there is none.
int32_t CaseNumberOfCaption(std::string_view caption);

struct CaseEntry {
    int32_t number = -1;
    std::string caption;
    bool male = true;
};

struct CategoryEntry {
    std::string name;
    std::vector<CaseEntry> cases;
};

struct CasePosition {
    int category = -1;
    int index = -1;
};

enum class ShowAllOutcome { Shown, NoRecords, NothingFound, Failed };
enum class CategoryOutcome { Done, BadName, Exists, Failed };

class CaseTree {
public:
    CaseTree(MDataBase& store, std::filesystem::path settingsFile);

    const std::vector<CategoryEntry>& Categories() const { return categories_; }
    std::size_t CaseCount() const;

    // Rebuilds from the category list and the live records among `numbers`, in that order.
    // On a failed read the tree keeps what was read so far and the failure is returned.
    DbStatus Fill(const std::vector<int32_t>& numbers);
    // The start-up fill: record positions count-1 down to count-1000.
    DbStatus FillNewest();
    // "显示全部命例": every live record, oldest first within each category.
    ShowAllOutcome ShowAll(DbStatus* failure = nullptr);

    std::optional<int> FindCategory(std::string_view name) const;
    std::optional<CasePosition> FindCase(int32_t number) const;
    // Categories a case can move to: all but its own, in tree order.
    std::vector<int> MoveTargets(int32_t number) const;

    // Adds a category at the end; `index` is the new one, or the existing one for Exists.
    CategoryOutcome AddCategory(std::string_view name, int& index);
    // Gives category `index` a new name, in every live record filed under it (ignoring case)
    // and in the category list; `index` becomes the clashing category for Exists.
    CategoryOutcome RenameCategory(int& index, std::string_view name);
    // Deletes the cases shown under category `index` (record, then comment document) and the
    // category entry; `deleted` receives the record numbers. Stops at the first failure.
    DbStatus DeleteCategory(int index, std::vector<int32_t>& deleted);
    // Moves category `from` before category `before` (drag and drop).
    void MoveCategory(int from, int before);
    // Writes the category list from the tree.
    bool SaveCategories();

    // Files a case under category `target`: record first, then the tree entry. BadText when
    // the category name cannot stand in a record.
    DbStatus MoveCase(int32_t number, int target);
    // Marks the record deleted, then deletes its comment document and the tree entry. A comment
    // that cannot be deleted is left (the case is deleted all the same); that status is returned.
    DbStatus DeleteCase(int32_t number);
    // After a save: the case entry of that number takes the record's caption (stored mode), or a
    // new entry is added at the end of its category, made when missing (new mode). Returns the
    // category index.
    std::optional<CasePosition> UpdateCase(const CaseRecord& record);
    CasePosition AddCase(const CaseRecord& record);

private:
    int CategoryFor(const std::string& name);
    CategoryList List() const { return CategoryList(settingsFile_); }

    MDataBase& store_;
    std::filesystem::path settingsFile_;
    std::vector<CategoryEntry> categories_;
};
