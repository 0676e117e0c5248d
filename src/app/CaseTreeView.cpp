#include "CaseTreeView.h"

#include "CaseTexts.h"
#include "CurrentCase.h"
#include "Prompter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>

using CaseTexts::T;

namespace {

constexpr int kIndent = 19;

// A case's image: a filled disc, red for a woman and blue for a man.
QIcon CaseImage(const QColor& colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(3, 3, 10, 10));
    return QIcon(pixmap);
}

PromptIcon IconOf(int icon) { return static_cast<PromptIcon>(icon); }

}  // namespace

CaseTreeView::CaseTreeView(MDataBase& store, std::filesystem::path settingsFile, Prompter& prompter,
                           CurrentCase* current, QWidget* parent)
    : QTreeWidget(parent), store_(store), prompter_(prompter), current_(current), model_(store, std::move(settingsFile))
{
    setHeaderHidden(true);
    setIndentation(kIndent);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::InternalMove);
    setUniformRowHeights(true);
    images_[FemaleImage] = CaseImage(QColor(0xD0, 0x40, 0x60));
    images_[MaleImage] = CaseImage(QColor(0x30, 0x60, 0xC0));
    images_[CategoryImage] = style()->standardIcon(QStyle::SP_DirIcon);
    images_[RootImage] = style()->standardIcon(QStyle::SP_DriveHDIcon);

    menu_ = new QMenu(this);
    actView = menu_->addAction(T(CaseTexts::kView), this, &CaseTreeView::ViewSelected);
    moveMenu_ = menu_->addMenu(T(CaseTexts::kMoveTo));
    actDeleteCase = menu_->addAction(T(CaseTexts::kDeleteCase), this, &CaseTreeView::DeleteSelectedCase);
    menu_->addSeparator();
    actAddCategory = menu_->addAction(T(CaseTexts::kAddCategory), this, &CaseTreeView::AddCategory);
    actRenameCategory = menu_->addAction(T(CaseTexts::kRenameCategory), this, &CaseTreeView::RenameCategory);
    actDeleteCategory = menu_->addAction(T(CaseTexts::kDeleteCategory), this, &CaseTreeView::DeleteCategory);
    actSaveCategories = menu_->addAction(T(CaseTexts::kSaveCategories), this, [this] { SaveCategories(); });
    menu_->addSeparator();
    actSearch = menu_->addAction(T(CaseTexts::kSearch), this, &CaseTreeView::searchRequested);
    actShowAll = menu_->addAction(T(CaseTexts::kShowAll), this, &CaseTreeView::ShowAll);
    menu_->addSeparator();
    actExpand = menu_->addAction(T(CaseTexts::kExpand), this, [this] { ExpandSelected(true); });
    actCollapse = menu_->addAction(T(CaseTexts::kCollapse), this, [this] { ExpandSelected(false); });
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this] { ViewSelected(); });
    Rebuild();
}

CaseTreeView::~CaseTreeView() = default;

void CaseTreeView::Message(const char* caption, const QString& text, int icon)
{
    prompter_.Message(this, caption ? T(caption) : QString(), text, IconOf(icon));
}

void CaseTreeView::StoreFailed(const char* what, DbStatus status)
{
    Message(CaseTexts::kError, T(what).arg(CaseTexts::StatusText(status)), int(PromptIcon::Error));
}

void CaseTreeView::FillNewest()
{
    const DbStatus s = model_.FillNewest();
    Rebuild();
    if (s != DbStatus::Ok) StoreFailed(CaseTexts::kReadFailed, s);
}

void CaseTreeView::ShowAll()
{
    DbStatus failure = DbStatus::Ok;
    switch (model_.ShowAll(&failure)) {
    case ShowAllOutcome::NoRecords: Message(nullptr, T(CaseTexts::kNoRecords), int(PromptIcon::Information)); return;
    case ShowAllOutcome::NothingFound:
        Message(CaseTexts::kInformation, T(CaseTexts::kNothingFound), int(PromptIcon::Information));
        return;
    case ShowAllOutcome::Failed:
        Rebuild();
        StoreFailed(CaseTexts::kReadFailed, failure);
        return;
    case ShowAllOutcome::Shown: Rebuild(); return;
    }
}

