// The help window and the knowledge file.
#include "Screenshots.h"
#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "UntTxtHelp.h"

#include <QPlainTextEdit>
#include <QTabWidget>

#include <fstream>

#include <gtest/gtest.h>

TEST(TxtHelp, PagesAndCaption)
{
    TFrmTxtHelp help;
    EXPECT_EQ(help.windowTitle(), "软件帮助");
    EXPECT_EQ(help.size(), QSize(702, 662));
    ASSERT_EQ(help.Pages()->count(), 2);
    EXPECT_EQ(help.Pages()->tabText(0), "使用说明");
    EXPECT_EQ(help.Pages()->tabText(1), "升级改进历史");
    const auto* usage = qobject_cast<QPlainTextEdit*>(help.Pages()->widget(0));
    ASSERT_NE(usage, nullptr);
    EXPECT_TRUE(usage->isReadOnly());
    for (const char* topic : {"天盘", "地盘", "人盘", "虚岁", "真太阳时", "导出历史记录", "导入历史记录", "整理记录文件", "万年历"})
        EXPECT_TRUE(usage->toPlainText().contains(topic)) << topic;
    const auto* history = qobject_cast<QPlainTextEdit*>(help.Pages()->widget(1));
    ASSERT_NE(history, nullptr);
    EXPECT_TRUE(history->toPlainText().contains("公元前4713年至公元9999年"));
    help.show();
    SaveScreenshot(help, "help-window");
}

TEST(TxtHelp, ShownModallyThroughThePrompter)
{
    ScriptedPrompter prompter;
    prompter.dialogs.push_back([](QDialog& d) { return d.windowTitle() == "软件帮助" ? QDialog::Accepted : -1; });
    ShowHelp(prompter, nullptr);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, "dialog");
    EXPECT_EQ(prompter.shown[0].caption, "软件帮助");
}

TEST(TxtHelp, KnowledgeFile)
{
    ScriptedPrompter prompter;
    TempHome home;
    int opened = 0;
    QUrl url;
    auto open = [&](const QUrl& u) {
        ++opened;
        url = u;
        return true;
    };
    EXPECT_EQ(OpenKnowledgeFile(prompter, nullptr, home.path(), open), KnowledgeResult::Missing);
    EXPECT_EQ(opened, 0);
    EXPECT_TRUE(prompter.shown.empty());

    std::ofstream(home.dat() / "zdzs.chm") << "ITSF";
    EXPECT_EQ(OpenKnowledgeFile(prompter, nullptr, home.path(), open), KnowledgeResult::Opened);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(url.toLocalFile().toStdString(), (home.dat() / "zdzs.chm").string());
    EXPECT_TRUE(prompter.shown.empty());

    EXPECT_EQ(OpenKnowledgeFile(prompter, nullptr, home.path(), [](const QUrl&) { return false; }),
              KnowledgeResult::Failed);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_TRUE(prompter.LastMessage().contains("zdzs.chm"));
}
