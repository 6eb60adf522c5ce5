#pragma once

#include "app/appsettings.h"
#include "app/sessioncontroller.h"
#include "app/sessionview.h"
#include "classdata/classdocument.h"
#include "testsupport.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Stands in for the main window of a session: records what it was asked to show.
class FakeSessionView : public SessionView
{
public:
    QList<PasswordMode> dialogModes;
    QStringList dialogCaptions;
    bool dialogVisible = false;
    QString caption;
    int closeRequests = 0;
    bool startHint = false;

    void showPasswordDialog(PasswordMode mode, const QString &, const QString &caption) override
    {
        dialogModes << mode;
        dialogCaptions << caption;
        dialogVisible = true;
    }
    void hidePasswordDialog() override { dialogVisible = false; }
    void setCaption(const QString &text) override { caption = text; }
    void showLoadedClass() override {}
    void showHelpPanel() override {}
    void showStartHint(bool shown) override { startHint = shown; }
    void closeMainWindow() override { ++closeRequests; }
};

// Everything a session test needs: a document, settings, scripted prompts, a fake window,
// with the program folder `folder` and its reports in folder/tmp.
struct Session
{
    explicit Session(const QString &folder, const QString &startClass = QString(),
                     const QDate &today = QDate(2026, 12, 6))
        : controller(document, settings, prompts, view, folder, folder + QStringLiteral("/tmp"))
    {
        controller.setUp(startClass, today);
    }

    QString cell(int column, int row) const { return document.grid().cell(column, row); }
    // "Klasse laden" with this file, and OK in the password dialog.
    bool load(const QString &file, const QString &password)
    {
        prompts.filesToOpen << file;
        controller.loadClass();
        return controller.confirmLoad(password);
    }
    // "speichern" into this file, and OK in the password dialog.
    bool saveTo(const QString &file, const QString &password = QString(), bool encrypt = false)
    {
        controller.saveClass();
        prompts.filesToSaveTo << file;
        return controller.confirmSave(password, encrypt);
    }

    ClassDocument document;
    AppSettings settings;
    ScriptedPrompts prompts;
    FakeSessionView view;
    SessionController controller;
};
