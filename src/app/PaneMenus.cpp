#include "PaneMenus.h"

#include "ImageFiles.h"
#include "PaneMenusTexts.h"
#include "Prompter.h"
#include "RichTextFiles.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <filesystem>

namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

QAction* FindAction(const QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions())
        if (a->text() == text) return a;
    return nullptr;
}

// The chart on a PDF page, in the place it takes on a printed one.
bool SavePdf(const QImage& image, const QString& path)
{
    const QString temporary = path + ".part";
    {
        QPdfWriter writer(temporary);
        writer.setResolution(300);
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        const QRect target = ChartPrintRect(writer.width());
        painter.drawImage(target, image);
        if (!painter.end()) {
            QFile::remove(temporary);
            return false;
        }
    }
    // Replaces an older file only once the new one is complete.
    std::error_code error;
    std::filesystem::rename(temporary.toStdString(), path.toStdString(), error);
    if (error) QFile::remove(temporary);
    return !error;
}

}  // namespace

QString WithExtension(const QString& path, const QString& extension)
{
    return path.endsWith(extension, Qt::CaseInsensitive) ? path : path + extension;
}

QRect ChartPrintRect(int pageWidth)
{
    const int bottom = 30 + static_cast<int>((pageWidth - 16) * 0.798);
    return QRect(8, 30, pageWidth - 16, bottom - 30);
}

RichPaneMenu::RichPaneMenu(QTextEdit& pane, Prompter& prompter, RichPaneKind kind)
    : QObject(&pane), pane_(pane), prompter_(prompter), menu_(new QMenu(&pane))
{
    menu_->addAction(Text(pane_texts::kUndo), &pane_, &QTextEdit::undo);
    menu_->addSeparator();
    menu_->addAction(Text(pane_texts::kCopy), &pane_, &QTextEdit::copy);
    menu_->addAction(Text(pane_texts::kPaste), &pane_, &QTextEdit::paste);
    menu_->addAction(Text(pane_texts::kCut), &pane_, &QTextEdit::cut);
    menu_->addAction(Text(pane_texts::kDelete), this, &RichPaneMenu::DeleteSelection);
    menu_->addAction(Text(pane_texts::kSelectAll), &pane_, &QTextEdit::selectAll);
    menu_->addSeparator();
    menu_->addAction(Text(pane_texts::kFormat), this, &RichPaneMenu::FormatSelection);
    menu_->addSeparator();
    if (kind == RichPaneKind::Report) menu_->addAction(Text(pane_texts::kImport), this, &RichPaneMenu::ImportReport);
    menu_->addAction(Text(pane_texts::kSaveAs), this, &RichPaneMenu::SaveAs);
    menu_->addAction(Text(pane_texts::kPrint), this, &RichPaneMenu::Print);

    pane_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&pane_, &QWidget::customContextMenuRequested, this, &RichPaneMenu::Popup);
}

QAction* RichPaneMenu::Action(const QString& text) const { return FindAction(menu_, text); }

void RichPaneMenu::Popup(const QPoint& point)
{
    Action(Text(pane_texts::kUndo))->setEnabled(pane_.document()->isUndoAvailable());
    menu_->popup(pane_.viewport()->mapToGlobal(point));
}

void RichPaneMenu::DeleteSelection()
{
    QTextCursor cursor = pane_.textCursor();
    cursor.removeSelectedText();
    pane_.setTextCursor(cursor);
}

void RichPaneMenu::FormatSelection()
{
    QTextCursor cursor = pane_.textCursor();
    if (!cursor.hasSelection()) return;
    const QTextCharFormat current = cursor.charFormat();
    const auto font = prompter_.Font(&pane_, current.font());
    if (!font) return;
    QTextCharFormat format;
    format.setFont(*font);
    // Qt's font dialog has no colour; the colour dialog follows it, and a cancel keeps the colour.
    if (const auto colour = prompter_.Colour(&pane_, current.foreground().color())) format.setForeground(*colour);
    cursor.mergeCharFormat(format);
    pane_.setTextCursor(cursor);
}

void RichPaneMenu::ImportReport()
{
    const FileFilterChoice choice = prompter_.OpenFile(
        &pane_, Text(pane_texts::kImport), {Text(pane_texts::kImportFilterRtf), Text(pane_texts::kImportFilterTxt)});
    if (choice.path.isEmpty()) return;
    pane_.clear();
    QTextCharFormat plain;
    plain.setFontPointSize(pane_.font().pointSizeF());
    plain.setForeground(QColor(Qt::black));
    plain.setFontWeight(QFont::Normal);
    plain.setFontItalic(false);
    plain.setFontUnderline(false);
    plain.setFontStrikeOut(false);
    pane_.setCurrentCharFormat(plain);
    if (!LoadRichText(*pane_.document(), choice.path, FormatOfFile(choice.path), plain))
        prompter_.Message(&pane_, Text(pane_texts::kImportFailedCaption), Text(pane_texts::kImportFailed),
                          PromptIcon::Warning);
}

