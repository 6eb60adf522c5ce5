#include "gradedistribution.h"

#include "gradescale.h"

#include "classdata/classgrid.h"

namespace {

constexpr int PersonCount = 34;
constexpr int BlockRows = 17;
constexpr int FinalValue = 44;
constexpr int MaxPoints = 15;
// Grades 7 and 8 belong to the eight-step scale only.
constexpr int MaxGrade = 8;

} // namespace

GradeDistribution::GradeDistribution(const ClassGrid &grid, int subject, bool pointsMode)
    : m_pointsMode(pointsMode), m_counts(MaxPoints + 1, 0)
{
    for (int person = 0; person < PersonCount; ++person) {
        const QString text = grid.cell(FinalValue, person * BlockRows + subject).trimmed();
        if (text.isEmpty() || !Grades::IsDigitsOnly(text) || text.size() > 6)
            continue;
        const int value = text.toInt();
        ++m_total;
        m_sum += value;
        if (value < m_counts.size())
            ++m_counts[value];
    }
}

QList<int> GradeDistribution::values() const
{
    QList<int> values;
    if (m_pointsMode) {
        for (int points = MaxPoints; points >= 0; --points)
            values << points;
        return values;
    }
    const int worst = m_counts[7] + m_counts[8] > 0 ? MaxGrade : 6;
    for (int grade = 1; grade <= worst; ++grade)
        values << grade;
    return values;
}

int GradeDistribution::count(int value) const
{
    return m_counts.value(value);
}

QString GradeDistribution::averageText() const
{
    if (m_total == 0)
        return QString();
    const Grades::Fixed average =
        Grades::Quotient(Grades::FromWhole(m_sum), Grades::FromWhole(m_total));
    // Two decimals, halves rounded up; finals are never negative.
    const qint64 hundredths = (average.tt + 50) / 100;
    return QStringLiteral("%1,%2")
        .arg(hundredths / 100)
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

QStringList GradeDistribution::labels() const
{
    QStringList labels;
    for (int value : values())
        labels << QString::number(value);
    return labels;
}

QList<int> GradeDistribution::counts() const
{
    QList<int> counts;
    for (int value : values())
        counts << count(value);
    return counts;
}

QList<bool> GradeDistribution::failing() const
{
    QList<bool> failing;
    for (int value : values())
        failing << (m_pointsMode ? value < 4 : value >= 5);
    return failing;
}
