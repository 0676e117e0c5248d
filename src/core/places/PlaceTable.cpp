#include "PlaceTable.h"

#include "Gbk.h"
#include "IniFile.h"
#include "ProgramFolder.h"

#include <charconv>
#include <cstdio>
#include <system_error>

namespace {

bool IsProvince(int province) { return province >= 0 && province < kUnknownProvince; }

// A whole decimal integer with an optional sign, nothing else.
std::optional<int> ParseInt(const std::string& text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+') ++first;
    if (first == last || *first == '+') return std::nullopt;
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last) return std::nullopt;
    return value;
}

std::size_t Utf8Length(const std::string& text)
{
    std::size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

const std::vector<std::string>& ProvinceNames()
{
    static const std::vector<std::string> names = {
        "福建省", "北京市", "天津市", "河北省", "山西省", "内蒙古", "辽宁省", "吉林省", "黑龙江省",
        "上海市", "江苏省", "浙江省", "安徽省", "江西省", "山东省", "河南省", "湖北省", "湖南省",
        "广东省", "广西",   "海南省", "四川省", "重庆市", "贵州省", "云南省", "西藏",   "陕西省",
        "甘肃省", "青海省", "宁夏",   "新疆",   "台湾省", "香港",   "澳门",   "未知地",
    };
    return names;
}

std::filesystem::path PlaceFile(const std::filesystem::path& programFolder)
{
    return DatFolder(programFolder) / "dili.ini";
}

std::string FormatPlaceValue(const PlaceCoordinates& c)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d:%d*%d:%d", c.longitudeDegrees, c.longitudeMinutes, c.latitudeDegrees,
                  c.latitudeMinutes);
    return text;
}

std::array<std::string, 4> SplitPlaceValue(const std::string& value)
{
    std::array<std::string, 4> pieces;
    const auto star = value.find('*');
    const std::string longitude = value.substr(0, star);
    const std::string latitude = star == std::string::npos ? std::string() : value.substr(star + 1);
    const auto split = [](const std::string& part, std::string& degrees, std::string& minutes) {
        const auto colon = part.find(':');
        degrees = part.substr(0, colon);
        if (colon != std::string::npos) minutes = part.substr(colon + 1);
    };
    split(longitude, pieces[0], pieces[1]);
    split(latitude, pieces[2], pieces[3]);
    return pieces;
}

std::optional<PlaceCoordinates> ParsePlaceValue(const std::string& value)
{
    const auto pieces = SplitPlaceValue(value);
    std::array<int, 4> n{};
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const auto v = ParseInt(pieces[i]);
        if (!v) return std::nullopt;
        n[i] = *v;
    }
    return PlaceCoordinates{n[0], n[1], n[2], n[3]};
}

CheckedCoordinates CheckCoordinates(const std::string& longitudeDegrees, const std::string& longitudeMinutes,
                                    const std::string& latitudeDegrees, const std::string& latitudeMinutes)
{
    CheckedCoordinates checked;
    PlaceCoordinates& c = checked.value;
    c.longitudeDegrees = ParseInt(longitudeDegrees).value_or(-300);
    c.longitudeMinutes = ParseInt(longitudeMinutes).value_or(-1);
    c.latitudeDegrees = ParseInt(latitudeDegrees).value_or(-300);
    c.latitudeMinutes = ParseInt(latitudeMinutes).value_or(-1);
    const auto inRange = [](int v, int low, int high) { return v >= low && v <= high; };
    if (!inRange(c.longitudeDegrees, -179, 179) || !inRange(c.longitudeMinutes, 0, 59))
        checked.result = CoordinateCheck::BadLongitude;
    else if (!inRange(c.latitudeDegrees, -89, 89) || !inRange(c.latitudeMinutes, 0, 59))
        checked.result = CoordinateCheck::BadLatitude;
    return checked;
}

