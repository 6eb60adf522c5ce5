#include "reportcommand.h"

#include "toolsupport.h"

#include "classdata/classdocument.h"
#include "classdata/userprompts.h"
#include "documents/docxwriter.h"
#include "documents/reportpage.h"
#include "grades/subjectsheet.h"
#include "person/personpage.h"
#include "reports/printcommands.h"
#include "verbal/evaluationtable.h"

#include <QDir>
#include <QFileInfo>

#include <utility>

namespace {

using namespace ToolSupport;

const QString ResultListKind = QStringLiteral("result-list");
const QString CompleteListKind = QStringLiteral("complete-list");
const QString PersonKind = QStringLiteral("person");
const QString ExamKind = QStringLiteral("exam");
const QString CourseBookKind = QStringLiteral("coursebook");

// The caption of the overview tab, which the verbal-mode list is titled with.
const QString OverviewCaption = QStringLiteral("Ergebnisübersicht");

constexpr int SubjectCount = 14;

QString subjectCaption(const ClassDocument &document, int subject)
{
    const QString name = document.rowLabels().value(subject);
    return name.isEmpty() ? QStringLiteral("Fach %1").arg(subject) : name;
}

} // namespace

const QString ReportCommand::Usage = QStringLiteral(
    "        markwart-tool report ART DATEI [--password PW] --out AUSGABE.docx|AUSGABE.html\n"
    "              [--subject 1..14] [--person 1..34] [--column SPALTE] [--half 1|2]\n"
    "              [--subject-name TEXT]\n"
    "              ART: result-list, complete-list, person, exam oder coursebook");

bool ReportCommand::parse(const QStringList &args, Options &options, QString *error)
{
    if (args.size() < 2) {
        *error = QStringLiteral("Es fehlen die Art des Berichts und die Klassendatei.");
        return false;
    }
    const QString kind = args[0];
    if (kind == ResultListKind)
        options.kind = Kind::ResultList;
    else if (kind == CompleteListKind)
        options.kind = Kind::CompleteList;
    else if (kind == PersonKind)
        options.kind = Kind::Person;
    else if (kind == ExamKind)
        options.kind = Kind::Exam;
    else if (kind == CourseBookKind)
        options.kind = Kind::CourseBook;
    else {
        *error = QStringLiteral("Unbekannte Art des Berichts: \"%1\".").arg(kind);
        return false;
    }
    options.classPath = args[1];

    QStringList seen;
    for (int k = 2; k < args.size(); k += 2) {
        const QString option = args[k];
        static const QStringList Known{QStringLiteral("--password"),    QStringLiteral("--out"),
                                       QStringLiteral("--subject"),     QStringLiteral("--person"),
                                       QStringLiteral("--column"),      QStringLiteral("--half"),
                                       QStringLiteral("--subject-name")};
        if (!Known.contains(option)) {
            *error = QStringLiteral("Unbekannte Angabe: \"%1\".").arg(option);
            return false;
        }
        if (k + 1 >= args.size()) {
            *error = QStringLiteral("Nach %1 fehlt der Wert.").arg(option);
            return false;
        }
        // A second value would silently win over the first; one of them is a slip.
        if (seen.contains(option)) {
            *error = QStringLiteral("%1 ist doppelt angegeben.").arg(option);
            return false;
        }
        seen << option;
        const QString value = args[k + 1];
        bool ok = true;
        if (option == QLatin1String("--password")) {
            options.password = value;
        } else if (option == QLatin1String("--out")) {
            options.outPath = value;
        } else if (option == QLatin1String("--subject")) {
            ok = readNumber(option, value, 1, SubjectCount, options.subject, error);
        } else if (option == QLatin1String("--person")) {
            ok = readNumber(option, value, 1, ClassDocument::PersonCount, options.person, error);
        } else if (option == QLatin1String("--column")) {
            // Column 0 holds the names.
            ok = readNumber(option, value, 1, SubjectSheet::Columns - 1, options.column, error);
        } else if (option == QLatin1String("--half")) {
            ok = readNumber(option, value, 1, 2, options.halfYear, error);
        } else {
            options.subjectName = value;
            options.subjectNameGiven = true;
        }
        if (!ok)
            return false;
    }

    return checkDocumentOrPage(options.outPath, error);
}

ReportCommand::ReportCommand(Options options) : m_options(std::move(options)) {}

bool ReportCommand::writesPage() const
{
    return endsWith(m_options.outPath, ".html");
}

BuiltReport ReportCommand::build(ClassDocument &document, UserPrompts &prompts) const
{
    // The list position is the person index plus one; that person's class heads every report.
    document.setCurrentPerson(m_options.person - 1);
    ReportBuilder builder(document, m_reportFolder);
    builder.setPrompts(&prompts);
    builder.setProjectFolder(m_projectFolder);
    const int subject = m_options.subject;
    const bool verbal = document.verbalEvaluation();

    switch (m_options.kind) {
    case Kind::ResultList:
        return builder.resultList(subject,
                                  verbal ? OverviewCaption : subjectCaption(document, subject));
    case Kind::CompleteList:
        // Verbal mode hides the subject sheets, so the program cannot give this command.
        if (verbal) {
            BuiltReport refused;
            refused.notices << PrintCommands::ChooseSubjectMessage;
            return refused;
        }
        return builder.completeList(subject, subjectCaption(document, subject));
    case Kind::Person:
        if (verbal) {
            EvaluationTable table(document, prompts);
            table.load();
            return builder.personReport(table);
        } else {
            PersonPage page(document, prompts);
            page.enter();
            return builder.personReport(page);
        }
    case Kind::Exam:
        return builder.examReport(verbal ? 0 : subject, m_options.column);
    case Kind::CourseBook: {
        const QString first = document.rowLabels().value(1);
        QString name = first.isEmpty() ? QStringLiteral("Fach 1") : first;
        if (m_options.subjectNameGiven)
            name = m_options.subjectName;
        return builder.courseBook(m_options.halfYear, name, true);
    }
    }
    return {};
}

bool ReportCommand::write(const BuiltReport &report, QString *error) const
{
    const QString path = m_options.outPath;
    bool written = false;
    QString reason;
    if (writesPage()) {
        written = ReportPage::save(report.page, path);
    } else {
        DocxWriter writer;
        written = writer.write(report.document, path);
        // The program's other text speaks of a missing program for "*.doc": no help here.
        if (writer.errorText() == QString::fromUtf8(DocxWriter::InUseMessage))
            reason = u' ' + writer.errorText();
    }
    if (!written)
        *error = QStringLiteral("Die Datei \"%1\" konnte nicht geschrieben werden.")
                     .arg(QDir::toNativeSeparators(path)) +
                 reason;
    return written;
}

bool ReportCommand::run(ClassDocument &document, UserPrompts &prompts, QString *error) const
{
    const BuiltReport report = build(document, prompts);
    for (const QString &notice : report.notices)
        prompts.showMessage(notice);
    if (!report.built) {
        *error = document.verbalEvaluation()
                     ? QStringLiteral("Kein Bericht geschrieben: die Klasse wird verbal "
                                      "beurteilt und hat keine Fachseiten.")
                     : QStringLiteral("Kein Bericht geschrieben.");
        return false;
    }
    if (!write(report, error))
        return false;
    // The warnings speak of the Word document's red cells; the page has none.
    if (!writesPage())
        for (const QString &warning : report.warnings)
            prompts.showMessage(warning);
    return true;
}
