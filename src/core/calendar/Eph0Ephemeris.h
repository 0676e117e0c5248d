#pragma once
// Sun and moon ephemeris: apparent geocentric ecliptic longitudes of date, their difference
// and rates, the instants at which they reach given values, the equation of time and ΔT.
// Unless said otherwise, t is Julian centuries of Terrestrial Time from J2000.0,
// t = (JD_TT - 2451545) / 36525, and angles are radians (with the calendar's pi, eph::kPi).
// The series are truncated VSOP87D (the Earth) and ELP/MPP02 (the moon); a term budget n
// trades accuracy for speed, and a negative budget evaluates every stored term. With every
// stored term the truncation keeps the sun within 1″ and the moon within 5″ of the full
// series from 1800 to 2200 (0.5″ and 1.5″ from -4000 to 3000).
// All functions are pure and safe from any thread.

// The angle x reduced to [0, 2 pi).
double NormalizeAngle(double x);

// The angle x reduced to (-pi, pi].
double NormalizeSignedAngle(double x);

struct EclipticPosition {
    double longitude = 0;  // rad
    double latitude = 0;   // rad
    double radius = 0;     // any unit; copied unchanged
};

struct EquatorialPosition {
    double rightAscension = 0;  // rad, [0, 2 pi)
    double declination = 0;     // rad
    double radius = 0;
};

// Equatorial coordinates of an ecliptic position for the obliquity of the ecliptic (rad).
EquatorialPosition EclipticToEquatorial(const EclipticPosition& p, double obliquity);

// ΔT = TT - UT in seconds for a year given as a real number (2000.5 is mid-2000). Fitted
// cubics from -4000 to 2005, yearly measured and predicted values to 2200, a parabola beyond
// 2300 and a blend between; years before -4000 extrapolate the first row.
double DeltaT(double year);

// ΔT in days for a day count d from J2000.0 (days of UT; TT differs too little to matter).
double DeltaTDays(double d);

// Mean obliquity of the ecliptic of date, rad (IAU 2006 polynomial); t in centuries TT.
double MeanObliquity(double t);

// Nutation in longitude, rad, from the ten largest terms (about 0.1″); t in centuries TT.
double NutationInLongitude(double t);

// Annual aberration of the sun in longitude, rad (about -20.5″); t in centuries TT.
double SunAberration(double t);

// Aberration of the moon in longitude, rad: the constant -3.4e-6 (about -0.7″).
double MoonAberration();

// Heliocentric ecliptic longitude of the Earth, of date, rad (not reduced to one turn), from
// about n terms of the VSOP87 series spread over its powers; n < 0 uses all stored terms.
// t in centuries TT; valid for some millennia around J2000.
double EarthLongitude(double t, int n);

// Geocentric ecliptic longitude of the moon, of date, rad (not reduced to one turn), from
// about n terms of the main power of the ELP/MPP02 series (the others in proportion); n < 0
// uses all stored terms. t in centuries TT; valid for some millennia around J2000.
double MoonLongitude(double t, int n);

// Apparent geocentric longitude of the sun (nutation and aberration included), rad, not
// reduced; n is the Earth's term budget. t in centuries TT.
double SunApparentLongitude(double t, int n);

// Apparent longitude of the moon minus that of the sun, rad, not reduced (nutation cancels).
// nM and nE are the term budgets of the moon and the Earth. t in centuries TT.
double MoonSunElongation(double t, int nM, int nE);

// Rate of the sun's longitude, rad per century, good to about 0.1 %; t in centuries TT.
double SunLongitudeRate(double t);

// Rate of the moon's longitude, rad per century, good to about 0.5 %; t in centuries TT.
double MoonLongitudeRate(double t);

// The instant (centuries TT) at which the sun's apparent longitude is w. Whole turns in w
// choose the passage: w = 0 is the March equinox of 1999, w = 2 pi that of 2000. Precise: the
// last step uses every stored term and leaves that series within 0.02″ of w from 1800 to 2200
// (0.05″ from -4000 to 3000).
double TimeOfSunLongitude(double w);

// As TimeOfSunLongitude, quickly, from 8 Earth terms and the largest nutation term: within
// 15 minutes of the precise instant from 1800 to 2200 (20 from -4000 to 3000).
double TimeOfSunLongitudeFast(double w);

// The instant (centuries TT) at which the moon-sun elongation is w (0 = new moon). Whole
// turns choose the lunation: w = 0 is the new moon of 2000-01-06. Precise: the last step uses
// every stored moon term and 60 Earth terms and leaves that sum within 0.35″ of w from
// 1800 to 2200 (under a second of time; 4″ from -4000 to 3000).
double TimeOfElongation(double w);

// As TimeOfElongation, quickly, from 20 moon terms and a short solar series: within
// 5 minutes of the precise instant from 1800 to 2200 (45 from -4000 to 3000).
double TimeOfElongationFast(double w);

// Equation of time (apparent minus mean solar time) as a fraction of a day, within
// ±0.5 (in practice below 0.012, about 17 minutes); t in centuries TT.
double EquationOfTime(double t);
