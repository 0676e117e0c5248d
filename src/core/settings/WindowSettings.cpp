#include "WindowSettings.h"

#include "IniFile.h"

#include <algorithm>

namespace {

constexpr const char* kWindow = "window";
constexpr const char* kReport = "minggao";
constexpr const char* kPanel = "panel";
constexpr int kMinChartFont = 7;
constexpr int kMaxChartFont = 20;

}  // namespace

WindowSettings ReadWindowSettings(const IniFile& ini)
{
    WindowSettings s;
    s.left = ini.ReadInt(kWindow, "left", s.left);
    s.top = ini.ReadInt(kWindow, "top", s.top);
    s.width = ini.ReadInt(kWindow, "width", s.width);
    s.height = ini.ReadInt(kWindow, "height", s.height);
    s.state = ini.ReadInt(kWindow, "state", s.state);
    if (s.state < 0 || s.state > 2) s.state = 0;
    s.treeWidth = std::max(ini.ReadInt(kWindow, "treewid", s.treeWidth), kMinTreeWidth);
    s.commentHeight = std::max(ini.ReadInt(kWindow, "pinghei", s.commentHeight), kMinCommentHeight);
    s.skinned = ini.ReadBool(kWindow, "skined", s.skinned);
    s.skinName = ini.ReadString(kWindow, "skinname", s.skinName);
    s.province = ini.ReadInt(kWindow, "sheng", s.province);
    s.city = ini.ReadInt(kWindow, "shi", s.city);
    s.reportFont = ini.ReadString(kReport, "fname", s.reportFont);
    const int reportSize = ini.ReadInt(kReport, "fsize", s.reportFontSize);
    if (reportSize >= 1) s.reportFontSize = reportSize;
    s.reportBackground = static_cast<uint32_t>(ini.ReadInt(kReport, "bcolor", static_cast<int>(s.reportBackground))) & 0xFFFFFF;
    const int chartSize = ini.ReadInt(kPanel, "fsize", s.chartFontSize);
    if (chartSize >= kMinChartFont && chartSize <= kMaxChartFont) s.chartFontSize = chartSize;
    return s;
}

bool WriteWindowSettings(IniFile& ini, const WindowSettings& s)
{
    bool ok = true;
    if (s.state == 0) {
        ok = ini.WriteInt(kWindow, "left", s.left) && ok;
        ok = ini.WriteInt(kWindow, "top", s.top) && ok;
        ok = ini.WriteInt(kWindow, "width", s.width) && ok;
        ok = ini.WriteInt(kWindow, "height", s.height) && ok;
    }
    ok = ini.WriteInt(kWindow, "state", s.state) && ok;
    ok = ini.WriteInt(kWindow, "treewid", s.treeWidth) && ok;
    ok = ini.WriteInt(kWindow, "pinghei", s.commentHeight) && ok;
    ok = ini.WriteString(kReport, "fname", s.reportFont) && ok;
    ok = ini.WriteInt(kReport, "fsize", s.reportFontSize) && ok;
    ok = ini.WriteInt(kReport, "bcolor", static_cast<int>(s.reportBackground)) && ok;
    ok = ini.WriteInt(kPanel, "fsize", s.chartFontSize) && ok;
    ok = ini.WriteInt(kWindow, "sheng", s.province) && ok;
    ok = ini.WriteInt(kWindow, "shi", s.city) && ok;
    return ok;
}

bool WriteSkinChoice(IniFile& ini, bool skinned, const std::string& skinName)
{
    if (!skinned) return ini.WriteBool(kWindow, "skined", false);
    return ini.WriteString(kWindow, "skinname", skinName) && ini.WriteBool(kWindow, "skined", true);
}

int IndexWithin(int index, int count) { return index >= 0 && index < count ? index : 0; }
