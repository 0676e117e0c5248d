// Builds the sun and moon series of the calendar engine from the published theories.
//
//   eph0_tables_gen DATA_DIR TABLES_CPP REFERENCE_TSV [--density K]
//
// DATA_DIR holds vsop87/VSOP87D.ear (VSOP87, version D) and elpmpp02/elp_* (ELP/MPP02).
// TABLES_CPP receives the truncated series (committed as src/core/calendar/Eph0Tables.cpp);
// REFERENCE_TSV the longitudes of the full, untruncated series at sample instants (committed as
// tests/data/eph0_full_series.tsv), against which the tests measure the truncation. --density
// multiplies the number of samples, for a finer measurement outside the test suite.
//
// Before writing anything the generator checks its evaluation of the full series against
// values published with the theories, so a misread column cannot slip into the tables.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerArcsec = kPi / 648000;

[[noreturn]] void Fail(const std::string& message)
{
    std::cerr << "eph0_tables_gen: " << message << '\n';
    std::exit(1);
}

double ParseNumber(std::string_view text, const std::string& where)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\r')) text.remove_suffix(1);
    double v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || ptr != text.data() + text.size())
        Fail("not a number in " + where + ": '" + std::string(text) + "'");
    return v;
}

double Arcsec(int degrees, int minutes, double seconds) { return degrees * 3600.0 + minutes * 60.0 + seconds; }

// ---------------------------------------------------------------------------------------------
// VSOP87D, Earth: L, B, R, each as series in powers of tau (Julian millennia of TDB from J2000).

struct VsopTerm {
    double a;  // amplitude (rad, or AU for R)
    double b;  // phase (rad)
    double c;  // frequency (rad per millennium)
};
using VsopSeries = std::array<std::array<std::vector<VsopTerm>, 6>, 3>;  // [coordinate][power]

// The catalogue's fixed-column record: column 4 the coordinate (1..3), column 5 the power,
// columns 80-97 A, 98-111 B, 112-131 C. Block headers carry the coordinate in column 42, the
// power in column 60 and the number of terms in columns 61-67.
VsopSeries ReadVsop(const fs::path& file)
{
    std::ifstream in(file);
    if (!in) Fail("cannot open " + file.string());
    VsopSeries series;
    int declared[3][6] = {};
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const std::string where = file.filename().string() + ":" + std::to_string(lineNumber);
        if (line.size() < 131) Fail("short record at " + where);
        if (line.compare(1, 6, "VSOP87") == 0) {
            const int c = line[41] - '1';
            const int k = line[59] - '0';
            if (c < 0 || c > 2 || k < 0 || k > 5) Fail("bad block header at " + where);
            declared[c][k] = static_cast<int>(ParseNumber(std::string_view(line).substr(60, 7), where));
            continue;
        }
        const int c = line[3] - '1';
        const int k = line[4] - '0';
        if (c < 0 || c > 2 || k < 0 || k > 5) Fail("bad coordinate or power at " + where);
        const std::string_view v(line);
        series[c][k].push_back({ParseNumber(v.substr(79, 18), where), ParseNumber(v.substr(97, 14), where),
                                ParseNumber(v.substr(111, 20), where)});
    }
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 6; ++k)
            if (static_cast<int>(series[c][k].size()) != declared[c][k])
                Fail("term count differs from its block header in " + file.string());
    return series;
}

double EvaluateVsop(const std::array<std::vector<VsopTerm>, 6>& coordinate, double tau)
{
    double sum = 0;
    double power = 1;
    for (const auto& sub : coordinate) {
        double s = 0;
        for (const VsopTerm& t : sub) s += t.a * std::cos(t.b + t.c * tau);
        sum += s * power;
        power *= tau;
    }
    return sum;
}

// ---------------------------------------------------------------------------------------------
// ELP/MPP02 with the constants fitted to DE405/DE406.

