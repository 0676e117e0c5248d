// The perpetual calendar window driven as a user drives it: showing a date, stepping months,
// typing a year, clicking a day and casting from it.
#include "Screenshots.h"
#include "ScriptedPrompter.h"
#include "UntWnl.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class WnlTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
    TFrmWnl* window = new TFrmWnl(prompter);

    ~WnlTest() override { delete window; }

    template <typename T>
    T* Control(const char* name) const
    {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Year() const { return Control<QLineEdit>("EdtYear")->text(); }
    QString Title() const { return Control<QLabel>("labtitle")->text(); }
    int Day() const { return Control<QComboBox>("cbod")->currentIndex() + 1; }
    // The centre of a grid cell (row 0 is the weekday header).
    static QPoint Cell(int row, int column)
    {
        return {column * (TFrmWnl::kGridWidth / 7) + 20, row * (TFrmWnl::kGridHeight / 7) + 20};
    }
};

}  // namespace

// February 2262 holds 立春, 雨水 and the first day of the leap first month.
TEST_F(WnlTest, ShowsAMonthWithALeapMonthAndTerms)
{
    window->ShowDate({2262, 2, 20, 12, 0});
    EXPECT_EQ(window->windowTitle(), "Dunmoss万年历");
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(Title(), "2262年2月");
    EXPECT_TRUE(Control<QLineEdit>("labxiao")->text().endsWith("  【虎年】"));  // 2262 is 壬寅
    EXPECT_TRUE(Control<QPlainTextEdit>("memjie1")->toPlainText().startsWith("立春:4日"));
    EXPECT_TRUE(Control<QPlainTextEdit>("memjie1")->toPlainText().contains("\n\n雨水:19日"));
    EXPECT_EQ(Control<QPlainTextEdit>("memgz")->toPlainText().split('\n').size(), 4);
    // 1 February 2262 is a Saturday, so the 20th is in the fourth week, Thursday (the weekday
    // header takes the first row of cells).
    const QFrame* shape = Control<QFrame>("Shape1");
    EXPECT_TRUE(shape->isVisibleTo(window));
    EXPECT_EQ(shape->pos(), QPoint(3 * 64, 4 * 47));
    EXPECT_EQ(shape->size(), QSize(64, 47));
    EXPECT_EQ(window->Page().Find(20)->lunarLabel, "闰正月初一");
    // The background colour, and red ink in the cell of 立春 (Tuesday 4th, second week).
    EXPECT_EQ(window->GridImage().pixelColor(2, 2), QColor(255, 255, 200));
    bool red = false;
    for (int x = 64; x < 128 && !red; ++x)
        for (int y = 94; y < 141 && !red; ++y) red = window->GridImage().pixelColor(x, y).red() > 200 &&
                                                    window->GridImage().pixelColor(x, y).green() < 80;
    EXPECT_TRUE(red);
    EXPECT_TRUE(prompter.shown.empty());
    window->show();
    SaveScreenshot(*window, "wnl-2262-02-leap-first-month");
}

