#pragma once

#include "printtable.h"

#include <QString>
#include <QStringList>

// The pages of the marking list and of the compact photo overview. Unlike the grade
// reports they have a style block, no heading row and no credit line: the credit stands
// in the table. Cells are written as they are, so the table holds HTML already (escaped
// texts, the credit link, picture tags). Both writers empty the lines first, set every
// column 180 (names) or 20 pixels wide as they go, and put n into the table tag.
namespace ListPageWriter {
void WriteSelectionListHtml(PrintTable &grid, QStringList &lines, int n);
void WriteCompactListHtml(PrintTable &grid, QStringList &lines, int n);

// "&copy Layout by " and the maker's link.
QString credit();
// A small picture of the marking list. Without a file behind it the browser shows "Leider
// kein Foto hinterlegt!" instead.
QString listPicture(const QString &filePath);
// A portrait of the overview: the first row's pictures are drawn large.
QString compactPicture(const QString &filePath, bool large);
// The address a page gives for a local file.
QString fileUrl(const QString &filePath);
} // namespace ListPageWriter
