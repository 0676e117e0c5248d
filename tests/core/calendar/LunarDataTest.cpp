// The calendar data compiled into the program: the era table and the stored correction texts.
// Expected eras are those of the standard chronological tables of Chinese history; the
// corrections are those of the calendars in force (tests/data/calendar_corrections_619_1900.tsv
// and calendar_corrections_1901_1959.tsv), from which tools/make_corrections.py writes the texts.
#include "Gbk.h"
#include "LunarData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

TEST(EraTable, SizeAndEnds)
{
    const auto table = EraTable();
    ASSERT_EQ(table.size(), 534u);
    const EraRecord& first = table.front();
    EXPECT_EQ(first.firstYear, -2069);
    EXPECT_EQ(first.span, 45);
    EXPECT_EQ(first.offset, 0);
    EXPECT_EQ(first.dynasty, "夏");
    EXPECT_EQ(first.ruler, "禹");
    EXPECT_EQ(first.personalName, "");
    EXPECT_EQ(first.eraName, "禹");
    const EraRecord& last = table.back();
    EXPECT_EQ(last.firstYear, 1949);
    EXPECT_EQ(last.span, 9999);
    EXPECT_EQ(last.offset, 1948);
    EXPECT_EQ(last.dynasty, "当代");
    EXPECT_EQ(last.ruler, "中国");
    EXPECT_EQ(last.personalName, "");
    EXPECT_EQ(last.eraName, "公历纪元");
}

// Eras that continue the count of a predecessor's era under a new ruler or dynasty name.
TEST(EraTable, ContinuedEras)
{
    struct Row {
        int firstYear, span, offset;
        std::string_view dynasty, era;
    };
    for (const Row& want : {Row{905, 3, 1, "唐", "天佑"}, Row{913, 3, 2, "后梁", "乾化"},
                            Row{942, 3, 6, "后晋", "天福"}, Row{959, 2, 5, "后周", "显德"},
                            Row{1271, 24, 7, "元", "至元"}}) {
        bool found = false;
        for (const EraRecord& r : EraTable())
            found |= r.firstYear == want.firstYear && r.span == want.span && r.offset == want.offset &&
                     r.dynasty == want.dynasty && r.eraName == want.era;
        EXPECT_TRUE(found) << want.firstYear << ' ' << want.era;
    }
}

TEST(EraTable, TextsFitTheStoredRecord)
{
    for (const EraRecord& r : EraTable()) {
        const std::string row = std::to_string(r.firstYear) + " " + std::string(r.eraName);
        for (const auto& [text, width] : {std::pair{r.dynasty, 10u}, {r.ruler, 10u}, {r.personalName, 30u},
                                          {r.eraName, 10u}}) {
            const auto bytes = GbkByteCount(text);
            ASSERT_TRUE(bytes.has_value()) << row << ": not GBK: " << text;
            EXPECT_LE(*bytes, width) << row << ": " << text;
        }
        EXPECT_FALSE(r.dynasty.empty()) << row;
        EXPECT_FALSE(r.eraName.empty()) << row;
        EXPECT_GE(r.span, 1) << row;
    }
}

TEST(EraTable, GroupedByDynastyAscendingWithinEach)
{
    std::set<std::string_view> finished;
    const auto table = EraTable();
    for (size_t i = 1; i < table.size(); ++i) {
        if (table[i].dynasty == table[i - 1].dynasty) {
            EXPECT_GE(table[i].firstYear, table[i - 1].firstYear) << table[i].eraName;
        } else {
            finished.insert(table[i - 1].dynasty);
            EXPECT_FALSE(finished.count(table[i].dynasty)) << table[i].dynasty << " appears twice";
        }
    }
}

namespace {

// Stored correction texts cover the corrected eras, one digit per event: new moons from
// JD 1947154 and solar terms from JD 2322140.76, both to JD 2436935.
constexpr size_t kNewMoonEvents = 16586;
constexpr size_t kTermEvents = 7544;

}  // namespace

TEST(StoredCorrections, OneDigitPerEventOfTheCorrectedEras)
{
    EXPECT_EQ(StoredNewMoonCorrections().size(), kNewMoonEvents);
    EXPECT_EQ(StoredTermCorrections().size(), kTermEvents);
    EXPECT_EQ(StoredNewMoonCorrections().find_first_not_of("012"), std::string::npos);
    EXPECT_EQ(StoredTermCorrections().find_first_not_of("012"), std::string::npos);
    // The last event of each era starts within one period of its end.
    EXPECT_EQ(static_cast<size_t>((2436935 - 1947154) / 29.5306) + 1, kNewMoonEvents);
    EXPECT_EQ(static_cast<size_t>((2436935 - 2322140.76) / 365.2422 * 24) + 1, kTermEvents);
}

// The texts are the two lists merged: every listed digit in its place, "0" elsewhere, and no
// event listed twice.
TEST(StoredCorrections, HoldTheCorrectionsOfBothLists)
{
    std::string newMoons(kNewMoonEvents, '0'), terms(kTermEvents, '0');
    struct Count {
        const char* file;
        int rows;
        size_t firstNewMoon, lastNewMoon;
    };
    for (const Count& want : {Count{"/calendar_corrections_619_1900.tsv", 2073, 1, 15856},
                              Count{"/calendar_corrections_1901_1959.tsv", 20, 15857, kNewMoonEvents}}) {
        std::ifstream in(std::string(QIRAVEL_TEST_DATA) + want.file);
        std::string line;
        std::getline(in, line);
        int rows = 0;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string kind, digit;
            size_t index = 0;
            std::getline(fields, kind, '\t');
            fields >> index >> digit;
            ASSERT_GE(index, 1u) << line;
            ASSERT_TRUE(digit == "1" || digit == "2") << line;
            char& slot = (kind == "气" ? terms : newMoons).at(index - 1);
            EXPECT_EQ(slot, '0') << want.file << ": " << kind << ' ' << index << " given twice";
            slot = digit.at(0);
            if (kind == "朔") {
                EXPECT_GE(index, want.firstNewMoon) << line;
                EXPECT_LE(index, want.lastNewMoon) << line;
            }
            ++rows;
        }
        EXPECT_EQ(rows, want.rows) << want.file;
    }
    EXPECT_EQ(StoredNewMoonCorrections(), newMoons);
    EXPECT_EQ(StoredTermCorrections(), terms);
    // The published counts: 1,693 "1" and 193 "2" among the month starts of 619-1900.
    const std::string_view historical = StoredNewMoonCorrections().substr(0, 15856);
    EXPECT_EQ(std::count(historical.begin(), historical.end(), '1'), 1693);
    EXPECT_EQ(std::count(historical.begin(), historical.end(), '2'), 193);
}
