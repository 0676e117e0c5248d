// Comment documents in RTF: files as other editors write them (GBK byte pairs, \uN with
// fallbacks, font and colour tables, unknown destinations, nested and truncated groups), a
// property test that random rich text survives writing and reading, and a bounded fuzz run.
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct Sample {
    const char* what;
    const char* rtf;
    const char* text;  // UTF-8, paragraphs separated by "\n"
};

// Hand-written in the forms Windows editors and word processors produce.
const Sample kSamples[] = {
    {"GBK pairs under ansicpg936",
     "{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}\n"
     "\\viewkind4\\uc1\\pard\\lang2052\\f0\\fs18 \\'d6\\'d0\\'ce\\'c4\\par\n}",
     "中文\n"},
    {"GBK by font charset in an ANSI document",
     "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset134 SimSun;}}"
     "\\f0 ab \\f1\\'b2\\'e2\\'ca\\'d4\\f0  cd}",
     "ab 测试 cd"},
    {"\\uN with one fallback", "{\\rtf1\\ansi\\uc1 x\\u20013?\\u25991?y}", "x中文y"},
    {"\\uN with a two-byte fallback", "{\\rtf1\\ansi\\ansicpg936\\uc2\\u35780\\'c6\\'c0\\u35821\\'d3\\'ef}", "评语"},
    {"\\uN negative", "{\\rtf1\\ansi\\uc1\\u-3913?}", "\xEF\x82\xB7"},
    {"\\uc0 has no fallback", "{\\rtf1\\ansi\\uc0\\u21629\\u20363 !}", "命例!"},
    {"unknown destinations skipped",
     "{\\rtf1\\ansi{\\*\\generator Msftedit 5.41;}{\\*\\unknown{\\nested text}more}A"
     "{\\info{\\title T}{\\author X}}B{\\*\\bkmkstart b}C}",
     "ABC"},
    {"nested groups keep their formats",
     "{\\rtf1\\ansi a{\\b b{\\i c}d}e}", "abcde"},
    {"escapes, tabs and lines", "{\\rtf1\\ansi \\{x\\}\\\\\\tab y\\line z\\par w}", "{x}\\\ty\xE2\x80\xA8z\nw"},
    {"truncated inside a GBK pair", "{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce", "中\xEF\xBF\xBD"},
    {"truncated inside a control word", "{\\rtf1\\ansi abc\\pa", "abc"},
    {"stray closing braces", "{\\rtf1\\ansi a}}}b}", "ab"},
    {"field result kept, instruction skipped",
     "{\\rtf1\\ansi {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
    {"binary data skipped", "{\\rtf1\\ansi a{\\*\\blob\\bin3 }}}}b}", "ab"},
    {"picture skipped", "{\\rtf1\\ansi a{\\pict\\pngblip 89504e47}b}", "ab"},
    {"not RTF", "plain text", ""},
};

TEST(RtfReader, ReadsSamplesFromOtherEditors)
{
    for (const Sample& s : kSamples) {
        EXPECT_EQ(RtfToPlainText(QByteArray(s.rtf)), QString::fromUtf8(s.text)) << s.what;
    }
}

TEST(RtfReader, FontAndColourTablesGiveTheFormats)
{
    QTextDocument doc;
    ReadRtf("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
            "{\\f1\\fswiss\\fcharset0 Arial{\\*\\panose 020b0604020202020204};}}"
            "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
            "\\f1\\fs28\\cf2\\b\\i\\ul x\\plain\\f0\\fs21\\cf1 y}",
            doc);
    const QTextBlock block = doc.begin();
    auto it = block.begin();
    const QTextCharFormat x = it.fragment().charFormat();
    EXPECT_EQ(it.fragment().text(), "x");
    EXPECT_EQ(x.fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(x.fontPointSize(), 14.0);
    EXPECT_EQ(x.foreground().color(), QColor(0, 0, 128));
    EXPECT_TRUE(x.fontWeight() >= QFont::Bold && x.fontItalic() && x.fontUnderline());
    ++it;
    const QTextCharFormat y = it.fragment().charFormat();
    EXPECT_EQ(it.fragment().text(), "y");
    EXPECT_EQ(y.fontFamilies().toStringList(), QStringList{QString::fromUtf8("宋体")});
    EXPECT_EQ(y.fontPointSize(), 10.5);
    EXPECT_EQ(y.foreground().color(), QColor(255, 0, 0));
    EXPECT_FALSE(y.fontWeight() >= QFont::Bold || y.fontItalic() || y.fontUnderline());
}

// A word processor's form: Chinese as \uN with a "?" byte, bold through the associated \ab.
TEST(RtfReader, AssociatedFormatsOfChineseText)
{
    QTextDocument doc;
    ReadRtf("{\\rtf1\\ansi\\deff3{\\fonttbl{\\f3\\froman\\fprq2\\fcharset0 Serif;}}\\uc1\\pard\\plain "
            "\\rtlch\\afs30\\ab\\ltrch\\f3\\fs24\\dbch\\af7 a{\\hich\\af5\\loch\\f3\\dbch\\afs24\\ab\\dbch "
            "\\u21629\\'3f\\u20027\\'3f}\\par }",
            doc);
    auto it = doc.begin().begin();
    EXPECT_EQ(it.fragment().text(), "a");  // \ab under \rtlch is for right-to-left text
    EXPECT_FALSE(it.fragment().charFormat().fontWeight() >= QFont::Bold);
    ++it;
    EXPECT_EQ(it.fragment().text(), QString::fromUtf8("命主"));
    EXPECT_TRUE(it.fragment().charFormat().fontWeight() >= QFont::Bold);
    EXPECT_EQ(it.fragment().charFormat().fontPointSize(), 12.0);
}

TEST(RtfReader, PlainTextFilesStillShow)
{
    QTextDocument doc;
    ReadRtf(QByteArray("\xd6\xd0\xce\xc4"), doc);  // GBK
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("中文"));
    ReadRtf(QByteArray("中文"), doc);  // UTF-8
    EXPECT_EQ(doc.toPlainText(), QString::fromUtf8("中文"));
}

TEST(RtfWriter, WritesGbkPairsAndUnicodeForTheRest)
{
    QTextDocument doc;
    doc.setPlainText(QString::fromUtf8("中{}\\한"));
    const QByteArray rtf = WriteRtf(doc);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg936")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\'d6\\'d0\\{\\}\\\\\\u-10916?")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\fcharset134"));
}

