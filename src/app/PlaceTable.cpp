#include "PlaceTable.h"

#include "IniFile.h"

#include <cstdio>

const std::vector<std::string>& ProvinceNames()
{
    static const std::vector<std::string> names = {
        "福建省", "北京市", "天津市", "河北省", "山西省", "内蒙古", "辽宁省", "吉林省", "黑龙江省",
        "上海市", "江苏省", "浙江省", "安徽省", "江西省", "山东省", "河南省", "湖北省", "湖南省",
        "广东省", "广西", "海南省", "四川省", "重庆市", "贵州省", "云南省", "西藏", "陕西省",
        "甘肃省", "青海省", "宁夏", "新疆", "台湾省", "香港", "澳门", "未知地"};
    return names;
}

std::vector<Place> PlaceTable::Choices(int province) const
{
    std::vector<Place> out;
    if (province >= 0 && province < kUnknownProvince) {
        const IniFile ini(folder_ / "dat" / "dili.ini");
        const std::string section = ProvinceNames()[province];
        for (const std::string& key : ini.Keys(section)) {
            int a = 120, b = 0, c = 30, d = 0;
            std::sscanf(ini.ReadString(section, key, "120:0*30:0").c_str(), "%d:%d*%d:%d", &a, &b, &c, &d);
            out.push_back({key, a + b / 60.0, c + d / 60.0});
        }
    }
    if (out.empty()) out.push_back({kUnknownPlace, 120, 30});
    return out;
}
