#pragma once
// Reading and writing a rich-text pane's document as a file. This is the one seam between the
// panes and the file formats: plain text is UTF-8; RTF goes through the comment documents' RTF
// reader and writer.
#include <QString>
#include <QTextCharFormat>

class QTextDocument;

enum class RichTextFormat { Rtf, PlainText };

// Writes the document; false on any failure, with no partial file left behind.
bool SaveRichText(const QTextDocument& document, const QString& path, RichTextFormat format);

// Appends the file's content at the end of the document: plain text in `textFormat`, RTF with
// its own attributes over it. False when the file cannot be read or is not in the format.
bool LoadRichText(QTextDocument& document, const QString& path, RichTextFormat format,
                  const QTextCharFormat& textFormat = {});

// The format a file name stands for: ".rtf" (any case) is RTF, anything else plain text.
RichTextFormat FormatOfFile(const QString& path);
