#include "UntSetCan.h"

#include "Prompter.h"
#include "RadioGroup.h"
#include "UntSetCanTexts.h"
#include "ZiweiexSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrmSetcan::TFrmSetcan(const std::filesystem::path& programFolder, Prompter& prompter, QWidget* parent)
    : QDialog(parent), programFolder_(programFolder), prompter_(prompter)
{
    SetupLayout();
    ShowStored();
    connect(Btoziwei, &QPushButton::clicked, this, &TFrmSetcan::ResetToDefaults);
    connect(BitBtn1, &QPushButton::clicked, this, &TFrmSetcan::SaveAndClose);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmSetcan::SetupLayout()
{
    using namespace SetCanText;
    setWindowTitle(Caption);
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    Rdozw_5 = named(new RadioGroup(Wu, WuItems, this), "Rdozw_5");
    Rdozw_7 = named(new RadioGroup(Geng, GengItems, this), "Rdozw_7");
    Rdozw_9 = named(new RadioGroup(Ren, RenItems, this), "Rdozw_9");
    Rdozw_tm = named(new RadioGroup(TianMa, TianMaItems, this), "Rdozw_tm");
    Rdozw_run = named(new RadioGroup(Run, RunItems, this), "Rdozw_run");
    RdoMiaoXian = named(new RadioGroup(MiaoXian, MiaoXianItems, this), "RdoMiaoXian");
    CboSelDate = named(new QComboBox(this), "CboSelDate");
    CboSelDate->addItems(SelDateItems);
    LedtLeft = named(new QLineEdit(this), "LedtLeft");
    LedtLeft->setMaxLength(3);
    ChkSave = named(new QCheckBox(Save, this), "ChkSave");
    ChkZiShi = named(new QCheckBox(ZiShi, this), "ChkZiShi");
    ChkShowFu = named(new QCheckBox(ShowFu, this), "ChkShowFu");
    ChkShowXiao = named(new QCheckBox(ShowXiao, this), "ChkShowXiao");
    Btoziwei = named(new QPushButton(Defaults, this), "Btoziwei");
    BitBtn1 = named(new QPushButton(Confirm, this), "BitBtn1");
    BitBtn2 = named(new QPushButton(Cancel, this), "BitBtn2");
    BitBtn1->setDefault(true);

    auto* left = new QVBoxLayout;
    left->addWidget(Rdozw_5);
    left->addWidget(Rdozw_7);
    left->addWidget(Rdozw_9);
    auto* middle = new QVBoxLayout;
    middle->addWidget(Rdozw_tm);
    middle->addWidget(Rdozw_run);
    middle->addWidget(RdoMiaoXian);
    auto* right = new QVBoxLayout;
    auto* selDateLabel = new QLabel(SelDate, this);
    selDateLabel->setBuddy(CboSelDate);
    right->addWidget(selDateLabel);
    right->addWidget(CboSelDate);
    auto* leftLabel = new QLabel(Left, this);
    leftLabel->setBuddy(LedtLeft);
    right->addWidget(leftLabel);
    right->addWidget(LedtLeft);
    right->addSpacing(6);
    for (QCheckBox* box : {ChkSave, ChkZiShi, ChkShowFu, ChkShowXiao}) right->addWidget(box);
    right->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(middle);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Btoziwei);
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* main = new QVBoxLayout(this);
    main->addLayout(columns);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void TFrmSetcan::ShowStored()
{
    const ChartSettings s = ReadChartSettings(programFolder_);
    // A hand-written value past the last choice shows as the choice the rules give it.
    Rdozw_5->setItemIndex(OptionChoice(s.tg5, Rdozw_5->count()));
    Rdozw_7->setItemIndex(OptionChoice(s.tg7, Rdozw_7->count()));
    Rdozw_9->setItemIndex(OptionChoice(s.tg9, Rdozw_9->count()));
    Rdozw_tm->setItemIndex(OptionChoice(s.tm, Rdozw_tm->count()));
    Rdozw_run->setItemIndex(OptionChoice(s.run, Rdozw_run->count()));
    RdoMiaoXian->setItemIndex(OptionChoice(s.miaoxian, RdoMiaoXian->count()));
    CboSelDate->setCurrentIndex(OptionChoice(s.idate, CboSelDate->count()));
    LedtLeft->setText(QString::number(s.ileft));
    ChkSave->setChecked(s.save != 0);
    ChkZiShi->setChecked(s.zishi != 0);
    ChkShowFu->setChecked(s.showfu == 1);
    ChkShowXiao->setChecked(s.showxiao == 1);
}

void TFrmSetcan::ResetToDefaults()
{
    for (RadioGroup* group : {Rdozw_5, Rdozw_7, Rdozw_9, Rdozw_tm, Rdozw_run, RdoMiaoXian}) group->setItemIndex(0);
    CboSelDate->setCurrentIndex(0);
    LedtLeft->setText(QStringLiteral("0"));
    ChkSave->setChecked(false);
    ChkShowFu->setChecked(true);
    ChkShowXiao->setChecked(true);
    ChkZiShi->setChecked(false);
}

void TFrmSetcan::SaveAndClose()
{
    const int left = ParseTextIndent(LedtLeft->text().toStdString());
    if (left < 0) {
        prompter_.Message(this, SetCanText::PromptCaption, SetCanText::BadLeft, PromptIcon::Information);
        return;
    }
    const auto index = [](int i) { return static_cast<uint8_t>(i < 0 ? 0 : i); };
    ChartSettings s;
    s.tg5 = index(Rdozw_5->itemIndex());
    s.tg7 = index(Rdozw_7->itemIndex());
    s.tg9 = index(Rdozw_9->itemIndex());
    s.tm = index(Rdozw_tm->itemIndex());
    s.run = index(Rdozw_run->itemIndex());
    s.ileft = left;
    s.save = ChkSave->isChecked() ? 1 : 0;
    s.showfu = ChkShowFu->isChecked() ? 1 : 0;
    s.showxiao = ChkShowXiao->isChecked() ? 1 : 0;
    s.zishi = ChkZiShi->isChecked() ? 1 : 0;
    s.idate = index(CboSelDate->currentIndex());
    s.miaoxian = index(RdoMiaoXian->itemIndex());
    if (!WriteChartSettings(programFolder_, s)) {
        prompter_.Message(this, SetCanText::ErrorCaption, SetCanText::WriteFailed, PromptIcon::Error);
        return;
    }
    accept();
}
