// The place editor driven as a user would: pick, add, change and delete places and see the
// file; every refused value shows its message and leaves the file alone.
#include "Gbk.h"
#include "PlaceTable.h"
#include "Screenshots.h"
#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "UntDiLi.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string FileText(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return GbkToUtf8(ss.str());
}

class PlaceEditor : public ::testing::Test {
protected:
    QComboBox* Combo(const char* name) { return dialog.findChild<QComboBox*>(name); }
    QLineEdit* Edit(const char* name) { return dialog.findChild<QLineEdit*>(name); }
    void Click(const char* name) { dialog.findChild<QPushButton*>(name)->click(); }
    void Pick(const char* combo, const QString& text)
    {
        QComboBox* box = Combo(combo);
        const int i = box->findText(text);
        ASSERT_GE(i, 0) << text.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
    }
    void Type(const QString& jd, const QString& jf, const QString& wd, const QString& wf)
    {
        Edit("LedtJingDu")->setText(jd);
        Edit("LedtJingFen")->setText(jf);
        Edit("LedtWeiDu")->setText(wd);
        Edit("LedtWeiFen")->setText(wf);
    }
    QStringList Fields()
    {
        return {Edit("LedtJingDu")->text(), Edit("LedtJingFen")->text(), Edit("LedtWeiDu")->text(),
                Edit("LedtWeiFen")->text()};
    }
    QStringList Places()
    {
        QStringList list;
        for (int i = 0; i < Combo("CboShi")->count(); ++i) list << Combo("CboShi")->itemText(i);
        return list;
    }

    TempHome home;
    std::filesystem::path file = PlaceFile(home.path());
    // The shipped table, copied before the dialog opens it.
    bool copied = std::filesystem::copy_file(std::filesystem::path(QIRAVEL_RESOURCES) / "places" / "dili.ini", file);
    ScriptedPrompter prompter;
    TFrmDiLi dialog{home.path(), prompter};
};

}  // namespace

TEST_F(PlaceEditor, OpensOnTheFirstPlaceOfTheFirstProvince)
{
    EXPECT_EQ(dialog.windowTitle(), "经纬度设置");
    ASSERT_EQ(Combo("CboSheng")->count(), 34);
    EXPECT_EQ(Combo("CboSheng")->currentText(), "福建省");
    EXPECT_EQ(Combo("CboSheng")->itemText(33), "澳门");
    EXPECT_EQ(Combo("CboShi")->currentText(), "福州市");
    EXPECT_EQ(Fields(), (QStringList{"119", "18", "26", "5"}));
    EXPECT_EQ(Edit("LedtShiName")->text(), "市县名");
    EXPECT_EQ(Edit("LedtJingDu")->maxLength(), 3);
    EXPECT_EQ(Edit("LedtWeiDu")->maxLength(), 2);
    EXPECT_EQ(Edit("LedtShiName")->maxLength(), 10);
    Pick("CboSheng", "香港");
    EXPECT_EQ(Places(), (QStringList{"香港", "九龙"}));
    EXPECT_EQ(Fields(), (QStringList{"114", "10", "22", "17"}));
    dialog.show();
    SaveScreenshot(dialog, "place_editor");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PlaceEditor, AddChangeAndDeleteGoToTheFile)
{
    Pick("CboSheng", "香港");
    // Add a new place.
    Edit("LedtShiName")->setText("新界");
    Type("114", "8", "22", "25");
    Click("BtoAdd");
    EXPECT_EQ(prompter.Messages(), QStringList{"完成"});
    EXPECT_EQ(Places(), (QStringList{"香港", "九龙", "新界"}));
    EXPECT_NE(FileText(file).find("[香港]\n香港=114:10*22:17\n九龙=114:11*22:19\n新界=114:8*22:25\n"), std::string::npos);

    // Adding it again: declining the question leaves the file; accepting overwrites in place.
    const std::string before = FileText(file);
    Type("114", "9", "22", "26");
    prompter.answers = {false};
    Click("BtoAdd");
    EXPECT_EQ(FileText(file), before);
    EXPECT_EQ(prompter.shown.back().text, "已有这个地方的地理数据，要覆盖吗？");
    EXPECT_EQ(prompter.shown.back().caption, "注意");
    prompter.answers = {true};
    Click("BtoAdd");
    EXPECT_NE(FileText(file).find("新界=114:9*22:26\n"), std::string::npos);
    EXPECT_EQ(Places().size(), 3);

    // Change the selected place; the value is written as numbers.
    Pick("CboShi", "九龙");
    EXPECT_EQ(Fields(), (QStringList{"114", "11", "22", "19"}));
    Type("114", "12", "22", "18");
    Click("BtoEdit");
    EXPECT_NE(FileText(file).find("九龙=114:12*22:18\n"), std::string::npos);
    EXPECT_EQ(prompter.LastMessage(), "完成");

    // Delete: No keeps it, Yes removes it from the file and the list.
    Pick("CboShi", "新界");
    prompter.answers = {false};
    Click("BtoDel");
    EXPECT_EQ(prompter.shown.back().text, "确定要删除\"香港新界\"吗？");
    EXPECT_EQ(prompter.shown.back().icon, PromptIcon::Warning);
    EXPECT_NE(FileText(file).find("新界="), std::string::npos);
    prompter.answers = {true};
    Click("BtoDel");
    EXPECT_EQ(FileText(file).find("新界="), std::string::npos);
    EXPECT_EQ(Places(), (QStringList{"香港", "九龙"}));
    EXPECT_EQ(prompter.LastMessage(), "完成");
    // Nothing is selected afterwards, so a change does nothing until a place is picked.
    EXPECT_EQ(Combo("CboShi")->currentIndex(), -1);
    const int shown = static_cast<int>(prompter.shown.size());
    Click("BtoEdit");
    Click("BtoDel");
    EXPECT_EQ(static_cast<int>(prompter.shown.size()), shown);

    // Deleting every place of a province leaves an empty list and the fields as they were.
    Pick("CboSheng", "澳门");
    prompter.answers = {true};
    Click("BtoDel");
    EXPECT_TRUE(Places().isEmpty());
    EXPECT_EQ(Fields(), (QStringList{"113", "33", "22", "12"}));
    // The main window's list of that province now stands in with "未知地".
    const auto choices = PlaceTable(home.path()).Choices(33);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].name, "未知地");
}

