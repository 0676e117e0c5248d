// The 152-byte case record: a record assembled byte by byte, as any program writing the same
// layout would, must read field for field, and our records must write exactly those bytes.
#include "CaseFiles.h"
#include "Database.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Hand-assembled from the record layout (little-endian). GBK codes from the GB 2312 code
// chart: 张 D5C5, 三 C8FD, 临 C1D9, 时 CAB1, 保 B1A3, 存 B4E6. IEEE 754 singles: 118.5 is
// 0x42ED0000, 30.0 is 0x41F00000.
CaseRecordBytes ForeignRecord()
{
    CaseRecordBytes b{};
    const auto put = [&](std::size_t at, std::initializer_list<uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
    };
    put(0, {7, 0, 0, 0});                                   // record number 7
    put(4, {0});                                            // live
    put(5, {0xD5, 0xC5, 0xC8, 0xFD, 0});                    // 张三
    put(16, {0xC1, 0xD9, 0xCA, 0xB1, 0xB1, 0xA3, 0xB4, 0xE6, 0});  // 临时保存
    put(30, {0x89, 0xFF, 12, 0, 31, 0, 23, 0, 59, 0});       // -119-12-31 23:59 (120 BC)
    put(40, {1, 1, 0});                                     // lunar, leap month, female
    put(44, {3, 0, 11, 0});                                 // province 3, city 11
    put(52, {0x00, 0x00, 0xED, 0x42});                      // 118.5 E
    put(56, {0x00, 0x00, 0xF0, 0x41});                      // 30.0 N
    put(60, {2, 0, 0, 0});                                  // 人盘
    const std::string comment = "\xD5\xC5\xC8\xFD_-11912312359";
    std::memcpy(b.data() + 119, comment.data(), comment.size());
    return b;
}

}  // namespace

TEST(CaseRecordLayout, ReadsARecordWrittenByAnotherProgram)
{
    const CaseRecordBytes bytes = ForeignRecord();
    const CaseRecord r = DecodeCaseRecord(bytes.data());
    EXPECT_EQ(r.recordNo, 7);
    EXPECT_FALSE(r.IsDeleted());
    EXPECT_EQ(r.name, "张三");
    EXPECT_EQ(r.category, "临时保存");
    EXPECT_EQ(r.birth, (MDateTime{-119, 12, 31, 23, 59}));
    EXPECT_EQ(r.isLunar, 1);
    EXPECT_EQ(r.isLeap, 1);
    EXPECT_EQ(r.isMale, 0);
    EXPECT_EQ(r.provinceIndex, 3);
    EXPECT_EQ(r.cityIndex, 11);
    EXPECT_EQ(r.longitude, 118.5f);
    EXPECT_EQ(r.latitude, 30.0f);
    EXPECT_EQ(r.chartKind, 2u);
    EXPECT_EQ(r.commentName, "张三_-11912312359");
}

TEST(CaseRecordLayout, WritesTheSameBytesFromFieldsAlone)
{
    const CaseRecord read = DecodeCaseRecord(ForeignRecord().data());
    CaseRecord fresh = read;
    fresh.image = {};  // a new record: nothing read before
    const auto bytes = EncodeCaseRecord(fresh);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, ForeignRecord());
}

TEST(CaseRecordLayout, KeepsReservedAndForeignBytesOnWriteBack)
{
    CaseRecordBytes bytes = ForeignRecord();
    bytes[43] = 0xA1;
    bytes[48] = 0xB2;
    bytes[51] = 0xB3;
    bytes[64] = 0xC4;
    bytes[118] = 0xC5;
    bytes[14] = 'x';    // behind the name's terminator
    bytes[151] = 'y';   // behind the comment name's terminator
    CaseRecord r = DecodeCaseRecord(bytes.data());
    EXPECT_EQ(EncodeCaseRecord(r), bytes);

    // A changed text is written afresh: its field is zero-filled behind the terminator;
    // every other byte stays.
    r.name = "李四";
    r.chartKind = 1;
    const auto changed = EncodeCaseRecord(r);
    ASSERT_TRUE(changed);
    CaseRecordBytes expected = bytes;
    const uint8_t li4[11] = {0xC0, 0xEE, 0xCB, 0xC4};
    std::memcpy(expected.data() + 5, li4, sizeof li4);
    expected[60] = 1;
    EXPECT_EQ(*changed, expected);
}

