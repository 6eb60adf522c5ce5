#pragma once

#include "previewgrid.h"

#include <QString>

class UserPrompts;

// Reads a class list from a spreadsheet, a text list or a document table into a preview
// grid, choosing the reader by the file's extension. A document's cell (0, 0) holds the
// document's name, so that it can stand for the class.
class ClassListReader
{
public:
    // A larger source is refused before anything is read.
    static constexpr qint64 MaxFileSize = 64 * 1024 * 1024;

    // The extensions read, for a file dialog's filter.
    static QStringList extensions();
    // A text document rather than a sheet: its first cell holds the document's name.
    static bool isDocument(const QString &path);

    // Asks which table to take when a document has more than one. False with a German
    // message, and the grid unchanged, when the file cannot be read.
    static bool read(const QString &path, UserPrompts &prompts, PreviewGrid &grid, QString *error);
    // The given table or worksheet, counted from 1.
    static bool read(const QString &path, int table, PreviewGrid &grid, QString *error);

private:
    static bool read(const QString &path, int table, UserPrompts *prompts, PreviewGrid &grid,
                     QString *error);
};
