#include "RtfReader.h"

#include "Gbk.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <string>
#include <vector>

namespace {

// Tables of more entries than this are not kept (no editor writes them; a hostile file could).
constexpr std::size_t kMaxTableEntries = 4096;
constexpr int kMaxFontNameChars = 256;

// Windows-1252 for the bytes 0x80..0x9F; the rest of that code page is Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The code page of an RTF font charset; 0 for "the document's".
int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 0: return 1252;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;  // GB2312: GBK covers it
    case 136: return 950;
    default: return 0;
    }
}

QString DecodeBytes(const std::string& bytes, int codePage)
{
    if (codePage == 936) return QString::fromStdString(GbkToUtf8(bytes));
    const char* other = codePage == 950 ? "Big5" : codePage == 932 ? "Shift_JIS" : codePage == 949 ? "EUC-KR" : nullptr;
    if (other) {
        QStringDecoder decoder(other);
        if (decoder.isValid()) return decoder(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    }
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (unsigned char b : bytes) out += QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    return out;
}

enum class Destination { Text, Skip, FontTable, ColourTable };

struct GroupState {
    Destination destination = Destination::Text;
    int font = -1;
    int halfPoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int colour = 0;
    int unicodeSkip = 1;  // \ucN: fallback characters after each \uN
    bool doubleByte = false;  // after \dbch: the associated \ab, \ai, \afs format the CJK text
};

struct FontEntry {
    QString name;
    int codePage = 0;
};

// Destinations that hold no text of the document, skipped even without "\*".
bool IsSkippedDestination(const std::string& word)
{
    static const char* const kSkipped[] = {
        "author", "buptim", "comment", "creatim", "doccomm", "footer", "footerf", "footerl",
        "footerr", "footnote", "ftncn", "ftnsep", "ftnsepc", "header", "headerf", "headerl",
        "headerr", "info", "keywords", "operator", "pict", "printim", "private", "revtim",
        "rxe", "stylesheet", "subject", "tc", "title", "txe", "xe", "object", "fldinst",
        "pntext", "pntxta", "pntxtb", "listtable", "listoverridetable", "rsidtbl", "themedata",
        "colorschememapping", "latentstyles", "datastore", "generator", "filetbl", "revtbl",
        "bkmkstart", "bkmkend", "xmlnstbl", "mmathPr", "nonshppict", "shppict", "userprops",
        "docvar", "pgdsctbl", "fchars", "lchars", "listtext", "objdata", "result"};
    for (const char* name : kSkipped)
        if (word == name) return true;
    return false;
}

class Parser {
public:
    Parser(QByteArrayView rtf, RtfSink& sink) : in_(rtf), sink_(sink) {}

    // False when groups nested beyond the limit were skipped.
    bool Run()
    {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                OpenGroup();
            } else if (c == '}') {
                ++pos_;
                CloseGroup();
            } else if (c == '\\') {
                ++pos_;
                ControlWord();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                groupStart_ = false;
                Byte(static_cast<unsigned char>(c));
            }
        }
        Flush();
        return !tooDeep_;
    }

