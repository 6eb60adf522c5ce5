#include "reportdocuments.h"

// Placeholder layouts until each report gets its own.

ReportDocument ReportDocuments::resultList(const GradeReport &report)
{
    return ReportDocument(report.table);
}

ReportDocument ReportDocuments::verbalResultList(const GradeReport &report)
{
    return ReportDocument(report.table);
}

ReportDocument ReportDocuments::completeList(const GradeReport &report)
{
    return ReportDocument(report.table);
}

ReportDocument ReportDocuments::personReport(const GradeReport &report)
{
    return ReportDocument(report.table);
}

ReportDocument ReportDocuments::examReport(const ExamFailureResult &result)
{
    return ReportDocument(result.table);
}
