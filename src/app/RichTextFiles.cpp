#include "RichTextFiles.h"

#include "AtomicFile.h"
#include "Gbk.h"
#include "RtfReader.h"
#include "RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <string>
#include <vector>

RichTextFormat FormatOfFile(const QString& path)
{
    return QFileInfo(path).suffix().compare("rtf", Qt::CaseInsensitive) == 0 ? RichTextFormat::Rtf
                                                                              : RichTextFormat::PlainText;
}

bool SaveRichText(const QTextDocument& document, const QString& path, RichTextFormat format)
{
    const std::string content =
        format == RichTextFormat::Rtf ? WriteRtf(document).toStdString() : document.toPlainText().toStdString();
    return WriteFileAtomically(path.toStdString(), content);
}

bool LoadRichText(QTextDocument& document, const QString& path, RichTextFormat format,
                  const QTextCharFormat& textFormat)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    if (format == RichTextFormat::Rtf) return AppendRtf(data, document, textFormat);

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
