#pragma once
// The interpretation text stores, compiled into the program from resources/texts:
//  - block resources "zdinfo" (star descriptions, keys "[star]") and "shinfo" (readings of a
//    transformed star, keys "[kind-star]");
//  - numbered strings: 100+year cycle index, 200..671 flying transformations, 700+star,
//    780+20*palace+star for main stars in palaces, 1020+year stem.
// A resource file is a run of blocks: a key line, text lines, and a line "[end]".
#include <string>
#include <string_view>
#include <vector>

struct EmbeddedText {
    std::string_view fileName;  // e.g. "zdinfo.txt", "shinfo_1_2.txt", "strings_year.txt"
    std::string_view content;
};

// Every file of resources/texts, sorted by name (generated at build time).
const std::vector<EmbeddedText>& EmbeddedTexts();

// The text lines of the block `key` of a block resource ("zdinfo" or "shinfo", any case), each
// followed by CR LF; empty when the resource or key is absent. The key must match a line byte
// for byte; a block without its "[end]" runs on into the following blocks.
std::string ReadTextBlock(std::string_view resource, std::string_view key);

// The same lookup over the text of one resource.
std::string FindTextBlock(std::string_view resourceText, std::string_view key);

// Keys of the block resources: "[star]" in "zdinfo", "[kind-star]" in "shinfo".
std::string StarBlockKey(int star);
std::string TransformBlockKey(int kind, int star);

// The numbered string, its lines joined by CR LF; empty when there is no such number.
const std::string& NumberedString(int number);
