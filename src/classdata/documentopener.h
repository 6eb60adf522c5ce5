#pragma once

#include <QString>

// Hands a finished file to the desktop. The widget layer asks the platform, tests record
// the files they were given.
class DocumentOpener
{
public:
    virtual ~DocumentOpener() = default;

    // Whether the desktop has a program for Word documents (.docx).
    virtual bool canOpenWordDocuments() = 0;
    // Opens the file with the desktop's default program for its kind; false when that
    // could not even be started.
    virtual bool open(const QString &path) = 0;
};
