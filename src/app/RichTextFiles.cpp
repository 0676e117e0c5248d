#include "RichTextFiles.h"

#include "AtomicFile.h"
#include "Gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <string>
#include <vector>

namespace {

// RTF keeps to 7-bit text: other characters as \uN with "?" for readers that lack Unicode.
void AppendEscaped(std::string& out, const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += static_cast<char>(u);
        } else if (u == '\t') {
            out += "\\tab ";
        } else if (u == QChar::LineSeparator || u == '\n') {
            out += "\\line ";
        } else if (u >= 0x20 && u < 0x80) {
            out += static_cast<char>(u);
        } else if (u >= 0x80) {
            out += "\\u" + std::to_string(static_cast<int16_t>(u)) + '?';
        }
    }
}

// A font's size in points; a size in pixels counts at 96 dots per inch, as on the desktop.
double PointSize(const QFont& font)
{
    if (font.pointSizeF() > 0) return font.pointSizeF();
    if (font.pixelSize() > 0) return font.pixelSize() * 72.0 / 96.0;
    return 12;
}

std::string ToRtf(const QTextDocument& document)
{
    std::vector<QString> fonts;
    std::vector<QColor> colours;
    auto fontIndex = [&](const QString& family) {
        for (size_t i = 0; i < fonts.size(); ++i)
            if (fonts[i] == family) return static_cast<int>(i);
        fonts.push_back(family);
        return static_cast<int>(fonts.size() - 1);
    };
    auto colourIndex = [&](const QColor& colour) {
        for (size_t i = 0; i < colours.size(); ++i)
            if (colours[i] == colour) return static_cast<int>(i + 1);
        colours.push_back(colour);
        return static_cast<int>(colours.size());
    };

    const QFont base = document.defaultFont();
    std::string body;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        body += "\\pard";
        const int indent = static_cast<int>(block.blockFormat().textIndent() * 20);  // points to twips
        if (indent != 0) body += "\\fi" + std::to_string(indent);
        body += ' ';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            const QFont font = f.font();
            const QString family = f.fontFamilies().toStringList().value(0, base.family());
            const double points = PointSize(f.hasProperty(QTextFormat::FontPointSize) ||
                                                    f.hasProperty(QTextFormat::FontPixelSize)
                                                ? font
                                                : base);
            const QColor colour = f.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : f.foreground().color();
            body += "{\\f" + std::to_string(fontIndex(family)) + "\\fs" + std::to_string(qRound(points * 2)) + "\\cf" +
                    std::to_string(colourIndex(colour));
            if (font.bold()) body += "\\b";
            if (font.italic()) body += "\\i";
            if (font.underline()) body += "\\ul";
            body += ' ';
            AppendEscaped(body, fragment.text());
            body += '}';
        }
        body += "\\par\n";
    }

    std::string out = "{\\rtf1\\ansi\\deff0\\uc1{\\fonttbl";
    if (fonts.empty()) fonts.push_back(base.family());
    for (size_t i = 0; i < fonts.size(); ++i) {
        out += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendEscaped(out, fonts[i]);
        out += ";}";
    }
    out += "}{\\colortbl;";
    for (const QColor& c : colours)
        out += "\\red" + std::to_string(c.red()) + "\\green" + std::to_string(c.green()) + "\\blue" +
               std::to_string(c.blue()) + ';';
    out += "}\n" + body + "}\n";
    return out;
}

// A reader for simple RTF: paragraphs, line breaks, tabs, \uN and \'hh characters (code page
// 936 when the header names it), fonts, sizes, colours, bold, italic and underline. Pictures,
// tables, styles and other destinations are skipped.
class RtfReader {
public:
    RtfReader(const QByteArray& data, const QTextCharFormat& base) : data_(data), base_(base) {}