// A polynomial in T (Julian centuries of TDB from J2000), coefficients of T^0..T^4 in radians.
struct Poly {
    std::array<double, 5> c{};

    static Poly Arcsec(std::array<double, 5> arcsec)
    {
        Poly p;
        for (int i = 0; i < 5; ++i) p.c[i] = arcsec[i] * kRadPerArcsec;
        return p;
    }
    Poly operator+(const Poly& o) const
    {
        Poly p;
        for (int i = 0; i < 5; ++i) p.c[i] = c[i] + o.c[i];
        return p;
    }
    Poly operator-(const Poly& o) const
    {
        Poly p;
        for (int i = 0; i < 5; ++i) p.c[i] = c[i] - o.c[i];
        return p;
    }
    double operator()(double t) const { return c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * c[4]))); }
};

// Corrections of the DE405/DE406 fit, arcseconds and arcseconds per century^n.
struct ElpFit {
    double w1[5] = {-0.07008, -0.35106, -0.03743, -0.00018865, -0.00001024};
    double w2[4] = {0.20794, 0.08017, 0.00470602, -0.00025213};
    double w3[4] = {-0.07215, -0.04317, -0.00261070, -0.00010712};
    double gamma = 0.00085;
    double e = -0.00006;
    double earth0 = -0.00033;
    double earth1 = 0.00732;
    double perihelion = -0.00749;
    double ep = 0.00224;
};

struct ElpModel {
    std::array<Poly, 13> args;  // D, F, l, l', Me, Ve, EM, Ma, Ju, Sa, Ur, Ne, zeta
    Poly w1;                    // mean longitude of the moon, from the departure point
    // Factors of the main-problem amplitude corrections: A~ = A + sum fB_j B_j (fA A for distance).
    double fA = 1;
    std::array<double, 5> fB{};
};

ElpModel BuildElpModel()
{
    const ElpFit fit;
    const double m = 0.074801329;      // n'/nu
    const double alpha = 0.002571881;  // a0/a'
    const double b2[5] = {0.311079095, -0.004482398, -0.001102485, 0.001056062, 0.000050928};
    const double b3[5] = {-0.103837907, 0.000668287, -0.001298072, -0.000178028, -0.000037342};
    const double w1Rate = 1732559343.73604 + fit.w1[1];
    const double w2Rate = 14643420.3171 + fit.w2[1];
    const double w3Rate = -6967919.5383 + fit.w3[1];
    const double dNu = 0.55604 + fit.w1[1];
    const double dGamma = -0.08066 + fit.gamma;
    const double dE = 0.01789 + fit.e;
    const double dEp = -0.12879 + fit.ep;
    const double dNp = -0.0642 + fit.earth1;
    const double x = 2 * alpha / (3 * m);

    // Rate corrections of W2 and W3 that follow from the fitted constants.
    auto rateCorrection = [&](const double* b, double rate) {
        const double y = b[0] + x * b[4];
        return (rate / w1Rate - m * y) * fit.w1[1] + y * fit.earth1 +
               w1Rate * (b[1] * fit.gamma + b[2] * fit.e + b[3] * fit.ep) * kRadPerArcsec;
    };
    const double dW2 = rateCorrection(b2, w2Rate);
    const double dW3 = rateCorrection(b3, w3Rate);

    ElpModel model;
    model.fA = 1 - 2 * dNu / (3 * w1Rate);
    model.fB[0] = (dNp - m * dNu) / w1Rate;
    model.fB[1] = dGamma * kRadPerArcsec;
    model.fB[2] = dE * kRadPerArcsec;
    model.fB[3] = dEp * kRadPerArcsec;
    model.fB[4] = x * (dNp - m * dNu) / w1Rate;

    const Poly w1 = Poly::Arcsec({Arcsec(218, 18, 59.95571) + fit.w1[0], w1Rate, -6.8084 + fit.w1[2],
                                  0.006604 + fit.w1[3], -0.00003169 + fit.w1[4]});
    const Poly w2 = Poly::Arcsec({Arcsec(83, 21, 11.67475) + fit.w2[0], w2Rate + dW2, -38.2631 + fit.w2[2],
                                  -0.045047 + fit.w2[3], 0.00021301});
    const Poly w3 = Poly::Arcsec({Arcsec(125, 2, 40.39816) + fit.w3[0], w3Rate + dW3, 6.359 + fit.w3[2],
                                  0.007625 + fit.w3[3], -0.00003586});
    const Poly ea = Poly::Arcsec({Arcsec(100, 27, 59.13885) + fit.earth0, 129597742.293 + fit.earth1, -0.0202,
                                  9e-6, 1.5e-7});
    const Poly perihelion = Poly::Arcsec(
        {Arcsec(102, 56, 14.45766) + fit.perihelion, 1161.24342, 0.529265, -1.1814e-4, 1.1379e-5});
    auto linear = [](double arcsec0, double rate) { return Poly::Arcsec({arcsec0, rate, 0, 0, 0}); };

    model.w1 = w1;
    model.args = {w1 - ea + Poly::Arcsec({648000, 0, 0, 0, 0}),
                  w1 - w3,
                  w1 - w2,
                  ea - perihelion,
                  linear(Arcsec(252, 15, 3.216919), 538101628.66888),
                  linear(Arcsec(181, 58, 44.758419), 210664136.45777),
                  linear(Arcsec(100, 27, 59.13885), 129597742.293),
                  linear(Arcsec(355, 26, 3.642778), 68905077.65936),
                  linear(Arcsec(34, 21, 5.379392), 10925660.57335),
                  linear(Arcsec(50, 4, 38.902495), 4399609.33632),
                  linear(Arcsec(314, 3, 4.354234), 1542482.57845),
                  linear(Arcsec(304, 20, 56.808371), 786547.897),
                  w1 + linear(0, 5028.79695)};
    return model;
}

