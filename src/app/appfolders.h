#pragma once

#include <QString>

// The folders Markwart keeps: the program folder with its "Fotos" folder, and the folder
// for temporary report files.
namespace AppFolders {
// The executable's folder when it is writable (a copy kept on a USB stick); otherwise a
// folder "Markwart" in the user's documents folder, since an installed program cannot
// write beside itself. Both end without a separator.
QString chooseProgramFolder(const QString &executableFolder, const QString &documentsFolder);
QString programFolder();

// Creates the folder and its "Fotos" subfolder when missing.
void ensureProgramFolder(const QString &folder);

// Where reports and other temporary files are written.
QString reportFolder();
} // namespace AppFolders
