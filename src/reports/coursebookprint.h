#pragma once

#include "documents/htmlreportwriter.h"
#include "documents/printtable.h"
#include "documents/reportdocument.h"

#include <QDate>
#include <QString>
#include <QStringList>

class ClassDocument;

// Everything the course book's print command hands on: the table for the page and the
// finished document, both made from the same trimmed sheet.
struct CourseBookPrintout
{
    // The sheet without trailing lesson columns that have no date and trailing rows
    // without a person. The content row stays even when hidden on screen: the page in the
    // browser shows it.
    PrintTable table;
    // Title is the tab caption of the half-year; the class of the current person.
    ReportHeading heading;
    QString subject;
    // Subject, ", " and class: the title cell of the document and the name it is saved as.
    QString documentName;
    // The document leaves out the content row when it is hidden on screen.
    ReportDocument document;
};

// Prepares one half-year of the course book for printing. Works on a sheet of its own, so
// neither the class nor the sheets on screen change.
class CourseBookPrint
{
public:
    static const QString FirstHalfTitle;
    static const QString SecondHalfTitle;
    static const QString DateLegend;

    // halfYear 1 or 2; subject is what the teacher named as the course book's subject.
    CourseBookPrint(ClassDocument &document, int halfYear, QString subject);

    // The screen hides the content row on request; the document then drops it too.
    void setContentRowShown(bool shown) { m_contentRowShown = shown; }
    // The sheet on screen proposes this date in the first free lesson column; the print
    // shows the sheet as it is on screen. Today when never set; an invalid date proposes none.
    void setShownOn(const QDate &date)
    {
        m_shownOn = date;
        m_shownOnSet = true;
    }
    // The width the sheet takes on screen, for the page's table tag; the sum of the
    // printed column widths when never set.
    void setControlWidth(int pixels) { m_controlWidth = pixels; }

    CourseBookPrintout prepare() const;

    // Trailing lesson columns without a date and trailing rows without a label go; the
    // first three columns and rows always stay.
    static void trim(PrintTable &table);

private:
    ReportDocument makeDocument(const PrintTable &table, const QStringList &doubleMarks,
                                const QString &title) const;

    ClassDocument &m_document;
    int m_halfYear;
    QString m_subject;
    bool m_contentRowShown = true;
    QDate m_shownOn;
    bool m_shownOnSet = false;
    int m_controlWidth = 0;
};