bool IsValidPlaceName(const std::string& name)
{
    if (name.empty() || Utf8Length(name) > kMaxPlaceNameChars || !Utf8ToGbk(name)) return false;
    if (name.find_first_of("=[]\r\n") != std::string::npos) return false;
    if (name.front() == ';' || name.front() == '#') return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return !blank(name.front()) && !blank(name.back());
}

PlaceTable::PlaceTable(const std::filesystem::path& programFolder)
    : ini_(std::make_unique<IniFile>(PlaceFile(programFolder))), places_(kUnknownProvince)
{
    for (int p = 0; p < kUnknownProvince; ++p) Refresh(p);
}

PlaceTable::~PlaceTable() = default;

const std::filesystem::path& PlaceTable::path() const { return ini_->path(); }

void PlaceTable::Reload()
{
    ini_ = std::make_unique<IniFile>(ini_->path());
    places_.assign(kUnknownProvince, {});
    for (int p = 0; p < kUnknownProvince; ++p) Refresh(p);
}

void PlaceTable::Refresh(int province)
{
    std::vector<Place>& places = places_[province];
    places.clear();
    for (std::string& name : ini_->Keys(ProvinceNames()[province])) {
        const PlaceCoordinates c = ParsePlaceValue(Value(province, name)).value_or(PlaceCoordinates{});
        places.push_back({std::move(name), c.Longitude(), c.Latitude()});
    }
}

std::vector<std::string> PlaceTable::Names(int province) const
{
    std::vector<std::string> names;
    if (!IsProvince(province)) return names;
    for (const Place& place : places_[province]) names.push_back(place.name);
    return names;
}

std::string PlaceTable::Value(int province, const std::string& name) const
{
    if (!IsProvince(province)) return kDefaultPlaceValue;
    return ini_->ReadString(ProvinceNames()[province], name, kDefaultPlaceValue);
}

bool PlaceTable::Has(int province, const std::string& name) const
{
    return IsProvince(province) && ini_->KeyExists(ProvinceNames()[province], name);
}

std::vector<Place> PlaceTable::Choices(int province) const
{
    if (FallsBack(province)) return {{kUnknownPlace, kUnknownLongitude, kUnknownLatitude}};
    return places_[province];
}

bool PlaceTable::FallsBack(int province) const { return !IsProvince(province) || places_[province].empty(); }

bool PlaceTable::Set(int province, const std::string& name, const PlaceCoordinates& coordinates)
{
    if (!IsProvince(province) || !IsValidPlaceName(name)) return false;
    std::error_code ec;
    std::filesystem::create_directories(ini_->path().parent_path(), ec);
    if (!ini_->WriteString(ProvinceNames()[province], name, FormatPlaceValue(coordinates))) {
        Reload();  // the table shows what the file holds
        return false;
    }
    Refresh(province);
    return true;
}

bool PlaceTable::Remove(int province, const std::string& name)
{
    if (!IsProvince(province)) return true;
    if (!ini_->DeleteKey(ProvinceNames()[province], name)) {
        Reload();
        return false;
    }
    Refresh(province);
    return true;
}

std::vector<PlaceMatch> PlaceTable::Find(const std::string& part, std::size_t limit) const
{
    if (part.empty() || limit == 0) return {};
    std::array<std::vector<PlaceMatch>, 3> groups;  // exact, prefix, contains
    for (int p = 0; p < kUnknownProvince; ++p) {
        const std::vector<Place>& places = places_[p];
        for (std::size_t i = 0; i < places.size(); ++i) {
            const Place& place = places[i];
            const auto at = place.name.find(part);
            if (at == std::string::npos) continue;
            const std::size_t group = place.name.size() == part.size() ? 0 : at == 0 ? 1 : 2;
            if (groups[group].size() < limit)
                groups[group].push_back({p, static_cast<int>(i), place.name, place.longitude, place.latitude});
        }
    }
    std::vector<PlaceMatch> found;
    for (auto& group : groups)
        for (auto& match : group) {
            if (found.size() == limit) return found;
            found.push_back(std::move(match));
        }
    return found;
}
