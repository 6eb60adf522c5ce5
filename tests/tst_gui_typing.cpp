// Typing at a teacher's pace into every kind of sheet: every key reaches the class, and the
// class holds what the editor shows, also when the window loses the focus between keys.

#include "coursebook/coursebookview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/sheetdelegate.h"
#include "sheetkit/sheetview.h"
#include "typingsupport.h"
#include "verbal/levelspanel.h"
#include "verbal/remarkspanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestTypingGui : public QObject
{
    Q_OBJECT

    // Clicks the cell, types the text key by key and checks class and editor; Esc closes.
    void typeIntoCell(GuiShell &shell, SheetView *view, int row, int column, const QString &text,
                      int gridColumn, int gridRow, bool flip)
    {
        const QModelIndex index = view->model()->index(row, column);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QCOMPARE(view->currentIndex(), index);
        Typing::typeSlowly(shell.window.get(), text, flip);
        QTRY_COMPARE(shell.document.grid().cell(gridColumn, gridRow), text);
        auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), text);
        // The whole text is in view, not only its end.
        QVERIFY2(editor->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x() >=
                     editor->fontMetrics().horizontalAdvance(text),
                 qPrintable(QStringLiteral("editor %1 px wide").arg(editor->width())));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::qWait(50);
        QCOMPARE(shell.document.grid().cell(gridColumn, gridRow), text);
        QCOMPARE(view->model()->index(row, column).data().toString(), text);
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
        QTabWidget *tabs = shell.window->tabs();

        tabs->setCurrentWidget(shell.window->subjectSheet(1));
        typeIntoCell(shell, shell.window->subjectSheet(1)->view(), 1, 1, QStringLiteral("789"), 1,
                     1, flip);
        tabs->setCurrentWidget(shell.window->subjectSheet(7));
        typeIntoCell(shell, shell.window->subjectSheet(7)->view(), 2, 32, QStringLiteral("123"), 32,
                     24, flip);

        tabs->setCurrentWidget(shell.person());
        typeIntoCell(shell, shell.person()->sheet(), 3, 2, QStringLiteral("45"), 2, 3, flip);

        for (int half = 1; half <= 2; ++half) {
            tabs->setCurrentWidget(shell.window->courseBook(half));
            const int offset = half == 1 ? 46 : 107;
            typeIntoCell(shell, shell.window->courseBook(half)->view(), 3, 5,
                         QStringLiteral("2 sp"), 5 + offset, 33, flip);
        }

        tabs->setCurrentWidget(shell.person());
        QTest::mouseClick(shell.person()->verbalCheck(), Qt::LeftButton, {}, QPoint(6, 6));
        typeIntoCell(shell, shell.person()->evaluationView(), 2, 0, QStringLiteral("Liest vor"), 0,
                     1002, flip);
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
        QTest::mouseClick(person->remarksCaption(), Qt::LeftButton);
        QVERIFY(person->remarksPanel()->isVisible());
        Typing::typeSlowly(shell.window.get(), QStringLiteral("Ruhig\nfleissig"), true);
        QTRY_COMPARE(shell.document.grid().cell(1, 620), QStringLiteral("fleissig"));
        QCOMPARE(shell.document.grid().cell(0, 620), QStringLiteral("Ruhig"));
        QCOMPARE(person->remarksPanel()->text()->toPlainText(), QStringLiteral("Ruhig\nfleissig"));

        QTest::mouseClick(person->verbalCheck(), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(person->levelsButton(), Qt::LeftButton);
        QVERIFY(person->levelsPanel()->isVisible());
        Typing::typeSlowly(shell.window.get(), QStringLiteral("a sehr gut\nb gut"), true);
        QTRY_COMPARE(shell.document.grid().cell(1, 1714), QStringLiteral("b gut"));
        QCOMPARE(shell.document.grid().cell(0, 1714), QStringLiteral("a sehr gut"));
    }
};

QTEST_MAIN(TestTypingGui)
#include "tst_gui_typing.moc"
