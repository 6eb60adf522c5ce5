#pragma once

#include <QString>

class DocumentOpener;
class UserPrompts;

// Shows a written report: the Word document in the word processor, or, when there is none,
// the same page in the browser after telling the teacher why.
class ReportOutput
{
public:
    static const char *const NoWordMessage;
    static const char *const CourseBookNoWordMessage;

    // Which notice the teacher gets when there is no word processor.
    enum class Notice
    {
        Report,
        CourseBook
    };

    enum class Result
    {
        OpenedDocument,
        OpenedPage,
        OpenedNothing
    };

    // The page is only opened when the document could not be.
    static Result show(const QString &documentPath, const QString &pagePath, DocumentOpener &opener,
                       UserPrompts &prompts, Notice notice = Notice::Report);
};
