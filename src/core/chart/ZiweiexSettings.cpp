#include "ZiweiexSettings.h"

#include "IniFile.h"
#include "ProgramFolder.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace {

uint8_t ReadOption(const IniFile& ini, const char* key, int fallback)
{
    const int v = ini.ReadInt(kChartSettingsSection, key, fallback);
    return v >= 0 && v <= 255 ? static_cast<uint8_t>(v) : uint8_t{255};
}

uint8_t ReadFlag(const IniFile& ini, const char* key)
{
    return ini.ReadBool(kChartSettingsSection, key, false) ? 1 : 0;
}

}  // namespace

std::filesystem::path ChartSettingsFile(const std::filesystem::path& programFolder)
{
    return DatFolder(programFolder) / "set.ini";
}

ChartSettings ReadChartSettings(const std::filesystem::path& programFolder)
{
    const IniFile ini(ChartSettingsFile(programFolder));
    ChartSettings s;
    s.tg5 = ReadOption(ini, "tg5", 0);
    s.tg7 = ReadOption(ini, "tg7", 0);
    s.tg9 = ReadOption(ini, "tg9", 0);
    s.tm = ReadOption(ini, "tm", 0);
    s.run = ReadOption(ini, "run", 0);
    s.showfu = ReadOption(ini, "showfu", 1);
    s.showxiao = ReadOption(ini, "showxiao", 1);
    s.idate = ReadOption(ini, "idate", 0);
    s.save = ReadFlag(ini, "save");
    s.ileft = ini.ReadInt(kChartSettingsSection, "ileft", 0);
    s.zishi = ReadFlag(ini, "zishi");
    s.miaoxian = ReadOption(ini, "miaoxian", 0);
    return s;
}

bool WriteChartSettings(const std::filesystem::path& programFolder, const ChartSettings& s)
{
    std::error_code ec;
    std::filesystem::create_directories(DatFolder(programFolder), ec);
    IniFile ini(ChartSettingsFile(programFolder));
    const auto put = [&ini](const char* key, int value) { return ini.WriteInt(kChartSettingsSection, key, value); };
    return put("tg5", s.tg5) && put("tg7", s.tg7) && put("tg9", s.tg9) && put("tm", s.tm) && put("run", s.run) &&
           put("ileft", s.ileft) && put("save", s.save != 0) && put("showfu", s.showfu) &&
           put("showxiao", s.showxiao) && put("zishi", s.zishi != 0) && put("idate", s.idate) &&
           put("miaoxian", s.miaoxian);
}

int OptionChoice(uint8_t value, int choices) { return std::min<int>(value, choices - 1); }

int ParseTextIndent(const std::string& text)
{
    int value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    if (first == last || *first == '+') return -1;
    const auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last ? value : -1;
}
