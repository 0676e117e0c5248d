#pragma once
// A prompter for benchmarks: nobody is there to ask. Messages are swallowed, every Yes/No
// question gets the answer given at construction, and every dialog is cancelled.
#include "Prompter.h"

class QuietPrompter final : public Prompter {
public:
    explicit QuietPrompter(bool answer = false) : answer_(answer) {}

    void Message(QWidget*, const QString&, const QString&, PromptIcon) override {}
    bool Question(QWidget*, const QString&, const QString&, PromptIcon, DefaultAnswer) override { return answer_; }
    std::optional<QString> QueryText(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    FileFilterChoice OpenFile(QWidget*, const QString&, const QStringList&, const QString&) override { return {}; }
    FileFilterChoice SaveFile(QWidget*, const QString&, const QStringList&, const QString&) override { return {}; }
    QString Folder(QWidget*, const QString&) override { return {}; }
    std::optional<QFont> Font(QWidget*, const QFont&, const QString&) override { return {}; }
    std::optional<QColor> Colour(QWidget*, const QColor&) override { return {}; }
    bool Print(QWidget*, QPrinter&) override { return false; }
    int Exec(QDialog&) override { return 0; }

private:
    bool answer_;
};
