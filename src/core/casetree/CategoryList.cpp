#include "CategoryList.h"

#include "Gbk.h"
#include "IniFile.h"

namespace {

const std::string kSection(kCategorySection);

char LowerLatin(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

bool SameCategory(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerLatin(a[i]) != LowerLatin(b[i])) return false;
    return true;
}

std::string TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

bool IsValidCategoryName(std::string_view trimmed)
{
    const auto bytes = GbkByteCount(trimmed);
    return bytes && *bytes >= 1 && *bytes <= kCategoryNameMaxBytes;
}

bool FitsCaseRecord(std::string_view category)
{
    const auto bytes = GbkByteCount(category);
    return bytes && *bytes >= 1 && *bytes <= 13;
}

std::vector<std::string> CategoryList::Read() const
{
    const IniFile ini(path_);
    const int count = ini.ReadInt(kSection, "count", 0);
    std::vector<std::string> names;
    for (int i = 1; i <= count && i <= 100000; ++i) names.push_back(ini.ReadString(kSection, std::to_string(i), ""));
    return names;
}

std::vector<std::string> CategoryList::ReadForPicker() const
{
    std::vector<std::string> names = Read();
    for (std::string& name : names)
        if (name.empty()) name = kDefaultCategoryName;
    return names;
}

bool CategoryList::Add(const std::string& name)
{
    for (const std::string& existing : Read())
        if (SameCategory(existing, name)) return true;
    IniFile ini(path_);
    const int count = std::max(0, ini.ReadInt(kSection, "count", 0)) + 1;
    return ini.WriteString(kSection, std::to_string(count), name) && ini.WriteInt(kSection, "count", count);
}

bool CategoryList::Rename(const std::string& from, const std::string& to)
{
    const std::vector<std::string> names = Read();
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameCategory(names[i], from)) return IniFile(path_).WriteString(kSection, std::to_string(i + 1), to);
    return true;
}

bool CategoryList::WriteAll(const std::vector<std::string>& names)
{
    IniFile ini(path_);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!ini.WriteString(kSection, std::to_string(i + 1), names[i])) return false;
    return ini.WriteInt(kSection, "count", int(names.size()));
}
