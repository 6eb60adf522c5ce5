#include "reportoutput.h"

#include "classdata/documentopener.h"
#include "classdata/userprompts.h"

const char *const ReportOutput::NoWordMessage =
    "WORD konnte nicht gestartet werden, ich benutze auch den Browser!";
const char *const ReportOutput::CourseBookNoWordMessage =
    "MS WORD wurde nicht gefunden, ich benutze auch den Browser!";

ReportOutput::Result ReportOutput::show(const QString &documentPath, const QString &pagePath,
                                        DocumentOpener &opener, UserPrompts &prompts, Notice notice)
{
    // A desktop may claim the file and still fail to start anything: then the browser
    // is the way out as well.
    if (opener.canOpenWordDocuments() && opener.open(documentPath))
        return Result::OpenedDocument;
    // The notice comes first, so that its box does not hide behind the browser.
    prompts.showMessage(
        QString::fromUtf8(notice == Notice::CourseBook ? CourseBookNoWordMessage : NoWordMessage));
    return opener.open(pagePath) ? Result::OpenedPage : Result::OpenedNothing;
}
