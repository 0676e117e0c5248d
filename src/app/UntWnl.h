#pragma once
// TFrmWnl: the perpetual calendar, a stay-on-top tool window showing one month of any year
// from 4713 BC to 9999: a Monday-first grid with Gregorian and lunar days, the month's solar
// terms, the era names and animal of the year and the four pillars of the chosen day and hour.
// Every page comes from MAlmanac; the window only shows it and turns events into choices.
//
// The main window creates it on first use, calls ShowDate with its input date and show(); the
// window deletes itself when closed (keep it in a QPointer). "排紫微" hides it and emits
// castRequested, which the main window copies into its input panel before casting.
#include "Almanac.h"

#include <QDateTime>
#include <QImage>
#include <QMetaType>
#include <QWidget>

#include <functional>

class Prompter;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

// The chosen date as the window's controls hold it.
struct WnlChoice {
    QString yearText;    // the year edit's text (historical year, no year 0)
    int storedYear = 0;  // the year spin's value (astronomical: 0 is 1 BC)
    int month = 1;       // 1..12
    int day = 1;         // 1..31
    int hour = 0;        // 0..23
    int minute = 0;      // 0..59
};
Q_DECLARE_METATYPE(WnlChoice)

// The year spin: up and down arrows over a stored year in -4712..9999.
class WnlYearSpin final : public QWidget {
    Q_OBJECT
public:
    explicit WnlYearSpin(QWidget* parent = nullptr);
    int value() const { return value_; }
    void setValue(int value);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }
signals:
    // A click on an arrow changed the value.
    void clicked(int value);

private:
    void Step(int delta);
    QToolButton* up_;
    QToolButton* down_;
    int value_ = 2000;
};

class TFrmWnl final : public QWidget {
    Q_OBJECT
public:
    static constexpr int kGridWidth = 450;
    static constexpr int kGridHeight = 330;

    explicit TFrmWnl(Prompter& prompter, QWidget* parent = nullptr);

    // Shows the month of `date` (historical year) with its day, hour and minute selected; a day
    // its month lacks becomes the 15th.
    void ShowDate(const MDateTime& date);

    // The present local time, for "当前时间"; tests set a fixed one.
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // What the window shows, for the main window's tests and for screenshots.
    const AlmanacMonth& Page() const { return page_; }
    const QImage& GridImage() const { return grid_; }
    WnlChoice Choice() const;

signals:
    void castRequested(const WnlChoice& choice);

public slots:
    void PreviousMonth();
    void NextMonth();
    void GoToNow();
    void Cast();
    // A left click at a point of the grid image.
    void ClickGrid(QPoint point);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FillLists();
    void Select(int month, int day, int hour, int minute);
    void SetYear(int storedYear);
    void YearEntered();
    void YearSpun(int storedYear);
    void StepMonth(int delta);
    bool Redraw();
    void DrawGrid(const MDateTime& current);

    Prompter& prompter_;
    MAlmanac almanac_;
    AlmanacMonth page_;
    QImage grid_;
    std::function<QDateTime()> clock_;

    QLabel* labtitle_;
    QLineEdit* labxiao_;
    QLineEdit* EdtYear_;
    WnlYearSpin* UdYear_;
    QComboBox* cbom_;
    QComboBox* cbod_;
    QComboBox* cbos_;
    QComboBox* cbomin_;
    QLabel* Img1_;
    QFrame* Shape1_;
    QPlainTextEdit* memjie1_;
    QPlainTextEdit* memgz_;
    QToolButton* sbtnnow_;
    QToolButton* BitBtn2_;
    QToolButton* BitBtn1_;
    QPushButton* BtnPai_;
};
