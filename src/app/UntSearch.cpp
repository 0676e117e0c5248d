#include "UntSearch.h"

#include "CaseTexts.h"
#include "Prompter.h"
#include "UntSearchTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString T(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr int kSearchFirstYear = -850;
constexpr int kSearchLastYear = 2100;
constexpr int kNotANumber = -1000;

// The year as typed (historical numbering), or -1000 when it is not a number.
int YearOf(const QLineEdit* edit)
{
    bool ok = false;
    const int year = edit->text().trimmed().toInt(&ok);
    return ok ? year : kNotANumber;
}

QString Historical(int astronomical) { return QString::number(astronomical <= 0 ? astronomical - 1 : astronomical); }

}  // namespace

TFrmSearch::TFrmSearch(SearchCriteria& criteria, const MDataBase& store, const std::vector<std::string>& categories,
                       const QStringList& provinces, Prompter& prompter, QWidget* parent)
    : QDialog(parent), criteria_(criteria), store_(store), prompter_(prompter)
{
    setWindowTitle(T(SearchTexts::kCaption));
    RdoSex = new QGroupBox(T(SearchTexts::kSex), this);
    auto* sexRow = new QHBoxLayout(RdoSex);
    for (int i = 0; i < 3; ++i) {
        RdoSexItems[i] = new QRadioButton(T(SearchTexts::kSexItems[i]), RdoSex);
        sexRow->addWidget(RdoSexItems[i]);
    }
    cbodiZ = new QComboBox(this);
    cbodiZ->setMaxVisibleItems(25);
    cbodiZ->addItem(T(SearchTexts::kAnyProvince));
    cbodiZ->addItems(provinces);
    LedtY1 = new QLineEdit(this);
    LedtY2 = new QLineEdit(this);
    for (QLineEdit* e : {LedtY1, LedtY2}) {
        e->setMaxLength(4);
        e->setMaximumWidth(70);
    }
    CboFenLei = new QComboBox(this);
    CboFenLei->setEditable(true);
    CboFenLei->setMaxVisibleItems(16);
    CboFenLei->lineEdit()->setMaxLength(13);
    for (const std::string& name : categories)
        CboFenLei->addItem(name.empty() ? T(SearchTexts::kDefaultCategory) : QString::fromStdString(name));
    ChkClass = new QCheckBox(T(SearchTexts::kWhole), this);
    Edtname = new QLineEdit(this);
    Edtname->setMaxLength(8);
    ChkName = new QCheckBox(T(SearchTexts::kWhole), this);
    BtoAll = new QPushButton(T(SearchTexts::kAll), this);
    BtnSearch = new QPushButton(T(SearchTexts::kSearch), this);
    BtoCancel = new QPushButton(T(SearchTexts::kClose), this);
    BtnSearch->setDefault(true);
    Animate1 = new QProgressBar(this);
    Animate1->setRange(0, 0);
    Animate1->setTextVisible(false);
    Animate1->hide();

    auto* years = new QHBoxLayout;
    years->addWidget(LedtY1);
    years->addWidget(new QLabel(T(SearchTexts::kYearTo), this));
    years->addWidget(LedtY2);
    years->addStretch();
    auto* category = new QHBoxLayout;
    category->addWidget(CboFenLei, 1);
    category->addWidget(ChkClass);
    auto* name = new QHBoxLayout;
    name->addWidget(Edtname, 1);
    name->addWidget(ChkName);
    auto* form = new QFormLayout;
    form->addRow(T(SearchTexts::kProvince), cbodiZ);
    form->addRow(T(SearchTexts::kYearFrom), years);
    form->addRow(T(SearchTexts::kCategory), category);
    form->addRow(T(SearchTexts::kName), name);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtoAll);
    buttons->addStretch();
    buttons->addWidget(BtnSearch);
    buttons->addWidget(BtoCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RdoSex);
    layout->addLayout(form);
    layout->addWidget(Animate1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint());

    connect(BtnSearch, &QPushButton::clicked, this, &TFrmSearch::SearchClicked);
    connect(BtoAll, &QPushButton::clicked, this, &TFrmSearch::AllClicked);
    connect(BtoCancel, &QPushButton::clicked, this, [this] {
        result_ = false;
        reject();
    });
    LoadCriteria();
}

