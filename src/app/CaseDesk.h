#pragma once
// The current case on screen and the case-file tools of the main window: save ("存新"/"存旧"),
// view, new, the unsaved-comment question, search, and export, import and compaction of the
// whole collection. It holds no chart: the window fills its input panel and casts through the
// hooks. Every question and message goes through the prompter, and no success is announced
// after a failure.
#include "CurrentCase.h"
#include "Database.h"

#include <QObject>
#include <QStringList>

#include <filesystem>
#include <functional>

class CaseTreeView;
class Prompter;
class QAbstractButton;
class QTextEdit;
class QWidget;

struct CaseDeskHooks {
    // Fills the input panel from the record, checks it and casts the natal chart with its report
    // (no auto-save); true when the chart is cast.
    std::function<bool(const CaseRecord&)> showAndCast;
    // "新建": empty the report pane and paint the chart white.
    std::function<void()> clearScreen;
    // The case on screen was deleted from the tree: empty the report pane, clear the cast flag.
    std::function<void()> caseDeleted;
};

class CaseDesk final : public QObject {
    Q_OBJECT
public:
    CaseDesk(QWidget* window, MDataBase& store, std::filesystem::path settingsFile, Prompter& prompter,
             CaseTreeView& tree, CurrentCase& current, QTextEdit& comment, QAbstractButton& saveButton);

    void SetHooks(CaseDeskHooks hooks) { hooks_ = std::move(hooks); }

    // The natal cast of the window: the birth data goes into the working copy.
    void Cast(const ChartInput& input, bool ok);

    void Save();
    void AskToSaveComment();
    void View(int32_t number);
    void New();
    // "查找": the dialog over the window's criteria; the hits go into the tree.
    void Search(SearchCriteria& criteria, const QStringList& provinces);
    // The tree's "查找" opens the search dialog over these criteria, which must outlive the desk.
    void ConnectSearch(SearchCriteria& criteria, QStringList provinces);
    void Export();
    void Import();
    void Compact();

    // "存新" in black in new mode, "存旧" in blue in stored mode.
    void UpdateSaveButton();

private:
    void Fail(const char* text, DbStatus status);
    // After import or compaction: record numbers no longer hold.
    void Resync();

    QWidget* window_;
    MDataBase& store_;
    std::filesystem::path settingsFile_;
    Prompter& prompter_;
    CaseTreeView& tree_;
    CurrentCase& current_;
    QTextEdit& comment_;
    QAbstractButton& saveButton_;
    CaseDeskHooks hooks_;
};
