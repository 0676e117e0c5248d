// The cases in the main window, end to end: cast and save new twice (the second comment named
// with "_0"), view the first from the tree, edit and save it as stored, delete it on screen.
#include "CaseTreeView.h"
#include "CategoryList.h"
#include "RtfReader.h"
#include "ScriptedPrompter.h"
#include "Screenshots.h"
#include "TempHome.h"
#include "UntFLei.h"
#include "UntMain.h"

#include <QApplication>
#include <QMenu>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

// The main window shown over a fresh program folder with the shipped skins.
class CaseMainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(home.path() / "skins");
        for (const auto& skin : fs::directory_iterator(QIRAVEL_SKINS))
            fs::copy_file(skin.path(), home.path() / "skins" / skin.path().filename());
        window = std::make_unique<TFrmMain>(home.path(), prompter);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    TempHome home;
    ScriptedPrompter prompter;
    std::unique_ptr<TFrmMain> window;
};

TEST_F(CaseMainWindow, SaveTwiceViewEditSaveStoredAndDeleteOnScreen)
{
    CaseTreeView& tree = *window->caseTree();
    const auto pick = [](const char* category) {
        return [category](QDialog& d) {
            auto& picker = static_cast<TFrmFenLei&>(d);
            picker.CboFenLei->setEditText(QString::fromUtf8(category));
            picker.BtnOk->click();
            return d.result();
        };
    };

    window->Edtname->setText("张三");
    window->EdtYear->setText("1984");
    window->cbom->setCurrentIndex(1);
    window->cbod->setCurrentIndex(4);
    window->cbos->setCurrentIndex(12);
    window->cbomin->setCurrentIndex(30);
    QTest::mouseClick(window->BtnPai, Qt::LeftButton);
    ASSERT_TRUE(window->cast()) << prompter.LastMessage().toStdString();
    window->RedtPingYu->setPlainText("第一条评语");
    prompter.dialogs = {pick("朋友"), pick("朋友")};
    window->SbtoSave->click();
    window->actSaveCase->trigger();
    EXPECT_TRUE(fs::exists(home.path() / "ZiWei_f" / "张三_198402051230.rtf"));
    EXPECT_TRUE(fs::exists(home.path() / "ZiWei_f" / "张三_198402051230_0.rtf"));
    ASSERT_EQ(tree.root()->childCount(), 1);
    EXPECT_EQ(tree.CategoryItem(0)->childCount(), 2);
    EXPECT_EQ(window->SbtoSave->text(), "存新");

    // View the first: a new case on screen, then the stored one with its comment.
    prompter.answers = {true};
    QTest::mouseClick(window->BtoNew, Qt::LeftButton);
    EXPECT_EQ(window->RedtPingYu->toPlainText(), "输入自己的评语：");
    EXPECT_FALSE(window->cast());
    tree.Select(tree.CaseItem(0));
    tree.actView->trigger();
    EXPECT_TRUE(window->cast());
    EXPECT_EQ(window->EdtYear->text(), "1984");
    EXPECT_EQ(window->cbom->currentIndex(), 1);
    EXPECT_EQ(window->RedtPingYu->toPlainText(), "第一条评语");
    EXPECT_EQ(window->SbtoSave->text(), "存旧");
    window->resize(1280, 800);
    QApplication::processEvents();
    SaveScreenshot(*window, "main_window_case_viewed");

    // Edit the year and the comment, cast, "存旧".
    window->EdtYear->setText("1985");
    QTest::mouseClick(window->BtnPai, Qt::LeftButton);
    ASSERT_TRUE(window->cast());
    window->RedtPingYu->selectAll();
    window->RedtPingYu->textCursor().insertText("改过的评语");
    prompter.answers = {true};
    window->SbtoSave->click();
    EXPECT_EQ(prompter.LastMessage(), "已保存编辑后的命例。");
    EXPECT_EQ(tree.CaseItem(0)->text(0), "张三  公1985-2-5|0");
    QFile comment(QString::fromStdString((home.path() / "ZiWei_f" / "张三_198402051230.rtf").string()));
    ASSERT_TRUE(comment.open(QIODevice::ReadOnly));
    EXPECT_EQ(RtfToPlainText(comment.readAll()), "改过的评语");

    // Delete it on screen: the report empties and the next save wants a chart.
    tree.Select(tree.CaseItem(0));
    tree.UpdateMenu();
    prompter.answers = {true, true};
    tree.actDeleteCase->trigger();
    EXPECT_EQ(prompter.shown.back().text, "确定要删除当前正在查看的命例吗？");
    EXPECT_EQ(tree.CategoryItem(0)->childCount(), 1);
    EXPECT_FALSE(window->cast());
    EXPECT_TRUE(window->Redtziwei->toPlainText().isEmpty());
    window->SbtoSave->click();
    EXPECT_EQ(prompter.LastMessage(), "请先排一个正确的盘后再保存");

    prompter.answers = {true};  // the close question
    window->close();
}

// The window's own settings writes (a skin chosen) read the file again, so they never put back
// the category list the window opened with.
TEST_F(CaseMainWindow, ACategorySavedDuringTheRunSurvivesTheWindowsOwnSettingsWrites)
{
    CaseTreeView& tree = *window->caseTree();
    tree.setCurrentItem(tree.root());
    prompter.texts.push_back(QString::fromUtf8("同事"));
    tree.actAddCategory->trigger();
    ASSERT_TRUE(tree.SaveCategories(true));

    window->menuSkins->actions().back()->trigger();  // "系统默认": a settings write that leaves no skin behind
    const std::vector<std::string> saved = CategoryList(home.dat() / "zdinit.ini").Read();
    EXPECT_NE(std::find(saved.begin(), saved.end(), "同事"), saved.end());
    prompter.answers.push_back(true);
    window->close();
}

}  // namespace
