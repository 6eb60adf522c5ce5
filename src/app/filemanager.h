#pragma once

#include "reports/grouplist.h"

// Shows files in the desktop's file manager and pages in the browser.
class FileManager : public GroupList::Desktop
{
public:
    bool openWebPage(const QUrl &url) override;
    // Explorer on Windows, the Finder on macOS, the freedesktop file-manager service
    // elsewhere; the file's folder when none of them answers.
    bool showSelected(const QString &path) override;
};
