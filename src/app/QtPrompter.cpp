#include "QtPrompter.h"

#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Error: return QMessageBox::Critical;
    case PromptIcon::Information: break;
    }
    return QMessageBox::Information;
}

FileFilterChoice RunFileDialog(QFileDialog& dialog, const QStringList& filters)
{
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.selectNameFilter(filters.front());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return {dialog.selectedFiles().front(), static_cast<int>(filters.indexOf(dialog.selectedNameFilter()))};
}

}  // namespace

void QtPrompter::Message(QWidget* parent, const QString& caption, const QString& text, PromptIcon icon)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtPrompter::Question(QWidget* parent, const QString& caption, const QString& text, PromptIcon icon,
                          DefaultAnswer defaultAnswer)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(defaultAnswer == DefaultAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> QtPrompter::QueryText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& preset)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok) return std::nullopt;
    return text;
}

FileFilterChoice QtPrompter::OpenFile(QWidget* parent, const QString& caption, const QStringList& filters,
                                      const QString& preset)
{
    QFileDialog dialog(parent, caption, QString(), QString());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!preset.isEmpty()) dialog.selectFile(preset);
    return RunFileDialog(dialog, filters);
}

FileFilterChoice QtPrompter::SaveFile(QWidget* parent, const QString& caption, const QStringList& filters,
                                      const QString& preset)
{
    QFileDialog dialog(parent, caption, QString(), QString());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!preset.isEmpty()) dialog.selectFile(preset);
    return RunFileDialog(dialog, filters);
}

QString QtPrompter::Folder(QWidget* parent, const QString& caption)
{
    return QFileDialog::getExistingDirectory(parent, caption);
}

std::optional<QFont> QtPrompter::Font(QWidget* parent, const QFont& initial, const QString& caption)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, caption);
    if (!ok) return std::nullopt;
    return font;
}

std::optional<QColor> QtPrompter::Colour(QWidget* parent, const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, parent);
    if (!colour.isValid()) return std::nullopt;
    return colour;
}

bool QtPrompter::Print(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtPrompter::Exec(QDialog& dialog) { return dialog.exec(); }