    bool Read(QTextDocument& document)
    {
        if (!data_.startsWith("{\\rtf")) return false;
        QTextCursor cursor(&document);
        cursor.movePosition(QTextCursor::End);
        cursor_ = &cursor;
        std::vector<State> stack{State{}};
        for (pos_ = 0; pos_ < data_.size();) {
            const char c = data_[pos_];
            State& s = stack.back();
            if (c == '{') {
                Flush(s);
                if (stack.size() > kMaxDepth) return false;
                stack.push_back(s);
                ++pos_;
            } else if (c == '}') {
                Flush(s);
                if (stack.size() > 1) {
                    if (stack.back().inFontTable && stack.back().fontNumber >= 0) FinishFontName(stack.back());
                    stack.pop_back();
                }
                ++pos_;
            } else if (c == '\\') {
                ++pos_;
                ControlWord(stack);
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else if (s.inColourTable) {
                // Each ";" ends a colour; the first, empty one is the automatic colour.
                if (c == ';') {
                    colours_.push_back(colour_);
                    colour_ = QColor(Qt::black);
                }
                ++pos_;
            } else {
                if (!s.skip) s.pending += c;
                ++pos_;
            }
        }
        Flush(stack.back());
        return true;
    }

private:
    // Real documents nest a few levels; a deeper file is damaged or hostile.
    static constexpr size_t kMaxDepth = 200;

    struct State {
        bool skip = false;
        bool inFontTable = false;
        bool inColourTable = false;
        int fontNumber = -1;
        QByteArray fontName;
        int font = 0;
        int halfPoints = 24;
        int colour = 0;
        bool bold = false, italic = false, underline = false;
        int unicodeSkip = 1;
        QByteArray pending;  // code-page bytes not yet written
    };

    QString Decode(const QByteArray& bytes) const
    {
        if (gbk_) return QString::fromStdString(GbkToUtf8(bytes.toStdString()));
        return QString::fromLatin1(bytes);
    }

    void Insert(State& s, const QString& text)
    {
        if (s.skip || text.isEmpty()) return;
        if (paragraphDue_) cursor_->insertBlock();
        paragraphDue_ = false;
        QTextCharFormat f = base_;
        if (fonts_.contains(s.font)) f.setFontFamilies({fonts_.value(s.font)});
        f.setFontPointSize(s.halfPoints / 2.0);
        if (s.colour >= 0 && s.colour < static_cast<int>(colours_.size())) f.setForeground(colours_[s.colour]);
        else f.setForeground(QColor(Qt::black));
        f.setFontWeight(s.bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(s.italic);
        f.setFontUnderline(s.underline);
        cursor_->insertText(text, f);
    }

    void Flush(State& s)
    {
        if (s.pending.isEmpty()) return;
        if (s.inFontTable) {
            s.fontName += s.pending;
        } else {
            Insert(s, Decode(s.pending));
        }
        s.pending.clear();
    }

    void FinishFontName(State& s)
    {
        QString name = Decode(s.fontName).trimmed();
        if (name.endsWith(';')) name.chop(1);
        fonts_.insert(s.fontNumber, name + unicodeFontName_);
        unicodeFontName_.clear();
    }

    void ControlWord(std::vector<State>& stack)
    {
        State& s = stack.back();
        if (pos_ >= data_.size()) return;
        const char c = data_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            if (c == '\'' && pos_ + 2 <= data_.size()) {
                bool ok = false;
                const int byte = data_.mid(pos_, 2).toInt(&ok, 16);
                pos_ += 2;
                if (ok && !s.skip) s.pending += static_cast<char>(byte);
            } else if (c == '*') {
                s.skip = true;
            } else if (c == '\\' || c == '{' || c == '}') {
                if (!s.skip) s.pending += c;
            } else if (c == '~') {
                if (!s.skip) s.pending += ' ';
            }
            return;
        }
        qsizetype start = pos_;
        while (pos_ < data_.size() && std::isalpha(static_cast<unsigned char>(data_[pos_]))) ++pos_;
        const QByteArray word = data_.mid(start, pos_ - start);
        bool hasNumber = false;
        int number = 0;
        start = pos_;
        if (pos_ < data_.size() && (data_[pos_] == '-' || std::isdigit(static_cast<unsigned char>(data_[pos_])))) {
            ++pos_;
            while (pos_ < data_.size() && std::isdigit(static_cast<unsigned char>(data_[pos_]))) ++pos_;
            number = data_.mid(start, pos_ - start).toInt(&hasNumber);
        }
        if (pos_ < data_.size() && data_[pos_] == ' ') ++pos_;

        if (word == "fonttbl") {
            s.inFontTable = true;
        } else if (word == "colortbl") {
            s.inColourTable = true;
        } else if (word == "ansicpg") {
            gbk_ = number == 936;
        } else if (word == "stylesheet" || word == "info" || word == "pict" || word == "header" ||
                   word == "footer" || word == "object" || word == "listtable" || word == "listoverridetable") {
            s.skip = true;
        } else if (s.inColourTable) {
            if (word == "red") colour_.setRed(number);
            else if (word == "green") colour_.setGreen(number);
            else if (word == "blue") colour_.setBlue(number);
        } else if (word == "f") {
            Flush(s);
            if (s.inFontTable) s.fontNumber = number;
            else s.font = number;
        } else if (word == "u" && hasNumber) {
            const QChar ch(static_cast<char16_t>(static_cast<uint16_t>(number)));
            if (s.inFontTable) {
                Flush(s);
                unicodeFontName_ += ch;
            } else {
                Flush(s);
                Insert(s, QString(ch));
            }
            // Skip the replacement characters that follow for readers without Unicode.
            for (int i = 0; i < s.unicodeSkip && pos_ < data_.size(); ++i) {
                if (data_[pos_] == '\\' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\'') pos_ += 4;
                else if (data_[pos_] != '{' && data_[pos_] != '}') ++pos_;
            }
        } else if (word == "uc") {
            s.unicodeSkip = number;
        } else if (word == "fs") {
            Flush(s);
            s.halfPoints = hasNumber ? number : 24;
        } else if (word == "cf") {
            Flush(s);
            s.colour = number;
        } else if (word == "b" || word == "i" || word == "ul" || word == "ulnone" || word == "plain") {
            Flush(s);
            const bool on = !hasNumber || number != 0;
            if (word == "b") s.bold = on;
            else if (word == "i") s.italic = on;
            else if (word == "ul") s.underline = on;
            else if (word == "ulnone") s.underline = false;
            else s.bold = s.italic = s.underline = false, s.halfPoints = 24, s.colour = 0;
        } else if (word == "par") {
            Flush(s);
            // The break is made when more text follows, so the closing \par adds no empty line.
            if (!s.skip) {
                if (paragraphDue_) cursor_->insertBlock();
                paragraphDue_ = true;
            }
        } else if (word == "line") {
            Flush(s);
            Insert(s, QString(QChar::LineSeparator));
        } else if (word == "tab") {
            Flush(s);
            Insert(s, "\t");
        }
    }

    QByteArray data_;
    qsizetype pos_ = 0;
    QTextCursor* cursor_ = nullptr;
    QTextCharFormat base_;
    bool paragraphDue_ = false;
    bool gbk_ = false;
    QMap<int, QString> fonts_;
    QString unicodeFontName_;
    std::vector<QColor> colours_;
    QColor colour_{Qt::black};
};

}  // namespace

RichTextFormat FormatOfFile(const QString& path)
{
    return QFileInfo(path).suffix().compare("rtf", Qt::CaseInsensitive) == 0 ? RichTextFormat::Rtf
                                                                              : RichTextFormat::PlainText;
}

bool SaveRichText(const QTextDocument& document, const QString& path, RichTextFormat format)
{
    const std::string content =
        format == RichTextFormat::Rtf ? ToRtf(document) : document.toPlainText().toStdString();
    return WriteFileAtomically(path.toStdString(), content);
}

bool LoadRichText(QTextDocument& document, const QString& path, RichTextFormat format,
                  const QTextCharFormat& textFormat)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    if (format == RichTextFormat::Rtf) return RtfReader(data, textFormat).Read(document);

    // Plain text is UTF-8; a file that is not is read as GBK, the older Chinese encoding.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError()) text = QString::fromStdString(GbkToUtf8(data.toStdString()));
    text.replace("\r\n", "\n");
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text, textFormat);
    return true;
}
