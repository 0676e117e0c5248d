#pragma once
// A prompter that answers from a script, for window tests: each question takes the next
// prepared answer of its kind (a missing answer fails the test), and every prompt is recorded
// so a test can check what the user was shown.
#include "Prompter.h"

#include <QDialog>
#include <QPrinter>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

struct Prompt {
    QString kind;     // "message", "question", "query", "open", "save", "folder", "font", "colour", "print", "dialog"
    QString caption;
    QString text;
    PromptIcon icon = PromptIcon::Information;
};

class ScriptedPrompter final : public Prompter {
public:
    std::vector<Prompt> shown;
    std::deque<bool> answers;                          // Yes/No questions
    std::deque<std::optional<QString>> texts;          // text queries
    std::deque<FileFilterChoice> files;                // open and save dialogs
    std::deque<QString> folders;
    std::deque<std::optional<QFont>> fonts;
    std::deque<std::optional<QColor>> colours;
    std::deque<std::function<bool(QPrinter&)>> prints;  // sets up the printer; false cancels
    std::deque<std::function<int(QDialog&)>> dialogs;  // drives a modal dialog, returns its result

    // The texts of the messages shown so far, in order.
    QStringList Messages() const
    {
        QStringList list;
        for (const Prompt& p : shown)
            if (p.kind == "message") list << p.text;
        return list;
    }
    QString LastMessage() const
    {
        const QStringList list = Messages();
        return list.isEmpty() ? QString() : list.back();
    }

    void Message(QWidget*, const QString& caption, const QString& text, PromptIcon icon) override
    {
        shown.push_back({"message", caption, text, icon});
    }
    bool Question(QWidget*, const QString& caption, const QString& text, PromptIcon icon, DefaultAnswer) override
    {
        shown.push_back({"question", caption, text, icon});
        return Next(answers, "question: " + text);
    }
    std::optional<QString> QueryText(QWidget*, const QString& caption, const QString& prompt,
                                     const QString&) override
    {
        shown.push_back({"query", caption, prompt, PromptIcon::Information});
        return Next(texts, "query: " + prompt);
    }
    FileFilterChoice OpenFile(QWidget*, const QString& caption, const QStringList&, const QString&) override
    {
        shown.push_back({"open", caption, {}, PromptIcon::Information});
        return Next(files, "open: " + caption);
    }
    FileFilterChoice SaveFile(QWidget*, const QString& caption, const QStringList&, const QString&) override
    {
        shown.push_back({"save", caption, {}, PromptIcon::Information});
        return Next(files, "save: " + caption);
    }
    QString Folder(QWidget*, const QString& caption) override
    {
        shown.push_back({"folder", caption, {}, PromptIcon::Information});
        return Next(folders, "folder: " + caption);
    }
    std::optional<QFont> Font(QWidget*, const QFont&, const QString& caption) override
    {
        shown.push_back({"font", caption, {}, PromptIcon::Information});
        return Next(fonts, "font");
    }
    std::optional<QColor> Colour(QWidget*, const QColor&) override
    {
        shown.push_back({"colour", {}, {}, PromptIcon::Information});
        return Next(colours, "colour");
    }
    bool Print(QWidget*, QPrinter& printer) override
    {
        shown.push_back({"print", {}, {}, PromptIcon::Information});
        auto step = Next(prints, "print");
        return step && step(printer);
    }
    int Exec(QDialog& dialog) override
    {
        shown.push_back({"dialog", dialog.windowTitle(), {}, PromptIcon::Information});
        auto step = Next(dialogs, "dialog: " + dialog.windowTitle());
        return step ? step(dialog) : QDialog::Rejected;
    }

private:
    template <typename T>
    static T Next(std::deque<T>& queue, const QString& what)
    {
        if (queue.empty()) {
            ADD_FAILURE() << "no scripted answer for " << what.toStdString();
            return T{};
        }
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};
