// A page writes back only what the teacher changed on it: a cell changed elsewhere (another
// page, or the class directly) survives opening and typing on every page, and shows there.

#include "coursebook/coursebookview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/sheetview.h"
#include "typingsupport.h"
#include "verbal/levelspanel.h"
#include "verbal/remarkspanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

class TestStaleGui : public QObject
{
    Q_OBJECT

    static QString shown(SheetView *view, int row, int column)
    {
        return view->model()->index(row, column).data().toString();
    }

private slots:
    void init() { TestSupport::isolateSettings(); }

    void subjectSheetKeepsChangesOfThePersonPage()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        QTabWidget *tabs = shell.window->tabs();
        SubjectSheetView *sheet = shell.window->subjectSheet(1);
        tabs->setCurrentWidget(sheet); // the sheet has taken its copy
        tabs->setCurrentWidget(shell.person());
        GuiShell::type(shell.person()->sheet(), 1, 5, QStringLiteral("4"));
        QTRY_COMPARE(grid.cell(5, 1), QStringLiteral("4"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        grid.setCell(3, 18, QStringLiteral("2")); // Lina, straight into the class
        grid.setCell(32, 1, QStringLiteral("12"));
        // Points mode gives everyone grade texts.
        auto *points = shell.person()->findChild<QRadioButton *>(QStringLiteral("pointsModeRadio"));
        QTest::mouseClick(points, Qt::LeftButton, {}, QPoint(6, points->height() / 2));
        const QString gradeText = grid.cell(45, 1);
        QVERIFY(!gradeText.isEmpty());

        tabs->setCurrentWidget(sheet);
        QTest::qWait(50);
        QCOMPARE(grid.cell(45, 1), gradeText);
        QCOMPARE(grid.cell(5, 1), QStringLiteral("4"));
        QCOMPARE(grid.cell(3, 18), QStringLiteral("2"));
        QCOMPARE(shown(sheet->view(), 1, 5), QStringLiteral("4"));
        GuiShell::type(sheet->view(), 2, 1, QStringLiteral("3"));
        QTRY_COMPARE(grid.cell(1, 18), QStringLiteral("3"));
        QCOMPARE(grid.cell(3, 18), QStringLiteral("2"));
        QCOMPARE(grid.cell(5, 1), QStringLiteral("4"));
    }

    void shownSheetsFollowTheClass()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        QTabWidget *tabs = shell.window->tabs();

        SheetView *sheet = shell.window->subjectSheet(3)->view();
        tabs->setCurrentWidget(shell.window->subjectSheet(3));
        grid.setCell(7, 20, QStringLiteral("5"));
        QTRY_COMPARE(shown(sheet, 2, 7), QStringLiteral("5"));
        GuiShell::type(sheet, 1, 1, QStringLiteral("1"));
        QTRY_COMPARE(grid.cell(1, 3), QStringLiteral("1"));
        QCOMPARE(grid.cell(7, 20), QStringLiteral("5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);

        tabs->setCurrentWidget(shell.person());
        SheetView *person = shell.person()->sheet();
        grid.setCell(9, 2, QStringLiteral("6"));
        QTRY_COMPARE(shown(person, 2, 9), QStringLiteral("6"));
        GuiShell::type(person, 1, 3, QStringLiteral("2"));
        QTRY_COMPARE(grid.cell(3, 1), QStringLiteral("2"));
        QCOMPARE(grid.cell(9, 2), QStringLiteral("6"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    }

    void courseBooksKeepAndCountOutsideEntries()
    {
        for (int half = 1; half <= 2; ++half) {
            GuiShell shell;
            ClassGrid &grid = shell.document.grid();
            const int offset = half == 1 ? 46 : 107;
            CourseBookView *book = shell.window->courseBook(half);
            shell.window->tabs()->setCurrentWidget(book);
            grid.setCell(14 + offset, 16, QStringLiteral("F"));
            QTRY_COMPARE(shown(book->view(), 2, 14), QStringLiteral("F"));
            GuiShell::type(book->view(), 3, 4, QStringLiteral("E"));
            QTRY_COMPARE(grid.cell(4 + offset, 33), QStringLiteral("E"));
            QCOMPARE(grid.cell(14 + offset, 16), QStringLiteral("F"));
            QCOMPARE(grid.cell(offset + 1, 16), QStringLiteral("1"));
            QCOMPARE(grid.cell(offset + 1, 33), QStringLiteral("1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
    }

    void evaluationTableKeepsOutsideMarks()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        PersonPageView *person = shell.person();
        QTest::mouseClick(person->verbalCheck(), Qt::LeftButton, {}, QPoint(6, 6));
        grid.setCell(5, 1001, QStringLiteral("4"));
        QTRY_COMPARE(shown(person->evaluationView(), 1, 5), QStringLiteral("4"));
        GuiShell::type(person->evaluationView(), 2, 1, QStringLiteral("2"));
        QTRY_COMPARE(grid.cell(1, 1002), QStringLiteral("2"));
        QCOMPARE(grid.cell(5, 1001), QStringLiteral("4"));
        QCOMPARE(grid.cell(36, 1001), QStringLiteral("4"));
    }

    void textEditorsKeepOutsideLines()
    {
        GuiShell shell;
        ClassGrid &grid = shell.document.grid();
        PersonPageView *person = shell.person();
        QTest::mouseClick(person->remarksCaption(), Qt::LeftButton);
        Typing::typeSlowly(shell.window.get(), QStringLiteral("a"));
        grid.setCell(1, 620, QStringLiteral("von außen"));
        QTest::qWait(50);
        Typing::typeSlowly(shell.window.get(), QStringLiteral("b"));
        QTRY_COMPARE(grid.cell(0, 620), QStringLiteral("ab"));
        QCOMPARE(grid.cell(1, 620), QStringLiteral("von außen"));
        QVERIFY(person->remarksPanel()->text()->toPlainText().contains(QStringLiteral("außen")));

        QTest::mouseClick(person->verbalCheck(), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(person->levelsButton(), Qt::LeftButton);
        Typing::typeSlowly(shell.window.get(), QStringLiteral("x"));
        grid.setCell(4, 1714, QStringLiteral("Stufe"));
        QTest::qWait(50);
        Typing::typeSlowly(shell.window.get(), QStringLiteral("y"));
        QTRY_COMPARE(grid.cell(0, 1714), QStringLiteral("xy"));
        QCOMPARE(grid.cell(4, 1714), QStringLiteral("Stufe"));
    }
};

QTEST_MAIN(TestStaleGui)
#include "tst_gui_stale.moc"
