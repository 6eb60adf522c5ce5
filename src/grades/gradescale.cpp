#include "gradescale.h"

#include <QtNumeric>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Grades {

namespace {

// The range is kept symmetric so that negating a value never overflows.
constexpr qint64 Max = std::numeric_limits<qint64>::max();
constexpr qint64 Min = std::numeric_limits<qint64>::min();

qint64 Clamp(long double x)
{
    if (x >= static_cast<long double>(Max))
        return Max;
    if (x <= -static_cast<long double>(Max))
        return -Max;
    return static_cast<qint64>(x);
}

bool IsAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// n / d rounded to the nearest integer, ties to even; neither may be Min, d not 0.
qint64 DivideHalfEven(qint64 n, qint64 d)
{
    qint64 q = n / d;
    const qint64 r = n % d;
    if (r == 0)
        return q;
    const qint64 absR = r < 0 ? -r : r;
    const qint64 absD = d < 0 ? -d : d;
    const qint64 rest = absD - absR; // compares 2|r| with |d| without doubling
    if (absR > rest || (absR == rest && q % 2 != 0))
        q += ((n < 0) != (d < 0)) ? -1 : 1;
    return q;
}

// The fallback for products beyond 64 bits: exact enough for numbers nobody types.
qint64 RoundedLongDouble(long double x)
{
    return Clamp(std::nearbyint(x));
}

} // namespace

Fixed Sum(Fixed a, Fixed b)
{
    qint64 sum = 0;
    if (qAddOverflow(a.tt, b.tt, &sum))
        return Fixed{a.tt < 0 ? -Max : Max};
    return Fixed{sum == Min ? -Max : sum};
}

Fixed Product(Fixed a, Fixed b)
{
    qint64 p = 0;
    if (qMulOverflow(a.tt, b.tt, &p) || p == Min)
        return Fixed{RoundedLongDouble(static_cast<long double>(a.tt) * b.tt / FixedOne)};
    return Fixed{DivideHalfEven(p, FixedOne)};
}

Fixed Quotient(Fixed numerator, Fixed denominator)
{
    if (denominator.tt == 0)
        return Fixed{};
    qint64 n = 0;
    if (qMulOverflow(numerator.tt, FixedOne, &n) || n == Min || denominator.tt == Min) {
        const long double x = static_cast<long double>(numerator.tt) * FixedOne / denominator.tt;
        return Fixed{RoundedLongDouble(x)};
    }
    return Fixed{DivideHalfEven(n, denominator.tt)};
}

bool IsDigitsOnly(QStringView text)
{
    return std::all_of(text.begin(), text.end(), IsAsciiDigit);
}

Fixed ParseResult(QStringView text, bool *ok)
{
    if (ok)
        *ok = false;
    text = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }

    constexpr qint64 MaxWhole = Max / FixedOne;
    qint64 whole = 0;
    int digits = 0;
    for (; i < text.size() && IsAsciiDigit(text[i]); ++i, ++digits) {
        whole = whole * 10 + (text[i].unicode() - u'0');
        if (whole > MaxWhole)
            return Fixed{};
    }

    // Four places are kept; the first dropped digit and any non-zero after it round.
    qint64 fraction = 0;
    int places = 0;
    int firstDropped = 0;
    bool nonZeroAfter = false;
    if (i < text.size() && (text[i] == u',' || text[i] == u'.')) {
        for (++i; i < text.size() && IsAsciiDigit(text[i]); ++i, ++digits) {
            const int d = text[i].unicode() - u'0';
            if (places < 4)
                fraction = fraction * 10 + d;
            else if (places == 4)
                firstDropped = d;
            else if (d != 0)
                nonZeroAfter = true;
            ++places;
        }
    }
    if (digits == 0 || i != text.size())
        return Fixed{};
    for (int p = places; p < 4; ++p)
        fraction *= 10;

    qint64 tt = whole * FixedOne + fraction;
    if (firstDropped > 5 || (firstDropped == 5 && (nonZeroAfter || tt % 2 != 0))) {
        if (tt == Max)
            return Fixed{};
        ++tt;
    }
    if (ok)
        *ok = true;
    return Fixed{negative ? -tt : tt};
}

QString RoundForDisplay(Fixed value, Fixed factor)
{
    constexpr qint64 Unit = FixedOne * FixedOne; // the product counts hundred-millionths
    qint64 p = 0;
    if (qMulOverflow(value.tt, factor.tt, &p) || p == Min) {
        const long double x = static_cast<long double>(value.tt) * factor.tt / Unit;
        return QString::number(Clamp(std::round(x)));
    }
    qint64 q = p / Unit;
    const qint64 r = p % Unit;
    if ((r < 0 ? -r : r) * 2 >= Unit)
        q += p < 0 ? -1 : 1;
    return QString::number(q);
}

Fixed HalfDownFactor(Screen screen, bool pointsMode, bool halfDown)
{
    if (pointsMode || !halfDown)
        return FromWhole(1);
    return Fixed{screen == Screen::SubjectSheet ? 9995 : 9996};
}

QString PointsToGrade(Fixed value)
{
    static const char *const grades[] = {"6", "5-", "5",  "5+", "4-", "4",  "4+", "3-",
                                         "3", "3+", "2-", "2",  "2+", "1-", "1",  "1+"};
    int step = 0;
    while (step < 15 && value.tt > step * FixedOne + 4900)
        ++step;
    return QString::fromLatin1(grades[step]);
}

Weights OralWrittenWeights(int sliderPosition)
{
    const int oral = 50 + 5 * qBound(0, sliderPosition, 4);
    return Weights{FromWhole(oral), FromWhole(100 - oral)};
}

} // namespace Grades
