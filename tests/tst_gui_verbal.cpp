// The verbal evaluation, the overview, remarks and levels, driven through the real widgets.

#include "grades/subjectsheetview.h"
#include "guishell.h"
#include "person/personpageview.h"
#include "sheetkit/sheetview.h"
#include "verbal/levelspanel.h"
#include "verbal/linesprintdialog.h"
#include "verbal/overviewview.h"
#include "verbal/remarkspanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

class TestVerbalGui : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void marksGiveTendencyAndOverview()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        QTest::mouseClick(person->verbalCheck(), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(shell.document.verbalEvaluation());
        QTabWidget *tabs = shell.window->tabs();
        QVERIFY(!tabs->isTabVisible(tabs->indexOf(shell.window->subjectSheet(1))));
        QVERIFY(tabs->isTabVisible(tabs->indexOf(shell.window->overview())));
        QCOMPARE(tabs->tabText(tabs->indexOf(shell.window->overview())),
                 QStringLiteral("Ergebnisübersicht"));
        // The pop-art choice is kept, but not offered, while the verbal evaluation is on.
        QVERIFY(!shell.window->findChild<QCheckBox *>(QStringLiteral("popArtCheck"))->isVisible());

        SheetView *table = person->evaluationView();
        GuiShell::type(table, 1, 0, QStringLiteral("Liest fliessend"));
        GuiShell::type(table, 1, 1, QStringLiteral("2"));
        GuiShell::type(table, 1, 2, QStringLiteral("34")); // one character per mark
        GuiShell::type(table, 1, 3, QStringLiteral("3"));
        QTRY_COMPARE(shell.document.grid().cell(3, 1001), QStringLiteral("3"));
        QCOMPARE(shell.document.grid().cell(2, 1001), QStringLiteral("3"));
        const QString expected =
            QStringLiteral("2") + QLocale::system().decimalPoint() + QStringLiteral("7");
        QCOMPARE(shell.document.grid().cell(36, 1001), expected);
        // The criterion is the same for everyone.
        QCOMPARE(shell.document.grid().cell(0, 1000 + 17 * 20 + 1),
                 QStringLiteral("Liest fliessend"));

        tabs->setCurrentWidget(shell.window->overview());
        QAbstractItemModel *overview = shell.window->overview()->view()->model();
        QCOMPARE(overview->index(0, 1).data().toString(), QStringLiteral("Liest fliessend"));
        QCOMPARE(overview->index(1, 1).data().toString(), expected);
        // A judgement typed elsewhere comes first, at once.
        shell.document.grid().setCell(35, 1001, QStringLiteral("b"));
        QCOMPARE(overview->index(1, 1).data().toString(), QStringLiteral("b"));
    }

    void remarksAndIndicator()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        QVERIFY(!person->remarksCaption()->font().bold());
        QTest::mouseClick(person->remarksCaption(), Qt::LeftButton);
        RemarksPanel *remarks = person->remarksPanel();
        QVERIFY(remarks->isVisible());
        QTest::keyClicks(remarks->text(), QStringLiteral("Erste Zeile"));
        QTest::keyClick(remarks->text(), Qt::Key_Return);
        QTest::keyClick(remarks->text(), Qt::Key_Return);
        QTest::keyClicks(remarks->text(), QStringLiteral("Neuer Absatz"));
        QCOMPARE(shell.document.grid().cell(0, 620), QStringLiteral("Erste Zeile"));
        QCOMPARE(shell.document.grid().cell(2, 620), QStringLiteral("Neuer Absatz"));
        QTest::mouseClick(remarks->findChild<QPushButton *>(QStringLiteral("remarksClose")),
                          Qt::LeftButton);
        QVERIFY(person->remarksCaption()->font().bold());

        // Deleting can be taken back.
        QTest::mouseClick(person->remarksCaption(), Qt::LeftButton);
        QTest::mouseClick(remarks->findChild<QPushButton *>(QStringLiteral("remarksClear")),
                          Qt::LeftButton);
        QCOMPARE(shell.document.grid().cell(0, 620), QString());
        QVERIFY(remarks->undoButton()->isVisible());
        QTest::mouseClick(remarks->undoButton(), Qt::LeftButton);
        QCOMPARE(shell.document.grid().cell(2, 620), QStringLiteral("Neuer Absatz"));
    }

    void levelsAreKeptAndPrinted()
    {
        GuiShell shell;
        PersonPageView *person = shell.person();
        QTest::mouseClick(person->verbalCheck(), Qt::LeftButton, {}, QPoint(6, 6));
        QTest::mouseClick(person->levelsButton(), Qt::LeftButton);
        QCOMPARE(person->levelsButton()->text(), QStringLiteral("Beurteilungsstufen weg"));
        QTest::keyClicks(person->levelsPanel()->text(), QStringLiteral("sehr sicher"));
        QCOMPARE(shell.document.grid().cell(0, 1714), QStringLiteral("sehr sicher"));

        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("stufen.pdf")));
        LinesPrintDialog::printTo(printer, person->font(), {QStringLiteral("      sehr sicher")});
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 500);
    }
};

QTEST_MAIN(TestVerbalGui)
#include "tst_gui_verbal.moc"
