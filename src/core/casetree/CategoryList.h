#pragma once
// The category list: the names cases are filed under, in display order, kept in the settings
// file "dat/zdinit.ini", section "classes" ("count", then "1" … count). Each call reads the file
// afresh and writes it at once, so other writers of the settings file are never overwritten
// with stale content.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kCategorySection = "classes";
// What a missing name reads as in the category picker.
inline constexpr std::string_view kDefaultCategoryName = "临时保存";
// A name entered in the tree: 1 to 12 GBK bytes (six Chinese characters).
inline constexpr std::size_t kCategoryNameMaxBytes = 12;

// Whether two category names are the same, ignoring the case of Latin letters.
bool SameCategory(std::string_view a, std::string_view b);

// Blanks removed at both ends.
std::string TrimBlanks(std::string_view text);

// A name the tree accepts for a new or renamed category: 1..12 GBK bytes after trimming.
bool IsValidCategoryName(std::string_view trimmed);

// A name a case record can carry: 1..13 GBK bytes (the record's field). Longer names come only
// from a hand-edited settings file; cases are never filed under them, rather than cut.
bool FitsCaseRecord(std::string_view category);

class CategoryList {
public:
    explicit CategoryList(std::filesystem::path settingsFile) : path_(std::move(settingsFile)) {}

    // Names 1 … count; a missing key reads as empty.
    std::vector<std::string> Read() const;
    // The same for the category picker: a missing or empty name reads as "临时保存".
    std::vector<std::string> ReadForPicker() const;
    // Adds the name at the end unless the list holds it already (ignoring case).
    bool Add(const std::string& name);
    // The first entry equal to `from` (ignoring case) takes the name `to`.
    bool Rename(const std::string& from, const std::string& to);
    // Writes "count" and the names in order; keys beyond the new count stay, unread.
    bool WriteAll(const std::vector<std::string>& names);

private:
    std::filesystem::path path_;
};
