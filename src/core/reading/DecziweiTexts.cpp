#include "DecziweiTexts.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {

// Lines of a text; CR LF, a lone CR or a lone LF each end a line, and a final terminator
// adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

// A block resource is made of the files "<name>.txt" or "<name>_<part>.txt", in name order.
std::string ResourceText(std::string_view resource)
{
    std::string text;
    for (const EmbeddedText& file : EmbeddedTexts()) {
        const std::string_view stem = file.fileName.substr(0, file.fileName.find_first_of("_."));
        if (!SameIgnoringCase(stem, resource)) continue;
        text += file.content;
        if (!text.empty() && text.back() != '\n') text += '\n';
    }
    return text;
}

std::map<int, std::string> LoadNumberedStrings()
{
    std::map<int, std::string> strings;
    for (const EmbeddedText& file : EmbeddedTexts()) {
        if (!file.fileName.starts_with("strings_")) continue;
        int number = -1;
        std::string text;
        for (std::string_view line : SplitLines(file.content)) {
            if (number < 0) {
                if (line.size() > 2 && line.front() == '[' && line.back() == ']')
                    number = std::stoi(std::string(line.substr(1, line.size() - 2)));
            } else if (line == "[end]") {
                strings[number] = text;
                number = -1;
                text.clear();
            } else {
                if (!text.empty()) text += "\r\n";
                text += line;
            }
        }
    }
    return strings;
}

}  // namespace

std::string ReadTextBlock(std::string_view resource, std::string_view key)
{
    return FindTextBlock(ResourceText(resource), key);
}

std::string FindTextBlock(std::string_view text, std::string_view key)
{
    std::string result;
    bool collecting = false;
    for (std::string_view line : SplitLines(text)) {
        if (line == key) {
            collecting = true;
        } else if (collecting && line == "[end]") {
            break;
        } else if (collecting) {
            result += line;
            result += "\r\n";
        }
    }
    return result;
}

std::string StarBlockKey(int star)
{
    std::string key = "[";
    key += std::to_string(star);
    key += ']';
    return key;
}

std::string TransformBlockKey(int kind, int star)
{
    std::string key = "[";
    key += std::to_string(kind);
    key += '-';
    key += std::to_string(star);
    key += ']';
    return key;
}

const std::string& NumberedString(int number)
{
    static const std::map<int, std::string> strings = LoadNumberedStrings();
    static const std::string empty;
    const auto it = strings.find(number);
    return it == strings.end() ? empty : it->second;
}
