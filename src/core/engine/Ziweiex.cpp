#include "Ziweiex.h"

#include "ZiweiexDrawing.h"

#include "Sexagenary.h"
#include "ZiweiexGrades.h"
#include "ZiweiexPainter.h"
#include "ZiweiexPalaces.h"
#include "ZiweiexSettings.h"

#include <array>

namespace {

// The reasons of a failed cast, as the caller shows them.
const char* const kLunarYearOutOfRange = "时间越界，年份在-4713到9999之间";
const char* const kNoSuchDate = "不存在这个日期";
const char* const kConvertedYearOutOfRange = "公、农历正常转换年份在-4713到9999之间";
const char* const kNoNatalChart = "请先排一个正确的先天盘。";
const char* const kAnnualBeforeBirth = "流年时间应在出生年后。";

// Field ranges the date lists of the input allow; the calendar does not look at them.
bool FieldsInRange(const MDateTime& t)
{
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 && t.hour >= 0 && t.hour <= 23 &&
           t.minute >= 0 && t.minute <= 59;
}

// Clock-time kind of a non-zero `idate` setting: 1 true solar time, any other value local
// mean time.
int ClockKind(uint8_t idate) { return idate == 1 ? kClockTrueSolar : kClockLocalMean; }

}  // namespace

MZiWeiEx::MZiWeiEx(std::filesystem::path programFolder) : programFolder_(std::move(programFolder)) {}

MZiWeiEx::~MZiWeiEx() = default;

void MZiWeiEx::AttachPainter(ChartPainter* painter)
{
    drawing_.reset();
    painter_ = painter;
    state_ = ChartState::None;
    chart_.palaces[0].stemBranch = -1;
}

void MZiWeiEx::AttachImage(ChartCanvas& canvas, int fontSize)
{
    auto drawing = std::make_unique<ChartDrawing>(canvas);
    drawing->Layout(fontSize);
    AttachPainter(drawing.get());
    drawing_ = std::move(drawing);
}

const ChartGeometry* MZiWeiEx::geometry() const { return drawing_ ? &drawing_->geometry() : nullptr; }

void MZiWeiEx::FixSettings(const ChartSettings& settings) { fixedSettings_ = settings; }

ChartSettings MZiWeiEx::LoadSettings() const
{
    return fixedSettings_ ? *fixedSettings_ : ReadChartSettings(programFolder_);
}

bool MZiWeiEx::YearInRange(int storedYear)
{
    return storedYear >= HistoricalToStoredYear(kFirstHistoricalYear) && storedYear <= kLastYear;
}

bool MZiWeiEx::CastNatal(const ChartInput& input)
{
    input_ = input;
    chart_ = ChartData{};
    annual_ = AnnualData{};
    state_ = ChartState::None;
    settings_ = LoadSettings();
    if (!ConvertBirth()) return false;
    state_ = ChartState::Natal;
    highlighted_ = -1;

    ComputePillars();
    ComputePalaces(chart_, chartMonth_, input_.chartKind);
    if (painter_) {
        painter_->DrawFrame(view());
        painter_->DrawCentreBox(view());
    }
    PlaceStars(chart_, birthFacts(), settings_);
    FillNatalMarks(chart_, settings_, true);
    if (painter_) {
        painter_->DrawPalaceCells(view());
        painter_->DrawLinks(view(), LifeBranch(chart_));
    }
    return true;
}

bool MZiWeiEx::ConvertBirth()
{
    lastError_.clear();
    const MDateTime& entered = input_.birth;
    if (!YearInRange(entered.year)) {
        lastError_ = kLunarYearOutOfRange;
        return false;
    }
    if (input_.isLunar) {
        if (!FieldsInRange(entered) || entered.day > 30) {
            lastError_ = kNoSuchLunarDate;
            return false;
        }
        if (!calendar_.LunarToGregorian(entered, solarBirth_, input_.isLeap != 0, lastError_)) return false;
        if (!YearInRange(solarBirth_.year)) {
            lastError_ = kLunarYearOutOfRange;
            return false;
        }
    } else {
        if (!FieldsInRange(entered) || !calendar_.DateExists(entered)) {
            lastError_ = kNoSuchDate;
            return false;
        }
        solarBirth_ = entered;
    }
    clockBirth_ = solarBirth_;
    birthJd_ = calendar_.ToJulianDay(clockBirth_);
    if (settings_.idate != 0) calendar_.ApplyClockKind(input_.longitude, solarBirth_, ClockKind(settings_.idate));

    // The late 子 hour (23:xx) belongs to the next day unless zishi keeps it on its own.
    MDateTime day = solarBirth_;
    if (solarBirth_.hour == 23 && !settings_.zishi) calendar_.NextDay(day);
    if (!YearInRange(day.year)) {
        lastError_ = kConvertedYearOutOfRange;
        return false;
    }
    input_.isLeap = calendar_.GregorianToLunar(day, lunarBirth_) ? 1 : 0;
    return true;
}

