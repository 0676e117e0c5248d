#pragma once
// The case tree on screen: root "命例", the categories, the cases with their captions and
// images, and the pop-up menu that views, moves and deletes cases and adds, renames, deletes,
// reorders and saves categories. It mirrors the core CaseTree node by node; every question and
// message goes through the prompter.
#include "CaseTree.h"

#include <QIcon>
#include <QTreeWidget>

#include <filesystem>
#include <memory>

class CurrentCase;
class Prompter;
class QAction;
class QMenu;

class CaseTreeView final : public QTreeWidget {
    Q_OBJECT
public:
    enum Level { RootLevel = 0, CategoryLevel = 1, CaseLevel = 2 };
    enum Image { FemaleImage = 0, MaleImage = 1, CategoryImage = 2, RootImage = 3 };

    // `current` may be null (no current case: nothing is on screen).
    CaseTreeView(MDataBase& store, std::filesystem::path settingsFile, Prompter& prompter,
                 CurrentCase* current = nullptr, QWidget* parent = nullptr);
    ~CaseTreeView() override;

    CaseTree& model() { return model_; }

    // Fills: the start-up list, "显示全部命例", and the hits of a search.
    void FillNewest();
    void ShowAll();
    void FillWith(const std::vector<int32_t>& numbers);
    // Rebuilds the nodes from the model (after a fill); expands the root one level.
    void Rebuild();

    // The record number of the selected case node; -1 for none, the root or a category.
    int32_t SelectedNumber() const;
    QTreeWidgetItem* root() const { return topLevelItem(0); }
    QTreeWidgetItem* CategoryItem(int index) const;
    QTreeWidgetItem* CaseItem(int32_t number) const;
    // Selects a node (tests and the window use it as a click would).
    void Select(QTreeWidgetItem* item);

    // After a save: the stored case's caption and image, or a new case node (expanding its category).
    void CaseSaved(const CaseRecord& record, bool added);

    // The pop-up menu and its items; UpdateMenu sets the states for the selected node and
    // rebuilds "移动到".
    QMenu* menu() const { return menu_; }
    QMenu* moveMenu() const { return moveMenu_; }
    void UpdateMenu();
    QAction *actView, *actDeleteCase, *actAddCategory, *actRenameCategory, *actDeleteCategory, *actSaveCategories,
        *actSearch, *actShowAll, *actExpand, *actCollapse;

    // The operations of the menu, each on the selected node.
    void MoveSelectedCase(int targetCategory);
    void DeleteSelectedCase();
    void AddCategory();
    void RenameCategory();
    void DeleteCategory();
    // Quietly (closing the window): no message; the caller says a failure.
    bool SaveCategories(bool quietly = false);
    void ExpandSelected(bool expand);

    // Drag and drop of categories: the drag flag, whether a node takes the drop, and the drop.
    bool dragFlag() const { return dragFlag_; }
    bool AcceptsDropOn(QTreeWidgetItem* target) const;
    bool DropOn(QTreeWidgetItem* target);

signals:
    // "查看命例" and a double click on a case node.
    void viewRequested(int32_t number);
    // "查找": the window shows the search dialog with its criteria.
    void searchRequested();
    // The case on screen was deleted: the window empties the report pane and clears the cast flag.
    void caseOnScreenDeleted();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int LevelOf(const QTreeWidgetItem* item) const;
    int CategoryIndexOf(const QTreeWidgetItem* item) const;
    QTreeWidgetItem* AddCategoryItem(const std::string& name);
    QTreeWidgetItem* AddCaseItem(QTreeWidgetItem* category, const CaseEntry& entry);
    void Message(const char* caption, const QString& text, int icon);
    void StoreFailed(const char* what, DbStatus status);
    void ViewSelected();

    MDataBase& store_;
    Prompter& prompter_;
    CurrentCase* current_;
    CaseTree model_;
    QMenu* menu_ = nullptr;
    QMenu* moveMenu_ = nullptr;
    bool dragFlag_ = false;
    QIcon images_[4];
};
