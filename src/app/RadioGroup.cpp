#include "RadioGroup.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_.addButton(button, i);
        layout->addWidget(button);
    }
    layout->addStretch();
}

void RadioGroup::setItemIndex(int index)
{
    if (count() == 0) return;
    if (QAbstractButton* button = buttons_.button(std::clamp(index, 0, count() - 1))) button->setChecked(true);
}
