#include "RtfWriter.h"

#include <QColor>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <cerrno>
#include <iconv.h>

#include <algorithm>
#include <vector>

namespace {

// Encodes one character at a time to GBK through a single conversion descriptor.
class GbkEncoder {
public:
    GbkEncoder() : cd_(iconv_open("GBK", "UTF-32LE")) {}
    ~GbkEncoder()
    {
        if (valid()) iconv_close(cd_);
    }
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    // The GBK bytes of one code point; empty when GBK has no such character.
    QByteArray Encode(char32_t code)
    {
        if (!valid()) return {};
        char in[4] = {char(code & 0xFF), char((code >> 8) & 0xFF), char((code >> 16) & 0xFF), char(code >> 24)};
        char out[8];
        char* src = in;
        size_t srcLeft = 4;
        char* dst = out;
        size_t dstLeft = sizeof out;
        const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        if (rc == static_cast<size_t>(-1) || srcLeft != 0) return {};
        return QByteArray(out, dst - out);
    }

private:
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

class Writer {
public:
    explicit Writer(const QTextDocument& document) : document_(document) {}

    QByteArray Run()
    {
        defaultFamily_ = document_.defaultFont().family();
        defaultHalfPoints_ = HalfPoints(PointsOf(document_.defaultFont()));
        FontIndex(defaultFamily_);
        current_ = Format{0, defaultHalfPoints_, false, false, false, 0};
        QByteArray body;
        bool firstBlock = true;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            if (!firstBlock) body += "\\par\n";
            firstBlock = false;
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (!fragment.isValid()) continue;
                body += FormatWords(fragment.charFormat());
                body += Text(fragment.text());
            }
        }
        QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\uc1\n{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i)
            out += "{\\f" + QByteArray::number(qsizetype(i)) + "\\fnil\\fcharset134 " + Text(fonts_[i]) + ";}";
        out += "}\n{\\colortbl ;";
        for (QRgb rgb : colours_)
            out += "\\red" + QByteArray::number(qRed(rgb)) + "\\green" + QByteArray::number(qGreen(rgb)) + "\\blue" +
                   QByteArray::number(qBlue(rgb)) + ";";
        out += "}\n\\viewkind4\\pard\\plain\\f0\\fs" + QByteArray::number(defaultHalfPoints_) + " ";
        out += body;
        out += "}\n";
        return out;
    }

private:
    struct Format {
        int font = 0;
        int halfPoints = 0;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int colour = 0;
        friend bool operator==(const Format&, const Format&) = default;
    };

    static int HalfPoints(double points) { return points > 0 ? std::max(1, int(points * 2 + 0.5)) : 20; }
    // A size in pixels counts at 96 dots per inch, as on the desktop.
    static double PointsOf(const QFont& font)
    {
        if (font.pointSizeF() > 0) return font.pointSizeF();
        return font.pixelSize() > 0 ? font.pixelSize() * 72.0 / 96.0 : 0;
    }

    int FontIndex(const QString& family)
    {
        for (std::size_t i = 0; i < fonts_.size(); ++i)
            if (fonts_[i] == family) return int(i);
        fonts_.push_back(family);
        return int(fonts_.size() - 1);
    }

    int ColourIndex(QRgb rgb)
    {
        for (std::size_t i = 0; i < colours_.size(); ++i)
            if (colours_[i] == rgb) return int(i + 1);
        colours_.push_back(rgb);
        return int(colours_.size());
    }

    // The control words that switch from the previous run's format to this one's; the body is
    // written before the tables, so the first format is compared with the document default.
    QByteArray FormatWords(const QTextCharFormat& cf)
    {
        Format f;
        const QStringList families = cf.fontFamilies().toStringList();
        f.font = FontIndex(families.isEmpty() || families.first().isEmpty() ? defaultFamily_ : families.first());
        f.halfPoints = cf.hasProperty(QTextFormat::FontPointSize)   ? HalfPoints(cf.fontPointSize())
                       : cf.hasProperty(QTextFormat::FontPixelSize) ? HalfPoints(cf.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0)
                                                                    : defaultHalfPoints_;
        f.bold = cf.fontWeight() >= QFont::DemiBold;
        f.italic = cf.fontItalic();
        f.underline = cf.fontUnderline();
        if (cf.hasProperty(QTextFormat::ForegroundBrush) && cf.foreground().style() != Qt::NoBrush)
            f.colour = ColourIndex(cf.foreground().color().rgb() & 0xFFFFFF);
        if (f == current_) return {};
        current_ = f;
        QByteArray words = "\\plain\\f" + QByteArray::number(f.font) + "\\fs" + QByteArray::number(f.halfPoints);
        if (f.bold) words += "\\b";
        if (f.italic) words += "\\i";
        if (f.underline) words += "\\ul";
        if (f.colour) words += "\\cf" + QByteArray::number(f.colour);
        return words + " ";
    }

    QByteArray Text(const QString& text)
    {
        QByteArray out;
        out.reserve(text.size() * 2);
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t code = text[i].unicode();
            if (QChar::isHighSurrogate(code) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                code = QChar::surrogateToUcs4(text[i].unicode(), text[i + 1].unicode());
                ++i;
            }
            if (code == '\\' || code == '{' || code == '}') {
                out += '\\';
                out += char(code);
            } else if (code == '\t') {
                out += "\\tab ";
            } else if (code == 0x2028 || code == 0x2029 || code == '\n') {
                out += "\\line ";
            } else if (code == 0xA0) {
                out += "\\~";
            } else if (code >= 0x20 && code < 0x7F) {
                out += char(code);
            } else if (code < 0x20 || code == 0x7F || code == 0xFFFC) {
                // control characters and object placeholders have no text to keep
            } else if (const QByteArray gbk = encoder_.Encode(code); !gbk.isEmpty()) {
                for (char b : gbk) {
                    static const char kHex[] = "0123456789abcdef";
                    out += "\\'";
                    out += kHex[(uchar(b) >> 4) & 0xF];
                    out += kHex[uchar(b) & 0xF];
                }
            } else {
                // \uN takes a signed 16-bit number; characters beyond the BMP go as a surrogate pair
                auto unit = [&](char16_t u) { out += "\\u" + QByteArray::number(int(int16_t(u))) + "?"; };
                if (code > 0xFFFF) {
                    unit(QChar::highSurrogate(code));
                    unit(QChar::lowSurrogate(code));
                } else {
                    unit(char16_t(code));
                }
            }
        }
        return out;
    }

    const QTextDocument& document_;
    QString defaultFamily_;
    int defaultHalfPoints_ = 20;
    std::vector<QString> fonts_;
    std::vector<QRgb> colours_;
    Format current_;
    GbkEncoder encoder_;
};

}  // namespace

QByteArray WriteRtf(const QTextDocument& document)
{
    return Writer(document).Run();
}
