#pragma once

#include "app/appsettings.h"
#include "app/mainwindow.h"
#include "classdata/classdocument.h"
#include "testsupport.h"

#include <QTemporaryDir>

#include <memory>

class PersonPageView;
class SheetView;

// A shown main window over a small class of two persons, with scripted answers.
struct GuiShell
{
    GuiShell();

    PersonPageView *person() const;

    // Types into a sheet cell as a teacher does: a click, then the first key opens the editor.
    static void type(SheetView *view, int row, int column, const QString &text);

    QTemporaryDir dir;
    ClassDocument document;
    AppSettings settings;
    ScriptedPrompts prompts;
    MainWindow::Options options;
    std::unique_ptr<MainWindow> window;
};
