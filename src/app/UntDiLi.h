#pragma once
// TFrmDiLi: the place editor. It shows the coordinates of a place, changes them, adds places
// and deletes them; every change goes to dat/dili.ini at once.
#include "PlaceTable.h"

#include <QDialog>

#include <filesystem>

class Prompter;
class QComboBox;
class QLineEdit;
class QPushButton;

class TFrmDiLi final : public QDialog {
    Q_OBJECT
public:
    TFrmDiLi(const std::filesystem::path& programFolder, Prompter& prompter, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void SetupLayout();
    void ProvinceSelected();
    void PlaceSelected();
    // The four coordinate fields when they pass the checks; otherwise the message is shown.
    std::optional<PlaceCoordinates> CheckedFields();
    bool Write(const QString& name, const PlaceCoordinates& coordinates);
    void EditPlace();
    void DeletePlace();
    void AddPlace();

    PlaceTable table_;
    Prompter& prompter_;

    QComboBox* CboSheng = nullptr;
    QComboBox* CboShi = nullptr;
    QLineEdit* LedtJingDu = nullptr;
    QLineEdit* LedtJingFen = nullptr;
    QLineEdit* LedtWeiDu = nullptr;
    QLineEdit* LedtWeiFen = nullptr;
    QLineEdit* LedtShiName = nullptr;
    QPushButton* BtoEdit = nullptr;
    QPushButton* BtoDel = nullptr;
    QPushButton* BtoAdd = nullptr;
};
