// The case tree, the current case, the category picker, the search dialog and the case-file
// tools, driven as a user drives them; every question is answered by a scripted prompter.
#include "CaseDesk.h"
#include "CaseTreeView.h"
#include "CategoryList.h"
#include "CurrentCase.h"
#include "RtfReader.h"
#include "ScriptedPrompter.h"
#include "Screenshots.h"
#include "TempHome.h"
#include "UntFLei.h"
#include "UntSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <fstream>

namespace fs = std::filesystem;

// Readable failures for texts.
static void PrintTo(const QString& text, std::ostream* os) { *os << text.toStdString(); }

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

// Answers the category picker with a name.
std::function<int(QDialog&)> PickCategory(const char* name)
{
    return [name](QDialog& d) {
        auto& picker = static_cast<TFrmFenLei&>(d);
        picker.CboFenLei->setEditText(T(name));
        picker.BtnOk->click();
        return d.result();
    };
}

// A window holding what the main window holds of cases: the tree, the comment pane and the
// save button; casting is a hook that succeeds.
class CaseWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(store.Open(home.path()), DbStatus::Ok);
        ASSERT_TRUE(CategoryList(Settings()).WriteAll({"临时保存", "朋友", "家人"}));
        window.resize(420, 520);
        tree = new CaseTreeView(store, Settings(), prompter, &current, &window);
        comment = new QTextEdit(&window);
        saveButton = new QToolButton(&window);
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(tree, 1);
        auto* side = new QVBoxLayout;
        side->addWidget(comment);
        side->addWidget(saveButton);
        layout->addLayout(side, 1);
        desk = new CaseDesk(&window, store, Settings(), prompter, *tree, current, *comment, *saveButton);
        desk->SetHooks({[this](const CaseRecord& r) {
                            shownNames.push_back(r.name);
                            return true;
                        },
                        [this] { ++clearedScreens; }, [this] { ++deletedOnScreen; }});
        tree->FillNewest();
    }

    fs::path Settings() const { return home.dat() / "zdinit.ini"; }
    fs::path Comment(const std::string& name) const { return home.path() / "ZiWei_f" / (name + ".rtf"); }

    void Cast(const char* name, int16_t year = 1990, bool male = true)
    {
        ChartInput in;
        in.name = name;
        in.birth = {year, 5, 1, 8, 30};
        in.isMale = male;
        desk->Cast(in, true);
    }
    void SaveNew(const char* category)
    {
        prompter.dialogs.push_back(PickCategory(category));
        desk->Save();
    }
    QStringList Children(QTreeWidgetItem* item) const
    {
        QStringList out;
        for (int i = 0; item && i < item->childCount(); ++i) out << item->child(i)->text(0);
        return out;
    }
    void Select(QTreeWidgetItem* item)
    {
        tree->Select(item);
        tree->UpdateMenu();
    }

    TempHome home;
    MDataBase store;
    CurrentCase current{store};
    ScriptedPrompter prompter;
    QWidget window;
    CaseTreeView* tree = nullptr;
    QTextEdit* comment = nullptr;
    QToolButton* saveButton = nullptr;
    CaseDesk* desk = nullptr;
    std::vector<std::string> shownNames;
    int clearedScreens = 0;
    int deletedOnScreen = 0;
};

