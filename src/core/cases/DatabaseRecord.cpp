// A case record and its 152 bytes on disk.
#include "Database.h"
#include "DatabaseLayout.h"
#include "Gbk.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace CaseLayout;

std::string DecodeText(const uint8_t* bytes, FieldSpan field)
{
    const std::string_view gbk = FieldText(bytes, field);
    if (std::all_of(gbk.begin(), gbk.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return std::string(gbk);
    return GbkToUtf8(gbk);
}

// Writes `text` into its field. A text equal to what the field already holds leaves the field's
// bytes alone, so foreign bytes the reader would not reproduce (after the terminator, or a
// damaged character) survive a write-back.
bool EncodeText(uint8_t* bytes, FieldSpan field, std::size_t maxBytes, const std::string& text)
{
    if (DecodeText(bytes, field) == text) return true;
    const auto gbk = Utf8ToGbk(text);
    if (!gbk || gbk->size() > maxBytes || gbk->find('\0') != std::string::npos) return false;
    std::memset(bytes + field.offset, 0, field.size);
    std::memcpy(bytes + field.offset, gbk->data(), gbk->size());
    return true;
}

}  // namespace

CaseRecord DecodeCaseRecord(const uint8_t* bytes)
{
    CaseRecord r;
    std::memcpy(r.image.data(), bytes, kCaseRecordSize);
    r.recordNo = LoadI32(bytes + kRecordNo.offset);
    r.deleted = bytes[kDeleted.offset];
    r.name = DecodeText(bytes, kName);
    r.category = DecodeText(bytes, kCategory);
    const uint8_t* birth = bytes + kBirth.offset;
    r.birth = {LoadI16(birth), LoadI16(birth + 2), LoadI16(birth + 4), LoadI16(birth + 6), LoadI16(birth + 8)};
    r.isLunar = bytes[kIsLunar.offset];
    r.isLeap = bytes[kIsLeap.offset];
    r.isMale = bytes[kIsMale.offset];
    r.provinceIndex = LoadI16(bytes + kProvinceIndex.offset);
    r.cityIndex = LoadI16(bytes + kCityIndex.offset);
    r.longitude = LoadF32(bytes + kLongitude.offset);
    r.latitude = LoadF32(bytes + kLatitude.offset);
    r.chartKind = LoadU32(bytes + kChartKind.offset);
    r.commentName = DecodeText(bytes, kCommentName);
    return r;
}

std::optional<CaseRecordBytes> EncodeCaseRecord(const CaseRecord& r)
{
    CaseRecordBytes out = r.image;
    uint8_t* bytes = out.data();
    if (!EncodeText(bytes, kName, kCaseNameMaxBytes, r.name) ||
        !EncodeText(bytes, kCategory, kCategoryMaxBytes, r.category) ||
        !EncodeText(bytes, kCommentName, kCommentNameMaxBytes, r.commentName))
        return std::nullopt;
    StoreI32(bytes + kRecordNo.offset, r.recordNo);
    bytes[kDeleted.offset] = r.deleted;
    uint8_t* birth = bytes + kBirth.offset;
    StoreI16(birth, r.birth.year);
    StoreI16(birth + 2, r.birth.month);
    StoreI16(birth + 4, r.birth.day);
    StoreI16(birth + 6, r.birth.hour);
    StoreI16(birth + 8, r.birth.minute);
    bytes[kIsLunar.offset] = r.isLunar;
    bytes[kIsLeap.offset] = r.isLeap;
    bytes[kIsMale.offset] = r.isMale;
    StoreI16(bytes + kProvinceIndex.offset, r.provinceIndex);
    StoreI16(bytes + kCityIndex.offset, r.cityIndex);
    StoreF32(bytes + kLongitude.offset, r.longitude);
    StoreF32(bytes + kLatitude.offset, r.latitude);
    StoreU32(bytes + kChartKind.offset, r.chartKind);
    return out;
}

void SetBirthData(CaseRecord& record, const ChartInput& input)
{
    record.name = input.name;
    record.birth = input.birth;
    record.isLunar = input.isLunar;
    record.isLeap = input.isLeap;
    record.isMale = input.isMale;
    record.provinceIndex = input.provinceIndex;
    record.cityIndex = input.cityIndex;
    record.longitude = input.longitude;
    record.latitude = input.latitude;
    record.chartKind = input.chartKind;
}

ChartInput BirthDataOf(const CaseRecord& record)
{
    ChartInput input;
    input.name = record.name;  // whole, even a damaged foreign name
    input.birth = record.birth;
    input.isLunar = record.isLunar;
    input.isLeap = record.isLeap;
    input.isMale = record.isMale;
    input.provinceIndex = record.provinceIndex;
    input.cityIndex = record.cityIndex;
    input.longitude = record.longitude;
    input.latitude = record.latitude;
    input.chartKind = static_cast<uint8_t>(record.chartKind);
    return input;
}
