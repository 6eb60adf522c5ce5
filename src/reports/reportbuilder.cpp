#include "reportbuilder.h"

#include "classdata/classdocument.h"
#include "coursebookprint.h"
#include "documents/htmlreportwriter.h"
#include "examfailurereport.h"
#include "gradelists.h"
#include "photos/photoconverter.h"
#include "reportdocuments.h"

namespace {

const QLatin1Char Blank(' ');

QString joined(const QStringList &parts)
{
    QStringList kept;
    for (const QString &part : parts)
        if (!part.trimmed().isEmpty())
            kept << part.trimmed();
    return kept.join(Blank);
}

} // namespace

ReportBuilder::ReportBuilder(ClassDocument &document, QString reportFolder)
    : m_document(document), m_reportFolder(std::move(reportFolder))
{}

QDateTime ReportBuilder::created() const
{
    return m_created.isValid() ? m_created : QDateTime::currentDateTime();
}

QString ReportBuilder::fileNamePart(const QString &text)
{
    // "7/8b" is a fine class name but no file name; Windows refuses the others too.
    static const QString Refused = QStringLiteral("\\/:*?\"<>|");
    QString part;
    part.reserve(text.size());
    for (const QChar c : text)
        part += (Refused.contains(c) || c.unicode() < 0x20) ? QLatin1Char('-') : c;
    part = part.trimmed();
    // A name of dots alone would point at a folder.
    while (part.startsWith(QLatin1Char('.')))
        part.remove(0, 1);
    return part;
}

BuiltReport ReportBuilder::resultList(int subject, const QString &title) const
{
    GradeLists lists(m_document);
    lists.setControlWidth(m_controlWidth);
    BuiltReport out;
    out.built = true;
    if (m_document.verbalEvaluation()) {
        GradeReport report = lists.verbalResultList(title);
        HtmlReportWriter writer(report.heading, m_reportFolder);
        writer.setCreated(created());
        PrintTable page = report.table;
        writer.WriteOverviewHtml(page, out.page, 1);
        out.document = ReportDocuments::verbalResultList(report);
        out.documentName =
            fileNamePart(joined({QStringLiteral("Fachergebnisse"), report.heading.className}));
        out.backToPersonPage = true;
        return out;
    }
    GradeReport report = lists.subjectResultList(subject, title);
    HtmlReportWriter writer(report.heading, m_reportFolder);
    writer.setCreated(created());
    PrintTable page = report.table;
    writer.WriteResultListHtml(page, out.page, 1);
    out.document = ReportDocuments::resultList(report);
    out.documentName =
        fileNamePart(joined({QStringLiteral("Fachergebnisse"), title, report.heading.className}));
    return out;
}

BuiltReport ReportBuilder::completeList(int subject, const QString &title) const
{
    GradeLists lists(m_document);
    lists.setControlWidth(m_controlWidth);
    GradeReport report = lists.completeSubjectList(subject, title);
    BuiltReport out;
    out.built = true;
    HtmlReportWriter writer(report.heading, m_reportFolder);
    writer.setCreated(created());
    PrintTable page = report.table;
    writer.WriteGridHtml(page, out.page, 1);
    out.document = ReportDocuments::completeList(report);
    out.documentName = fileNamePart(
        joined({QStringLiteral("Komplettergebnisse"), title, report.heading.className}));
    return out;
}

BuiltReport ReportBuilder::personReport(SheetLogic &personSheet) const
{
    GradeLists lists(m_document);
    lists.setControlWidth(m_controlWidth);
    GradeReport report = lists.personReport(personSheet);
    if (!report.heading.photoPath.isEmpty() && !m_projectFolder.isEmpty())
        report.heading.photo = PhotoConverter::loadStoredPhoto(
            PhotoConverter::resolve(m_projectFolder, report.heading.photoPath));
    BuiltReport out;
    out.built = true;
    HtmlReportWriter writer(report.heading, m_reportFolder, m_prompts);
    writer.setCreated(created());
    PrintTable page = report.table;
    writer.WritePersonHtml(page, out.page, 1);
    out.document = ReportDocuments::personReport(report);
    QString name = fileNamePart(report.heading.personName);
    if (name.isEmpty())
        name = QStringLiteral("Person %1").arg(m_document.currentPerson() + 1);
    out.documentName = name;
    return out;
}

BuiltReport ReportBuilder::examReport(int subject, int examColumn) const
{
    ExamFailureReport exam(m_document, subject, examColumn);
    exam.setCreated(created());
    exam.setControlWidth(m_controlWidth);
    const ExamFailureResult result = exam.compute();
    BuiltReport out;
    for (const QString &message : result.messages)
        (message == result.warning ? out.warnings : out.notices) << message;
    if (!result.valid)
        return out;
    out.built = true;
    HtmlReportWriter writer(result.heading, m_reportFolder);
    writer.setCreated(result.created);
    PrintTable page = result.table;
    writer.WriteExamFailureHtml(page, out.page, 1);
    out.document = ReportDocuments::examReport(result);
    out.documentName =
        fileNamePart(joined({QStringLiteral("Klausurergebnis"), result.heading.className}));
    return out;
}

BuiltReport ReportBuilder::courseBook(int halfYear, const QString &subject,
                                      bool contentRowShown) const
{
    CourseBookPrint print(m_document, halfYear, subject);
    print.setContentRowShown(contentRowShown);
    if (m_today.isValid())
        print.setShownOn(m_today);
    print.setControlWidth(m_controlWidth);
    CourseBookPrintout printout = print.prepare();
    BuiltReport out;
    out.built = true;
    HtmlReportWriter writer(printout.heading, m_reportFolder);
    writer.setCreated(created());
    PrintTable page = printout.table;
    writer.WriteCourseBookHtml(page, out.page, 1);
    out.document = std::move(printout.document);
    out.documentName = fileNamePart(printout.documentName);
    if (out.documentName.isEmpty())
        out.documentName = fileNamePart(CourseBookPrint::FirstHalfTitle);
    out.notice = ReportOutput::Notice::CourseBook;
    return out;
}
