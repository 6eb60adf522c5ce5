#pragma once

#include <QStringList>

// markwart-tool grouplist CLASSFILE [--out PATH] [--password PW]: writes the class's list
// file for the group program, to PATH (a file, or a folder that receives "<class>.liste"),
// by default into the class file's folder. Starts nothing.
namespace GroupListCommand {
// `args` are the words after "grouplist"; returns the tool's exit code.
int run(const QStringList &args);
} // namespace GroupListCommand