private:
    GroupState& State() { return stack_.back(); }
    bool Skipping() const { return overflow_ > 0 || stack_.back().destination == Destination::Skip; }

    void OpenGroup()
    {
        pendingSkip_ = 0;
        if (overflow_ > 0 || stack_.size() >= std::size_t(kRtfMaxDepth)) {
            ++overflow_;
            tooDeep_ = true;
            return;
        }
        stack_.push_back(stack_.back());
        groupStart_ = true;
    }

    void CloseGroup()
    {
        pendingSkip_ = 0;
        if (overflow_ > 0) {
            --overflow_;
            return;
        }
        groupStart_ = false;
        if (stack_.size() <= 1) return;  // a stray "}" closes nothing
        const Destination leaving = stack_.back().destination;
        stack_.pop_back();
        if (leaving == Destination::FontTable && State().destination != Destination::FontTable) EndFontEntry();
    }

    // Reads the control word or symbol after a backslash.
    void ControlWord()
    {
        if (pos_ >= in_.size()) return;
        const char c = in_[pos_];
        const bool atGroupStart = groupStart_;
        groupStart_ = false;
        if (!IsLetter(c)) {
            ++pos_;
            Symbol(c, atGroupStart);
            return;
        }
        std::string word;
        while (pos_ < in_.size() && IsLetter(in_[pos_]) && word.size() < 32) word += in_[pos_++];
        while (pos_ < in_.size() && IsLetter(in_[pos_])) ++pos_;  // overlong words are cut
        bool hasParam = false;
        bool negative = false;
        long long param = 0;
        if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < in_.size() && IsDigit(in_[pos_])) {
            hasParam = true;
            if (param < 100000000000LL) param = param * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;  // the delimiting space belongs to the word
        if (negative) param = -param;
        const int value = param > INT32_MAX ? INT32_MAX : param < INT32_MIN ? INT32_MIN : int(param);
        Word(word, hasParam, value, atGroupStart);
    }

    static bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    void Symbol(char c, bool atGroupStart)
    {
        switch (c) {
        case '*':
            if (atGroupStart && overflow_ == 0) State().destination = Destination::Skip;
            return;
        case '\'': {
            int value = 0;
            for (int i = 0; i < 2; ++i) {
                if (pos_ >= in_.size()) return;
                const int digit = HexDigit(in_[pos_]);
                if (digit < 0) return;
                value = value * 16 + digit;
                ++pos_;
            }
            Byte(static_cast<unsigned char>(value));
            return;
        }
        case '\\':
        case '{':
        case '}': Byte(static_cast<unsigned char>(c)); return;
        case '~': Char(u'\u00A0'); return;
        case '_': Char(u'\u2011'); return;
        case '\r':
        case '\n': Paragraph(); return;
        case '\t': Char(u'\t'); return;
        default: return;  // "\-" and the rest show nothing
        }
    }

    static int HexDigit(char c)
    {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    void Word(const std::string& word, bool hasParam, int value, bool atGroupStart)
    {
        if (overflow_ > 0) return;
        if (word == "bin") {  // binary data: skip its bytes
            const qsizetype n = hasParam && value > 0 ? value : 0;
            pos_ = std::min(in_.size(), pos_ + n);
            return;
        }
        GroupState& s = State();
        if (s.destination == Destination::Skip) return;
        if (word == "fonttbl") {
            s.destination = Destination::FontTable;
            return;
        }
        if (word == "colortbl") {
            s.destination = Destination::ColourTable;
            colourParts_ = {0, 0, 0};
            return;
        }
        if (word == "fldrslt") return;  // a field's result is ordinary text
        if (IsSkippedDestination(word)) {
            // Only as a group's first word does it start a destination; elsewhere ignore it.
            if (atGroupStart || word == "pict" || word == "fldinst") s.destination = Destination::Skip;
            return;
        }
        if (word == "u") {
            int code = value;
            if (code < 0) code += 65536;
            if (code >= 0 && code <= 0xFFFF) Char(char16_t(code));
            pendingSkip_ = s.unicodeSkip;
            return;
        }
        pendingSkip_ = 0;
        if (word == "uc") {
            s.unicodeSkip = std::clamp(value, 0, 10);
        } else if (word == "ansicpg") {
            if (hasParam) documentCodePage_ = value;
        } else if (word == "ansi") {
            if (documentCodePage_ == 0) documentCodePage_ = 1252;
        } else if (word == "deff") {
            defaultFont_ = value;
        } else if (word == "f") {
            if (s.destination == Destination::FontTable) {
                EndFontEntry();
                fontNo_ = value;
            } else {
                SetFormat([&](GroupState& g) { g.font = value; });
            }
        } else if (word == "fcharset") {
            if (s.destination == Destination::FontTable) fontCodePage_ = CodePageOfCharset(value);
        } else if (word == "red" || word == "green" || word == "blue") {
            if (s.destination == Destination::ColourTable) {
                colourParts_[word == "red" ? 0 : word == "green" ? 1 : 2] = std::clamp(value, 0, 255);
                colourEntryUsed_ = true;
            }
        } else if (word == "par" || word == "sect" || word == "page" || word == "row") {
            Paragraph();
        } else if (word == "line") {
            Char(u'\u2028');
        } else if (word == "tab" || word == "cell") {
            Char(u'\t');
        } else if (word == "emdash") {
            Char(u'\u2014');
        } else if (word == "endash") {
            Char(u'\u2013');
        } else if (word == "lquote") {
            Char(u'\u2018');
        } else if (word == "rquote") {
            Char(u'\u2019');
        } else if (word == "ldblquote") {
            Char(u'\u201C');
        } else if (word == "rdblquote") {
            Char(u'\u201D');
        } else if (word == "bullet") {
            Char(u'\u2022');
        } else if (word == "plain") {
            SetFormat([](GroupState& g) {
                g.font = -1;
                g.halfPoints = 0;
                g.bold = g.italic = g.underline = false;
                g.colour = 0;
            });
        } else if (word == "dbch" || word == "loch" || word == "hich") {
            s.doubleByte = word == "dbch";
        } else if (word == "ab" || word == "ai" || word == "afs") {
            // Word processors format Chinese text through the associated properties.
            if (!s.doubleByte) return;
            if (word == "ab") SetFormat([&](GroupState& g) { g.bold = !hasParam || value != 0; });
            if (word == "ai") SetFormat([&](GroupState& g) { g.italic = !hasParam || value != 0; });
            if (word == "afs") SetFormat([&](GroupState& g) { g.halfPoints = hasParam ? std::clamp(value, 0, 3276) : 24; });
        } else if (word == "b") {
            SetFormat([&](GroupState& g) { g.bold = !hasParam || value != 0; });
        } else if (word == "i") {
            SetFormat([&](GroupState& g) { g.italic = !hasParam || value != 0; });
        } else if (word == "ul" || word == "uld" || word == "uldb" || word == "ulw" || word == "ulth" ||
                   word == "uldash" || word == "ulwave") {
            SetFormat([&](GroupState& g) { g.underline = !hasParam || value != 0; });
        } else if (word == "ulnone") {
            SetFormat([](GroupState& g) { g.underline = false; });
        } else if (word == "fs") {
            SetFormat([&](GroupState& g) { g.halfPoints = hasParam ? std::clamp(value, 0, 3276) : 24; });
        } else if (word == "cf") {
            SetFormat([&](GroupState& g) { g.colour = std::max(value, 0); });
        }
    }

    template <typename Change>
    void SetFormat(Change change)
    {
        change(State());
    }

    // One byte of text in the code page of the current font: plain characters and \'hh.
    void Byte(unsigned char b)
    {
        if (pendingSkip_ > 0) {  // the fallback of a \uN; each byte counts as one character
            --pendingSkip_;
            return;
        }
        if (Skipping()) return;
        GroupState& s = State();
        if (s.destination == Destination::FontTable) {
            if (b == ';') {
                EndFontEntry();
                return;
            }
            if (fontBytes_.size() < std::size_t(kMaxFontNameChars)) fontBytes_ += char(b);
            return;
        }
        if (s.destination == Destination::ColourTable) {
            if (b == ';') {
                if (colours_.size() < kMaxTableEntries)
                    colours_.push_back(colourEntryUsed_ ? (unsigned(colourParts_[0]) << 16) |
                                                              (unsigned(colourParts_[1]) << 8) | unsigned(colourParts_[2])
                                                        : kAutoColour);
                colourParts_ = {0, 0, 0};
                colourEntryUsed_ = false;
            }
            return;
        }
        const RtfCharFormat format = CurrentFormat();
        const int codePage = CurrentCodePage();
        if (!(format == runFormat_) || codePage != runCodePage_) Flush();
        runFormat_ = format;
        runCodePage_ = codePage;
        runBytes_ += char(b);
    }

    // One UTF-16 unit of text.
    void Char(char16_t c)
    {
        if (Skipping()) return;
        GroupState& s = State();
        if (s.destination == Destination::FontTable) {
            if (fontText_.size() < kMaxFontNameChars) {
                fontText_ += DecodeBytes(fontBytes_, fontCodePage_ ? fontCodePage_ : DocumentCodePage());
                fontBytes_.clear();
                fontText_ += QChar(c);
            }
            return;
        }
        if (s.destination != Destination::Text) return;
        const RtfCharFormat format = CurrentFormat();
        if (!(format == runFormat_)) Flush();
        runFormat_ = format;
        DecodeRunBytes();
        runText_ += QChar(c);
    }

    void Paragraph()
    {
        pendingSkip_ = 0;
        if (Skipping() || State().destination != Destination::Text) return;
        Flush();
        sink_.Paragraph();
    }

    void DecodeRunBytes()
    {
        if (runBytes_.empty()) return;
        runText_ += DecodeBytes(runBytes_, runCodePage_);
        runBytes_.clear();
    }

    void Flush()
    {
        DecodeRunBytes();
        if (!runText_.isEmpty()) sink_.Text(runText_, runFormat_);
        runText_.clear();
    }

    void EndFontEntry()
    {
        if (fontNo_ >= 0 && fonts_.size() < kMaxTableEntries) {
            QString name = fontText_ + DecodeBytes(fontBytes_, fontCodePage_ ? fontCodePage_ : DocumentCodePage());
            fonts_[fontNo_] = FontEntry{name.trimmed(), fontCodePage_};
        }
        fontNo_ = -1;
        fontCodePage_ = 0;
        fontBytes_.clear();
        fontText_.clear();
    }

    int DocumentCodePage() const { return documentCodePage_ ? documentCodePage_ : 1252; }

    const FontEntry* FontOf(int font) const
    {
        auto it = fonts_.find(font < 0 ? defaultFont_ : font);
        return it == fonts_.end() ? nullptr : &it->second;
    }

    int CurrentCodePage() const
    {
        const FontEntry* font = FontOf(stack_.back().font);
        return font && font->codePage ? font->codePage : DocumentCodePage();
    }

    RtfCharFormat CurrentFormat() const
    {
        const GroupState& s = stack_.back();
        RtfCharFormat f;
        if (const FontEntry* font = FontOf(s.font); font && s.font >= 0) f.family = font->name;
        f.halfPoints = s.halfPoints;
        f.bold = s.bold;
        f.italic = s.italic;
        f.underline = s.underline;
        if (s.colour > 0 && std::size_t(s.colour) < colours_.size() && colours_[s.colour] != kAutoColour)
            f.colour = colours_[s.colour];
        return f;
    }

    static constexpr unsigned kAutoColour = 0xFFFFFFFFu;

    QByteArrayView in_;
    qsizetype pos_ = 0;
    RtfSink& sink_;
    std::vector<GroupState> stack_{GroupState{}};
    int overflow_ = 0;      // groups opened beyond the depth limit, skipped whole
    bool tooDeep_ = false;
    bool groupStart_ = false;
    int pendingSkip_ = 0;   // fallback characters still to skip after a \uN
    int documentCodePage_ = 0;
    int defaultFont_ = 0;

    std::map<int, FontEntry> fonts_;
    int fontNo_ = -1;
    int fontCodePage_ = 0;
    std::string fontBytes_;
    QString fontText_;

    std::vector<unsigned> colours_;
    std::array<int, 3> colourParts_{0, 0, 0};
    bool colourEntryUsed_ = false;  // an entry without \red, \green or \blue is "auto"

    RtfCharFormat runFormat_;
    int runCodePage_ = 0;
    std::string runBytes_;
    QString runText_;

};

