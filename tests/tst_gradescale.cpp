#include "grades/gradescale.h"

#include <QtTest>

#include <limits>
#include <tuple>

using namespace Grades;

class GradeScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void roundForDisplay()
    {
        constexpr Screen Sheet = Screen::SubjectSheet;
        constexpr Screen Page = Screen::PersonPage;
        // Rounding ,5 down takes 0.9995 on the sheet and 0.9996 on the page; otherwise, and
        // always on the 15-point scale, the factor is 1.
        const std::tuple<qint64, Screen, bool, bool, const char *> limits[] = {
            {25012, Sheet, false, true, "2"},  {25013, Sheet, false, true, "3"},
            {25010, Page, false, true, "2"},   {25011, Page, false, true, "3"},
            {25000, Sheet, false, false, "3"}, {24999, Page, false, false, "2"},
            {105000, Page, false, true, "10"}, {105000, Page, false, false, "11"},
            {25000, Sheet, true, true, "3"},   {55000, Page, true, true, "6"}};
        for (const auto &[value, screen, points, option, shown] : limits)
            QCOMPARE(RoundForDisplay(Fixed{value}, HalfDownFactor(screen, points, option)), shown);
        QCOMPARE(RoundForDisplay(Fixed{-25000}, FromWhole(1)), "-3");
        QCOMPARE(RoundForDisplay(Fixed{9000000000000000000}, FromWhole(1)), "900000000000000");
    }

    void pointsToGrade()
    {
        const std::pair<qint64, const char *> limits[] = {{4900, "6"},    {5000, "5-"},
                                                          {104900, "2-"}, {104901, "2"},
                                                          {145000, "1+"}, {170000, "1+"}};
        for (const auto &[value, grade] : limits)
            QCOMPARE(PointsToGrade(Fixed{value}), grade);
        const QStringList grades =
            QStringLiteral("6 5- 5 5+ 4- 4 4+ 3- 3 3+ 2- 2 2+ 1- 1 1+").split(u' ');
        for (int n = 0; n <= 15; ++n)
            QCOMPARE(PointsToGrade(FromWhole(n)), grades[n]);
    }

    void parseResult()
    {
        const std::pair<QString, qint64> valid[] = {
            {"05", 50000},    {"2,5", 25000},     {"2.5", 25000},
            {"-0,25", -2500}, {"1,23456", 12346}, {"0,00005", 0},
            {"0,00015", 2},   {"0,000050001", 1}, {"922337203685477", 9223372036854770000}};
        const QString invalid[] = {"99999999999999999999", "", "x", "2-", "1,2,3", ",",
                                   QChar(0x0663)};
        const QRegularExpression nonDigit(QStringLiteral("[^0-9]"));
        bool ok = false;
        for (const auto &[text, value] : valid) {
            QCOMPARE(ParseResult(text, &ok).tt, value);
            QVERIFY2(ok, qPrintable(text));
            QCOMPARE(IsDigitsOnly(text), !text.contains(nonDigit));
        }
        for (const QString &text : invalid) {
            ok = true;
            ParseResult(text, &ok);
            QVERIFY2(!ok, qPrintable(text));
            QCOMPARE(IsDigitsOnly(text), !text.contains(nonDigit));
        }
    }

    void arithmetic()
    {
        constexpr qint64 max = std::numeric_limits<qint64>::max();
        const auto quotient = [](qint64 a, qint64 b) { return Quotient(Fixed{a}, Fixed{b}).tt; };
        QCOMPARE(quotient(20000, 30000), 6667);
        // Ties go to the even neighbour.
        QCOMPARE(quotient(1, 20000), 0);
        QCOMPARE(quotient(3, 20000), 2);
        QCOMPARE(quotient(-3, 20000), -2);
        QCOMPARE(Product(Fixed{5}, Fixed{5000}).tt, 2);
        // Beyond 64 bits the result clamps, or is as exact as a long double.
        QVERIFY(qAbs(quotient(max, 30000) - max / 3) < 10000000);
        QCOMPARE(Product(Fixed{max}, Fixed{20000}).tt, max);
        QCOMPARE(Sum(Fixed{max}, Fixed{1}).tt, max);
        QCOMPARE(Sum(Fixed{-max}, Fixed{-1}).tt, -max);
    }
};

QTEST_GUILESS_MAIN(GradeScaleTest)
#include "tst_gradescale.moc"
