// The main window driven as a user would: typing a birth, casting, reading the report, annual
// charts, clicks, dragging, zooming, chart settings, closing and reopening, and every refused
// input. Each test runs in a fresh program folder with the shipped skins and a small place table.
#include "ChartImageWidget.h"
#include "Decziwei.h"
#include "ImageCanvas.h"
#include "IniFile.h"
#include "ScriptedPrompter.h"
#include "Screenshots.h"
#include "TempHome.h"
#include "UntMain.h"
#include "ZiweiexLayout.h"
#include "ZiweiexPalaces.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRadioButton>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kYearMessage =
    QString::fromUtf8("年份必须在-4713到9999年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120");

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(home.path() / "skins");
        for (const auto& skin : std::filesystem::directory_iterator(QIRAVEL_SKINS))
            std::filesystem::copy_file(skin.path(), home.path() / "skins" / skin.path().filename());
        IniFile places(home.dat() / "dili.ini");
        places.WriteString("福建省", "福州", "119:18*26:5");
        places.WriteString("福建省", "厦门", "118:30*24:15");
        places.WriteString("广东省", "广州", "113:15*23:8");
        Open();
    }
    void TearDown() override { Close(); }

    void Open()
    {
        window = std::make_unique<TFrmMain>(home.path(), prompter);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void Close()
    {
        if (!window) return;
        prompter.answers.push_back(true);
        window->close();
        window.reset();
    }
    // Shows the window at the size the screenshots use.
    void Shot(const char* name)
    {
        window->resize(1280, 800);
        QApplication::processEvents();
        SaveScreenshot(*window, name);
    }

    void TypeBirth(const QString& year, int month, int day, int hour, int minute, const QString& name = "张三")
    {
        // As the desktop's input method commits a composed name.
        window->Edtname->clear();
        window->Edtname->setFocus();
        QInputMethodEvent compose;
        compose.setCommitString(name);
        QApplication::sendEvent(window->Edtname, &compose);
        window->EdtYear->clear();
        QTest::keyClicks(window->EdtYear, year);
        window->cbom->setCurrentIndex(month - 1);
        window->cbod->setCurrentIndex(day - 1);
        window->cbos->setCurrentIndex(hour);
        window->cbomin->setCurrentIndex(minute);
    }
    void CastExample()
    {
        TypeBirth("1984", 2, 5, 12, 30);
        QTest::mouseClick(window->BtnPai, Qt::LeftButton);
        ASSERT_TRUE(window->cast()) << prompter.LastMessage().toStdString();
    }
    // Top-left pixel of a character column and text line of the cell of a branch.
    QPoint At(int branch, int column, int line) const
    {
        const ChartGeometry& g = *window->engine().geometry();
        const CanvasPoint corner = CellCorner(g, branch);
        return {corner.x + 2 + column * g.charWidth, corner.y + 2 + line * g.charHeight};
    }
    QImage Chart() const { return window->chartImage().image().copy(); }

    TempHome home;
    ScriptedPrompter prompter;
    std::unique_ptr<TFrmMain> window;
};

}  // namespace

