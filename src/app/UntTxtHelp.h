#pragma once
// TFrmTxtHelp: the help window, two pages of fixed text about using the program and its
// changes. The main window shows it modally ("软件帮助") and destroys it afterwards; the knowledge
// file ("相关知识") is a separate document opened with the desktop's own viewer.
#include <QDialog>
#include <QUrl>

#include <filesystem>
#include <functional>

class Prompter;
class QTabWidget;

class TFrmTxtHelp final : public QDialog {
    Q_OBJECT
public:
    explicit TFrmTxtHelp(QWidget* parent = nullptr);
    QTabWidget* Pages() const { return pages_; }

private:
    QTabWidget* pages_;
};

// "软件帮助": creates the help window, shows it modally through the prompter, destroys it.
void ShowHelp(Prompter& prompter, QWidget* parent);

enum class KnowledgeResult { Missing, Opened, Failed };

// "相关知识": dat/zdzs.chm under the program folder, opened with the desktop's default viewer
// (`open`, QDesktopServices::openUrl unless a test gives another). A missing file does nothing;
// a viewer that cannot be started is reported through the prompter.
KnowledgeResult OpenKnowledgeFile(Prompter& prompter, QWidget* parent, const std::filesystem::path& programFolder,
                                  const std::function<bool(const QUrl&)>& open = {});
