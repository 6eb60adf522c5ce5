#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The questions, notices and file dialogs the logic needs from the user. The widget
// layer answers them with message boxes and file dialogs, tests with scripted answers.
// A "\r" in a text is a line break.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    enum class Answer
    {
        Yes,
        No,
        Cancel
    };

    virtual bool askYesNo(const QString &question) = 0;
    // "Ja", "Nein" or "Abbrechen"; Escape and the close box of the question cancel.
    virtual Answer askYesNoCancel(const QString &question) = 0;
    virtual void showMessage(const QString &text) = 0;
    // A line of text; the proposed text when the question is cancelled.
    virtual QString askText(const QString &caption, const QString &prompt,
                            const QString &proposed) = 0;
    // The class file to open, or "" when the dialog was cancelled.
    virtual QString chooseClassToOpen(const QString &folder) = 0;
    // The classes opened last, one line each; those not present are shown greyed out and
    // cannot be chosen. The index chosen, OtherClass for the file dialog, or NoClass.
    static constexpr int OtherClass = -1;
    static constexpr int NoClass = -2;
    virtual int chooseRecentClass(const QStringList &lines, const QList<bool> &present)
    {
        Q_UNUSED(lines)
        Q_UNUSED(present)
        return OtherClass;
    }
    // Where to save the class, starting at the proposed file; "" when cancelled.
    virtual QString chooseSaveFile(const QString &proposedPath) = 0;
    // A picture to open, starting at the proposed file; "" when cancelled.
    virtual QString choosePicture(const QString &proposedPath)
    {
        Q_UNUSED(proposedPath)
        return QString();
    }
    // A file to read, starting in `folder`; `filter` as a file dialog takes it; "" when
    // cancelled.
    virtual QString chooseFileToOpen(const QString &caption, const QString &filter,
                                     const QString &folder)
    {
        Q_UNUSED(caption)
        Q_UNUSED(filter)
        Q_UNUSED(folder)
        return QString();
    }
    // One of the items, by its index; -1 when cancelled.
    virtual int chooseItem(const QString &caption, const QString &label, const QStringList &items)
    {
        Q_UNUSED(caption)
        Q_UNUSED(label)
        Q_UNUSED(items)
        return -1;
    }
    // A folder, starting in `folder`; "" when cancelled.
    virtual QString chooseFolder(const QString &caption, const QString &folder)
    {
        Q_UNUSED(caption)
        Q_UNUSED(folder)
        return QString();
    }
};
