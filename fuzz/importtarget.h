#pragma once

#include "fuzzfile.h"

#include "import/classlistreader.h"

// An import target: the input as a class list file with the given extension (or, for the zip
// formats, as the parts of one), read the way the import dialog reads it. Either a preview or
// a message comes back; nothing else may happen.
inline int readAsClassList(const uint8_t *data, size_t size, const char *extension,
                           const QStringList &zipParts = {})
{
    const FuzzFile file(data, size, QString::fromLatin1(extension), zipParts);
    PreviewGrid grid;
    QString error;
    if (!ClassListReader::read(file.path(), 1, grid, &error) && error.isEmpty())
        qFatal("A refused class list must say why");
    return 0;
}