// One term of the theory: A times the sine (cosine for the distance of the main problem) of
// phase0 + sum of multipliers times arguments, times T^power.
struct ElpTerm {
    std::array<int, 13> mult{};
    double a = 0;       // radians for longitude and latitude, km for distance
    double phase0 = 0;  // radians
    bool cosine = false;
};

enum ElpCoordinate { kLongitude, kLatitude, kDistance };
const char* const kElpNames[3] = {"long", "lat", "dist"};
constexpr int kElpPowers[3] = {4, 3, 4};  // perturbation files per coordinate: T0..T3, T0..T2, T0..T3

// ElpTerms[coordinate][power]; the main problem is part of power 0.
using ElpSeries = std::array<std::array<std::vector<ElpTerm>, 4>, 3>;

std::vector<std::vector<double>> ReadColumns(const fs::path& file, size_t columns)
{
    std::ifstream in(file);
    if (!in) Fail("cannot open " + file.string());
    std::string line;
    if (!std::getline(in, line)) Fail("empty file " + file.string());
    const long declared = std::lround(ParseNumber(line, file.string() + ":1"));
    std::vector<std::vector<double>> rows;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        const std::string where = file.filename().string() + ":" + std::to_string(rows.size() + 2);
        std::istringstream words(line);
        std::vector<double> row;
        std::string word;
        while (words >> word) row.push_back(ParseNumber(word, where));
        if (row.size() != columns) Fail("expected " + std::to_string(columns) + " columns at " + where);
        rows.push_back(std::move(row));
    }
    if (static_cast<long>(rows.size()) != declared) Fail("term count differs from the first line of " + file.string());
    return rows;
}

