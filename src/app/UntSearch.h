#pragma once
// TFrmSearch: finds cases by sex, birth-year range, province, category and name. It turns its
// controls into the main window's SearchCriteria (which outlive it, so the next search starts
// from the last), runs the case store's search and, when the user wants the hits shown, leaves
// them in found() with result() true.
#include "Database.h"

#include <QDialog>
#include <QStringList>

#include <string>
#include <vector>

class Prompter;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

class TFrmSearch final : public QDialog {
    Q_OBJECT
public:
    // `provinces`: the 35 names of the province table; `categories`: the category list.
    TFrmSearch(SearchCriteria& criteria, const MDataBase& store, const std::vector<std::string>& categories,
               const QStringList& provinces, Prompter& prompter, QWidget* parent = nullptr);

    bool result() const { return result_; }
    const std::vector<int32_t>& found() const { return found_; }

    QGroupBox* RdoSex = nullptr;
    QRadioButton* RdoSexItems[3] = {};  // 不分, 男, 女
    QComboBox* cbodiZ = nullptr;
    QLineEdit* LedtY1 = nullptr;
    QLineEdit* LedtY2 = nullptr;
    QComboBox* CboFenLei = nullptr;
    QCheckBox* ChkClass = nullptr;
    QLineEdit* Edtname = nullptr;
    QCheckBox* ChkName = nullptr;
    QPushButton* BtoAll = nullptr;
    QPushButton* BtnSearch = nullptr;
    QPushButton* BtoCancel = nullptr;
    QProgressBar* Animate1 = nullptr;

private:
    void LoadCriteria();
    bool RunSearch();
    void SearchClicked();
    void AllClicked();

    SearchCriteria& criteria_;
    const MDataBase& store_;
    Prompter& prompter_;
    std::vector<int32_t> found_;
    bool result_ = false;
};
