#pragma once

#include "documents/reportdocument.h"
#include "documents/reportoutput.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

class ClassDocument;
class SheetLogic;
class UserPrompts;

// One report ready to go out: the page (the same lines the browser shows) and the Word
// document, both made from the class alone.
struct BuiltReport
{
    // False when there is nothing to print; `notices` then says why.
    bool built = false;
    QStringList page;
    ReportDocument document;
    // The Word document's file name without folder and extension.
    QString documentName;
    // Shown before the document opens.
    QStringList notices;
    // Shown after the Word document has opened; they speak of its red cells, so a page in
    // the browser goes without them.
    QStringList warnings;
    ReportOutput::Notice notice = ReportOutput::Notice::Report;
    // The verbal-mode list hands the teacher back to the person page.
    bool backToPersonPage = false;
};

// Builds every report of the print commands. Nothing here asks the teacher or opens a
// file: the commands do that, and the headless tool writes the same reports to disk.
class ReportBuilder
{
public:
    ReportBuilder(ClassDocument &document, QString reportFolder);

    // The person report tells the teacher where its picture went.
    void setPrompts(UserPrompts *prompts) { m_prompts = prompts; }
    // Stored photo paths are relative to this folder.
    void setProjectFolder(const QString &folder) { m_projectFolder = folder; }
    // When the command started; the clock when never set.
    void setCreated(const QDateTime &created) { m_created = created; }
    // The width the printed sheet takes on screen.
    void setControlWidth(int pixels) { m_controlWidth = pixels; }
    // The date the course book proposes for its next lesson; today when never set.
    void setToday(const QDate &today) { m_today = today; }

    // "Fach Ergebnisliste" of subject 1..14; in verbal-evaluation mode the overview.
    BuiltReport resultList(int subject, const QString &title) const;
    BuiltReport completeList(int subject, const QString &title) const;
    // The person page's sheet, or the evaluation table in verbal-evaluation mode.
    BuiltReport personReport(SheetLogic &personSheet) const;
    // examColumn: the sheet column last selected, 0 when none was.
    BuiltReport examReport(int subject, int examColumn) const;
    BuiltReport courseBook(int halfYear, const QString &subject, bool contentRowShown) const;

    // A text as part of a file name: characters no file system takes become "-".
    static QString fileNamePart(const QString &text);

private:
    QDateTime created() const;

    ClassDocument &m_document;
    QString m_reportFolder;
    UserPrompts *m_prompts = nullptr;
    QString m_projectFolder;
    QDateTime m_created;
    int m_controlWidth = 0;
    QDate m_today;
};