ElpSeries ReadElp(const fs::path& folder, const ElpModel& model)
{
    // The distance is scaled from the theory's lunar mean distance to that of DE405.
    const double distanceScale = 384747.961370173 / 384747.980674318;
    ElpSeries series;
    for (int c = 0; c < 3; ++c) {
        const double scale = c == kDistance ? distanceScale : 1.0;
        for (const auto& row : ReadColumns(folder / (std::string("elp_main.") + kElpNames[c]), 11)) {
            ElpTerm t;
            for (int i = 0; i < 4; ++i) t.mult[i] = static_cast<int>(row[i]);
            double a = c == kDistance ? model.fA * row[4] : row[4];
            for (int j = 0; j < 5; ++j) a += model.fB[j] * row[5 + j];
            t.a = a * scale;
            t.cosine = c == kDistance;
            series[c][0].push_back(t);
        }
        for (int k = 0; k < kElpPowers[c]; ++k) {
            const fs::path file = folder / ("elp_pert." + std::string(kElpNames[c]) + "T" + std::to_string(k));
            for (const auto& row : ReadColumns(file, 15)) {
                ElpTerm t;
                for (int i = 0; i < 13; ++i) t.mult[i] = static_cast<int>(row[i]);
                t.a = row[13] * scale;
                t.phase0 = row[14];
                series[c][k].push_back(t);
            }
        }
    }
    return series;
}

Poly ComposeArgument(const ElpTerm& t, const ElpModel& model)
{
    Poly p;
    p.c[0] = t.phase0;
    for (int i = 0; i < 13; ++i)
        for (int j = 0; j < 5; ++j) p.c[j] += t.mult[i] * model.args[i].c[j];
    return p;
}

// Sum of one coordinate's series, every term, with the arguments evaluated at T.
double EvaluateElp(const std::array<std::vector<ElpTerm>, 4>& coordinate, const ElpModel& model, double t)
{
    std::array<double, 13> args;
    for (int i = 0; i < 13; ++i) args[i] = model.args[i](t);
    double sum = 0;
    double power = 1;
    for (const auto& sub : coordinate) {
        double s = 0;
        for (const ElpTerm& term : sub) {
            double phase = term.phase0;
            for (int i = 0; i < 13; ++i)
                if (term.mult[i] != 0) phase += term.mult[i] * args[i];
            s += term.a * (term.cosine ? std::cos(phase) : std::sin(phase));
        }
        sum += s * power;
        power *= t;
    }
    return sum;
}

// ---------------------------------------------------------------------------------------------
// Checks against values published with the theories.

void CheckVsop(const VsopSeries& earth)
{
    // Bretagnon & Francou's check file, Earth in VSOP87D at JD 2451545.0.
    const double expected[3] = {1.7519238681, -0.0000039656, 0.9833276819};
    for (int c = 0; c < 3; ++c) {
        const double v = EvaluateVsop(earth[c], 0.0);
        if (std::abs(v - expected[c]) > 1e-10) Fail("VSOP87D check failed for coordinate " + std::to_string(c));
    }
}

