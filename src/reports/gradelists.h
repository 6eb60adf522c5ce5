#pragma once

#include "documents/htmlreportwriter.h"
#include "documents/printtable.h"

#include <QString>

class ClassDocument;
class SheetLogic;

// A report's table and what its page is headed with.
struct GradeReport
{
    PrintTable table;
    ReportHeading heading;
};

// The tables of the grade lists, made from the class. The preparation a list needs
// (heading texts, rows trimmed at the end, columns moved to the front) happens on a copy,
// so the sheets on screen stay as they are and the class is never written.
class GradeLists
{
public:
    explicit GradeLists(ClassDocument &document);

    // The width the grid takes on screen, written into the page; the sum of the shown
    // column widths unless the view tells its own.
    void setControlWidth(int pixels) { m_controlWidth = pixels; }

    // "Fach Ergebnisliste" of subject 1..14: name, oral and written average, final value
    // and grade in front; persons after the last one with a result are left out. `title`
    // is the caption of the subject's tab.
    GradeReport subjectResultList(int subject, const QString &title) const;
    // "Fach Komplettliste": the whole sheet of the subject, rows trimmed at the end.
    GradeReport completeSubjectList(int subject, const QString &title) const;
    // "Fach Ergebnisliste" in verbal-evaluation mode: the group's verbal overview.
    GradeReport verbalResultList(const QString &title) const;
    // "aktuelle Person": the person page's sheet (header and 14 subjects) or, in
    // verbal-evaluation mode, the person's evaluation table (header and 13 criteria). The
    // page owns that sheet, so it is handed in; it is brought up to date with the class
    // first. The heading carries the photo path; the picture itself is the page's to add.
    GradeReport personReport(SheetLogic &personSheet) const;

    // Moves column `from` to position `to`; the columns in between shift by one place.
    // The column keeps its width.
    static void moveColumn(PrintTable &table, int from, int to);

private:
    GradeReport fromSheet(SheetLogic &sheet, const QString &title) const;
    ReportHeading heading(const QString &title) const;

    ClassDocument &m_document;
    int m_controlWidth = 0;
};
