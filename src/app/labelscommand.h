#pragma once

#include <QString>
#include <QStringList>

// markwart-tool labels CLASSFILE --out FILE.pdf [--names] [--password PW]: the label sheets
// of a class (address labels, or name and class with --names), every sheet a page of one PDF.
namespace LabelsCommand {
// The lines of the tool's usage text for this command.
extern const QString Usage;
// `args` are the words after "labels"; returns the tool's exit code.
int run(const QStringList &args);
} // namespace LabelsCommand
