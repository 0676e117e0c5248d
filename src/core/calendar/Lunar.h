#pragma once
// New moons, solar terms and the layout of one lunar year (SSQ_class), and the historical era
// names of a year (obb_class).
//
// Day numbers count civil days of Beijing time from 2000-01-01 (day number 0); a day count is
// the same scale with a fraction (0.5 is noon of 2000-01-01 in Beijing). Before 1960 the days
// follow the history of the Chinese calendar: tabulated mean values for ancient dates, a quick
// formula corrected day by day for 619/1645..1959, the ephemeris for all other dates.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct EraRecord;

// Kind texts of SSQ_class::EventDay.
inline constexpr std::string_view kTermKind = "气";
inline constexpr std::string_view kNewMoonKind = "朔";

class SSQ_class {
public:
    // Uses the correction texts compiled into the program.
    SSQ_class();
    // Uses the given stored (encoded or plain digit) correction texts. A text shorter than its
    // era leaves the events past its end uncorrected.
    SSQ_class(std::string_view storedNewMoonText, std::string_view storedTermText);

    // Expands the run letters of a stored correction text into digits ("J" -> "00",
    // "A" -> 60 zeros, ...). Every other character is kept as it is.
    static std::string DecodeCorrections(std::string_view encoded);

    // Quick formulas of the corrected era. w is the accumulated target angle in radians: for
    // new moons the moon-sun elongation (2*pi a lunation, 0 at the new moon of 2000-01-06), for
    // terms the sun's longitude (2*pi a year, 0 at the March equinox of 1999). Result: day count
    // of the event in Beijing time, with the era's parabolic Delta T.
    static double NewMoonTimeLow(double w);
    static double TermTimeLow(double w);

    // The same from the ephemeris: the quick solvers, and the precise ones when the quick result
    // lies within 30 minutes (new moons) or 20 minutes (terms) of Beijing midnight.
    static double NewMoonTimeHigh(double w);
    static double TermTimeHigh(double w);

    // Day number of the new moon (kind "朔", or any text but "气") or solar term (kind "气")
    // that an estimate selects: the event nearest to the estimate (a day count) when the
    // estimate is within a few days of one. Uses the rule of the estimate's era.
    int32_t EventDay(double estimate, std::string_view kind) const;

    // Lays out the lunar year that contains day number d: the 25 terms from the December
    // solstice on or before d, the 15 new moons from the one on or before that solstice, the
    // month numbers and the leap month. Results stay until the next call.
    void ComputeYear(int32_t d);

    // The decoded correction texts ("0" keep, "1" one day later, "2" one day earlier), one
    // character per event of the corrected era. Fixed at construction.
    const std::string& NewMoonCorrections() const { return newMoonCorrections_; }
    const std::string& TermCorrections() const { return termCorrections_; }

    // The year laid out by the last ComputeYear. Month i runs from NewMoons[i] to
    // NewMoons[i+1] - 1; month 0 holds the December solstice Terms[0].
    int32_t LeapIndex = 0;                  // index 1..13 of the leap month, 0 for none
    std::array<int32_t, 14> MonthNumbers{};  // 1..12 (13 and a repeated 10 before 104 BC)
    std::array<int32_t, 25> Terms{};         // day numbers of 25 terms, Terms[0] a 冬至
    std::array<int32_t, 15> NewMoons{};      // day numbers of 15 new moons

private:
    struct YearLayout {
        int32_t leapIndex = 0;
        std::array<int32_t, 14> monthNumbers{};
        std::array<int32_t, 25> terms{};
        std::array<int32_t, 15> newMoons{};
    };
    // EventDay is costly (an ephemeris solution per event) and callers convert day after day,
    // so the last few solstices and year layouts are remembered, keyed by the exact estimate
    // they were computed from; the results are the same as computing them again.
    template <typename Value>
    struct Memo {
        static constexpr size_t kSize = 4;
        struct Slot {
            bool used = false;
            double key = 0;
            Value value{};
        };
        std::array<Slot, kSize> entries{};
        size_t next = 0;
        const Value* Find(double key) const;
        void Store(double key, const Value& value);
    };

    int32_t SolsticeDay(double estimate);
    YearLayout LayOutYear(double solsticeEstimate) const;
    void NumberQinHanMonths(YearLayout& year, int yy) const;

    std::string newMoonCorrections_;
    std::string termCorrections_;
    Memo<int32_t> solstices_;
    Memo<YearLayout> years_;
};

// Historical era names of a year.
class obb_class {
public:
    struct EraYear {
        const EraRecord* era;
        int yearOfEra;  // 1 for the era's first year
    };
    // Every era that covers the stored year y, in table order; none before -2069.
    std::vector<EraYear> Eras(int y) const;

    // The same as text: "[dynasty] ruler name era<n>年", separated by "；".
    std::string EraNames(int y) const;
};
