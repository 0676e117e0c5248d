#pragma once
// The prompter of the running program: Qt's own dialogs, in the language of the loaded
// translations.
#include "Prompter.h"

class QtPrompter final : public Prompter {
public:
    void Message(QWidget* parent, const QString& caption, const QString& text, PromptIcon icon) override;
    bool Question(QWidget* parent, const QString& caption, const QString& text, PromptIcon icon,
                  DefaultAnswer defaultAnswer) override;
    std::optional<QString> QueryText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& preset) override;
    FileFilterChoice OpenFile(QWidget* parent, const QString& caption, const QStringList& filters,
                              const QString& preset) override;
    FileFilterChoice SaveFile(QWidget* parent, const QString& caption, const QStringList& filters,
                              const QString& preset) override;
    QString Folder(QWidget* parent, const QString& caption) override;
    std::optional<QFont> Font(QWidget* parent, const QFont& initial, const QString& caption) override;
    std::optional<QColor> Colour(QWidget* parent, const QColor& initial) override;
    bool Print(QWidget* parent, QPrinter& printer) override;
    int Exec(QDialog& dialog) override;
};