void CaseTreeView::FillWith(const std::vector<int32_t>& numbers)
{
    const DbStatus s = model_.Fill(numbers);
    Rebuild();
    if (s != DbStatus::Ok) StoreFailed(CaseTexts::kReadFailed, s);
}

QTreeWidgetItem* CaseTreeView::AddCategoryItem(const std::string& name)
{
    auto* item = new QTreeWidgetItem(root(), QStringList{QString::fromStdString(name)});
    item->setIcon(0, images_[CategoryImage]);
    return item;
}

QTreeWidgetItem* CaseTreeView::AddCaseItem(QTreeWidgetItem* category, const CaseEntry& entry)
{
    auto* item = new QTreeWidgetItem(category, QStringList{QString::fromStdString(entry.caption)});
    item->setIcon(0, images_[entry.male ? MaleImage : FemaleImage]);
    item->setFlags(item->flags() & ~Qt::ItemIsDropEnabled);
    return item;
}

void CaseTreeView::Rebuild()
{
    setUpdatesEnabled(false);
    clear();
    auto* rootItem = new QTreeWidgetItem(this, QStringList{T(CaseTexts::kRoot)});
    rootItem->setIcon(0, images_[RootImage]);
    for (const CategoryEntry& c : model_.Categories()) {
        QTreeWidgetItem* category = AddCategoryItem(c.name);
        QList<QTreeWidgetItem*> cases;
        cases.reserve(qsizetype(c.cases.size()));
        for (const CaseEntry& e : c.cases) {
            auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(e.caption)});
            item->setIcon(0, images_[e.male ? MaleImage : FemaleImage]);
            cases.append(item);
        }
        category->addChildren(cases);
    }
    rootItem->setExpanded(true);
    setUpdatesEnabled(true);
}

int CaseTreeView::LevelOf(const QTreeWidgetItem* item) const
{
    if (!item) return -1;
    int level = 0;
    for (const QTreeWidgetItem* p = item->parent(); p; p = p->parent()) ++level;
    return level;
}

int CaseTreeView::CategoryIndexOf(const QTreeWidgetItem* item) const
{
    return LevelOf(item) == CategoryLevel ? root()->indexOfChild(const_cast<QTreeWidgetItem*>(item)) : -1;
}

QTreeWidgetItem* CaseTreeView::CategoryItem(int index) const
{
    return root() && index >= 0 && index < root()->childCount() ? root()->child(index) : nullptr;
}

QTreeWidgetItem* CaseTreeView::CaseItem(int32_t number) const
{
    const auto at = model_.FindCase(number);
    QTreeWidgetItem* category = at ? CategoryItem(at->category) : nullptr;
    return category && at->index < category->childCount() ? category->child(at->index) : nullptr;
}

int32_t CaseTreeView::SelectedNumber() const
{
    const QTreeWidgetItem* item = currentItem();
    if (LevelOf(item) != CaseLevel || !item->isSelected()) return -1;
    return CaseNumberOfCaption(item->text(0).toStdString());
}

void CaseTreeView::Select(QTreeWidgetItem* item)
{
    setCurrentItem(item);
    if (item) item->setSelected(true);
    dragFlag_ = LevelOf(item) == CategoryLevel;
}

void CaseTreeView::CaseSaved(const CaseRecord& record, bool added)
{
    if (!added) {
        if (const auto at = model_.UpdateCase(record)) {
            QTreeWidgetItem* item = CategoryItem(at->category)->child(at->index);
            item->setText(0, QString::fromStdString(CaseCaption(record)));
            item->setIcon(0, images_[record.isMale ? MaleImage : FemaleImage]);
        }
        return;
    }
    const int before = int(model_.Categories().size());
    const CasePosition at = model_.AddCase(record);
    QTreeWidgetItem* category = at.category >= before ? AddCategoryItem(record.category) : CategoryItem(at.category);
    AddCaseItem(category, model_.Categories()[at.category].cases.back());
    category->setExpanded(true);
}

