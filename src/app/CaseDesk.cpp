#include "CaseDesk.h"

#include "CaseTexts.h"
#include "CaseTreeView.h"
#include "CategoryList.h"
#include "Prompter.h"
#include "RtfReader.h"
#include "RtfWriter.h"
#include "UntFLei.h"
#include "UntSearch.h"

#include <QAbstractButton>
#include <QFile>
#include <QTextEdit>

#include <system_error>

using CaseTexts::T;
namespace fs = std::filesystem;

namespace {

// The store's comment bytes of the pane's document.
std::string CommentRtf(const QTextEdit& pane)
{
    const QByteArray rtf = WriteRtf(*pane.document());
    return std::string(rtf.constData(), std::size_t(rtf.size()));
}

QString PathText(const fs::path& path) { return QString::fromStdString(path.string()); }

}  // namespace

CaseDesk::CaseDesk(QWidget* window, MDataBase& store, fs::path settingsFile, Prompter& prompter, CaseTreeView& tree,
                   CurrentCase& current, QTextEdit& comment, QAbstractButton& saveButton)
    : QObject(window), window_(window), store_(store), settingsFile_(std::move(settingsFile)), prompter_(prompter),
      tree_(tree), current_(current), comment_(comment), saveButton_(saveButton)
{
    connect(&tree_, &CaseTreeView::viewRequested, this, &CaseDesk::View);
    connect(&tree_, &CaseTreeView::caseOnScreenDeleted, this, [this] {
        if (hooks_.caseDeleted) hooks_.caseDeleted();
        UpdateSaveButton();
    });
    UpdateSaveButton();
}

void CaseDesk::Fail(const char* text, DbStatus status)
{
    prompter_.Message(window_, T(CaseTexts::kError), T(text).arg(CaseTexts::StatusText(status)), PromptIcon::Error);
}

void CaseDesk::UpdateSaveButton()
{
    const bool stored = current_.Mode() == CaseMode::Stored;
    saveButton_.setText(T(stored ? CaseTexts::kSaveStored : CaseTexts::kSaveNew));
    saveButton_.setStyleSheet(stored ? QStringLiteral("color: blue;") : QStringLiteral("color: black;"));
}

void CaseDesk::Cast(const ChartInput& input, bool ok)
{
    if (ok) current_.SetBirthData(input);
    current_.SetCast(ok);
}

void CaseDesk::AskToSaveComment()
{
    if (!current_.AsksAboutComment(comment_.document()->isModified())) return;
    if (prompter_.Question(window_, T(CaseTexts::kHint), T(CaseTexts::kAskSaveComment), PromptIcon::Warning)) Save();
}

void CaseDesk::Save()
{
    if (!current_.IsCast()) {
        prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kCastFirst), PromptIcon::Information);
        return;
    }
    if (current_.Mode() == CaseMode::Stored) {
        const QString name = QString::fromStdString(current_.Record().name);
        if (!prompter_.Question(window_, T(CaseTexts::kHint), T(CaseTexts::kAskOverwrite).arg(name),
                                PromptIcon::Information))
            return;
        switch (current_.SaveStored(CommentRtf(comment_))) {
        case SaveOutcome::Saved:
            comment_.document()->setModified(false);
            tree_.CaseSaved(current_.Record(), false);
            prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kSavedStored), PromptIcon::Information);
            return;
        case SaveOutcome::CaseGone:
            UpdateSaveButton();
            prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kCaseGone), PromptIcon::Warning);
            return;
        case SaveOutcome::CommentFailed: Fail(CaseTexts::kCommentSaveFailed, current_.LastStatus()); return;
        default: Fail(CaseTexts::kSaveFailed, current_.LastStatus()); return;
        }
    }
    TFrmFenLei picker(CategoryList(settingsFile_).ReadForPicker(), prompter_, window_);
    if (prompter_.Exec(picker) != QDialog::Accepted) return;
    CaseRecord saved;
    switch (current_.SaveNew(picker.category().toStdString(), CommentRtf(comment_), saved)) {
    case SaveOutcome::Saved: tree_.CaseSaved(saved, true); return;
    case SaveOutcome::BadCategory:
        prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kBadCategoryName), PromptIcon::Warning);
        return;
    case SaveOutcome::CommentExists:
        prompter_.Message(window_, T(CaseTexts::kError), T(CaseTexts::kCommentNamesUsedUp), PromptIcon::Error);
        return;
    case SaveOutcome::CommentFailed: Fail(CaseTexts::kCommentSaveFailed, current_.LastStatus()); return;
    default: Fail(CaseTexts::kSaveFailed, current_.LastStatus()); return;
    }
}

