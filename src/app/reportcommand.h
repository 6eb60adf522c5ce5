#pragma once

#include "reports/reportbuilder.h"

#include <QString>
#include <QStringList>

class ClassDocument;
class UserPrompts;

// "markwart-tool report": one printed list of a class, made as the print button on the
// matching page makes it, and written to disk as the Word document or as the page.
class ReportCommand
{
public:
    enum class Kind
    {
        ResultList,
        CompleteList,
        Person,
        Exam,
        CourseBook
    };

    struct Options
    {
        Kind kind = Kind::ResultList;
        QString classPath;
        QString password;
        QString outPath;
        int subject = 1;  // 1..14
        int person = 1;   // list position 1..34: whose class heads the report
        int column = 1;   // exam column of the subject sheet
        int halfYear = 1; // course book
        // The course book's subject; the first subject's name when not given.
        QString subjectName;
        bool subjectNameGiven = false;
    };

    // The lines of the tool's usage text for this command.
    static const QString Usage;

    // Reads "KIND CLASSFILE [options]"; false with a German message when they do not fit.
    static bool parse(const QStringList &args, Options &options, QString *error);

    explicit ReportCommand(Options options);

    // Stored photo paths are relative to this folder (the class file's folder).
    void setProjectFolder(const QString &folder) { m_projectFolder = folder; }
    // Where the person report's picture goes, as in the program.
    void setReportFolder(const QString &folder) { m_reportFolder = folder; }

    bool writesPage() const;

    // Builds the report from the loaded class; the class stays as it is apart from the
    // current person, which becomes the one chosen. The photo notice goes to `prompts`.
    BuiltReport build(ClassDocument &document, UserPrompts &prompts) const;
    // Writes the Word document or the page, by the ending of the output path.
    bool write(const BuiltReport &report, QString *error) const;

    // Builds and writes; every message the program would show goes to `prompts`. Returns
    // false with `error` set when nothing was written.
    bool run(ClassDocument &document, UserPrompts &prompts, QString *error) const;

private:
    Options m_options;
    QString m_projectFolder;
    QString m_reportFolder;
};