void CaseTreeView::UpdateMenu()
{
    QTreeWidgetItem* item = currentItem();
    if (!item || !item->isSelected()) return;
    const int level = LevelOf(item);
    const bool isCase = level == CaseLevel, isCategory = level == CategoryLevel;
    actView->setEnabled(isCase);
    moveMenu_->setEnabled(isCase);
    moveMenu_->menuAction()->setEnabled(isCase);
    actDeleteCase->setEnabled(isCase);
    actRenameCategory->setEnabled(isCategory);
    actDeleteCategory->setEnabled(isCategory);
    actExpand->setEnabled(!isCase);
    actCollapse->setEnabled(!isCase);
    if (!isCase) return;
    moveMenu_->clear();
    const int32_t number = CaseNumberOfCaption(item->text(0).toStdString());
    for (const int target : model_.MoveTargets(number)) {
        QAction* a = moveMenu_->addAction(QString::fromStdString(model_.Categories()[target].name));
        connect(a, &QAction::triggered, this, [this, target] { MoveSelectedCase(target); });
    }
}

void CaseTreeView::ViewSelected()
{
    const int32_t number = SelectedNumber();
    if (number < 0) {
        Message(nullptr, T(CaseTexts::kSelectCase), int(PromptIcon::Information));
        return;
    }
    emit viewRequested(number);
}

void CaseTreeView::MoveSelectedCase(int target)
{
    const int32_t number = SelectedNumber();
    if (number < 0) {
        Message(nullptr, T(CaseTexts::kSelectCase), int(PromptIcon::Information));
        return;
    }
    const auto from = model_.FindCase(number);
    if (!from || target < 0 || target >= int(model_.Categories().size())) return;
    const DbStatus s = model_.MoveCase(number, target);
    if (s == DbStatus::BadText) {
        Message(CaseTexts::kHint, T(CaseTexts::kBadCategoryName), int(PromptIcon::Warning));
        return;
    }
    if (s != DbStatus::Ok) {
        StoreFailed(CaseTexts::kChangeFailed, s);
        return;
    }
    if (current_) current_->CaseMoved(number, model_.Categories()[target].name);
    QTreeWidgetItem* item = CategoryItem(from->category)->takeChild(from->index);
    CategoryItem(target)->addChild(item);
    Select(item);
}

void CaseTreeView::DeleteSelectedCase()
{
    const int32_t number = SelectedNumber();
    if (number < 0) {
        Message(nullptr, T(CaseTexts::kSelectCase), int(PromptIcon::Information));
        return;
    }
    const QString caption = currentItem()->text(0);
    const QString name = caption.left(caption.indexOf(u' ') < 0 ? caption.size() : caption.indexOf(u' '));
    if (!prompter_.Question(this, T(CaseTexts::kAttention), T(CaseTexts::kAskDeleteCase).arg(name),
                            PromptIcon::Warning, DefaultAnswer::No))
        return;
    const bool onScreen = current_ && current_->Mode() == CaseMode::Stored && current_->StoredNumber() == number;
    if (onScreen && !prompter_.Question(this, T(CaseTexts::kHint), T(CaseTexts::kAskDeleteCaseOnScreen),
                                        PromptIcon::Warning))
        return;
    const auto at = model_.FindCase(number);
    const DbStatus s = model_.DeleteCase(number);
    CaseRecord r;
    if (s != DbStatus::Ok && store_.Read(number, r) != DbStatus::Deleted) {  // the record stays live
        StoreFailed(CaseTexts::kChangeFailed, s);
        return;
    }
    if (at) delete CategoryItem(at->category)->takeChild(at->index);
    if (onScreen) {
        current_->CaseDeleted(number);
        emit caseOnScreenDeleted();
    }
}

void CaseTreeView::AddCategory()
{
    const auto name = prompter_.QueryText(this, T(CaseTexts::kNewCategoryTitle), T(CaseTexts::kNewCategoryPrompt),
                                          T(CaseTexts::kNewCategoryPreset));
    if (!name) return;
    int index = -1;
    switch (model_.AddCategory(name->toStdString(), index)) {
    case CategoryOutcome::BadName: Message(nullptr, T(CaseTexts::kBadCategoryName), int(PromptIcon::Information)); return;
    case CategoryOutcome::Exists:
        Message(CaseTexts::kHint, T(CaseTexts::kCategoryExists), int(PromptIcon::Warning));
        Select(CategoryItem(index));
        return;
    case CategoryOutcome::Failed: Message(CaseTexts::kError, T(CaseTexts::kCategoryListFailed), int(PromptIcon::Error)); return;
    case CategoryOutcome::Done: AddCategoryItem(model_.Categories()[index].name); return;
    }
}

