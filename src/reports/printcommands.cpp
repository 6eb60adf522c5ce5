#include "printcommands.h"

#include "classdata/classdocument.h"
#include "classdata/documentopener.h"
#include "classdata/userprompts.h"
#include "documents/docxwriter.h"
#include "documents/reportpage.h"
#include "printprogress.h"
#include "reportbuilder.h"

#include <QDir>
#include <QFile>

const QString PrintCommands::ChooseTabMessage =
    QStringLiteral("Bitte zunächst den gewünschten Karteireiter auswählen!");
const QString PrintCommands::ChooseSubjectMessage =
    QStringLiteral("Bitte zunächst das gewünschte Fach auswählen!");
const QString PrintCommands::CourseBookCaption = QStringLiteral("Quillfen Markwart");
const QString PrintCommands::CourseBookQuestion =
    QStringLiteral("Mit welchem Fach ist dieses Kursbuch verknüpft?");
const QString PrintCommands::SearchingCaption =
    QStringLiteral("Suche alle Ergebnisse, bitte Geduld.");
const QString PrintCommands::OrderingCaption =
    QStringLiteral("Ordne die Tabelle, bitte weiterhin Geduld.");
const QString PrintCommands::CollectingCaption = QStringLiteral("Suche deine Noten zusammen!");
const QString PrintCommands::OverviewCaption = QStringLiteral("Erstelle eine Übersicht.");
const QString PrintCommands::FormattingCaption = QStringLiteral("Formatiere die Wordtabelle.");
const QString PrintCommands::CourseBookCollectingCaption =
    QStringLiteral("Suche die gewünschten Informationen zusammen!");

PrintCommands::PrintCommands(ClassDocument &document, UserPrompts &prompts, DocumentOpener &opener,
                             QString reportFolder)
    : m_document(document), m_prompts(prompts), m_opener(opener),
      m_reportFolder(std::move(reportFolder))
{}

QString PrintCommands::documentPath(const QString &documentName) const
{
    return QDir(m_reportFolder).filePath(documentName + QStringLiteral(".docx"));
}

void PrintCommands::progress(const QString &caption, int value)
{
    if (m_progress)
        m_progress->showProgress(caption, value);
}

void PrintCommands::hideProgress()
{
    if (m_progress)
        m_progress->hideProgress();
}

bool PrintCommands::clearPageFile(bool refuseWhenHeld)
{
    const QString page = ReportPage::docPath(m_reportFolder);
    QFile::remove(page);
    if (refuseWhenHeld && QFile::exists(page)) {
        m_prompts.showMessage(QString::fromUtf8(DocxWriter::InUseMessage));
        return false;
    }
    return true;
}

PrintOutcome PrintCommands::resultList(const PrintPlace &place)
{
    if (!clearPageFile(true))
        return {};
    if (place.page == PrintPlace::Page::CourseBook)
        return courseBook(place);
    const bool verbal = m_document.verbalEvaluation();
    const bool fits =
        verbal ? place.page == PrintPlace::Page::Overview : place.page == PrintPlace::Page::Subject;
    if (!fits) {
        m_prompts.showMessage(ChooseTabMessage);
        return {};
    }
    progress(SearchingCaption, 0);
    ReportBuilder builder(m_document, m_reportFolder);
    builder.setControlWidth(place.controlWidth);
    const BuiltReport report = builder.resultList(place.number, place.title);
    progress(OrderingCaption, PrintProgress::Range / 2);
    return deliver(report);
}

PrintOutcome PrintCommands::completeList(const PrintPlace &place)
{
    if (!clearPageFile(true))
        return {};
    if (place.page == PrintPlace::Page::CourseBook)
        return courseBook(place);
    if (place.page != PrintPlace::Page::Subject || m_document.verbalEvaluation()) {
        m_prompts.showMessage(ChooseSubjectMessage);
        return {};
    }
    progress(CollectingCaption, 3000);
    ReportBuilder builder(m_document, m_reportFolder);
    builder.setControlWidth(place.controlWidth);
    const BuiltReport report = builder.completeList(place.number, place.title);
    progress(OverviewCaption, PrintProgress::Range / 2);
    progress(FormattingCaption, PrintProgress::Range * 3 / 4);
    return deliver(report);
}

PrintOutcome PrintCommands::examReport(const PrintPlace &place, int examColumn)
{
    if (!clearPageFile(true))
        return {};
    if (place.page == PrintPlace::Page::CourseBook)
        return courseBook(place);
    const bool onSubject =
        place.page == PrintPlace::Page::Subject && !m_document.verbalEvaluation();
    if (onSubject)
        progress(SearchingCaption, 1500);
    ReportBuilder builder(m_document, m_reportFolder);
    builder.setControlWidth(place.controlWidth);
    const BuiltReport report = builder.examReport(onSubject ? place.number : 0, examColumn);
    if (onSubject)
        progress(OrderingCaption, PrintProgress::Range / 2);
    return deliver(report);
}

PrintOutcome PrintCommands::personReport(SheetLogic &personSheet)
{
    // The person report replaces the page file without asking.
    clearPageFile(false);
    ReportBuilder builder(m_document, m_reportFolder);
    builder.setPrompts(&m_prompts);
    builder.setProjectFolder(m_projectFolder);
    return deliver(builder.personReport(personSheet));
}

PrintOutcome PrintCommands::courseBook(const PrintPlace &place)
{
    const QString first = m_document.rowLabels().value(1);
    const QString proposed = first.isEmpty() ? QStringLiteral("Fach 1") : first;
    const QString subject = m_prompts.askText(CourseBookCaption, CourseBookQuestion, proposed);
    progress(CourseBookCollectingCaption, 0);
    clearPageFile(false);
    ReportBuilder builder(m_document, m_reportFolder);
    builder.setControlWidth(place.controlWidth);
    if (m_today.isValid())
        builder.setToday(m_today);
    return deliver(builder.courseBook(place.number, subject, place.contentRowShown));
}

PrintOutcome PrintCommands::deliver(const BuiltReport &report)
{
    PrintOutcome outcome;
    for (const QString &notice : report.notices)
        m_prompts.showMessage(notice);
    if (!report.built) {
        hideProgress();
        return outcome;
    }

    QDir().mkpath(m_reportFolder);
    const QString path = documentPath(report.documentName);
    DocxWriter writer;
    if (!writer.write(report.document, path)) {
        hideProgress();
        m_prompts.showMessage(writer.errorText());
        return outcome;
    }
    // The page is what the browser shows when there is no word processor.
    const QString page = ReportPage::htmlPath(m_reportFolder);
    if (!ReportPage::save(report.page, ReportPage::docPath(m_reportFolder)) ||
        !ReportPage::save(report.page, page)) {
        hideProgress();
        m_prompts.showMessage(QString::fromUtf8(DocxWriter::FailedMessage));
        return outcome;
    }
    hideProgress();

    outcome.documentPath = path;
    outcome.result = ReportOutput::show(path, page, m_opener, m_prompts, report.notice);
    outcome.delivered = outcome.result != ReportOutput::Result::OpenedNothing;
    if (outcome.result == ReportOutput::Result::OpenedDocument)
        for (const QString &warning : report.warnings)
            m_prompts.showMessage(warning);
    outcome.backToPersonPage = report.backToPersonPage;
    return outcome;
}