TEST_F(WnlTest, ShowDateKeepsLeapDayOfOneBcAndMovesAMissingDayTo15)
{
    window->ShowDate({-1, 2, 29, 0, 0});  // 1 BC (stored 0) is a Julian leap year
    EXPECT_EQ(Day(), 29);
    EXPECT_EQ(Year(), "-1");
    window->ShowDate({2023, 2, 30, 0, 0});
    EXPECT_EQ(Day(), 15);
    window->ShowDate({1582, 10, 10, 0, 0});
    EXPECT_EQ(Day(), 15);
    EXPECT_EQ(window->Page().days.size(), 21u);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(WnlTest, MonthNavigation)
{
    auto* next = Control<QToolButton>("BitBtn1");
    auto* previous = Control<QToolButton>("BitBtn2");

    window->ShowDate({2024, 12, 31, 8, 5});
    next->click();
    EXPECT_EQ(Title(), "2025年1月");
    EXPECT_EQ(Year(), "2025");
    EXPECT_EQ(Day(), 1);
    previous->click();
    previous->click();
    EXPECT_EQ(Title(), "2024年11月");

    window->ShowDate({-1, 12, 1, 0, 0});
    next->click();
    EXPECT_EQ(Title(), "1年1月");
    previous->click();
    EXPECT_EQ(Title(), "-1年12月");

    window->ShowDate({-4713, 1, 20, 0, 0});
    previous->click();
    EXPECT_EQ(Title(), "-4713年1月");
    EXPECT_EQ(Day(), 20);
    window->ShowDate({9999, 12, 20, 0, 0});
    next->click();
    EXPECT_EQ(Title(), "9999年12月");
    EXPECT_EQ(Day(), 20);

    // The year spin steps over year 0.
    window->ShowDate({1, 5, 1, 0, 0});
    Control<WnlYearSpin>("UdYear")->downButton()->click();
    EXPECT_EQ(Year(), "-1");
    EXPECT_EQ(Title(), "-1年5月");
    Control<WnlYearSpin>("UdYear")->upButton()->click();
    EXPECT_EQ(Year(), "1");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(WnlTest, TypedYearAndImpossibleDates)
{
    window->ShowDate({2024, 1, 31, 0, 0});
    auto* year = Control<QLineEdit>("EdtYear");
    year->setText("1984");
    QTest::keyClick(year, Qt::Key_Return);
    EXPECT_EQ(Title(), "1984年1月");

    for (const char* bad : {"0", "-4714", "abc", "10000"}) {
        year->setText(bad);
        QTest::keyClick(year, Qt::Key_Return);
        ASSERT_FALSE(prompter.shown.empty());
        EXPECT_EQ(prompter.shown.back().caption, "错误");
        EXPECT_EQ(prompter.shown.back().text, "年份在-4713 到 9999之间");
        EXPECT_EQ(Title(), "1984年1月");  // the picture stays
    }

    // The month list to February while the 31st is chosen.
    year->setText("1984");
    prompter.shown.clear();
    Control<QComboBox>("cbom")->setCurrentIndex(1);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "日期不对");
    EXPECT_EQ(prompter.shown[0].text, "不存在这个日期，请重新输入！");
    EXPECT_EQ(Title(), "1984年1月");

    // A bad year met by a list change.
    year->setText("0");
    prompter.shown.clear();
    Control<QComboBox>("cbos")->setCurrentIndex(5);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, "年份不对");
    EXPECT_EQ(prompter.shown[0].text, "年份在-4713 到 9999年之间，并且没有公元0年");
}

TEST_F(WnlTest, ClickingCells)
{
    // 1 October 2023 was a Sunday; the 31st sits in the sixth week, Tuesday.
    window->ShowDate({2023, 10, 1, 0, 0});
    QTest::mouseClick(Control<QLabel>("Img1"), Qt::LeftButton, {}, Cell(6, 1));
    EXPECT_EQ(Day(), 31);
    window->ClickGrid(Cell(1, 0));  // the empty Monday before the 1st
    EXPECT_EQ(Day(), 31);
    window->ClickGrid(Cell(0, 3));  // the weekday header
    EXPECT_EQ(Day(), 31);

    // In October 1582 the cell after the 4th is the 15th.
    window->ShowDate({1582, 10, 1, 0, 0});
    window->ClickGrid(Cell(1, 4));
    EXPECT_EQ(Day(), 15);
    window->ClickGrid(Cell(1, 3));
    EXPECT_EQ(Day(), 4);
    window->show();
    SaveScreenshot(*window, "wnl-1582-10-reform");
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(WnlTest, Hour23AndPresent)
{
    window->ShowDate({2000, 1, 1, 23, 0});
    EXPECT_EQ(Control<QPlainTextEdit>("memgz")->toPlainText(), "己卯年\n丙子月\n己未日\n甲子时");
    window->SetClock([] { return QDateTime(QDate(2024, 2, 10), QTime(23, 30)); });
    Control<QToolButton>("sbtnnow")->click();
    EXPECT_EQ(Title(), "2024年2月");
    EXPECT_EQ(Day(), 10);
    EXPECT_EQ(Control<QPlainTextEdit>("memgz")->toPlainText(), "甲辰年\n丙寅月\n乙巳日\n丙子时");
}

TEST_F(WnlTest, CastHandsTheChosenDateOver)
{
    QSignalSpy spy(window, &TFrmWnl::castRequested);
    window->ShowDate({-120, 3, 9, 14, 45});
    window->show();
    Control<QPushButton>("BtnPai")->click();
    ASSERT_EQ(spy.count(), 1);
    const auto choice = spy.at(0).at(0).value<WnlChoice>();
    EXPECT_EQ(choice.yearText, "-120");
    EXPECT_EQ(choice.storedYear, -119);
    EXPECT_EQ(choice.month, 3);
    EXPECT_EQ(choice.day, 9);
    EXPECT_EQ(choice.hour, 14);
    EXPECT_EQ(choice.minute, 45);
    EXPECT_FALSE(window->isVisible());
}