TEST_F(MainWindow, StartsWithTheListsAndPresetsOfAnEmptyProgramFolder)
{
    EXPECT_EQ(window->windowTitle(), "Qiravelv3.7");
    EXPECT_EQ(window->cbos->count(), 24);
    EXPECT_EQ(window->cbos->itemText(0), "0时子");
    EXPECT_EQ(window->cbos->itemText(2), "2时丑");
    EXPECT_EQ(window->cbos->itemText(23), "23时子");
    EXPECT_EQ(window->cbomin->itemText(59), "59分");
    EXPECT_EQ(window->cbodiZ->count(), 35);
    EXPECT_EQ(window->cbodiZ->itemText(0), "福建省");
    EXPECT_EQ(window->Edtname->text(), "某人");
    EXPECT_EQ(window->CboPanShi->currentText(), "天盘");
    EXPECT_TRUE(window->Rdogl->isChecked());
    EXPECT_TRUE(window->Rdona->isChecked());
    EXPECT_EQ(window->PageMain->tabText(0), "紫斗命盘");
    EXPECT_EQ(window->PageMain->tabText(1), "命盘解析");
    EXPECT_EQ(window->RedtPingYu->toPlainText(), "输入自己的评语：");
    // Saved province 0 (no settings file): 福建省 with the table's first city.
    EXPECT_EQ(window->cbodiZ->currentText(), "福建省");
    EXPECT_EQ(window->cbodiC->currentText(), "福州");
    EXPECT_EQ(window->chartFontSize(), 9);
    EXPECT_EQ(window->reportFontName(), "宋体");
    // The year spinner writes historical years.
    window->UpDyear->setValue(0);
    EXPECT_EQ(window->EdtYear->text(), "-1");
    EXPECT_EQ(window->CalendarDate().year, -1);  // what the perpetual calendar opens at
    EXPECT_TRUE(window->Edtname->testAttribute(Qt::WA_InputMethodEnabled));
    // Skins: one item per file, a separator, then "系统默认", ticked when unskinned.
    const QList<QAction*> items = window->menuSkins->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_EQ(items[4]->text(), "系统默认");
    EXPECT_TRUE(items[4]->isChecked());
    EXPECT_EQ(window->actZoomIn->shortcut(), QKeySequence("Ctrl+D"));
    EXPECT_EQ(window->actZoomOut->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(window->actSaveCase->shortcut(), QKeySequence("Ctrl+S"));
}

TEST_F(MainWindow, NatalCastShowsChartReportAndFillsTheAnnualLists)
{
    window->cbodiZ->setCurrentIndex(0);
    window->cbodiC->setCurrentIndex(1);  // 厦门 118:30*24:15
    TypeBirth("1990", 5, 15, 12, 30, "Ab");
    QTest::mouseClick(window->BtnPai, Qt::LeftButton);
    ASSERT_TRUE(window->cast()) << prompter.LastMessage().toStdString();
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(std::string(window->engine().input().name), "ab");
    EXPECT_EQ(std::string(window->engine().input().place), "福建省-厦门");
    EXPECT_FLOAT_EQ(window->engine().input().longitude, 118.5f);
    EXPECT_FLOAT_EQ(window->engine().input().latitude, 24.25f);
    EXPECT_GT(window->Imgziwei->width(), 300);
    const QString report = window->Redtziwei->toPlainText();
    for (const std::string& heading : MDecZiWei::Headings())
        EXPECT_TRUE(report.contains(QString::fromStdString(heading))) << heading;
    ASSERT_EQ(window->CboY1->count(), 120);
    EXPECT_EQ(window->CboY1->itemText(0), "1990");
    EXPECT_EQ(window->CboY1->itemText(119), "2109");
    EXPECT_EQ(window->CboY1->currentText(), "1991");
    EXPECT_EQ(window->CboM1->currentIndex(), 4);
    EXPECT_EQ(window->CboD1->currentIndex(), 14);
    EXPECT_EQ(window->CboH1->currentIndex(), 12);
    EXPECT_EQ(window->CboMin1->currentIndex(), 30);
    Shot("main-natal");
    window->PageMain->setCurrentIndex(1);
    Shot("main-report");
}

TEST_F(MainWindow, BirthsBeforeOurEraKeepTheirTypedYear)
{
    TypeBirth("-120", 3, 1, 8, 0);
    QTest::mouseClick(window->BtnPai, Qt::LeftButton);
    ASSERT_TRUE(window->cast()) << prompter.LastMessage().toStdString();
    EXPECT_EQ(window->EdtYear->text(), "-120");
    EXPECT_EQ(window->UpDyear->value(), -119);
    EXPECT_EQ(window->engine().input().birth.year, -119);

    TypeBirth("-1", 3, 1, 8, 0);
    QTest::mouseClick(window->BtnPai, Qt::LeftButton);
    ASSERT_TRUE(window->cast()) << prompter.LastMessage().toStdString();
    EXPECT_EQ(window->CboY1->itemText(0), "-1");
    EXPECT_EQ(window->CboY1->itemText(1), "1");
    EXPECT_EQ(window->CboY1->itemText(119), "119");
    EXPECT_EQ(window->CboY1->currentText(), "1");
}

TEST_F(MainWindow, EachRefusedInputShowsItsMessage)
{
    struct Row {
        const char* name;
        const char* year;
        QString caption, text;
    };
    const Row rows[] = {
        {"", "1990", "提示", "姓名不能为空"},
        {"张三", "0", "年份错误", kYearMessage},
        {"张三", "10000", "年份错误", kYearMessage},
        {"张三", "-4714", "年份错误", kYearMessage},
        {"张三", "19x0", "年份错误", kYearMessage},
    };
    for (const Row& row : rows) {
        prompter.shown.clear();
        TypeBirth(row.year, 1, 1, 0, 0, QString::fromUtf8(row.name));
        QTest::mouseClick(window->BtnPai, Qt::LeftButton);
        EXPECT_FALSE(window->cast()) << row.year;
        ASSERT_EQ(prompter.shown.size(), 1u) << row.year;
        EXPECT_EQ(prompter.shown[0].caption, row.caption);
        EXPECT_EQ(prompter.shown[0].text, row.text);
    }
    // Nothing cast yet: annual charts, zoom and saving ask for a chart first.
    prompter.shown.clear();
    QTest::mouseClick(window->BtoLiuNian, Qt::LeftButton);
    window->actZoomIn->trigger();
    QTest::mouseClick(window->SbtoSave, Qt::LeftButton);
    EXPECT_EQ(prompter.Messages(), QStringList({"请先排一个本命盘", "请先排一个正确的盘", "请先排一个正确的盘后再保存"}));
    // The ends of the range are taken.
    for (const char* year : {"-4713", "9999"}) {
        prompter.shown.clear();
        TypeBirth(year, 6, 1, 12, 0);
        QTest::mouseClick(window->BtnPai, Qt::LeftButton);
        for (const Prompt& p : prompter.shown) EXPECT_NE(p.caption, "年份错误") << year;
    }
}

TEST_F(MainWindow, AnnualChartWithAndWithoutDailyHourlyLayers)
{
    CastExample();
    const QImage natal = Chart();
    const QString report = window->Redtziwei->toHtml();
    window->CboY1->setCurrentIndex(42);  // 2026
    QTest::mouseClick(window->BtoLiuNian, Qt::LeftButton);
    EXPECT_TRUE(prompter.shown.empty()) << prompter.LastMessage().toStdString();
    EXPECT_EQ(window->engine().state(), ChartState::Annual);
    const QImage annual = Chart();
    EXPECT_NE(annual, natal);
    EXPECT_EQ(window->Redtziwei->toHtml(), report);

    QTest::mouseClick(window->ChkRiShi, Qt::LeftButton);  // ticking recasts with days and hours
    EXPECT_TRUE(window->ChkRiShi->isChecked());
    EXPECT_TRUE(prompter.shown.empty()) << prompter.LastMessage().toStdString();
    EXPECT_NE(Chart(), annual);
    Shot("main-annual-daily-hourly");

    // An annual year the list cannot hold in range is refused; the chart stays.
    window->CboY1->setItemText(window->CboY1->currentIndex(), "10000");
    QTest::mouseClick(window->BtoLiuNian, Qt::LeftButton);
    ASSERT_EQ(prompter.Messages().size(), 1);
    EXPECT_EQ(prompter.shown.back().caption, "年份错误");
    EXPECT_TRUE(prompter.LastMessage().startsWith("流年年份必须在-4713到9999年之间"));
    EXPECT_TRUE(window->cast());
}

TEST_F(MainWindow, ClickingAStarReadsItAndClickingAPalaceHighlightsIt)
{
    CastExample();
    const ChartData& chart = window->engine().chart();
    const int wealth = PalaceBranch(chart, 4);
    ASSERT_GT(chart.palaces[4].stars.count, 0);
    QTest::mouseClick(window->Imgziwei, Qt::LeftButton, {}, At(wealth, 0, 0));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "简介");
    EXPECT_FALSE(prompter.shown[0].text.isEmpty());
    {
        // What the user sees: the reading in a message box over the chart.
        window->resize(1280, 800);
        QMessageBox box(QMessageBox::Information, "简介", prompter.shown[0].text, QMessageBox::Ok, window.get());
        box.show();
        QApplication::processEvents();
        SaveScreenshot(box, "main-reading-box");
    }

    const QImage before = Chart();
    QTest::mouseClick(window->Imgziwei, Qt::LeftButton, {}, At(wealth, 0, 2));
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(window->engine().highlightedPalace(), wealth);
    EXPECT_NE(Chart(), before);
    Shot("main-highlighted-palace");
}

