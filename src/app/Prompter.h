#pragma once
// Every modal question and message the windows put to the user goes through a Prompter, so a
// test can answer them from a script and a window never blocks without a person before it.
// QtPrompter shows the real dialogs; ScriptedPrompter (tests) replays prepared answers.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

enum class PromptIcon { Information, Warning, Error };

// The default button of a Yes/No question.
enum class DefaultAnswer { Yes, No };

struct FileFilterChoice {
    QString path;            // empty when cancelled
    int filterIndex = 0;     // which filter of the list the user chose
};

class Prompter {
public:
    virtual ~Prompter() = default;

    // A message box with an OK button.
    virtual void Message(QWidget* parent, const QString& caption, const QString& text, PromptIcon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Question(QWidget* parent, const QString& caption, const QString& text, PromptIcon icon,
                          DefaultAnswer defaultAnswer = DefaultAnswer::Yes) = 0;
    // A one-line text query; nullopt when cancelled.
    virtual std::optional<QString> QueryText(QWidget* parent, const QString& caption, const QString& prompt,
                                             const QString& preset) = 0;
    // Open and save dialogs. `filters` are Qt name filters ("Rtf格式 (*.rtf)"), the first selected
    // unless `preset` names a file. A save dialog asks before overwriting.
    virtual FileFilterChoice OpenFile(QWidget* parent, const QString& caption, const QStringList& filters,
                                      const QString& preset = {}) = 0;
    virtual FileFilterChoice SaveFile(QWidget* parent, const QString& caption, const QStringList& filters,
                                      const QString& preset = {}) = 0;
    // A folder, allowing a new one to be created; empty when cancelled.
    virtual QString Folder(QWidget* parent, const QString& caption) = 0;
    virtual std::optional<QFont> Font(QWidget* parent, const QFont& initial, const QString& caption = {}) = 0;
    virtual std::optional<QColor> Colour(QWidget* parent, const QColor& initial) = 0;
    // The print dialog for `printer`; false when cancelled.
    virtual bool Print(QWidget* parent, QPrinter& printer) = 0;
    // A modal dialog of the program itself (settings, place table, search …); returns its result
    // code (QDialog::Accepted or Rejected). A scripted prompter may drive it before answering.
    virtual int Exec(QDialog& dialog) = 0;
};
