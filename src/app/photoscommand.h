#pragma once

#include <QStringList>

// markwart-tool photos CLASSFILE FOLDER [--password PW] [--zoom S]: gives every person of the
// class the picture in FOLDER named after them, stores the photos below the class file's
// folder and writes the class file.
namespace PhotosCommand {
// `args` are the words after "photos"; returns the tool's exit code.
int run(const QStringList &args);
} // namespace PhotosCommand
