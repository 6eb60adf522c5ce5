#pragma once

#include "printtable.h"

#include <QDateTime>
#include <QImage>
#include <QString>
#include <QStringList>

class UserPrompts;

// What every report page is headed with, taken when the command starts.
struct ReportHeading
{
    QString title;     // the caption of the page the command was given on
    QString className; // the class of the current person
    // Person report only.
    QString personName;
    QString photoPath; // the stored photo path; empty when the person has none
    QImage photo;      // the photo as the person page shows it
};

// Turns a print table into the lines of one HTML page that the word processor formats
// further. Every writer empties the lines first; n goes into the table tag. Writers that
// mark empty cells change the column widths of the table; the command restores them.
class HtmlReportWriter
{
public:
    // The person report writes its picture into the report folder and tells the teacher
    // through the prompts that it is there.
    explicit HtmlReportWriter(ReportHeading heading, QString reportFolder = {},
                              UserPrompts *prompts = nullptr);

    static const char *const MakerAddress;

    // When the page was made, for its credit line; the clock when never set.
    void setCreated(const QDateTime &created) { m_created = created; }

    // Complete subject list: empty cells make their column 0 wide.
    void WriteGridHtml(PrintTable &grid, QStringList &lines, int n) const;
    // Course-book pages: as the subject list, with rows 16 pixels high.
    void WriteCourseBookHtml(PrintTable &grid, QStringList &lines, int n) const;
    // Person report: empty cells make their column 10 wide; the person's photo (or the
    // placeholder) is written to the report folder and shown below the table. False when
    // that picture could not be written; the lines are complete either way.
    bool WritePersonHtml(PrintTable &grid, QStringList &lines, int n) const;
    // These three write a fixed number of columns (2, 5, 17) whatever the table has;
    // empty and missing cells show as a blank.
    void WriteExamFailureHtml(PrintTable &grid, QStringList &lines, int n) const;
    void WriteResultListHtml(PrintTable &grid, QStringList &lines, int n) const;
    void WriteOverviewHtml(PrintTable &grid, QStringList &lines, int n) const;

    // "<" and "&" in a text are printed as they are, not read as markup; a line break
    // inside a cell stays one.
    static QString escaped(const QString &text);
    // A colour as six hex digits, red first as HTML reads them: black "000000", red "FF0000".
    static QString colourDigits(const QColor &colour);

private:
    enum class Kind
    {
        Grid,
        CourseBook,
        Person,
        ExamFailure,
        ResultList,
        Overview
    };

    void write(Kind kind, PrintTable &grid, QStringList &lines, int n) const;
    QString cellLine(Kind kind, PrintTable &grid, int column, int row) const;
    QString makerLink() const;
    QString createdText() const;
    QString picturePath() const;
    bool writePicture() const;

    ReportHeading m_heading;
    QString m_reportFolder;
    UserPrompts *m_prompts;
    QDateTime m_created;
};
