#pragma once
// A captioned group of radio buttons with one selected item, addressed by index, as the
// settings dialogs use them.
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class RadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const QString& caption, const QStringList& items, QWidget* parent = nullptr);

    // The selected item, -1 for none.
    int itemIndex() const { return buttons_.checkedId(); }
    // Selects an item; an index out of range selects the last.
    void setItemIndex(int index);
    int count() const { return static_cast<int>(buttons_.buttons().size()); }

private:
    QButtonGroup buttons_;
};
