#pragma once

#include <QString>

// The folders Markwart keeps: the program folder with its "Fotos" folder, and the folder
// for temporary report files.
namespace AppFolders {
// The executable's folder when it is meant to hold the classes: a file "portable" lies
// beside the program (a copy kept on a USB stick carries one) or the folder already holds
// class files from earlier use, and it is writable. Otherwise a folder "Markwart" in the
// user's documents folder, so that an installed program never fills its bin folder with
// classes and photos. Both end without a separator.
QString chooseProgramFolder(const QString &executableFolder, const QString &documentsFolder);
QString programFolder();

// Creates the folder and its "Fotos" subfolder when missing.
void ensureProgramFolder(const QString &folder);

// Where reports and other temporary files are written.
QString reportFolder();
} // namespace AppFolders