void CheckElp(const ElpSeries& moon, const ElpModel& model)
{
    // Geocentric rectangular coordinates of the moon, ecliptic and equinox of J2000 (km), DE405
    // fit, as published with the reformatted coefficients (Liu, notes section 1.6).
    struct Case {
        double jd, x, y, z;
    };
    const Case cases[] = {
        {2521835.67, -184108.21468, 345893.25529, 30395.06868},
        {2265621.33, -298024.37832, -213909.67132, -23263.21426},
        {2009406.99, 350041.24745, -201093.28987, 1643.33539},
        {1753192.65, 90272.39894, 351997.39617, 13417.01712},
        {1496978.31, -403018.01560, -2639.93889, -28463.89733},
    };
    for (const Case& c : cases) {
        const double t = (c.jd - 2451545.0) / 36525.0;
        const double v = model.w1(t) + EvaluateElp(moon[kLongitude], model, t);
        const double u = EvaluateElp(moon[kLatitude], model, t);
        const double r = EvaluateElp(moon[kDistance], model, t);
        // Rotation from the ecliptic of date to that of J2000.
        const double p =
            t * (0.10180391e-4 + t * (0.47020439e-6 + t * (-0.5417367e-9 + t * (-0.2507948e-11 + t * 0.463486e-14))));
        const double q =
            t * (-0.113469002e-3 + t * (0.12372674e-6 + t * (0.1265417e-8 + t * (-0.1371808e-11 - t * 0.320334e-14))));
        const double x1 = r * std::cos(v) * std::cos(u);
        const double x2 = r * std::sin(v) * std::cos(u);
        const double x3 = r * std::sin(u);
        const double s = std::sqrt(1 - p * p - q * q);
        const double x = (1 - 2 * p * p) * x1 + 2 * p * q * x2 + 2 * p * s * x3;
        const double y = 2 * p * q * x1 + (1 - 2 * q * q) * x2 - 2 * q * s * x3;
        const double z = -2 * p * s * x1 + 2 * q * s * x2 + (1 - 2 * p * p - 2 * q * q) * x3;
        if (std::abs(x - c.x) > 1e-3 || std::abs(y - c.y) > 1e-3 || std::abs(z - c.z) > 1e-3) {
            char text[200];
            std::snprintf(text, sizeof text, "ELP/MPP02 check failed at JD %.2f: %.5f %.5f %.5f", c.jd, x, y, z);
            Fail(text);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Output.

// v with `decimals` places, without trailing zeros.
std::string Fixed(double v, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    return s;
}

std::string Significant(double v, int digits)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, v);
    return text;
}

// Terms kept per power; the largest terms of each sub-series.
constexpr int kEarthKept[3][6] = {{186, 114, 60, 8, 4, 4}, {23, 3, 1, 0, 0, 0}, {236, 142, 85, 5, 9, 2}};
constexpr int kMoonKept[3][4] = {{442, 149, 34, 2}, {206, 45, 12, 0}, {221, 52, 12, 0}};
constexpr double kEarthScale = 1e10;

template <typename T, typename Amplitude>
std::vector<T> Largest(std::vector<T> terms, int count, Amplitude amplitude)
{
    std::stable_sort(terms.begin(), terms.end(),
                     [&](const T& a, const T& b) { return std::abs(amplitude(a)) > std::abs(amplitude(b)); });
    if (static_cast<int>(terms.size()) > count) terms.resize(count);
    return terms;
}

// Positions of the sub-series in the stored array: after the scale, the starts and the end.
std::vector<int> Positions(const std::vector<size_t>& counts, int numbersPerTerm)
{
    std::vector<int> positions;
    int p = 1 + static_cast<int>(counts.size()) + 1;
    for (size_t n : counts) {
        positions.push_back(p);
        p += static_cast<int>(n) * numbersPerTerm;
    }
    positions.push_back(p);
    return positions;
}

void WriteHeaderRow(std::ostream& out, const std::vector<int>& positions)
{
    out << "   ";
    for (int p : positions) out << ' ' << p << ',';
    out << '\n';
}

void WriteEarth(std::ostream& out, const VsopSeries& earth)
{
    const char names[3] = {'L', 'B', 'R'};
    std::vector<std::vector<VsopTerm>> kept;
    std::vector<size_t> counts;
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 6; ++k) {
            kept.push_back(Largest(earth[c][k], kEarthKept[c][k], [](const VsopTerm& t) { return t.a; }));
            counts.push_back(kept.back().size());
        }
    out << "// The Earth in VSOP87, version D: heliocentric longitude L, latitude B (rad) and radius R (AU),\n"
           "// ecliptic and equinox of date, each as six series in powers of tau = Julian millennia of TT\n"
           "// from J2000. A term is amplitude (scaled by 1e10), phase (rad), frequency (rad per\n"
           "// millennium); its value is amplitude * cos(phase + frequency * tau).\n"
           "const double kEarthSeries[] = {\n"
           "    1e10,\n"
           "    // starts of L0..L5, B0..B5, R0..R5 and the end, counting numbers of this array\n";
    WriteHeaderRow(out, Positions(counts, 3));
    for (size_t s = 0; s < kept.size(); ++s) {
        if (kept[s].empty()) continue;
        out << "    // " << names[s / 6] << " * tau^" << s % 6 << ": " << kept[s].size() << " of "
            << earth[s / 6][s % 6].size() << " terms\n";
        for (const VsopTerm& t : kept[s])
            out << "    " << Fixed(std::round(t.a * kEarthScale), 0) << ", " << Fixed(t.b, 11) << ", "
                << Fixed(t.c, 11) << ",\n";
    }
    out << "};\n";
}

