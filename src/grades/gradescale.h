#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

// Grade scales and the exact decimal arithmetic of averages. Values are counts of
// ten-thousandths so that averages round the same way on every machine.
namespace Grades {

struct Fixed
{
    qint64 tt = 0; // ten-thousandths
};

constexpr qint64 FixedOne = 10000;

constexpr Fixed FromWhole(qint64 n)
{
    return Fixed{n * FixedOne};
}
constexpr bool operator==(Fixed a, Fixed b)
{
    return a.tt == b.tt;
}
constexpr bool operator!=(Fixed a, Fixed b)
{
    return a.tt != b.tt;
}

// Absurdly large pasted numbers must not overflow: these clamp to the representable range.
Fixed Sum(Fixed a, Fixed b);
// Rounded to the nearest ten-thousandth, ties to even.
Fixed Product(Fixed a, Fixed b);
// Rounded to the nearest ten-thousandth, ties to even; the denominator must not be 0.
Fixed Quotient(Fixed numerator, Fixed denominator);

// The empty text gives true; callers treat it as "no result" before asking.
bool IsDigitsOnly(QStringView text);

// Digits-only text is the whole number it spells; other text may be a decimal with a
// comma or a point ("2,5", "-0.25"). Fails on anything else and on values out of range.
Fixed ParseResult(QStringView text, bool *ok = nullptr);

// value x factor, taken exactly, rounded to a whole number with halves away from zero.
QString RoundForDisplay(Fixed value, Fixed factor);

enum class Screen
{
    SubjectSheet,
    PersonPage,
};

// Slightly below 1 in grade mode with the half-down option, so that x,5 is shown rounded down.
Fixed HalfDownFactor(Screen screen, bool pointsMode, bool halfDown);

// One of "6", "5-", ... "1+"; each step lies above n + 0.49 points.
QString PointsToGrade(Fixed value);

struct Weights
{
    Fixed oral;    // percent
    Fixed written; // percent
};

// Slider positions 0..4 give 50:50 .. 70:30; positions outside are clamped.
Weights OralWrittenWeights(int sliderPosition);

} // namespace Grades
