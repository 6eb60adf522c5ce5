#pragma once

#include "app/appsettings.h"
#include "app/mainwindow.h"
#include "classdata/classdocument.h"
#include "testsupport.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

class PersonPageView;
class SheetView;

// A shown main window over a small class of two persons, with scripted answers.
struct GuiShell
{
    GuiShell();

    PersonPageView *person() const;
    QString cell(int column, int row) const { return document.grid().cell(column, row); }
    // Cells given as {column, row}, joined by '|'.
    QString cells(std::initializer_list<std::pair<int, int>> places) const;
    // Brings a page of the tab widget to the front.
    void show(QWidget *page) const;
    // A new window in place of the shell's own that has shown no class yet.
    void reopen(ClassDocument *doc = nullptr, UserPrompts *answers = nullptr);

    // Sends each character to whatever has the focus, ~60 ms apart, as a teacher types. With
    // flipFocus the window loses and regains activation after every key, as happens under a
    // bare window system.
    void typeSlowly(const QString &text, bool flipFocus = false) const;
    // Types into a sheet cell as a teacher does: a click, then the first key opens the editor.
    static void type(SheetView *view, int row, int column, const QString &text);

    QTemporaryDir dir;
    ClassDocument document;
    AppSettings settings;
    ScriptedPrompts prompts;
    ScriptedOpener opener; // the reports the window hands to the desktop
    MainWindow::Options options;
    std::unique_ptr<MainWindow> window;
};

// A named child widget; the run stops when it is missing.
template <typename T> T *child(QObject *parent, const char *name)
{
    T *found = parent->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no widget %s", name);
    return found;
}

// A click, with the program running a moment afterwards.
void click(QWidget *widget);
// On the indicator: check boxes and radio buttons answer clicks on their box and caption only.
void tick(QAbstractButton *box);
// Scrolls the cell into view and clicks its middle.
void clickCell(SheetView *view, int row, int column);
// The text a sheet shows in a cell.
QString shown(SheetView *view, int row, int column);
