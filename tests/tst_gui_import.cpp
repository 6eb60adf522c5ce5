// The import dialog driven from the person page: a list loaded, the start cells pointed at
// and confirmed, the import seen on the page; a new class first; an unreadable file.

#include "guishell.h"
#include "import/classlistimportdialog.h"
#include "import/classlistimportform.h"
#include "person/personpageview.h"

namespace {

constexpr int Person2Row = 33;

ClassListImportDialog *openDialog(PersonPageView *page)
{
    click(child<QPushButton>(page, "importListButton"));
    return page->findChild<ClassListImportDialog *>();
}

void clickPreview(QTableView *view, int column, int row)
{
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    QTest::qWait(30);
}

QString boxes(ClassListImportDialog *dialog, int field)
{
    return child<QLineEdit>(dialog, qPrintable(QStringLiteral("importColumn%1").arg(field)))
               ->text() +
           u',' +
           child<QLineEdit>(dialog, qPrintable(QStringLiteral("importRow%1").arg(field)))->text();
}

void confirm(ClassListImportDialog *dialog, ClassListImport::Field field)
{
    click(child<QPushButton>(dialog, qPrintable(QStringLiteral("confirmField%1").arg(int(field)))));
}

} // namespace

class ImportGuiTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::isolateSettings(); }

    void listTakenIntoTheClassAndShown()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);
        const QString list = shell.dir.filePath(QStringLiteral("liste.csv"));
        QVERIFY(TestSupport::writeBytes(list, "Klassenliste 7c;;\n"
                                              "Name;Vorname;Ort\n"
                                              "Müller;Änne;\"Bahnhofstraße 3\nHinterhaus\"\n"
                                              "Özdemir;Can;Lindenweg 2\n"
                                              "Schulz;Jörg;\n"));

        // The page shows a named person: the teacher keeps this class.
        shell.prompts.yesNoAnswers = {false};
        ClassListImportDialog *dialog = openDialog(page);
        QVERIFY(dialog);
        QCOMPARE(shell.prompts.questions,
                 QStringList{"Es sind schon Daten vorhanden, willst du eine neue Klasse anlegen?"});
        QTRY_VERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Importieren einer Klassenliste"));
        QVERIFY(!dialog->preview()->isVisible());
        QVERIFY(!child<QPushButton>(dialog, "importButton")->isEnabled());

        shell.prompts.filesToOpen = {list};
        click(child<QPushButton>(dialog, "loadTableButton"));
        QCOMPARE(shell.prompts.openCaptions, QStringList{"Tabelle laden"});
        QTRY_VERIFY(dialog->preview()->isVisible());
        QVERIFY(!child<QPushButton>(dialog, "loadTableButton")->isEnabled());
        QCOMPARE(dialog->preview()->model()->index(2, 0).data().toString(),
                 QStringLiteral("Müller"));

        // Clicking a cell alone stores nothing; "Feld bestätigen" does.
        clickPreview(dialog->preview(), 0, 2);
        QCOMPARE(boxes(dialog, 0), QStringLiteral(","));
        confirm(dialog, ClassListImport::Field::Name);
        QCOMPARE(boxes(dialog, 0), QStringLiteral("0,2"));
        clickPreview(dialog->preview(), 1, 2);
        confirm(dialog, ClassListImport::Field::FirstName);
        clickPreview(dialog->preview(), 2, 2);
        confirm(dialog, ClassListImport::Field::Town);
        clickPreview(dialog->preview(), 0, 0);
        confirm(dialog, ClassListImport::Field::Class);
        QCOMPARE(boxes(dialog, int(ClassListImport::Field::Class)), QStringLiteral("0,0"));

        QSignalSpy closed(dialog, &QObject::destroyed);
        click(child<QPushButton>(dialog, "importButton"));
        QTRY_COMPARE(closed.count(), 1);
        QVERIFY(shell.prompts.messages.isEmpty());

        QCOMPARE(shell.cells({{0, 16}, {5, 16}, {1, 16}}),
                 QStringLiteral("Änne Müller|Bahnhofstraße 3 Hinterhaus|Klassenliste 7c"));
        QCOMPARE(shell.cells({{0, Person2Row}, {5, Person2Row}}),
                 QStringLiteral("Can Özdemir|Lindenweg 2"));
        // Below the list: no name, but the class.
        QCOMPARE(shell.cells({{0, 16 + 3 * 17}, {1, 16 + 33 * 17}}),
                 QStringLiteral("|Klassenliste 7c"));
        // Untouched kinds keep what was there.
        QCOMPARE(shell.cell(9, 16), QStringLiteral("paul+eltern@example.org"));
        QVERIFY(!shell.document.isSaved());

        // The page shows the list at once and after a walk through another page.
        QCOMPARE(page->fieldEdit(PersonPage::Name)->text(), QStringLiteral("Änne Müller"));
        shell.show(shell.window->findChild<QTabWidget *>()->widget(1));
        shell.show(page);
        click(child<QPushButton>(page, "forwardButton"));
        QCOMPARE(page->fieldEdit(PersonPage::Name)->text(), QStringLiteral("Can Özdemir"));
        QCOMPARE(page->fieldEdit(PersonPage::Town)->text(), QStringLiteral("Lindenweg 2"));
    }

    void newClassFirstThenUnreadableFileAndEscape()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);
        shell.document.setSaved(true);
        const QString broken = shell.dir.filePath(QStringLiteral("liste.xlsx"));
        QVERIFY(TestSupport::writeBytes(broken, "PK\x03\x04 nothing more"));

        shell.prompts.yesNoAnswers = {true};
        ClassListImportDialog *dialog = openDialog(page);
        QVERIFY(dialog);
        QCOMPARE(shell.cell(0, 16), QString());
        QCOMPARE(page->fieldEdit(PersonPage::Name)->text(), QString());

        shell.prompts.filesToOpen = {broken};
        click(child<QPushButton>(dialog, "loadTableButton"));
        QCOMPARE(shell.prompts.messages.size(), 1);
        QVERIFY(shell.prompts.messages[0].contains(QStringLiteral("liste.xlsx")));
        QVERIFY(!dialog->preview()->isVisible());
        QVERIFY(child<QPushButton>(dialog, "loadTableButton")->isEnabled());

        QSignalSpy closed(dialog, &QObject::destroyed);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QTRY_COMPARE(closed.count(), 1);
        QCOMPARE(shell.cell(0, Person2Row), QString());
    }

    void unsavedClassIsSavedBeforeANewOne()
    {
        GuiShell shell;
        PersonPageView *page = shell.person();
        shell.show(page);
        shell.document.setSaved(false);
        // A new class, but the changes are to be saved first: no dialog yet.
        shell.prompts.yesNoAnswers = {true, true};
        QVERIFY(!openDialog(page));
        QCOMPARE(shell.cell(0, 16), QStringLiteral("Albrecht, Paul"));
    }
};

QTEST_MAIN(ImportGuiTest)
#include "tst_gui_import.moc"
