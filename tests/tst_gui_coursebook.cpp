// The course book, clipboard blocks and mail links, driven through the real widgets.

#include "coursebook/coursebookview.h"
#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/sheetview.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QTabWidget>
#include <QtTest>

// Receives the links the program hands to the desktop's mail program.
class MailCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

class TestCourseBookGui : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void attendanceIsCounted()
    {
        GuiShell shell;
        shell.document.grid().setCell(50, 578, QStringLiteral("D"));
        CourseBookView *book = shell.window->courseBook(1);
        shell.window->tabs()->setCurrentWidget(book);
        QVERIFY(!book->view()->toolTip().isEmpty()); // the legend, for the first moments
        QCOMPARE(book->doubleLessonView()->model()->index(0, 4).data().toString(),
                 QStringLiteral("D"));

        GuiShell::type(book->view(), 3, 4, QStringLiteral("F"));
        QTRY_COMPARE(shell.document.grid().cell(50, 33), QStringLiteral("F"));
        QCOMPARE(shell.document.grid().cell(47, 33), QStringLiteral("2"));
        QCOMPARE(shell.document.grid().cell(48, 33), QStringLiteral("2"));
        GuiShell::type(book->view(), 3, 5, QStringLiteral("e"));
        QTRY_COMPARE(shell.document.grid().cell(47, 33), QStringLiteral("3"));
        QCOMPARE(book->view()->model()->index(3, 1).data().toString(), QStringLiteral("3"));

        // Taking the double lesson back counts that absence once.
        GuiShell::type(book->doubleLessonView(), 0, 4, QStringLiteral(" "));
        QTRY_COMPARE(shell.document.grid().cell(50, 578), QStringLiteral("D"));
        book->doubleLessonView()->model()->setData(book->doubleLessonView()->model()->index(0, 4),
                                                   QString());
        QCOMPARE(shell.document.grid().cell(47, 33), QStringLiteral("2"));
    }

    void blocksTravelThroughClipboard()
    {
        GuiShell shell;
        SubjectSheetView *sheet = shell.window->subjectSheet(1);
        shell.window->tabs()->setCurrentWidget(sheet);
        // Rows as a spreadsheet on Linux puts them: LF only.
        QGuiApplication::clipboard()->setText(QStringLiteral("2\t3\n4\t5\n"));
        sheet->view()->setCurrentIndex(sheet->view()->model()->index(2, 0));
        sheet->view()->pasteClipboard();
        // Column 0 holds the names: the block starts in column 1, and is stored at once.
        QCOMPARE(shell.document.grid().cell(1, 18), QStringLiteral("2"));
        QCOMPARE(shell.document.grid().cell(2, 35), QStringLiteral("5"));
        QCOMPARE(shell.document.grid().cell(31, 35), QStringLiteral("4")); // 4.5, kept down

        // From row 1 on, the first row is taken for the topics above it.
        sheet->view()->setCurrentIndex(sheet->view()->model()->index(1, 3));
        sheet->view()->pasteClipboard();
        QCOMPARE(shell.document.grid().cell(3, 601), QStringLiteral("2"));
        QCOMPARE(shell.document.grid().cell(4, 1), QStringLiteral("5"));

        sheet->view()->selectionModel()->select(QItemSelection(sheet->view()->model()->index(2, 1),
                                                               sheet->view()->model()->index(3, 2)),
                                                QItemSelectionModel::ClearAndSelect);
        sheet->view()->copySelection();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("2\t3\r\n4\t5\r\n"));
    }

    void mailToOneOrAll()
    {
        GuiShell shell;
        MailCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        PersonPageView *person = shell.person();
        QCOMPARE(person->emailCaption()->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(person->emailCaption(), Qt::LeftButton);
        QTest::mouseClick(person->mailToAll(), Qt::LeftButton, {}, QPoint(6, 6));
        QCOMPARE(person->mailToAll()->text(), QStringLiteral("an alle !"));
        QTest::mouseClick(person->mailPanel(), Qt::LeftButton, {}, QPoint(3, 3));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));

        QCOMPARE(catcher.urls.size(), 2);
        QCOMPARE(catcher.urls[0].path(), QStringLiteral("paul+eltern@example.org"));
        QCOMPARE(
            QUrlQuery(catcher.urls[1]).queryItemValue(QStringLiteral("bcc"), QUrl::FullyDecoded),
            QStringLiteral("paul+eltern@example.org;lina@example.org;"));
    }
};

QTEST_MAIN(TestCourseBookGui)
#include "tst_gui_coursebook.moc"
