#pragma once

#include "classdata/documentopener.h"

// Opens files with the desktop's default programs.
class DesktopOpener : public DocumentOpener
{
public:
    bool canOpenWordDocuments() override;
    bool open(const QString &path) override;
};
