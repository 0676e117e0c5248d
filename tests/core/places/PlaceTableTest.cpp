#include "PlaceTable.h"

#include "Gbk.h"
#include "TempHome.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

const std::filesystem::path kShipped = std::filesystem::path(QIRAVEL_RESOURCES) / "places" / "dili.ini";

std::string ReadAll(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// A program folder holding a copy of the shipped place table.
struct ShippedHome {
    TempHome home;
    ShippedHome() { std::filesystem::copy_file(kShipped, PlaceFile(home.path())); }
};

int ProvinceIndex(const std::string& name)
{
    const auto& names = ProvinceNames();
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

}  // namespace

TEST(PlaceTable, ProvincesAreTheShippedSectionsInOrderWithUnknownLast)
{
    ShippedHome h;
    const PlaceTable table(h.home.path());
    ASSERT_EQ(ProvinceNames().size(), static_cast<std::size_t>(kProvinceCount));
    EXPECT_EQ(ProvinceNames().front(), "福建省");
    EXPECT_EQ(ProvinceNames()[kUnknownProvince], "未知地");
    // Every province but the last is a section of the shipped file, and 2,404 places in all.
    std::size_t places = 0;
    for (int p = 0; p < kUnknownProvince; ++p) {
        EXPECT_FALSE(table.Names(p).empty()) << ProvinceNames()[p];
        places += table.Names(p).size();
    }
    EXPECT_EQ(places, 2404u);
    EXPECT_TRUE(table.Names(kUnknownProvince).empty());
}

TEST(PlaceTable, ShippedPlacesReadAsPublishedCoordinates)
{
    // Published city coordinates (degrees and minutes, east and north).
    struct Row { const char* province; const char* name; double longitude, latitude; };
    const Row rows[] = {
        {"北京市", "北京市", 116 + 24 / 60.0, 39 + 54 / 60.0},
        {"福建省", "福州市", 119 + 18 / 60.0, 26 + 5 / 60.0},
        {"西藏", "拉萨市", 91 + 8 / 60.0, 29 + 39 / 60.0},
        {"香港", "香港", 114 + 10 / 60.0, 22 + 17 / 60.0},
    };
    ShippedHome h;
    const PlaceTable table(h.home.path());
    for (const Row& r : rows) {
        const auto places = table.Choices(ProvinceIndex(r.province));
        const auto it = std::find_if(places.begin(), places.end(), [&](const Place& p) { return p.name == r.name; });
        ASSERT_NE(it, places.end()) << r.name;
        EXPECT_NEAR(it->longitude, r.longitude, 1e-9) << r.name;
        EXPECT_NEAR(it->latitude, r.latitude, 1e-9) << r.name;
    }
    // The first place of the first province is what the lists select at start.
    EXPECT_EQ(table.Names(0).front(), "福州市");
    EXPECT_EQ(table.Value(0, "福州市"), "119:18*26:5");
}

TEST(PlaceTable, ValuesSplitAndParse)
{
    struct Row { const char* value; bool parses; double longitude, latitude; };
    const Row rows[] = {
        {"-74:30*40:42", true, -73.5, 40.7},  // minutes add also to negative degrees
        {"118:30*24:15", true, 118.5, 24.25},
        {"120:0*30:0", true, 120, 30},
        {"120:0", false, 0, 0},
        {"120:x*30:0", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const Row& r : rows) {
        const auto c = ParsePlaceValue(r.value);
        ASSERT_EQ(c.has_value(), r.parses) << r.value;
        if (!c) continue;
        EXPECT_NEAR(c->Longitude(), r.longitude, 1e-9) << r.value;
        EXPECT_NEAR(c->Latitude(), r.latitude, 1e-9) << r.value;
    }
    EXPECT_EQ(SplitPlaceValue("-74:30*40:42"), (std::array<std::string, 4>{"-74", "30", "40", "42"}));
    EXPECT_EQ(SplitPlaceValue("abc"), (std::array<std::string, 4>{"abc", "", "", ""}));
    EXPECT_EQ(FormatPlaceValue({-74, 30, 40, 42}), "-74:30*40:42");
}

TEST(PlaceTable, CoordinateChecks)
{
    struct Row { const char *jd, *jf, *wd, *wf; CoordinateCheck result; };
    const Row rows[] = {
        {"179", "59", "89", "59", CoordinateCheck::Ok},
        {"-179", "0", "-9", "0", CoordinateCheck::Ok},
        {"180", "0", "30", "0", CoordinateCheck::BadLongitude},
        {"-180", "0", "30", "0", CoordinateCheck::BadLongitude},
        {"120", "60", "30", "0", CoordinateCheck::BadLongitude},
        {"", "0", "30", "0", CoordinateCheck::BadLongitude},
        {"120", "", "30", "0", CoordinateCheck::BadLongitude},
        {"12a", "0", "30", "0", CoordinateCheck::BadLongitude},
        {"120", "0", "90", "0", CoordinateCheck::BadLatitude},
        {"120", "0", "30", "60", CoordinateCheck::BadLatitude},
        {"120", "0", "", "0", CoordinateCheck::BadLatitude},
        {"120", "-1", "90", "0", CoordinateCheck::BadLongitude},  // longitude is checked first
    };
    for (const Row& r : rows)
        EXPECT_EQ(CheckCoordinates(r.jd, r.jf, r.wd, r.wf).result, r.result)
            << r.jd << ":" << r.jf << "*" << r.wd << ":" << r.wf;
    EXPECT_EQ(CheckCoordinates("05", "7", "-9", "30").value, (PlaceCoordinates{5, 7, -9, 30}));
}

TEST(PlaceTable, AddChangeDeleteGoToTheFileAtOnce)
{
    ShippedHome h;
    const int fujian = 0;
    PlaceTable table(h.home.path());
    ASSERT_TRUE(table.Set(fujian, "新城", {118, 5, 24, 30}));
    // A second table reads the file afresh: the edit is on disk.
    EXPECT_EQ(PlaceTable(h.home.path()).Names(fujian).back(), "新城");
    EXPECT_NE(ReadAll(PlaceFile(h.home.path())).find(*Utf8ToGbk("\n新城=118:5*24:30")), std::string::npos);

    const std::size_t count = table.Names(fujian).size();
    ASSERT_TRUE(table.Set(fujian, "福州市", {119, 20, 26, 6}));
    EXPECT_EQ(table.Names(fujian).size(), count);
    EXPECT_EQ(PlaceTable(h.home.path()).Value(fujian, "福州市"), "119:20*26:6");

    ASSERT_TRUE(table.Remove(fujian, "新城"));
    EXPECT_FALSE(PlaceTable(h.home.path()).Has(fujian, "新城"));
    EXPECT_EQ(table.Value(fujian, "新城"), kDefaultPlaceValue);
}

TEST(PlaceTable, RefusedNamesAndProvincesLeaveTheFileAlone)
{
    ShippedHome h;
    PlaceTable table(h.home.path());
    const std::string before = ReadAll(PlaceFile(h.home.path()));
    for (const char* name : {"", "a=b", "[x]", ";x", " 城", "城 ", "一二三四五六七八九十一", "\xE2\x82\xAC\xF0\x9F\x98\x80"})
        EXPECT_FALSE(table.Set(0, name, {}));
    EXPECT_FALSE(table.Set(kUnknownProvince, "城", {}));
    EXPECT_FALSE(table.Set(-1, "城", {}));
    EXPECT_EQ(ReadAll(PlaceFile(h.home.path())), before);
    EXPECT_TRUE(IsValidPlaceName("一二三四五六七八九十"));
}

TEST(PlaceTable, ProvinceWithoutPlacesFallsBackToUnknown)
{
    TempHome home;  // no place file at all
    PlaceTable table(home.path());
    for (int p : {0, 20, kUnknownProvince}) {
        const auto places = table.Choices(p);
        ASSERT_EQ(places.size(), 1u);
        EXPECT_EQ(places[0].name, "未知地");
        EXPECT_EQ(places[0].longitude, 120.0);
        EXPECT_EQ(places[0].latitude, 30.0);
        EXPECT_TRUE(table.FallsBack(p));
        EXPECT_TRUE(table.Names(p).empty());
    }
    // Deleting the last place of a province brings the stand-in back.
    ASSERT_TRUE(table.Set(20, "海口市", {110, 20, 20, 2}));
    EXPECT_FALSE(table.FallsBack(20));
    ASSERT_TRUE(table.Remove(20, "海口市"));
    EXPECT_TRUE(table.FallsBack(20));
    EXPECT_TRUE(std::filesystem::exists(PlaceFile(home.path())));
}

TEST(PlaceTable, FindOrdersExactThenPrefixThenContains)
{
    ShippedHome h;
    const PlaceTable table(h.home.path());
    struct Row { const char* part; std::vector<std::string> names; };
    const Row rows[] = {
        // Hong Kong's 九龙 is exact and comes before the earlier provinces' 九龙县 and 九龙坡区.
        {"九龙", {"九龙", "九龙县", "九龙坡区"}},
        {"长沙", {"长沙市", "长沙县"}},
        {"朝阳", {"朝阳区", "朝阳市", "朝阳县"}},
        {"不存在的地方", {}},
        {"", {}},
    };
    for (const Row& r : rows) {
        std::vector<std::string> names;
        for (const PlaceMatch& m : table.Find(r.part)) names.push_back(m.name);
        EXPECT_EQ(names, r.names) << r.part;
    }
    const auto hk = table.Find("九龙").front();
    EXPECT_EQ(ProvinceNames()[hk.province], "香港");
    EXPECT_EQ(table.Names(hk.province)[hk.city], "九龙");
    EXPECT_NEAR(hk.longitude, 114 + 11 / 60.0, 1e-9);
    EXPECT_EQ(table.Find("县", 7).size(), 7u);
}

TEST(PlaceTable, AFailedWriteReturnsFalse)
{
    TempHome home;
    std::filesystem::create_directory(PlaceFile(home.path()));  // a folder where the file belongs
    PlaceTable table(home.path());
    EXPECT_FALSE(table.Set(0, "福州市", {119, 18, 26, 5}));
    EXPECT_FALSE(table.Has(0, "福州市"));
    EXPECT_TRUE(table.Names(0).empty());
}