TEST(CaseRecordLayout, NewRecordsHaveZeroReservedBytes)
{
    const auto bytes = EncodeCaseRecord(SampleCase("ab"));
    ASSERT_TRUE(bytes);
    EXPECT_EQ((*bytes)[43], 0);
    for (int i = 48; i < 52; ++i) EXPECT_EQ((*bytes)[i], 0) << i;
    for (int i = 64; i < 119; ++i) EXPECT_EQ((*bytes)[i], 0) << i;
}

TEST(CaseRecordLayout, AFieldWithoutTerminatorReadsWhole)
{
    CaseRecordBytes bytes = ForeignRecord();
    std::memset(bytes.data() + 5, 'a', 11);
    std::memset(bytes.data() + 16, 'b', 14);
    std::memset(bytes.data() + 119, 'c', 33);
    const CaseRecord r = DecodeCaseRecord(bytes.data());
    EXPECT_EQ(r.name, std::string(11, 'a'));
    EXPECT_EQ(r.category, std::string(14, 'b'));
    EXPECT_EQ(r.commentName, std::string(33, 'c'));
    EXPECT_EQ(EncodeCaseRecord(r), bytes);
}

TEST(CaseRecordLayout, RefusesTextsTheFieldsCannotHold)
{
    CaseRecord r = SampleCase("诸葛孔明");  // 8 bytes: the most a name takes
    EXPECT_TRUE(EncodeCaseRecord(r));
    r.name = "诸葛孔明a";
    EXPECT_FALSE(EncodeCaseRecord(r));
    r.name = "😀";  // not in GBK
    EXPECT_FALSE(EncodeCaseRecord(r));
    r = SampleCase("a");
    r.category = "一二三四五六a";  // 13 bytes
    EXPECT_TRUE(EncodeCaseRecord(r));
    r.category += "b";
    EXPECT_FALSE(EncodeCaseRecord(r));
    r = SampleCase("a");
    r.commentName = std::string(32, 'c');
    EXPECT_TRUE(EncodeCaseRecord(r));
    r.commentName += "c";
    EXPECT_FALSE(EncodeCaseRecord(r));
    r.commentName = std::string("a\0b", 3);
    EXPECT_FALSE(EncodeCaseRecord(r));
}

TEST(CaseRecordLayout, BirthDataIsAChartInputLessItsPlace)
{
    ChartInput in;
    in.name = "张三";
    in.birth = {1984, 2, 5, 12, 0};
    in.isLunar = 1;
    in.isLeap = 0;
    in.isMale = 0;
    in.provinceIndex = 5;
    in.cityIndex = 2;
    in.longitude = 111.5f;
    in.latitude = 40.75f;
    in.chartKind = 1;
    CaseRecord r;
    r.category = "家人";
    SetBirthData(r, in);
    EXPECT_EQ(r.name, "张三");
    EXPECT_EQ(r.category, "家人");
    const ChartInput back = BirthDataOf(r);
    EXPECT_EQ(back.name, "张三");
    EXPECT_EQ(back.birth, in.birth);
    EXPECT_EQ(back.isLunar, 1);
    EXPECT_EQ(back.isMale, 0);
    EXPECT_EQ(back.provinceIndex, 5);
    EXPECT_EQ(back.cityIndex, 2);
    EXPECT_EQ(back.longitude, 111.5f);
    EXPECT_EQ(back.latitude, 40.75f);
    EXPECT_EQ(back.chartKind, 1);
    EXPECT_EQ(back.place, "");

    r.name = "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD";  // damaged foreign name
    EXPECT_EQ(BirthDataOf(r).name, r.name);  // whole: no buffer cuts it
}
