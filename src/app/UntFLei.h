#pragma once
// TFrmFenLei: the category picker shown when a new case is saved. Its list holds the category
// list of the settings file; the text may be any name a case record can carry.
#include <QDialog>

#include <string>
#include <vector>

class Prompter;
class QComboBox;
class QPushButton;

class TFrmFenLei final : public QDialog {
    Q_OBJECT
public:
    TFrmFenLei(const std::vector<std::string>& categories, Prompter& prompter, QWidget* parent = nullptr);

    // The chosen category, trimmed; empty until "确定" accepts one.
    const QString& category() const { return result_; }

    QComboBox* CboFenLei = nullptr;
    QPushButton* BtnOk = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void Confirm();

    Prompter& prompter_;
    QString result_;
};
