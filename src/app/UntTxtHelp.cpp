#include "UntTxtHelp.h"

#include "ProgramFolder.h"
#include "Prompter.h"
#include "UntTxtHelpTexts.h"

#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPlainTextEdit* Page(const char* text, QWidget* parent)
{
    auto* page = new QPlainTextEdit(QString::fromUtf8(text), parent);
    page->setReadOnly(true);
    page->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return page;
}

}  // namespace

TFrmTxtHelp::TFrmTxtHelp(QWidget* parent) : QDialog(parent), pages_(new QTabWidget(this))
{
    setWindowTitle(QString::fromUtf8(help_texts::kCaption));
    resize(702, 662);
    pages_->addTab(Page(help_texts::kUsage, pages_), QString::fromUtf8(help_texts::kUsagePage));
    pages_->addTab(Page(help_texts::kHistory, pages_), QString::fromUtf8(help_texts::kHistoryPage));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
}

void ShowHelp(Prompter& prompter, QWidget* parent)
{
    TFrmTxtHelp help(parent);
    prompter.Exec(help);
}

KnowledgeResult OpenKnowledgeFile(Prompter& prompter, QWidget* parent, const std::filesystem::path& programFolder,
                                  const std::function<bool(const QUrl&)>& open)
{
    const std::filesystem::path file = DatFolder(programFolder) / "zdzs.chm";
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) return KnowledgeResult::Missing;
    const QUrl url = QUrl::fromLocalFile(QString::fromStdString(file.string()));
    const bool opened = open ? open(url) : QDesktopServices::openUrl(url);
    if (opened) return KnowledgeResult::Opened;
    prompter.Message(parent, QString::fromUtf8(help_texts::kOpenFailedCaption),
                     QString::fromUtf8(help_texts::kOpenFailed) + QString::fromStdString(file.string()),
                     PromptIcon::Error);
    return KnowledgeResult::Failed;
}
