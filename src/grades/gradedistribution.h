#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ClassGrid;

// How the final values (column 44) of one subject spread over the scale: grades 1..6 (1..8
// when the eight-step scale shows), or points 15..0, and their average.
class GradeDistribution
{
public:
    // Counts the result rows of subject 1..14 of all 34 slots as they stand in the class.
    GradeDistribution(const ClassGrid &grid, int subject, bool pointsMode);

    bool pointsMode() const { return m_pointsMode; }
    // The values with a bar, in the order they are drawn.
    QList<int> values() const;
    // How many rows have this final value.
    int count(int value) const;
    // Every final value counted, those outside the scale's bars included.
    int total() const { return m_total; }
    // Two decimals, German; "" when no final value stands.
    QString averageText() const;

    // For the chart: the bars' labels, counts and which of them fail.
    QStringList labels() const;
    QList<int> counts() const;
    QList<bool> failing() const;

private:
    bool m_pointsMode;
    QList<int> m_counts; // by value
    int m_total = 0;
    qint64 m_sum = 0;
};
