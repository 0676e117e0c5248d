#include "UntDiLi.h"

#include "Prompter.h"
#include "UntDiLiTexts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

TFrmDiLi::TFrmDiLi(const std::filesystem::path& programFolder, Prompter& prompter, QWidget* parent)
    : QDialog(parent), table_(programFolder), prompter_(prompter)
{
    SetupLayout();
    for (int p = 0; p < kUnknownProvince; ++p) CboSheng->addItem(QString::fromStdString(ProvinceNames()[p]));
    CboSheng->setCurrentIndex(0);
    ProvinceSelected();
    // A pick by the user runs the selection; filling the lists by code runs it explicitly.
    connect(CboSheng, &QComboBox::activated, this, &TFrmDiLi::ProvinceSelected);
    connect(CboShi, &QComboBox::activated, this, &TFrmDiLi::PlaceSelected);
    connect(BtoEdit, &QPushButton::clicked, this, &TFrmDiLi::EditPlace);
    connect(BtoDel, &QPushButton::clicked, this, &TFrmDiLi::DeletePlace);
    connect(BtoAdd, &QPushButton::clicked, this, &TFrmDiLi::AddPlace);
}

void TFrmDiLi::SetupLayout()
{
    using namespace DiLiText;
    setWindowTitle(Caption);
    const auto named = [](auto* widget, const char* name) {
        widget->setObjectName(QString::fromLatin1(name));
        return widget;
    };
    const auto edit = [&](const char* name, int maxLength, const QString& text = {}) {
        auto* e = named(new QLineEdit(text, this), name);
        e->setMaxLength(maxLength);
        return e;
    };
    CboSheng = named(new QComboBox(this), "CboSheng");
    CboShi = named(new QComboBox(this), "CboShi");
    CboSheng->setMaxVisibleItems(20);
    CboShi->setMaxVisibleItems(20);
    CboShi->setMinimumContentsLength(6);
    LedtJingDu = edit("LedtJingDu", 3, JingDuPreset);
    LedtJingFen = edit("LedtJingFen", 2);
    LedtWeiDu = edit("LedtWeiDu", 2);
    LedtWeiFen = edit("LedtWeiFen", 2);
    LedtShiName = edit("LedtShiName", static_cast<int>(kMaxPlaceNameChars), NewNamePreset);
    for (QLineEdit* e : {LedtJingDu, LedtJingFen, LedtWeiDu, LedtWeiFen}) {
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 12);
        e->setAlignment(Qt::AlignRight);
    }
    BtoEdit = named(new QPushButton(Edit, this), "BtoEdit");
    BtoDel = named(new QPushButton(Delete, this), "BtoDel");
    BtoAdd = named(new QPushButton(Add, this), "BtoAdd");

    auto* grid = new QGridLayout;
    const auto label = [&](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        if (buddy) l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(Province, CboSheng), 0, 0);
    grid->addWidget(CboSheng, 0, 1, 1, 4);
    grid->addWidget(label(City, CboShi), 1, 0);
    grid->addWidget(CboShi, 1, 1, 1, 4);
    grid->addWidget(label(Longitude, LedtJingDu), 2, 0);
    grid->addWidget(LedtJingDu, 2, 1);
    grid->addWidget(label(Degrees, nullptr), 2, 2);
    grid->addWidget(LedtJingFen, 2, 3);
    grid->addWidget(label(Minutes, nullptr), 2, 4);
    grid->addWidget(label(Latitude, LedtWeiDu), 3, 0);
    grid->addWidget(LedtWeiDu, 3, 1);
    grid->addWidget(label(Degrees, nullptr), 3, 2);
    grid->addWidget(LedtWeiFen, 3, 3);
    grid->addWidget(label(Minutes, nullptr), 3, 4);
    grid->addWidget(label(NewName, LedtShiName), 4, 0);
    grid->addWidget(LedtShiName, 4, 1, 1, 4);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BtoEdit);
    buttons->addWidget(BtoDel);
    buttons->addWidget(BtoAdd);
    auto* main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
}

void TFrmDiLi::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
}