void MZiWeiEx::ComputePillars()
{
    chartMonth_ = ComputeNatalPillars(chart_, lunarBirth_, input_.isLeap != 0,
                                      calendar_.DayCycleIndex(solarBirth_), settings_);
    // The bazi year and month change at the solar terms of the birth time as entered.
    chart_.baziYear = static_cast<int16_t>(calendar_.YearPillarIndex(clockBirth_));
    std::array<int16_t, 15> terms;
    chart_.baziMonth = static_cast<int16_t>(MYiDateEx::MonthPillarIndex(chart_.baziYear, calendar_.SolarMonth(clockBirth_, terms)));
}

bool MZiWeiEx::CastAnnual(const MDateTime& annualDate, uint8_t dailyHourly)
{
    if (state_ == ChartState::None) {
        lastError_ = kNoNatalChart;
        return false;
    }
    AnnualData annual{};
    annual.annualDate = annualDate;
    annual.dailyHourly = dailyHourly;
    const ChartSettings natalSettings = settings_;
    settings_ = LoadSettings();  // changed settings apply to the annual layers
    if (!ConvertAnnual(annual)) {
        settings_ = natalSettings;
        return false;
    }
    if (annual.annualJD <= birthJd_) {
        settings_ = natalSettings;
        lastError_ = kAnnualBeforeBirth;
        return false;
    }

    chart_.annualAge = static_cast<int16_t>(annual.annualLunar.year - lunarBirth_.year + 1);
    annual.annualPillar = static_cast<int16_t>(Mod(chart_.yearPillar + chart_.annualAge - 1, 60));
    annual.minorLimit = static_cast<int16_t>(MinorLimit(chart_, input_.isMale != 0));
    state_ = ChartState::Annual;
    annual.annualDouJun = static_cast<int16_t>(AnnualDouJun(annual.annualPillar, chartMonth_, chart_.hourPillar));
    annual.annualMonth = static_cast<int16_t>(
        ChartMonth(annual.annualLunar.month, annual.annualLeap != 0, annual.annualLunar.day, settings_.run));
    annual_ = annual;

    FillAnnualMarks(chart_, annual_, settings_);
    if (painter_) {
        painter_->DrawAnnualChart(view());
        painter_->DrawLinks(view(), BranchOf(annual_.annualPillar));
    }
    highlighted_ = -1;
    return true;
}

bool MZiWeiEx::ConvertAnnual(AnnualData& annual)
{
    lastError_.clear();
    if (!YearInRange(annual.annualDate.year) || !FieldsInRange(annual.annualDate) ||
        !calendar_.DateExists(annual.annualDate)) {
        lastError_ = kNoSuchDate;
        return false;
    }
    annual.annualJD = calendar_.ToJulianDay(annual.annualDate);
    if (settings_.idate != 0) calendar_.ApplyClockKind(input_.longitude, annual.annualDate, ClockKind(settings_.idate));

    MDateTime day = annual.annualDate;
    if (annual.annualDate.hour == 23 && !settings_.zishi) calendar_.NextDay(day);
    if (!YearInRange(day.year)) {
        lastError_ = kConvertedYearOutOfRange;
        return false;
    }
    annual.annualLeap = calendar_.GregorianToLunar(day, annual.annualLunar) ? 1 : 0;

    // The month has 30 days when the same lunar day comes back 30 days later.
    annual.monthLength = 29;
    if (annual.annualLunar.day == 30) {
        annual.monthLength = 30;
    } else {
        MDateTime later = calendar_.FromJulianDay(calendar_.ToJulianDay(day) + 30);
        MDateTime laterLunar;
        calendar_.GregorianToLunar(later, laterLunar);
        if (laterLunar.day == annual.annualLunar.day) annual.monthLength = 30;
    }
    return true;
}

void MZiWeiEx::CopyChart(ChartData& chart, ChartSettings& settings) const
{
    chart = chart_;
    settings = settings_;
}

void MZiWeiEx::GetClockBirth(MDateTime& t) const { t = clockBirth_; }

uint8_t MZiWeiEx::GetSaveFlag() const { return settings_.save; }
