#include "UntWnl.h"

#include "ImageCanvas.h"
#include "Prompter.h"
#include "UntWnlTexts.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QColor kBackground(255, 255, 200);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);

// The grid's fonts are given in points on a 96-dpi screen.
QFont GridFont(int points)
{
    QFont font(ImageCanvas::ResolveFamily(wnl_texts::kGridFace));
    font.setPixelSize(points * 96 / 72);
    return font;
}

// Draws `text` centred horizontally in [x, x + width) and vertically in [y, y + height).
void DrawCentred(QPainter& painter, int x, int y, int width, int height, const QString& text)
{
    const QFontMetrics metrics(painter.font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    painter.drawText(x + (width - w) / 2, y + (height - h) / 2 + metrics.ascent(), text);
}

void ShowMessage(Prompter& prompter, QWidget* parent, const char* caption, const char* text, PromptIcon icon)
{
    prompter.Message(parent, QString::fromUtf8(caption), QString::fromUtf8(text), icon);
}

}  // namespace

WnlYearSpin::WnlYearSpin(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 12);
        b->setAutoRepeat(true);
        layout->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void WnlYearSpin::setValue(int value) { value_ = std::clamp(value, kAlmanacFirstYear, kAlmanacLastYear); }

void WnlYearSpin::Step(int delta)
{
    const int next = std::clamp(value_ + delta, kAlmanacFirstYear, kAlmanacLastYear);
    if (next == value_) return;
    value_ = next;
    emit clicked(value_);
}

TFrmWnl::TFrmWnl(Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      prompter_(prompter),
      grid_(kGridWidth, kGridHeight, QImage::Format_RGB32),
      clock_([] { return QDateTime::currentDateTime(); })
{
    qRegisterMetaType<WnlChoice>();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(wnl_texts::kCaption));
    grid_.fill(kBackground);
    BuildControls();
    FillLists();
}

void TFrmWnl::BuildControls()
{
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kBackground);
    setPalette(palette);

    labtitle_ = new QLabel(this);
    labtitle_->setObjectName("labtitle");
    QFont bold = labtitle_->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    labtitle_->setFont(bold);

    labxiao_ = new QLineEdit(this);
    labxiao_->setObjectName("labxiao");
    labxiao_->setReadOnly(true);
    labxiao_->setStyleSheet("QLineEdit { background: silver; color: blue; font-weight: bold; }");

    EdtYear_ = new QLineEdit(this);
    EdtYear_->setObjectName("EdtYear");
    EdtYear_->setMaxLength(5);
    EdtYear_->setFixedWidth(60);
    UdYear_ = new WnlYearSpin(this);
    UdYear_->setObjectName("UdYear");

    cbom_ = new QComboBox(this);
    cbod_ = new QComboBox(this);
    cbos_ = new QComboBox(this);
    cbomin_ = new QComboBox(this);
    cbom_->setObjectName("cbom");
    cbod_->setObjectName("cbod");
    cbos_->setObjectName("cbos");
    cbomin_->setObjectName("cbomin");

    Img1_ = new QLabel(this);
    Img1_->setObjectName("Img1");
    Img1_->setFixedSize(kGridWidth, kGridHeight);
    Img1_->setCursor(Qt::PointingHandCursor);
    Img1_->installEventFilter(this);
    Img1_->setPixmap(QPixmap::fromImage(grid_));

    Shape1_ = new QFrame(Img1_);
    Shape1_->setObjectName("Shape1");
    Shape1_->setAttribute(Qt::WA_TransparentForMouseEvents);
    Shape1_->setStyleSheet("QFrame#Shape1 { border: 1px dashed green; background: transparent; }");
    Shape1_->hide();

    memjie1_ = new QPlainTextEdit(this);
    memjie1_->setObjectName("memjie1");
    memjie1_->setReadOnly(true);
    memjie1_->setStyleSheet("QPlainTextEdit { color: red; }");
    memgz_ = new QPlainTextEdit(this);
    memgz_->setObjectName("memgz");
    memgz_->setReadOnly(true);
    memgz_->setStyleSheet("QPlainTextEdit { color: blue; }");
    for (QPlainTextEdit* memo : {memjie1_, memgz_}) {
        memo->setFixedHeight(6 * memo->fontMetrics().lineSpacing());
        memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }

    sbtnnow_ = new QToolButton(this);
    sbtnnow_->setObjectName("sbtnnow");
    sbtnnow_->setAutoRaise(true);
    sbtnnow_->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    sbtnnow_->setToolTip(QString::fromUtf8(wnl_texts::kNowHint));
    BitBtn2_ = new QToolButton(this);
    BitBtn2_->setObjectName("BitBtn2");
    BitBtn2_->setArrowType(Qt::LeftArrow);
    BitBtn2_->setToolTip(QString::fromUtf8(wnl_texts::kPreviousHint));
    BitBtn1_ = new QToolButton(this);
    BitBtn1_->setObjectName("BitBtn1");
    BitBtn1_->setArrowType(Qt::RightArrow);
    BitBtn1_->setToolTip(QString::fromUtf8(wnl_texts::kNextHint));
    BtnPai_ = new QPushButton(QString::fromUtf8(wnl_texts::kCast), this);
    BtnPai_->setObjectName("BtnPai");

    // Layout: title and era line above; the grid with the controls beside it; the terms and
    // the pillars below.
    auto* top = new QHBoxLayout;
    top->addWidget(labtitle_);
    top->addWidget(labxiao_, 1);

    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(0);
    yearRow->addWidget(EdtYear_);
    yearRow->addWidget(UdYear_);
    yearRow->addStretch();
    auto* navRow = new QHBoxLayout;
    navRow->addWidget(BitBtn2_);
    navRow->addWidget(sbtnnow_);
    navRow->addWidget(BitBtn1_);
    auto* side = new QVBoxLayout;
    side->addLayout(yearRow);
    for (QComboBox* list : {cbom_, cbod_, cbos_, cbomin_}) side->addWidget(list);
    side->addLayout(navRow);
    side->addStretch();
    side->addWidget(BtnPai_);

    auto* middle = new QHBoxLayout;
    middle->addWidget(Img1_);
    middle->addLayout(side);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(memjie1_, 3);
    bottom->addWidget(memgz_, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(bottom);

    connect(EdtYear_, &QLineEdit::returnPressed, this, &TFrmWnl::YearEntered);
    connect(UdYear_, &WnlYearSpin::clicked, this, &TFrmWnl::YearSpun);
    for (QComboBox* list : {cbom_, cbod_, cbos_, cbomin_})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { Redraw(); });
    connect(BitBtn2_, &QToolButton::clicked, this, &TFrmWnl::PreviousMonth);
    connect(BitBtn1_, &QToolButton::clicked, this, &TFrmWnl::NextMonth);
    connect(sbtnnow_, &QToolButton::clicked, this, &TFrmWnl::GoToNow);
    connect(BtnPai_, &QPushButton::clicked, this, &TFrmWnl::Cast);
}