void RichPaneMenu::SaveAs()
{
    const FileFilterChoice choice = prompter_.SaveFile(
        &pane_, Text(pane_texts::kSaveAs), {Text(pane_texts::kSaveFilterRtf), Text(pane_texts::kSaveFilterTxt)});
    if (choice.path.isEmpty()) return;
    const bool text = choice.filterIndex == 1;
    const QString path = WithExtension(choice.path, text ? ".txt" : ".rtf");
    // Saving as text writes the plain text; the pane itself stays rich.
    if (!SaveRichText(*pane_.document(), path, text ? RichTextFormat::PlainText : RichTextFormat::Rtf)) {
        prompter_.Message(&pane_, Text(pane_texts::kSaveFailedCaption), Text(pane_texts::kSaveFailed) + path,
                          PromptIcon::Error);
        return;
    }
    prompter_.Message(&pane_, Text(pane_texts::kSavedCaption), Text(pane_texts::kSaved), PromptIcon::Information);
}

void RichPaneMenu::Print()
{
    if (!prompter_.Question(&pane_, Text(pane_texts::kPrintCaption), Text(pane_texts::kPrintQuestion),
                            PromptIcon::Information))
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter_.Print(&pane_, printer)) return;
    printer.setDocName(QString());
    pane_.document()->print(&printer);
    if (printer.printerState() == QPrinter::Error)
        prompter_.Message(&pane_, Text(pane_texts::kPrintErrorCaption), Text(pane_texts::kPaneprintError),
                          PromptIcon::Error);
}

ChartImageMenu::ChartImageMenu(QWidget& widget, Prompter& prompter, std::function<QImage()> image)
    : QObject(&widget), widget_(widget), prompter_(prompter), image_(std::move(image)), menu_(new QMenu(&widget))
{
    menu_->addAction(Text(pane_texts::kCopy), this, &ChartImageMenu::Copy);
    menu_->addAction(Text(pane_texts::kChartSaveAs), this, &ChartImageMenu::SaveAs);
    menu_->addAction(Text(pane_texts::kPrint), this, &ChartImageMenu::Print);
    widget_.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&widget_, &QWidget::customContextMenuRequested, this, &ChartImageMenu::Popup);
}

QAction* ChartImageMenu::Action(const QString& text) const { return FindAction(menu_, text); }

void ChartImageMenu::Popup(const QPoint& point) { menu_->popup(widget_.mapToGlobal(point)); }

void ChartImageMenu::Copy() { QGuiApplication::clipboard()->setImage(image_()); }

void ChartImageMenu::SaveAs()
{
    const FileFilterChoice choice =
        prompter_.SaveFile(&widget_, Text(pane_texts::kChartSaveCaption),
                           {Text(pane_texts::kChartFilterBmp), Text(pane_texts::kChartFilterJpg),
                            Text(pane_texts::kChartFilterPng), Text(pane_texts::kChartFilterPdf)});
    if (choice.path.isEmpty()) return;
    static const struct {
        const char* extension;
        ImageFormat format;
    } kinds[] = {{".bmp", ImageFormat::Bmp}, {".jpg", ImageFormat::Jpeg}, {".png", ImageFormat::Png}, {".pdf", ImageFormat::Png}};
    const int k = std::clamp(choice.filterIndex, 0, 3);
    const QString path = WithExtension(choice.path, kinds[k].extension);
    const QImage image = image_();
    const bool saved = !image.isNull() && (k == 3 ? SavePdf(image, path) : SaveImage(image, path, kinds[k].format));
    if (!saved) {
        prompter_.Message(&widget_, Text(pane_texts::kSaveFailedCaption), Text(pane_texts::kSaveFailed) + path,
                          PromptIcon::Error);
        return;
    }
    prompter_.Message(&widget_, Text(pane_texts::kSavedCaption), Text(pane_texts::kSaved), PromptIcon::Information);
}

void ChartImageMenu::Print()
{
    if (!prompter_.Question(&widget_, Text(pane_texts::kPrintCaption), Text(pane_texts::kPrintQuestion),
                            PromptIcon::Information))
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (!prompter_.Print(&widget_, printer)) return;
    printer.setDocName(QString());
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        painter.drawImage(ChartPrintRect(printer.width()), image_());
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    if (!printed)
        prompter_.Message(&widget_, Text(pane_texts::kPrintErrorCaption), Text(pane_texts::kChartPrintError),
                          PromptIcon::Error);
}