// One character with the format it has in the document; paragraph marks as '\n'.
struct Styled {
    QString ch;
    QString family;
    double points;
    bool bold, italic, underline;
    QString colour;
    friend bool operator==(const Styled&, const Styled&) = default;
};

std::vector<Styled> StyledChars(const QTextDocument& doc)
{
    std::vector<Styled> out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block != doc.begin()) out.push_back({"\n", {}, 0, false, false, false, {}});
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString text = it.fragment().text();
            const QStringList families = f.fontFamilies().toStringList();
            const QString colour = f.foreground().style() == Qt::NoBrush ? QString() : f.foreground().color().name();
            for (QChar c : text)
                out.push_back({QString(c), families.value(0), f.fontPointSize(), f.fontWeight() >= QFont::Bold,
                               f.fontItalic(), f.fontUnderline(), colour});
        }
    }
    return out;
}

TEST(RtfRoundTrip, RandomRichTextSurvives)
{
    const QStringList pieces = {"a", "Z", "0", " ", "\t", "{", "}", "\\", ";", "中", "文", "评", "语", "，",
                                "。", "€", "한", "ꙮ", "😀", "é", "\xE2\x80\xA8", "~", "?"};
    const QStringList families = {"SimSun", "Arial", QString::fromUtf8("楷体"), "Noto Sans CJK SC"};
    const QStringList colours = {"", "#ff0000", "#000080", "#123456", "#000000"};
    std::mt19937 rng(20261209);
    auto pick = [&](int n) { return int(rng() % unsigned(n)); };
    for (int round = 0; round < 200; ++round) {
        QTextDocument doc;
        doc.setDefaultFont(QFont("SimSun", 9));
        QTextCursor cursor(&doc);
        const int runs = 1 + pick(12);
        for (int r = 0; r < runs; ++r) {
            if (r > 0 && pick(4) == 0) cursor.insertBlock();
            QTextCharFormat f;
            f.setFontFamilies({families[pick(families.size())]});
            f.setFontPointSize((12 + pick(40)) / 2.0);
            f.setFontWeight(pick(2) ? QFont::Bold : QFont::Normal);
            f.setFontItalic(pick(2));
            f.setFontUnderline(pick(2));
            if (const QString c = colours[pick(colours.size())]; !c.isEmpty()) f.setForeground(QColor(c));
            QString text;
            for (int n = 1 + pick(8); n > 0; --n) text += QString::fromUtf8(pieces[pick(pieces.size())].toUtf8());
            cursor.insertText(text, f);
        }
        QTextDocument back;
        ReadRtf(WriteRtf(doc), back);
        ASSERT_EQ(StyledChars(back), StyledChars(doc)) << "round " << round << "\n" << WriteRtf(doc).constData();
    }
}

TEST(RtfFuzz, DamagedInputNeverCrashes)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor("#336699"));
    cursor.insertText(QString::fromUtf8("中文 text\t"), bold);
    cursor.insertBlock();
    cursor.insertText(QString::fromUtf8("한😀 {x}"));
    QByteArray seeds[] = {WriteRtf(doc)};
    const QByteArray alphabet = "{}\\'*0123456789abcdefu-; \n\xd6\xff";
    std::mt19937 rng(7);
    int parsed = 0;
    for (const QByteArray& seed : seeds) {
        for (qsizetype cut = 0; cut <= seed.size(); ++cut) {  // every truncation
            RtfToPlainText(seed.left(cut));
            ++parsed;
        }
        for (int round = 0; round < 3000; ++round) {  // random damage
            QByteArray b = seed;
            for (int n = 1 + int(rng() % 8); n > 0; --n) {
                const qsizetype at = qsizetype(rng() % unsigned(b.size()));
                switch (rng() % 3) {
                case 0: b[at] = alphabet[qsizetype(rng() % unsigned(alphabet.size()))]; break;
                case 1: b.insert(at, alphabet[qsizetype(rng() % unsigned(alphabet.size()))]); break;
                default: b.remove(at, 1); break;
                }
            }
            QTextDocument out;
            ReadRtf(b, out);
            ++parsed;
        }
    }
    // Nesting far beyond the limit is skipped, not followed.
    const QByteArray deep = "{\\rtf1 a" + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "b}";
    EXPECT_EQ(RtfToPlainText(deep), "ab");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 \\fs99999999999999999999 \\u99999999999 \\bin99999999999 x"), "");
    EXPECT_GT(parsed, 3000);
}

}  // namespace