void CaseTreeView::RenameCategory()
{
    int index = CategoryIndexOf(currentItem());
    if (index < 0) return;
    const std::string old = model_.Categories()[index].name;
    const auto name = prompter_.QueryText(this, T(CaseTexts::kRenameTitle), T(CaseTexts::kRenamePrompt),
                                          QString::fromStdString(old));
    if (!name) return;
    switch (model_.RenameCategory(index, name->toStdString())) {
    case CategoryOutcome::BadName: Message(nullptr, T(CaseTexts::kBadCategoryName), int(PromptIcon::Information)); return;
    case CategoryOutcome::Exists:
        Message(CaseTexts::kHint, T(CaseTexts::kRenameExists), int(PromptIcon::Warning));
        Select(CategoryItem(index));
        return;
    case CategoryOutcome::Failed:
        Message(CaseTexts::kError, T(CaseTexts::kChangeFailed).arg(CaseTexts::StatusText(DbStatus::IoError)),
                int(PromptIcon::Error));
        return;
    case CategoryOutcome::Done: break;
    }
    const std::string& renamed = model_.Categories()[index].name;
    if (current_) current_->CategoryRenamed(old, renamed);
    CategoryItem(index)->setText(0, QString::fromStdString(renamed));
}

void CaseTreeView::DeleteCategory()
{
    const int index = CategoryIndexOf(currentItem());
    if (index < 0) return;
    const QString name = QString::fromStdString(model_.Categories()[index].name);
    if (!prompter_.Question(this, T(CaseTexts::kAttention), T(CaseTexts::kAskDeleteCategory).arg(name),
                            PromptIcon::Warning))
        return;
    std::vector<int32_t> deleted;
    const DbStatus s = model_.DeleteCategory(index, deleted);
    bool onScreen = false;
    for (const int32_t n : deleted) {
        if (current_ && current_->Mode() == CaseMode::Stored && current_->StoredNumber() == n) {
            current_->CaseDeleted(n);
            onScreen = true;
        }
    }
    if (s != DbStatus::Ok) {
        Rebuild();  // part of the category is gone: show what is left
        StoreFailed(CaseTexts::kChangeFailed, s);
    } else {
        delete root()->takeChild(index);
    }
    if (onScreen) emit caseOnScreenDeleted();
}

bool CaseTreeView::SaveCategories(bool quietly)
{
    if (!model_.SaveCategories()) {
        if (!quietly) Message(CaseTexts::kError, T(CaseTexts::kCategoryListFailed), int(PromptIcon::Error));
        return false;
    }
    if (!quietly && !model_.Categories().empty())
        Message(nullptr, T(CaseTexts::kCategoriesSaved), int(PromptIcon::Information));
    return true;
}

void CaseTreeView::ExpandSelected(bool expand)
{
    QTreeWidgetItem* item = currentItem();
    if (!item || LevelOf(item) == CaseLevel) return;
    if (expand) {
        expandRecursively(indexFromItem(item));
        return;
    }
    for (int i = 0; i < item->childCount(); ++i) item->child(i)->setExpanded(false);
    item->setExpanded(false);
}

bool CaseTreeView::AcceptsDropOn(QTreeWidgetItem* target) const
{
    return dragFlag_ && LevelOf(target) == CategoryLevel && LevelOf(currentItem()) == CategoryLevel;
}

bool CaseTreeView::DropOn(QTreeWidgetItem* target)
{
    if (!AcceptsDropOn(target)) return false;
    const int from = CategoryIndexOf(currentItem());
    int before = CategoryIndexOf(target);
    if (from == before) return true;
    model_.MoveCategory(from, before);
    QTreeWidgetItem* moving = root()->takeChild(from);
    if (before > from) --before;
    root()->insertChild(before, moving);
    Select(moving);
    return true;
}

void CaseTreeView::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    dragFlag_ = LevelOf(currentItem()) == CategoryLevel;
}

void CaseTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    UpdateMenu();
    menu_->exec(event->globalPos());
}

void CaseTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    if (dragFlag_) event->acceptProposedAction();
    else event->ignore();
}

void CaseTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    if (AcceptsDropOn(itemAt(event->position().toPoint()))) event->acceptProposedAction();
    else event->ignore();
}

void CaseTreeView::dropEvent(QDropEvent* event)
{
    if (DropOn(itemAt(event->position().toPoint()))) event->acceptProposedAction();
    else event->ignore();
}
