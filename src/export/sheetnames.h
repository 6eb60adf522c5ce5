#pragma once

#include <QString>
#include <QStringList>

// Worksheet names a spreadsheet accepts: at most 31 characters, none of []:*?/\, no
// apostrophe at either end, and no two alike whatever the case of their letters.
namespace SheetNames {

constexpr int MaxLength = 31;

// One name for each wanted name, in order; an earlier name keeps its text, a later one that
// would repeat it gets " (2)", " (3)" ... An empty name becomes `fallback`.
QStringList make(const QStringList &wanted, const QString &fallback = QStringLiteral("Tabelle"));

// The name cleaned and cut, not yet made unique.
QString clean(const QString &name, const QString &fallback = QStringLiteral("Tabelle"));

} // namespace SheetNames
