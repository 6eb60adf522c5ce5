// Typing results into the subject sheets and the person page, with real key and mouse events.

#include "grades/enlargedtextpanel.h"
#include "grades/personpageview.h"
#include "grades/sheetview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"

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
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("grade") << "3"
                               << "3";
        QTest::newRow("minus dropped") << "2-"
                                       << "2";
        QTest::newRow("comma dropped") << "2,5"
                                       << "25";
    }

    void subjectSheetTakesDigitsOnly()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        Shell shell;
        SubjectSheetView *sheet = shell.window->subjectSheet(4);
        shell.window->tabs()->setCurrentWidget(sheet);
        Shell::type(sheet->view(), 2, 5, typed);
        // Person 2's fourth subject lives in row 1 * 17 + 4.
        QTRY_COMPARE(shell.document.grid().cell(5, 21), stored);
        // Enter goes on to the next person, ready for the next result.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(sheet->view()->currentIndex(), sheet->view()->model()->index(3, 5));
        QCOMPARE(shell.document.grid().cell(31, 21), stored);
        QCOMPARE(shell.document.grid().cell(43, 21), QString());
        QCOMPARE(shell.document.grid().cell(44, 21), QString());
        QVERIFY(!shell.document.isSaved());
    }

    void subjectSheetTopicAndWrittenResult()
    {
        Shell shell;
        SubjectSheetView *sheet = shell.window->subjectSheet(2);
        shell.window->tabs()->setCurrentWidget(sheet);
        // The cursor waits in the heading row for the next topic.
        QCOMPARE(sheet->view()->currentIndex().row(), 0);
        Shell::type(sheet->view(), 0, 32, QStringLiteral("Test 1"));
        QTRY_COMPARE(shell.document.grid().cell(32, 602), QStringLiteral("Test 1"));
        Shell::type(sheet->view(), 1, 1, QStringLiteral("2"));
        Shell::type(sheet->view(), 1, 32, QStringLiteral("3"));
        QTRY_COMPARE(shell.document.grid().cell(43, 2), QStringLiteral("3"));
        // 2 x 0.6 + 3 x 0.4 = 2.4
        QCOMPARE(shell.document.grid().cell(44, 2), QStringLiteral("2"));
        // A written result column offers a level heading beside it.
        QCOMPARE(sheet->view()->model()->index(0, 33).data().toString(), QStringLiteral("Niveau?"));
    }

    void enlargedPanelEditsLongTexts()
    {
        Shell shell;
        shell.document.grid().setCell(3, 603, QStringLiteral("Vokabeltest"));
        SubjectSheetView *sheet = shell.window->subjectSheet(3);
        shell.window->tabs()->setCurrentWidget(sheet);
        EnlargedTextPanel *panel = shell.window->enlargedTextPanel();
        SheetView *view = sheet->view();
        const QModelIndex topic = view->model()->index(0, 3);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(topic).center());
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->line()->text(), QStringLiteral("Vokabeltest"));

        QTest::keyClicks(panel->line(), QStringLiteral(" 2"));
        QCOMPARE(shell.document.grid().cell(3, 603), QStringLiteral("Vokabeltest 2"));

        // A one-character cell hides it.
        const QModelIndex empty = view->model()->index(1, 3);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(empty).center());
        QVERIFY(!panel->isVisible());
    }

    void personSheetResultsAndSubjectNames()
    {
        Shell shell;
        SheetView *sheet = shell.person()->sheet();
        Shell::type(sheet, 1, 1, QStringLiteral("2"));
        Shell::type(sheet, 1, 2, QStringLiteral("3"));
        Shell::type(sheet, 1, 32, QStringLiteral("2,5"));
        QTRY_COMPARE(shell.document.grid().cell(32, 1), QStringLiteral("25"));
        QCOMPARE(shell.document.grid().cell(1, 1), QStringLiteral("2"));
        // 2.5 is shown as 2 with the half-down option.
        QCOMPARE(shell.document.grid().cell(31, 1), QStringLiteral("2"));
        QCOMPARE(shell.document.grid().cell(43, 1), QStringLiteral("25"));
        QVERIFY(!shell.document.grid().cell(44, 1).isEmpty());

        Shell::type(sheet, 2, 0, QStringLiteral("Mathe"));
        QTRY_COMPARE(shell.window->tabs()->tabText(2), QStringLiteral("Mathe"));
        QCOMPARE(shell.document.grid().cell(0, 2), QStringLiteral("Mathe"));
    }

    void fieldsAndNavigation()
    {
        Shell shell;
        QLineEdit *name = shell.person()->fieldEdit(PersonPage::Name);
        name->clear();
        QTest::keyClicks(name, QStringLiteral("Sahin, Elif"));
        QCOMPARE(shell.document.grid().cell(0, 16), QStringLiteral("Sahin, Elif"));

        QLineEdit *klasse = shell.person()->fieldEdit(PersonPage::Class);
        QTest::keyClicks(klasse, QStringLiteral("/"));
        QCOMPARE(shell.prompts.messages, {QStringLiteral("Keine Sonderzeichen, bitte!")});
        QCOMPARE(klasse->text(), QStringLiteral("7b"));
        QCOMPARE(shell.document.grid().cell(1, 16), QStringLiteral("7b"));

        auto *forward = shell.person()->findChild<QPushButton *>(QStringLiteral("forwardButton"));
        QTest::mouseClick(forward, Qt::LeftButton);
        QTest::mouseClick(forward, Qt::LeftButton);
        auto *position = shell.person()->findChild<QLineEdit *>(QStringLiteral("listPosition"));
        QCOMPARE(position->text(), QStringLiteral("3"));
        // The colour scheme is chosen at list position 1 only.
        QVERIFY(!shell.window->findChild<QCheckBox *>(QStringLiteral("popArtCheck"))->isVisible());
        // The empty slot takes class and school year from the person before.
        QCOMPARE(shell.person()->fieldEdit(PersonPage::Class)->text(), QStringLiteral("7b"));
        QCOMPARE(shell.document.grid().cell(2, 50), QStringLiteral("2026/27"));
        QVERIFY(shell.person()->fieldEdit(PersonPage::Name)->hasFocus() ||
                QApplication::focusWidget() == nullptr);
    }

    void pointsModeReachesEveryone()
    {
        Shell shell;
        auto *points = shell.person()->findChild<QRadioButton *>(QStringLiteral("pointsModeRadio"));
        // On the indicator: a radio button answers clicks on its box and caption only.
        QTest::mouseClick(points, Qt::LeftButton, {}, QPoint(6, points->height() / 2));
        QCOMPARE(shell.prompts.messages.size(), 1);
        QVERIFY(shell.prompts.messages[0].startsWith(QStringLiteral("Es dauert einen Moment")));
        // Lina (index 1), subject 3: oral 10, written 12 at 60:40 gives 10.8 points.
        QCOMPARE(shell.document.grid().cell(44, 20), QStringLiteral("11"));
        QCOMPARE(shell.document.grid().cell(45, 20), QStringLiteral("2"));
        auto *position = shell.person()->findChild<QLineEdit *>(QStringLiteral("listPosition"));
        QCOMPARE(position->text(), QStringLiteral("1"));
        QVERIFY(shell.document.pointsMode());
    }
};

QTEST_MAIN(TestGradesGui)
#include "tst_gui_grades.moc"
