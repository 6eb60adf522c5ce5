#pragma once

#include <QStringList>

// markwart-tool preview SOURCE [--table K]: reads a class list (spreadsheet, text list or
// document table) and prints its preview grid, one non-empty cell per line, column by
// column, as "column TAB row TAB text" with backslash, TAB, CR and LF escaped.
namespace PreviewCommand {
extern const QString Usage;
// `args` are the words after "preview"; returns the tool's exit code.
int run(const QStringList &args);
} // namespace PreviewCommand
