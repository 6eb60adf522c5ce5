#pragma once

#include "classdata/userprompts.h"

// The tool asks nothing: what the program would show in a message box is printed on
// standard output, and every question takes its safe answer.
class PrintedPrompts : public UserPrompts
{
public:
    bool askYesNo(const QString &) override { return false; }
    Answer askYesNoCancel(const QString &) override { return Answer::Cancel; }
    void showMessage(const QString &text) override;
    QString askText(const QString &, const QString &, const QString &proposed) override
    {
        return proposed;
    }
    QString chooseClassToOpen(const QString &) override { return QString(); }
    QString chooseSaveFile(const QString &) override { return QString(); }
};