class PlainTextSink final : public RtfSink {
public:
    void Text(const QString& text, const RtfCharFormat&) override { text_ += text; }
    void Paragraph() override { text_ += u'\n'; }
    QString text_;
};

class DocumentSink final : public RtfSink {
public:
    explicit DocumentSink(QTextDocument& document, const QTextCharFormat& base = {}) : cursor_(&document), base_(base)
    {
        cursor_.movePosition(QTextCursor::End);
    }

    void Text(const QString& text, const RtfCharFormat& f) override
    {
        QTextCharFormat format = base_;
        if (!f.family.isEmpty()) format.setFontFamilies(QStringList{f.family});
        if (f.halfPoints > 0) format.setFontPointSize(f.halfPoints / 2.0);
        format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(f.italic);
        format.setFontUnderline(f.underline);
        if (f.colour) format.setForeground(QColor::fromRgb(QRgb(*f.colour)));
        cursor_.insertText(text, format);
    }
    void Paragraph() override { cursor_.insertBlock(); }

private:
    QTextCursor cursor_;
    QTextCharFormat base_;
};

}  // namespace

bool LooksLikeRtf(QByteArrayView bytes)
{
    qsizetype i = 0;
    if (bytes.startsWith("\xEF\xBB\xBF")) i = 3;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n')) ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

bool ParseRtf(QByteArrayView rtf, RtfSink& sink)
{
    if (!LooksLikeRtf(rtf)) return false;
    return Parser(rtf, sink).Run();
}

bool AppendRtf(QByteArrayView rtf, QTextDocument& document, const QTextCharFormat& base)
{
    DocumentSink sink(document, base);
    return ParseRtf(rtf, sink);
}

void ReadRtf(QByteArrayView bytes, QTextDocument& document)
{
    document.clear();
    if (!LooksLikeRtf(bytes)) {
        auto utf8 = QStringDecoder(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        QString text = utf8(bytes);
        if (utf8.hasError()) text = QString::fromStdString(GbkToUtf8(std::string(bytes.data(), bytes.size())));
        document.setPlainText(text);
        return;
    }
    DocumentSink sink(document);
    ParseRtf(bytes, sink);
}

QString RtfToPlainText(QByteArrayView bytes)
{
    PlainTextSink sink;
    ParseRtf(bytes, sink);
    return sink.text_;
}
