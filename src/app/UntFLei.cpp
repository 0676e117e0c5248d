#include "UntFLei.h"

#include "CategoryList.h"
#include "Prompter.h"
#include "UntFLeiTexts.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
QString T(const char* utf8) { return QString::fromUtf8(utf8); }
constexpr int kMaxChars = 13;
constexpr int kVisibleItems = 16;
}  // namespace

TFrmFenLei::TFrmFenLei(const std::vector<std::string>& categories, Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter)
{
    setWindowTitle(T(FLeiTexts::kCaption));
    CboFenLei = new QComboBox(this);
    CboFenLei->setEditable(true);
    CboFenLei->setMaxVisibleItems(kVisibleItems);
    CboFenLei->lineEdit()->setMaxLength(kMaxChars);
    CboFenLei->setMinimumContentsLength(12);
    for (const std::string& name : categories) CboFenLei->addItem(QString::fromStdString(name));
    if (CboFenLei->count() > 0) CboFenLei->setCurrentIndex(0);
    BtnOk = new QPushButton(T(FLeiTexts::kOk), this);
    BtnCancel = new QPushButton(T(FLeiTexts::kCancel), this);
    BtnOk->setDefault(true);

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(T(FLeiTexts::kLabel), this));
    row->addWidget(CboFenLei, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOk);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(BtnOk, &QPushButton::clicked, this, &TFrmFenLei::Confirm);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFrmFenLei::Confirm()
{
    const std::string text = TrimBlanks(CboFenLei->currentText().toStdString());
    if (text.empty()) {
        prompter_.Message(this, T(FLeiTexts::kErrorCaption), T(FLeiTexts::kEmpty), PromptIcon::Error);
        return;
    }
    if (!FitsCaseRecord(text)) {
        prompter_.Message(this, T(FLeiTexts::kErrorCaption), T(FLeiTexts::kTooLong), PromptIcon::Error);
        return;
    }
    result_ = QString::fromStdString(text);
    accept();
}
