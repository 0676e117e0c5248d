#pragma once
// TFrmSetcan: the chart settings dialog over section "ziwei" of dat/set.ini. It changes the
// file only on "确认"; the chart on screen stays as it is until the next cast.
#include <QDialog>

#include <filesystem>

class Prompter;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class RadioGroup;

class TFrmSetcan final : public QDialog {
    Q_OBJECT
public:
    TFrmSetcan(const std::filesystem::path& programFolder, Prompter& prompter, QWidget* parent = nullptr);

private:
    void SetupLayout();
    void ShowStored();
    void ResetToDefaults();
    void SaveAndClose();

    std::filesystem::path programFolder_;
    Prompter& prompter_;

    RadioGroup* Rdozw_5 = nullptr;
    RadioGroup* Rdozw_7 = nullptr;
    RadioGroup* Rdozw_9 = nullptr;
    RadioGroup* Rdozw_tm = nullptr;
    RadioGroup* Rdozw_run = nullptr;
    RadioGroup* RdoMiaoXian = nullptr;
    QComboBox* CboSelDate = nullptr;
    QLineEdit* LedtLeft = nullptr;
    QCheckBox* ChkSave = nullptr;
    QCheckBox* ChkZiShi = nullptr;
    QCheckBox* ChkShowFu = nullptr;
    QCheckBox* ChkShowXiao = nullptr;
    QPushButton* Btoziwei = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