void TFrmDiLi::ProvinceSelected()
{
    const int province = CboSheng->currentIndex();
    if (province < 0) return;
    CboShi->clear();
    for (const std::string& name : table_.Names(province)) CboShi->addItem(QString::fromStdString(name));
    if (CboShi->count() == 0) return;
    CboShi->setCurrentIndex(0);
    PlaceSelected();
}

void TFrmDiLi::PlaceSelected()
{
    if (CboShi->currentIndex() < 0) return;
    const auto pieces = SplitPlaceValue(table_.Value(CboSheng->currentIndex(), CboShi->currentText().toStdString()));
    LedtJingDu->setText(QString::fromStdString(pieces[0]));
    LedtJingFen->setText(QString::fromStdString(pieces[1]));
    LedtWeiDu->setText(QString::fromStdString(pieces[2]));
    LedtWeiFen->setText(QString::fromStdString(pieces[3]));
}

std::optional<PlaceCoordinates> TFrmDiLi::CheckedFields()
{
    const CheckedCoordinates checked =
        CheckCoordinates(LedtJingDu->text().toStdString(), LedtJingFen->text().toStdString(),
                         LedtWeiDu->text().toStdString(), LedtWeiFen->text().toStdString());
    switch (checked.result) {
    case CoordinateCheck::Ok:
        return checked.value;
    case CoordinateCheck::BadLongitude:
        prompter_.Message(this, DiLiText::InputErrorCaption, DiLiText::BadLongitude, PromptIcon::Error);
        break;
    case CoordinateCheck::BadLatitude:
        prompter_.Message(this, DiLiText::InputErrorCaption, DiLiText::BadLatitude, PromptIcon::Error);
        break;
    }
    return std::nullopt;
}

bool TFrmDiLi::Write(const QString& name, const PlaceCoordinates& coordinates)
{
    if (table_.Set(CboSheng->currentIndex(), name.toStdString(), coordinates)) return true;
    prompter_.Message(this, DiLiText::ErrorCaption, DiLiText::WriteFailed, PromptIcon::Error);
    return false;
}

void TFrmDiLi::EditPlace()
{
    if (CboShi->currentIndex() < 0) return;
    const auto coordinates = CheckedFields();
    if (!coordinates || !Write(CboShi->currentText(), *coordinates)) return;
    prompter_.Message(this, DiLiText::DoneCaption, DiLiText::Done, PromptIcon::Information);
}

void TFrmDiLi::DeletePlace()
{
    const int place = CboShi->currentIndex();
    if (place < 0) return;
    const QString name = CboShi->currentText();
    if (!prompter_.Question(this, DiLiText::AttentionCaption, DiLiText::DeleteQuestion(CboSheng->currentText(), name),
                            PromptIcon::Warning))
        return;
    if (!table_.Remove(CboSheng->currentIndex(), name.toStdString())) {
        prompter_.Message(this, DiLiText::ErrorCaption, DiLiText::WriteFailed, PromptIcon::Error);
        return;
    }
    {
        // No place is selected afterwards, and the fields keep what they showed.
        const QSignalBlocker blocker(CboShi);
        CboShi->removeItem(place);
        CboShi->setCurrentIndex(-1);
    }
    prompter_.Message(this, DiLiText::DoneCaption, DiLiText::Done, PromptIcon::Information);
}

void TFrmDiLi::AddPlace()
{
    const QString name = LedtShiName->text();
    if (name.isEmpty()) return;
    if (!IsValidPlaceName(name.toStdString())) {
        prompter_.Message(this, DiLiText::InputErrorCaption, DiLiText::BadName, PromptIcon::Error);
        return;
    }
    const int province = CboSheng->currentIndex();
    const bool known = table_.Has(province, name.toStdString());
    if (known && !prompter_.Question(this, DiLiText::AttentionCaption, DiLiText::OverwriteQuestion, PromptIcon::Warning))
        return;
    const auto coordinates = CheckedFields();
    if (!coordinates || !Write(name, *coordinates)) return;
    if (!known) CboShi->addItem(name);
    prompter_.Message(this, DiLiText::DoneCaption, DiLiText::Done, PromptIcon::Information);
}