// A term in the stored form: amplitude * cos(phase + w1 t + w2 1e-4 t^2 + w3 1e-8 t^3 + w4 1e-8 t^4).
struct MoonTerm {
    double a, phase, w1, w2, w3, w4;
};

MoonTerm ToMoonTerm(const ElpTerm& t, const ElpModel& model, bool angle)
{
    const Poly p = ComposeArgument(t, model);
    MoonTerm m;
    m.a = angle ? t.a / kRadPerArcsec : t.a;
    // sin x = cos(x - pi/2); a negative amplitude turns into a half turn of phase.
    double phase = p.c[0] - (t.cosine ? 0 : kPi / 2);
    if (m.a < 0) {
        m.a = -m.a;
        phase += kPi;
    }
    phase = std::fmod(phase, 2 * kPi);
    if (phase < 0) phase += 2 * kPi;
    m.phase = phase;
    m.w1 = p.c[1];
    m.w2 = p.c[2] * 1e4;
    m.w3 = p.c[3] * 1e8;
    m.w4 = p.c[4] * 1e8;
    return m;
}

void WriteMoon(std::ostream& out, const ElpSeries& moon, const ElpModel& model)
{
    const char* const names[3] = {"longitude", "latitude", "distance"};
    std::vector<std::vector<MoonTerm>> kept;
    std::vector<size_t> counts;
    std::vector<size_t> available;
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 4; ++k) {
            std::vector<MoonTerm> terms;
            for (const ElpTerm& t : moon[c][k]) terms.push_back(ToMoonTerm(t, model, c != kDistance));
            available.push_back(terms.size());
            kept.push_back(Largest(terms, kMoonKept[c][k], [](const MoonTerm& t) { return t.a; }));
            counts.push_back(kept.back().size());
        }
    out << "// The moon from ELP/MPP02 with the constants fitted to DE405: geocentric longitude and\n"
           "// latitude (arcseconds) and distance (km) on the ecliptic of date, main problem and\n"
           "// perturbations, each as four series in powers of t = Julian centuries of TT from J2000.\n"
           "// The mean longitude and the precession are not in the series. A term is amplitude,\n"
           "// phase (rad), w1 (rad per century), w2, w3, w4; its value is\n"
           "// amplitude * cos(phase + w1 t + w2 1e-4 t^2 + w3 1e-8 t^3 + w4 1e-8 t^4).\n"
           "const double kMoonSeries[] = {\n"
           "    1,\n"
           "    // starts of longitude t^0..t^3, latitude t^0..t^3, distance t^0..t^3 and the end\n";
    WriteHeaderRow(out, Positions(counts, 6));
    for (size_t s = 0; s < kept.size(); ++s) {
        if (kept[s].empty()) continue;
        out << "    // " << names[s / 4] << " * t^" << s % 4 << ": " << kept[s].size() << " of " << available[s]
            << " terms\n";
        for (const MoonTerm& t : kept[s])
            out << "    " << Significant(t.a, 10) << ", " << Fixed(t.phase, 10) << ", " << Fixed(t.w1, 10) << ", "
                << Fixed(t.w2, 10) << ", " << Fixed(t.w3, 8) << ", " << Fixed(t.w4, 8) << ",\n";
    }
    out << "};\n";
}

