#include "ZiweiexSettings.h"

#include "IniFile.h"
#include "ProgramFolder.h"

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
