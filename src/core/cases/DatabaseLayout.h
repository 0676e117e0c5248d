#pragma once
// Where each field lies in the 152 bytes of a case record, and little-endian access to them.
// Internal to the Database unit: search, deletion and compaction work on the bytes directly.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

struct FieldSpan {
    std::size_t offset;
    std::size_t size;
};

namespace CaseLayout {
inline constexpr FieldSpan kRecordNo{0, 4};
inline constexpr FieldSpan kDeleted{4, 1};
inline constexpr FieldSpan kName{5, 11};
inline constexpr FieldSpan kCategory{16, 14};
inline constexpr FieldSpan kBirth{30, 10};  // year, month, day, hour, minute: int16 each
inline constexpr FieldSpan kIsLunar{40, 1};
inline constexpr FieldSpan kIsLeap{41, 1};
inline constexpr FieldSpan kIsMale{42, 1};
inline constexpr FieldSpan kProvinceIndex{44, 2};
inline constexpr FieldSpan kCityIndex{46, 2};
inline constexpr FieldSpan kLongitude{52, 4};
inline constexpr FieldSpan kLatitude{56, 4};
inline constexpr FieldSpan kChartKind{60, 4};
inline constexpr FieldSpan kCommentName{119, 33};
// Bytes 43, 48..51 and 64..118 are reserved.
}  // namespace CaseLayout

inline uint32_t LoadU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline int16_t LoadI16(const uint8_t* p) { return static_cast<int16_t>(uint16_t(p[0]) | uint16_t(p[1]) << 8); }
inline int32_t LoadI32(const uint8_t* p) { return static_cast<int32_t>(LoadU32(p)); }
inline float LoadF32(const uint8_t* p) { return std::bit_cast<float>(LoadU32(p)); }

inline void StoreU32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void StoreI16(uint8_t* p, int16_t v)
{
    const auto u = static_cast<uint16_t>(v);
    p[0] = uint8_t(u);
    p[1] = uint8_t(u >> 8);
}
inline void StoreI32(uint8_t* p, int32_t v) { StoreU32(p, static_cast<uint32_t>(v)); }
inline void StoreF32(uint8_t* p, float v) { StoreU32(p, std::bit_cast<uint32_t>(v)); }

// The text of a NUL-terminated field: up to its first NUL, or the whole field when it has none
// (as a file written by another program may hold).
inline std::string_view FieldText(const uint8_t* record, FieldSpan field)
{
    const char* begin = reinterpret_cast<const char*>(record + field.offset);
    const void* nul = std::memchr(begin, 0, field.size);
    return {begin, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - begin) : field.size};
}
