#pragma once
// GBK <-> UTF-8 at the file boundaries: case-file text fields and INI files are GBK on disk,
// everything in memory is UTF-8.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// GBK bytes of a UTF-8 text; nullopt when the text has a character GBK cannot hold
// or is not valid UTF-8.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// UTF-8 of GBK bytes. An undecodable byte sequence becomes U+FFFD and conversion goes on,
// so text read from a damaged file never aborts a read.
std::string GbkToUtf8(std::string_view gbk);

// Bytes the text takes in GBK, or nullopt when it cannot be encoded.
std::optional<std::size_t> GbkByteCount(std::string_view utf8);

// The longest prefix of a UTF-8 text whose GBK form fits in maxBytes, never splitting a character.
std::string TruncateToGbkBytes(std::string_view utf8, std::size_t maxBytes);
