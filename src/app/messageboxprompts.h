#pragma once

#include "classdata/userprompts.h"

class QWidget;

// Answers the logic's questions with message boxes and file dialogs.
class MessageBoxPrompts : public UserPrompts
{
public:
    explicit MessageBoxPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool askYesNo(const QString &question) override;
    Answer askYesNoCancel(const QString &question) override;
    void showMessage(const QString &text) override;
    QString askText(const QString &caption, const QString &prompt,
                    const QString &proposed) override;
    QString chooseClassToOpen(const QString &folder) override;
    QString chooseSaveFile(const QString &proposedPath) override;
    QString choosePicture(const QString &proposedPath) override;
    int chooseRecentClass(const QStringList &lines, const QList<bool> &present) override;
    QString chooseFileToOpen(const QString &caption, const QString &filter,
                             const QString &folder) override;
    QString chooseFolder(const QString &caption, const QString &folder) override;
    int chooseItem(const QString &caption, const QString &label, const QStringList &items) override;

private:
    QWidget *owner() const;

    QWidget *m_parent;
};