void TFrmSearch::LoadCriteria()
{
    const SearchCriteria& c = criteria_;
    const int province = c.provinceIndex + 1;
    cbodiZ->setCurrentIndex(c.provinceIndex >= 0 && province < cbodiZ->count() ? province : 0);
    RdoSexItems[!c.sexFilter ? 0 : c.sexValue == 1 ? 1 : 2]->setChecked(true);
    LedtY1->setText(c.yearFilter ? Historical(c.yearFrom) : QString());
    LedtY2->setText(c.yearFilter ? Historical(c.yearTo) : QString());
    ChkName->setChecked(c.nameMode == MatchMode::Equals);
    if (!c.namePattern.empty() && c.nameMode != MatchMode::Unused) Edtname->setText(QString::fromStdString(c.namePattern));
    ChkClass->setChecked(c.categoryMode == MatchMode::Equals);
    if (!c.categoryPattern.empty() && c.categoryMode != MatchMode::Unused)
        CboFenLei->setEditText(QString::fromStdString(c.categoryPattern));
    else
        CboFenLei->setEditText(QString());
    result_ = false;
}

bool TFrmSearch::RunSearch()
{
    SearchCriteria& c = criteria_;
    c.provinceIndex = int16_t(cbodiZ->currentIndex() <= 0 ? -1 : cbodiZ->currentIndex() - 1);
    c.sexFilter = !RdoSexItems[0]->isChecked();
    c.sexValue = RdoSexItems[1]->isChecked() ? 1 : 0;
    if (LedtY1->text().trimmed().isEmpty() && LedtY2->text().trimmed().isEmpty()) {
        c.yearFilter = false;
    } else {
        c.yearFilter = true;
        const int from = YearOf(LedtY1), to = YearOf(LedtY2);
        const auto valid = [](int y) { return y >= kSearchFirstYear && y <= kSearchLastYear && y != 0; };
        if (!valid(from) || !valid(to)) {
            prompter_.Message(this, T(SearchTexts::kYearCaption), T(SearchTexts::kYearRange), PromptIcon::Warning);
            return false;
        }
        if (to < from) {
            prompter_.Message(this, T(SearchTexts::kYearCaption), T(SearchTexts::kYearOrder), PromptIcon::Warning);
            return false;
        }
        c.yearFrom = int16_t(from < 0 ? from + 1 : from);
        c.yearTo = int16_t(to < 0 ? to + 1 : to);
    }
    const QString name = Edtname->text();
    c.nameMode = name.isEmpty() ? MatchMode::Unused : ChkName->isChecked() ? MatchMode::Equals : MatchMode::Contains;
    c.namePattern = name.toStdString();
    const QString category = CboFenLei->currentText();
    c.categoryMode =
        category.isEmpty() ? MatchMode::Unused : ChkClass->isChecked() ? MatchMode::Equals : MatchMode::Contains;
    c.categoryPattern = category.toStdString();

    int32_t count = 0;
    DbStatus status = store_.Count(count);
    if (status == DbStatus::Ok && count == 0) {
        prompter_.Message(this, T(SearchTexts::kHint), T(SearchTexts::kNoRecords), PromptIcon::Information);
        return false;
    }
    for (QPushButton* b : {BtoAll, BtnSearch, BtoCancel}) b->setEnabled(false);
    Animate1->show();
    if (status == DbStatus::Ok) status = store_.Search(c, found_);
    Animate1->hide();
    for (QPushButton* b : {BtoAll, BtnSearch, BtoCancel}) b->setEnabled(true);
    if (status != DbStatus::Ok) {
        found_.clear();
        prompter_.Message(this, T(SearchTexts::kHint),
                          T(SearchTexts::kFailed).arg(CaseTexts::StatusText(status)), PromptIcon::Error);
        return false;
    }
    if (found_.empty()) {
        prompter_.Message(this, T(SearchTexts::kInformation), T(SearchTexts::kNothingFound), PromptIcon::Information);
        return false;
    }
    return prompter_.Question(this, T(SearchTexts::kHint), T(SearchTexts::kFound).arg(found_.size()),
                              PromptIcon::Information);
}

void TFrmSearch::SearchClicked()
{
    if (!RunSearch()) return;
    result_ = true;
    accept();
}

void TFrmSearch::AllClicked()
{
    if (!prompter_.Question(this, T(SearchTexts::kHint), T(SearchTexts::kAskAll), PromptIcon::Information)) return;
    RdoSexItems[0]->setChecked(true);
    LedtY1->clear();
    LedtY2->clear();
    ChkName->setChecked(false);
    ChkClass->setChecked(false);
    Edtname->clear();
    CboFenLei->setEditText(QString());
    cbodiZ->setCurrentIndex(0);
    SearchClicked();
}
