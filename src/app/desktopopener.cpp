#include "desktopopener.h"

#include "wordprocessorcheck.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

bool DesktopOpener::canOpenWordDocuments()
{
    // Asked every time: a word processor may be installed while Markwart runs.
    return WordProcessorCheck::isInstalled();
}

bool DesktopOpener::open(const QString &path)
{
    // The desktop would start its launcher on a missing file and call that a success.
    if (!QFileInfo(path).isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
