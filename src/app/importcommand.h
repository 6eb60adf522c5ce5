#pragma once

#include <QStringList>

// markwart-tool import SOURCE CLASSFILE [--password PW] [--table K] --field KIND=C,R ...:
// takes a class list into a class file, created empty when it does not exist. The questions
// of the import are answered without asking and printed with their answers.
namespace ImportCommand {
extern const QString Usage;
// `args` are the words after "import"; returns the tool's exit code.
int run(const QStringList &args);
} // namespace ImportCommand
