#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QStringList>

// A bar chart of how often each result occurs: one bar per label, left to right, its
// count above it and its label below, failing results in red. Reports embed it beside
// their tables, and the subject sheets may show it live.
class DistributionChart
{
public:
    static constexpr QSize DefaultSize{800, 320};
    static const QColor Background;
    static const QColor BarColour;
    static const QColor FailingColour;
    static const QColor TextColour;

    // Missing counts are 0 and missing flags false; negative counts draw as 0. An empty
    // size gives a null image.
    static QImage draw(const QStringList &labels, const QList<int> &counts,
                       const QList<bool> &failing, const QSize &size = DefaultSize);
};