void TFrmWnl::FillLists()
{
    const struct {
        QComboBox* list;
        int first, last;
        const char* suffix;
    } lists[] = {{cbom_, 1, 12, wnl_texts::kMonthSuffix},
                 {cbod_, 1, 31, wnl_texts::kDaySuffix},
                 {cbos_, 0, 23, wnl_texts::kHourSuffix},
                 {cbomin_, 0, 59, wnl_texts::kMinuteSuffix}};
    for (const auto& l : lists) {
        const QSignalBlocker blocker(l.list);
        l.list->clear();
        for (int i = l.first; i <= l.last; ++i) l.list->addItem(QString::number(i) + QString::fromUtf8(l.suffix));
    }
}

void TFrmWnl::Select(int month, int day, int hour, int minute)
{
    const QSignalBlocker b1(cbom_), b2(cbod_), b3(cbos_), b4(cbomin_);
    cbom_->setCurrentIndex(month - 1);
    cbod_->setCurrentIndex(day - 1);
    cbos_->setCurrentIndex(hour);
    cbomin_->setCurrentIndex(minute);
}

void TFrmWnl::SetYear(int storedYear)
{
    EdtYear_->setText(QString::number(StoredToHistoricalYear(storedYear)));
    UdYear_->setValue(storedYear);
}

void TFrmWnl::ShowDate(const MDateTime& date)
{
    FillLists();
    MDateTime stored = date;
    stored.year = static_cast<int16_t>(HistoricalToStoredYear(date.year));
    int day = date.day;
    if (almanac_.DaysInMonth(stored) == 0) day = 15;
    EdtYear_->setText(QString::number(date.year));
    UdYear_->setValue(stored.year);
    Select(date.month, day, date.hour, date.minute);
    Redraw();
}

WnlChoice TFrmWnl::Choice() const
{
    return {EdtYear_->text(),      UdYear_->value(),         cbom_->currentIndex() + 1, cbod_->currentIndex() + 1,
            cbos_->currentIndex(), cbomin_->currentIndex()};
}

bool TFrmWnl::Redraw()
{
    bool ok = false;
    const int y = EdtYear_->text().trimmed().toInt(&ok);
    if (!ok || y == 0 || y < kFirstHistoricalYear || y > kLastYear) {
        ShowMessage(prompter_, this, wnl_texts::kYearRangeCaption, wnl_texts::kYearRange, PromptIcon::Error);
        return false;
    }
    const MDateTime current{static_cast<int16_t>(HistoricalToStoredYear(y)), static_cast<int16_t>(cbom_->currentIndex() + 1),
                            static_cast<int16_t>(cbod_->currentIndex() + 1), static_cast<int16_t>(cbos_->currentIndex()),
                            static_cast<int16_t>(cbomin_->currentIndex())};
    AlmanacMonth page;
    if (almanac_.DaysInMonth(current) == 0 || !almanac_.Month(current.year, current.month, page)) {
        ShowMessage(prompter_, this, wnl_texts::kNoDateCaption, wnl_texts::kNoDate, PromptIcon::Information);
        return false;
    }
    page_ = std::move(page);
    UdYear_->setValue(current.year);
    DrawGrid(current);

    memjie1_->setPlainText(QString::fromStdString(TermsMemo(page_)));
    labtitle_->setText(QString::fromStdString(MonthTitle(current.year, current.month)));
    const AlmanacPillars pillars = almanac_.Pillars(current);
    labxiao_->setText(QString::fromStdString(almanac_.EraLine(pillars)));
    labxiao_->setCursorPosition(0);
    memgz_->setPlainText(QString::fromStdString(PillarsMemo(pillars)));
    return true;
}

