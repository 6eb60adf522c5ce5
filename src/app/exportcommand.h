#pragma once

#include <QString>
#include <QStringList>

// markwart-tool export CLASSFILE --out PATH.xlsx|PATH.csv [--password PW]: the whole class as
// an Excel workbook, or its person data and final grades as one CSV table.
namespace ExportCommand {
extern const QString Usage;
// `args` are the words after "export"; returns the tool's exit code.
int run(const QStringList &args);
} // namespace ExportCommand
