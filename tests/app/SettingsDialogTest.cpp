// The chart settings dialog driven as a user would: what it shows from set.ini, what "确认"
// writes, what the next cast then uses, and the refused text distance.
#include "RadioGroup.h"
#include "Screenshots.h"
#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "UntSetCan.h"
#include "Ziweiex.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string SetIni(const TempHome& home)
{
    std::ifstream in(home.dat() / "set.ini", std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

struct Controls {
    explicit Controls(TFrmSetcan& d) : dialog(d) {}
    RadioGroup* Group(const char* name) { return dialog.findChild<RadioGroup*>(name); }
    QCheckBox* Check(const char* name) { return dialog.findChild<QCheckBox*>(name); }
    QComboBox* SelDate() { return dialog.findChild<QComboBox*>("CboSelDate"); }
    QLineEdit* Left() { return dialog.findChild<QLineEdit*>("LedtLeft"); }
    void Click(const char* name) { dialog.findChild<QPushButton*>(name)->click(); }
    // tg5, tg7, tg9, tm, run, miaoxian, idate as the dialog shows them.
    std::vector<int> Choices()
    {
        return {Group("Rdozw_5")->itemIndex(),   Group("Rdozw_7")->itemIndex(),   Group("Rdozw_9")->itemIndex(),
                Group("Rdozw_tm")->itemIndex(),  Group("Rdozw_run")->itemIndex(), Group("RdoMiaoXian")->itemIndex(),
                SelDate()->currentIndex()};
    }
    // save, zishi, showfu, showxiao.
    std::vector<bool> Ticks()
    {
        return {Check("ChkSave")->isChecked(), Check("ChkZiShi")->isChecked(), Check("ChkShowFu")->isChecked(),
                Check("ChkShowXiao")->isChecked()};
    }
    TFrmSetcan& dialog;
};

// Stars 27..61, which "显示副星" places.
int MinorStars(const ChartData& chart)
{
    int n = 0;
    for (const PalaceRecord& p : chart.palaces)
        for (int i = 0; i < p.stars.count; ++i) n += p.stars.stars[i] >= 27 ? 1 : 0;
    return n;
}

ChartInput Birth()
{
    ChartInput in;
    in.birth = {1990, 5, 17, 10, 30};
    return in;
}

}  // namespace

TEST(SettingsDialog, ConfirmWritesSetIniAndTheNextCastUsesIt)
{
    TempHome home;
    MZiWeiEx engine(home.path());
    ASSERT_TRUE(engine.CastNatal(Birth()));
    EXPECT_GT(MinorStars(engine.chart()), 0);

    ScriptedPrompter prompter;
    TFrmSetcan dialog(home.path(), prompter);
    Controls c(dialog);
    EXPECT_EQ(dialog.windowTitle(), "排盘设置");
    // No set.ini: every default.
    EXPECT_EQ(c.Choices(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(c.Ticks(), (std::vector<bool>{false, false, true, true}));
    EXPECT_EQ(c.Left()->text(), "0");
    EXPECT_EQ(c.Left()->maxLength(), 3);
    EXPECT_EQ(c.SelDate()->itemText(2), "地方时");
    dialog.show();
    SaveScreenshot(dialog, "settings_dialog");

    c.Group("Rdozw_5")->setItemIndex(1);
    c.Group("Rdozw_7")->setItemIndex(2);
    c.Group("Rdozw_9")->setItemIndex(1);
    c.Group("Rdozw_tm")->setItemIndex(1);
    c.Group("Rdozw_run")->setItemIndex(2);
    c.Group("RdoMiaoXian")->setItemIndex(1);
    c.SelDate()->setCurrentIndex(2);
    c.Left()->setText("24");
    c.Check("ChkSave")->setChecked(true);
    c.Check("ChkZiShi")->setChecked(true);
    c.Check("ChkShowFu")->setChecked(false);
    c.Check("ChkShowXiao")->setChecked(false);
    c.Click("BitBtn1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_NE(SetIni(home).find("[ziwei]\ntg5=1\ntg7=2\ntg9=1\ntm=1\nrun=2\nileft=24\nsave=1\nshowfu=0\n"
                                "showxiao=0\nzishi=1\nidate=2\nmiaoxian=1\n"),
              std::string::npos)
        << SetIni(home);

    // The chart already cast stays as it was; the next cast reads the new settings.
    EXPECT_GT(MinorStars(engine.chart()), 0);
    ASSERT_TRUE(engine.CastNatal(Birth()));
    EXPECT_EQ(MinorStars(engine.chart()), 0);
    EXPECT_EQ(engine.GetSaveFlag(), 1);
    EXPECT_EQ(engine.settings().tg7, 2);
    EXPECT_EQ(engine.settings().idate, 2);
    EXPECT_EQ(engine.settings().ileft, 24);

    // Opened again, the dialog shows what was written.
    TFrmSetcan again(home.path(), prompter);
    Controls d(again);
    EXPECT_EQ(d.Choices(), (std::vector<int>{1, 2, 1, 1, 2, 1, 2}));
    EXPECT_EQ(d.Ticks(), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(d.Left()->text(), "24");
}

TEST(SettingsDialog, RefusedDistanceShowsItsMessageAndWritesNothing)
{
    TempHome home;
    ScriptedPrompter prompter;
    TFrmSetcan dialog(home.path(), prompter);
    Controls c(dialog);
    for (const char* text : {"", "-1", "abc", "1x"}) {
        prompter.shown.clear();
        c.Left()->setText(text);
        c.Click("BitBtn1");
        ASSERT_EQ(prompter.shown.size(), 1u) << text;
        EXPECT_EQ(prompter.shown[0].text, "文本左边距离在0－1000之间。") << text;
        EXPECT_NE(dialog.result(), QDialog::Accepted);
        EXPECT_FALSE(std::filesystem::exists(home.dat() / "set.ini")) << text;
    }
    c.Left()->setText("0");
    c.Click("BitBtn1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::exists(home.dat() / "set.ini"));
}

TEST(SettingsDialog, OddStoredValuesDefaultsAndCancel)
{
    TempHome home;
    std::ofstream(home.dat() / "set.ini") << "[ziwei]\ntg7=5\nshowfu=2\nrun=9\nidate=7\nileft=12\n";
    const std::string before = SetIni(home);
    ScriptedPrompter prompter;
    {
        TFrmSetcan dialog(home.path(), prompter);
        Controls c(dialog);
        // tg7=5 acts as 阳武府同 and shows so; showfu=2 places the stars but is not "1".
        EXPECT_EQ(c.Choices(), (std::vector<int>{0, 2, 0, 0, 2, 0, 2}));
        EXPECT_FALSE(c.Check("ChkShowFu")->isChecked());
        EXPECT_EQ(c.Left()->text(), "12");
        // "默认值" changes the controls only; "取消" writes nothing.
        c.Click("Btoziwei");
        EXPECT_EQ(c.Choices(), (std::vector<int>{0, 0, 0, 0, 0, 0, 0}));
        EXPECT_EQ(c.Ticks(), (std::vector<bool>{false, false, true, true}));
        EXPECT_EQ(c.Left()->text(), "0");
        EXPECT_EQ(SetIni(home), before);
        c.Click("BitBtn2");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_EQ(SetIni(home), before);
    }
    // Confirming without a change writes showfu=0: the box shown unticked is what is saved.
    TFrmSetcan dialog(home.path(), prompter);
    Controls(dialog).Click("BitBtn1");
    EXPECT_NE(SetIni(home).find("showfu=0\n"), std::string::npos);
    EXPECT_NE(SetIni(home).find("tg7=2\n"), std::string::npos);
}

TEST(SettingsDialog, AFailedWriteIsReportedAndTheDialogStays)
{
    TempHome home;
    std::filesystem::create_directory(home.dat() / "set.ini");  // a folder where the file belongs
    ScriptedPrompter prompter;
    TFrmSetcan dialog(home.path(), prompter);
    dialog.findChild<QPushButton*>("BitBtn1")->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "无法保存排盘设置（dat/set.ini），设置未改变。");
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
}
