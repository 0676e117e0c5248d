#pragma once
// Writes a rich-text document as RTF that the reader here, word processors and text converters
// on Windows and Linux open alike: GBK code page (\ansi\ansicpg936, fonts of charset 134),
// Chinese text as \'hh byte pairs, characters GBK cannot hold as \uN with "?" as fallback.
// It keeps what the comment pane can hold: paragraphs, tabs and line breaks, font family and
// size, bold, italic, underline and text colour.
#include <QByteArray>

class QTextDocument;

QByteArray WriteRtf(const QTextDocument& document);