TEST_F(MainWindow, DraggingMovesTheImageOnlyFromTheCentreBox)
{
    CastExample();
    const ChartGeometry& g = *window->engine().geometry();
    const QPoint start = window->Imgziwei->pos();
    const QPoint centre(g.halfWidth, g.halfHeight);
    QTest::mousePress(window->Imgziwei, Qt::LeftButton, {}, centre);
    QMouseEvent move(QEvent::MouseMove, QPointF(centre + QPoint(30, 20)), window->Imgziwei->mapToGlobal(QPointF(centre + QPoint(30, 20))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->Imgziwei, &move);
    QTest::mouseRelease(window->Imgziwei, Qt::LeftButton, {}, centre);
    EXPECT_EQ(window->Imgziwei->pos(), start + QPoint(30, 20));

    // A press on a palace does not start a drag.
    const QPoint moved = window->Imgziwei->pos();
    const int wealth = PalaceBranch(window->engine().chart(), 4);
    QTest::mousePress(window->Imgziwei, Qt::LeftButton, {}, At(wealth, 0, 2));
    QMouseEvent move2(QEvent::MouseMove, QPointF(40, 40), window->Imgziwei->mapToGlobal(QPointF(40, 40)), Qt::NoButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->Imgziwei, &move2);
    QTest::mouseRelease(window->Imgziwei, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(window->Imgziwei->pos(), moved);
}

TEST_F(MainWindow, ZoomStopsAtBothLimits)
{
    CastExample();
    const int width9 = window->Imgziwei->width();
    QTest::keyClick(window.get(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(window->chartFontSize(), 10);
    EXPECT_GT(window->Imgziwei->width(), width9);
    for (int i = 0; i < 15; ++i) window->actZoomIn->trigger();
    EXPECT_EQ(window->chartFontSize(), 20);
    for (int i = 0; i < 20; ++i) window->actZoomOut->trigger();
    EXPECT_EQ(window->chartFontSize(), 7);
    EXPECT_LT(window->Imgziwei->width(), width9);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(MainWindow, ChartSettingsApplyAtTheNextCast)
{
    CastExample();
    const QImage before = Chart();
    // "排盘设置": minor and small stars off, confirmed. The chart on screen stays until the next cast.
    prompter.dialogs.push_back([](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("ChkShowFu")->setChecked(false);
        dialog.findChild<QCheckBox*>("ChkShowXiao")->setChecked(false);
        dialog.findChild<QPushButton*>("BitBtn1")->click();
        return dialog.result();
    });
    window->actChartSettings->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].kind, "dialog");
    EXPECT_EQ(IniFile(home.dat() / "set.ini").ReadInt("ziwei", "showfu", 1), 0);
    EXPECT_EQ(Chart(), before);
    QTest::mouseClick(window->BtnPai, Qt::LeftButton);
    ASSERT_TRUE(window->cast());
    EXPECT_NE(Chart(), before);
    int minor = 0;
    for (const PalaceRecord& p : window->engine().chart().palaces)
        for (int i = 0; i < p.stars.count; ++i) minor += p.stars.stars[i] >= 27 ? 1 : 0;
    EXPECT_EQ(minor, 0);

    // "经纬度设置" opens the place editor; closing it changes nothing here.
    prompter.dialogs.push_back([](QDialog&) { return int(QDialog::Rejected); });
    window->actPlaces->trigger();
    EXPECT_EQ(prompter.shown.back().kind, "dialog");
}

TEST_F(MainWindow, ClosingAsksAndReopeningKeepsTheSettings)
{
    CastExample();
    window->actZoomIn->trigger();
    window->actZoomIn->trigger();
    window->cbodiZ->setCurrentIndex(0);
    window->cbodiC->setCurrentIndex(1);
    window->resize(900, 600);
    prompter.fonts.push_back(QFont("楷体", 12));
    window->actReportFont->trigger();
    prompter.colours.push_back(QColor(255, 255, 0));
    window->actReportColour->trigger();
    EXPECT_EQ(prompter.Messages(), QStringList({"设置完成", "设置完成"}));

    prompter.answers.push_back(false);  // declining keeps the window and writes nothing
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(std::filesystem::exists(home.dat() / "zdinit.ini"));
    EXPECT_EQ(prompter.shown.back().caption, "关闭");
    EXPECT_EQ(prompter.shown.back().text, "确定要关闭软件吗？");

    Close();
    const IniFile saved(home.dat() / "zdinit.ini");
    EXPECT_EQ(saved.ReadInt("panel", "fsize", 0), 11);
    EXPECT_EQ(saved.ReadInt("minggao", "bcolor", 0), 0x00FFFF);  // yellow, red in the low byte
    EXPECT_EQ(saved.ReadInt("minggao", "fsize", 0), 12);
    EXPECT_EQ(saved.ReadInt("window", "width", 0), 900);

    Open();
    EXPECT_EQ(window->width(), 900);
    EXPECT_EQ(window->cbodiZ->currentIndex(), 0);
    EXPECT_EQ(window->cbodiC->currentText(), "厦门");
    EXPECT_EQ(window->Redtziwei->font().pointSize(), 12);
    EXPECT_EQ(window->reportFontName(), "楷体");
    CastExample();
    EXPECT_EQ(window->chartFontSize(), 11);

    // "默认" restores the report pane's look.
    window->actReportDefault->trigger();
    EXPECT_EQ(window->reportFontName(), "宋体");
    EXPECT_EQ(window->Redtziwei->font().pointSize(), 10);
}

TEST_F(MainWindow, SkinsStyleTheWindowAndAreRemembered)
{
    CastExample();
    const QList<QAction*> items = window->menuSkins->actions();
    for (QAction* item : items) {
        if (item->isSeparator() || item == items.back()) continue;
        item->trigger();
        EXPECT_FALSE(qApp->styleSheet().isEmpty()) << item->text().toStdString();
        EXPECT_TRUE(item->isChecked());
        Shot(("main-skin-" + item->text()).toUtf8().constData());
    }
    const IniFile ini(home.dat() / "zdinit.ini");
    EXPECT_TRUE(ini.ReadBool("window", "skined", false));
    EXPECT_EQ(QString::fromStdString(ini.ReadString("window", "skinname", "")), items[2]->text());

    // A skin file gone since start-up: the message, and the skin stays as it was.
    const QString sheet = qApp->styleSheet();
    std::filesystem::remove(home.path() / "skins" / (items[0]->text().toStdString() + ".skn"));
    items[0]->trigger();
    EXPECT_EQ(prompter.LastMessage(), "对应的皮肤文件已经丢失，请关闭软件，再重新打开软件！");
    EXPECT_EQ(qApp->styleSheet(), sheet);

    // Reopening brings the skin back; "系统默认" switches styling off.
    Close();
    qApp->setStyleSheet({});
    Open();
    EXPECT_FALSE(qApp->styleSheet().isEmpty());
    window->menuSkins->actions().back()->trigger();
    EXPECT_TRUE(qApp->styleSheet().isEmpty());
    Shot("main-skin-系统默认");
    EXPECT_FALSE(IniFile(home.dat() / "zdinit.ini").ReadBool("window", "skined", true));
}

TEST_F(MainWindow, QtOwnButtonsSpeakChinese)
{
    QMessageBox box(QMessageBox::Information, "关闭", "确定要关闭软件吗？", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "是(&Y)");
    EXPECT_EQ(box.button(QMessageBox::No)->text(), "否(&N)");
    box.show();
    QApplication::processEvents();
    SaveScreenshot(box, "qt-question-box");
}

TEST_F(MainWindow, FindingAPlaceByPartOfItsNameSelectsProvinceAndCity)
{
    window->EdtFindPlace->setFocus();
    QInputMethodEvent compose;
    compose.setCommitString("州");
    QApplication::sendEvent(window->EdtFindPlace, &compose);
    QAbstractItemModel* found = window->EdtFindPlace->completer()->model();
    ASSERT_EQ(found->rowCount(), 2);
    EXPECT_EQ(found->index(0, 0).data().toString(), "福州（福建省）");
    EXPECT_EQ(found->index(1, 0).data().toString(), "广州（广东省）");
    emit window->EdtFindPlace->completer()->activated(found->index(1, 0));
    EXPECT_EQ(window->cbodiZ->currentText(), "广东省");
    EXPECT_EQ(window->cbodiC->currentText(), "广州");
    CastExample();
    EXPECT_EQ(std::string(window->engine().input().place), "广东省-广州");
    // A province without places in the file stands as "未知地" at 120° / 30°.
    window->cbodiZ->setCurrentIndex(3);
    emit window->cbodiZ->activated(3);
    ASSERT_EQ(window->cbodiC->count(), 1);
    EXPECT_EQ(window->cbodiC->currentText(), "未知地");
    CastExample();
    EXPECT_FLOAT_EQ(window->engine().input().longitude, 120.0f);
    EXPECT_FLOAT_EQ(window->engine().input().latitude, 30.0f);
    EXPECT_EQ(window->engine().input().place, "未知地");
}

TEST_F(MainWindow, SettingsThatCannotBeWrittenAreSaidNotHidden)
{
    // A folder where the settings file should be: no write can replace it.
    std::filesystem::create_directories(home.dat() / "zdinit.ini");
    Close();
    Open();
    window->menuSkins->actions().front()->trigger();
    ASSERT_FALSE(prompter.Messages().isEmpty());
    EXPECT_TRUE(prompter.LastMessage().startsWith("无法写入设置文件")) << prompter.LastMessage().toStdString();
    EXPECT_EQ(prompter.shown.back().caption, "错误");
    prompter.shown.clear();
    Close();
    EXPECT_TRUE(prompter.LastMessage().startsWith("无法写入设置文件"));
}

TEST_F(MainWindow, SavedPaneSizesHaveTheirLowerBounds)
{
    Close();
    {
        IniFile ini(home.dat() / "zdinit.ini");
        ASSERT_TRUE(ini.WriteInt("window", "width", 1000));
        ASSERT_TRUE(ini.WriteInt("window", "height", 700));
        ASSERT_TRUE(ini.WriteInt("window", "treewid", 12));
        ASSERT_TRUE(ini.WriteInt("window", "pinghei", 5));
        ASSERT_TRUE(ini.WriteInt("window", "sheng", 0));
        ASSERT_TRUE(ini.WriteInt("window", "shi", 7));  // 福建省 has two places here
    }
    Open();
    EXPECT_EQ(window->size(), QSize(1000, 700));
    EXPECT_EQ(window->Tree->width(), 30);
    EXPECT_EQ(window->RedtPingYu->height(), 20);
    EXPECT_EQ(window->cbodiC->currentText(), "福州");
}
