#include "UntMain.h"

#include "CaseDesk.h"
#include "CaseTreeView.h"
#include "ChartImageWidget.h"
#include "CurrentCase.h"
#include "ImageCanvas.h"
#include "IniFile.h"
#include "MainTexts.h"
#include "PanelBirth.h"
#include "PlaceTable.h"
#include "ProgramFolder.h"
#include "Prompter.h"
#include "ReportDocument.h"
#include "UntDiLi.h"
#include "UntSetCan.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

using namespace MainTexts;

namespace {

constexpr int kPanelWidth = 102;
constexpr int kWindowFontPixels = 14;
constexpr int kLastPresetYear = 2100;
constexpr int kAnnualYears = 120;
constexpr int kBadYear = -5000;  // what a year text that is no number reads as

QComboBox* NewList(const char* name, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(false);
    list->setMaxVisibleItems(16);
    return list;
}

QColor FromColourValue(uint32_t value)  // red in the low byte
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

uint32_t ToColourValue(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
           static_cast<uint32_t>(c.blue()) << 16;
}

int YearOf(const QString& text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok ? year : kBadYear;
}

bool HistoricalYearValid(int y) { return y >= kFirstHistoricalYear && y <= kLastYear && y != 0; }

}  // namespace

TFrmMain::TFrmMain(std::filesystem::path programFolder, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent),
      programFolder_(std::move(programFolder)),
      prompter_(prompter),
      canvas_(std::make_unique<ImageCanvas>()),
      engine_(programFolder_),
      store_(std::make_unique<MDataBase>()),
      current_(std::make_unique<CurrentCase>(*store_))
{
    setObjectName("FrmMain");
    setWindowTitle(T(kAppTitle));
    QFont font(ImageCanvas::ResolveFamily(kWindowFont));
    font.setPixelSize(kWindowFontPixels);
    setFont(font);
    BuildPanes();
    BuildMenus();
    AttachTools();
    desk_ = new CaseDesk(this, *store_, DatFolder(programFolder_) / kZdinitFile, prompter_, *caseTree_, *current_,
                         *RedtPingYu, *SbtoSave);
    desk_->SetHooks({[this](const CaseRecord& record) { return ShowCase(record); }, [this] { ClearChart(); },
                     [this] {
                         Redtziwei->clear();
                         cast_ = false;
                     }});
    QStringList provinces;
    for (const std::string& province : ProvinceNames()) provinces << QString::fromStdString(province);
    desk_->ConnectSearch(criteria_, provinces);
    connect(BtoNew, &QPushButton::clicked, desk_, &CaseDesk::New);
    connect(actImport, &QAction::triggered, desk_, &CaseDesk::Import);
    connect(actExport, &QAction::triggered, desk_, &CaseDesk::Export);
    connect(actCompact, &QAction::triggered, desk_, &CaseDesk::Compact);
    reportTarget_ = std::make_unique<ReportDocument>(*Redtziwei->document());
    Redtziwei->clear();
    PageMain->setCurrentIndex(0);
}