void WriteTables(const fs::path& file, const VsopSeries& earth, const ElpSeries& moon, const ElpModel& model)
{
    std::ofstream out(file, std::ios::binary);
    if (!out) Fail("cannot write " + file.string());
    out << "// Generated by tools/Eph0TablesGen.cpp from the published series VSOP87 (Bretagnon & Francou,\n"
           "// 1988; file VSOP87D.ear) and ELP/MPP02 (Chapront & Francou, 2003). Do not edit: run the\n"
           "// generator again.\n"
           "#include \"Eph0Series.h\"\n\n";
    WriteEarth(out, earth);
    out << '\n';
    WriteMoon(out, moon, model);
    if (!out.flush()) Fail("cannot write " + file.string());
}

// Sample instants, JD of TT: evenly spread over 1800-2200, where the calendar matters most,
// and more sparsely over the years -4000..3000. Each is the value its printed form reads back as.
std::vector<double> SampleInstants(int density)
{
    std::vector<double> jds;
    auto spread = [&](double first, double last, int n) {
        for (int i = 0; i < n; ++i) {
            char text[32];
            std::snprintf(text, sizeof text, "%.5f", first + (last - first) * (i + 0.5) / n);
            jds.push_back(ParseNumber(text, "sample instant"));
        }
    };
    const double jd1800 = 2378496.5;
    const double jd2200 = 2524593.5;
    spread(jd1800, jd2200, 3000 * density);
    spread(2451545.0 - 6000 * 365.25, 2451545.0 + 1000 * 365.25, 1400 * density);
    return jds;
}

void WriteReference(const fs::path& file, const VsopSeries& earth, const ElpSeries& moon, const ElpModel& model,
                    int density)
{
    std::ofstream out(file, std::ios::binary);
    if (!out) Fail("cannot write " + file.string());
    out << "# Longitudes from the full published series, every term, for measuring the truncation of the\n"
           "# stored tables. Generated by tools/Eph0TablesGen.cpp; do not edit.\n"
           "# jd_tt: Julian day of Terrestrial Time.\n"
           "# earth_l: heliocentric longitude of the Earth, VSOP87D, ecliptic and equinox of date (rad).\n"
           "# moon_v: geocentric longitude of the moon, ELP/MPP02 with the DE405 fit: the mean longitude W1\n"
           "#   plus every main-problem and perturbation term, on the ecliptic of date measured from the\n"
           "#   theory's departure point (add the precession in longitude for the equinox of date) (rad).\n"
           "jd_tt\tearth_l\tmoon_v\n";
    for (double jd : SampleInstants(density)) {
        const double t = (jd - 2451545.0) / 36525.0;
        const double l = EvaluateVsop(earth[0], t / 10);
        const double v = model.w1(t) + EvaluateElp(moon[kLongitude], model, t);
        out << Fixed(jd, 5) << '\t' << Fixed(l, 10) << '\t' << Fixed(v, 10) << '\n';
    }
    if (!out.flush()) Fail("cannot write " + file.string());
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> positional;
    int density = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--density" && i + 1 < argc) {
            density = std::atoi(argv[++i]);
            if (density < 1) Fail("--density needs a whole number of at least 1");
        } else {
            positional.push_back(word);
        }
    }
    if (positional.size() != 3) {
        std::cerr << "usage: eph0_tables_gen DATA_DIR TABLES_CPP REFERENCE_TSV [--density K]\n";
        return 2;
    }
    const fs::path data = positional[0];
    const VsopSeries earth = ReadVsop(data / "vsop87" / "VSOP87D.ear");
    const ElpModel model = BuildElpModel();
    const ElpSeries moon = ReadElp(data / "elpmpp02", model);
    CheckVsop(earth);
    CheckElp(moon, model);
    WriteTables(positional[1], earth, moon, model);
    WriteReference(positional[2], earth, moon, model, density);
    return 0;
}
