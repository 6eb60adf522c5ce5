#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// A report page on disk: Windows-1252 text without a byte-order mark, every line ended by
// CR LF. A character the code page lacks is written as a numeric character reference
// ("Ł" as "&#321;"), so that no name turns into a question mark. A line break inside a
// line is written as CR LF too.
namespace ReportPage {
QByteArray encode(const QStringList &lines);
// Writes the page, replacing the file; false when it cannot be written.
bool save(const QStringList &lines, const QString &filePath);

// The page handed to the word processor, and the same page for the browser.
QString docPath(const QString &reportFolder);
QString htmlPath(const QString &reportFolder);
// The picture of the person report.
QString photoPath(const QString &reportFolder);
} // namespace ReportPage
