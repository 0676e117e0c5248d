#include "ReportDocument.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

void ReportDocument::ShowReport(const std::string& text, const std::vector<std::string>& headings, int indentPoints)
{
    document_.clear();
    QTextCharFormat plain;
    // A font sized in pixels has no point size; the text then keeps the pane's size as it is.
    const qreal paneSize = document_.defaultFont().pointSizeF();
    if (paneSize > 0) plain.setFontPointSize(paneSize);
    plain.setForeground(Qt::black);
    plain.setFontWeight(QFont::Normal);
    plain.setFontItalic(false);
    plain.setFontUnderline(false);
    QTextBlockFormat paragraph;
    paragraph.setAlignment(Qt::AlignLeft);
    paragraph.setTextIndent(indentPoints * kPixelsPerPoint);

    QTextCursor cursor(&document_);
    cursor.setBlockFormat(paragraph);
    cursor.setBlockCharFormat(plain);
    cursor.insertText(QString::fromStdString(text), plain);

    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    heading.setForeground(QColor(0, 0, 255));
    const QString content = document_.toPlainText();
    qsizetype pos = 0;
    for (const std::string& h : headings) {
        const QString title = QString::fromStdString(h);
        const qsizetype at = content.indexOf(title, pos, Qt::CaseSensitive);
        if (at < 0) continue;
        QTextCursor select(&document_);
        select.setPosition(static_cast<int>(at));
        select.setPosition(static_cast<int>(at + title.size()), QTextCursor::KeepAnchor);
        select.mergeCharFormat(heading);
        pos = at + title.size();
    }
}
