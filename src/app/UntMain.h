#pragma once
// TFrmMain: the main window. It collects a birth in the input panel, has the engine cast and
// draw the natal and annual charts, shows the report, answers clicks on the chart, and keeps
// its look in dat/zdinit.ini. It computes nothing itself: the engine, the report builder and
// the settings model do, and every question goes through the prompter.
#include "Database.h"
#include "Decziwei.h"
#include "WindowSettings.h"
#include "Ziweiex.h"

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <memory>
#include <vector>

class CaseDesk;
class CaseTreeView;
class ChartImageWidget;
class CurrentCase;
class ImageCanvas;
class TFrmWnl;
struct WnlChoice;
class IniFile;
class Prompter;
class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QModelIndex;
class QStandardItemModel;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QPushButton;
class QTreeWidget;
class ReportDocument;

class TFrmMain final : public QMainWindow {
    Q_OBJECT
public:
    TFrmMain(std::filesystem::path programFolder, Prompter& prompter, QWidget* parent = nullptr);
    ~TFrmMain() override;

    // Input panel.
    QPushButton* BtoNew = nullptr;
    QLineEdit* EdtYear = nullptr;
    QSpinBox* UpDyear = nullptr;
    QComboBox* cbom = nullptr;
    QComboBox* cbod = nullptr;
    QComboBox* cbos = nullptr;
    QComboBox* cbomin = nullptr;
    QRadioButton* Rdogl = nullptr;
    QRadioButton* Rdonl = nullptr;
    QCheckBox* Chkrun = nullptr;
    QComboBox* cbodiZ = nullptr;
    QComboBox* cbodiC = nullptr;
    QLineEdit* EdtFindPlace = nullptr;  // finds a place of any province by part of its name
    QRadioButton* Rdona = nullptr;
    QRadioButton* Rdonv = nullptr;
    QLineEdit* Edtname = nullptr;
    QComboBox* CboPanShi = nullptr;
    QToolButton* SbtoSave = nullptr;
    QPushButton* BtnPai = nullptr;
    QComboBox* CboY1 = nullptr;
    QComboBox* CboM1 = nullptr;
    QComboBox* CboD1 = nullptr;
    QComboBox* CboH1 = nullptr;
    QComboBox* CboMin1 = nullptr;
    QCheckBox* ChkRiShi = nullptr;
    QPushButton* BtoLiuNian = nullptr;

    // Panes.
    QTreeWidget* Tree = nullptr;
    QTabWidget* PageMain = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    ChartImageWidget* Imgziwei = nullptr;
    QTextEdit* Redtziwei = nullptr;
    QTextEdit* RedtPingYu = nullptr;

    // Menu items others attach to (the calendar, help and knowledge windows, the case file).
    QAction* actSaveCase = nullptr;
    QAction* actImport = nullptr;
    QAction* actExport = nullptr;
    QAction* actCompact = nullptr;
    QAction* actQuit = nullptr;
    QAction* actKnowledge = nullptr;
    QAction* actPlaces = nullptr;
    QAction* actCalendar = nullptr;
    QAction* actReportDefault = nullptr;
    QAction* actReportFont = nullptr;
    QAction* actReportColour = nullptr;
    QAction* actChartSettings = nullptr;
    QAction* actZoomIn = nullptr;
    QAction* actZoomOut = nullptr;
    QAction* actHelp = nullptr;
    QMenu* menuSkins = nullptr;

    // What the window is showing.
    bool cast() const { return cast_; }
    const MZiWeiEx& engine() const { return engine_; }
    const ImageCanvas& chartImage() const { return *canvas_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    int chartFontSize() const;
    // The report pane's font name as saved (the name the user chose, before font matching).
    const std::string& reportFontName() const { return reportFont_; }

    // The date the perpetual calendar opens at: the spinner's year in historical numbering,
    // month, day, hour and minute from the lists.
    MDateTime CalendarDate() const;

    // The perpetual calendar, created on first use and kept; null before.
    TFrmWnl* calendarWindow() const;

    // The unsaved-comment question of a stored case, put before a cast, a view, a new case and
    // closing. The current-case model decides whether a case is stored; until then none is.
    void AskToSaveComment();
    // Files the current case; needs a successful natal cast first.
    void SaveCurrentCase();

    // The cases: the tree over the case store, the current case and its tools.
    CaseTreeView* caseTree() const { return caseTree_; }
    CurrentCase& currentCase() { return *current_; }
    CaseDesk& caseDesk() { return *desk_; }
    MDataBase& caseStore() { return *store_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPanes();
    // The tools beside the chart: the perpetual calendar, the help windows and the pop-up menus
    // of the panes and the chart image.
    void AttachTools();
    void OpenCalendar();
    void CastFromCalendar(const WnlChoice& choice);
    QWidget* BuildInputPanel();
    void BuildMenus();
    void FillLists();
    void PresetNow();
    void ApplySettings();
    void BuildSkinList();
    void ChooseSkin(QAction* item);
    bool LoadSkin(const QString& name);
    void ApplyReportLook(const std::string& fontName, int pointSize, uint32_t background);
    void StoreSettings();

    void ProvinceChosen(int index);
    void FindPlaces(const QString& part);
    void FoundPlaceChosen(const QModelIndex& index);
    void YearSpun(int position);
    void CastNatal();
    // Checks the panel and casts the natal chart with its report. A view keeps the name as
    // typed and neither asks about the comment nor saves; a cast by the user does both.
    bool CastPanel(bool viewing);
    // A stored case into the input panel, then cast (the view of a case).
    bool ShowCase(const CaseRecord& record);
    // "新建": the report pane emptied and the chart painted white.
    void ClearChart();
    void CastAnnual();
    void FillAnnualLists();
    void ChartPressed(QPoint point);
    void ChartMoved(QPoint point);
    void ZoomChart(int step);
    void ChartRedrawn();
    void ScreenChanged();
    void ReportDefault();
    void ReportFont();
    void ReportColour();
    void OpenPlaceEditor();
    void OpenChartSettings();
    // The settings file as it is on disk now, for a write.
    IniFile& FreshSettingsFile();
    // A failed write of the settings file, said once.
    void SettingsWriteFailed();

    std::filesystem::path programFolder_;
    Prompter& prompter_;
    std::unique_ptr<ImageCanvas> canvas_;            // outlives the engine that draws on it
    std::unique_ptr<ReportDocument> reportTarget_;   // and the pane's document the builder fills
    MZiWeiEx engine_;
    MDecZiWei report_;
    std::unique_ptr<IniFile> settingsFile_;  // open from the first show to the close
    WindowSettings settings_;
    std::string reportFont_;
    uint32_t reportBackground_ = kDefaultReportBackground;
    std::vector<float> cityLongitudes_, cityLatitudes_;
    bool placeFallsBack_ = false;  // the province has no places: its one city is "未知地"
    bool cast_ = false;
    bool shown_ = false;
    bool dragging_ = false;
    QPoint dragStart_;
    QSplitter* sideSplitter_ = nullptr;
    QSplitter* centreSplitter_ = nullptr;
    QActionGroup* skinGroup_ = nullptr;
    QStandardItemModel* foundPlaces_ = nullptr;
    QPointer<TFrmWnl> calendar_;
    std::unique_ptr<MDataBase> store_;
    std::unique_ptr<CurrentCase> current_;
    CaseTreeView* caseTree_ = nullptr;
    CaseDesk* desk_ = nullptr;
    SearchCriteria criteria_;  // the last search's, for the whole run
};
