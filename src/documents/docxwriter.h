#pragma once

#include "reportdocument.h"

#include <QByteArray>
#include <QString>

// Writes a report document as a Word file (.docx) that opens already laid out: page,
// margins, table formatting, extra tables, lines and pictures. No word processor is needed
// to make it.
class DocxWriter
{
public:
    // The texts the teacher sees when the file cannot be written: another program still
    // holds it, or it cannot be made at all (no such folder, a name the system refuses).
    static const char *const InUseMessage;
    static const char *const FailedMessage;

    // A4, in twentieths of a point.
    static constexpr int PageShortSide = 11906;
    static constexpr int PageLongSide = 16838;

    // Writes the whole file or nothing; false with errorText() set when it was not
    // written. An existing file is replaced unless another program holds it.
    bool write(const ReportDocument &document, const QString &filePath);
    QString errorText() const { return m_errorText; }

    // The complete package as the file holds it.
    static QByteArray package(const ReportDocument &document);
    // True when a word processor marks the file as open (its lock file lies beside it).
    static bool isHeld(const QString &filePath);

private:
    bool fail(const char *message);

    QString m_errorText;
};
