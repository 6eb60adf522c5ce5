// Typing at a teacher's pace into every kind of sheet: every key reaches the class, and the
// class holds what the editor shows, also when the window loses the focus between keys.
// A page writes back only what the teacher changed on it: a cell changed elsewhere (another
// page, or the class directly) survives opening and typing on every page, and shows there.

#include "coursebook/coursebookview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/sheetdelegate.h"
#include "sheetkit/sheetview.h"
#include "verbal/levelspanel.h"
#include "verbal/remarkspanel.h"

#include <QToolButton>

class TestTypingGui : public QObject
{
    Q_OBJECT

    // Shows the page, clicks the cell, types the text key by key and checks class and editor;
    // Esc closes.
    void typeIntoCell(GuiShell &shell, QWidget *page, SheetView *view, int row, int column,
                      const QString &text, int gridColumn, int gridRow, bool flip)
    {
        shell.show(page);
        clickCell(view, row, column);
        QCOMPARE(view->currentIndex(), view->model()->index(row, column));
        shell.typeSlowly(text, flip);
        QTRY_COMPARE(shell.cell(gridColumn, gridRow), text);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), text);
        // The whole text is in view, not only its end.
        QVERIFY2(editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() >=
                     editor->fontMetrics().horizontalAdvance(text),
                 qPrintable(QStringLiteral("editor %1 px wide").arg(editor->width())));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::qWait(50);
        QCOMPARE(shell.cell(gridColumn, gridRow) + u'|' + shown(view, row, column),
                 text + u'|' + text);
    }

