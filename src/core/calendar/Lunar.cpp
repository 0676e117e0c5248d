#include "Lunar.h"

#include "Eph.h"
#include "Eph0.h"
#include "LunarData.h"
#include "LunarTables.h"
#include "Sexagenary.h"

#include <numeric>

namespace {

// From this JD (1960-01-01 12:00) on, the calendar follows the ephemeris.
constexpr double kPreciseFrom = 2436935;

// How far an estimate is pushed forward before it selects an event: half the spacing of terms,
// about half a lunation for new moons.
constexpr double kTermLead = 7;
constexpr double kNewMoonLead = 14;

constexpr double kDaysPerTerm = 365.2422 / 24;
constexpr double kSynodicMonth = 29.5306;

// Day of an event from the mean-value table: the last reckoning that started by `target`.
int32_t TabulatedDay(const MeanTable& table, double target)
{
    const MeanPeriod* use = &table.pairs.front();
    for (const MeanPeriod& pair : table.pairs)
        if (pair.start <= target) use = &pair;
    int32_t jd = int2(use->start + use->period * int2((target - use->start) / use->period) + 0.5);
    // The new moon of -103-01-23 by the mean value falls a day before the calendar of the time.
    if (jd == 1683460) jd++;
    return jd - static_cast<int32_t>(eph::kJ2000);
}

// Stretches of history whose months were numbered off the usual rule, by JD of the new moon.
struct MonthShift {
    int32_t firstJd;
    int32_t lastJd;
    int shift;  // added to the provisional month value
};
constexpr MonthShift kMonthShifts[] = {
    {1724360, 1729794, 1},  // Wang Mang, 9-01-15 .. 23-12-02: the year began a month earlier
    {1807724, 1808699, 1},  // Wei, 237-04-12 .. 239-12-13: the same
    {1999349, 1999467, 2},  // Tang Suzong, 761-12-02 .. 762-03-30: the year began at the solstice
};
// Empress Wu's reform (689-12-18 .. 700-11-15): the solstice month was 正月, then came 腊月
// (numbered 12) and 一月, which is numbered 1 as well.
constexpr int32_t kWuReformFirstJd = 1973067;
constexpr int32_t kWuReformLastJd = 1977052;
// The last months of the two shifted stretches were twelfth months.
constexpr int32_t kTwelfthMonthJds[] = {1729794, 1808699};

// The reckonings of Qin and early Han (-721 .. -104). A calendar year begins with the new moon
// found from `baseDay` plus whole months of the year's mean length; months are numbered from
// `shift`, and a thirteenth month gets the number `extra`.
struct QinHanReckoning {
    int fromYear;
    double baseDay;
    double phase;
    double monthsPerYear;
    int extra;
    int shift;
};
constexpr QinHanReckoning kQinHanReckonings[] = {
    {-721, -993847, 0.342, 12.368422, 13, 2},
    {-479, -905462, 0.5, 12.368422, 13, 2},
    {-220, -810904, 0.866, 12.369, 10, 11},  // Zhuanxu calendar: the year starts with month 10
};
constexpr int kQinHanFirstYear = -721;
constexpr int kQinHanLastYear = -104;

}  // namespace

template <typename Value>
const Value* SSQ_class::Memo<Value>::Find(double key) const
{
    for (const Slot& slot : entries)
        if (slot.used && slot.key == key) return &slot.value;
    return nullptr;
}

template <typename Value>
void SSQ_class::Memo<Value>::Store(double key, const Value& value)
{
    entries[next] = {true, key, value};
    next = (next + 1) % kSize;
}

SSQ_class::SSQ_class() : SSQ_class(StoredNewMoonCorrections(), StoredTermCorrections()) {}

SSQ_class::SSQ_class(std::string_view storedNewMoonText, std::string_view storedTermText)
    : newMoonCorrections_(DecodeCorrections(storedNewMoonText)), termCorrections_(DecodeCorrections(storedTermText))
{
}

std::string SSQ_class::DecodeCorrections(std::string_view encoded)
{
    std::array<std::string_view, 128> runs{};
    for (const CorrectionRun& run : kCorrectionRuns) runs[static_cast<unsigned char>(run.letter)] = run.digits;
    std::string decoded;
    decoded.reserve(encoded.size() * 4);
    for (const char c : encoded) {
        const auto code = static_cast<unsigned char>(c);
        if (code < runs.size() && !runs[code].empty())
            decoded += runs[code];
        else
            decoded += c;
    }
    return decoded;
}