TEST_F(CaseWindow, SaveNewTwiceViewEditSaveStoredAndNew)
{
    EXPECT_EQ(saveButton->text(), T("存新"));
    desk->Save();
    EXPECT_EQ(prompter.LastMessage(), T("请先排一个正确的盘后再保存"));

    Cast("张三");
    comment->setPlainText(T("命主天机，多思虑。"));
    SaveNew("朋友");
    SaveNew("朋友");
    EXPECT_TRUE(fs::exists(Comment("张三_199005010830")));
    EXPECT_TRUE(fs::exists(Comment("张三_199005010830_0")));
    EXPECT_EQ(Children(tree->CategoryItem(1)), (QStringList{T("张三  公1990-5-1|0"), T("张三  公1990-5-1|1")}));
    EXPECT_EQ(current.Mode(), CaseMode::New);

    // View the first: its comment comes back through the RTF reader.
    comment->setPlainText("x");
    Select(tree->CaseItem(0));
    ASSERT_TRUE(tree->actView->isEnabled());
    tree->actView->trigger();
    EXPECT_EQ(shownNames, std::vector<std::string>{"张三"});
    EXPECT_EQ(comment->toPlainText(), T("命主天机，多思虑。"));
    EXPECT_EQ(saveButton->text(), T("存旧"));
    EXPECT_TRUE(saveButton->styleSheet().contains("blue"));
    SaveScreenshot(window, "case_tree_viewed");

    // Edit: a new year and comment, then "存旧" overwrites the same record and comment name.
    Cast("张三", 1991);
    comment->setPlainText(T("改过的评语"));
    prompter.answers = {true};
    desk->Save();
    EXPECT_EQ(prompter.shown.back().text, T("已保存编辑后的命例。"));
    EXPECT_EQ(tree->CaseItem(0)->text(0), T("张三  公1991-5-1|0"));
    QFile file(QString::fromStdString(Comment("张三_199005010830").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(RtfToPlainText(file.readAll()), T("改过的评语"));
    EXPECT_FALSE(comment->document()->isModified());

    // New: asks, empties the screen, back to "存新".
    prompter.answers = {true};
    desk->New();
    EXPECT_EQ(clearedScreens, 1);
    EXPECT_EQ(comment->toPlainText(), T("输入自己的评语："));
    EXPECT_EQ(saveButton->text(), T("存新"));
    EXPECT_TRUE(saveButton->styleSheet().contains("black"));
}

TEST_F(CaseWindow, UnsavedCommentIsAskedAboutAndSavesTheCaseOnScreen)
{
    Cast("甲");
    SaveNew("朋友");
    Cast("乙");
    SaveNew("家人");
    Select(tree->CaseItem(0));
    tree->actView->trigger();
    comment->selectAll();
    comment->textCursor().insertText(T("甲的评语"));  // typed: modified
    Select(tree->CaseItem(1));
    prompter.answers = {true, true};       // save the comment? overwrite 甲?
    tree->actView->trigger();
    EXPECT_EQ(prompter.shown[prompter.shown.size() - 3].text, T("当前评语文本已改变，要保存吗？"));
    QFile file(QString::fromStdString(Comment("甲_199005010830").string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(RtfToPlainText(file.readAll()), T("甲的评语"));
    EXPECT_EQ(current.StoredNumber(), 1);
}

TEST_F(CaseWindow, MoveThenSaveStoredKeepsTheNewCategory)
{
    Cast("甲");
    SaveNew("朋友");
    Select(tree->CaseItem(0));
    tree->actView->trigger();
    Select(tree->CaseItem(0));
    ASSERT_EQ(tree->moveMenu()->actions().size(), 2);  // 临时保存 and 家人, not its own
    tree->moveMenu()->actions()[1]->trigger();
    EXPECT_EQ(Children(tree->CategoryItem(2)), QStringList{T("甲  公1990-5-1|0")});
    Cast("甲");
    prompter.answers = {true};
    desk->Save();
    CaseRecord r;
    ASSERT_EQ(store.Read(0, r), DbStatus::Ok);
    EXPECT_EQ(r.category, "家人");
}

TEST_F(CaseWindow, DeletingTheCaseOnScreen)
{
    Cast("甲");
    SaveNew("朋友");
    Select(tree->CaseItem(0));
    tree->actView->trigger();
    Select(tree->CaseItem(0));
    prompter.answers = {true, true};
    tree->actDeleteCase->trigger();
    EXPECT_EQ(prompter.shown[prompter.shown.size() - 2].text, T("确定要删除“甲”这个命例吗？"));
    EXPECT_EQ(prompter.shown.back().text, T("确定要删除当前正在查看的命例吗？"));
    EXPECT_TRUE(Children(tree->CategoryItem(1)).isEmpty());
    EXPECT_EQ(deletedOnScreen, 1);
    EXPECT_FALSE(fs::exists(Comment("甲_199005010830")));
    CaseRecord r;
    EXPECT_EQ(store.Read(0, r), DbStatus::Deleted);
    desk->Save();
    EXPECT_EQ(prompter.LastMessage(), T("请先排一个正确的盘后再保存"));
    EXPECT_EQ(saveButton->text(), T("存新"));  // a later save files it anew, never revives it

    Select(tree->root());
    tree->DeleteSelectedCase();
    EXPECT_EQ(prompter.LastMessage(), T("请先选择一个命例！"));
}

TEST_F(CaseWindow, CategoriesAndTheirMenu)
{
    Cast("甲");
    SaveNew("朋友");
    Cast("乙", 1985, false);
    SaveNew("自选");  // a name not in the list gets a node at the end
    EXPECT_EQ(Children(tree->root()), (QStringList{T("临时保存"), T("朋友"), T("家人"), T("自选")}));

    struct Row {
        QTreeWidgetItem* node;
        bool view, rename, expand;
    };
    for (const Row& row : {Row{tree->root(), false, false, true}, Row{tree->CategoryItem(1), false, true, true},
                           Row{tree->CaseItem(0), true, false, false}}) {
        Select(row.node);
        EXPECT_EQ(tree->actView->isEnabled(), row.view) << row.node->text(0).toStdString();
        EXPECT_EQ(tree->moveMenu()->isEnabled(), row.view);
        EXPECT_EQ(tree->actDeleteCase->isEnabled(), row.view);
        EXPECT_EQ(tree->actRenameCategory->isEnabled(), row.rename);
        EXPECT_EQ(tree->actDeleteCategory->isEnabled(), row.rename);
        EXPECT_EQ(tree->actExpand->isEnabled(), row.expand);
        EXPECT_TRUE(tree->actAddCategory->isEnabled() && tree->actSearch->isEnabled() && tree->actShowAll->isEnabled());
    }

    prompter.texts = {T("七个汉字的类别"), T("FRIENDS"), T("friends")};
    tree->actAddCategory->trigger();
    EXPECT_EQ(prompter.LastMessage(), T("类别名不能为空，并且最多可以有6个汉字！"));
    tree->actAddCategory->trigger();
    tree->actAddCategory->trigger();
    EXPECT_EQ(prompter.LastMessage(), T("已有这个类别了！"));
    EXPECT_EQ(tree->currentItem(), tree->CategoryItem(4));

    Select(tree->CategoryItem(1));
    prompter.texts = {T("朋友"), T("好友")};
    tree->actRenameCategory->trigger();
    EXPECT_EQ(prompter.LastMessage(), T("已有这个类别了，请另起一个名称！"));
    tree->actRenameCategory->trigger();
    CaseRecord r;
    ASSERT_EQ(store.Read(0, r), DbStatus::Ok);
    EXPECT_EQ(r.category, "好友");

    // Drag and drop: a category onto a category only.
    Select(tree->CategoryItem(3));  // 自选
    EXPECT_FALSE(tree->AcceptsDropOn(tree->root()));
    EXPECT_FALSE(tree->AcceptsDropOn(tree->CaseItem(0)));
    ASSERT_TRUE(tree->DropOn(tree->CategoryItem(0)));
    EXPECT_EQ(Children(tree->root()), (QStringList{T("自选"), T("临时保存"), T("好友"), T("家人"), T("FRIENDS")}));
    Select(tree->CaseItem(0));
    EXPECT_FALSE(tree->AcceptsDropOn(tree->CategoryItem(1)));  // a case is not dragged

    Select(tree->root());
    tree->actExpand->trigger();
    SaveScreenshot(window, "case_tree_categories");
    tree->actCollapse->trigger();
    EXPECT_FALSE(tree->root()->isExpanded());

    Select(tree->CategoryItem(0));
    prompter.answers = {true};
    tree->actDeleteCategory->trigger();
    EXPECT_EQ(store.Read(1, r), DbStatus::Deleted);
    tree->actSaveCategories->trigger();
    EXPECT_EQ(prompter.LastMessage(), T("当前列表的类别已经保存！"));
    EXPECT_EQ(CategoryList(Settings()).Read(),
              (std::vector<std::string>{"临时保存", "好友", "家人", "FRIENDS"}));
}

TEST_F(CaseWindow, CategoryPickerRefusesBlankAndOverlongNames)
{
    TFrmFenLei picker({"临时保存", "朋友"}, prompter);
    EXPECT_EQ(picker.windowTitle(), T("分类保存"));
    EXPECT_EQ(picker.CboFenLei->currentText(), T("临时保存"));
    SaveScreenshot(picker, "category_picker");
    picker.CboFenLei->setEditText("   ");
    picker.BtnOk->click();
    EXPECT_EQ(prompter.LastMessage(), T("类别名不能为空"));
    EXPECT_NE(picker.result(), int(QDialog::Accepted));
    picker.CboFenLei->setEditText(T(" 好友 "));
    picker.BtnOk->click();
    EXPECT_EQ(picker.category(), T("好友"));
}

TEST_F(CaseWindow, SearchWithEachRefusal)
{
    SearchCriteria criteria;
    const QStringList provinces = {T("北京"), T("上海"), T("未知地")};
    auto drive = [&](std::function<void(TFrmSearch&)> steps) {
        prompter.dialogs.push_back([steps](QDialog& d) {
            steps(static_cast<TFrmSearch&>(d));
            return d.result();
        });
        tree->actSearch->trigger();
    };
    desk->ConnectSearch(criteria, provinces);
    drive([](TFrmSearch& s) { s.BtnSearch->click(); });
    EXPECT_EQ(prompter.LastMessage(), T("没有记录，无从查找。"));

    Cast("张三");
    SaveNew("朋友");
    Cast("张四", 1980);
    SaveNew("家人");
    Cast("李五", 1990, false);
    SaveNew("朋友");
    drive([&](TFrmSearch& s) {
        SaveScreenshot(s, "search_dialog");
        s.LedtY1->setText("1990");
        s.LedtY2->setText("1980");
        s.BtnSearch->click();
        EXPECT_EQ(prompter.LastMessage(), T("结束年必须大于或等于起始年"));
        s.LedtY2->clear();
        s.BtnSearch->click();
        EXPECT_TRUE(prompter.LastMessage().startsWith(T("年份必须在-850到2100年之间")));
        s.LedtY1->setText("-850");
        s.LedtY2->setText("-1");
        s.BtnSearch->click();
        EXPECT_EQ(prompter.LastMessage(), T("没有找到符合条件的命例。"));
        s.LedtY1->clear();
        s.LedtY2->clear();
        s.Edtname->setText(T("张"));
        prompter.answers = {false};  // do not show: the dialog stays
        s.BtnSearch->click();
        EXPECT_FALSE(s.result());
        s.ChkName->setChecked(true);
        s.BtnSearch->click();
        EXPECT_EQ(prompter.LastMessage(), T("没有找到符合条件的命例。"));  // whole-name match
        s.ChkName->setChecked(false);
        prompter.answers = {true};
        s.BtnSearch->click();
    });
    EXPECT_EQ(criteria.yearFrom, -849);  // the refused years stay in the criteria as stored
    EXPECT_EQ(prompter.shown.back().text, T("共找到2条记录，要显示到命例列表中吗？"));
    EXPECT_EQ(tree->root()->childCount(), 3);
    EXPECT_EQ(Children(tree->CategoryItem(1)), QStringList{T("张三  公1990-5-1|0")});
    EXPECT_EQ(Children(tree->CategoryItem(2)), QStringList{T("张四  公1980-5-1|1")});

    drive([&](TFrmSearch& s) {
        EXPECT_EQ(s.Edtname->text(), T("张"));  // the last criteria come back
        prompter.answers = {true, true};
        s.BtoAll->click();
    });
    EXPECT_EQ(tree->model().CaseCount(), 3u);
}

TEST_F(CaseWindow, ExportImportAndCompaction)
{
    Cast("甲");
    comment->setPlainText(T("甲的评语"));
    SaveNew("朋友");
    const fs::path out = home.path() / "out";
    fs::create_directories(out);

    prompter.folders = {QString::fromStdString(out.string())};
    desk->Export();
    const fs::path exported = out / "Qiravel_导出数据";
    EXPECT_EQ(prompter.LastMessage(), T("成功导出，已保存到%1/目录下").arg(QString::fromStdString(exported.string())));
    EXPECT_TRUE(fs::exists(exported / "ZiWei_f" / "甲_199005010830.rtf"));

    std::ofstream(home.path() / "plain") << "x";
    prompter.folders = {QString::fromStdString((home.path() / "plain").string())};
    desk->Export();
    EXPECT_TRUE(prompter.LastMessage().startsWith(T("导出失败")));  // never a success after a failure

    prompter.answers = {true, true};
    prompter.files = {{QString::fromStdString((exported / "other.dat").string()), 0}};
    desk->Import();
    EXPECT_EQ(prompter.LastMessage(), T("没有导入的数据文件！"));
    const fs::path bare = home.path() / "bare";
    fs::create_directories(bare);
    fs::copy_file(exported / "ZiWei.dat", bare / "ZIWEI.DAT");
    prompter.files = {{QString::fromStdString((bare / "ZIWEI.DAT").string()), 0}};
    desk->Import();
    EXPECT_EQ(prompter.LastMessage(), T("没有导入的数据文件夹！"));

    // Import while a stored case is on screen: the tree is read again and the case becomes new.
    Cast("乙");
    SaveNew("家人");
    Select(tree->CaseItem(1));
    tree->actView->trigger();
    prompter.answers = {true};
    prompter.files = {{QString::fromStdString((exported / "ZiWei.dat").string()), 0}};
    desk->Import();
    EXPECT_EQ(prompter.LastMessage(), T("成功导入，请重启软件！"));
    EXPECT_EQ(tree->model().CaseCount(), 1u);
    EXPECT_EQ(current.Mode(), CaseMode::New);
    EXPECT_EQ(saveButton->text(), T("存新"));

    prompter.answers = {false};
    desk->Compact();
    prompter.answers = {true};
    desk->Compact();
    EXPECT_EQ(prompter.LastMessage(), T("命例数据过少，无需整理！"));
    for (int i = 0; i < 1999; ++i) {
        CaseRecord r;
        r.name = "n";
        r.category = "朋友";
        r.birth = {1990, 1, 1, 0, 0};
        ASSERT_EQ(store.Append(r), DbStatus::Ok);
    }
    ASSERT_EQ(store.MarkDeleted(0), DbStatus::Ok);
    prompter.answers = {true};
    desk->Compact();
    EXPECT_EQ(prompter.LastMessage(), T("整理数据完成，需重启软件！"));
    int32_t count = 0;
    ASSERT_EQ(store.Count(count), DbStatus::Ok);
    EXPECT_EQ(count, 1999);
    EXPECT_EQ(tree->model().CaseCount(), 1000u);
    EXPECT_EQ(tree->CaseItem(1998)->text(0), T("n  公1990-1-1|1998"));
}

}  // namespace