private slots:
    void init() { TestSupport::isolateSettings(); }

    void sheets_data()
    {
        QTest::addColumn<bool>("flip");
        QTest::newRow("focus kept") << false;
        QTest::newRow("focus lost between keys") << true;
    }

    void sheets()
    {
        QFETCH(bool, flip);
        GuiShell shell;
        MainWindow *w = shell.window.get();
        PersonPageView *person = shell.person();
        typeIntoCell(shell, w->subjectSheet(1), w->subjectSheet(1)->view(), 1, 1, "789", 1, 1,
                     flip);
        typeIntoCell(shell, w->subjectSheet(7), w->subjectSheet(7)->view(), 2, 32, "123", 32, 24,
                     flip);
        typeIntoCell(shell, person, person->sheet(), 3, 2, "45", 2, 3, flip);
        typeIntoCell(shell, w->courseBook(1), w->courseBook(1)->view(), 3, 5, "2 sp", 51, 33, flip);
        typeIntoCell(shell, w->courseBook(2), w->courseBook(2)->view(), 3, 5, "2 sp", 112, 33,
                     flip);
        shell.show(person);
        tick(person->verbalCheck());
        typeIntoCell(shell, person, person->evaluationView(), 2, 0, "Liest vor", 0, 1002, flip);
    }

    void narrowCellsShowWholeResults()
    {
        GuiShell shell;
        SheetView *view = shell.window->subjectSheet(1)->view();
        const int width = view->columnWidth(5) - 3;
        for (const QString &text : {QStringLiteral("789"), QStringLiteral("1234")}) {
            const QFont font = SheetDelegate::fittingFont(view->font(), text, width);
            QVERIFY(QFontMetrics(font).horizontalAdvance(text) <= width);
        }
        // Names are cut, not shrunk.
        const QString name = QStringLiteral("25. Zimmermann-Oberhuber, Margarethe");
        QCOMPARE(SheetDelegate::fittingFont(view->font(), name, 145), view->font());
    }

    void textEditors()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        click(person->remarksCaption());
        QVERIFY(person->remarksPanel()->isVisible());
        shell.typeSlowly(QStringLiteral("Ruhig\nfleissig"), true);
        QTRY_COMPARE(shell.cell(1, 620), "fleissig");
        QCOMPARE(shell.cell(0, 620), "Ruhig");
        QCOMPARE(person->remarksPanel()->text()->toPlainText(), "Ruhig\nfleissig");

        tick(person->verbalCheck());
        click(person->levelsButton());
        QVERIFY(person->levelsPanel()->isVisible());
        shell.typeSlowly(QStringLiteral("a sehr gut\nb gut"), true);
        QTRY_COMPARE(shell.cell(1, 1714), "b gut");
        QCOMPARE(shell.cell(0, 1714), "a sehr gut");
    }

    void subjectSheetKeepsChangesOfThePersonPage()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        QTabWidget *tabs = shell.window->tabs();
        SubjectSheetView *sheet = shell.window->subjectSheet(1);
        tabs->setCurrentWidget(sheet); // the sheet has taken its copy
        tabs->setCurrentWidget(shell.person());
        GuiShell::type(shell.person()->sheet(), 1, 5, QStringLiteral("4"));
        QTRY_COMPARE(grid.cell(5, 1), "4");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        grid.setCell(3, 18, QStringLiteral("2")); // Lina, straight into the class
        grid.setCell(32, 1, QStringLiteral("12"));
        // Points mode gives everyone grade texts.
        tick(child<QRadioButton>(shell.person(), "pointsModeRadio"));
        const QString gradeText = grid.cell(45, 1);
        QVERIFY(!gradeText.isEmpty());

        tabs->setCurrentWidget(sheet);
        QTest::qWait(50);
        QCOMPARE(shell.cells({{45, 1}, {5, 1}, {3, 18}}), gradeText + "|4|2");
        QCOMPARE(shown(sheet->view(), 1, 5), "4");
        GuiShell::type(sheet->view(), 2, 1, QStringLiteral("3"));
        QTRY_COMPARE(grid.cell(1, 18), "3");
        QCOMPARE(shell.cells({{3, 18}, {5, 1}}), "2|4");
    }

    void shownSheetsFollowTheClass()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        SheetView *sheet = shell.window->subjectSheet(3)->view();
        shell.show(shell.window->subjectSheet(3));
        grid.setCell(7, 20, QStringLiteral("5"));
        QTRY_COMPARE(shown(sheet, 2, 7), "5");
        GuiShell::type(sheet, 1, 1, QStringLiteral("1"));
        QTRY_COMPARE(grid.cell(1, 3), "1");
        QCOMPARE(grid.cell(7, 20), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

        shell.show(shell.person());
        SheetView *person = shell.person()->sheet();
        grid.setCell(9, 2, QStringLiteral("6"));
        QTRY_COMPARE(shown(person, 2, 9), "6");
        GuiShell::type(person, 1, 3, QStringLiteral("2"));
        QTRY_COMPARE(grid.cell(3, 1), "2");
        QCOMPARE(grid.cell(9, 2), "6");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }

    void courseBooksKeepAndCountOutsideEntries()
    {
        for (int half = 1; half <= 2; ++half) {
            GuiShell shell;
            ClassGrid &grid = shell.document.grid();
            const int offset = half == 1 ? 46 : 107;
            CourseBookView *book = shell.window->courseBook(half);
            shell.show(book);
            grid.setCell(14 + offset, 16, QStringLiteral("F"));
            QTRY_COMPARE(shown(book->view(), 2, 14), "F");
            GuiShell::type(book->view(), 3, 4, QStringLiteral("E"));
            QTRY_COMPARE(grid.cell(4 + offset, 33), "E");
            QCOMPARE(shell.cells({{14 + offset, 16}, {offset + 1, 16}, {offset + 1, 33}}), "F|1|1");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
    }

    void evaluationTableKeepsOutsideMarks()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        PersonPageView *person = shell.person();
        tick(person->verbalCheck());
        grid.setCell(5, 1001, QStringLiteral("4"));
        QTRY_COMPARE(shown(person->evaluationView(), 1, 5), "4");
        GuiShell::type(person->evaluationView(), 2, 1, QStringLiteral("2"));
        QTRY_COMPARE(grid.cell(1, 1002), "2");
        QCOMPARE(shell.cells({{5, 1001}, {36, 1001}}), "4|4");
    }

    void textEditorsKeepOutsideLines()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        PersonPageView *person = shell.person();
        click(person->remarksCaption());
        shell.typeSlowly(QStringLiteral("a"));
        grid.setCell(1, 620, QStringLiteral("von außen"));
        QTest::qWait(50);
        shell.typeSlowly(QStringLiteral("b"));
        QTRY_COMPARE(grid.cell(0, 620), "ab");
        QCOMPARE(grid.cell(1, 620), "von außen");
        QVERIFY(person->remarksPanel()->text()->toPlainText().contains(QStringLiteral("außen")));

        tick(person->verbalCheck());
        click(person->levelsButton());
        shell.typeSlowly(QStringLiteral("x"));
        grid.setCell(4, 1714, QStringLiteral("Stufe"));
        QTest::qWait(50);
        shell.typeSlowly(QStringLiteral("y"));
        QTRY_COMPARE(grid.cell(0, 1714), "xy");
        QCOMPARE(grid.cell(4, 1714), "Stufe");
    }

    void undoAndRedo()
    {
        GuiShell shell;
        SubjectSheetView *page = shell.window->subjectSheet(3);
        SheetView *view = page->view();
        shell.show(page);
        const auto lina = [&] { return shell.cells({{2, 20}, {31, 20}, {43, 20}, {44, 20}}); };
        const QString before = lina();
        clickCell(view, 2, 2);
        shell.typeSlowly(QStringLiteral("4"));
        QTRY_COMPARE(shell.cell(2, 20), "4");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(50);
        const QString typed = lina();
        QCOMPARE(shell.window->undoButton()->toolTip(),
                 QStringLiteral("Rückgängig: Ergebnis in Fach 3, Person 2"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(lina(), before);
        QTRY_COMPARE(shown(view, 2, 2), QString());
        QVERIFY(shell.document.isSaved());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                        Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_COMPARE(lina(), typed);

        // The person page follows; a field takes back its own typing first.
        PersonPageView *person = shell.person();
        shell.show(person);
        QLineEdit *name = person->fieldEdit(PersonPage::Name);
        click(child<QPushButton>(person, "deleteButton"));
        QCOMPARE(name->text(), "Bauer, Lina");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(name->text(), "Albrecht, Paul");
        name->end(false);
        shell.typeSlowly(QStringLiteral("x"));
        QTRY_COMPARE(shell.cell(0, 16), "Albrecht, Paulx");
        QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(shell.cell(0, 16), "Albrecht, Paul");
        QCOMPARE(shell.cell(0, 33), "Bauer, Lina");
    }
};

QTEST_MAIN(TestTypingGui)
#include "tst_gui_typing.moc"
