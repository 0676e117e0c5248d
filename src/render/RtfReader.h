#pragma once
// Reads comment documents in rich-text format (RTF), as this program writes them and as other
// editors on Windows wrote them: GBK text as \'hh byte pairs under \ansicpg936 or a font of
// charset 134, \uN with its fallback characters, font and colour tables, nested groups.
// Destinations it does not know ({\*\...}, pictures, style sheets, headers) are skipped.
// It never fails on damaged input: a truncated or malformed file gives what could be read.
// Memory stays proportional to the input, and groups nested deeper than kRtfMaxDepth are
// skipped as a whole.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QTextCharFormat>

#include <optional>

class QTextDocument;

inline constexpr int kRtfMaxDepth = 200;

// The character formatting of one run of text. Unset values (empty family, zero size, no
// colour) mean "the document's default".
struct RtfCharFormat {
    QString family;
    int halfPoints = 0;  // font size in half points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::optional<unsigned> colour;  // 0xRRGGBB
    friend bool operator==(const RtfCharFormat&, const RtfCharFormat&) = default;
};

// What the reader hands out, in document order.
class RtfSink {
public:
    virtual ~RtfSink() = default;
    virtual void Text(const QString& text, const RtfCharFormat& format) = 0;
    virtual void Paragraph() = 0;
};

// Whether the bytes start (after blanks) with "{\rtf".
bool LooksLikeRtf(QByteArrayView bytes);

// Parses RTF into the sink. False when the input is not RTF (nothing is handed out) or nests
// deeper than kRtfMaxDepth (what lies outside the deep groups is handed out all the same).
bool ParseRtf(QByteArrayView rtf, RtfSink& sink);

// Replaces the document's content with the RTF's. Input that is not RTF is taken as plain
// text (UTF-8 when it is valid UTF-8, else GBK), so a comment saved as plain text still shows.
void ReadRtf(QByteArrayView bytes, QTextDocument& document);

// Appends the RTF's content at the end of the document, its own formats over `base`; false as
// for ParseRtf.
bool AppendRtf(QByteArrayView rtf, QTextDocument& document, const QTextCharFormat& base = {});

// The text of an RTF document, paragraphs separated by "\n"; needs no GUI application.
QString RtfToPlainText(QByteArrayView bytes);