TEST_F(PlaceEditor, EachRefusedValueShowsItsMessageAndWritesNothing)
{
    const QString longitude = "经度在-180到180之间，分数在0-60之间";
    const QString latitude = "纬度在-90到90之间，分数在0-60之间";
    struct Row { const char *jd, *jf, *wd, *wf; QString message; };
    const Row rows[] = {
        {"180", "0", "30", "0", longitude},  {"-99", "60", "30", "0", longitude},
        {"120", "60", "30", "0", longitude}, {"", "0", "30", "0", longitude},
        {"120", "", "30", "0", longitude},   {"abc", "0", "30", "0", longitude},
        {"120", "0", "90", "0", latitude},   {"120", "0", "30", "60", latitude},
        {"120", "0", "", "0", latitude},     {"120", "0", "30", "-1", latitude},
    };
    const std::string before = FileText(file);
    for (const Row& r : rows) {
        for (const char* button : {"BtoEdit", "BtoAdd"}) {
            prompter.shown.clear();
            Edit("LedtShiName")->setText("新城");
            Type(r.jd, r.jf, r.wd, r.wf);
            Click(button);
            ASSERT_EQ(prompter.shown.size(), 1u) << r.jd << " " << button;
            EXPECT_EQ(prompter.shown[0].text, r.message) << r.jd << ":" << r.jf << "*" << r.wd << ":" << r.wf;
            EXPECT_EQ(prompter.shown[0].caption, "输入错误");
            EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
        }
    }
    // A name the file cannot hold as a key is refused too; an empty name does nothing.
    prompter.shown.clear();
    Type("118", "0", "24", "0");
    Edit("LedtShiName")->setText("a=b");
    Click("BtoAdd");
    EXPECT_EQ(prompter.LastMessage(), "市县名不能含有“=”“[”“]”，不能以“;”或“#”开头，首尾不能有空格。");
    Edit("LedtShiName")->clear();
    Click("BtoAdd");
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(FileText(file), before);
    // The limits themselves are accepted.
    Type("179", "59", "-9", "59");
    Click("BtoEdit");
    EXPECT_EQ(prompter.LastMessage(), "完成");
    EXPECT_NE(FileText(file).find("福州市=179:59*-9:59\n"), std::string::npos);
}

TEST(PlaceEditorWrite, AFailedWriteIsReportedAndNothingIsListed)
{
    TempHome home;
    std::filesystem::create_directory(PlaceFile(home.path()));  // a folder where the file belongs
    ScriptedPrompter prompter;
    TFrmDiLi dialog(home.path(), prompter);
    EXPECT_EQ(dialog.findChild<QComboBox*>("CboShi")->count(), 0);
    dialog.findChild<QLineEdit*>("LedtJingFen")->setText("0");
    dialog.findChild<QLineEdit*>("LedtWeiDu")->setText("26");
    dialog.findChild<QLineEdit*>("LedtWeiFen")->setText("0");
    dialog.findChild<QPushButton*>("BtoAdd")->click();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "无法写入地理数据文件（dat/dili.ini），数据未改变。");
    EXPECT_EQ(prompter.shown[0].icon, PromptIcon::Error);
    EXPECT_EQ(dialog.findChild<QComboBox*>("CboShi")->count(), 0);
}
