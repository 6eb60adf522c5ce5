// Typing results into the subject sheets and the person page, with real key and mouse events.

#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/enlargedtextpanel.h"
#include "sheetkit/sheetview.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

using Shell = GuiShell;

class TestGradesGui : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void subjectSheetTakesDigitsOnly_data()
    {
        QTest::addColumn<QString>("stored"); // the row name is what is typed
        QTest::newRow("3") << "3";
        QTest::newRow("2-") << "2";
        QTest::newRow("2,5") << "25";
    }

    void subjectSheetTakesDigitsOnly()
    {
        QFETCH(QString, stored);
        Shell shell;
        SubjectSheetView *sheet = shell.window->subjectSheet(4);
        shell.window->tabs()->setCurrentWidget(sheet);
        Shell::type(sheet->view(), 2, 5, QString::fromLatin1(QTest::currentDataTag()));
        // Person 2's fourth subject lives in row 1 * 17 + 4.
        QTRY_COMPARE(shell.document.grid().cell(5, 21), stored);
        // Enter goes on to the next person, ready for the next result.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(sheet->view()->currentIndex(), sheet->view()->model()->index(3, 5));
        const ClassGrid &grid = shell.document.grid();
        QCOMPARE(grid.cell(31, 21) + u'|' + grid.cell(43, 21) + grid.cell(44, 21), stored + u'|');
        QVERIFY(!shell.document.isSaved());
    }

    void subjectSheetTopicsAndWrittenResult()
    {
        Shell shell;
        const ClassGrid &grid = shell.document.grid();
        shell.document.grid().setCell(3, 602, QStringLiteral("Vokabeltest"));
        SubjectSheetView *sheet = shell.window->subjectSheet(2);
        shell.window->tabs()->setCurrentWidget(sheet);
        SheetView *view = sheet->view();
        // The cursor waits in the heading row for the next topic.
        QCOMPARE(view->currentIndex().row(), 0);
        Shell::type(view, 0, 32, QStringLiteral("Test 1"));
        QTRY_COMPARE(grid.cell(32, 602), "Test 1");
        Shell::type(view, 1, 1, QStringLiteral("2"));
        Shell::type(view, 1, 32, QStringLiteral("3"));
        QTRY_COMPARE(grid.cell(43, 2), "3");
        QCOMPARE(grid.cell(44, 2), "2"); // 2 x 0.6 + 3 x 0.4 = 2.4
        // A written result column offers a level heading beside it.
        QCOMPARE(view->model()->index(0, 33).data().toString(), "Niveau?");

        // A long topic opens in the enlarged panel; a one-character cell hides it.
        EnlargedTextPanel *panel = shell.window->enlargedTextPanel();
        const auto click = [view](int row, int column) {
            const QRect cell = view->visualRect(view->model()->index(row, column));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        };
        click(0, 3);
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->line()->text(), "Vokabeltest");
        QTest::keyClicks(panel->line(), QStringLiteral(" 2"));
        QCOMPARE(grid.cell(3, 602), "Vokabeltest 2");
        click(1, 3);
        QVERIFY(!panel->isVisible());
    }

    void personSheetResultsAndSubjectNames()
    {
        Shell shell;
        const ClassGrid &grid = shell.document.grid();
        SheetView *sheet = shell.person()->sheet();
        Shell::type(sheet, 1, 1, QStringLiteral("2"));
        Shell::type(sheet, 1, 2, QStringLiteral("3"));
        Shell::type(sheet, 1, 32, QStringLiteral("2,5"));
        QTRY_COMPARE(grid.cell(32, 1), "25");
        // Oral 2.5 is shown as 2 with the half-down option.
        QCOMPARE(grid.cell(1, 1) + u'|' + grid.cell(31, 1) + u'|' + grid.cell(43, 1), "2|2|25");
        QVERIFY(!grid.cell(44, 1).isEmpty());
        Shell::type(sheet, 2, 0, QStringLiteral("Mathe"));
        QTRY_COMPARE(shell.window->tabs()->tabText(2), "Mathe");
        QCOMPARE(grid.cell(0, 2), "Mathe");
    }

    void fieldsAndNavigation()
    {
        Shell shell;
        PersonPageView *person = shell.person();
        QLineEdit *name = person->fieldEdit(PersonPage::Name);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Sahin, Elif"));
        QCOMPARE(shell.document.grid().cell(0, 16), "Sahin, Elif");
        QLineEdit *klasse = person->fieldEdit(PersonPage::Class);
        QTest::keyClicks(klasse, QStringLiteral("/"));
        QCOMPARE(shell.prompts.messages, {QStringLiteral("Keine Sonderzeichen, bitte!")});
        QCOMPARE(klasse->text() + u'|' + shell.document.grid().cell(1, 16), "7b|7b");

        auto *forward = person->findChild<QPushButton *>(QStringLiteral("forwardButton"));
        QTest::mouseClick(forward, Qt::LeftButton);
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(person->findChild<QLineEdit *>(QStringLiteral("listPosition"))->text(), "3");
        // The colour scheme is chosen at list position 1 only.
        QVERIFY(!shell.window->findChild<QCheckBox *>(QStringLiteral("popArtCheck"))->isVisible());
        // The empty slot takes class and school year from the person before.
        QCOMPARE(klasse->text() + u'|' + shell.document.grid().cell(2, 50), "7b|2026/27");
    }

    void pointsModeReachesEveryone()
    {
        Shell shell;
        auto *points = shell.person()->findChild<QRadioButton *>(QStringLiteral("pointsModeRadio"));
        // On the indicator: a radio button answers clicks on its box and caption only.
        QTest::mouseClick(points, Qt::LeftButton, {}, QPoint(6, points->height() / 2));
        QVERIFY(shell.document.pointsMode());
        QCOMPARE(shell.prompts.messages.size(), 1);
        QVERIFY(shell.prompts.messages[0].startsWith(QStringLiteral("Es dauert einen Moment")));
        // Lina (index 1), subject 3: oral 10, written 12 at 60:40 gives 10.8 points.
        QCOMPARE(shell.document.grid().cell(44, 20) + u'|' + shell.document.grid().cell(45, 20),
                 "11|2");
    }
};

QTEST_MAIN(TestGradesGui)
#include "tst_gui_grades.moc"
