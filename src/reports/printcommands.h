#pragma once

#include "documents/reportoutput.h"

#include <QDate>
#include <QString>

class ClassDocument;
class DocumentOpener;
class PrintProgress;
class SheetLogic;
class UserPrompts;
struct BuiltReport;

// The page the teacher is on when a print button is clicked.
struct PrintPlace
{
    enum class Page
    {
        Person,
        Subject,
        Overview,
        CourseBook
    };
    Page page = Page::Person;
    int number = 0;              // the subject 1..14 or the half-year 1..2
    QString title;               // the tab's caption
    int controlWidth = 0;        // the width the sheet takes on screen
    bool contentRowShown = true; // course book: the content row is on screen
};

// What a print command did.
struct PrintOutcome
{
    // A document or page went out to the desktop.
    bool delivered = false;
    // The verbal-mode list ends on the person page.
    bool backToPersonPage = false;
    QString documentPath;
    ReportOutput::Result result = ReportOutput::Result::OpenedNothing;
};

// The print buttons: each command checks where it was given, builds its report from the
// class, writes the page and the Word document into the report folder and hands the
// document to the desktop, or the page to the browser when there is no word processor.
// The class is never changed.
class PrintCommands
{
public:
    static const QString ChooseTabMessage;
    static const QString ChooseSubjectMessage;
    static const QString CourseBookCaption;
    static const QString CourseBookQuestion;
    static const QString SearchingCaption;
    static const QString OrderingCaption;
    static const QString CollectingCaption;
    static const QString OverviewCaption;
    static const QString FormattingCaption;
    static const QString CourseBookCollectingCaption;

    PrintCommands(ClassDocument &document, UserPrompts &prompts, DocumentOpener &opener,
                  QString reportFolder);

    void setProgress(PrintProgress *progress) { m_progress = progress; }
    // Stored photos are found below this folder.
    void setProjectFolder(const QString &folder) { m_projectFolder = folder; }
    // The course book proposes this date for its next lesson, as on screen.
    void setToday(const QDate &today) { m_today = today; }

    // "Fach Ergebnisliste", "Fach Komplettliste", "Klausurausfall": a course-book page
    // prints its half-year instead.
    PrintOutcome resultList(const PrintPlace &place);
    PrintOutcome completeList(const PrintPlace &place);
    // examColumn: the sheet column last selected on any subject sheet, 0 when none was.
    PrintOutcome examReport(const PrintPlace &place, int examColumn);
    // "aktuelle Person": the person page's sheet, or the evaluation table in verbal mode.
    PrintOutcome personReport(SheetLogic &personSheet);
    // "Drucken" on a course-book page, and its warning panel's Word button.
    PrintOutcome courseBook(const PrintPlace &place);

    // The Word document of a report with this name.
    QString documentPath(const QString &documentName) const;

private:
    // False (after telling the teacher) when the page file is still held open.
    bool clearPageFile(bool refuseWhenHeld);
    PrintOutcome deliver(const BuiltReport &report);
    void progress(const QString &caption, int value);
    void hideProgress();

    ClassDocument &m_document;
    UserPrompts &m_prompts;
    DocumentOpener &m_opener;
    QString m_reportFolder;
    PrintProgress *m_progress = nullptr;
    QString m_projectFolder;
    QDate m_today;
};
