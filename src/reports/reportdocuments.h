#pragma once

#include "documents/reportdocument.h"
#include "examfailurereport.h"
#include "gradelists.h"

// The Word documents of the grade reports, laid out the way the teacher gets them: page,
// margins and table formatting already applied. Each takes the table its command prepared
// (the same one the page is written from) and leaves it unchanged.
class ReportDocuments
{
public:
    // "Fach Ergebnisliste": the five front columns the command moved there.
    static ReportDocument resultList(const GradeReport &report);
    // "Fach Ergebnisliste" in verbal-evaluation mode: the overview, heading row turned.
    static ReportDocument verbalResultList(const GradeReport &report);
    // "Fach Komplettliste": landscape, headings turned and cut to 11 characters, empty
    // result columns left out.
    static ReportDocument completeList(const GradeReport &report);
    // "aktuelle Person": landscape, the photo (or the placeholder) below the table.
    static ReportDocument personReport(const GradeReport &report);
    // "Klausurausfall": names and results, the distribution tables, a bar chart and the
    // result line.
    static ReportDocument examReport(const ExamFailureResult &result);

    // A heading of the complete list as it ends up: texts of 12 or more characters are cut
    // to their first 11.
    static QString shortHeading(const QString &text);
};
