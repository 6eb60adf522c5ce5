#pragma once

#include <QString>

class QTemporaryDir;

// Turns a Word 97-2003 document into .docx with a headless LibreOffice, when one is installed.
namespace DocConverter {
// The converted file inside `folder`; "" with a German message when it cannot be done.
QString toDocx(const QString &path, const QTemporaryDir &folder, QString *error);
} // namespace DocConverter