TFrmMain::~TFrmMain()
{
    report_.SetTarget(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Layout

void TFrmMain::BuildPanes()
{
    caseTree_ = new CaseTreeView(*store_, DatFolder(programFolder_) / kZdinitFile, prompter_, current_.get());
    Tree = caseTree_;
    Tree->setObjectName("Tree");
    Tree->setHeaderHidden(true);
    Tree->setMinimumWidth(kMinTreeWidth);  // as narrow as the settings allow, not as Qt suggests

    PageMain = new QTabWidget;
    PageMain->setObjectName("PageMain");
    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setWidgetResizable(false);
    auto* holder = new QWidget;  // the image sits at (1, 1) and moves freely when dragged
    holder->setObjectName("ChartHolder");
    holder->setAutoFillBackground(true);
    Imgziwei = new ChartImageWidget(*canvas_, holder);
    Imgziwei->move(1, 1);
    ScrollBox1->setWidget(holder);
    PageMain->addTab(ScrollBox1, T(kPageChart));
    Redtziwei = new QTextEdit;
    Redtziwei->setObjectName("Redtziwei");
    Redtziwei->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Redtziwei->setAcceptRichText(true);
    PageMain->addTab(Redtziwei, T(kPageReport));

    RedtPingYu = new QTextEdit;
    RedtPingYu->setObjectName("RedtPingYu");
    RedtPingYu->setTabChangesFocus(false);
    RedtPingYu->setMinimumHeight(kMinCommentHeight);
    RedtPingYu->setPlainText(T(kCommentPreset));
    RedtPingYu->document()->setModified(false);

    centreSplitter_ = new QSplitter(Qt::Vertical);
    centreSplitter_->addWidget(PageMain);
    centreSplitter_->addWidget(RedtPingYu);
    centreSplitter_->setStretchFactor(0, 1);
    centreSplitter_->setStretchFactor(1, 0);
    centreSplitter_->setChildrenCollapsible(false);

    sideSplitter_ = new QSplitter(Qt::Horizontal);
    sideSplitter_->addWidget(Tree);
    sideSplitter_->addWidget(centreSplitter_);
    sideSplitter_->setStretchFactor(0, 0);
    sideSplitter_->setStretchFactor(1, 1);
    sideSplitter_->setChildrenCollapsible(false);

    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(sideSplitter_, 1);
    row->addWidget(BuildInputPanel(), 0);
    setCentralWidget(central);
}

QWidget* TFrmMain::BuildInputPanel()
{
    auto* panel = new QWidget;
    panel->setObjectName("InputPanel");
    panel->setFixedWidth(kPanelWidth);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);

    BtoNew = new QPushButton(T(kNew));
    BtoNew->setObjectName("BtoNew");
    BtoNew->setToolTip(T(kNewHint));
    column->addWidget(BtoNew);

    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(0);
    EdtYear = new QLineEdit;
    EdtYear->setObjectName("EdtYear");
    EdtYear->setMaxLength(5);
    QFont bold = EdtYear->font();
    bold.setBold(true);
    EdtYear->setFont(bold);
    UpDyear = new QSpinBox;
    UpDyear->setObjectName("UpDyear");
    UpDyear->setRange(-4712, kLastYear);
    UpDyear->setFixedWidth(20);  // only its arrows show; the year itself is EdtYear's
    UpDyear->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    UpDyear->setStyleSheet("QSpinBox { color: transparent; selection-color: transparent; }");
    yearRow->addWidget(EdtYear, 1);
    yearRow->addWidget(UpDyear, 0);
    column->addLayout(yearRow);

    cbom = NewList("cbom", panel);
    cbod = NewList("cbod", panel);
    cbos = NewList("cbos", panel);
    cbomin = NewList("cbomin", panel);
    for (QComboBox* list : {cbom, cbod, cbos, cbomin}) column->addWidget(list);

    auto* calendarRow = new QHBoxLayout;
    auto* calendarGroup = new QWidget;
    calendarGroup->setLayout(calendarRow);
    calendarRow->setContentsMargins(0, 0, 0, 0);
    Rdogl = new QRadioButton(T(kSolar));
    Rdogl->setObjectName("Rdogl");
    Rdonl = new QRadioButton(T(kLunar));
    Rdonl->setObjectName("Rdonl");
    Rdogl->setChecked(true);
    calendarRow->addWidget(Rdogl);
    calendarRow->addWidget(Rdonl);
    column->addWidget(calendarGroup);
    Chkrun = new QCheckBox(T(kLeap));
    Chkrun->setObjectName("Chkrun");
    column->addWidget(Chkrun);

    cbodiZ = NewList("cbodiZ", panel);
    cbodiC = NewList("cbodiC", panel);
    cbodiC->setToolTip(T(kCityHint));
    EdtFindPlace = new QLineEdit;
    EdtFindPlace->setObjectName("EdtFindPlace");
    EdtFindPlace->setPlaceholderText(T(kFindPlace));
    EdtFindPlace->setToolTip(T(kFindPlaceHint));
    EdtFindPlace->setAttribute(Qt::WA_InputMethodEnabled, true);
    foundPlaces_ = new QStandardItemModel(this);
    auto* completer = new QCompleter(foundPlaces_, this);
    completer->setCompletionMode(QCompleter::UnfilteredPopupCompletion);  // the table already matched
    completer->setMaxVisibleItems(12);
    EdtFindPlace->setCompleter(completer);
    column->addWidget(EdtFindPlace);
    column->addWidget(cbodiZ);
    column->addWidget(cbodiC);

    auto* sexRow = new QHBoxLayout;
    auto* sexGroup = new QWidget;
    sexGroup->setLayout(sexRow);
    sexRow->setContentsMargins(0, 0, 0, 0);
    Rdona = new QRadioButton(T(kMale));
    Rdona->setObjectName("Rdona");
    Rdonv = new QRadioButton(T(kFemale));
    Rdonv->setObjectName("Rdonv");
    Rdona->setChecked(true);
    sexRow->addWidget(Rdona);
    sexRow->addWidget(Rdonv);
    column->addWidget(sexGroup);

    auto* nameLabel = new QLabel(T(kNameLabel));
    Edtname = new QLineEdit(T(kNamePreset));
    Edtname->setObjectName("Edtname");
    Edtname->setMaxLength(8);
    Edtname->setAttribute(Qt::WA_InputMethodEnabled, true);  // names are typed with the desktop's input method
    nameLabel->setBuddy(Edtname);
    column->addWidget(nameLabel);
    column->addWidget(Edtname);

    auto* kindLabel = new QLabel(T(kKindLabel));
    CboPanShi = NewList("CboPanShi", panel);
    for (const char* kind : kKinds) CboPanShi->addItem(T(kind));
    CboPanShi->setCurrentIndex(0);
    kindLabel->setBuddy(CboPanShi);
    column->addWidget(kindLabel);
    column->addWidget(CboPanShi);

    auto* castRow = new QHBoxLayout;
    castRow->setSpacing(2);
    SbtoSave = new QToolButton;
    SbtoSave->setObjectName("SbtoSave");
    SbtoSave->setText(T(kSaveNew));
    SbtoSave->setToolTip(T(kSaveHint));
    SbtoSave->setAutoRaise(true);
    BtnPai = new QPushButton(T(kCastNatal));
    BtnPai->setObjectName("BtnPai");
    castRow->addWidget(SbtoSave);
    castRow->addWidget(BtnPai, 1);
    column->addLayout(castRow);

    column->addSpacing(8);
    CboY1 = NewList("CboY1", panel);
    CboM1 = NewList("CboM1", panel);
    CboD1 = NewList("CboD1", panel);
    CboH1 = NewList("CboH1", panel);
    CboMin1 = NewList("CboMin1", panel);
    for (QComboBox* list : {CboY1, CboM1, CboD1, CboH1, CboMin1}) column->addWidget(list);
    ChkRiShi = new QCheckBox(T(kDailyHourly));
    ChkRiShi->setObjectName("ChkRiShi");
    column->addWidget(ChkRiShi);
    BtoLiuNian = new QPushButton(T(kCastAnnual));
    BtoLiuNian->setObjectName("BtoLiuNian");
    column->addWidget(BtoLiuNian);
    column->addStretch(1);

    connect(UpDyear, &QSpinBox::valueChanged, this, &TFrmMain::YearSpun);
    connect(cbodiZ, &QComboBox::activated, this, &TFrmMain::ProvinceChosen);
    connect(EdtFindPlace, &QLineEdit::textEdited, this, &TFrmMain::FindPlaces);
    connect(completer, qOverload<const QModelIndex&>(&QCompleter::activated), this, &TFrmMain::FoundPlaceChosen);
    connect(BtnPai, &QPushButton::clicked, this, &TFrmMain::CastNatal);
    connect(BtoLiuNian, &QPushButton::clicked, this, &TFrmMain::CastAnnual);
    connect(ChkRiShi, &QCheckBox::clicked, this, &TFrmMain::CastAnnual);
    connect(SbtoSave, &QToolButton::clicked, this, &TFrmMain::SaveCurrentCase);
    connect(Imgziwei, &ChartImageWidget::leftPressed, this, &TFrmMain::ChartPressed);
    connect(Imgziwei, &ChartImageWidget::moved, this, &TFrmMain::ChartMoved);
    connect(Imgziwei, &ChartImageWidget::leftReleased, this, [this] { dragging_ = false; });
    return panel;
}

void TFrmMain::BuildMenus()
{
    auto action = [this](const char* text, void (TFrmMain::*slot)() = nullptr) {
        auto* a = new QAction(T(text), this);
        if (slot) connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = menuBar()->addMenu(T(kMenuFile));
    actSaveCase = action(kSaveCase, &TFrmMain::SaveCurrentCase);
    actSaveCase->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    actImport = action(kImport);
    actExport = action(kExport);
    actCompact = action(kCompact);
    actQuit = action(kQuit);
    connect(actQuit, &QAction::triggered, this, &QWidget::close);
    file->addAction(actSaveCase);
    file->addSeparator();
    file->addActions({actImport, actExport, actCompact});
    file->addSeparator();
    file->addAction(actQuit);

    QMenu* knowledge = menuBar()->addMenu(T(kMenuKnowledge));
    actKnowledge = action(kKnowledge);
    knowledge->addAction(actKnowledge);

    QMenu* tools = menuBar()->addMenu(T(kMenuTools));
    actPlaces = action(kPlaces, &TFrmMain::OpenPlaceEditor);
    actCalendar = action(kCalendar);
    tools->addActions({actPlaces, actCalendar});

    QMenu* options = menuBar()->addMenu(T(kMenuOptions));
    QMenu* look = options->addMenu(T(kReportLook));
    actReportDefault = action(kReportDefault, &TFrmMain::ReportDefault);
    actReportFont = action(kReportFont, &TFrmMain::ReportFont);
    actReportColour = action(kReportColour, &TFrmMain::ReportColour);
    look->addActions({actReportDefault, actReportFont, actReportColour});
    actChartSettings = action(kChartSettings, &TFrmMain::OpenChartSettings);
    options->addAction(actChartSettings);
    menuSkins = options->addMenu(T(kSkins));
    skinGroup_ = new QActionGroup(this);
    skinGroup_->setExclusive(true);
    connect(skinGroup_, &QActionGroup::triggered, this, &TFrmMain::ChooseSkin);
    options->addSeparator();
    actZoomIn = action(kZoomIn);
    actZoomIn->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(actZoomIn, &QAction::triggered, this, [this] { ZoomChart(+1); });
    actZoomOut = action(kZoomOut);
    actZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(actZoomOut, &QAction::triggered, this, [this] { ZoomChart(-1); });
    options->addActions({actZoomIn, actZoomOut});

    QMenu* help = menuBar()->addMenu(T(kMenuHelp));
    actHelp = action(kHelp);
    help->addAction(actHelp);
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TFrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FillLists();
    PresetNow();
    ApplySettings();
    canvas_->SetPixelRatio(devicePixelRatioF());
    engine_.AttachImage(*canvas_, settings_.chartFontSize);
    Imgziwei->Refresh();
    ChartRedrawn();
    report_.SetTarget(reportTarget_.get());
    if (const DbStatus opened = store_->Open(programFolder_); opened != DbStatus::Ok)
        prompter_.Message(this, T(kCaptionError), T(kCaseFileNotOpened), PromptIcon::Error);
    else
        caseTree_->FillNewest();
    if (QWindow* handle = windowHandle()) connect(handle, &QWindow::screenChanged, this, &TFrmMain::ScreenChanged);
}

void TFrmMain::ScreenChanged()
{
    // Moved to a screen of another density: draw the chart again with that many pixels per unit.
    const qreal ratio = devicePixelRatioF();
    if (qFuzzyCompare(ratio, canvas_->pixelRatio())) return;
    canvas_->SetPixelRatio(ratio);
    if (engine_.state() != ChartState::None) engine_.Zoom(0);
    else engine_.AttachImage(*canvas_, chartFontSize());
    ChartRedrawn();
}

void TFrmMain::FillLists()
{
    for (QComboBox* list : {cbom, CboM1})
        for (int m = 1; m <= 12; ++m) list->addItem(T(kMonthItem).arg(m));
    for (QComboBox* list : {cbod, CboD1})
        for (int d = 1; d <= 31; ++d) list->addItem(T(kDayItem).arg(d));
    for (QComboBox* list : {cbos, CboH1})
        for (int h = 0; h < 24; ++h) list->addItem(T(kHourItem).arg(h).arg(T(kHourBranches[h])));
    for (QComboBox* list : {cbomin, CboMin1})
        for (int m = 0; m < 60; ++m) list->addItem(T(kMinuteItem).arg(m));
    for (const std::string& province : ProvinceNames()) cbodiZ->addItem(QString::fromStdString(province));
    cbodiC->addItem(T(kUnknownPlace));
}

void TFrmMain::PresetNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const int year = std::min(now.date().year(), kLastPresetYear);
    UpDyear->setValue(year);
    EdtYear->setText(QString::number(year));
    cbom->setCurrentIndex(now.date().month() - 1);
    cbod->setCurrentIndex(now.date().day() - 1);
    cbos->setCurrentIndex(now.time().hour());
    cbomin->setCurrentIndex(now.time().minute());
    cbodiZ->setCurrentIndex(kUnknownProvince);
    ProvinceChosen(kUnknownProvince);
}

void TFrmMain::ApplySettings()
{
    settingsFile_ = std::make_unique<IniFile>(DatFolder(programFolder_) / kZdinitFile);
    settings_ = ReadWindowSettings(*settingsFile_);

    BuildSkinList();
    const QList<QAction*> skins = skinGroup_->actions();
    QAction* named = nullptr;
    for (QAction* item : skins)
        if (item->text() == QString::fromStdString(settings_.skinName) && item != skins.back()) named = item;
    // A saved skin whose file has gone starts unskinned rather than half-styled.
    if (settings_.skinned && named && LoadSkin(named->text())) {
        named->setChecked(true);
    } else {
        qApp->setStyleSheet({});
        if (skins.size() >= 2) skins.back()->setChecked(true);
    }

    move(settings_.left, settings_.top);
    resize(settings_.width, settings_.height);
    if (settings_.state == 1) setWindowState(Qt::WindowMinimized);
    else if (settings_.state == 2) setWindowState(Qt::WindowMaximized);
    sideSplitter_->setSizes({settings_.treeWidth, std::max(settings_.width - settings_.treeWidth, 1)});
    centreSplitter_->setSizes({std::max(settings_.height - settings_.commentHeight, 1), settings_.commentHeight});

    ApplyReportLook(settings_.reportFont, settings_.reportFontSize, settings_.reportBackground);

    const int province = IndexWithin(settings_.province, kProvinceCount);
    cbodiZ->setCurrentIndex(province);
    ProvinceChosen(province);
    cbodiC->setCurrentIndex(IndexWithin(settings_.city, cbodiC->count()));
}

void TFrmMain::BuildSkinList()
{
    const QDir folder(QString::fromStdString((programFolder_ / "skins").string()));
    const QStringList files = folder.entryList({"*.skn"}, QDir::Files, QDir::Name);
    for (const QString& file : files) {
        auto* item = menuSkins->addAction(file.section('.', 0, 0));
        item->setCheckable(true);
        skinGroup_->addAction(item);
    }
    if (files.isEmpty()) return;
    menuSkins->addSeparator();
    auto* plain = menuSkins->addAction(T(kNoSkin));
    plain->setCheckable(true);
    skinGroup_->addAction(plain);
}

bool TFrmMain::LoadSkin(const QString& name)
{
    QFile file(QString::fromStdString((programFolder_ / "skins").string()) + '/' + name + ".skn");
    if (!file.open(QIODevice::ReadOnly)) return false;
    qApp->setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}

void TFrmMain::ChooseSkin(QAction* item)
{
    if (item == skinGroup_->actions().back()) {
        qApp->setStyleSheet({});
        update();
        if (!WriteSkinChoice(FreshSettingsFile(), false)) SettingsWriteFailed();
        return;
    }
    if (!LoadSkin(item->text())) {
        prompter_.Message(this, T(kCaptionNote), T(kSkinMissing), PromptIcon::Warning);
        return;
    }
    if (!WriteSkinChoice(FreshSettingsFile(), true, item->text().toStdString())) SettingsWriteFailed();
}

void TFrmMain::ApplyReportLook(const std::string& fontName, int pointSize, uint32_t background)
{
    reportFont_ = fontName;
    reportBackground_ = background & 0xFFFFFF;
    QFont font(ImageCanvas::ResolveFamily(fontName));
    font.setPointSize(pointSize);
    Redtziwei->setFont(font);
    Redtziwei->document()->setDefaultFont(font);
    // The pane's own sheet wins over a skin's, so the report keeps its colours in every skin.
    Redtziwei->setStyleSheet(QString("QTextEdit#Redtziwei { background-color: %1; color: black; }")
                                 .arg(FromColourValue(reportBackground_).name()));
}

// ---------------------------------------------------------------------------------------------
// Input panel

void TFrmMain::YearSpun(int position)
{
    EdtYear->setText(QString::number(StoredToHistoricalYear(position)));
}

void TFrmMain::ProvinceChosen(int index)
{
    if (index < 0) return;
    const PlaceTable places(programFolder_);
    cbodiC->clear();
    cityLongitudes_.clear();
    cityLatitudes_.clear();
    placeFallsBack_ = places.FallsBack(index);
    for (const Place& place : places.Choices(index)) {
        cbodiC->addItem(QString::fromStdString(place.name));
        cityLongitudes_.push_back(static_cast<float>(place.longitude));
        cityLatitudes_.push_back(static_cast<float>(place.latitude));
    }
    cbodiC->setCurrentIndex(0);
}

void TFrmMain::FindPlaces(const QString& part)
{
    foundPlaces_->clear();
    const PlaceTable places(programFolder_);
    for (const PlaceMatch& match : places.Find(part.trimmed().toStdString(), 30)) {
        auto* item = new QStandardItem(T(kFoundPlace).arg(QString::fromStdString(match.name),
                                                          QString::fromStdString(ProvinceNames()[match.province])));
        item->setData(match.province, Qt::UserRole);
        item->setData(match.city, Qt::UserRole + 1);
        foundPlaces_->appendRow(item);
    }
}

void TFrmMain::FoundPlaceChosen(const QModelIndex& index)
{
    const int province = index.data(Qt::UserRole).toInt();
    const int city = index.data(Qt::UserRole + 1).toInt();
    cbodiZ->setCurrentIndex(province);
    ProvinceChosen(province);
    cbodiC->setCurrentIndex(IndexWithin(city, cbodiC->count()));
}

MDateTime TFrmMain::CalendarDate() const
{
    MDateTime date;
    date.year = static_cast<int16_t>(StoredToHistoricalYear(UpDyear->value()));
    date.month = static_cast<int16_t>(cbom->currentIndex() + 1);
    date.day = static_cast<int16_t>(cbod->currentIndex() + 1);
    date.hour = static_cast<int16_t>(cbos->currentIndex());
    date.minute = static_cast<int16_t>(cbomin->currentIndex());
    return date;
}

// ---------------------------------------------------------------------------------------------
// Casting

void TFrmMain::CastNatal()
{
    CastPanel(false);
}

bool TFrmMain::CastPanel(bool viewing)
{
    cast_ = false;
    current_->SetCast(false);
    PanelFields fields;
    fields.name = Edtname->text().toStdString();
    fields.year = EdtYear->text().toStdString();
    fields.monthIndex = cbom->currentIndex();
    fields.dayIndex = cbod->currentIndex();
    fields.hourIndex = cbos->currentIndex();
    fields.minuteIndex = cbomin->currentIndex();
    fields.lunar = Rdonl->isChecked();
    fields.leap = Chkrun->isChecked();
    fields.male = Rdona->isChecked();
    fields.chartKind = CboPanShi->currentIndex();
    fields.provinceIndex = cbodiZ->currentIndex();
    fields.cityIndex = cbodiC->currentIndex();
    // A province without places in the table stands as "未知地", as the last entry does.
    fields.place = cbodiZ->currentIndex() == kUnknownProvince || placeFallsBack_
                       ? std::string(kUnknownPlace)
                       : (cbodiZ->currentText() + '-' + cbodiC->currentText()).toStdString();
    const int city = cbodiC->currentIndex();
    if (city >= 0 && city < static_cast<int>(cityLongitudes_.size())) {
        fields.longitude = cityLongitudes_[city];
        fields.latitude = cityLatitudes_[city];
    }
    PanelBirth checked = ReadPanelBirth(fields);
    if (!checked.ok) {
        prompter_.Message(this, QString::fromStdString(checked.caption), QString::fromStdString(checked.text),
                          checked.nameEmpty ? PromptIcon::Information : PromptIcon::Warning);
        if (checked.yearFault) EdtYear->setFocus();
        return false;
    }
    if (viewing) checked.input.name = Edtname->text().toStdString();  // as stored, not lowered again
    else AskToSaveComment();
    UpDyear->blockSignals(true);
    UpDyear->setValue(checked.input.birth.year);
    UpDyear->blockSignals(false);

    if (!engine_.CastNatal(checked.input)) {
        ChartRedrawn();
        prompter_.Message(this, T(kCaptionError), QString::fromStdString(engine_.lastError()), PromptIcon::Error);
        return false;
    }
    ChartRedrawn();
    ChartData chart;
    ChartSettings chartSettings;
    engine_.CopyChart(chart, chartSettings);
    report_.BuildReport(chart, chartSettings);
    Redtziwei->moveCursor(QTextCursor::Start);  // the report is read from its beginning
    cast_ = true;
    if (viewing) {
        ScrollBox1->horizontalScrollBar()->setValue(0);
        ScrollBox1->verticalScrollBar()->setValue(0);
        Imgziwei->move(1, 1);
    } else {
        desk_->Cast(checked.input, true);
        if (engine_.GetSaveFlag() != 0) SaveCurrentCase();
    }
    FillAnnualLists();
    return true;
}

bool TFrmMain::ShowCase(const CaseRecord& r)
{
    UpDyear->blockSignals(true);
    UpDyear->setValue(r.birth.year);
    UpDyear->blockSignals(false);
    EdtYear->setText(QString::number(StoredToHistoricalYear(r.birth.year)));
    cbom->setCurrentIndex(r.birth.month - 1);
    cbod->setCurrentIndex(r.birth.day - 1);
    cbos->setCurrentIndex(r.birth.hour);
    cbomin->setCurrentIndex(r.birth.minute);
    (r.isLunar ? Rdonl : Rdogl)->setChecked(true);
    Chkrun->setChecked(r.isLunar && r.isLeap);
    (r.isMale ? Rdona : Rdonv)->setChecked(true);
    Edtname->setText(QString::fromStdString(r.name));
    // A province index this program's list does not have stands as "未知地".
    const int province = r.provinceIndex >= 0 && r.provinceIndex < cbodiZ->count() ? r.provinceIndex : kUnknownProvince;
    cbodiZ->setCurrentIndex(province);
    ProvinceChosen(province);
    cbodiC->setCurrentIndex(r.cityIndex >= 0 && r.cityIndex < cbodiC->count() ? r.cityIndex : 0);
    CboPanShi->setCurrentIndex(r.chartKind < 3 ? int(r.chartKind) : 0);
    return CastPanel(true);
}

void TFrmMain::ClearChart()
{
    Redtziwei->clear();
    cast_ = false;
    canvas_->FillRect(0, 0, canvas_->image().width(), canvas_->image().height(), 0xFFFFFF);
    Imgziwei->Refresh();
    ScrollBox1->horizontalScrollBar()->setValue(0);
    ScrollBox1->verticalScrollBar()->setValue(0);
    Imgziwei->move(1, 1);
}

void TFrmMain::FillAnnualLists()
{
    MDateTime birth;
    engine_.GetClockBirth(birth);
    CboY1->clear();
    int year = StoredToHistoricalYear(birth.year);
    for (int n = 0; n < kAnnualYears; ++n, ++year) {
        if (year == 0) ++year;  // no year 0
        CboY1->addItem(QString::number(year));
    }
    CboY1->setCurrentIndex(1);
    CboM1->setCurrentIndex(birth.month - 1);
    CboD1->setCurrentIndex(birth.day - 1);
    CboH1->setCurrentIndex(birth.hour);
    CboMin1->setCurrentIndex(birth.minute);
}

void TFrmMain::CastAnnual()
{
    if (!cast_) {
        prompter_.Message(this, T(kCaptionNote), T(kNeedChart), PromptIcon::Information);
        return;
    }
    const int y = YearOf(CboY1->currentText());
    if (!HistoricalYearValid(y)) {
        prompter_.Message(this, T(kCaptionYear), T(kAnnualYearRange), PromptIcon::Warning);
        return;
    }
    MDateTime date;
    date.year = static_cast<int16_t>(HistoricalToStoredYear(y));
    date.month = static_cast<int16_t>(CboM1->currentIndex() + 1);
    date.day = static_cast<int16_t>(CboD1->currentIndex() + 1);
    date.hour = static_cast<int16_t>(CboH1->currentIndex());
    date.minute = static_cast<int16_t>(CboMin1->currentIndex());
    const bool ok = engine_.CastAnnual(date, ChkRiShi->isChecked() ? 1 : 0);
    ChartRedrawn();
    if (!ok) prompter_.Message(this, T(kCaptionAnnual), QString::fromStdString(engine_.lastError()), PromptIcon::Error);
}

// ---------------------------------------------------------------------------------------------
// The chart image

void TFrmMain::ChartRedrawn()
{
    Imgziwei->Refresh();
    if (QWidget* holder = ScrollBox1->widget()) holder->resize(Imgziwei->width() + 2, Imgziwei->height() + 2);
}

void TFrmMain::ChartPressed(QPoint point)
{
    std::string text;
    switch (engine_.ClickReading(point.x(), point.y(), text)) {
    case ClickResult::Reading:
        prompter_.Message(this, T(kCaptionReading), QString::fromStdString(text), PromptIcon::Information);
        break;
    case ClickResult::CentreBox:
        dragging_ = true;
        dragStart_ = point;
        break;
    case ClickResult::Highlighted:
        ChartRedrawn();
        break;
    default:
        break;
    }
}

void TFrmMain::ChartMoved(QPoint point)
{
    if (!dragging_) return;
    Imgziwei->move(Imgziwei->pos() + (point - dragStart_));
}

int TFrmMain::chartFontSize() const
{
    const ChartGeometry* g = engine_.geometry();
    return g ? g->fontSize : settings_.chartFontSize;
}

void TFrmMain::ZoomChart(int step)
{
    if (!cast_) {
        prompter_.Message(this, T(kCaptionNote), T(kNeedCorrectChart), PromptIcon::Information);
        return;
    }
    engine_.Zoom(step);
    ChartRedrawn();
}

// ---------------------------------------------------------------------------------------------
// Current case

void TFrmMain::AskToSaveComment()
{
    desk_->AskToSaveComment();
}

void TFrmMain::SaveCurrentCase()
{
    current_->SetCast(cast_);
    desk_->Save();
}

// ---------------------------------------------------------------------------------------------
// Options

void TFrmMain::ReportDefault()
{
    ApplyReportLook(kDefaultReportFont, kDefaultReportFontSize, kDefaultReportBackground);
    prompter_.Message(this, T(kCaptionNote), T(kDone), PromptIcon::Information);
}

void TFrmMain::ReportFont()
{
    const std::optional<QFont> chosen = prompter_.Font(this, Redtziwei->font());
    if (!chosen) return;
    ApplyReportLook(chosen->family().toStdString(), std::max(chosen->pointSize(), 1), reportBackground_);
    prompter_.Message(this, T(kCaptionNote), T(kDone), PromptIcon::Information);
}

void TFrmMain::ReportColour()
{
    const std::optional<QColor> chosen = prompter_.Colour(this, FromColourValue(reportBackground_));
    if (!chosen || !chosen->isValid()) return;
    ApplyReportLook(reportFont_, Redtziwei->font().pointSize(), ToColourValue(*chosen));
    prompter_.Message(this, T(kCaptionNote), T(kDone), PromptIcon::Information);
}

void TFrmMain::OpenPlaceEditor()
{
    TFrmDiLi dialog(programFolder_, prompter_, this);
    prompter_.Exec(dialog);
}

void TFrmMain::OpenChartSettings()
{
    TFrmSetcan dialog(programFolder_, prompter_, this);
    prompter_.Exec(dialog);
}

// ---------------------------------------------------------------------------------------------
// Shut-down

void TFrmMain::closeEvent(QCloseEvent* event)
{
    if (!prompter_.Question(this, T(kCaptionClose), T(kConfirmClose), PromptIcon::Information)) {
        event->ignore();
        return;
    }
    AskToSaveComment();
    cityLongitudes_.clear();
    cityLatitudes_.clear();
    StoreSettings();
    if (shown_ && !caseTree_->SaveCategories(true)) SettingsWriteFailed();
    event->accept();
}

void TFrmMain::StoreSettings()
{
    if (!settingsFile_) return;  // never shown: nothing was read, nothing to keep
    WindowSettings s = settings_;
    s.state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
    if (s.state == 0) {
        s.left = pos().x();
        s.top = pos().y();
        s.width = width();
        s.height = height();
    }
    s.treeWidth = Tree->width();
    s.commentHeight = RedtPingYu->height();
    s.reportFont = reportFont_;
    s.reportFontSize = Redtziwei->font().pointSize();
    s.reportBackground = reportBackground_;
    s.chartFontSize = chartFontSize();
    s.province = cbodiZ->currentIndex();
    s.city = std::max(cbodiC->currentIndex(), 0);
    if (!WriteWindowSettings(FreshSettingsFile(), s)) SettingsWriteFailed();
    settingsFile_.reset();
}

IniFile& TFrmMain::FreshSettingsFile()
{
    // Others write the same file meanwhile (the case tree its categories): read it again so a
    // write of ours never puts back what it held when the window opened.
    settingsFile_ = std::make_unique<IniFile>(DatFolder(programFolder_) / kZdinitFile);
    return *settingsFile_;
}

void TFrmMain::SettingsWriteFailed()
{
    prompter_.Message(this, T(kCaptionError),
                      T(kSettingsNotWritten).arg(QString::fromStdString(DatFolder(programFolder_).string()) + '/' + kZdinitFile),
                      PromptIcon::Error);
}
