// The main window's tools: the perpetual calendar, the help windows and the pop-up menus of
// the report pane, the comment pane and the chart image.
#include "UntMain.h"

#include "ChartImageWidget.h"
#include "ImageCanvas.h"
#include "PaneMenus.h"
#include "Prompter.h"
#include "UntTxtHelp.h"
#include "UntWnl.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

void TFrmMain::AttachTools()
{
    new RichPaneMenu(*Redtziwei, prompter_, RichPaneKind::Report);
    new RichPaneMenu(*RedtPingYu, prompter_, RichPaneKind::Comment);
    new ChartImageMenu(*Imgziwei, prompter_, [this] { return canvas_->image(); });
    connect(actCalendar, &QAction::triggered, this, &TFrmMain::OpenCalendar);
    connect(actHelp, &QAction::triggered, this, [this] { ShowHelp(prompter_, this); });
    connect(actKnowledge, &QAction::triggered, this,
            [this] { OpenKnowledgeFile(prompter_, this, programFolder_); });
}

TFrmWnl* TFrmMain::calendarWindow() const { return calendar_.data(); }

void TFrmMain::OpenCalendar()
{
    if (!calendar_) {
        calendar_ = new TFrmWnl(prompter_, this);
        connect(calendar_, &TFrmWnl::castRequested, this, &TFrmMain::CastFromCalendar);
    }
    calendar_->ShowDate(CalendarDate());
    calendar_->show();
    calendar_->raise();
}

void TFrmMain::CastFromCalendar(const WnlChoice& choice)
{
    // The calendar's date is a Gregorian (or, before 1582, Julian) one.
    UpDyear->setValue(choice.storedYear);
    EdtYear->setText(choice.yearText);
    cbom->setCurrentIndex(choice.month - 1);
    cbod->setCurrentIndex(choice.day - 1);
    cbos->setCurrentIndex(choice.hour);
    cbomin->setCurrentIndex(choice.minute);
    Rdogl->setChecked(true);
    Chkrun->setChecked(false);
    CastNatal();
}