void TFrmWnl::DrawGrid(const MDateTime& current)
{
    const int cw = kGridWidth / 7;
    const int ch = kGridHeight / 7;
    grid_.fill(kBackground);
    QPainter painter(&grid_);
    painter.setPen(Qt::black);
    for (int i = 1; i <= 6; ++i) {
        painter.drawLine(0, i * ch, kGridWidth, i * ch);
        painter.drawLine(i * cw, 0, i * cw, kGridHeight);
    }
    painter.setFont(GridFont(13));
    for (int i = 0; i < 7; ++i) {
        painter.setPen(i >= 5 ? kRed : kGreen);
        DrawCentred(painter, i * cw, 0, cw, ch,
                    QString::fromUtf8(wnl_texts::kWeekPrefix) + QString::fromUtf8(wnl_texts::kWeekdays[i]));
    }

    Shape1_->resize(cw, ch);
    Shape1_->hide();
    for (const AlmanacDay& d : page_.days) {
        const int x = d.column * cw;
        const int y = (d.row + 1) * ch;
        QString top = QString::number(d.day);
        if (d.term >= 0) {
            painter.setPen(kRed);
            painter.setFont(GridFont(10));
            top += ' ' + QString::fromUtf8(kTermNames[d.term].data(), static_cast<qsizetype>(kTermNames[d.term].size()));
        } else {
            painter.setPen(kBlue);
            painter.setFont(GridFont(14));
        }
        DrawCentred(painter, x, y, cw, ch / 2, top);
        // Labels of more than five characters (闰十一月初一) take the smaller size.
        const QString lunar = QString::fromStdString(d.lunarLabel);
        painter.setFont(GridFont(lunar.size() > 5 ? 8 : 9));
        DrawCentred(painter, x, y + ch / 2, cw, ch / 2, lunar);
        if (d.day == current.day) {
            Shape1_->move(x, y);
            Shape1_->show();
        }
    }
    painter.end();
    Img1_->setPixmap(QPixmap::fromImage(grid_));
}

void TFrmWnl::YearEntered()
{
    bool ok = false;
    const int y = EdtYear_->text().trimmed().toInt(&ok);
    if (!ok || y == 0 || y < kFirstHistoricalYear || y > kLastYear) {
        ShowMessage(prompter_, this, wnl_texts::kYearErrorCaption, wnl_texts::kYearError, PromptIcon::Error);
        EdtYear_->setFocus();
        return;
    }
    Redraw();
}

void TFrmWnl::YearSpun(int storedYear)
{
    EdtYear_->setText(QString::number(StoredToHistoricalYear(storedYear)));
    Redraw();
}

void TFrmWnl::StepMonth(int delta)
{
    bool ok = false;
    int y = EdtYear_->text().trimmed().toInt(&ok);
    if (!ok) y = 1900;
    const auto next = MAlmanac::StepMonth(HistoricalToStoredYear(y), cbom_->currentIndex() + 1, delta);
    if (!next) return;
    SetYear(next->year);
    Select(next->month, 1, cbos_->currentIndex(), cbomin_->currentIndex());
    Redraw();
}

void TFrmWnl::PreviousMonth() { StepMonth(-1); }

void TFrmWnl::NextMonth() { StepMonth(1); }

void TFrmWnl::GoToNow()
{
    const QDateTime now = clock_();
    const QDate d = now.date();
    const QTime t = now.time();
    SetYear(HistoricalToStoredYear(d.year()));
    Select(d.month(), d.day(), t.hour(), t.minute());
    Redraw();
}

void TFrmWnl::ClickGrid(QPoint point)
{
    const int cw = kGridWidth / 7;
    const int ch = kGridHeight / 7;
    if (point.x() < 0 || point.y() < 0) return;
    const int day = page_.DayAt(point.y() / ch - 1, point.x() / cw);
    if (day == 0) return;
    {
        const QSignalBlocker blocker(cbod_);
        cbod_->setCurrentIndex(day - 1);
    }
    Redraw();
}

void TFrmWnl::Cast()
{
    hide();
    emit castRequested(Choice());
}

bool TFrmWnl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Img1_ && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            ClickGrid(mouse->position().toPoint());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
