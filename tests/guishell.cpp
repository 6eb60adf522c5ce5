#include "guishell.h"

#include "person/personpageview.h"
#include "sheetkit/sheetview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTabWidget>
#include <QtTest>

GuiShell::GuiShell()
{
    options.programFolder = dir.path();
    options.reportFolder = dir.filePath(QStringLiteral("tmp"));
    options.today = QDate(2026, 12, 6);
    options.opener = &opener;
    ClassGrid &grid = document.grid();
    grid.setCell(0, 16, QStringLiteral("Albrecht, Paul"));
    grid.setCell(1, 16, QStringLiteral("7b"));
    grid.setCell(2, 16, QStringLiteral("2026/27"));
    grid.setCell(9, 16, QStringLiteral("paul+eltern@example.org"));
    grid.setCell(0, 33, QStringLiteral("Bauer, Lina"));
    grid.setCell(1, 33, QStringLiteral("7b"));
    grid.setCell(9, 33, QStringLiteral("lina@example.org"));
    // Lina has results in subject 3 that the settings will be applied to.
    grid.setCell(1, 20, QStringLiteral("10"));
    grid.setCell(32, 20, QStringLiteral("12"));
    document.setSaved(true);
    window = std::make_unique<MainWindow>(document, settings, prompts, options);
    window->show();
    window->showLoadedClass();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("main window not exposed");
}

PersonPageView *GuiShell::person() const
{
    return window->personPage();
}

QString GuiShell::cells(std::initializer_list<std::pair<int, int>> places) const
{
    QStringList texts;
    for (const auto &[column, row] : places)
        texts << cell(column, row);
    return texts.join(u'|');
}

void GuiShell::show(QWidget *page) const
{
    window->tabs()->setCurrentWidget(page);
}

void GuiShell::reopen(ClassDocument *doc, UserPrompts *answers)
{
    window.reset();
    window = std::make_unique<MainWindow>(doc ? *doc : document, settings,
                                          answers ? *answers : prompts, options);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
        qWarning("main window not exposed");
}

// Another window takes the activation for a moment and hands it back.
static void flipActivation(QWidget *window)
{
    QWidget other;
    other.resize(40, 40);
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other))
        qWarning("the other window did not become active");
    other.hide();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("the main window did not become active again");
}

void GuiShell::typeSlowly(const QString &text, bool flipFocus) const
{
    for (const QChar ch : text) {
        QWidget *target = QApplication::focusWidget();
        if (!target)
            target = window.get();
        if (ch == u'\n')
            QTest::keyClick(target, Qt::Key_Return);
        else
            QTest::keyClicks(target, QString(ch));
        QTest::qWait(60);
        if (flipFocus)
            flipActivation(window.get());
    }
}

void GuiShell::type(SheetView *view, int row, int column, const QString &text)
{
    clickCell(view, row, column);
    QCOMPARE(view->currentIndex(), view->model()->index(row, column));
    QTest::keyClick(view, text.at(0).toLatin1());
    QWidget *editor = QApplication::focusWidget();
    QVERIFY2(editor && editor != view, editor ? editor->metaObject()->className() : "none");
    QTest::keyClicks(editor, text.mid(1));
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::qWait(30);
}

void tick(QAbstractButton *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QTest::qWait(30);
}

void clickCell(SheetView *view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
}

QString shown(SheetView *view, int row, int column)
{
    return view->model()->index(row, column).data().toString();
}