void CaseDesk::View(int32_t number)
{
    CaseRecord record;
    switch (current_.Read(number, record)) {
    case ViewOutcome::NotLive: return;
    case ViewOutcome::Failed: Fail(CaseTexts::kReadFailed, DbStatus::IoError); return;
    case ViewOutcome::BadRecord:
        prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kBadRecord), PromptIcon::Warning);
        return;
    case ViewOutcome::Ready: break;
    }
    AskToSaveComment();
    current_.Show(record);
    UpdateSaveButton();
    const fs::path path = current_.CommentPath();
    std::error_code ec;
    if (!path.empty() && fs::exists(path, ec)) {
        QFile file(PathText(path));
        if (file.open(QIODevice::ReadOnly)) {
            comment_.clear();
            ReadRtf(file.readAll(), *comment_.document());
        }
    }
    const bool cast = !hooks_.showAndCast || hooks_.showAndCast(current_.Record());
    current_.SetCast(cast);
    if (cast) comment_.document()->setModified(false);
}

void CaseDesk::New()
{
    if (!prompter_.Question(window_, T(CaseTexts::kNewTitle), T(CaseTexts::kAskNew), PromptIcon::Information)) return;
    AskToSaveComment();
    if (hooks_.clearScreen) hooks_.clearScreen();
    current_.New();
    comment_.setPlainText(T(CaseTexts::kCommentPreset));
    comment_.document()->setModified(false);
    UpdateSaveButton();
}

void CaseDesk::Search(SearchCriteria& criteria, const QStringList& provinces)
{
    TFrmSearch dialog(criteria, store_, CategoryList(settingsFile_).Read(), provinces, prompter_, window_);
    prompter_.Exec(dialog);
    if (dialog.result()) tree_.FillWith(dialog.found());
}

void CaseDesk::ConnectSearch(SearchCriteria& criteria, QStringList provinces)
{
    connect(&tree_, &CaseTreeView::searchRequested, this,
            [this, &criteria, provinces] { Search(criteria, provinces); });
}

void CaseDesk::Export()
{
    const QString chosen = prompter_.Folder(window_, T(CaseTexts::kExportFolderTitle));
    if (chosen.isEmpty()) return;
    const fs::path folder = fs::path(chosen.toStdString()) / std::string(kExportFolderName);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        Fail(CaseTexts::kExportFailed, DbStatus::IoError);
        return;
    }
    if (const DbStatus s = store_.ExportTo(folder); s != DbStatus::Ok) {
        Fail(CaseTexts::kExportFailed, s);
        return;
    }
    const QString shown = PathText(folder) + QStringLiteral("/");
    prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kExported).arg(shown), PromptIcon::Information);
}

void CaseDesk::Import()
{
    if (!prompter_.Question(window_, T(CaseTexts::kImportCaption), T(CaseTexts::kAskImport), PromptIcon::Warning,
                            DefaultAnswer::No))
        return;
    const FileFilterChoice choice =
        prompter_.OpenFile(window_, T(CaseTexts::kImport), {T(CaseTexts::kImportFilter)}, T(CaseTexts::kImportFileName));
    if (choice.path.isEmpty()) return;
    const fs::path file(choice.path.toStdString());
    if (QString::fromStdString(file.filename().string()).compare(T(CaseTexts::kImportFileName), Qt::CaseInsensitive)) {
        prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kNoImportFile), PromptIcon::Warning);
        return;
    }
    const fs::path source = file.parent_path();
    const auto comments = FindEntryIgnoringCase(source, kCommentFolderName);
    std::error_code ec;
    if (!comments || !fs::is_directory(*comments, ec)) {
        prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kNoImportFolder), PromptIcon::Warning);
        return;
    }
    AskToSaveComment();
    // The store replaces the cases in one step and keeps them when anything fails.
    if (const DbStatus s = store_.ImportFrom(source); s != DbStatus::Ok) {
        Fail(CaseTexts::kImportFailed, s);
        return;
    }
    Resync();
    prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kImported), PromptIcon::Information);
}

void CaseDesk::Compact()
{
    if (!prompter_.Question(window_, T(CaseTexts::kHint), T(CaseTexts::kAskCompact), PromptIcon::Information,
                            DefaultAnswer::No))
        return;
    int32_t count = 0;
    if (const DbStatus s = store_.Count(count); s != DbStatus::Ok) {
        Fail(CaseTexts::kCompactFailed, s);
        return;
    }
    if (count < CaseTexts::kCompactionThreshold) {
        prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kTooFewToCompact), PromptIcon::Information);
        return;
    }
    AskToSaveComment();
    if (const DbStatus s = store_.Compact(); s != DbStatus::Ok) {
        Fail(CaseTexts::kCompactFailed, s);
        return;
    }
    Resync();
    prompter_.Message(window_, T(CaseTexts::kHint), T(CaseTexts::kCompacted), PromptIcon::Information);
}

void CaseDesk::Resync()
{
    current_.Detach();
    UpdateSaveButton();
    tree_.FillNewest();
}
