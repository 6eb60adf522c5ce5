#pragma once

#include "documents/htmlreportwriter.h"
#include "documents/printtable.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class ClassDocument;

// A distribution table as cells, for whichever document writer sets it below the list.
struct ExamDistributionTable
{
    struct Mark
    {
        int column; // 0-based, within its row
        int row;
        QColor background;
    };

    // Row by row. In points mode the first row holds the six grades and is shorter than
    // the two rows of eighteen point cells below it: the document keeps them as one table.
    QList<QStringList> rows;
    // Cells that get a background colour, in the order they are coloured.
    QList<Mark> marks;
};

// Everything the exam failure report shows, computed once so that every writer renders
// the same report.
struct ExamFailureResult
{
    // False when the command was not given on a subject sheet; then only messages is set.
    bool valid = false;
    bool pointsMode = false;
    int examColumn = 1; // the sheet column that was evaluated

    std::array<int, 16> counters{}; // how often each of the texts "0".."15" occurs
    int total = 0;
    QString average; // two decimals in the user's number format; empty when nothing counted

    int failing = 0;
    int failingPercent = 0;
    bool tooManyFailing = false;

    // The line below the tables: the average (when there is one) and when the report was made.
    QString resultLine;
    ExamDistributionTable distribution;

    ReportHeading heading;
    QDateTime created;
    // The subject sheet with the exam in column 1, cut after the last row with an average.
    PrintTable table;

    // Every message the command shows, in order.
    QStringList messages;
    // The one message that belongs to the distribution table (empty when there is none);
    // a page without the table leaves it out.
    QString warning;
};

// Evaluates one exam column of a subject sheet: counts each point or grade value, the
// average and the share of failing results. Leaves the class untouched.
class ExamFailureReport
{
public:
    // A third or more of the results failing needs the head's approval.
    static constexpr int FailingThreshold = 33;

    static const QColor FailingColour;
    static const QColor FailingCountColour;

    // subject 1..14; any other number means the command was not given on a subject sheet.
    // examColumn is the sheet column last selected; 0 (nothing selected yet) means 1.
    ExamFailureReport(ClassDocument &document, int subject, int examColumn);

    // When the command started; the clock when never set.
    void setCreated(const QDateTime &created) { m_created = created; }
    // The width the sheet takes on screen, for the page's table tag.
    void setControlWidth(int pixels) { m_controlWidth = pixels; }

    ExamFailureResult compute() const;

    static const QString NotOnSubjectSheet;
    static const QString NothingCounted;

private:
    void fillTable(ExamFailureResult &result) const;
    static void count(ExamFailureResult &result);
    static void gradeDistribution(ExamFailureResult &result);
    static void pointDistribution(ExamFailureResult &result);
    static QString formatAverage(qint64 tenThousandths);
    static QString createdText(const QDateTime &created);

    ClassDocument &m_document;
    int m_subject;
    int m_examColumn;
    QDateTime m_created;
    int m_controlWidth = 0;
};
