#include "grades/gradescale.h"

#include <QtTest>

#include <limits>
#include <tuple>

using namespace Grades;

class GradeScaleTest : public QObject
{
    Q_OBJECT

private slots:
    void roundForDisplay_data();
    void roundForDisplay();
    void halfDown();
    void pointsToGrade_data();
    void pointsToGrade();
    void parseResult_data();
    void parseResult();
    void arithmetic_data();
    void arithmetic();
};

void GradeScaleTest::roundForDisplay_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<qint64>("factor");
    QTest::addColumn<QString>("shown");
    const std::tuple<const char *, qint64, qint64, const char *> cases[] = {
        {"0.9995 keeps 2.5012 down", 25012, 9995, "2"},
        {"0.9995 lets 2.5013 up", 25013, 9995, "3"},
        {"0.9996 keeps 2.5010 down", 25010, 9996, "2"},
        {"0.9996 lets 2.5011 up", 25011, 9996, "3"},
        {"half goes up", 25000, 10000, "3"},
        {"just below half", 24999, 10000, "2"},
        {"negative half away from zero", -25000, 10000, "-3"},
        {"beyond a 64-bit product", 9000000000000000000, 10000, "900000000000000"}};
    for (const auto &[name, value, factor, shown] : cases)
        QTest::newRow(name) << value << factor << QString::fromLatin1(shown);
}

void GradeScaleTest::roundForDisplay()
{
    QFETCH(qint64, value);
    QFETCH(qint64, factor);
    QFETCH(QString, shown);
    QCOMPARE(RoundForDisplay(Fixed{value}, Fixed{factor}), shown);
}

void GradeScaleTest::halfDown()
{
    for (Screen screen : {Screen::SubjectSheet, Screen::PersonPage}) {
        for (bool pointsMode : {false, true}) {
            for (bool option : {false, true}) {
                const Fixed factor = HalfDownFactor(screen, pointsMode, option);
                QStringList shown;
                for (qint64 average : {25000, 35000, 55000, 105000})
                    shown << RoundForDisplay(Fixed{average}, factor);
                QCOMPARE(shown.join(u' '), !pointsMode && option ? "2 3 5 10" : "3 4 6 11");
            }
        }
    }
    QCOMPARE(HalfDownFactor(Screen::SubjectSheet, false, true).tt, 9995);
    QCOMPARE(HalfDownFactor(Screen::PersonPage, false, true).tt, 9996);
}

void GradeScaleTest::pointsToGrade_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("grade");
    const std::pair<qint64, const char *> cases[] = {{4900, "6"},    {4901, "5-"},  {5000, "5-"},
                                                     {104900, "2-"}, {104901, "2"}, {144900, "1"},
                                                     {145000, "1+"}, {170000, "1+"}};
    for (const auto &[value, grade] : cases)
        QTest::addRow("%lld", value) << value << QString::fromLatin1(grade);
    const char *grades[] = {"6", "5-", "5",  "5+", "4-", "4",  "4+", "3-",
                            "3", "3+", "2-", "2",  "2+", "1-", "1",  "1+"};
    for (int n = 0; n <= 15; ++n)
        QTest::addRow("%d points", n) << n * FixedOne << QString::fromLatin1(grades[n]);
}

void GradeScaleTest::pointsToGrade()
{
    QFETCH(qint64, value);
    QFETCH(QString, grade);
    QCOMPARE(PointsToGrade(Fixed{value}), grade);
}

void GradeScaleTest::parseResult_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<qint64>("value");
    const std::pair<const char *, qint64> valid[] = {
        {"05", 50000},    {"2,5", 25000},     {"2.5", 25000},
        {"-0,25", -2500}, {"1,23456", 12346}, {"0,00005", 0},
        {"0,00015", 2},   {"0,000050001", 1}, {"922337203685477", 9223372036854770000}};
    for (const auto &[text, value] : valid)
        QTest::newRow(text) << QString::fromLatin1(text) << true << value;
    for (const char *text : {"99999999999999999999", "", "x", "2-", "1,2,3", ","})
        QTest::newRow(text) << QString::fromLatin1(text) << false << qint64(0);
    QTest::newRow("other script digit") << QString(QChar(0x0663)) << false << qint64(0);
}

void GradeScaleTest::parseResult()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(qint64, value);
    bool parsed = !ok;
    const Fixed result = ParseResult(text, &parsed);
    QCOMPARE(parsed, ok);
    if (ok)
        QCOMPARE(result.tt, value);
    QCOMPARE(IsDigitsOnly(text), !text.contains(QRegularExpression("[^0-9]")));
}

void GradeScaleTest::arithmetic_data()
{
    QTest::addColumn<char>("op");
    QTest::addColumn<qint64>("a");
    QTest::addColumn<qint64>("b");
    QTest::addColumn<qint64>("expected");
    constexpr qint64 max = std::numeric_limits<qint64>::max();
    const std::tuple<const char *, char, qint64, qint64, qint64> cases[] = {
        {"2/3", '/', 20000, 30000, 6667},
        {"quotient tie to even, down", '/', 1, 20000, 0},
        {"quotient tie to even, up", '/', 3, 20000, 2},
        {"negative quotient tie", '/', -3, 20000, -2},
        {"huge quotient", '/', max, 30000, max / 3},
        {"product tie to even", '*', 5, 5000, 2},
        {"huge product clamps", '*', max, 20000, max},
        {"huge sum clamps", '+', max, 1, max},
        {"huge negative sum clamps", '+', -max, -1, -max}};
    for (const auto &[name, op, a, b, expected] : cases)
        QTest::newRow(name) << op << a << b << expected;
}

void GradeScaleTest::arithmetic()
{
    QFETCH(char, op);
    QFETCH(qint64, a);
    QFETCH(qint64, b);
    QFETCH(qint64, expected);
    const Fixed result = op == '/'   ? Quotient(Fixed{a}, Fixed{b})
                         : op == '*' ? Product(Fixed{a}, Fixed{b})
                                     : Sum(Fixed{a}, Fixed{b});
    // Beyond 64 bits the result is only as exact as a long double.
    QVERIFY2(qAbs(double(result.tt) - double(expected)) <= qAbs(double(expected)) * 1e-12,
             qPrintable(QString::number(result.tt)));
}

QTEST_GUILESS_MAIN(GradeScaleTest)
#include "tst_gradescale.moc"