// Estimates before the mean-value tables and from 1960 on go to the ephemeris; inside the
// tables the mean values decide; in between, the quick formula with its correction digit.
int32_t SSQ_class::EventDay(double estimate, std::string_view kind) const
{
    const bool term = kind == kTermKind;
    const MeanTable& table = term ? kTermMeans : kNewMoonMeans;
    const double lead = term ? kTermLead : kNewMoonLead;
    const double jd = estimate + eph::kJ2000;
    const double tablesFrom = table.pairs.front().start - lead;
    const double correctedFrom = table.end - lead;

    if (jd >= tablesFrom && jd < correctedFrom) return TabulatedDay(table, jd + lead);

    // Whole terms since the March equinox of 1999, or whole lunations since 2000-01-06.
    const double w = term ? int2((jd + lead - 2451259) / 365.2422 * 24) * eph::kPi / 12
                          : int2((jd + lead - 2451551) / kSynodicMonth) * eph::kTwoPi;
    if (jd < tablesFrom || jd >= kPreciseFrom)
        return int2((term ? TermTimeHigh(w) : NewMoonTimeHigh(w)) + 0.5);

    const int32_t day = int2((term ? TermTimeLow(w) : NewMoonTimeLow(w)) + 0.5);
    const std::string& corrections = term ? termCorrections_ : newMoonCorrections_;
    const int index = term ? int2((jd - correctedFrom) / 365.2422 * 24) : int2((jd - correctedFrom) / kSynodicMonth);
    const char digit = static_cast<size_t>(index) < corrections.size() ? corrections[index] : '0';
    if (digit == '1') return day + 1;
    if (digit == '2') return day - 1;
    return day;
}

int32_t SSQ_class::SolsticeDay(double estimate)
{
    if (const int32_t* day = solstices_.Find(estimate)) return *day;
    const int32_t day = EventDay(estimate, kTermKind);
    solstices_.Store(estimate, day);
    return day;
}

void SSQ_class::ComputeYear(int32_t d)
{
    // The December solstice on or before d: 355 days after J2000 is the solstice of 2000.
    double solstice = int2((d - 355 + 183) / 365.2422) * 365.2422 + 355;
    if (SolsticeDay(solstice) > d) solstice -= 365.2422;

    const YearLayout* year = years_.Find(solstice);
    if (!year) {
        years_.Store(solstice, LayOutYear(solstice));
        year = years_.Find(solstice);
    }
    LeapIndex = year->leapIndex;
    MonthNumbers = year->monthNumbers;
    Terms = year->terms;
    NewMoons = year->newMoons;
}

SSQ_class::YearLayout SSQ_class::LayOutYear(double solsticeEstimate) const
{
    YearLayout year;
    for (int i = 0; i < 25; ++i) year.terms[i] = EventDay(solsticeEstimate + 15.2184 * i, kTermKind);

    double newMoon = EventDay(year.terms[0], kNewMoonKind);
    if (newMoon > year.terms[0]) newMoon -= 29.53;
    for (int i = 0; i < 15; ++i) year.newMoons[i] = EventDay(newMoon + kSynodicMonth * i, kNewMoonKind);

    // The Gregorian year that the months after the solstice mostly belong to.
    const int yy = int2((year.terms[0] + 10 + 180) / 365.2422) + 2000;
    if (yy >= kQinHanFirstYear && yy <= kQinHanLastYear) {
        NumberQinHanMonths(year, yy);
        return year;
    }

    std::array<int, 14> value;
    std::iota(value.begin(), value.end(), 0);
    // Thirteen months between two solstice months: the first month without a principal term
    // (中气) is the leap month and repeats the number of the month before it.
    if (year.newMoons[13] <= year.terms[24]) {
        int i = 1;
        while (i < 13 && year.newMoons[i + 1] > year.terms[2 * i]) ++i;
        year.leapIndex = i;
        for (int j = i; j < 14; ++j) {
            value[j] -= 1;
            if (value[j] < 1) value[j] = 12;
        }
    }

    for (int i = 0; i < 14; ++i) {
        const int32_t jd = year.newMoons[i] + static_cast<int32_t>(eph::kJ2000);
        int number = kMonthNumberOf[value[i] % 12];
        for (const MonthShift& s : kMonthShifts)
            if (jd >= s.firstJd && jd <= s.lastJd) number = kMonthNumberOf[(value[i] + s.shift) % 12];
        if (jd >= kWuReformFirstJd && jd <= kWuReformLastJd && (value[i] % 12 == 0 || value[i] == 2)) number = 1;
        for (const int32_t twelfth : kTwelfthMonthJds)
            if (jd == twelfth) number = 12;
        year.monthNumbers[i] = number;
    }
    return year;
}

void SSQ_class::NumberQinHanMonths(YearLayout& year, int yy) const
{
    // Starts of the calendar years yy-1, yy and yy+1, with the reckoning in force for each.
    struct YearStart {
        int32_t day;
        const QinHanReckoning* reckoning;
    };
    std::array<YearStart, 3> starts;
    for (int k = 0; k < 3; ++k) {
        const int y = yy + k - 1;
        // The year before the first reckoning (-722) is counted back with the first one.
        const QinHanReckoning* r = &kQinHanReckonings[0];
        for (const QinHanReckoning& candidate : kQinHanReckonings)
            if (y >= candidate.fromYear) r = &candidate;
        const double estimate = r->baseDay + kSynodicMonth * int2(r->phase + (y - r->fromYear) * r->monthsPerYear);
        starts[k] = {EventDay(estimate, kNewMoonKind), r};
    }
    year.leapIndex = 0;
    for (int i = 0; i < 14; ++i) {
        int k = 2;
        while (k > 0 && year.newMoons[i] < starts[k].day) --k;
        const QinHanReckoning& r = *starts[k].reckoning;
        const int m = int2((year.newMoons[i] - starts[k].day + 15) / kSynodicMonth);
        year.monthNumbers[i] = m < 12 ? kMonthNumberOf[Mod(m + r.shift, 12)] : r.extra;
    }
}
